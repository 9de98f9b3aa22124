#include "settings/profile_file.h"

#include "exercises/composition_text.h"
#include "settings/composition_storage.h"
#include "settings/settings_file_lock.h"
#include "settings/settings_location.h"
#include "tests/support/watchdog.h"
#include "text/user_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <thread>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string FileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return f.readAll().toStdString();
}

void PutBytes(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

class ProfileFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir_;
    QString path_ = dir_.filePath("vorn.ini");
};

TEST_F(ProfileFileTest, MissingFileSectionOrKeyGiveTheDefault) {
    const ProfileFile ini(path_);
    EXPECT_EQ(ini.ReadString("TForm1", "edtTitre_Text", "d\xE9\x66\x61ut"), "d\xE9\x66\x61ut");
    EXPECT_EQ(ini.ReadInteger("TForm1", "FormVersion", 7), 7);
    PutBytes(path_, "[Other]\r\nFormVersion=3\r\n[TForm1]\r\nFlags=2\r\n");
    EXPECT_EQ(ini.ReadInteger("TForm1", "FormVersion", 7), 7);
    EXPECT_EQ(ini.ReadInteger("tform1", "FLAGS", 7), 2);
}

TEST_F(ProfileFileTest, IntegersReadHexadecimalAndFallBackOnAnythingElse) {
    PutBytes(path_, "[S]\r\nHex=0x1F\r\nNeg= -3 \r\nQuoted=\"12\"\r\nWord=douze\r\nEmpty=\r\n");
    const ProfileFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("S", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("S", "Neg", 0), -3);
    EXPECT_EQ(ini.ReadInteger("S", "Quoted", 0), 12);
    EXPECT_EQ(ini.ReadInteger("S", "Word", 99), 99);
    EXPECT_EQ(ini.ReadInteger("S", "Empty", 98), 98);
}

TEST_F(ProfileFileTest, ReadsAtMost2047Bytes) {
    const std::string longValue(3000, 'x');
    PutBytes(path_, "[S]\r\nLong=" + longValue + "\r\n");
    const ProfileFile ini(path_);
    EXPECT_EQ(ini.ReadString("S", "Long", ""), std::string(2047, 'x'));
    EXPECT_EQ(ini.ReadString("S", "Missing", longValue), std::string(2047, 'x'));
}

TEST_F(ProfileFileTest, WritesWindows1252LinesEndingInCarriageReturnLineFeed) {
    const ProfileFile ini(path_);
    ini.WriteString("TForm1", "edtTitre_Text", "Pr\xE9nom :");
    ini.WriteInteger("TForm1", "spSepar_Value", -5);
    ini.WriteBool("TForm1", "Visible", false);
    ini.WriteBool("TForm1", "Other", true);
    ini.WriteInteger("TForm1", "spSepar_Value", 120);
    EXPECT_EQ(FileBytes(path_), "[TForm1]\r\nedtTitre_Text=Pr\xE9nom :\r\nspSepar_Value=120\r\n"
                                "Visible=0\r\nOther=1\r\n");
    // Only the settings file is left in the folder: no temporary file stays.
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{"vorn.ini"});
}

TEST_F(ProfileFileTest, QuotedTextsRoundTripThroughAnExtraPairOfDoubleQuotes) {
    const ProfileFile ini(path_);
    ini.WriteString("S", "Dq", "\"Titre\"");
    ini.WriteString("S", "Sq", "'Titre'");
    ini.WriteString("S", "Open", "\"Titre");
    ini.WriteString("S", "Lone", "\"");
    EXPECT_EQ(FileBytes(path_),
              "[S]\r\nDq=\"\"Titre\"\"\r\nSq=\"'Titre'\"\r\nOpen=\"Titre\r\nLone=\"\"\"\r\n");
    EXPECT_EQ(ini.ReadString("S", "Dq", ""), "\"Titre\"");
    EXPECT_EQ(ini.ReadString("S", "Sq", ""), "'Titre'");
    EXPECT_EQ(ini.ReadString("S", "Open", ""), "\"Titre");
    EXPECT_EQ(ini.ReadString("S", "Lone", ""), "\"");
}

void ExpectWriteFailsWithPath(const ProfileFile& ini) {
    try {
        ini.WriteInteger("TForm1", "FormVersion", 0);
        FAIL() << "the write did not fail";
    } catch (const vorn::UserError& e) {
        EXPECT_EQ(std::string(e.what()), "Impossible d'\xC3\xA9"
                                         "crire dans " +
                                             ini.Path().toStdString());
    }
}

