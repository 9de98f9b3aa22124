#include "settings/profile_file.h"

#include "exercises/user_error.h"
#include "settings/file_update.h"
#include "settings/settings_file_lock.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

#include <utility>

namespace {

// The whole file in one buffer the size of the file, without the extra copy
// a QByteArray would cost for a large one.
bool ReadWholeFile(QFile& file, std::string& bytes) {
    // One byte more than the file holds, so that the end is seen without
    // growing the buffer; a file that grows meanwhile doubles it.
    bytes.resize(static_cast<std::size_t>(std::max<qint64>(file.size(), 0)) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size())
            bytes.resize(bytes.size() * 2);
        const qint64 n = file.read(bytes.data() + done, static_cast<qint64>(bytes.size() - done));
        if (n < 0)
            return false;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return true;
}

} // namespace

ProfileFile::ProfileFile(QString path) : path_(std::move(path)) {}

std::string ProfileFile::WriteError() const {
    return "Impossible d'\xC3\xA9"
           "crire dans " +
           QDir::toNativeSeparators(path_).toStdString();
}

SectionSnapshot ProfileFile::ReadSection(std::string_view section) const {
    QFile file(path_);
    std::string bytes;
    if (!file.open(QIODevice::ReadOnly) || !ReadWholeFile(file, bytes))
        return SectionSnapshot();
    return SectionSnapshot(vorn::profile::DecodeFile(std::move(bytes)), section);
}

void ProfileFile::WriteSection(std::string_view section, const SectionUpdate& update) const {
    const auto lock = LockSettingsFile(path_, WriteError());

    std::string bytes;
    {
        QFile existing(path_);
        // Rewriting a file that exists but cannot be read would drop every
        // other setting in it.
        if (existing.exists() &&
            (!existing.open(QIODevice::ReadOnly) || !ReadWholeFile(existing, bytes)))
            throw vorn::UserError(WriteError());
    }
    const std::string updated = UpdatedFileBytes(std::move(bytes), section, update);

    // The new text goes to a temporary file beside the settings file and
    // replaces it by a rename, so an interrupted write leaves either the old
    // file or the new one, never a truncated one. A writable file in a folder
    // this user cannot write is written in place instead, as the only way to
    // keep its settings at all.
    QSaveFile file(path_);
    file.setDirectWriteFallback(true);
    const auto size = static_cast<qint64>(updated.size());
    // The flush reports a failed write of the text, which a commit in place
    // would not.
    if (!file.open(QIODevice::WriteOnly) || file.write(updated.data(), size) != size ||
        !file.flush() || !file.commit()) {
        file.cancelWriting();
        throw vorn::UserError(WriteError());
    }
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view def) const {
    return ReadSection(section).ReadString(key, def);
}

int ProfileFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    return ReadSection(section).ReadInteger(key, def);
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) const {
    SectionUpdate update;
    update.WriteString(key, value);
    WriteSection(section, update);
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int value) const {
    SectionUpdate update;
    update.WriteInteger(key, value);
    WriteSection(section, update);
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) const {
    SectionUpdate update;
    update.WriteBool(key, value);
    WriteSection(section, update);
}
