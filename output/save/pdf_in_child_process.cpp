#include "output/save/pdf_in_child_process.h"

#include "output/save/pdf_document.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vorn {
namespace {

bool WriteAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t step =
            ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (step < 0 && errno == EINTR)
            continue;
        if (step <= 0)
            return false;
        done += step;
    }
    return true;
}

std::optional<QByteArray> ReadAll(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return std::nullopt;
    QByteArray bytes(qsizetype(status.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t step =
            ::pread(fd, bytes.data() + done, std::size_t(bytes.size() - done), off_t(done));
        if (step < 0 && errno == EINTR)
            continue;
        if (step <= 0)
            return std::nullopt;
        done += step;
    }
    return bytes;
}

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
    result_ = ::memfd_create("vorn-pdf", MFD_CLOEXEC);
    if (result_ < 0)
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
        if (WriteAll(result_, pdf))
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
    if (result_ >= 0)
        ::close(result_);
}

std::optional<QByteArray> PdfInChildProcess::Take() {
    if (child_ <= 0)
        return std::nullopt;
    const int status = ExitStatusOf(child_);
    child_ = -1;
    if (status != 0)
        return std::nullopt;
    std::optional<QByteArray> pdf = ReadAll(result_);
    // Only a whole document is taken; anything else is made again here.
    if (!pdf || !pdf->startsWith("%PDF-") || !pdf->trimmed().endsWith("%%EOF"))
        return std::nullopt;
    return pdf;
}

} // namespace vorn