TEST_F(ProfileFileTest, AFolderThatCannotExistFailsWithThePath) {
    PutBytes(dir_.filePath("plain-file"), "x");
    const ProfileFile ini(dir_.filePath("plain-file/vorn.ini"));
    ExpectWriteFailsWithPath(ini);
    EXPECT_EQ(FileBytes(dir_.filePath("plain-file")), "x");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"plain-file"});
}

TEST_F(ProfileFileTest, AReadOnlyFolderAndFileFailWithThePathAndLeaveTheFileWhole) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the super-user";
    PutBytes(path_, "[TForm1]\r\nFormVersion=5\r\n");
    ASSERT_EQ(chmod(QFile::encodeName(path_).constData(), 0444), 0);
    ASSERT_EQ(chmod(QFile::encodeName(dir_.path()).constData(), 0555), 0);
    const ProfileFile ini(path_);
    ExpectWriteFailsWithPath(ini);
    chmod(QFile::encodeName(dir_.path()).constData(), 0755);
    EXPECT_EQ(FileBytes(path_), "[TForm1]\r\nFormVersion=5\r\n");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"vorn.ini"});
}

TEST_F(ProfileFileTest, AnUnreadableExistingFileIsNotOverwritten) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the super-user";
    PutBytes(path_, "[TForm1]\r\nFormVersion=5\r\n");
    ASSERT_EQ(chmod(QFile::encodeName(path_).constData(), 0200), 0);
    ExpectWriteFailsWithPath(ProfileFile(path_));
    chmod(QFile::encodeName(path_).constData(), 0644);
    EXPECT_EQ(FileBytes(path_), "[TForm1]\r\nFormVersion=5\r\n");
}

// The settings file in a folder this user may not write, with the file itself
// writable; the folder is made writable again when the test ends.
class ReadOnlyFolderTest : public ProfileFileTest {
protected:
    void SetUp() override {
        if (geteuid() == 0)
            GTEST_SKIP() << "permissions do not bind the super-user";
        PutBytes(path_, "[Other]\r\nk=1\r\n");
        ASSERT_EQ(chmod(QFile::encodeName(dir_.path()).constData(), 0555), 0);
    }
    void TearDown() override { chmod(QFile::encodeName(dir_.path()).constData(), 0755); }
};

TEST_F(ReadOnlyFolderTest, AWritableFileInAReadOnlyFolderIsWrittenInPlace) {
    const ProfileFile ini(path_);
    ini.WriteInteger("TForm1", "FormVersion", 0);
    EXPECT_EQ(FileBytes(path_), "[Other]\r\nk=1\r\n[TForm1]\r\nFormVersion=0\r\n");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"vorn.ini"});
}

TEST_F(ReadOnlyFolderTest, AShorterTextWrittenInPlaceKeepsNoOldTail) {
    PutBytes(path_, "[TForm1]\r\nedtTitre_Text=" + std::string(60, 't') + "\r\n");
    ProfileFile(path_).WriteString("TForm1", "edtTitre_Text", "court");
    EXPECT_EQ(FileBytes(path_), "[TForm1]\r\nedtTitre_Text=court\r\n");
}

// Sets RLIMIT_FSIZE to `bytes` for as long as it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : previous_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &limit_);
        const rlimit small{bytes, limit_.rlim_max};
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &limit_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit limit_{};
    void (*previous_)(int);
};

TEST_F(ReadOnlyFolderTest, AWriteInPlaceThatDoesNotFitLeavesTheOldTextWhole) {
    // The new text needs more room than the disk (here a size limit) leaves.
    const std::string old =
        "[TForm1]\r\nFormVersion=0\r\n[Other]\r\n" + std::string(100, 'k') + "=1\r\n";
    PutBytes(path_, old);
    {
        const FileSizeLimit full(old.size() + 4);
        SectionUpdate update;
        update.WriteString("edtTitre_Text", std::string(40, 't'));
        EXPECT_THROW(ProfileFile(path_).WriteSection("TForm1", update), vorn::UserError);
    }
    EXPECT_EQ(FileBytes(path_), old);
}

