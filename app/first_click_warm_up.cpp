#include "app/first_click_warm_up.h"

#include "exercises/family_table.h"
#include "exercises/random_source.h"
#include "richtext/rich_text_pane.h"

#include <QEvent>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <stdexcept>

FirstClickWarmUp::FirstClickWarmUp(QWidget* window, RichTextPane* statement,
                                   RichTextPane* answerKey,
                                   std::function<vorn::SheetSettings()> settings)
    : QObject(window), window_(window), statement_(statement), answerKey_(answerKey),
      settings_(std::move(settings)) {
    window_->installEventFilter(this);
}

FirstClickWarmUp::~FirstClickWarmUp() = default;

bool FirstClickWarmUp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Paint && !started_) {
        started_ = true;
        window_->removeEventFilter(this);
        // Queued behind the paint under way, and behind what the window
        // system has sent meanwhile.
        QTimer::singleShot(0, this, &FirstClickWarmUp::Step);
    }
    return false;
}

void FirstClickWarmUp::Draw(const RichTextPane& like, std::string_view markup) {
    sample_->setFont(like.font());
    sample_->resize(like.size());
    MarkupToRtf(*sample_, markup);
    // Drawn as the window's own panes are drawn, at the screen's pixel ratio,
    // so that the glyphs land in the caches the screen uses.
    QPixmap canvas(like.size() * like.devicePixelRatioF());
    canvas.setDevicePixelRatio(like.devicePixelRatioF());
    sample_->render(&canvas);
}

void FirstClickWarmUp::Step() {
    if (!sample_) {
        sample_ = std::make_unique<RichTextPane>();
        sample_->setAttribute(Qt::WA_DontShowOnScreen);
        sample_->setPalette(statement_->palette());
    }
    try {
        vorn::SheetSettings settings = settings_();
        settings.questionCount = std::clamp(settings.questionCount, 1, vorn::kMaxQuestionCount);
        // A draw of its own: the window's generator must give the same
        // sheets as if nothing had been drawn.
        vorn::LcgRandom random(1);
        const vorn::Sheet sheet =
            vorn::GenerateSheet({&vorn::ExerciseFamilies()[nextFamily_]}, settings, random);
        Draw(*statement_, sheet.statement);
        Draw(*answerKey_, sheet.answerKey);
    } catch (const std::exception&) {
        // Settings no sheet can be made with: the click will say so.
    }
    if (++nextFamily_ < vorn::ExerciseFamilies().size()) {
        QTimer::singleShot(0, this, &FirstClickWarmUp::Step);
        return;
    }
    sample_.reset();
    done_ = true;
    emit Finished();
}
