#include "output/preview/preview_command.h"

#include "output/preview/file_no_case.h"
#include "output/preview/own_working_files.h"
#include "output/preview/page_picture.h"
#include "output/preview/page_pictures.h"
#include "output/preview/preview_box.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>

#include <sys/stat.h>

namespace vorn {
namespace {

class BusyFlag {
public:
    explicit BusyFlag(PreviewBox& box) : box_(&box) { box_->SetBusy(true); }
    ~BusyFlag() {
        if (box_)
            box_->SetBusy(false);
    }
    BusyFlag(const BusyFlag&) = delete;
    BusyFlag& operator=(const BusyFlag&) = delete;

private:
    QPointer<PreviewBox> box_;
};

QString PageName(int index) {
    return PageFileName(QString::fromLatin1(kPagePrefix), index);
}

bool IsSymbolicLink(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

} // namespace

std::optional<QString> PreviewFolder(OwnWorkingFiles& files) {
    const QString current = QDir::currentPath();
    if (current.isEmpty())
        return std::nullopt;
    const QDir dir(current);
    bool foreign = false;
    for (const QString& name : {QString::fromLatin1(kProbeFileName), PageName(0), PageName(1)}) {
        for (const QFileInfo& entry : EntriesNamedNoCase(dir, name)) {
            const QString path = dir.absoluteFilePath(entry.fileName());
            if (IsSymbolicLink(path))
                return std::nullopt;
            if (!files.IsOwn(path))
                foreign = true;
        }
    }
    if (!foreign)
        return dir.absolutePath();
    const QString own = files.PrivateFolder();
    if (own.isEmpty())
        return std::nullopt;
    return own;
}

bool CanWriteWorkingDir(OwnWorkingFiles& files, const QString& folder) {
    QFile probe;
    if (!files.OpenForWriting(QDir(folder).absoluteFilePath(QString::fromLatin1(kProbeFileName)),
                              probe))
        return false;
    probe.close();
    return probe.error() == QFileDevice::NoError;
}

void DeletePreviewPages(OwnWorkingFiles& files) {
    for (int page = 0; page < kPreviewPages; ++page)
        files.RemoveNamed(PageName(page));
}

void PreviewCommand(PreviewBox& preview, RichTextPane& statement, CurrentPrinter& printer) {
    if (preview.Busy())
        return;
    OwnWorkingFiles& files = preview.Files();
    const std::optional<QString> folder = PreviewFolder(files);
    if (!folder || !CanWriteWorkingDir(files, *folder))
        return;
    QPointer<PreviewBox> box(&preview);
    BusyFlag busy(preview);

    DeletePreviewPages(files);
    box->ClearPages();
    QCoreApplication::processEvents();
    if (!box)
        return;

    const QString prefix = QDir(*folder).absoluteFilePath(QString::fromLatin1(kPagePrefix));
    if (CanWriteWorkingDir(files, *folder))
        PreviewRichEdit(statement, prefix, printer, files);
    QCoreApplication::processEvents();
    if (!box)
        return;

    // Read from the files as this run wrote them, whatever has been put in
    // their place since.
    const QString page1 = PageFileName(prefix, 0);
    if (files.IsOwn(page1))
        box->Image1().Load(files.Contents(page1));
    const QString page2 = PageFileName(prefix, 1);
    if (files.IsOwn(page2))
        box->Image2().Load(files.Contents(page2));
    box->ScrollToTop();
    box->ShowFloating();
}

} // namespace vorn
