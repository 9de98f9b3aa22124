#include "output/save/write_files_together.h"

#include "output/save/save_error.h"
#include "output/save/save_journal.h"
#include "text/system_cause.h"
#include "text/whole_file_io.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {
namespace {

SaveStepHook stepHook = nullptr;

void Reached(SaveStep step, std::size_t index = 0) {
    if (stepHook)
        stepHook(step, index);
}

[[noreturn]] void CannotCreate(const std::string& name, const std::string& cause) {
    throw SaveError("Impossible de créer le fichier " + name + " : " + cause, name);
}

[[noreturn]] void CannotWrite(const std::string& name, const std::string& cause) {
    throw SaveError("Erreur à l'enregistrement du flux dans " + name + " : " + cause, name);
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The temporary files of a save are hidden beside their file and named after
// it, so that the next save of that name finds what a kill left.
std::string TemporaryPrefix(const std::string& base) {
    constexpr std::size_t kRoom = NAME_MAX - sizeof(".") - sizeof(".vorn-XXXXXX") + 2;
    return "." + base.substr(0, kRoom) + ".vorn-";
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes the temporary files that an interrupted save of `base` left in
// `folder`: regular files of the user's under the generated name that no
// running save holds.
void RemoveLeftovers(const std::string& folder, const std::string& base) {
    DIR* entries = ::opendir(folder.c_str());
    if (!entries)
        return;
    const std::string prefix = TemporaryPrefix(base);
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(entries)) {
        const std::string name = entry->d_name;
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0)
            names.push_back(folder + "/" + name);
    }
    ::closedir(entries);
    for (const std::string& path : names) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat opened {};
        struct stat named {};
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
            SameFile(opened, named))
            ::unlink(path.c_str());
        ::close(fd);
    }
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Reserves the room of `size` bytes, so that a full disk shows before any
// byte is written; a file system that cannot reserve is written all the same.
int Reserve(int fd, off_t size, int mode) {
    if (size == 0)
        return 0;
    if (::fallocate(fd, mode, 0, size) == 0)
        return 0;
    return errno == EOPNOTSUPP || errno == ENOSYS ? 0 : errno;
}

// Two saves of the user's that replace files at the same time take turns, so
// that two copies of the program saving the same pair cannot leave one's
// statement beside the other's answer key. A turn held too long (a stopped
// process) is not waited for past a few seconds.
class ReplacingTurn {
public:
    explicit ReplacingTurn(const std::string& journalFolder) {
        if (journalFolder.empty())
            return;
        fd_ = ::open(journalFolder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        for (int wait = 0; fd_ >= 0 && wait < 500; ++wait) {
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0)
                return;
            ::usleep(10 * 1000);
        }
    }
    ~ReplacingTurn() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    ReplacingTurn(const ReplacingTurn&) = delete;
    ReplacingTurn& operator=(const ReplacingTurn&) = delete;

private:
    int fd_ = -1;
};

struct PlannedFile {
    const FileContent* file = nullptr;
    std::string target; // a link's target, or the name itself
    bool existed = false;
    struct stat before {};
    bool inPlace = false;
    int fd = -1;
    std::string temporary;
    struct stat made {};
    std::string backup;
    std::string oldContent;
    bool rewritten = false;
};

// Checks a name before anything is written; throws when it cannot be saved.
PlannedFile Plan(const FileContent& file) {
    PlannedFile plan;
    plan.file = &file;
    const std::string& name = file.path;
    const std::string base = BaseName(name);
    if (base.empty())
        CannotCreate(name, SystemCause(EISDIR));
    if (base.size() > NAME_MAX)
        CannotCreate(name, SystemCause(ENAMETOOLONG));
    plan.target = name;
    struct stat st {};
    if (::lstat(name.c_str(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            char* real = ::realpath(name.c_str(), nullptr);
            if (!real)
                CannotCreate(name,
                             errno == ENOENT ? "lien vers un fichier absent" : SystemCause(errno));
            plan.target = real;
            std::free(real);
            if (::stat(plan.target.c_str(), &st) != 0)
                CannotCreate(name, SystemCause(errno));
        }
        if (S_ISDIR(st.st_mode))
            CannotCreate(name, SystemCause(EISDIR));
        if (!S_ISREG(st.st_mode))
            CannotCreate(name, "ce n'est pas un fichier ordinaire");
        plan.existed = true;
        plan.before = st;
    } else if (errno != ENOENT) {
        CannotCreate(name, SystemCause(errno));
    }
    const std::string folder = FolderOf(plan.target);
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0)
        return plan;
    const int folderError = errno;
    // A shared folder: the file may still be written where it stands.
    if (plan.existed && ::faccessat(AT_FDCWD, plan.target.c_str(), W_OK, AT_EACCESS) == 0) {
        plan.inPlace = true;
        return plan;
    }
    CannotCreate(name, SystemCause(folderError));
}

