#pragma once

#include <QByteArray>
#include <QString>
#include <QTextDocument>

#include <memory>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

namespace vorn::test {

// The character formatting a test looks at, in plain terms.
struct Look {
    QString family;
    double points = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int valign = 0;                     // 0 normal, 1 superscript, 2 subscript
    std::optional<unsigned> foreground; // 0xRRGGBB; none is the default colour
    std::optional<unsigned> background; // none is no background
    bool operator==(const Look&) const = default;

    Look& Bold() { return bold = true, *this; }
    Look& Italic() { return italic = true, *this; }
    Look& Underline() { return underline = true, *this; }
    Look& Strike() { return strike = true, *this; }
    Look& Valign(int v) { return valign = v, *this; }
    Look& Fg(unsigned rgb) { return foreground = rgb, *this; }
    Look& Bg(unsigned rgb) { return background = rgb, *this; }
};
Look LookIn(const QString& family, double points);

// One character with its formatting. Each paragraph ends with a U+2029 that
// carries its mark's formatting when the paragraph is empty (what gives the
// empty line its height).
struct Styled {
    QChar c;
    Look look;
    bool operator==(const Styled&) const = default;
};

std::unique_ptr<QTextDocument> Read(std::string_view rtf);
std::unique_ptr<QTextDocument> Read(const QByteArray& rtf);
// Block texts joined by "\n".
QString TextOf(const QTextDocument& doc);
std::vector<Styled> StyledOf(const QTextDocument& doc);
// The formatting of the first character of the first occurrence of `needle`.
Look LookOf(const QTextDocument& doc, const QString& needle);
// Same text and the same formatting character by character.
void ExpectSameLooks(const QTextDocument& expected, const QTextDocument& actual);
QString U(std::u16string_view s);

void PrintTo(const Look& look, std::ostream* os);

} // namespace vorn::test

void PrintTo(const QString& s, std::ostream* os);
