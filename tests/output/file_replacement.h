#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <sys/stat.h>

// Replaces the file at `path` by a new file holding `content`, as someone
// else would behind the program's back: deletes it, then creates files in the
// same folder until the file system hands out the freed inode number again
// (ext4 soon does, once nothing holds the old file), and renames that one
// into place. True when the newcomer does carry the old inode number.
inline bool ReplaceKeepingInodeIfFree(const QString& path, const QByteArray& content) {
    struct stat before {};
    if (::lstat(QFile::encodeName(path).constData(), &before) != 0 || !QFile::remove(path))
        return false;
    const QDir folder = QFileInfo(path).dir();
    // All kept until the end: a newcomer deleted at once would free its number
    // for the next one, which the file system may prefer to the one sought.
    QStringList newcomers;
    bool same = false;
    for (int i = 0; i < 300 && !same; ++i) {
        newcomers << folder.filePath(QStringLiteral("newcomer%1").arg(i));
        QFile file(newcomers.last());
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return false;
        file.close();
        struct stat now {};
        same = ::lstat(QFile::encodeName(newcomers.last()).constData(), &now) == 0 &&
               now.st_ino == before.st_ino && now.st_dev == before.st_dev;
    }
    const QString newcomer = newcomers.takeLast();
    for (const QString& other : newcomers)
        QFile::remove(other);
    return QFile::rename(newcomer, path) && same;
}