// One save: what it made is removed and what it changed put back unless it
// gets to its end.
class Save {
public:
    explicit Save(std::vector<PlannedFile> plans) : plans_(std::move(plans)) {}
    Save(const Save&) = delete;
    Save& operator=(const Save&) = delete;
    ~Save() {
        for (PlannedFile& plan : plans_) {
            if (plan.rewritten)
                RewriteWhole(plan.fd, plan.oldContent);
            if (plan.fd >= 0) {
                if (!plan.temporary.empty() && !done_ && !keepJournal_) {
                    struct stat named {};
                    if (::lstat(plan.temporary.c_str(), &named) == 0 && SameFile(named, plan.made))
                        ::unlink(plan.temporary.c_str());
                }
                ::close(plan.fd);
            }
            if (!plan.backup.empty())
                ::unlink(plan.backup.c_str());
        }
        if (journalFd_ >= 0) {
            if (!keepJournal_)
                ::unlink(journalPath_.c_str());
            ::close(journalFd_);
        }
    }

    void Run() {
        for (const PlannedFile& plan : plans_)
            if (!plan.inPlace)
                RemoveLeftovers(FolderOf(plan.target), BaseName(plan.target));
        MakeTemporaries();
        OpenJournal();
        Reached(SaveStep::kTemporariesMade);
        for (PlannedFile& plan : plans_)
            if (plan.inPlace)
                KeepOldContent(plan);
        for (PlannedFile& plan : plans_)
            if (!plan.inPlace)
                WriteTemporary(plan);
        const bool anyInPlace = journal_.inPlace.size() > 0;
        const ReplacingTurn turn(journalFolder_);
        RecordState(anyInPlace ? SaveJournal::State::kReady : SaveJournal::State::kCommitted);
        Reached(SaveStep::kContentsWritten);
        if (anyInPlace) {
            for (std::size_t i = 0; i < plans_.size(); ++i) {
                if (plans_[i].inPlace) {
                    WriteInPlace(plans_[i]);
                    Reached(SaveStep::kRewritten, i);
                }
            }
            RecordState(SaveJournal::State::kCommitted);
            // From here on the new contents stand.
            for (PlannedFile& plan : plans_)
                plan.rewritten = false;
            Reached(SaveStep::kCommitted);
        }
        // The first file, the one the teacher named, changes last.
        for (std::size_t i = plans_.size(); i-- > 0;) {
            PlannedFile& plan = plans_[i];
            if (plan.inPlace)
                continue;
            if (::rename(plan.temporary.c_str(), plan.target.c_str()) != 0) {
                const int error = errno;
                // Some files may stand renamed already: the journal finishes
                // the rest at the next start.
                keepJournal_ = i + 1 < plans_.size();
                CannotCreate(plan.file->path, SystemCause(error));
            }
            Reached(SaveStep::kRenamed, i);
        }
        done_ = true;
        for (const PlannedFile& plan : plans_)
            if (!plan.inPlace)
                SyncFolder(FolderOf(plan.target));
    }

private:
    void MakeTemporaries() {
        const mode_t mask = CurrentUmask();
        for (PlannedFile& plan : plans_) {
            if (plan.inPlace)
                continue;
            std::string pattern =
                FolderOf(plan.target) + "/" + TemporaryPrefix(BaseName(plan.target)) + "XXXXXX";
            plan.fd = ::mkostemp(pattern.data(), O_CLOEXEC);
            if (plan.fd < 0)
                CannotCreate(plan.file->path, SystemCause(errno));
            plan.temporary = pattern;
            // Held while the save runs, so that no other save takes it for
            // a leftover.
            ::flock(plan.fd, LOCK_EX);
            ::fstat(plan.fd, &plan.made);
            ::fchmod(plan.fd, plan.existed ? (plan.before.st_mode & 07777) : (0666 & ~mask));
            SaveJournal::Replacement entry;
            entry.temporary = plan.temporary;
            entry.target = plan.target;
            entry.targetExisted = plan.existed;
            entry.before = plan.before;
            journal_.replacements.push_back(entry);
        }
    }

