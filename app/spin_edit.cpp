#include "app/spin_edit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QToolButton>

#include <climits>

namespace {

constexpr int kArrowWidth = 15;
constexpr int kUnlimitedLength = 32767; // QLineEdit's own "no limit"

} // namespace

bool ParseSpinText(const QString& text, int& value) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        return false;
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        magnitude = magnitude * 10 + (c.unicode() - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX || signedValue < INT_MIN)
        return false;
    value = static_cast<int>(signedValue);
    return true;
}

// The text part: filters keys and clamps on leaving.
class SpinEdit::Field : public QLineEdit {
public:
    explicit Field(SpinEdit* owner) : QLineEdit(owner), owner_(owner) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
            owner_->StepBy(event->key() == Qt::Key_Up ? 1 : -1);
            event->accept();
            return;
        }
        if (!owner_->AcceptsKey(*event)) {
            event->accept();
            emit owner_->KeyRefused();
            QApplication::beep();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        owner_->LeaveField();
    }
    void contextMenuEvent(QContextMenuEvent* event) override {
        event->accept();
        owner_->ShowContextMenu(event->globalPos());
    }

private:
    SpinEdit* owner_;
};

SpinEdit::SpinEdit(QWidget* parent) : QWidget(parent), editor_(new Field(this)) {
    editor_->setMaxLength(kUnlimitedLength);
    QPalette pal = editor_->palette();
    pal.setColor(QPalette::Base, QColor(236, 255, 255));
    editor_->setPalette(pal);
    setFocusProxy(editor_);
    setFocusPolicy(Qt::StrongFocus);

    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setIconSize(QSize(7, 4));
    }
    connect(up_, &QToolButton::clicked, this, [this] {
        editor_->setFocus(Qt::MouseFocusReason);
        StepBy(1);
    });
    connect(down_, &QToolButton::clicked, this, [this] {
        editor_->setFocus(Qt::MouseFocusReason);
        StepBy(-1);
    });
    connect(editor_, &QLineEdit::textChanged, this, &SpinEdit::Change);
}

int SpinEdit::Value() const {
    int value = 0;
    return ParseSpinText(editor_->text(), value) ? value : minValue_;
}

int SpinEdit::CheckValue(long long value) const {
    if (minValue_ != maxValue_) {
        if (value < minValue_)
            return minValue_;
        if (value > maxValue_)
            return maxValue_;
    }
    // Unbounded: keep within what the field can hold rather than wrap.
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

void SpinEdit::SetValue(int value) {
    SetText(QString::number(CheckValue(value)));
}

void SpinEdit::SetRange(int minValue, int maxValue) {
    minValue_ = minValue;
    maxValue_ = maxValue;
}

QString SpinEdit::Text() const {
    return editor_->text();
}

void SpinEdit::SetText(const QString& text) {
    editor_->setText(text);
}

void SpinEdit::SetMaxLength(int length) {
    maxLength_ = length > 0 ? length : 0;
    editor_->setMaxLength(maxLength_ > 0 ? maxLength_ : kUnlimitedLength);
}

void SpinEdit::StepBy(int delta) {
    SetText(QString::number(CheckValue(static_cast<long long>(Value()) + delta)));
}

bool SpinEdit::AcceptsKey(const QKeyEvent& event) const {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return false;
    // Keys without a character (caret movement, Delete, function keys) and
    // Ctrl combinations (copy, paste, select all) are not typing and pass.
    const QString text = event.text();
    if (text.isEmpty() || event.key() == Qt::Key_Delete)
        return true;
    const Qt::KeyboardModifiers mods = event.modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier))
        return true;
    const QString decimalPoint = QLocale::system().decimalPoint();
    for (const QChar c : text) {
        const bool control = c.unicode() < 0x20;
        const bool allowed = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                             c == QLatin1Char('+') || c == QLatin1Char('-') ||
                             decimalPoint.contains(c);
        if (!control && !allowed)
            return false;
    }
    return true;
}

void SpinEdit::LeaveField() {
    const int value = Value();
    if (CheckValue(value) != value)
        SetValue(value);
}

void SpinEdit::ShowContextMenu(const QPoint& globalPos) {
    if (popupMenu_ && !popupMenu_->isEmpty())
        popupMenu_->popup(globalPos);
}

void SpinEdit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    const int arrows = qMin(kArrowWidth, w);
    editor_->setGeometry(0, 0, w - arrows, h);
    up_->setGeometry(w - arrows, 0, arrows, h / 2);
    down_->setGeometry(w - arrows, h / 2, arrows, h - h / 2);
}
