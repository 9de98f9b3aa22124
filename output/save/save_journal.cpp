#include "output/save/save_journal.h"

#include "text/whole_file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sstream>
#include <sys/file.h>
#include <unistd.h>

namespace vorn {
namespace {

constexpr char kMagic[] = "vorn-save-journal 1";
constexpr char kHex[] = "0123456789abcdef";

// Paths are written in hexadecimal: a file name may hold any byte but "/"
// and NUL, a line break or a blank included.
std::string Hex(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size() * 2 + 1);
    for (const unsigned char byte : bytes) {
        text += kHex[byte >> 4];
        text += kHex[byte & 15];
    }
    return text.empty() ? "-" : text;
}

bool FromHex(const std::string& text, std::string& bytes) {
    bytes.clear();
    if (text == "-")
        return true;
    if (text.size() % 2 != 0)
        return false;
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = digit(text[i]);
        const int low = digit(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes += char(high * 16 + low);
    }
    return !bytes.empty() && bytes.find('\0') == std::string::npos;
}

std::string StatText(const struct stat& st) {
    std::ostringstream out;
    out << st.st_dev << ' ' << st.st_ino << ' ' << st.st_size << ' ' << st.st_mtim.tv_sec << ' '
        << st.st_mtim.tv_nsec;
    return out.str();
}

bool ReadStat(std::istream& in, struct stat& st) {
    unsigned long long dev = 0, ino = 0;
    long long size = 0, seconds = 0, nanoseconds = 0;
    if (!(in >> dev >> ino >> size >> seconds >> nanoseconds))
        return false;
    st.st_dev = dev;
    st.st_ino = ino;
    st.st_size = size;
    st.st_mtim.tv_sec = seconds;
    st.st_mtim.tv_nsec = nanoseconds;
    return true;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool Unchanged(const struct stat& a, const struct stat& b) {
    return SameFile(a, b) && a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// Removes a file the save made, only while the name still holds that file.
void RemoveIfSame(const std::string& path, const struct stat& made) {
    struct stat now {};
    if (::lstat(path.c_str(), &now) == 0 && S_ISREG(now.st_mode) && SameFile(now, made))
        ::unlink(path.c_str());
}

// Puts a file written in place back as it was before the save.
void PutBack(const SaveJournal::InPlace& entry) {
    const int backup = ::open(entry.backup.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    std::string content;
    const bool read = backup >= 0 && ReadToEnd(backup, content);
    if (backup >= 0)
        ::close(backup);
    if (!read)
        return;
    const int target = ::open(entry.target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (target < 0)
        return;
    struct stat st {};
    if (::fstat(target, &st) == 0 && S_ISREG(st.st_mode) && SameFile(st, entry.identity) &&
        RewriteWhole(target, content))
        ::unlink(entry.backup.c_str());
    ::close(target);
}

void Settle(const SaveJournal& journal) {
    if (journal.state != SaveJournal::State::kCommitted) {
        // Not every file was whole: the save never happened.
        for (const SaveJournal::InPlace& entry : journal.inPlace)
            if (journal.state == SaveJournal::State::kReady)
                PutBack(entry);
            else
                ::unlink(entry.backup.c_str());
        for (const SaveJournal::Replacement& entry : journal.replacements) {
            struct stat st {};
            // Only a regular file of the user's under the generated name.
            if (::lstat(entry.temporary.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
                st.st_uid == ::geteuid())
                ::unlink(entry.temporary.c_str());
        }
        return;
    }
    // Every content was whole and written: finish the renames, the first
    // file last, as the save itself would have.
    for (auto entry = journal.replacements.rbegin(); entry != journal.replacements.rend();
         ++entry) {
        struct stat temporary {};
        if (::lstat(entry->temporary.c_str(), &temporary) != 0 || !S_ISREG(temporary.st_mode) ||
            temporary.st_uid != ::geteuid())
            continue;
        struct stat target {};
        const bool exists = ::stat(entry->target.c_str(), &target) == 0;
        const bool untouched = entry->targetExisted ? exists && Unchanged(target, entry->before)
                                                    : !exists && errno == ENOENT;
        if (untouched)
            ::rename(entry->temporary.c_str(), entry->target.c_str());
        else
            ::unlink(entry->temporary.c_str());
    }
    for (const SaveJournal::InPlace& entry : journal.inPlace)
        ::unlink(entry.backup.c_str());
}

} // namespace

std::string JournalText(const SaveJournal& journal) {
    std::ostringstream out;
    out << kMagic << '\n';
    out << "state "
        << (journal.state == SaveJournal::State::kWriting ? "writing"
            : journal.state == SaveJournal::State::kReady ? "ready"
                                                          : "committed")
        << '\n';
    for (const SaveJournal::Replacement& entry : journal.replacements) {
        out << "rename " << Hex(entry.temporary) << ' ' << Hex(entry.target) << ' '
            << (entry.targetExisted ? 1 : 0) << ' ' << StatText(entry.before) << '\n';
    }
    for (const SaveJournal::InPlace& entry : journal.inPlace)
        out << "inplace " << Hex(entry.target) << ' ' << Hex(entry.backup) << ' '
            << StatText(entry.identity) << '\n';
    out << "end\n";
    return out.str();
}

bool ParseJournal(const std::string& text, SaveJournal& journal) {
    journal = SaveJournal{};
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kMagic)
        return false;
    if (!std::getline(in, line))
        return false;
    if (line == "state writing")
        journal.state = SaveJournal::State::kWriting;
    else if (line == "state ready")
        journal.state = SaveJournal::State::kReady;
    else if (line == "state committed")
        journal.state = SaveJournal::State::kCommitted;
    else
        return false;
    while (std::getline(in, line)) {
        if (line == "end")
            return true;
        std::istringstream fields(line);
        std::string kind, first, second;
        if (!(fields >> kind >> first >> second))
            return false;
        if (kind == "rename") {
            SaveJournal::Replacement entry;
            int existed = 0;
            if (!FromHex(first, entry.temporary) || !FromHex(second, entry.target) ||
                !(fields >> existed) || !ReadStat(fields, entry.before))
                return false;
            entry.targetExisted = existed != 0;
            journal.replacements.push_back(entry);
        } else if (kind == "inplace") {
            SaveJournal::InPlace entry;
            if (!FromHex(first, entry.target) || !FromHex(second, entry.backup) ||
                !ReadStat(fields, entry.identity))
                return false;
            journal.inPlace.push_back(entry);
        } else {
            return false;
        }
    }
    // A journal without its last line was cut short: it is no journal.
    return false;
}

std::string SaveJournalFolder() {
    std::string state;
    if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && xdg[0] == '/')
        state = xdg;
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        state = std::string(home) + "/.local/state";
    else
        return {};
    std::string folder;
    for (const char* part : {"", "/vorn", "/saves"}) {
        folder = state + part;
        // The state folders of the desktop are private; ours are made so.
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return {};
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & 077) != 0)
        return {};
    return folder;
}

int SettleInterruptedSaves(const std::string& journalFolder) {
    if (journalFolder.empty())
        return 0;
    DIR* entries = ::opendir(journalFolder.c_str());
    if (!entries)
        return 0;
    std::vector<std::string> journals;
    while (const dirent* entry = ::readdir(entries)) {
        const std::string name = entry->d_name;
        if (name.rfind("save-", 0) == 0 && name.find('.') == std::string::npos)
            journals.push_back(journalFolder + "/" + name);
    }
    ::closedir(entries);
    int settled = 0;
    for (const std::string& path : journals) {
        const int fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        std::string text;
        SaveJournal journal;
        // A running save holds its journal locked.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            st.st_size < 1024 * 1024 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ReadToEnd(fd, text)) {
            // A journal cut short by a kill while it was first written was
            // written before anything else: there is nothing to settle.
            const bool whole = ParseJournal(text, journal);
            if (!whole)
                journal = SaveJournal{};
            if (whole || text.rfind(kMagic, 0) == 0 || text.empty()) {
                Settle(journal);
                RemoveIfSame(path, st);
                ++settled;
            }
        }
        ::close(fd);
    }
    return settled;
}

} // namespace vorn