TEST_F(ReadOnlyFolderTest, TheLockLiesInAFolderOnlyThisUserMayEnter) {
    const QString tmp = dir_.filePath("tmp");
    const QString own = tmp + QStringLiteral("/vorn-%1").arg(geteuid());
    ASSERT_EQ(chmod(QFile::encodeName(dir_.path()).constData(), 0755), 0);
    ASSERT_TRUE(QDir().mkpath(own));
    ASSERT_EQ(chmod(QFile::encodeName(own).constData(), 0777), 0);
    ASSERT_EQ(chmod(QFile::encodeName(dir_.path()).constData(), 0555), 0);
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(tmp));
    // A folder others may write is not used: a lock there could be taken
    // away or planted by them.
    ExpectWriteFailsWithPath(ProfileFile(path_));
    EXPECT_EQ(FileBytes(path_), "[Other]\r\nk=1\r\n");
    ASSERT_EQ(chmod(QFile::encodeName(own).constData(), 0700), 0);
    EXPECT_NO_THROW(ProfileFile(path_).WriteInteger("TForm1", "FormVersion", 0));
    EXPECT_EQ(QDir(own).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{});
    qunsetenv("TMPDIR");
    if (!runtime.isNull())
        qputenv("XDG_RUNTIME_DIR", runtime);
    EXPECT_EQ(FileBytes(path_), "[Other]\r\nk=1\r\n[TForm1]\r\nFormVersion=0\r\n");
}

TEST(PrivateLockFolder, IsTheRuntimeFolderOrAFolderOfTheUsersOwn) {
    QTemporaryDir dir;
    const QString runtime = dir.filePath("run");
    const QString tmp = dir.filePath("tmp");
    const QString own = tmp + QStringLiteral("/vorn-%1").arg(geteuid());
    ASSERT_TRUE(QDir().mkpath(runtime));
    ASSERT_TRUE(QDir().mkpath(tmp));
    ASSERT_EQ(chmod(QFile::encodeName(runtime).constData(), 0700), 0);
    EXPECT_EQ(vorn::PrivateLockFolder(runtime, tmp), runtime);
    EXPECT_FALSE(QFileInfo::exists(own));

    for (const QString& notPrivate : {QStringLiteral("run"), QString(), dir.filePath("none")})
        EXPECT_EQ(vorn::PrivateLockFolder(notPrivate, tmp), own) << notPrivate.toStdString();
    ASSERT_EQ(chmod(QFile::encodeName(runtime).constData(), 0750), 0);
    EXPECT_EQ(vorn::PrivateLockFolder(runtime, tmp), own);
    struct stat st {};
    ASSERT_EQ(lstat(QFile::encodeName(own).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0700u);

    // Planted under the predictable name: a folder others may enter, or a
    // link to one.
    ASSERT_EQ(chmod(QFile::encodeName(own).constData(), 0711), 0);
    EXPECT_EQ(vorn::PrivateLockFolder(runtime, tmp), QString());
    ASSERT_TRUE(QDir(own).removeRecursively());
    ASSERT_TRUE(QFile::link(runtime, own));
    ASSERT_EQ(chmod(QFile::encodeName(runtime).constData(), 0700), 0);
    EXPECT_EQ(vorn::PrivateLockFolder(QString(), tmp), QString());
}

TEST_F(ProfileFileTest, ALockHeldPastTheWaitGivesTheMessageAndLeavesTheFileUnchanged) {
    PutBytes(path_, "[TForm1]\r\nFormVersion=5\r\n");
    const ProfileFile ini(path_, std::chrono::milliseconds(300));
    {
        const SettingsFileLock other(path_, std::chrono::milliseconds(0), "busy");
        ExpectWriteFailsWithPath(ini);
        EXPECT_EQ(FileBytes(path_), "[TForm1]\r\nFormVersion=5\r\n");
    }
    ini.WriteInteger("TForm1", "FormVersion", 0);
    EXPECT_EQ(FileBytes(path_), "[TForm1]\r\nFormVersion=0\r\n");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"vorn.ini"});
}

