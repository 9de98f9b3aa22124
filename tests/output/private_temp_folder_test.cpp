#include "sheet_fixture.h"

#include "output/preview/private_temp_folder.h"
#include "tests/support/watchdog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Puts an entry of `kind` at `path`: "file", "folder", "fifo", or "link" to
// `target`.
void Make(const QString& path, const std::string& kind, const QString& target = {}) {
    if (kind == "file")
        ASSERT_TRUE(QFile(path).open(QIODevice::WriteOnly));
    else if (kind == "folder")
        ASSERT_TRUE(QDir().mkdir(path));
    else if (kind == "fifo")
        ASSERT_EQ(::mkfifo(qPrintable(path), 0600), 0);
    else
        ASSERT_TRUE(QFile::link(target, path));
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// A folder left by a process that is gone goes only when it is exactly what
// the program makes and holds only the preview's files; anything that merely
// looks like it stays whole.
TEST(StalePrivateFolders, OnlyFoldersAsTheProgramMakesThemHoldingOnlyItsFilesGo) {
    const QString dead = QString::number(EndedProcess());
    const QString parent = FreshFolder();
    const QString victim = FreshFolder() + "/precious.txt";
    Make(victim, "file");
    const QStringList ownFiles{"TWFile.txt", "Temp0.EMF", "Temp1.EMF"};
    struct Case {
        QString name;
        mode_t mode;
        std::vector<std::pair<QString, std::string>> content;
        bool removed;
    } cases[] = {
        {"vorn-apercu-" + dead + "-Ab3xY9", 0700, {{"TWFile.txt", "file"}}, true},
        {"vorn-apercu-" + dead + "-000000", 0700, {}, true},
        {"vorn-apercu-" + dead + "-zZ09aQ",
         0700,
         {{"TWFile.txt", "file"}, {"Temp0.EMF", "file"}, {"Temp1.EMF", "file"}},
         true},
        {"vorn-apercu-" + dead, 0700, {{"notes.txt", "file"}}, false},
        {"vorn-apercu-" + dead + "-mes-notes", 0700, {}, false},
        {"VORN-APERCU-" + dead + "-abc123", 0700, {}, false},
        {"vorn-apercu-+" + dead + "-abc123", 0700, {}, false},
        {"vorn-apercu-0" + dead + "-abc123", 0700, {}, false},
        {"vorn-apercu-" + dead + "-abc12", 0700, {}, false},
        {"vorn-apercu-" + dead + "-abc_12", 0700, {}, false},
        {"vorn-apercu-" + dead + "-shared", 0755, {}, false},
        {"vorn-apercu-" + dead + "-notes1", 0700, {{"notes.txt", "file"}}, false},
        {"vorn-apercu-" + dead + "-case01", 0700, {{"temp0.emf", "file"}}, false},
        {"vorn-apercu-" + dead + "-inner1",
         0700,
         {{"Temp0.EMF", "file"}, {"sub", "folder"}},
         false},
        {"vorn-apercu-" + dead + "-link01", 0700, {{"Temp1.EMF", "link"}}, false},
        {"vorn-apercu-" + dead + "-fifo01", 0700, {{"TWFile.txt", "fifo"}}, false},
    };
    int removable = 0;
    for (const Case& c : cases) {
        const QString folder = parent + "/" + c.name;
        ASSERT_TRUE(QDir().mkdir(folder));
        for (const auto& [name, kind] : c.content)
            Make(folder + "/" + name, kind, victim);
        ASSERT_EQ(::chmod(qPrintable(folder), c.mode), 0);
        removable += c.removed;
    }

    const Watchdog watchdog(std::chrono::seconds(20), "a planted FIFO or a held lock");
    EXPECT_EQ(vorn::RemoveStalePrivateFolders(parent), removable);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString folder = parent + "/" + c.name;
        EXPECT_EQ(QFileInfo::exists(folder), !c.removed);
        if (!c.removed) {
            QStringList names;
            for (const auto& entry : c.content)
                names << entry.first;
            names.sort();
            EXPECT_EQ(Entries(folder), names);
        }
    }
    EXPECT_EQ(ReadAll(victim), QByteArray());
    EXPECT_TRUE(QFileInfo::exists(victim));
}

