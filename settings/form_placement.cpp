#include "settings/form_placement.h"

#include "settings/profile_file.h"
#include "settings/section_snapshot.h"
#include "settings/section_update.h"
#include "settings/settings_file_lock.h"
#include "settings/value_text.h"
#include "settings/window_placement.h"
#include "text/cp1252.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QMetaObject>

#include <exception>
#include <vector>

namespace {

std::string ToBytes(const QString& text) {
    return vorn::Utf8ToCp1252(text.toUtf8().toStdString());
}

std::string ScreenSuffix(const ScreenMetrics& screen) {
    return "(" + std::to_string(screen.width) + "x" + std::to_string(screen.height) + ")";
}

std::string FourNumbers(int a, int b, int c, int d) {
    return std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) + "," +
           std::to_string(d);
}

// Words of a position value: runs of characters between commas and blanks.
std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ',' || c == ' ') {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

int WordOr(const std::vector<std::string>& words, std::size_t index, int def) {
    if (index >= words.size())
        return def;
    return vorn::ParseDecimal(words[index]).value_or(def);
}

// The position value under the key for this screen size, else under the plain
// key; empty when neither holds one.
std::string ReadPosition(const SectionSnapshot& values, const std::string& name,
                         const ScreenMetrics& screen) {
    std::string value = values.ReadString(name + ScreenSuffix(screen), "");
    if (value.empty())
        value = values.ReadString(name, "");
    return value;
}

} // namespace

FormPlacement::FormPlacement(QWidget* form) : form_(form), lockWait_(ProfileFile::kLockWait) {}

FormPlacement::~FormPlacement() = default;

QString FormPlacement::IniSection() const {
    if (!iniSection_.isEmpty() || !form_)
        return iniSection_;
    // The class name without any namespace, as the window's class is known in
    // the file.
    const QString className = QString::fromLatin1(form_->metaObject()->className());
    return className.section(QStringLiteral("::"), -1);
}

std::string FormPlacement::SectionBytes() const {
    return ToBytes(IniSection());
}

void FormPlacement::RestoreOnFirstShow() {
    if (shown_)
        return;
    shown_ = true;
    if (active_)
        RestoreFormPlacement();
}

void FormPlacement::SaveOnClose(bool canClose) {
    if (canClose && active_ && form_ && form_->testAttribute(Qt::WA_WState_Created))
        SaveReportingErrors();
}

void FormPlacement::SaveAgainIfCloseFailed() {
    if (!active_ || saved_ || lockStayedHeld_)
        return;
    destroying_ = true;
    SaveReportingErrors();
    destroying_ = false;
}