TEST_F(ProfileFileTest, NothingButARegularFileIsOpenedOrReplaced) {
    // A FIFO opened for reading or writing would wait for ever for the other
    // end; a link planted as the lock could make the save remove its target.
    const QString fifo = dir_.filePath("fifo");
    const QString mine = dir_.filePath("mine");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    PutBytes(mine, "mine");
    struct Case {
        QString planted; // the name where something else than a file lies
        QString target;  // a link to this, or a FIFO when empty
    } cases[] = {{path_, {}},
                 {path_, fifo},
                 {path_ + ".lock", {}},
                 {path_ + ".lock", fifo},
                 {path_ + ".lock", mine}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.planted.toStdString() + " -> " + c.target.toStdString());
        QFile::remove(path_);
        if (c.planted != path_)
            PutBytes(path_, "[TForm1]\r\nFormVersion=5\r\n");
        ASSERT_EQ(c.target.isEmpty() ? mkfifo(QFile::encodeName(c.planted).constData(), 0600)
                                     : symlink(QFile::encodeName(c.target).constData(),
                                               QFile::encodeName(c.planted).constData()),
                  0);
        {
            const Watchdog watchdog(std::chrono::seconds(20), "a planted FIFO or link");
            // A lock taken through the link would never be the lock file's:
            // the save would wait the whole hour.
            const ProfileFile ini(path_, std::chrono::hours(1));
            if (c.planted == path_) {
                EXPECT_EQ(ini.ReadInteger("TForm1", "FormVersion", 7), 7);
            }
            ExpectWriteFailsWithPath(ini);
        }
        struct stat st {};
        ASSERT_EQ(lstat(QFile::encodeName(c.planted).constData(), &st), 0);
        EXPECT_TRUE(c.target.isEmpty() ? S_ISFIFO(st.st_mode) : S_ISLNK(st.st_mode));
        if (c.planted != path_) {
            EXPECT_EQ(FileBytes(path_), "[TForm1]\r\nFormVersion=5\r\n");
        }
        EXPECT_EQ(FileBytes(mine), "mine");
        QFile::remove(c.planted);
    }
}

TEST_F(ReadOnlyFolderTest, AFailedWriteInPlaceIsReported) {
    // A file size limit below the new text makes the write itself fail.
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{8, limit.rlim_max};
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    ExpectWriteFailsWithPath(ProfileFile(path_));
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);
}

TEST_F(ProfileFileTest, TwoSavesAtOnceKeepEachOthersValues) {
    // Two programs sharing one settings file, each saving its own section of
    // 17 values at the same moment, again and again.
    const auto save = [this](const std::string& section, int round) {
        SectionUpdate update;
        for (int k = 0; k < 17; ++k)
            update.WriteInteger("Key" + std::to_string(k), round);
        ProfileFile(path_).WriteSection(section, update);
    };
    for (int round = 0; round < 20; ++round) {
        std::latch start(2);
        const auto run = [&](const std::string& section) {
            start.arrive_and_wait();
            save(section, round);
        };
        std::thread a(run, "TForm1");
        std::thread b(run, "TForm2");
        a.join();
        b.join();
        const ProfileFile ini(path_);
        for (const char* section : {"TForm1", "TForm2"}) {
            const SectionSnapshot values = ini.ReadSection(section);
            for (int k = 0; k < 17; ++k)
                ASSERT_EQ(values.ReadInteger("Key" + std::to_string(k), -1), round)
                    << section << " Key" << k << " round " << round;
        }
    }
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"vorn.ini"});
}

