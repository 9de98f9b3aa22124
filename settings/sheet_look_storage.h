#pragma once

#include "exercises/sheet_look.h"
#include "settings/profile_file.h"

#include <string_view>

// The look of the sheets (layout, type of the adapted sheets, boxed results),
// kept between runs in a section of its own, so that the window's section
// keeps its format and a program that does not know it skips it.
inline constexpr std::string_view kSheetLookSection = "MiseEnPage";
inline constexpr std::string_view kSheetLayoutKey = "Disposition"; // "Standard" or "Adaptee"
inline constexpr std::string_view kAdaptedFontKey = "Police";
inline constexpr std::string_view kBoxedResultsKey = "ResultatsEncadres"; // 1 or 0

// The stored look; each value that is missing or damaged reads as the
// standard look's.
vorn::SheetLook ReadSheetLook(const ProfileFile& file);

// Stores it, leaving every other section and key as it was. Throws
// vorn::UserError as ProfileFile::WriteSection does.
void WriteSheetLook(const ProfileFile& file, const vorn::SheetLook& look);