void FormPlacement::SaveReportingErrors() {
    try {
        SaveFormPlacement();
    } catch (const vorn::SettingsLockHeld& e) {
        lockStayedHeld_ = true;
        Report(QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {
        Report(QString::fromUtf8(e.what()));
    }
}

void FormPlacement::Report(const QString& message) const {
    if (reportError_) {
        reportError_(message);
        return;
    }
    // While the window is being destroyed it can no longer own a dialog.
    QWidget* parent = destroying_ ? nullptr : form_.data();
    QMessageBox::critical(parent, QGuiApplication::applicationDisplayName(), message);
}

void FormPlacement::RestoreFormPlacement() {
    if (!form_)
        return;
    try {
        saved_ = false;
        const SectionSnapshot values = ProfileFile(iniFileName_).ReadSection(SectionBytes());
        if (values.ReadInteger("FormVersion", 0) >= version_) {
            RestorePlacement(values);
            restored_ = true;
            try {
                RestoreProperties(values);
            } catch (...) {
                // The values are restored one by one; a failure around them
                // leaves the window as it is.
            }
        }
        restored_ = true;
    } catch (const std::exception& e) {
        Report(QString::fromUtf8(e.what()));
    }
}

void FormPlacement::RestorePlacement(const SectionSnapshot& values) {
    QWidget& form = *form_;
    const WindowPlacement current = GetWindowPlacement(form);
    const ScreenMetrics screen = PrimaryScreenMetrics();

    WindowPlacement stored = current;
    stored.flags = values.ReadInteger("Flags", current.flags);
    const std::string minMax = ReadPosition(values, "MinMaxPos", screen);
    const std::string normal = ReadPosition(values, "NormPos", screen);
    const int pixelsPerInch = values.ReadInteger("PixelsPerInch", screen.pixelsPerInch);

    bool placementApplied = false;
    if ((!minMax.empty() || !normal.empty()) && pixelsPerInch == screen.pixelsPerInch) {
        const std::vector<std::string> mm = SplitWords(minMax);
        stored.minPosition = QPoint(WordOr(mm, 0, 0), WordOr(mm, 1, 0));
        stored.maxPosition = QPoint(WordOr(mm, 2, 0), WordOr(mm, 3, 0));
        const QRect now = form.geometry();
        const std::vector<std::string> np = SplitWords(normal);
        stored.left = WordOr(np, 0, now.left());
        stored.top = WordOr(np, 1, now.top());
        stored.right = WordOr(np, 2, now.left() + now.width());
        stored.bottom = WordOr(np, 3, now.top() + now.height());
        if (stored.left < stored.right) {
            SetWindowPlacement(form, stored);
            placementApplied = true;
        }
    }
    RestoreShowState(values, placementApplied &&
                                 (stored.flags & WindowPlacement::kFlagRestoreToMaximized) != 0);
}

void FormPlacement::RestoreShowState(const SectionSnapshot& values, bool restoreToMaximized) {
    QWidget* form = form_.data();
    switch (values.ReadInteger("ShowCmd", 0)) {
    case 2:
    case 6:
    case 7: {
        // The window opens normal and the program then minimises itself, once
        // the show in progress has finished.
        form->setWindowState(Qt::WindowNoState);
        const Qt::WindowStates state =
            restoreToMaximized ? (Qt::WindowMinimized | Qt::WindowMaximized) : Qt::WindowMinimized;
        QMetaObject::invokeMethod(
            form, [form, state] { form->setWindowState(state); }, Qt::QueuedConnection);
        break;
    }
    case 3:
        form->setWindowState(Qt::WindowMaximized);
        break;
    default:
        form->setWindowState(Qt::WindowNoState);
        break;
    }
}

void FormPlacement::SaveFormPlacement() {
    if (!form_ || (active_ && !restored_))
        return;
    SectionUpdate update;
    update.WriteInteger("FormVersion", version_);
    if (form_->isWindow())
        SavePlacement(update);
    update.WriteBool("Visible", destroying_);
    StoreProperties(update);
    ProfileFile(iniFileName_, lockWait_).WriteSection(SectionBytes(), update);
    if (onSavePlacement_)
        onSavePlacement_();
    saved_ = true;
}

void FormPlacement::SavePlacement(SectionUpdate& update) {
    const WindowPlacement p = GetWindowPlacement(*form_);
    const ScreenMetrics screen = PrimaryScreenMetrics();
    const std::string suffix = ScreenSuffix(screen);
    update.WriteInteger("Flags", p.flags);
    update.WriteInteger("ShowCmd", p.showCmd);
    update.WriteInteger("PixelsPerInch", screen.pixelsPerInch);
    const std::string minMax =
        FourNumbers(p.minPosition.x(), p.minPosition.y(), p.maxPosition.x(), p.maxPosition.y());
    update.WriteString("MinMaxPos" + suffix, minMax);
    update.WriteString("MinMaxPos", minMax);
    const std::string normal = FourNumbers(p.left, p.top, p.right, p.bottom);
    update.WriteString("NormPos" + suffix, normal);
    update.WriteString("NormPos", normal);
}

void FormPlacement::RestoreProperties(const SectionSnapshot&) {}

void FormPlacement::StoreProperties(SectionUpdate&) {}
