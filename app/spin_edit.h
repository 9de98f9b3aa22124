#pragma once

#include <QLineEdit>
#include <QWidget>

class QMenu;
class QToolButton;

// The numeric field with up and down arrows used for every count of the
// window. Its value is its text read as a decimal integer, so whatever the
// user typed stays visible until the field is left.
class SpinEdit : public QWidget {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    // The text read as a decimal integer; the minimum when it is not one.
    int Value() const;
    // Shows the value, clamped to the range unless minimum equals maximum.
    void SetValue(int value);
    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }
    void SetRange(int minValue, int maxValue);
    // Clamped form of `value` (unchanged when the field is unbounded).
    int CheckValue(long long value) const;

    QString Text() const;
    // Replaces the text (cut to the maximum length, if any).
    void SetText(const QString& text);
    // Most characters the user may type; 0 means no limit.
    void SetMaxLength(int length);
    int MaxLength() const { return maxLength_; }

    // The context menu of the field; an empty menu means no menu at all.
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
    QMenu* PopupMenu() const { return popupMenu_; }

    QLineEdit* Editor() const { return editor_; }
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

    // The arrows: add `delta`, then clamp.
    void StepBy(int delta);

signals:
    // After each change of the text, by the user or by the program.
    void Change();
    // A key was refused (the field beeped).
    void KeyRefused();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class Field;
    friend class Field;

    bool AcceptsKey(const QKeyEvent& event) const;
    void LeaveField();
    void ShowContextMenu(const QPoint& globalPos);

    QLineEdit* editor_ = nullptr;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    QMenu* popupMenu_ = nullptr;
    int minValue_ = 0;
    int maxValue_ = 0;
    int maxLength_ = 0;
};

// The decimal integer a text spells ("+" or "-" sign allowed), or false when
// it spells none that fits in 32 bits.
bool ParseSpinText(const QString& text, int& value);