// A folder of a program that runs, or whose lock is held, or that is not a
// folder of this user's, stays.
TEST(StalePrivateFolders, FoldersInUseOrNotOursStay) {
    const QString dead = QString::number(EndedProcess());
    const pid_t zombie = ::fork();
    if (zombie == 0)
        ::_exit(0);
    ASSERT_GT(zombie, 0);
    siginfo_t ended{};
    ASSERT_EQ(::waitid(P_PID, zombie, &ended, WEXITED | WNOWAIT), 0);
    const QString parent = FreshFolder();
    const QString victim = FreshFolder();
    const QDir dir(parent);

    const auto live = vorn::PrivateTempFolder::Create(parent);
    ASSERT_NE(live, nullptr);
    const QString zombieFolder = "vorn-apercu-" + QString::number(zombie) + "-zombie";
    const QString parentFolder = "vorn-apercu-" + QString::number(::getppid()) + "-parent";
    for (const QString& name : {zombieFolder, parentFolder, "vorn-apercu-" + dead + "-locked"}) {
        ASSERT_TRUE(dir.mkdir(name));
        ASSERT_EQ(::chmod(qPrintable(parent + "/" + name), 0700), 0);
    }
    Make(parent + "/vorn-apercu-" + dead + "-link00", "link", victim);
    Make(parent + "/vorn-apercu-" + dead + "-fifo00", "fifo");
    const int lock =
        ::open(qPrintable(parent + "/vorn-apercu-" + dead + "-locked"), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(lock, LOCK_SH), 0);
    QStringList kept{QFileInfo(live->Path()).fileName(), parentFolder,
                     "vorn-apercu-" + dead + "-fifo00", "vorn-apercu-" + dead + "-link00",
                     "vorn-apercu-" + dead + "-locked"};
    if (::geteuid() == 0) {
        const QString nobody = parent + "/vorn-apercu-" + dead + "-nobody";
        ASSERT_TRUE(QDir().mkdir(nobody));
        ASSERT_EQ(::chmod(qPrintable(nobody), 0700), 0);
        ASSERT_EQ(::chown(qPrintable(nobody), 65534, 65534), 0);
        kept << "vorn-apercu-" + dead + "-nobody";
    }
    kept.sort();

    {
        const Watchdog watchdog(std::chrono::seconds(20), "a planted FIFO or a held lock");
        EXPECT_EQ(vorn::RemoveStalePrivateFolders(parent), 1);
    }
    EXPECT_EQ(Entries(parent), kept);
    ::close(lock);
    ::waitpid(zombie, nullptr, 0);
}

// The run's own folder goes at closing with whatever lies in it: everything
// there is the program's, whatever it is.
TEST(PrivateTempFolder, TheOwnFolderGoesWithEverythingInIt) {
    const QString parent = FreshFolder();
    const QString victim = FreshFolder() + "/precious.txt";
    Make(victim, "file");
    auto own = vorn::PrivateTempFolder::Create(parent);
    ASSERT_NE(own, nullptr);
    const QString path = own->Path();
    Make(path + "/Temp0.EMF", "file");
    Make(path + "/notes.txt", "file");
    Make(path + "/sub", "folder");
    Make(path + "/sub/inner.txt", "file");
    Make(path + "/sub/link", "link", victim);
    Make(path + "/fifo", "fifo");
    {
        const Watchdog watchdog(std::chrono::seconds(20), "a FIFO in the own folder");
        own.reset();
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(Entries(parent), QStringList());
    EXPECT_TRUE(QFileInfo::exists(victim));
}

} // namespace
