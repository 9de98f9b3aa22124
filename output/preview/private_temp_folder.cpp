#include "output/preview/private_temp_folder.h"

#include "output/preview/page_pictures.h"
#include "output/preview/preview_command.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vorn {
namespace {

const char kPrefix[] = "vorn-apercu-";
// mkdtemp() replaces the six X of its pattern with letters and digits.
constexpr std::size_t kSuffixLength = 6;
// Far above any process id the kernel hands out (at most 2^22).
constexpr std::size_t kMaxPidDigits = 9;

int OpenFolder(int at, const char* name) {
    return ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
}

// The names in the folder open at `folder`, "." and ".." left out.
std::vector<std::string> EntryNames(int folder) {
    std::vector<std::string> names;
    const int listing = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (listing < 0)
        return names;
    DIR* entries = ::fdopendir(listing);
    if (!entries) {
        ::close(listing);
        return names;
    }
    while (const dirent* entry = ::readdir(entries)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(entries);
    return names;
}

// Deletes everything inside the folder open at `folder`, working on names
// relative to it so that no link, and no folder swapped in meanwhile, is
// followed.
void EmptyFolder(int folder) {
    for (const std::string& name : EntryNames(folder)) {
        if (::unlinkat(folder, name.c_str(), 0) == 0 || (errno != EISDIR && errno != EPERM))
            continue;
        const int sub = OpenFolder(folder, name.c_str());
        if (sub < 0)
            continue;
        EmptyFolder(sub);
        ::close(sub);
        ::unlinkat(folder, name.c_str(), AT_REMOVEDIR);
    }
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsAsciiLetterOrDigit(char c) {
    return IsAsciiDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The process id in a name that Create() could have made, exactly:
// "vorn-apercu-", the id in decimal (no sign, no leading zero), "-" and
// mkdtemp's six letters or digits. 0 for any other name.
long long MakerOf(const std::string& name) {
    constexpr std::size_t prefixLength = sizeof kPrefix - 1;
    if (name.compare(0, prefixLength, kPrefix) != 0)
        return 0;
    const std::size_t dash = name.find('-', prefixLength);
    const std::size_t digits = dash == std::string::npos ? 0 : dash - prefixLength;
    if (digits == 0 || digits > kMaxPidDigits || name[prefixLength] == '0' ||
        name.size() != dash + 1 + kSuffixLength)
        return 0;
    long long pid = 0;
    for (std::size_t i = prefixLength; i < dash; ++i) {
        if (!IsAsciiDigit(name[i]))
            return 0;
        pid = pid * 10 + (name[i] - '0');
    }
    const auto suffix = name.begin() + static_cast<std::ptrdiff_t>(dash + 1);
    return std::all_of(suffix, name.end(), IsAsciiLetterOrDigit) ? pid : 0;
}

// The names of the files the preview puts in the folder.
std::vector<std::string> OwnFileNames() {
    std::vector<std::string> names{kProbeFileName};
    for (int page = 0; page < kPreviewPages; ++page)
        names.push_back(
            QFile::encodeName(PageFileName(QString::fromLatin1(kPagePrefix), page)).toStdString());
    return names;
}

// Deletes the preview's files from a folder left behind, provided that it
// holds nothing else: each entry is a regular file of this user's under one
// of the preview's names. A folder holding anything else is somebody's work
// that merely looks like ours, and is not touched at all.
bool RemoveLeftFiles(int folder) {
    const std::vector<std::string> own = OwnFileNames();
    const std::vector<std::string> names = EntryNames(folder);
    for (const std::string& name : names) {
        struct stat st {};
        if (std::find(own.begin(), own.end(), name) == own.end() ||
            ::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
            return false;
    }
    for (const std::string& name : names)
        if (::unlinkat(folder, name.c_str(), 0) != 0)
            return false;
    return true;
}

bool ProcessRuns(long long pid) {
    // A process that ended but that its parent has not collected yet still
    // answers to its id: it is gone all the same.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray line = stat.read(4096);
        const qsizetype end = line.lastIndexOf(')');
        if (end >= 0 && line.mid(end + 1).trimmed().startsWith('Z'))
            return false;
    }
    // EPERM: it runs, under another user.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

} // namespace

std::unique_ptr<PrivateTempFolder> PrivateTempFolder::Create(const QString& parent) {
    QByteArray pattern = QFile::encodeName(QDir(parent).filePath(
        QString::fromLatin1(kPrefix) + QString::number(::getpid()) + QStringLiteral("-XXXXXX")));
    if (!::mkdtemp(pattern.data()))
        return nullptr;
    const int lock = OpenFolder(AT_FDCWD, pattern.constData());
    if (lock < 0 || ::flock(lock, LOCK_SH | LOCK_NB) != 0) {
        if (lock >= 0)
            ::close(lock);
        ::rmdir(pattern.constData());
        return nullptr;
    }
    return std::unique_ptr<PrivateTempFolder>(
        new PrivateTempFolder(QFile::decodeName(pattern), lock));
}

PrivateTempFolder::~PrivateTempFolder() {
    // Everything in it is this run's, whatever it is: the folder goes whole.
    EmptyFolder(lock_);
    ::rmdir(QFile::encodeName(path_).constData());
    ::close(lock_);
}

int RemoveStalePrivateFolders(const QString& parent) {
    const int parentFolder = OpenFolder(AT_FDCWD, QFile::encodeName(parent).constData());
    if (parentFolder < 0)
        return 0;
    int removed = 0;
    for (const std::string& name : EntryNames(parentFolder)) {
        const long long pid = MakerOf(name);
        if (pid <= 0 || pid == ::getpid() || ProcessRuns(pid))
            continue;
        const int folder = OpenFolder(parentFolder, name.c_str());
        if (folder < 0)
            continue;
        struct stat st {};
        // Only what Create() makes: a folder of this user's with mode 0700.
        // The maker may run in another process namespace, where its id means
        // something else: its lock is free only once it is gone.
        if (::fstat(folder, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
            (st.st_mode & 07777) == 0700 && ::flock(folder, LOCK_EX | LOCK_NB) == 0 &&
            RemoveLeftFiles(folder) && ::unlinkat(parentFolder, name.c_str(), AT_REMOVEDIR) == 0)
            ++removed;
        ::close(folder);
    }
    ::close(parentFolder);
    return removed;
}

} // namespace vorn
