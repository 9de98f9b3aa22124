#include "richtext/rich_text_pane.h"

#include <QFont>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

// Exposes the paste entry point that a drop or Ctrl+V reaches.
class PastePane : public RichTextPane {
public:
    using RichTextPane::insertFromMimeData;
    using RichTextPane::RichTextPane;
};

const QString kSample = QStringLiteral("HHHH");

// The size in points that a saved RTF states for the sample: the last \fs
// before it, or RTF's own default of 12 points.
double SavedPoints(const RichTextPane& pane) {
    QByteArray rtf;
    pane.StreamOut(RichTextPane::StreamFormat::Rtf, [&rtf](const char* data, qint64 size) {
        rtf.append(data, size);
        return 0;
    });
    const QString text = QString::fromLatin1(rtf);
    const qsizetype at = text.indexOf(kSample);
    EXPECT_GE(at, 0) << rtf.constData();
    double points = 12;
    QRegularExpression fs(QStringLiteral("\\\\fs(\\d+)"));
    for (auto it = fs.globalMatch(text.left(at)); it.hasNext();)
        points = it.next().captured(1).toInt() / 2.0;
    return points;
}

QImage Page(int dpi, QSize inches) {
    QImage image(inches * dpi, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    return image;
}

// Height in pixels of everything drawn darker than mid-grey.
int InkHeight(const QImage& image) {
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(line[x]) < 128) {
                if (top < 0)
                    top = y;
                bottom = y;
                break;
            }
        }
    }
    return top < 0 ? 0 : bottom - top + 1;
}

// Ink height of the sample per point of Arial at that resolution, drawn
// directly with a font of a known size.
double InkPerPoint(int dpi) {
    constexpr double kPoints = 40;
    QImage image = Page(dpi, QSize(6, 2));
    {
        QPainter painter(&image);
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(kPoints);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(dpi / 4.0, dpi * 1.5), kSample);
    }
    return InkHeight(image) / kPoints;
}

// The size in points at which the pane prints the sample on a page of that
// resolution, measured from the ink of the printed glyphs.
double PrintedPoints(RichTextPane& pane, int dpi) {
    QImage image = Page(dpi, QSize(4, 1));
    {
        QPainter painter(&image);
        const QRect rect(0, 0, 4 * 1440, 1440);
        pane.FormatRangeRelease();
        pane.FormatRange(painter, rect, rect, 0, true);
    }
    return InkHeight(image) / InkPerPoint(dpi);
}

struct Entry {
    const char* name;
    std::function<void(PastePane&)> fill;
};

TEST(PanePrintSize, TypedPastedAndGeneratedTextPrintAtTheSavedSize) {
    const Entry entries[] = {
        {"typed",
         [](PastePane& pane) {
             pane.SetText(" ");
             pane.SetReadOnly(false);
             pane.moveCursor(QTextCursor::End);
             QTest::keyClicks(&pane, kSample);
         }},
        {"pasted HTML",
         [](PastePane& pane) {
             pane.SetText(" ");
             pane.SetReadOnly(false);
             QMimeData html;
             html.setHtml(QStringLiteral("<p>") + kSample + QStringLiteral("</p>"));
             pane.insertFromMimeData(&html);
         }},
        {"pasted HTML in pixels",
         [](PastePane& pane) {
             pane.SetText(" ");
             pane.SetReadOnly(false);
             QMimeData html;
             html.setHtml(QStringLiteral("<span style=\"font-size:32px\">") + kSample +
                          QStringLiteral("</span>"));
             pane.insertFromMimeData(&html);
         }},
        {"generated", [](PastePane& pane) { MarkupToRtf(pane, "<te=20>HHHH"); }},
    };
    for (const Entry& entry : entries) {
        // The window's font is in pixels, as designed; the pane inherits it.
        QWidget window;
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(13);
        window.setFont(font);
        PastePane pane(&window);
        pane.resize(400, 200);
        entry.fill(pane);
        ASSERT_TRUE(pane.GetText().contains(kSample)) << entry.name;
        const double saved = SavedPoints(pane);
        for (const int dpi : {300, 600, 1200})
            EXPECT_NEAR(PrintedPoints(pane, dpi), saved, 0.5) << entry.name << " at " << dpi;
    }
}

} // namespace
