#include "settings/profile_file.h"

#include "exercises/user_error.h"
#include "settings/profile_text.h"
#include "settings/value_text.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <utility>

TProfileFile::TProfileFile(QString path) : path_(std::move(path)) {}

std::string TProfileFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view def) const {
    std::string value(def);
    QFile file(path_);
    // An unreadable file counts as a missing one: the caller's default stands.
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        file.close();
        const std::string_view content(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        if (auto found = vorn::profile::FindValue(content, section, key))
            value = std::move(*found);
    }
    if (value.size() > kMaxValueLength)
        value.resize(kMaxValueLength);
    return value;
}

int TProfileFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    return vorn::ParseProfileInteger(ReadString(section, key, "")).value_or(def);
}

void TProfileFile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) const {
    if (!value.empty() && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        WriteRaw(section, key, "\"" + std::string(value) + "\"");
        return;
    }
    WriteRaw(section, key, value);
}

void TProfileFile::WriteInteger(std::string_view section, std::string_view key, int value) const {
    WriteRaw(section, key, std::to_string(value));
}

void TProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) const {
    WriteRaw(section, key, value ? "1" : "0");
}

void TProfileFile::WriteRaw(std::string_view section, std::string_view key,
                            std::string_view value) const {
    QByteArray current;
    {
        QFile existing(path_);
        if (existing.exists()) {
            // Rewriting a file that exists but cannot be read would drop every
            // other setting in it.
            if (!existing.open(QIODevice::ReadOnly))
                throw vorn::UserError("Impossible d'écrire dans " +
                                      QDir::toNativeSeparators(path_).toStdString());
            current = existing.readAll();
        }
    }
    const std::string updated = vorn::profile::SetValue(
        std::string_view(current.constData(), static_cast<std::size_t>(current.size())), section,
        key, value);

    // The new text goes to a temporary file beside the settings file and
    // replaces it by a rename, so an interrupted write leaves either the old
    // file or the new one, never a truncated one.
    QSaveFile file(path_);
    const auto size = static_cast<qint64>(updated.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(updated.data(), size) != size ||
        !file.commit()) {
        file.cancelWriting();
        throw vorn::UserError("Impossible d'écrire dans " +
                              QDir::toNativeSeparators(path_).toStdString());
    }
}
