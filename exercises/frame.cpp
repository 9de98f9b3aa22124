#include "exercises/frame.h"

#include "exercises/markup_append.h"
#include "exercises/terms.h"
#include "text/cp1252.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <stdexcept>

namespace vorn {

namespace {

// The longest question line any family writes, with room to spare.
constexpr std::size_t kMaxQuestionLine = 320;
// The longest header, its title and its separator line left out.
constexpr std::size_t kMaxHeader = 400;

void AppendTitleByte(std::string& escaped, char c) {
    if (c == '<') {
        escaped += "<lt>";
        return;
    }
    if (c == '\\' || c == '{' || c == '}')
        escaped += '\\';
    escaped += c;
}

// RTF's Unicode escape, "?" standing in for readers without Unicode: a 16-bit
// unit as a signed number, two of them for a character beyond U+FFFF.
void AppendUnicodeEscape(std::string& escaped, char32_t cp) {
    const auto unit = [&escaped](std::uint32_t u) {
        escaped += "\\u";
        escaped += std::to_string(u > 0x7FFF ? static_cast<int>(u) - 0x10000 : static_cast<int>(u));
        escaped += '?';
    };
    if (cp > 0xFFFF) {
        unit(0xD800 + ((cp - 0x10000) >> 10));
        unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
        unit(cp);
    }
}

// The title of an adapted sheet: what comes before the pupil's name, which
// its header asks on lines of its own. The name's place starts at a word
// "Nom" followed by a colon, spaces between allowed.
std::string_view TitleBeforeName(std::string_view title) {
    for (std::size_t at = title.find("Nom"); at != std::string_view::npos;
         at = title.find("Nom", at + 1)) {
        if (at > 0 && title[at - 1] != ' ')
            continue;
        const std::size_t colon = title.find_first_not_of(' ', at + 3);
        if (colon != std::string_view::npos && title[colon] == ':') {
            title = title.substr(0, at);
            break;
        }
    }
    return title.substr(0, title.find_last_not_of(' ') + 1);
}

// Both headers: the reference and the title, then the answer key's word.
void AppendHeaders(Sheet& sheet, std::string_view title, std::string_view titleClose,
                   const SheetLook& look) {
    if (look.Adapted()) {
        constexpr std::string_view kName =
            "<br><te=18>Nom :<br>Pr\xE9nom :<br><br><ce=noir><te=18>";
        const std::string_view before = TitleBeforeName(title);
        Append(sheet.statement, "<te=24>", sheet.reference, " - <b>", before, "</b>", kName);
        Append(sheet.answerKey, "<te=24>", sheet.reference, " - <b>Corrig\xE9</b> - ", before,
               kName);
        return;
    }
    Append(sheet.statement, "<te=24>", sheet.reference, " - <b><u>", title, titleClose,
           "<ce=noir><te=18>");
    Append(sheet.answerKey, "<te=24>", sheet.reference, " - <b><u>Corrig\xE9</u></b> - ", title,
           "<br><br><br><ce=noir><te=18>");
}

// The frame's work for a composed sheet (see FrameParts): the same draws in
// the same order as a sheet of its own, the reference and headers left out.
void RunParts(FrameParts& parts, FamilyDraws& family, std::string_view separator,
              RandomSource& random) {
    parts.line.clear();
    family.DrawSheet(random, separator, parts.line);
    parts.statements.assign(parts.exerciseCounts.size(), {});
    parts.answers.assign(parts.exerciseCounts.size(), {});
    // The statements given so far, each without its number. Most families
    // never repeat a question on a sheet; for those that may, a repeat here
    // would show across two exercises as well, so it is drawn again, at most
    // kMaxDraws times in all, as those families do.
    constexpr int kMaxDraws = 50;
    std::set<std::string, std::less<>> given;
    for (std::size_t e = 0; e < parts.exerciseCounts.size(); ++e) {
        const int count = parts.exerciseCounts[e];
        std::string& s = parts.statements[e];
        std::string& k = parts.answers[e];
        s.reserve(static_cast<std::size_t>(count) * (kMaxQuestionLine + parts.statementGap.size()));
        for (int i = 1; i <= count; ++i) {
            const std::size_t statementStart = s.size();
            const std::size_t answerStart = k.size();
            for (int draws = 1;; ++draws) {
                family.DrawQuestion(i, random, s, k);
                std::string_view question = std::string_view(s).substr(statementStart);
                question.remove_prefix(std::min(question.size(), question.find("\xB0/")));
                if (given.emplace(question).second || draws == kMaxDraws)
                    break;
                s.resize(statementStart);
                k.resize(answerStart);
            }
            if (i < count) {
                s += parts.statementGap;
                k += parts.answerGap;
            }
        }
    }
}

// The blank lines between a statement question and the gap's separator: the
// window's spacing, plus the room to write that an adapted sheet gives.
int StatementSpacing(const SheetSettings& settings) {
    return settings.spacingLines + (settings.look.Adapted() ? kAdaptedBlankLines : 0);
}

// An adapted statement leaves the same room under its last question as under
// the others; the standard one ends with that question.
void AppendRoomUnderLast(std::string& statement, const SheetSettings& settings) {
    if (settings.look.Adapted())
        statement += SpacingLines(StatementSpacing(settings));
}

} // namespace

std::string EscapeTitle(std::string_view title) {
    std::string escaped;
    escaped.reserve(title.size());
    for (std::size_t pos = 0; pos < title.size();) {
        const auto reference = CharacterReferenceAt(title, pos);
        if (!reference) {
            AppendTitleByte(escaped, title[pos++]);
            continue;
        }
        pos += reference->length;
        if (const int byte = UnicodeToCp1252(reference->codePoint); byte >= 0)
            AppendTitleByte(escaped, static_cast<char>(byte));
        else
            AppendUnicodeEscape(escaped, reference->codePoint);
    }
    return escaped;
}

std::string DrawSheetReference(std::string_view prefix, RandomSource& random) {
    std::string reference(prefix);
    for (int i = 0; i < 3; ++i) {
        const int n = random.Random(100);
        if (n >= 0 && n < 10)
            reference += '0';
        Append(reference, n);
    }
    return reference;
}

Sheet RunFrame(const FrameLayout& layout, FamilyDraws& family, const SheetSettings& settings,
               RandomSource& random) {
    const int count = settings.questionCount;
    // The no-repeat draw of x has 50 candidates: refusing larger counts up
    // front keeps every generation finite.
    if (count > kMaxQuestionCount)
        throw std::out_of_range("question count " + std::to_string(count) + " is above " +
                                std::to_string(kMaxQuestionCount));

    const std::string separator = SeparatorLine(settings.separatorLength);
    // The gaps between two questions, in the statement and in the answer key.
    std::string statementGap = SpacingLines(StatementSpacing(settings));
    Append(statementGap, separator, layout.gapEnd);
    std::string answerGap;
    Append(answerGap, separator, layout.gapEnd);

    if (FrameParts* parts = settings.parts) {
        int total = 0;
        for (const int n : parts->exerciseCounts)
            total += n > 0 ? n : 0;
        if (total != count)
            throw std::invalid_argument("the exercises hold " + std::to_string(total) +
                                        " questions, not " + std::to_string(count));
        parts->statementGap = statementGap;
        parts->answerGap = answerGap;
        RunParts(*parts, family, separator, random);
        return {};
    }

    // The markup reads "<" as the start of a tag and hands "\", "{" and "}"
    // to RTF as syntax; typed in a title they are text.
    const std::string title = EscapeTitle(settings.title);

    Sheet sheet;
    sheet.reference = DrawSheetReference(layout.prefix, random);
    sheet.look = settings.look;
    std::string& s = sheet.statement;
    std::string& k = sheet.answerKey;

    // Reserving everything up front leaves one allocation per text.
    const std::size_t header = kMaxHeader + title.size() + separator.size();
    const std::size_t questions = count > 0 ? static_cast<std::size_t>(count) : 0;
    s.reserve(header + questions * (kMaxQuestionLine + statementGap.size()));
    const std::size_t answer = std::max(kMaxQuestionLine, layout.longestAnswer);
    k.reserve(header + questions * (answer + answerGap.size()));

    AppendHeaders(sheet, title, layout.titleClose, settings.look);
    // Both headers end with the same expression line.
    const std::size_t lineStart = s.size();
    family.DrawSheet(random, separator, s);
    k.append(s, lineStart);

    for (int i = 1; i <= count; ++i) {
        family.DrawQuestion(i, random, s, k);
        if (i < count) {
            s += statementGap;
            k += answerGap;
        }
    }
    AppendRoomUnderLast(s, settings);
    return sheet;
}

Sheet ComposeFrame(std::string reference, const SheetSettings& settings,
                   std::span<const ExercisePart> exercises) {
    const std::string separator = SeparatorLine(settings.separatorLength);
    std::string statementGap = SpacingLines(StatementSpacing(settings));
    Append(statementGap, separator, "<br><br>");
    std::string answerGap;
    Append(answerGap, separator, "<br><br>");

    const std::string title = EscapeTitle(settings.title);
    Sheet sheet;
    sheet.reference = std::move(reference);
    sheet.look = settings.look;
    std::size_t statementSize = kMaxHeader + title.size();
    std::size_t answerSize = statementSize;
    for (const ExercisePart& e : exercises) {
        statementSize += kMaxHeader + e.line.size() + e.statement.size() + statementGap.size();
        answerSize += kMaxHeader + e.line.size() + e.answer.size() + answerGap.size();
    }
    sheet.statement.reserve(statementSize);
    sheet.answerKey.reserve(answerSize);
    AppendHeaders(sheet, title, "</u></b><br><br><br>", settings.look);

    int number = 0;
    for (const ExercisePart& e : exercises) {
        if (number > 0) {
            sheet.statement += statementGap;
            sheet.answerKey += answerGap;
        }
        ++number;
        // A family whose line is its instruction says it once, in the heading.
        const bool lineIsInstruction = e.line.size() == e.instruction.size() + 8 &&
                                       e.line.starts_with(e.instruction) &&
                                       e.line.ends_with("<br><br>");
        const std::string_view line = lineIsInstruction ? std::string_view{} : e.line;
        for (std::string* text : {&sheet.statement, &sheet.answerKey})
            Append(*text, "<b>Exercice ", number, " : </b>", e.instruction, "<br><br>", line);
        sheet.statement += e.statement;
        sheet.answerKey += e.answer;
    }
    AppendRoomUnderLast(sheet.statement, settings);
    return sheet;
}

} // namespace vorn
