#pragma once

#include "output/preview/own_working_files.h"

#include <QScrollArea>

class QComboBox;
class QLabel;

namespace vorn {

class PagePicture;

// The page preview: two pages, each a 420 x 594 picture in a white frame of
// 20 pixels, under "Page 1" and "Page 2" ("Page 2 : vide" when the document
// has no such page), in a box 493 pixels wide that scrolls vertically, as
// tall as the screen lets it be. A choice above the pages says which document
// it shows, the statement ("Sujet", first) or the answer key ("Corrigé"). It starts as a hidden
// child of the main window; the first ShowFloating() turns it into a floating tool window that
// stays on top, centred on the screen. Closing or hiding that window hides the preview, and the
// next ShowFloating() shows it again where the user left it. The floating window takes the focus
// when shown, so that the arrow, page, Home and End keys scroll it, and Escape closes it, giving
// the focus back to the main window.
class PreviewBox : public QScrollArea {
    Q_OBJECT
public:
    explicit PreviewBox(QWidget* mainWindow);
    ~PreviewBox() override;

    static constexpr int kWidth = 493;
    static constexpr int kDesignHeight = 497;

    PagePicture& Image1() { return *image1_; }
    PagePicture& Image2() { return *image2_; }
    const PagePicture& Image1() const { return *image1_; }
    const PagePicture& Image2() const { return *image2_; }

    void ClearPages();
    // Marks each page whose picture is empty as a page the document does not
    // have.
    void MarkMissingPages();
    QLabel* PageLabel(int index) const { return index == 0 ? label1_ : label2_; }
    // Which document the teacher chose to see.
    bool ShowsAnswerKey() const;
    QComboBox* DocumentChoice() const { return documentChoice_; }
    void ScrollToTop();
    // Floats the preview on its first call, then shows it.
    void ShowFloating();
    bool IsFloating() const { return floating_; }

    // True while a preview is being drawn: the preview command runs pending
    // events in its middle and must not start again inside itself.
    bool Busy() const { return busy_; }
    void SetBusy(bool busy) { busy_ = busy; }

    // The page files and probe files the previews of this run have made;
    // they go with the preview at the latest.
    OwnWorkingFiles& Files() { return files_; }

signals:
    // The teacher chose the other document: the preview is to be drawn again.
    void DocumentChosen();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* mainWindow_;
    PagePicture* image1_ = nullptr;
    PagePicture* image2_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QComboBox* documentChoice_ = nullptr;
    bool floating_ = false;
    bool busy_ = false;
    OwnWorkingFiles files_;
};

} // namespace vorn
