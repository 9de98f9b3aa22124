#pragma once

#include "exercises/sheet.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::test {

// One question of a sheet whose answer key shows the working, as the key
// writes it, still in markup: the question line after "N°/ ", every line
// stood in under it (its six blanks left out) and the highlighted result.
// The result line may stand one blank less in: the highlight's own blank
// makes up for it.
struct WorkedAnswer {
    std::string question;
    std::vector<std::string> steps;
    std::string result; // between "<cf=jaune> " and " <cf=auto>"
};

// The lines of a markup text, each of which must end with "<br>".
inline std::vector<std::string> MarkupLines(std::string_view markup) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = markup.find("<br>", start)) != std::string_view::npos;
         start = end + 4)
        lines.emplace_back(markup.substr(start, end - start));
    EXPECT_EQ(start, markup.size()) << "the markup does not end with a line break";
    return lines;
}

// The text after "N°/ " when `line` is a question line, numbered `number` or
// not (a wrong number fails the test); nothing otherwise.
inline bool QuestionText(const std::string& line, int number, std::string& text) {
    const std::size_t degree = line.find("\xB0/ ");
    if (line.empty() || !std::isdigit(static_cast<unsigned char>(line[0])) ||
        degree == std::string::npos)
        return false;
    EXPECT_EQ(line.substr(0, degree), std::to_string(number)) << "question out of order: " << line;
    text = line.substr(degree + 3);
    return true;
}

// Reads the questions of the answer key and checks that the statement holds
// the same ones in the same order, without a highlight, and that each answer
// ends with its one highlighted line.
inline std::vector<WorkedAnswer> ReadWorkedAnswers(const Sheet& sheet) {
    const std::string indent(6, ' ');
    std::vector<WorkedAnswer> answers;
    for (const std::string& line : MarkupLines(sheet.answerKey)) {
        std::string text;
        if (QuestionText(line, static_cast<int>(answers.size()) + 1, text)) {
            answers.push_back({text, {}, {}});
        } else if (line.starts_with(indent.substr(1)) && !answers.empty()) {
            WorkedAnswer& answer = answers.back();
            EXPECT_TRUE(answer.result.empty()) << "a line after the result: " << line;
            const std::size_t open = line.find("<cf=jaune> ");
            const std::size_t close = line.find(" <cf=auto>");
            if (open == std::string::npos) {
                EXPECT_TRUE(line.starts_with(indent)) << line;
                answer.steps.push_back(line.substr(indent.size()));
            } else if (!line.starts_with("     <times><cf=jaune> ") &&
                       !line.starts_with("      <times>=<cf=jaune> ")) {
                ADD_FAILURE() << "result out of line with the steps: " << line;
            }
            if (open == std::string::npos)
                continue;
            if (close == std::string::npos || close < open)
                ADD_FAILURE() << "highlight left open: " << line;
            else
                answer.result = line.substr(open + 11, close - open - 11);
        }
    }
    std::vector<std::string> statement;
    for (const std::string& line : MarkupLines(sheet.statement)) {
        std::string text;
        if (QuestionText(line, static_cast<int>(statement.size()) + 1, text))
            statement.push_back(text);
    }
    EXPECT_EQ(statement.size(), answers.size());
    // Typeset: the minus sign is U+2212, never a hyphen, and a coefficient
    // stands against x.
    for (const WorkedAnswer& answer : answers) {
        std::string lines = answer.question + answer.result;
        for (const std::string& step : answer.steps)
            lines += step;
        EXPECT_EQ(lines.find('-'), std::string::npos) << lines;
        for (std::size_t at = 0; (at = lines.find(" <i>x", at)) != std::string::npos; ++at)
            EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(lines[at - 1]))) << lines;
    }
    for (std::size_t i = 0; i < statement.size() && i < answers.size(); ++i) {
        EXPECT_EQ(statement[i], answers[i].question);
        EXPECT_FALSE(answers[i].result.empty()) << "no result: " << answers[i].question;
    }
    EXPECT_EQ(sheet.statement.find("<cf=jaune>"), std::string::npos);
    std::size_t highlights = 0;
    for (std::size_t at = 0; (at = sheet.answerKey.find("<cf=jaune>", at)) != std::string::npos;
         ++at)
        ++highlights;
    EXPECT_EQ(highlights, answers.size());
    return answers;
}

} // namespace vorn::test
