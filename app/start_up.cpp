#include "app/start_up.h"

#include "exercises/cp1252.h"
#include "exercises/user_error.h"
#include "settings/settings_location.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vorn {

QString SettingsFileNameFor(const QString& executablePath) {
    return SettingsFileBesideExecutable(executablePath);
}

long long TracerPidFromStatus(const QByteArray& statusText) {
    for (const QByteArray& line : statusText.split('\n')) {
        if (!line.startsWith("TracerPid:"))
            continue;
        bool ok = false;
        const long long pid = line.mid(10).trimmed().toLongLong(&ok);
        return ok ? pid : 0;
    }
    return 0;
}

bool IsDebuggerAttached() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    return TracerPidFromStatus(status.readAll()) != 0;
}

QByteArray DatCompilText(const QString& executablePath, const QDateTime& localNow) {
    const QString text = QFileInfo(executablePath).fileName() + QStringLiteral(" : ") +
                         localNow.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    return QByteArray::fromStdString(Utf8ToCp1252(text.toUtf8().toStdString()));
}

void WriteDatCompil(const QString& executablePath, const QDateTime& localNow) {
    const QString path = QDir::current().filePath(QStringLiteral("_DatCompil.txt"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(DatCompilText(executablePath, localNow)) < 0 || !file.commit()) {
        throw UserError(
            QStringLiteral("Impossible de créer le fichier %1").arg(path).toUtf8().toStdString());
    }
}

std::uint32_t SeedFromUtcTime(const QTime& t) {
    return static_cast<std::uint32_t>(((t.hour() * 60 + t.minute()) * 60 + t.second()) * 1000 +
                                      t.msec());
}

} // namespace vorn
