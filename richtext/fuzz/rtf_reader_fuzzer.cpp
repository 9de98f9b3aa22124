// Feeds arbitrary bytes to the RTF reader, then writes what was read and reads
// it again: no input may crash, hang or grow memory beyond its size.
#include "richtext/plain_text_writer.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Fonts need a GUI application; no display is involved.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument doc;
    vorn::ReadRtf(input, doc);
    // Each character of the text costs at least one byte of input.
    if (doc.characterCount() - 1 > static_cast<int>(size))
        std::abort();
    const QByteArray rtf = vorn::WriteRtf(doc);
    QTextDocument again;
    vorn::ReadRtf(rtf, again);
    if (again.toPlainText() != doc.toPlainText())
        std::abort();
    (void)vorn::WritePlainText(again);
    return 0;
}
