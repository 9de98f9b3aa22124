#include "output/save/pdf_in_child_process.h"

#include "output/save/pdf_document.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace vorn {
namespace {

// The exit status of `child`, waited for; -1 when it did not exit by itself.
int ExitStatusOf(pid_t child) {
    int status = 0;
    pid_t reaped;
    do
        reaped = ::waitpid(child, &status, 0);
    while (reaped < 0 && errno == EINTR);
    return reaped == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

bool RunsSingleThread() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Threads:", 0) == 0)
            return std::strtol(line.c_str() + 8, nullptr, 10) == 1;
    return false;
}

PdfInChildProcess::PdfInChildProcess(const std::vector<RichTextPane*>& panes,
                                     const PdfPageSetup& setup, const QString& title,
                                     const std::string& recipe) {
    if (!RunsSingleThread())
        return;
    if (result_.OpenError() != 0)
        return;
    child_ = ::fork();
    if (child_ != 0)
        return; // the caller's process; -1 when no copy could be made
    // The copy writes its document and leaves at once: no destructor, exit
    // handler or buffered output of the caller's runs twice. It must not
    // handle the caller's events either (a timer, a queued click): between
    // pages it only draws.
    int code = 1;
    try {
        const QByteArray pdf = PanesToPdf(panes, setup, title, {}, recipe, PageEvents::Hold);
        if (result_.Append(pdf) == 0)
            code = 0;
    } catch (...) {
    }
    ::_exit(code);
}

PdfInChildProcess::~PdfInChildProcess() {
    if (child_ > 0) {
        ::kill(child_, SIGKILL);
        ExitStatusOf(child_);
    }
}

std::optional<QByteArray> PdfInChildProcess::Take() {
    if (child_ <= 0)
        return std::nullopt;
    const int status = ExitStatusOf(child_);
    child_ = -1;
    if (status != 0)
        return std::nullopt;
    QByteArray pdf;
    // Only a whole document is taken; anything else is made again here.
    if (result_.Read(pdf) != 0 || !pdf.startsWith("%PDF-") || !pdf.trimmed().endsWith("%%EOF"))
        return std::nullopt;
    return pdf;
}

} // namespace vorn