TEST_F(ProfileFileTest, ThreeSaversNeverHoldTheLockTogether) {
    // One saver lets go, removing the lock file, just as a second one has
    // opened it: a lock on that removed file keeps nobody out, and a third
    // saver makes and locks a new file under the name. Each saver tries again
    // at once, so that such moments come often.
    std::atomic<int> inside{0};
    std::atomic<int> together{0};
    const auto saver = [&] {
        for (int taken = 0; taken < 300;) {
            try {
                const SettingsFileLock lock(path_, std::chrono::milliseconds(0), "busy");
                if (++inside > 1)
                    ++together;
                std::this_thread::yield();
                --inside;
                ++taken;
            } catch (const vorn::UserError&) {
            }
        }
    };
    {
        const Watchdog watchdog(std::chrono::seconds(120), "three savers");
        std::thread a(saver), b(saver), c(saver);
        a.join();
        b.join();
        c.join();
    }
    EXPECT_EQ(together, 0);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

// UTF-16 bytes of a UTF-8 text, mark first, through Qt's own codec.
std::string Utf16Le(const char* utf8) {
    const QString text = QString::fromUtf8(utf8);
    return std::string("\xFF\xFE") + std::string(reinterpret_cast<const char*>(text.utf16()),
                                                 static_cast<std::size_t>(text.size()) * 2);
}

TEST_F(ProfileFileTest, AUtf8MarkIsSkippedOnReadingAndKeptOnWriting) {
    PutBytes(path_, "\xEF\xBB\xBF[TForm1]\r\nedtTitre_Text=Pr\xC3\xA9nom\r\n");
    const ProfileFile ini(path_);
    EXPECT_EQ(ini.ReadString("TForm1", "edtTitre_Text", ""), "Pr\xE9nom");
    ini.WriteString("TForm1", "edtTitre_Text", "D\xE9j\xE0");
    ini.WriteInteger("TForm1", "FormVersion", 0);
    EXPECT_EQ(FileBytes(path_),
              "\xEF\xBB\xBF[TForm1]\r\nedtTitre_Text=D\xC3\xA9j\xC3\xA0\r\nFormVersion=0\r\n");
}

TEST_F(ProfileFileTest, AUtf16FileIsReadAndWrittenBackAsUtf16) {
    PutBytes(path_,
             Utf16Le("; \xE4\xB8\xAD\r\n[TForm1]\r\nedtTitre_Text=Pr\xC3\xA9nom \xE2\x82\xAC\r\n"));
    const ProfileFile ini(path_);
    EXPECT_EQ(ini.ReadString("tform1", "EDTTITRE_TEXT", ""), "Pr\xE9nom \x80");
    ini.WriteString("TForm1", "spSepar_Value", "D\xE9j\xE0");
    EXPECT_EQ(FileBytes(path_), Utf16Le("; \xE4\xB8\xAD\r\n[TForm1]\r\nedtTitre_Text=Pr\xC3\xA9nom "
                                        "\xE2\x82\xAC\r\nspSepar_Value=D\xC3\xA9j\xC3\xA0\r\n"));
}

TEST_F(ProfileFileTest, ACopyInAWritableFolderKeepsItsFileBesideIt) {
    const QString exe = dir_.filePath("vorn");
    EXPECT_EQ(vorn::SettingsFileForExecutable(exe), dir_.filePath("vorn.ini"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
}

TEST_F(ProfileFileTest, AnInstalledCopyInAReadOnlyFolderKeepsItsSettingsInTheUsersConfiguration) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the super-user";
    const QString bin = dir_.filePath("bin");
    ASSERT_TRUE(QDir().mkdir(bin));
    ASSERT_EQ(chmod(QFile::encodeName(bin).constData(), 0555), 0);
    const QString exe = bin + "/vorn";
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath("cfg")));
    const QString chosen = vorn::SettingsFileForExecutable(exe);
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(chosen, dir_.filePath("cfg/vorn/vorn.ini"));
    EXPECT_TRUE(QFileInfo(dir_.filePath("cfg/vorn")).isDir());
    // A settings file already beside the executable stays in use.
    ASSERT_EQ(chmod(QFile::encodeName(bin).constData(), 0755), 0);
    PutBytes(bin + "/vorn.ini", "");
    ASSERT_EQ(chmod(QFile::encodeName(bin).constData(), 0555), 0);
    EXPECT_EQ(vorn::SettingsFileForExecutable(exe), bin + "/vorn.ini");
    chmod(QFile::encodeName(bin).constData(), 0755);
}

} // namespace

// The last composed sheet has a section of its own: stored and read back, a
// file without it or with a damaged value gives the default composition, and
// the window's section is left as it was.
TEST_F(ProfileFileTest, LastCompositionRoundTripsInItsOwnSection) {
    const std::string window = "[TForm1]\r\nedtTitre_Text=Calculer\r\nspSepar_Value=120\r\n";
    const struct {
        const char* stored; // the section as found in the file; nullptr for none
        const char* read;   // what reads back
    } cases[] = {
        {nullptr, "red:1:6 devred:1:4 fact:1:4 eq1:2:4"},
        {"[Composition]\r\nExercices=eq1:3:2 red:2:5\r\n", "eq1:3:2 red:2:5"},
        {"[Composition]\r\nExercices=red:2:5 zz:1:1\r\n", "red:1:6 devred:1:4 fact:1:4 eq1:2:4"},
        {"[Composition]\r\nExercices=red:1:40 red:1:1\r\n", "red:1:6 devred:1:4 fact:1:4 eq1:2:4"},
        {"[Composition]\r\nExercices=\r\n", "red:1:6 devred:1:4 fact:1:4 eq1:2:4"},
    };
    const ProfileFile ini(path_);
    for (const auto& c : cases) {
        PutBytes(path_, window + (c.stored ? c.stored : ""));
        EXPECT_EQ(vorn::CompositionText(ReadLastComposition(ini)), c.read) << c.read;
    }
    const vorn::Composition written = vorn::ParseComposition("fact:3:7 vn1:1:2 fact:3:1");
    WriteLastComposition(ini, written);
    EXPECT_EQ(ReadLastComposition(ini), written);
    EXPECT_EQ(FileBytes(path_).substr(0, window.size()), window);
    EXPECT_EQ(ini.ReadString("TForm1", "spSepar_Value", ""), "120");
}
