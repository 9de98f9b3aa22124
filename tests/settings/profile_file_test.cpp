#include "settings/profile_file.h"

#include "exercises/user_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    const TProfileFile ini(path_);
    EXPECT_EQ(ini.ReadString("TForm1", "edtTitre_Text", "d\xE9\x66\x61ut"), "d\xE9\x66\x61ut");
    EXPECT_EQ(ini.ReadInteger("TForm1", "FormVersion", 7), 7);
    PutBytes(path_, "[Other]\r\nFormVersion=3\r\n[TForm1]\r\nFlags=2\r\n");
    EXPECT_EQ(ini.ReadInteger("TForm1", "FormVersion", 7), 7);
    EXPECT_EQ(ini.ReadInteger("tform1", "FLAGS", 7), 2);
}

TEST_F(ProfileFileTest, IntegersReadHexadecimalAndFallBackOnAnythingElse) {
    PutBytes(path_, "[S]\r\nHex=0x1F\r\nNeg= -3 \r\nQuoted=\"12\"\r\nWord=douze\r\nEmpty=\r\n");
    const TProfileFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("S", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("S", "Neg", 0), -3);
    EXPECT_EQ(ini.ReadInteger("S", "Quoted", 0), 12);
    EXPECT_EQ(ini.ReadInteger("S", "Word", 99), 99);
    EXPECT_EQ(ini.ReadInteger("S", "Empty", 98), 98);
}

TEST_F(ProfileFileTest, ReadsAtMost2047Bytes) {
    const std::string longValue(3000, 'x');
    PutBytes(path_, "[S]\r\nLong=" + longValue + "\r\n");
    const TProfileFile ini(path_);
    EXPECT_EQ(ini.ReadString("S", "Long", ""), std::string(2047, 'x'));
    EXPECT_EQ(ini.ReadString("S", "Missing", longValue), std::string(2047, 'x'));
}

TEST_F(ProfileFileTest, WritesWindows1252LinesEndingInCarriageReturnLineFeed) {
    const TProfileFile ini(path_);
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
    const TProfileFile ini(path_);
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

void ExpectWriteFailsWithPath(const TProfileFile& ini) {
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
    const TProfileFile ini(dir_.filePath("plain-file/vorn.ini"));
    ExpectWriteFailsWithPath(ini);
    EXPECT_EQ(FileBytes(dir_.filePath("plain-file")), "x");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"plain-file"});
}

TEST_F(ProfileFileTest, AReadOnlyFolderFailsWithThePathAndLeavesItsFileWhole) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the super-user";
    PutBytes(path_, "[TForm1]\r\nFormVersion=5\r\n");
    ASSERT_EQ(chmod(QFile::encodeName(dir_.path()).constData(), 0555), 0);
    const TProfileFile ini(path_);
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
    ExpectWriteFailsWithPath(TProfileFile(path_));
    chmod(QFile::encodeName(path_).constData(), 0644);
    EXPECT_EQ(FileBytes(path_), "[TForm1]\r\nFormVersion=5\r\n");
}

} // namespace
