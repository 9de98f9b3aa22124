#include "richtext/html_writer.h"

#include "richtext/rtf_block_layout.h"

#include <QBrush>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>

namespace vorn {
namespace {

QString Points(int twips) {
    return QString::number(twips / 20.0) + QStringLiteral("pt");
}

// Margins are written long-hand with their unit and the paragraph takes the
// size of its own mark: LibreOffice ignores "margin:0" and would space the
// lines by its default 12 points.
QString ParagraphStyle(const QTextBlock& block, const QFont& defaultFont) {
    const RtfParaProps props = ParaPropsOf(block, false);
    QString style = QStringLiteral("margin-top:0pt;margin-bottom:0pt;white-space:pre-wrap");
    qreal points = block.charFormat().fontPointSize();
    if (points <= 0)
        points = defaultFont.pointSizeF();
    if (points > 0)
        style += QStringLiteral(";font-size:%1pt").arg(points);
    const auto length = [&style](const char* name, int twips) {
        if (twips != 0)
            style += QStringLiteral(";%1:%2").arg(QLatin1String(name), Points(twips));
    };
    length("margin-left", props.leftIndent);
    length("margin-right", props.rightIndent);
    length("text-indent", props.firstIndent);
    length("margin-top", props.spaceBefore);
    length("margin-bottom", props.spaceAfter);
    switch (props.align) {
    case RtfParaProps::Align::Left:
        break;
    case RtfParaProps::Align::Center:
        style += QStringLiteral(";text-align:center");
        break;
    case RtfParaProps::Align::Right:
        style += QStringLiteral(";text-align:right");
        break;
    case RtfParaProps::Align::Justify:
        style += QStringLiteral(";text-align:justify");
        break;
    }
    return style;
}

QString ColourOf(const QTextCharFormat& format, QTextFormat::Property property) {
    if (!format.hasProperty(property))
        return {};
    const QBrush brush = format.brushProperty(property);
    return brush.style() == Qt::NoBrush ? QString() : brush.color().name();
}

QString RunStyle(const QTextCharFormat& format, const QFont& defaultFont) {
    const QStringList families = format.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? defaultFont.family() : families.first();
    qreal points = format.fontPointSize();
    if (points <= 0)
        points = defaultFont.pointSizeF();
    QString style = QStringLiteral("font-family:'%1'").arg(family.toHtmlEscaped());
    if (points > 0)
        style += QStringLiteral(";font-size:%1pt").arg(points);
    if (format.fontWeight() >= QFont::DemiBold)
        style += QStringLiteral(";font-weight:bold");
    if (format.fontItalic())
        style += QStringLiteral(";font-style:italic");
    if (format.fontUnderline() || format.fontStrikeOut())
        style += QStringLiteral(";text-decoration:%1%2")
                     .arg(format.fontUnderline() ? QStringLiteral(" underline") : QString(),
                          format.fontStrikeOut() ? QStringLiteral(" line-through") : QString());
    if (const QString colour = ColourOf(format, QTextFormat::ForegroundBrush); !colour.isEmpty())
        style += QStringLiteral(";color:") + colour;
    if (const QString colour = ColourOf(format, QTextFormat::BackgroundBrush); !colour.isEmpty())
        style += QStringLiteral(";background:") + colour;
    return style;
}

QString Escaped(const QString& text) {
    const QStringList lines = text.split(QChar::LineSeparator);
    QString out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += QStringLiteral("<br>"); // a line break inside the paragraph
        QString line = QString(lines[i]).remove(QChar::ObjectReplacementCharacter).toHtmlEscaped();
        // A run of spaces (a worked line's indent) stays as wide in readers
        // that collapse spaces whatever the style says, as LibreOffice does.
        for (qsizetype at = 0; at < line.size(); ++at)
            if (line[at] == u' ' && (at == 0 || line[at - 1] == u' ' || line[at - 1] == u'\u00A0'))
                line[at] = u'\u00A0';
        out += line;
    }
    return out;
}

} // namespace

QString WriteHtml(const QTextDocument& doc) {
    QString html =
        QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body>\n");
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        html += QStringLiteral("<p style=\"%1\">").arg(ParagraphStyle(block, doc.defaultFont()));
        bool empty = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || fragment.length() == 0)
                continue;
            const QTextCharFormat format = fragment.charFormat();
            const char* raise =
                format.verticalAlignment() == QTextCharFormat::AlignSuperScript ? "sup"
                : format.verticalAlignment() == QTextCharFormat::AlignSubScript ? "sub"
                                                                                : nullptr;
            QString run = QStringLiteral("<span style=\"%1\">%2</span>")
                              .arg(RunStyle(format, doc.defaultFont()), Escaped(fragment.text()));
            if (raise)
                run = QStringLiteral("<%1>%2</%1>").arg(QLatin1String(raise), run);
            html += run;
            empty = false;
        }
        // An empty paragraph keeps its line.
        html += empty ? QStringLiteral("<br></p>\n") : QStringLiteral("</p>\n");
    }
    html += QStringLiteral("</body></html>\n");
    return html;
}

} // namespace vorn
