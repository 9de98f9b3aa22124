#pragma once

#include <QString>

#include <string>
#include <string_view>

// An INI settings file read and written one value at a time, in
// Windows-1252. Every call opens the file, does its one thing and closes it;
// nothing is kept between calls.
class TProfileFile {
public:
    // A read returns at most this many bytes.
    static constexpr std::size_t kMaxValueLength = 2047;

    explicit TProfileFile(QString path);

    const QString& Path() const { return path_; }

    // The stored value (blanks around it and one pair of enclosing quotes
    // removed), or `def` when the file, the section or the key is missing;
    // either way cut to kMaxValueLength bytes.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // The value as an integer, hexadecimal after "0x"; `def` when it is
    // missing or not an integer.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;

    // A value that begins and ends with the same quote character gets one
    // more pair of double quotes, so that reading it back strips only those.
    // Throws vorn::UserError "Impossible d'écrire dans <path>" when the file
    // cannot be written; the file is then left as it was.
    void WriteString(std::string_view section, std::string_view key, std::string_view value) const;
    void WriteInteger(std::string_view section, std::string_view key, int value) const;
    void WriteBool(std::string_view section, std::string_view key, bool value) const;

private:
    // Stores `value` exactly as given.
    void WriteRaw(std::string_view section, std::string_view key, std::string_view value) const;

    QString path_;
};
