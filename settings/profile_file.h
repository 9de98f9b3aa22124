#pragma once

#include "settings/section_snapshot.h"
#include "settings/section_update.h"

#include <QString>

#include <string>
#include <string_view>

// An INI settings file in Windows-1252 (or in the UTF-8 or UTF-16 a Windows
// editor may have saved it in, which is then kept). Each call opens the file,
// does its one thing and closes it; nothing is kept between calls.
class ProfileFile {
public:
    // A read returns at most this many bytes.
    static constexpr std::size_t kMaxValueLength = SectionSnapshot::kMaxValueLength;

    explicit ProfileFile(QString path);

    const QString& Path() const { return path_; }

    // The section's values, the file read once. An unreadable file counts as
    // a missing one.
    SectionSnapshot ReadSection(std::string_view section) const;
    // Stores every value of `update` in the section with one write of the
    // file, while holding the settings file's lock from reading to writing.
    // The file is replaced through a temporary file beside it, or written in
    // place when only the folder is not writable. Throws vorn::UserError
    // "Impossible d'écrire dans <path>" when it cannot be written.
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
};
