#include "sheet_model.h"

#include "exercises/random_source.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <gtest/gtest.h>

namespace vorn_test {

std::vector<ExpectedChar> ReadGeneratedMarkup(std::string_view markup) {
    std::vector<ExpectedChar> out;
    ExpectedChar s; // the current look
    for (size_t i = 0; i < markup.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(markup[i]);
        // The escapes of RTF that sheets hold: a character by its number
        // ("\\u8722?", the typeset minus) and RTF's own syntax characters, as
        // a title writes them.
        if (markup.substr(i, 2) == "\\u") {
            const size_t mark = markup.find('?', i);
            s.ch = QChar(std::stoi(std::string(markup.substr(i + 2, mark - i - 2))));
            out.push_back(s);
            i = mark;
            continue;
        }
        if (byte == '\\') {
            const char next = i + 1 < markup.size() ? markup[++i] : '\0';
            EXPECT_TRUE(next == '\\' || next == '{' || next == '}') << "lone backslash";
            s.ch = QLatin1Char(next);
            out.push_back(s);
            continue;
        }
        if (byte != '<') {
            // ASCII, the degree sign, e acute and the multiplication sign:
            // Latin-1 and Windows-1252 agree.
            EXPECT_TRUE((byte >= 32 && byte < 0x80 && byte != '{' && byte != '}') || byte == 0xB0 ||
                        byte == 0xE9 || byte == 0xD7)
                << "unexpected byte " << int(byte);
            s.ch = QChar(byte);
            out.push_back(s);
            continue;
        }
        const size_t close = markup.find('>', i);
        if (close == std::string_view::npos || close == i + 1) {
            ADD_FAILURE() << "unclosed or empty tag";
            break;
        }
        std::string tag(markup.substr(i + 1, close - i - 1));
        for (char& c : tag)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        i = close;
        const bool on = tag[0] != '/';
        const std::string name = on ? tag : tag.substr(1);
        if (name == "b")
            s.bold = on;
        else if (name == "i")
            s.italic = on;
        else if (name == "u")
            s.underline = on;
        else if (name == "sup")
            s.superscript = on;
        else if (tag == "times" || tag == "arial")
            s.times = tag == "times";
        else if (tag.rfind("te=", 0) == 0)
            s.halfPoints = std::stoi(tag.substr(3));
        else if (tag == "cf=jaune" || tag == "cf=auto")
            s.highlighted = tag == "cf=jaune";
        else if (tag == "br" || tag == "tab" || tag == "lt") {
            s.ch = QLatin1Char(tag == "br" ? '\n' : tag == "tab" ? '\t' : '<');
            out.push_back(s);
        } else
            EXPECT_EQ(tag, "ce=noir") << "tag the generators do not write";
    }
    return out;
}

QString TextOf(const std::vector<ExpectedChar>& chars) {
    QString text;
    for (const ExpectedChar& c : chars)
        text += c.ch;
    return text;
}

void ExpectDocumentLooksLike(const QTextDocument& doc, const std::vector<ExpectedChar>& expected) {
    std::vector<std::pair<QChar, QTextCharFormat>> actual;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            for (QChar ch : it.fragment().text())
                actual.emplace_back(ch, it.fragment().charFormat());
        if (block.next().isValid())
            actual.emplace_back(QLatin1Char('\n'), block.charFormat());
    }
    ASSERT_EQ(actual.size(), expected.size());
    int reported = 0;
    for (size_t i = 0; i < expected.size() && reported < 5; ++i) {
        const ExpectedChar& want = expected[i];
        const QTextCharFormat& got = actual[i].second;
        if (want.ch == QLatin1Char('\n') && actual[i].first == want.ch)
            continue; // a paragraph break has no look of its own
        const bool yellow = got.background().style() != Qt::NoBrush &&
                            got.background().color() == QColor(255, 255, 0);
        const bool ok =
            actual[i].first == want.ch && got.font().bold() == want.bold &&
            got.fontItalic() == want.italic && got.fontUnderline() == want.underline &&
            (got.verticalAlignment() == QTextCharFormat::AlignSuperScript) == want.superscript &&
            yellow == want.highlighted &&
            got.fontFamilies().toStringList().value(0) ==
                (want.times ? "Times New Roman" : "Arial") &&
            got.fontPointSize() == want.halfPoints / 2.0;
        if (!ok && ++reported)
            ADD_FAILURE() << "character " << i << " ('" << QString(want.ch).toStdString()
                          << "') does not look as its markup says";
    }
}

vorn::Sheet MakeSheet(const vorn::SheetKind& kind, int questions, int spacing, unsigned seed) {
    vorn::SheetSettings settings;
    settings.questionCount = questions;
    // Every character the markup or RTF would otherwise read as syntax.
    settings.title = "Feuille d'essai : x < 3 et x > 1, a<b>c \\ {d}";
    settings.spacingLines = spacing;
    vorn::LcgRandom random(seed);
    return vorn::GenerateSheet(kind, settings, random);
}

} // namespace vorn_test
