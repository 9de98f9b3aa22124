#pragma once

#include <vector>

class QTextDocument;

namespace vorn {

// A question of a sheet is its line "N°/ …" and the worked lines under it,
// each indented by spaces, as the answer key writes them. A page must not
// break inside one: the page layout keeps them together and the RTF writer
// marks them "keep with next" for other readers. An exercise's heading
// ("Exercice 2 : …") goes with its first question. Lines in tables are never
// a question's.

// For each paragraph of `doc`, in order, the number of the question it is a
// line of (counting from 0), or -1 for a paragraph outside any question of
// two lines or more and outside any heading.
std::vector<int> QuestionOfEachParagraph(const QTextDocument& doc);

} // namespace vorn
