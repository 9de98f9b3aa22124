#include "tests/rtf/rtf_test_support.h"

#include "richtext/rtf_reader.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <gtest/gtest.h>

namespace vorn::test {

namespace {

Look LookOfFormat(const QTextCharFormat& f) {
    Look look;
    const QStringList families = f.property(QTextFormat::FontFamilies).toStringList();
    look.family = families.isEmpty() ? QString() : families.first();
    look.points = f.fontPointSize();
    look.bold = f.fontWeight() >= QFont::DemiBold;
    look.italic = f.fontItalic();
    look.underline = f.fontUnderline();
    look.strike = f.fontStrikeOut();
    const auto v = f.verticalAlignment();
    look.valign = v == QTextCharFormat::AlignSuperScript ? 1
                  : v == QTextCharFormat::AlignSubScript ? 2
                                                         : 0;
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        look.foreground = f.foreground().color().rgb() & 0xFFFFFF;
    if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
        look.background = f.background().color().rgb() & 0xFFFFFF;
    return look;
}

QString CharsOf(const std::vector<Styled>& styled) {
    QString s;
    for (const Styled& c : styled)
        s += c.c;
    return s;
}

} // namespace

Look LookIn(const QString& family, double points) {
    Look look;
    look.family = family;
    look.points = points;
    return look;
}

std::unique_ptr<QTextDocument> Read(std::string_view rtf) {
    return Read(QByteArray(rtf.data(), static_cast<qsizetype>(rtf.size())));
}

std::unique_ptr<QTextDocument> Read(const QByteArray& rtf) {
    auto doc = std::make_unique<QTextDocument>();
    ReadRtf(rtf, *doc);
    return doc;
}

QString TextOf(const QTextDocument& doc) {
    QString text;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        text += (b == doc.begin() ? QString() : QStringLiteral("\n")) + b.text();
    return text;
}

std::vector<Styled> StyledOf(const QTextDocument& doc) {
    std::vector<Styled> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const Look look = LookOfFormat(it.fragment().charFormat());
            for (const QChar c : it.fragment().text())
                out.push_back({c, look});
        }
        out.push_back({QChar(0x2029), b.length() <= 1 ? LookOfFormat(b.charFormat()) : Look{}});
    }
    return out;
}

Look LookOf(const QTextDocument& doc, const QString& needle) {
    const std::vector<Styled> styled = StyledOf(doc);
    const qsizetype pos = CharsOf(styled).indexOf(needle);
    if (pos < 0)
        return LookIn(QStringLiteral("<missing %1>").arg(needle), 0);
    return styled[static_cast<std::size_t>(pos)].look;
}

void ExpectSameLooks(const QTextDocument& expected, const QTextDocument& actual) {
    const std::vector<Styled> a = StyledOf(expected);
    const std::vector<Styled> b = StyledOf(actual);
    ASSERT_EQ(CharsOf(a), CharsOf(b));
    for (std::size_t i = 0; i < a.size(); ++i)
        ASSERT_EQ(a[i].look, b[i].look) << "at character " << i;
}

QString U(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

void PrintTo(const Look& l, std::ostream* os) {
    *os << '{' << l.family.toStdString() << ' ' << l.points << "pt" << (l.bold ? " bold" : "")
        << (l.italic ? " italic" : "") << (l.underline ? " underline" : "")
        << (l.strike ? " strike" : "") << " v" << l.valign << std::hex
        << " fg=" << (l.foreground ? static_cast<int>(*l.foreground) : -1)
        << " bg=" << (l.background ? static_cast<int>(*l.background) : -1) << std::dec << '}';
}

} // namespace vorn::test

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
