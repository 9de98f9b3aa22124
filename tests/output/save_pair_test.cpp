// A pair of files is saved whole or not at all: full disks, names that cannot
// take a file, and kills between the steps of a save.
#include "sheet_fixture.h"

#include "output/save/save_journal.h"
#include "output/save/write_files_together.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <optional>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using vorn::SaveStep;

class SavePairTest : public ::testing::Test {
public:
    ~SavePairTest() override {
        if (home_)
            ::setenv("HOME", home_->c_str(), 1);
    }
    // No folder of the user's where a journal could be kept.
    void WithoutStateFolder() {
        if (const char* home = std::getenv("HOME"))
            home_ = home;
        ::unsetenv("XDG_STATE_HOME");
        ::setenv("HOME", "/proc/vorn-no-home", 1);
    }
    void SetUp() override {
        dir_ = FreshFolder().toStdString();
        // Each test keeps its journals apart.
        ::setenv("XDG_STATE_HOME", FreshFolder().toStdString().c_str(), 1);
    }
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    void Write(const std::string& name, const std::string& content) const {
        QFile file(QString::fromStdString(Path(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content.data(), qint64(content.size()));
    }
    std::string Read(const std::string& name) const {
        return ReadAll(QString::fromStdString(Path(name))).toStdString();
    }
    // Every entry of the folder, hidden ones included.
    QStringList Entries() const {
        return QDir(QString::fromStdString(dir_))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }
    void SaveNewPair(const std::string& statement, const std::string& key) const {
        vorn::WriteFilesTogether({{Path("devoir.rtf"), statement}, {Path("devoir_Cor.rtf"), key}});
    }
    std::string Message(const std::string& statement, const std::string& key) const {
        return MessageOf([&] { SaveNewPair(statement, key); });
    }

    std::string dir_;
    std::optional<std::string> home_;
};

// Saves the new pair in a child process that a kill stops at `step`.
SaveStep killStep;
std::size_t killIndex;
void KillAt(SaveStep step, std::size_t index) {
    if (step == killStep && index == killIndex)
        ::raise(SIGKILL);
}

void SaveKilledAt(const std::function<void()>& save, SaveStep step, std::size_t index) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        killStep = step;
        killIndex = index;
        vorn::SetSaveStepHookForTests(KillAt);
        try {
            save();
        } catch (...) {
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "not killed at the step";
}

TEST_F(SavePairTest, AKeyThatCannotBeWrittenLeavesTheStatementAsItWas) {
    const std::string longName = std::string(252, 'n');
    struct Case {
        const char* what;
        std::function<void(SavePairTest&)> make;
        std::string expected;
    } cases[] = {
        {"folder",
         [](SavePairTest& t) { QDir().mkdir(QString::fromStdString(t.Path("devoir_Cor.rtf"))); },
         "c'est un dossier"},
        {"pipe", [](SavePairTest& t) { ::mkfifo(t.Path("devoir_Cor.rtf").c_str(), 0600); },
         "ce n'est pas un fichier ordinaire"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        Write("devoir.rtf", "former statement");
        c.make(*this);
        EXPECT_EQ(Message("new statement", "new key"),
                  "Impossible de créer le fichier " + Path("devoir_Cor.rtf") + " : " + c.expected);
        EXPECT_EQ(Read("devoir.rtf"), "former statement");
        EXPECT_EQ(Entries(), QStringList({"devoir.rtf", "devoir_Cor.rtf"}));
    }
    // A key's name beyond the file system's limit.
    EXPECT_EQ(MessageOf([&] {
                  vorn::WriteFilesTogether(
                      {{Path("devoir.rtf"), "new"}, {Path(longName + "_Cor.rtf"), "key"}});
              }),
              "Impossible de créer le fichier " + Path(longName + "_Cor.rtf") + " : nom trop long");
    EXPECT_EQ(Read("devoir.rtf"), "former statement");
}

TEST_F(SavePairTest, AFullDiskKeepsTheFormerPairAndSaysSo) {
    if (::mount("tmpfs", dir_.c_str(), "tmpfs", 0, "size=256k,mode=0700") != 0)
        GTEST_SKIP() << "a small file system cannot be mounted here";
    struct Unmount {
        std::string dir;
        ~Unmount() { ::umount2(dir.c_str(), MNT_DETACH); }
    } unmount{dir_};
    Write("devoir.rtf", "former statement");
    Write("devoir_Cor.rtf", "former key");
    // The statement fits, the key does not.
    EXPECT_EQ(Message(std::string(100 * 1024, 's'), std::string(200 * 1024, 'k')),
              "Erreur à l'enregistrement du flux dans " + Path("devoir_Cor.rtf") +
                  " : disque plein");
    EXPECT_EQ(Read("devoir.rtf"), "former statement");
    EXPECT_EQ(Read("devoir_Cor.rtf"), "former key");
    EXPECT_EQ(Entries(), QStringList({"devoir.rtf", "devoir_Cor.rtf"}));
    // Room for both: both are replaced.
    SaveNewPair(std::string(60 * 1024, 's'), "new key");
    EXPECT_EQ(Read("devoir.rtf").size(), 60u * 1024);
    EXPECT_EQ(Read("devoir_Cor.rtf"), "new key");
}

TEST_F(SavePairTest, AKilledSaveIsSettledAsAWholePair) {
    struct Case {
        SaveStep step;
        std::size_t index;
        // What the start after the kill leaves: the new pair or the former.
        bool newPair;
    } cases[] = {
        {SaveStep::kTemporariesMade, 0, false},
        {SaveStep::kContentsWritten, 0, true},
        {SaveStep::kRenamed, 1, true}, // the key renamed, the statement not yet
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.step));
        SetUp();
        Write("devoir.rtf", "former statement");
        Write("devoir_Cor.rtf", "former key");
        SaveKilledAt([&] { SaveNewPair("new statement", "new key"); }, c.step, c.index);
        // Until the next start, the statement the teacher named is the former.
        EXPECT_EQ(Read("devoir.rtf"), "former statement");
        EXPECT_EQ(vorn::SettleInterruptedSaves(), 1);
        EXPECT_EQ(Read("devoir.rtf"), c.newPair ? "new statement" : "former statement");
        EXPECT_EQ(Read("devoir_Cor.rtf"), c.newPair ? "new key" : "former key");
        EXPECT_EQ(Entries(), QStringList({"devoir.rtf", "devoir_Cor.rtf"}));
    }
}

TEST_F(SavePairTest, WhatAKillLeftGoesAtTheNextSaveOfThatName) {
    Write("devoir.rtf", "former statement");
    SaveKilledAt([&] { SaveNewPair("new statement", "new key"); }, SaveStep::kContentsWritten, 0);
    EXPECT_EQ(Entries().size(), 3); // two temporary files beside the statement
    // Without any journal to settle it, the next save removes it.
    WithoutStateFolder();
    SaveNewPair("second statement", "second key");
    EXPECT_EQ(Entries(), QStringList({"devoir.rtf", "devoir_Cor.rtf"}));
    EXPECT_EQ(Read("devoir_Cor.rtf"), "second key");
}

// Two copies saving the same pair at once: the second waits for the first's
// renames, whose turn a pipe holds open halfway through.
int pausePipe[2];
void PauseAtKeyRenamed(SaveStep step, std::size_t index) {
    if (step == SaveStep::kRenamed && index == 1) {
        char byte = 0;
        ::write(pausePipe[1], &byte, 1);
        ::read(pausePipe[0], &byte, 1);
    }
}

TEST_F(SavePairTest, TwoCopiesSavingThePairAtOnceLeaveOneWholePair) {
    ASSERT_EQ(::pipe(pausePipe), 0);
    int resume[2];
    ASSERT_EQ(::pipe(resume), 0);
    const pid_t first = ::fork();
    ASSERT_GE(first, 0);
    if (first == 0) {
        pausePipe[0] = resume[0];
        vorn::SetSaveStepHookForTests(PauseAtKeyRenamed);
        SaveNewPair("first statement", "first key");
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(pausePipe[0], &byte, 1), 1); // the first is between its renames
    const pid_t second = ::fork();
    ASSERT_GE(second, 0);
    if (second == 0) {
        SaveNewPair("second statement", "second key");
        ::_exit(0);
    }
    ::usleep(300 * 1000); // time enough for the second to overtake, were it let
    ASSERT_EQ(::write(resume[1], &byte, 1), 1);
    for (const pid_t child : {first, second})
        ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const std::string statement = Read("devoir.rtf");
    EXPECT_EQ(Read("devoir_Cor.rtf"), statement.substr(0, statement.find(' ')) + " key");
}

// A shared folder the user cannot write, holding the user's own pair: run as
// an ordinary user (see the read-only run of this program).
class ReadOnlyFolderPairTest : public SavePairTest {
protected:
    void SetUp() override {
        if (::geteuid() == 0)
            GTEST_SKIP() << "root ignores permissions; run as an ordinary user";
        SavePairTest::SetUp();
        Write("devoir.rtf", std::string(20000, 'x'));
        Write("devoir_Cor.rtf", "former key");
        ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
    }
    void TearDown() override { ::chmod(dir_.c_str(), 0755); }
};

TEST_F(ReadOnlyFolderPairTest, AKillWhileWritingInPlaceIsUndoneAtTheNextStart) {
    SaveKilledAt([&] { SaveNewPair("new statement", "new key"); }, SaveStep::kRewritten, 0);
    EXPECT_EQ(Read("devoir.rtf"), "new statement"); // cut off halfway through the pair
    EXPECT_EQ(vorn::SettleInterruptedSaves(), 1);
    EXPECT_EQ(Read("devoir.rtf"), std::string(20000, 'x'));
    EXPECT_EQ(Read("devoir_Cor.rtf"), "former key");

    // A save that cannot keep a copy aside is refused before any change.
    WithoutStateFolder();
    EXPECT_NE(Message("new", "key").find("Impossible de créer le fichier " + Path("devoir.rtf")),
              std::string::npos);
    EXPECT_EQ(Read("devoir.rtf"), std::string(20000, 'x'));
}

} // namespace
