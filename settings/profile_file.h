#pragma once

#include "settings/section_snapshot.h"
#include "settings/section_update.h"

#include <QString>

#include <chrono>
#include <string>
#include <string_view>

// An INI settings file in Windows-1252 (or in the UTF-8 or UTF-16 a Windows
// editor may have saved it in, which is then kept). Each call opens the file,
// does its one thing and closes it; nothing is kept between calls.
class ProfileFile {
public:
    // A read returns at most this many bytes.
    static constexpr std::size_t kMaxValueLength = SectionSnapshot::kMaxValueLength;

    // A save waits this long at most for another copy of the program to
    // finish its own: far longer than a save of any settings file takes.
    static constexpr std::chrono::milliseconds kLockWait{10000};

    explicit ProfileFile(QString path, std::chrono::milliseconds lockWait = kLockWait);

    const QString& Path() const { return path_; }

    // The section's values, the file read once. An unreadable file counts as
    // a missing one, and so does anything else than a regular file (a FIFO
    // is never waited on).
    SectionSnapshot ReadSection(std::string_view section) const;
    // Stores every value of `update` in the section with one write of the
    // file, while holding the settings file's lock from reading to writing.
    // The file is replaced through a temporary file beside it, or written in
    // place when only the folder is not writable. Throws vorn::UserError
    // "Impossible d'écrire dans <path>" when it cannot be written, when the
    // lock stays held past `lockWait`, or when the name holds something else
    // than a regular file; the file is then left as it was.
    void WriteSection(std::string_view section, const SectionUpdate& update) const;

    // One value at a time, as ReadSection and WriteSection do it.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    void WriteString(std::string_view section, std::string_view key, std::string_view value) const;
    void WriteInteger(std::string_view section, std::string_view key, int value) const;
    void WriteBool(std::string_view section, std::string_view key, bool value) const;

private:
    std::string WriteError() const;

    QString path_;
    std::chrono::milliseconds lockWait_;
};
