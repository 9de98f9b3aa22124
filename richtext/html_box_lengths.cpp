#include "richtext/html_box_lengths.h"

#include <QRegularExpression>

#include <functional>

namespace vorn {
namespace {

// Screen pixels per unit, at 96 pixels to the inch.
qreal PixelsPer(const QString& unit) {
    const QString u = unit.toLower();
    if (u == u"pt")
        return 96.0 / 72;
    if (u == u"pc")
        return 16;
    if (u == u"in")
        return 96;
    if (u == u"cm")
        return 96 / 2.54;
    return 96 / 25.4; // mm
}

QString Replaced(const QString& text, const QRegularExpression& pattern,
                 const std::function<QString(const QRegularExpressionMatch&)>& replace) {
    QString result;
    qsizetype done = 0;
    for (auto it = pattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(text).mid(done, match.capturedStart() - done);
        result += replace(match);
        done = match.capturedEnd();
    }
    result += QStringView(text).mid(done);
    return result;
}

// The declarations of one style attribute or style sheet, the box lengths in
// pixels.
QString DeclarationsInPixels(const QString& css) {
    static const QRegularExpression declaration(
        QStringLiteral("((?:margin(?:-left|-right|-top|-bottom)?|text-indent)\\s*:)([^;}]*)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression length(
        QStringLiteral("(-?(?:\\d+\\.?\\d*|\\.\\d+))\\s*(pt|pc|in|cm|mm)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return Replaced(css, declaration, [](const QRegularExpressionMatch& d) {
        return d.captured(1) +
               Replaced(d.captured(2), length, [](const QRegularExpressionMatch& l) {
                   const qreal pixels = l.captured(1).toDouble() * PixelsPer(l.captured(2));
                   return QString::number(pixels, 'f', 2) + QStringLiteral("px");
               });
    });
}

} // namespace

QString WithPixelBoxLengths(const QString& html) {
    // A style sheet, or a tag and the value of its style attribute.
    static const QRegularExpression styled(
        QStringLiteral("(<style\\b[^>]*>)(.*?)(</style\\s*>)|"
                       "(<[a-z][^>]*?\\bstyle\\s*=\\s*)(\"[^\"]*\"|'[^']*')"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return Replaced(html, styled, [](const QRegularExpressionMatch& m) {
        if (m.capturedLength(1) > 0)
            return m.captured(1) + DeclarationsInPixels(m.captured(2)) + m.captured(3);
        return m.captured(4) + DeclarationsInPixels(m.captured(5));
    });
}

} // namespace vorn
