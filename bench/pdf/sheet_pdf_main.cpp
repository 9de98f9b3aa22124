// sheet-pdf: the answer key of a generated sheet printed to PDF as one whole
// process, for comparing with other programs' conversion of the same document.
// Takes the command line of vorn-sheet with "-o FILE.pdf"; the answer key (the
// larger document: every question with its highlighted result) is laid out on
// A4 as the print command lays a pane out.
//
// Only what a PDF needs is started: a QGuiApplication on the offscreen
// platform, no widgets and no window.

#include "exercises/family_table.h"
#include "exercises/random_source.h"
#include "richtext/markup_converter.h"
#include "richtext/page_layout.h"
#include "richtext/rtf_reader.h"
#include "richtext/tab_stops.h"
#include "tools/sheet_options.h"
#include "tools/sheet_tool.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

// Lays `markup` out page by page on an A4 PDF at the printer's 1200 dpi.
bool WritePdf(const std::string& markup, const QString& fileName) {
    const std::string rtf = vorn::ConvertMarkupToRtf(markup);
    QTextDocument doc;
    vorn::ReadRtf(QByteArray(rtf.data(), qsizetype(rtf.size())), doc);
    vorn::ApplyDefaultTabStops(doc);

    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(1200);
    QPainter painter(&writer);
    // The page through twips and back, rounded as the print command does.
    const int dpi = writer.logicalDpiX();
    const int widthTwips = writer.width() * 1440 / dpi;
    const int heightTwips = writer.height() * 1440 / dpi;
    const QRectF page(0, 0, qreal(widthTwips) * dpi / 1440, qreal(heightTwips) * dpi / 1440);
    vorn::PageLayout::Key key;
    key.device = &writer;
    key.deviceType = writer.devType();
    key.dpiX = dpi;
    key.dpiY = writer.logicalDpiY();
    key.width = int(qint64(widthTwips) * dpi / 1440);
    const vorn::PageLayout layout(doc, 0, writer, key);
    for (int pos = 0;;) {
        vorn::PageLayout::Range range;
        if (!layout.Fit(pos, page.height(), range))
            break;
        layout.Draw(painter, range, page, page);
        if (range.next >= layout.textLength() || range.next <= pos)
            break;
        writer.newPage();
        pos = range.next;
    }
    painter.end();
    file.close();
    return file.error() == QFileDevice::NoError;
}

} // namespace

int main(int argc, char** argv) {
    using namespace vorn::sheet_tool;
    Options options;
    try {
        options = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& e) {
        std::cerr << "sheet-pdf: " << e.what() << '\n';
        return kExitUsage;
    }
    if (options.output != OutputMode::Files) {
        std::cerr << "sheet-pdf: -o FILE.pdf is needed\n";
        return kExitUsage;
    }
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    vorn::LcgRandom random(options.seed.value_or(ClockSeed()));
    const vorn::Sheet sheet = options.recipe.Generate(options.settings, random);
    const QString path = QString::fromStdString(options.outputPath);
    if (!WritePdf(sheet.answerKey, path)) {
        std::cerr << "sheet-pdf: cannot write " << options.outputPath << '\n';
        return kExitFailure;
    }
    return kExitOk;
}
