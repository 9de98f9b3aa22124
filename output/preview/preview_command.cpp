#include "output/preview/preview_command.h"

#include "output/preview/file_no_case.h"
#include "output/preview/own_working_files.h"
#include "output/preview/page_picture.h"
#include "output/preview/page_pictures.h"
#include "output/preview/preview_box.h"
#include "text/system_cause.h"
#include "text/user_error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>

#include <cerrno>
#include <string>
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
    // A working folder that is gone has no name left: the private folder.
    if (current.isEmpty()) {
        const QString own = files.PrivateFolder();
        return own.isEmpty() ? std::nullopt : std::optional<QString>(own);
    }
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

bool CanWriteWorkingDir(OwnWorkingFiles& files, const QString& folder, int* errorNumber) {
    QFile probe;
    errno = 0;
    const bool opened = files.OpenForWriting(
        QDir(folder).absoluteFilePath(QString::fromLatin1(kProbeFileName)), probe);
    if (errorNumber)
        *errorNumber = opened ? 0 : (errno ? errno : EIO);
    if (!opened)
        return false;
    probe.close();
    return probe.error() == QFileDevice::NoError;
}

void DeletePreviewPages(OwnWorkingFiles& files) {
    for (int page = 0; page < kPreviewPages; ++page)
        files.RemoveNamed(PageName(page));
}

namespace {

std::string Quoted(const QString& path) {
    return "« " + QDir::toNativeSeparators(path).toStdString() + " »";
}

// The folder the pages go to: `folder` when it takes the probe file, else
// this run's private folder. Throws, saying why, when neither does.
QString WritableFolder(OwnWorkingFiles& files, const QString& folder) {
    int errorNumber = 0;
    if (CanWriteWorkingDir(files, folder, &errorNumber))
        return folder;
    const QString own = files.PrivateFolder();
    if (!own.isEmpty() && own != folder && CanWriteWorkingDir(files, own))
        return own;
    throw UserError("Aperçu impossible : le dossier " + Quoted(folder) +
                    " ne peut pas recevoir ses pages (" + SystemCause(errorNumber) +
                    "), ni le dossier temporaire.");
}

[[noreturn]] void ThrowPageFailure(const PageWriteFailure& failure) {
    throw UserError("Aperçu impossible : la page " + std::to_string(failure.page + 1) +
                    " n'a pas pu être écrite dans " + Quoted(failure.fileName) + " : " +
                    SystemCause(failure.errorNumber));
}

} // namespace

QString PreviewTitle(const QString& sheetReference, bool answerKey) {
    const QString document = answerKey ? QStringLiteral("corrigé") : QStringLiteral("sujet");
    if (sheetReference.isEmpty())
        return QStringLiteral("Aperçu : ") + document;
    return QStringLiteral("Aperçu : %1, %2").arg(sheetReference, document);
}

void PreviewCommand(PreviewBox& preview, RichTextPane& statement, RichTextPane& answerKey,
                    CurrentPrinter& printer, const QString& sheetReference) {
    if (preview.Busy())
        return;
    const bool showKey = preview.ShowsAnswerKey();
    RichTextPane& shown = showKey ? answerKey : statement;
    OwnWorkingFiles& files = preview.Files();
    const std::optional<QString> chosen = PreviewFolder(files);
    if (!chosen)
        return;
    QString folder = WritableFolder(files, *chosen);
    QPointer<PreviewBox> box(&preview);
    BusyFlag busy(preview);

    DeletePreviewPages(files);
    box->ClearPages();
    QCoreApplication::processEvents();
    if (!box)
        return;

    // A folder that takes the small probe may still refuse the pages (a disk
    // that fills up): then the private folder, which may lie on another disk.
    // A page that could not be written is never shown as a blank one.
    folder = WritableFolder(files, folder);
    std::optional<PageWriteFailure> failure = PreviewRichEdit(
        shown, QDir(folder).absoluteFilePath(QString::fromLatin1(kPagePrefix)), printer, files);
    if (failure) {
        DeletePreviewPages(files);
        const QString own = files.PrivateFolder();
        if (own.isEmpty() || own == folder || !CanWriteWorkingDir(files, own))
            ThrowPageFailure(*failure);
        folder = own;
        const std::optional<PageWriteFailure> again = PreviewRichEdit(
            shown, QDir(folder).absoluteFilePath(QString::fromLatin1(kPagePrefix)), printer, files);
        if (again) {
            DeletePreviewPages(files);
            ThrowPageFailure(*again);
        }
    }
    QCoreApplication::processEvents();
    if (!box)
        return;

    // Read from the files as this run wrote them, whatever has been put in
    // their place since.
    const QString prefix = QDir(folder).absoluteFilePath(QString::fromLatin1(kPagePrefix));
    const QString page1 = PageFileName(prefix, 0);
    if (files.IsOwn(page1))
        box->Image1().Load(files.Contents(page1));
    const QString page2 = PageFileName(prefix, 1);
    if (files.IsOwn(page2))
        box->Image2().Load(files.Contents(page2));
    box->MarkMissingPages();
    box->setWindowTitle(PreviewTitle(sheetReference, showKey));
    box->ScrollToTop();
    box->ShowFloating();
}

} // namespace vorn
