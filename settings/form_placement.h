#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <chrono>
#include <functional>
#include <string>

class SectionSnapshot;
class SectionUpdate;

// Keeps a window's placement (normal rectangle, maximised or minimised state)
// in a settings file from one run to the next. The window calls RestoreOnFirstShow,
// SaveOnClose and SaveAgainIfCloseFailed from its own show, close and destruction
// handling; the file is read once, when the window is first shown, and written
// once per save, the whole section in one go.
class FormPlacement {
public:
    using ErrorReporter = std::function<void(const QString& message)>;

    explicit FormPlacement(QWidget* form);
    virtual ~FormPlacement();
    FormPlacement(const FormPlacement&) = delete;
    FormPlacement& operator=(const FormPlacement&) = delete;

    void SetIniFileName(const QString& fileName) { iniFileName_ = fileName; }
    const QString& IniFileName() const { return iniFileName_; }
    // An empty section means the window's class name.
    void SetIniSection(const QString& section) { iniSection_ = section; }
    QString IniSection() const;
    void SetActive(bool active) { active_ = active; }
    bool Active() const { return active_; }
    // How long a save waits for another copy's save of the same file.
    void SetLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }
    // A file whose "FormVersion" is below this restores nothing.
    void SetVersion(int version) { version_ = version; }
    int Version() const { return version_; }
    // Runs after every completed save.
    void SetOnSavePlacement(std::function<void()> handler) {
        onSavePlacement_ = std::move(handler);
    }
    // Shows a failure to the user; a critical message box by default.
    void SetErrorReporter(ErrorReporter reporter) { reportError_ = std::move(reporter); }

    // The window is being shown: restores on the first call only, before the
    // window appears on screen.
    void RestoreOnFirstShow();
    // The window's own close handling has run; saves when the close goes ahead.
    void SaveOnClose(bool canClose);
    // The window is being destroyed: saves once more if no save has
    // completed, unless a save already waited the whole lock wait in vain
    // (another copy that holds the lock that long is not done a moment later,
    // and the user has been told once).
    void SaveAgainIfCloseFailed();

    // Reads the file and applies placement and stored values; failures of
    // the placement part are reported.
    void RestoreFormPlacement();
    // Writes the file; throws vorn::UserError when it cannot be written.
    void SaveFormPlacement();

    bool Restored() const { return restored_; }
    bool Saved() const { return saved_; }
    bool Destroying() const { return destroying_; }

protected:
    QWidget* Form() const { return form_; }
    // Hooks for the stored control values, run after the placement.
    virtual void RestoreProperties(const SectionSnapshot& values);
    virtual void StoreProperties(SectionUpdate& update);

private:
    std::string SectionBytes() const;
    void RestorePlacement(const SectionSnapshot& values);
    void RestoreShowState(const SectionSnapshot& values, bool restoreToMaximized);
    void SavePlacement(SectionUpdate& update);
    void SaveReportingErrors();
    void Report(const QString& message) const;

    QPointer<QWidget> form_;
    QString iniFileName_;
    QString iniSection_;
    bool active_ = true;
    int version_ = 0;
    std::function<void()> onSavePlacement_;
    ErrorReporter reportError_;

    bool shown_ = false;
    bool restored_ = false;
    bool saved_ = false;
    bool destroying_ = false;
    std::chrono::milliseconds lockWait_;
    bool lockStayedHeld_ = false;
};
