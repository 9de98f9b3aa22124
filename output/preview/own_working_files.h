#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class QFile;

namespace vorn {

class PrivateTempFolder;

// The files this run makes for its own use (the preview's page files and its
// probe file). Each is created only where no entry of that name exists, never
// through a symbolic link, and is remembered by its absolute path and by a
// descriptor kept open until the program removes it. Later the program
// rewrites or deletes exactly those files, where it made them, whatever the
// working directory has become since; a file of the same name that someone
// else put there, a link or a folder, is never touched.
//
// The open descriptor is what makes the identity sound: a file that is still
// open keeps its inode number, so no file made after ours was deleted or
// renamed away can carry the same (device, inode) pair and pass for ours.
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

    // True when `path` is a file this run created and that is still in place.
    bool IsOwn(const QString& path) const;

    // The whole content of the file of ours at `path`, read from the file this
    // run wrote even if something else has taken its name since; empty when
    // `path` is not a file of ours or cannot be read.
    QByteArray Contents(const QString& path) const;

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
        int descriptor; // open from creation to removal
        unsigned long long device;
        unsigned long long inode;
    };
    bool InPlace(const Entry& entry) const;
    void Remove(const Entry& entry) const;
    std::vector<Entry>::iterator Find(const QString& path);

    std::vector<Entry> entries_;
    std::unique_ptr<PrivateTempFolder> privateFolder_;
};

} // namespace vorn
