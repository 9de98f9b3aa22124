#include "output/save_stream.h"

#include "exercises/user_error.h"

#include <QSaveFile>

namespace vorn {

void SaveStream(const QString& fileName, const BlockSource& source) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw UserError("Impossible de créer le fichier " + fileName.toStdString());

    const BlockSink sink = [&file](const char* data, qint64 size) {
        return file.write(data, size) == size ? 0 : 1;
    };
    // The buffer is flushed here, not left to commit(): commit() would rename
    // a file whose last blocks failed to reach the disk. An uncommitted
    // QSaveFile removes its temporary file when it goes, so throwing leaves
    // the destination untouched.
    if (!source(sink) || !file.flush() || file.error() != QFileDevice::NoError || !file.commit())
        throw UserError("Erreur à l'enregistrement du flux");
}

} // namespace vorn
