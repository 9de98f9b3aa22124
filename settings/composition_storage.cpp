#include "settings/composition_storage.h"

#include "exercises/composition_text.h"
#include "text/user_error.h"

vorn::Composition ReadLastComposition(const ProfileFile& file) {
    const std::string text = file.ReadString(kCompositionSection, kCompositionKey, {});
    try {
        return vorn::ParseComposition(text);
    } catch (const vorn::UserError&) {
        // A damaged value costs the composition, nothing else.
        return vorn::DefaultComposition();
    }
}

void WriteLastComposition(const ProfileFile& file, const vorn::Composition& composition) {
    file.WriteString(kCompositionSection, kCompositionKey, vorn::CompositionText(composition));
}
