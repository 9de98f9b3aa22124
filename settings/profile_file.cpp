#include "settings/profile_file.h"

#include "settings/file_update.h"
#include "settings/regular_file.h"
#include "settings/settings_file_lock.h"
#include "settings/settings_location.h"
#include "text/user_error.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <utility>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAllAt(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Overwrites the existing file with `bytes`. The room for the new text is
// taken before a byte of the old one is touched, so that a full disk (or a
// file size limit) leaves the old file whole instead of cut in the middle of
// some other program's section.
bool WriteInPlace(const QString& path, const std::string& bytes) {
    const RegularFile file(path, O_WRONLY);
    struct stat st = {};
    if (!file.IsOpen() || ::fstat(file.Descriptor(), &st) != 0)
        return false;
    const auto newSize = static_cast<off_t>(bytes.size());
    if (newSize > st.st_size) {
        if (::posix_fallocate(file.Descriptor(), 0, newSize) != 0) {
            // A failed reservation may still have grown the file.
            (void)::ftruncate(file.Descriptor(), st.st_size);
            return false;
        }
    }
    return WriteAllAt(file.Descriptor(), bytes) && ::ftruncate(file.Descriptor(), newSize) == 0 &&
           ::fsync(file.Descriptor()) == 0;
}

} // namespace

ProfileFile::ProfileFile(QString path, std::chrono::milliseconds lockWait)
    : path_(std::move(path)), lockWait_(lockWait) {}

std::string ProfileFile::WriteError() const {
    return "Impossible d'\xC3\xA9"
           "crire dans " +
           QDir::toNativeSeparators(path_).toStdString();
}

SectionSnapshot ProfileFile::ReadSection(std::string_view section) const {
    const RegularFile file(path_, O_RDONLY);
    std::string bytes;
    if (!file.IsOpen() || !file.ReadAll(bytes))
        return SectionSnapshot();
    return SectionSnapshot(vorn::profile::DecodeFile(std::move(bytes)), section);
}

void ProfileFile::WriteSection(std::string_view section, const SectionUpdate& update) const {
    const SettingsFileLock lock(path_, lockWait_, WriteError());

    std::string bytes;
    {
        // Rewriting a file that exists but cannot be read would drop every
        // other setting in it; and something else than a regular file under
        // the settings file's name is not this program's to replace.
        const RegularFile existing(path_, O_RDONLY);
        if (!existing.Missing() && (!existing.IsOpen() || !existing.ReadAll(bytes)))
            throw vorn::UserError(WriteError());
    }
    const std::string updated = UpdatedFileBytes(std::move(bytes), section, update);

    // A writable file in a folder this user cannot write is written in place,
    // as the only way to keep its settings at all.
    if (!vorn::FolderOfFileWritable(path_)) {
        if (!WriteInPlace(path_, updated))
            throw vorn::UserError(WriteError());
        return;
    }
    // Otherwise the new text goes to a temporary file beside the settings
    // file and replaces it by a rename, so an interrupted write leaves either
    // the old file or the new one, never a truncated one.
    QSaveFile file(path_);
    const auto size = static_cast<qint64>(updated.size());
    // The flush reports a failed write of the text before the rename.
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
