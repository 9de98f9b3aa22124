#include "settings/sheet_look_storage.h"

#include "richtext/sheet_look_rtf.h"
#include "settings/section_update.h"

namespace {

constexpr std::string_view kStandard = "Standard";
constexpr std::string_view kAdapted = "Adaptee";

} // namespace

vorn::SheetLook ReadSheetLook(const ProfileFile& file) {
    vorn::SheetLook look;
    if (file.ReadString(kSheetLookSection, kSheetLayoutKey, kStandard) == kAdapted)
        look.layout = vorn::SheetLayout::Adapted;
    const std::string font =
        file.ReadString(kSheetLookSection, kAdaptedFontKey, vorn::kAdaptedDefaultFont);
    if (vorn::IsPlainFontName(font))
        look.adaptedFont = font;
    look.boxedResults = file.ReadInteger(kSheetLookSection, kBoxedResultsKey, 0) == 1;
    return look;
}

void WriteSheetLook(const ProfileFile& file, const vorn::SheetLook& look) {
    SectionUpdate update;
    update.WriteString(kSheetLayoutKey, look.Adapted() ? kAdapted : kStandard);
    update.WriteString(kAdaptedFontKey, look.adaptedFont);
    update.WriteBool(kBoxedResultsKey, look.boxedResults);
    file.WriteSection(kSheetLookSection, update);
}