    void OpenJournal() {
        const std::string folder = SaveJournalFolder();
        journalFolder_ = folder;
        if (folder.empty())
            return;
        std::string pattern = folder + "/save-XXXXXX";
        journalFd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (journalFd_ < 0)
            return;
        journalPath_ = pattern;
        ::flock(journalFd_, LOCK_EX);
        for (std::size_t i = 0; i < plans_.size(); ++i) {
            if (!plans_[i].inPlace)
                continue;
            plans_[i].backup = journalPath_ + "." + std::to_string(i) + ".bak";
            SaveJournal::InPlace entry;
            entry.target = plans_[i].target;
            entry.backup = plans_[i].backup;
            entry.identity = plans_[i].before;
            journal_.inPlace.push_back(entry);
        }
        RecordState(SaveJournal::State::kWriting);
        SyncFolder(folder);
    }

    void RecordState(SaveJournal::State state) {
        journal_.state = state;
        if (journalFd_ >= 0 && !RewriteWhole(journalFd_, JournalText(journal_)) &&
            !journal_.inPlace.empty())
            CannotCreate(plans_.front().file->path,
                         "le journal de l'enregistrement ne peut être écrit (" +
                             SystemCause(errno) + ")");
    }

    // Before a file is written in place its content is copied aside, where a
    // kill in the middle of the write can find it again.
    void KeepOldContent(PlannedFile& plan) {
        const std::string& name = plan.file->path;
        if (journalFd_ < 0)
            CannotCreate(name, "le dossier n'accepte pas de nouveau fichier et aucune copie "
                               "de secours du fichier actuel ne peut être faite");
        plan.fd = ::open(plan.target.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (plan.fd < 0)
            CannotCreate(name, SystemCause(errno));
        struct stat st {};
        if (::fstat(plan.fd, &st) != 0 || !S_ISREG(st.st_mode) || !SameFile(st, plan.before))
            CannotCreate(name, "le fichier a été remplacé pendant l'enregistrement");
        if (!ReadToEnd(plan.fd, plan.oldContent))
            CannotCreate(name, SystemCause(errno));
        const int backup =
            ::open(plan.backup.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        const bool kept = backup >= 0 && WriteAll(backup, plan.oldContent) && ::fsync(backup) == 0;
        const int error = errno;
        if (backup >= 0)
            ::close(backup);
        if (!kept)
            CannotCreate(name, "copie de secours impossible (" + SystemCause(error) + ")");
    }

    void WriteTemporary(PlannedFile& plan) {
        const std::string_view bytes = plan.file->bytes;
        if (const int error = Reserve(plan.fd, off_t(bytes.size()), 0); error != 0)
            CannotWrite(plan.file->path, SystemCause(error));
        if (!WriteAll(plan.fd, bytes) || ::fsync(plan.fd) != 0)
            CannotWrite(plan.file->path, SystemCause(errno));
    }

    void WriteInPlace(PlannedFile& plan) {
        const std::string_view bytes = plan.file->bytes;
        // The room is reserved without changing the file, which stays as it
        // was when the disk is full.
        if (const int error = Reserve(plan.fd, off_t(bytes.size()), FALLOC_FL_KEEP_SIZE);
            error != 0)
            CannotWrite(plan.file->path, SystemCause(error));
        plan.rewritten = true;
        if (!RewriteWhole(plan.fd, bytes))
            CannotWrite(plan.file->path, SystemCause(errno));
    }

    std::vector<PlannedFile> plans_;
    SaveJournal journal_;
    int journalFd_ = -1;
    std::string journalFolder_;
    std::string journalPath_;
    bool keepJournal_ = false;
    bool done_ = false;
};

} // namespace

void WriteFilesTogether(const std::vector<FileContent>& files) {
    std::vector<PlannedFile> plans;
    plans.reserve(files.size());
    for (const FileContent& file : files)
        plans.push_back(Plan(file));
    Save save(std::move(plans));
    save.Run();
}

void SetSaveStepHookForTests(SaveStepHook hook) {
    stepHook = hook;
}

} // namespace vorn
