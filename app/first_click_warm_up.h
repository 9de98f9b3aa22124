#pragma once

#include "exercises/sheet.h"

#include <QObject>

#include <functional>
#include <memory>

class QWidget;
class RichTextPane;

// Readies what the first sheet of a session needs and the next ones find
// ready: the panes' fonts loaded, their text shaping set up, their glyphs
// drawn once, the markup reader run. It starts once the window has been
// painted for the first time, so that the window appears as soon as before,
// and then draws one sheet of each kind, one per turn of the event loop so
// that a click never waits long behind it, in a pane of its own that is never
// shown: the window's panes, its sheet and its random generator are left as
// they are.
class FirstClickWarmUp : public QObject {
    Q_OBJECT
public:
    // `settings` gives the sheet settings the window's controls hold.
    FirstClickWarmUp(QWidget* window, RichTextPane* statement, RichTextPane* answerKey,
                     std::function<vorn::SheetSettings()> settings);
    ~FirstClickWarmUp() override;

    bool Started() const { return started_; }
    bool Done() const { return done_; }

signals:
    void Finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Step();
    void Draw(const RichTextPane& like, std::string_view markup);

    QWidget* window_;
    RichTextPane* statement_;
    RichTextPane* answerKey_;
    std::function<vorn::SheetSettings()> settings_;
    std::unique_ptr<RichTextPane> sample_;
    std::size_t nextFamily_ = 0;
    bool started_ = false;
    bool done_ = false;
};
