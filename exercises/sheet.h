#pragma once

#include "exercises/random_source.h"
#include "exercises/sheet_look.h"

#include <string>

namespace vorn {

struct FrameParts;

// The largest question count a sheet may have (the question spin edit's
// maximum); the no-repeat draw of x relies on it.
inline constexpr int kMaxQuestionCount = 40;
// Separator lines are capped so that a huge setting cannot make every sheet
// arbitrarily large.
inline constexpr int kMaxSeparatorLength = 1000;
// The most different sheets of one kind made at once, one per pupil: a class
// and then some.
inline constexpr int kMaxSheetSetSize = 200;

// What a generation reads from the window.
struct SheetSettings {
    int questionCount = 20; // 0 or less builds the headers only; above 40 is refused
    // Windows-1252 bytes, characters it lacks as references (see
    // Utf8ToCp1252Referenced); shown as typed (see EscapeTitle)
    std::string title;
    int separatorLength = 120; // hyphens per separator line; <= 0 gives an empty line
    int spacingLines = 1;      // "<br>" after each statement question but the last
    // Set by a composed sheet only: the frame then hands back the parts of
    // the generation instead of a sheet (see FrameParts). Families pass it on
    // untouched.
    FrameParts* parts = nullptr;
    // The layout shapes the markup (headers, room under the questions); the
    // rest of the look is applied when the markup becomes RTF.
    SheetLook look;
};

// What a generation produces. Markup strings are Windows-1252 bytes.
struct Sheet {
    std::string reference;
    std::string statement;
    std::string answerKey;
    // The look it was drawn with, which its conversion to RTF applies.
    SheetLook look;
};

} // namespace vorn
