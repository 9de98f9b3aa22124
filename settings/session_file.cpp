#include "settings/session_file.h"

#include "text/bounded_file_read.h"
#include "text/decimal.h"
#include "text/system_cause.h"
#include "text/user_error.h"
#include "text/whole_file_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {

namespace {

constexpr std::string_view kFirstLine = "VORN-SESSION 1\n";
constexpr std::string_view kLastLine = "FIN\n";

void Field(std::string& text, std::string_view name, std::string_view value) {
    text += name;
    text += ' ' + std::to_string(value.size()) + '\n';
    text += value;
    text += '\n';
}

// Reads the next field at `at`; false when the text is not a field there.
bool NextField(std::string_view text, std::size_t& at, std::string_view& name,
               std::string_view& value) {
    const std::size_t lineEnd = text.find('\n', at);
    if (lineEnd == std::string_view::npos)
        return false;
    const std::string_view line = text.substr(at, lineEnd - at);
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos)
        return false;
    const std::optional<long long> size = ParseDecimalSaturating(line.substr(blank + 1));
    if (!size || *size < 0 || static_cast<unsigned long long>(*size) > text.size() - lineEnd - 1)
        return false;
    const std::size_t start = lineEnd + 1;
    const std::size_t end = start + static_cast<std::size_t>(*size);
    if (end >= text.size() || text[end] != '\n')
        return false;
    name = line.substr(0, blank);
    value = text.substr(start, end - start);
    at = end + 1;
    return true;
}

bool ReadInt(std::string_view text, int min, int max, int& n) {
    const std::optional<long long> value = ParseDecimalSaturating(text);
    if (!value || *value < min || *value > max)
        return false;
    n = static_cast<int>(*value);
    return true;
}

QString StateHome() {
    const QString xdg = qEnvironmentVariable("XDG_STATE_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.local/state");
}

std::string Named(const QString& fileName) {
    return "« " + fileName.toStdString() + " »";
}

[[noreturn]] void Fail(const QString& fileName, int error) {
    throw UserError("La session n'a pas pu être gardée dans " + Named(fileName) + " : " +
                    SystemCause(error));
}

} // namespace

std::string SessionText(const Session& session) {
    std::string text(kFirstLine);
    Field(text, "sujets", session.statement);
    Field(text, "corriges", session.answerKey);
    Field(text, "modifiee", session.edited ? "1" : "0");
    Field(text, "reference", session.reference);
    Field(text, "recette", session.recipe);
    Field(text, "imprimante", session.printer);
    Field(text, "sujets-differents", std::to_string(session.setSize));
    Field(text, "famille", session.family);
    Field(text, "niveau", std::to_string(session.level));
    text += kLastLine;
    return text;
}

std::optional<Session> ParseSession(std::string_view text) {
    if (!text.starts_with(kFirstLine) || !text.ends_with(kLastLine))
        return std::nullopt;
    const std::string_view body = text.substr(0, text.size() - kLastLine.size());
    Session session;
    std::size_t at = kFirstLine.size();
    while (at < body.size()) {
        std::string_view name;
        std::string_view value;
        if (!NextField(body, at, name, value))
            return std::nullopt;
        if (name == "sujets") {
            session.statement = value;
        } else if (name == "corriges") {
            session.answerKey = value;
        } else if (name == "modifiee") {
            if (value != "0" && value != "1")
                return std::nullopt;
            session.edited = value == "1";
        } else if (name == "reference") {
            session.reference = value;
        } else if (name == "recette") {
            session.recipe = value;
        } else if (name == "imprimante") {
            session.printer = value;
        } else if (name == "sujets-differents") {
            if (!ReadInt(value, 0, 200, session.setSize))
                return std::nullopt;
        } else if (name == "famille") {
            session.family = value;
        } else if (name == "niveau") {
            if (!ReadInt(value, 0, 100, session.level))
                return std::nullopt;
        }
        // A field of a later version is passed over.
    }
    return session;
}

QString SessionFileName() {
    return StateHome() + QStringLiteral("/vorn/session");
}

std::optional<Session> ReadSessionFile(const QString& fileName) {
    const FileRead read =
        ReadBoundedFile(QFile::encodeName(fileName).toStdString(), kMaxSessionBytes, false);
    if (read.status != FileReadStatus::Ok)
        return std::nullopt;
    return ParseSession(read.bytes);
}

void WriteSessionFile(const QString& fileName, const Session& session) {
    const QString folder = QFileInfo(fileName).absolutePath();
    const QByteArray folderBytes = QFile::encodeName(folder);
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        Fail(fileName, errno ? errno : EACCES);
    ::chmod(folderBytes.constData(), 0700);
    const std::string target = QFile::encodeName(fileName).toStdString();
    const std::string temporary = target + ".nouvelle";
    ::unlink(temporary.c_str());
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        Fail(fileName, errno);
    const std::string text = SessionText(session);
    if (!WriteAll(fd, text) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        Fail(fileName, error);
    }
    if (::close(fd) != 0 || ::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        Fail(fileName, error);
    }
}

} // namespace vorn
