#pragma once

#include "exercises/composition.h"
#include "settings/profile_file.h"

#include <string_view>

// The last composed sheet's exercises, kept between runs in a section of the
// settings file of its own, so that the window's section keeps its format
// and a program that does not know it skips it.
inline constexpr std::string_view kCompositionSection = "Composition";
inline constexpr std::string_view kCompositionKey = "Exercices";

// The stored composition; the default one when the section or the key is
// missing or holds anything that is not a composition the program can make.
vorn::Composition ReadLastComposition(const ProfileFile& file);

// Stores it, leaving every other section and key as it was. Throws
// vorn::UserError as ProfileFile::WriteString does.
void WriteLastComposition(const ProfileFile& file, const vorn::Composition& composition);
