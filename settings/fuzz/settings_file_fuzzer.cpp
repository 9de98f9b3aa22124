// Takes arbitrary bytes as a settings file, restores from it and saves a whole
// section into it, as a close does: no input may crash or hang, every value
// saved must read back, the file must keep its encoding, and saving the same
// values again must change nothing.
#include "settings/file_update.h"
#include "settings/profile_encoding.h"
#include "settings/section_snapshot.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

const char* const kKeys[] = {
    "FormVersion",
    "Flags",
    "ShowCmd",
    "PixelsPerInch",
    "MinMaxPos(1024x768)",
    "MinMaxPos",
    "NormPos(1024x768)",
    "NormPos",
    "Visible",
    "edtTitre_Text",
    "spedtQuestions_Value",
    "RxRichEdit1_Height",
    "spedtCorriges_Value",
    "spedtSujets_Value",
    "spSepar_Value",
    "spInterL_Value",
    "ckbEdite_Checked",
};

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);

    // Restore: every key looked up once, as text and as an integer.
    {
        const SectionSnapshot values(vorn::profile::DecodeFile(std::string(file)), "TForm1");
        for (const char* key : kKeys) {
            Check(values.ReadString(key, "").size() <= SectionSnapshot::kMaxValueLength);
            (void)values.ReadInteger(key, 0);
        }
    }

    // Save: the 17 keys, the title taken from the input's first bytes.
    const std::string title(file.substr(0, 40));
    SectionUpdate update;
    int n = 0;
    for (const char* key : kKeys) {
        if (std::string_view(key) == "edtTitre_Text")
            update.WriteString(key, title);
        else
            update.WriteInteger(key, n++);
    }
    const std::string saved = UpdatedFileBytes(std::string(file), "TForm1", update);

    const auto before = vorn::profile::DecodeFile(std::string(file)).encoding;
    Check(vorn::profile::DecodeFile(saved).encoding == before);
    {
        const SectionSnapshot values(vorn::profile::DecodeFile(saved), "TForm1");
        n = 0;
        for (const char* key : kKeys) {
            if (std::string_view(key) != "edtTitre_Text")
                Check(values.ReadInteger(key, -1) == n++);
        }
    }
    Check(UpdatedFileBytes(saved, "TForm1", update) == saved);
    return 0;
}
