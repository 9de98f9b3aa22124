#include "output/preview_command.h"

#include "output/file_no_case.h"
#include "output/page_picture.h"
#include "output/preview_box.h"
#include "output/rich_edit_emf_print.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>

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

} // namespace

bool CanWriteWorkingDir() {
    QFile probe(FilePathNoCase(WorkingDir(), QString::fromLatin1(kProbeFileName)));
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    probe.close();
    return probe.error() == QFileDevice::NoError;
}

void DeletePreviewPages() {
    const QDir workingDir = WorkingDir();
    for (int page = 0; page < kPreviewPages; ++page)
        RemoveFileNoCase(workingDir, PageName(page));
}

void PreviewCommand(PreviewBox& preview, TRxRichEdit& statement, CurrentPrinter& printer) {
    if (preview.Busy() || !CanWriteWorkingDir())
        return;
    QPointer<PreviewBox> box(&preview);
    BusyFlag busy(preview);

    DeletePreviewPages();
    box->ClearPages();
    QCoreApplication::processEvents();
    if (!box)
        return;

    if (CanWriteWorkingDir())
        PreviewRichEdit(statement, QString::fromLatin1(kPagePrefix), printer);
    QCoreApplication::processEvents();
    if (!box)
        return;

    const QDir workingDir = WorkingDir();
    const QString page1 = FindFileNoCase(workingDir, PageName(0));
    if (!page1.isEmpty())
        box->Image1().Load(page1);
    const QString page2 = FindFileNoCase(workingDir, PageName(1));
    if (!page2.isEmpty())
        box->Image2().Load(page2);
    box->ScrollToTop();
    box->ShowFloating();
}

} // namespace vorn
