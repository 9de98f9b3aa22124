#include "tools/sheet_saver.h"

#include "output/pages/pdf_titles.h"
#include "output/print/current_printer.h"
#include "output/save/save_journal.h"
#include "output/save/save_sheets.h"
#include "richtext/rich_text_pane.h"
#include "text/cp1252.h"
#include "tools/sheet_tool.h"

#include <QApplication>
#include <QFile>
#include <QtGlobal>

#include <cstdio>
#include <memory>
#include <optional>

namespace vorn::sheet_tool {
namespace {

// Qt's remarks about the desktop it finds (no runtime folder, missing fonts)
// say nothing about the files written and would clutter a command line's
// error stream; critical and fatal messages still go through.
class QuietQtRemarks {
public:
    QuietQtRemarks() { previous_ = qInstallMessageHandler(&Handle); }
    ~QuietQtRemarks() { qInstallMessageHandler(previous_); }
    QuietQtRemarks(const QuietQtRemarks&) = delete;
    QuietQtRemarks& operator=(const QuietQtRemarks&) = delete;

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type != QtCriticalMsg && type != QtFatalMsg)
            return;
        if (previous_)
            previous_(type, context, message);
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }

    static inline QtMessageHandler previous_ = nullptr;
};

// The name as printable ASCII: each byte outside 32..126 as \xHH.
std::string Printable(const std::string& name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte < 127) {
            text += c;
        } else {
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 15];
        }
    }
    return text;
}

} // namespace

void SaveSheetFiles(const std::vector<Sheet>& sheets, const std::string& path,
                    const std::string& recipe) {
    // Qt names files in UTF-8: other bytes would be replaced, and the sheet
    // would land under a name nobody gave.
    if (QFile::encodeName(QFile::decodeName(path.c_str())).toStdString() != path)
        throw FileNameError("-o " + Printable(path) +
                            ": the file name is not valid UTF-8 and cannot be written under "
                            "exactly that name; nothing was saved");
    const QuietQtRemarks quiet;
    // The panes are widgets and need an application object; a command-line
    // tool has no display, hence the offscreen platform. The arguments must
    // outlive the application.
    char program[] = "vorn-sheet";
    char platformOption[] = "-platform";
    char platform[] = "offscreen";
    char* argv[] = {program, platformOption, platform, nullptr};
    int argc = 3;
    std::optional<QApplication> app;
    if (!QCoreApplication::instance())
        app.emplace(argc, argv);

    std::vector<std::unique_ptr<RichTextPane>> panes;
    std::vector<RichTextPane*> statements;
    std::vector<RichTextPane*> answerKeys;
    for (const Sheet& sheet : sheets) {
        statements.push_back(panes.emplace_back(std::make_unique<RichTextPane>()).get());
        MarkupToRtf(*statements.back(), sheet.statement, sheet.look);
        answerKeys.push_back(panes.emplace_back(std::make_unique<RichTextPane>()).get());
        MarkupToRtf(*answerKeys.back(), sheet.answerKey, sheet.look);
    }
    const auto reference = [](const Sheet& sheet) {
        return QString::fromStdString(Cp1252ToUtf8(sheet.reference));
    };
    const QString title =
        sheets.empty()
            ? QString()
            : SheetsTitle(reference(sheets.front()), reference(sheets.back()), int(sheets.size()));
    // What an interrupted save of the window or of an earlier run left.
    SettleInterruptedSaves();
    SaveSheets(
        statements, answerKeys, QFile::decodeName(path.c_str()),
        [] {
            // The printer the window would start with: the system's default.
            CurrentPrinter printer;
            return PageSetupOf(printer);
        },
        title, {}, recipe);
}

} // namespace vorn::sheet_tool
