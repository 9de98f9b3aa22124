#pragma once

#include "output/pages/memory_file.h"
#include "output/pages/pdf_page_setup.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

class RichTextPane;

namespace vorn {

// One PDF document made by a copy of this process while the caller goes on
// with other work: a class set's statements are written beside its answer
// keys, on a second processor, in about half the time. Qt's text layout holds
// one process-wide lock for every font it looks up, so two threads would
// mostly wait for each other; two processes do not.
//
// A copy is only made of a process that runs a single thread: a copy of a
// threaded process may inherit a lock another thread held (the desktop's
// event reader, say) and hang. Then, or when the copy fails in any way,
// Take() answers nothing and the caller writes the document itself.
class PdfInChildProcess {
public:
    // Starts PanesToPdf(panes, setup, title, {}, recipe) in the copy.
    PdfInChildProcess(const std::vector<RichTextPane*>& panes, const PdfPageSetup& setup,
                      const QString& title, const std::string& recipe);
    // A copy still at work is stopped: its document is no longer wanted.
    ~PdfInChildProcess();
    PdfInChildProcess(const PdfInChildProcess&) = delete;
    PdfInChildProcess& operator=(const PdfInChildProcess&) = delete;

    // Waits for the copy; its whole document, or nothing when it made none.
    std::optional<QByteArray> Take();

private:
    pid_t child_ = -1;
    MemoryFile result_; // what the copy writes its document into
};

// Whether this process runs only the thread that asks.
bool RunsSingleThread();

} // namespace vorn
