#include "richtext/question_lines.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

namespace vorn {

namespace {

// "12°/ …": the digits of the number, then the degree sign and the slash.
bool IsQuestionLine(const QString& text) {
    int digits = 0;
    while (digits < text.size() && text[digits].isDigit())
        ++digits;
    return digits > 0 && QStringView(text).sliced(digits).startsWith(u"\u00B0/");
}

// A worked line: spaces first, then something other than spaces.
bool IsWorkedLine(const QString& text) {
    if (text.isEmpty() || text[0] != u' ')
        return false;
    for (const QChar c : text)
        if (!c.isSpace())
            return true;
    return false;
}

// "Exercice 2 : Factoriser …", the heading of one exercise of a sheet.
bool IsHeading(const QString& text) {
    static const QRegularExpression heading(QStringLiteral("^Exercice \\d+ : "));
    return heading.match(text).hasMatch();
}

bool InDocumentFlow(const QTextBlock& block) {
    return QTextCursor(block).currentFrame() == block.document()->rootFrame();
}

} // namespace

std::vector<int> QuestionOfEachParagraph(const QTextDocument& doc) {
    std::vector<int> question;
    question.reserve(std::size_t(doc.blockCount()));
    int count = 0;
    bool inQuestion = false;
    bool afterHeading = false; // an exercise's heading waits for its first question
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (inQuestion && IsWorkedLine(text) && InDocumentFlow(block)) {
            question.push_back(count - 1);
            continue;
        }
        inQuestion = false;
        if (IsHeading(text) && InDocumentFlow(block)) {
            afterHeading = true;
            question.push_back(count++);
            continue;
        }
        if (afterHeading && text.trimmed().isEmpty()) {
            question.push_back(count - 1);
            continue;
        }
        const QTextBlock next = block.next();
        const bool worked = next.isValid() && IsWorkedLine(next.text());
        if (afterHeading && InDocumentFlow(block)) { // the heading's first line
            inQuestion = worked && IsQuestionLine(text);
            question.push_back(count - 1);
        } else if (IsQuestionLine(text) && worked && InDocumentFlow(block)) {
            inQuestion = true;
            question.push_back(count++);
        } else {
            question.push_back(-1);
        }
        afterHeading = false;
    }
    return question;
}

} // namespace vorn
