#include "output/preview/preview_box.h"

#include "output/preview/page_picture.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace vorn {
namespace {

// Unscrolled height of the contents: the empty label that closes them ends
// at 1312 + 16.
constexpr int kContentHeight = 1328;
constexpr int kContentWidth = 465;
// Room above the pages for the choice of document.
constexpr int kChoiceHeight = 30;

QLabel* MakeLabel(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

PagePicture* MakePage(QWidget* parent, int top) {
    auto* frame = new QWidget(parent);
    frame->setGeometry(5, top, 460, 634);
    // Without a role of its own the frame would take the box's button face.
    frame->setBackgroundRole(QPalette::Window);
    frame->setAutoFillBackground(true);
    QPalette white = frame->palette();
    white.setColor(QPalette::Window, Qt::white);
    frame->setPalette(white);
    auto* picture = new PagePicture(frame);
    picture->setGeometry(20, 20, 420, 594);
    return picture;
}

} // namespace

PreviewBox::PreviewBox(QWidget* mainWindow) : QScrollArea(mainWindow), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("previewBox"));
    setMinimumWidth(kWidth);
    setMaximumWidth(kWidth);
    resize(kWidth, kDesignHeight);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setBackgroundRole(QPalette::Button);
    setWindowTitle(QString());

    auto* contents = new QWidget;
    contents->setFixedSize(kContentWidth, kContentHeight);
    contents->setBackgroundRole(QPalette::Button);
    label1_ = MakeLabel(contents, QStringLiteral("Page 1"), QRect(150, 8, 165, 16));
    image1_ = MakePage(contents, 25);
    label2_ = MakeLabel(contents, QStringLiteral("Page 2"), QRect(150, 668, 165, 16));
    for (QLabel* label : {label1_, label2_})
        label->setAlignment(Qt::AlignCenter);
    image2_ = MakePage(contents, 685);
    MakeLabel(contents, QString(), QRect(24, 1312, 4, 16));
    setWidget(contents);
    setViewportMargins(0, kChoiceHeight, 0, 0);
    documentChoice_ = new QComboBox(this);
    documentChoice_->setObjectName(QStringLiteral("previewDocument"));
    documentChoice_->addItems({QStringLiteral("Sujet"), QStringLiteral("Corrigé")});
    documentChoice_->setToolTip(QStringLiteral("Document montré dans l'aperçu"));
    documentChoice_->setGeometry(5, 3, 140, kChoiceHeight - 6);
    // The keys go on scrolling the pages after a choice.
    documentChoice_->setFocusPolicy(Qt::ClickFocus);
    connect(documentChoice_, &QComboBox::activated, this, [this] {
        setFocus(Qt::OtherFocusReason);
        emit DocumentChosen();
    });
    setFocusPolicy(Qt::StrongFocus);
    hide();
}

PreviewBox::~PreviewBox() = default;

void PreviewBox::ClearPages() {
    image1_->Clear();
    image2_->Clear();
    label1_->setText(QStringLiteral("Page 1"));
    label2_->setText(QStringLiteral("Page 2"));
}

void PreviewBox::MarkMissingPages() {
    // An empty frame under a bare "Page 2" looked like a blank page to print.
    label1_->setText(image1_->IsEmpty() ? QStringLiteral("Page 1 : vide")
                                        : QStringLiteral("Page 1"));
    label2_->setText(image2_->IsEmpty() ? QStringLiteral("Page 2 : vide")
                                        : QStringLiteral("Page 2"));
}

bool PreviewBox::ShowsAnswerKey() const {
    return documentChoice_->currentIndex() == 1;
}

void PreviewBox::ScrollToTop() {
    verticalScrollBar()->setValue(0);
}

void PreviewBox::ShowFloating() {
    if (!floating_) {
        setParent(mainWindow_, Qt::Tool | Qt::WindowStaysOnTopHint);
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QRect available = screen ? screen->geometry() : QRect(0, 0, kWidth, height());
        // As tall as both pages, or as the screen allows, leaving room for
        // the frame and the desktop's panels.
        const int whole = kContentHeight + kChoiceHeight + 2 * frameWidth();
        resize(width(), std::max(kDesignHeight, std::min(whole, available.height() * 85 / 100)));
        // Integer division truncates toward zero, as the placement wants.
        const int left = (available.width() - width()) / 2;
        const int top = (available.height() - height()) / 2;
        setGeometry(left, top, width(), height());
        floating_ = true;
    }
    show();
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void PreviewBox::keyPressEvent(QKeyEvent* event) {
    if (floating_ && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        mainWindow_->activateWindow();
        return;
    }
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::ControlModifier) {
        if (event->key() == Qt::Key_Home) {
            verticalScrollBar()->setValue(verticalScrollBar()->minimum());
            return;
        }
        if (event->key() == Qt::Key_End) {
            verticalScrollBar()->setValue(verticalScrollBar()->maximum());
            return;
        }
    }
    QScrollArea::keyPressEvent(event);
}

} // namespace vorn
