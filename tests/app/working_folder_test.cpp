#include "output/save/working_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct CacheCase {
    const char* xdgCacheHome;
    const char* expected;
};

TEST(CacheWorkingFolder, FollowsTheXdgVariableOnlyWhenItIsAbsolute) {
    const CacheCase cases[] = {
        {"/var/tmp/cache", "/var/tmp/cache/vorn"},
        {"/var/tmp/cache/", "/var/tmp/cache/vorn"},
        {"", "/home/prof/.cache/vorn"},
        {"cache", "/home/prof/.cache/vorn"},
        {"./cache", "/home/prof/.cache/vorn"},
    };
    for (const CacheCase& c : cases) {
        EXPECT_EQ(vorn::CacheWorkingFolder(c.xdgCacheHome, "/home/prof"), c.expected)
            << "XDG_CACHE_HOME=" << c.xdgCacheHome;
    }
}

class EnterWorkingFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp_.isValid());
        start_ = QDir::currentPath();
    }
    void TearDown() override { QDir::setCurrent(start_); }
    static int Mode(const QString& path) {
        struct stat info {};
        EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
        return static_cast<int>(info.st_mode & 07777);
    }

    QTemporaryDir tmp_;
    QString start_;
};

TEST_F(EnterWorkingFolderTest, MakesTheMissingFoldersPrivateAndWorksThere) {
    const QString cache = tmp_.filePath("cache");
    const QString folder = cache + "/vorn";
    const mode_t oldMask = ::umask(0);
    QString error;
    const bool entered = vorn::EnterWorkingFolder(folder, error);
    ::umask(oldMask);
    ASSERT_TRUE(entered) << error.toStdString();
    EXPECT_EQ(QDir::currentPath(), QDir(folder).canonicalPath());
    EXPECT_EQ(Mode(folder), 0700);
    EXPECT_EQ(Mode(cache), 0700);
}

TEST_F(EnterWorkingFolderTest, AnExistingFolderKeepsItsMode) {
    const QString folder = tmp_.filePath("vorn");
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ExeOwner | QFile::ReadGroup |
                                                  QFile::ExeGroup));
    QString error;
    ASSERT_TRUE(vorn::EnterWorkingFolder(folder, error)) << error.toStdString();
    EXPECT_EQ(QDir::currentPath(), QDir(folder).canonicalPath());
    EXPECT_EQ(Mode(folder), 0750);
}

TEST_F(EnterWorkingFolderTest, AFileInTheWayIsReportedAndTheFolderStays) {
    QFile blocker(tmp_.filePath("cache"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString folder = tmp_.filePath("cache/vorn");
    QString error;
    EXPECT_FALSE(vorn::EnterWorkingFolder(folder, error));
    EXPECT_EQ(error, "vorn: cannot work in " + folder + ": Not a directory");
    EXPECT_EQ(QDir::currentPath(), start_);
}

} // namespace

TEST_F(EnterWorkingFolderTest, SaveDialogsOpenAtHomeOnlyWhileWorkingInTheCacheFolder) {
    const QByteArray previous = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(tmp_.filePath("cache")));
    QString error;
    ASSERT_TRUE(vorn::EnterWorkingFolder(vorn::CacheWorkingFolder(), error)) << error.toStdString();
    EXPECT_EQ(vorn::SaveDialogFolder(), QDir::homePath());
    ASSERT_TRUE(QDir::setCurrent(tmp_.path()));
    EXPECT_EQ(vorn::SaveDialogFolder(), QDir::currentPath());
    qputenv("XDG_CACHE_HOME", previous);
}
