#pragma once

#include <QString>

#include <memory>
#include <vector>

class QFile;
class QTemporaryDir;

namespace vorn {

// The files this run makes for its own use (the preview's page files and its
// probe file). Each is created only where no entry of that name exists, never
// through a symbolic link, and is remembered by its absolute path and its
// identity on disk. Later the program rewrites or deletes exactly those files,
// where it made them, whatever the working directory has become since; a file
// of the same name that someone else put there, a link or a folder, is never
// touched.
class OwnWorkingFiles {
public:
    OwnWorkingFiles();
    // Removes every file of ours that is left, and the private folder.
    ~OwnWorkingFiles();
    OwnWorkingFiles(const OwnWorkingFiles&) = delete;
    OwnWorkingFiles& operator=(const OwnWorkingFiles&) = delete;

    // Opens `path` (absolute) for writing, empty: creates the file when no
    // entry of that name exists, or empties it when it is a file of ours that
    // is still in place. Anything else is refused: false, `file` left closed.
    bool OpenForWriting(const QString& path, QFile& file);

    // True when `path` is a file this run created and that is still the same
    // regular file.
    bool IsOwn(const QString& path) const;

    // Deletes every file of ours whose file name (without folder) is `name`,
    // wherever it lies; what has been replaced since is left alone.
    void RemoveNamed(const QString& name);

    // Deletes every file of ours and the private folder. Failed deletions are
    // ignored.
    void RemoveAll();

    // A folder of this run's own, created on first use in the system's
    // temporary folder and removed by RemoveAll(); empty when it cannot be
    // made.
    QString PrivateFolder();
    // The private folder if it was made, else empty.
    QString PrivateFolderPath() const;

private:
    struct Entry {
        QString path;
        unsigned long long device;
        unsigned long long inode;
    };
    void Remove(const Entry& entry) const;

    std::vector<Entry> entries_;
    std::unique_ptr<QTemporaryDir> privateFolder_;
};

} // namespace vorn
