#include "output/save_stream.h"

#include "output/save_error.h"

#include <QFile>
#include <QSaveFile>

#include <sys/stat.h>

namespace vorn {

void SaveStream(const QString& fileName, const BlockSource& source) {
    const std::string systemName = QFile::encodeName(fileName).toStdString();
    const auto cannotCreate = [&] {
        return SaveError("Impossible de créer le fichier " + fileName.toStdString(), systemName);
    };
    // A device, a pipe, a socket or a folder is never replaced by a sheet; a
    // link to a regular file is written through, the link staying.
    struct stat st {};
    if (::stat(systemName.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        throw cannotCreate();

    QSaveFile file(fileName);
    // A writable file in a folder where no new file may be made (a shared
    // teacher's file): written in place, without the temporary file.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        throw cannotCreate();

    const BlockSink sink = [&file](const char* data, qint64 size) {
        return file.write(data, size) == size ? 0 : 1;
    };
    // The buffer is flushed here, not left to commit(): commit() would rename
    // a file whose last blocks failed to reach the disk. An uncommitted
    // QSaveFile removes its temporary file when it goes, so throwing leaves
    // the destination untouched (except when written in place).
    if (!source(sink) || !file.flush() || file.error() != QFileDevice::NoError || !file.commit())
        throw SaveError("Erreur à l'enregistrement du flux", systemName);
}

} // namespace vorn
