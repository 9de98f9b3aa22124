#pragma once

#include "exercises/family_table.h"

#include <QString>

#include <string_view>
#include <vector>

class QTextDocument;

namespace vorn_test {

// How one character of a generated sheet must look, worked out from the
// markup by the test's own reading of the tags the generators use.
struct ExpectedChar {
    QChar ch;
    bool bold = false, italic = false, underline = false, superscript = false;
    bool highlighted = false; // yellow background
    bool times = false;       // Times New Roman, else Arial
    int halfPoints = 0;
};

// Paragraph breaks are '\n', tabs '\t'. Fails the test on a tag or byte the
// generators do not write.
std::vector<ExpectedChar> ReadGeneratedMarkup(std::string_view markup);
QString TextOf(const std::vector<ExpectedChar>& chars);
void ExpectDocumentLooksLike(const QTextDocument& doc, const std::vector<ExpectedChar>& expected);

vorn::Sheet MakeSheet(const vorn::SheetKind& kind, int questions, int spacing,
                      unsigned seed = 12345);

} // namespace vorn_test
