#include "output/preview/preview_box.h"

#include "output/preview/page_picture.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>

namespace vorn {
namespace {

// Unscrolled height of the contents: the empty label that closes them ends
// at 1312 + 16.
constexpr int kContentHeight = 1328;
constexpr int kContentWidth = 465;

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
    MakeLabel(contents, QStringLiteral("Page 1"), QRect(217, 8, 60, 16));
    image1_ = MakePage(contents, 25);
    MakeLabel(contents, QStringLiteral("Page 2"), QRect(217, 668, 60, 16));
    image2_ = MakePage(contents, 685);
    MakeLabel(contents, QString(), QRect(24, 1312, 4, 16));
    setWidget(contents);
    setFocusPolicy(Qt::StrongFocus);
    hide();
}

PreviewBox::~PreviewBox() = default;

void PreviewBox::ClearPages() {
    image1_->Clear();
    image2_->Clear();
}

void PreviewBox::ScrollToTop() {
    verticalScrollBar()->setValue(0);
}

void PreviewBox::ShowFloating() {
    if (!floating_) {
        setParent(mainWindow_, Qt::Tool | Qt::WindowStaysOnTopHint);
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QRect available = screen ? screen->geometry() : QRect(0, 0, kWidth, height());
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
    QScrollArea::keyPressEvent(event);
}

} // namespace vorn
