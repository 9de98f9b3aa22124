#include "app/build_stamp.h"
#include "app/clock_seed.h"
#include "app/debugger_check.h"

#include "text/user_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(Debugger, TracerPidLine) {
    EXPECT_EQ(vorn::TracerPidFromStatus("Name:\tvorn\nState:\tS\nTracerPid:\t0\nUid:\t0\n"), 0);
    EXPECT_EQ(vorn::TracerPidFromStatus("Name:\tvorn\nTracerPid:\t4242\nUid:\t0\n"), 4242);
    EXPECT_EQ(vorn::TracerPidFromStatus("Name:\tvorn\n"), 0);
    EXPECT_EQ(vorn::TracerPidFromStatus("TracerPid:\tabc\n"), 0);
    EXPECT_EQ(vorn::TracerPidFromStatus(""), 0);
}

TEST(Debugger, BuildStampTextIsNameAndFrenchDateTime) {
    const QDateTime when(QDate(2026, 12, 7), QTime(8, 5, 9));
    EXPECT_EQ(vorn::DatCompilText("/opt/vorn/vorn", when),
              QByteArray("vorn : 07/12/2026 08:05:09"));
    const QDateTime evening(QDate(2025, 1, 31), QTime(23, 59, 58));
    // Windows-1252 for the file name, no line end.
    EXPECT_EQ(vorn::DatCompilText(QString::fromUtf8("/x/édition"), evening),
              QByteArray("\xE9"
                         "dition : 31/01/2025 23:59:58"));
}

// Runs in a scratch working directory.
class BuildStampFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    }
    void TearDown() override { QDir::setCurrent(previous_); }
    QTemporaryDir dir_;
    QString previous_;
};

TEST_F(BuildStampFile, CreatedOrOverwrittenWithTheTextAlone) {
    {
        QFile old("_DatCompil.txt");
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older and much longer stamp that must not survive\r\n");
    }
    vorn::WriteDatCompil("/opt/vorn/vorn", QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    QFile f("_DatCompil.txt");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("vorn : 04/03/2026 05:06:07"));
}

TEST_F(BuildStampFile, UnwritableIsReportedWithThePath) {
    ASSERT_TRUE(QDir().mkdir("_DatCompil.txt")); // a folder stands in the way
    try {
        vorn::WriteDatCompil("/opt/vorn/vorn", QDateTime::currentDateTime());
        FAIL() << "no error reported";
    } catch (const vorn::UserError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains("_DatCompil.txt")) << e.what();
    }
}

// A link planted under the stamp's name, to a file or to nothing, is refused
// and stays; nothing is written through it.
TEST_F(BuildStampFile, ALinkInItsPlaceIsRefusedAndNotFollowed) {
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    const QString victim = elsewhere.filePath("victim.txt");
    {
        QFile f(victim);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("precious");
    }
    for (const QString& target : {victim, elsewhere.filePath("nowhere.txt")}) {
        ASSERT_TRUE(QFile::link(target, "_DatCompil.txt"));
        try {
            vorn::WriteDatCompil("/opt/vorn/vorn", QDateTime::currentDateTime());
            ADD_FAILURE() << "no error reported";
        } catch (const vorn::UserError& e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains("_DatCompil.txt")) << e.what();
        }
        EXPECT_TRUE(QFileInfo("_DatCompil.txt").isSymLink());
        ASSERT_TRUE(QFile::remove("_DatCompil.txt"));
    }
    QFile f(victim);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("precious"));
    EXPECT_FALSE(QFileInfo::exists(elsewhere.filePath("nowhere.txt")));
    EXPECT_EQ(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

TEST(Seed, UtcTimeOfDayInMilliseconds) {
    EXPECT_EQ(vorn::SeedFromUtcTime(QTime(0, 0, 0, 0)), 0u);
    EXPECT_EQ(vorn::SeedFromUtcTime(QTime(10, 20, 30, 40)), 37230040u);
    EXPECT_EQ(vorn::SeedFromUtcTime(QTime(23, 59, 59, 999)), 86399999u);
}

} // namespace
