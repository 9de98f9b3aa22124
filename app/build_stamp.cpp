#include "app/build_stamp.h"

#include "text/cp1252.h"
#include "text/user_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>
#include <sys/stat.h>

namespace vorn {

QByteArray DatCompilText(const QString& executablePath, const QDateTime& localNow) {
    const QString text = QFileInfo(executablePath).fileName() + QStringLiteral(" : ") +
                         localNow.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    return QByteArray::fromStdString(Utf8ToCp1252(text.toUtf8().toStdString()));
}

void WriteDatCompil(const QString& executablePath, const QDateTime& localNow) {
    const QString path = QDir::current().filePath(QStringLiteral("_DatCompil.txt"));
    const QByteArray native = QFile::encodeName(path);
    const auto cannotCreate = [&path] {
        return UserError(
            QStringLiteral("Impossible de créer le fichier %1").arg(path).toUtf8().toStdString());
    };
    // Only a regular file of that name is replaced: a link planted in a shared
    // folder must not lead the stamp into another file.
    struct stat st {};
    if (::lstat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode))
        throw cannotCreate();
    // A new file renamed over the name replaces the entry itself and never
    // writes into what it was (a link put there meanwhile, another name of a
    // file linked to it).
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open() ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ReadGroup | QFileDevice::ReadOther) ||
        file.write(DatCompilText(executablePath, localNow)) < 0 || !file.flush()) {
        throw cannotCreate();
    }
    file.close();
    if (file.error() != QFileDevice::NoError ||
        std::rename(QFile::encodeName(file.fileName()).constData(), native.constData()) != 0)
        throw cannotCreate();
    file.setAutoRemove(false);
}

} // namespace vorn
