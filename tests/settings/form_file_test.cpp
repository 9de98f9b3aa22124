#include "tests/settings/settings_test_support.h"

#include "settings/settings_file_lock.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace settings_test {
namespace {

using FormFileTest = FormTest;

// The file of a first run closed with the designed values, for a window whose
// normal rectangle is left, top, right, bottom.
std::string DesignedFile(const std::string& normPos, const std::string& visible) {
    return "[TForm1]\r\n"
           "FormVersion=0\r\n"
           "Flags=0\r\n"
           "ShowCmd=1\r\n"
           "PixelsPerInch=" +
           std::to_string(ScreenDpi()) +
           "\r\n"
           "MinMaxPos" +
           ScreenSize() +
           "=-1,-1,-4,-4\r\n"
           "MinMaxPos=-1,-1,-4,-4\r\n"
           "NormPos" +
           ScreenSize() + "=" + normPos +
           "\r\n"
           "NormPos=" +
           normPos +
           "\r\n"
           "Visible=" +
           visible +
           "\r\n"
           "edtTitre_Text=" +
           TrimmedTitleBytes() +
           "\r\n"
           "spedtQuestions_Value=20\r\n"
           "RxRichEdit1_Height=166\r\n"
           "spedtCorriges_Value=0\r\n"
           "spedtSujets_Value=1\r\n"
           "spSepar_Value=120\r\n"
           "spInterL_Value=1\r\n"
           "ckbEdite_Checked=False\r\n";
}

TEST_F(FormFileTest, FirstCloseWritesTheDesignedValuesInTheirOrder) {
    auto form = Start();
    Quit(form);
    // 111 + 794 = 905 and 104 + 522 = 626: the designed window where it was put.
    EXPECT_EQ(ReadBytes(path_), DesignedFile("111,104,905,626", "0"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"vorn.ini"});
}

TEST_F(FormFileTest, TheFileWrittenReadsBackIntoTheNextRun) {
    auto form = Start();
    form->titleEdit->setText(QString::fromUtf8("Contrôle n°3"));
    form->questionCountSpin->setValue(12);
    form->statementPane->resize(form->statementPane->width(), 230);
    form->answerKeyCopiesSpin->setValue(2);
    form->statementCopiesSpin->setValue(30);
    form->separatorSpin->setValue(-5);
    form->spacingSpin->setValue(3);
    form->editModeCheck->setChecked(true);
    form->setGeometry(40, 50, 700, 500);
    Quit(form);

    form = Start();
    EXPECT_EQ(form->titleEdit->text(), QString::fromUtf8("Contrôle n°3"));
    EXPECT_EQ(form->questionCountSpin->value(), 12);
    EXPECT_EQ(form->statementPane->height(), 230);
    EXPECT_EQ(form->answerKeyCopiesSpin->value(), 2);
    EXPECT_EQ(form->statementCopiesSpin->value(), 30);
    EXPECT_EQ(form->separatorSpin->value(), -5);
    EXPECT_EQ(form->spacingSpin->value(), 3);
    EXPECT_TRUE(form->editModeCheck->isChecked());
    EXPECT_TRUE(form->EditMode);
    EXPECT_EQ(form->geometry(), QRect(40, 50, 700, 500));
    EXPECT_FALSE(form->isMaximized());
    EXPECT_FALSE(form->isMinimized());
    EXPECT_TRUE(form->errors.isEmpty());
}

TEST_F(FormFileTest, TheMarkerShowsAtEveryStart) {
    auto form = Start();
    EXPECT_TRUE(form->MarkerShown()); // no file yet: the trimmed designed title
    Quit(form);
    form = Start();
    EXPECT_TRUE(form->MarkerShown()); // the stored title is the trimmed one
    EXPECT_EQ(form->titleEdit->text(), MainWindow::kDesignedTitle.trimmed());
}

TEST_F(FormFileTest, AWindowDestroyedWithoutACloseSavesWithVisibleSet) {
    auto form = Start();
    form.reset();
    EXPECT_EQ(ReadBytes(path_), DesignedFile("111,104,905,626", "1"));
}

TEST_F(FormFileTest, ASaveAtCloseIsNotRepeatedAtDestruction) {
    auto form = Start();
    form->close();
    ASSERT_TRUE(QFile::remove(path_));
    form.reset();
    EXPECT_FALSE(QFile::exists(path_));
}

TEST_F(FormFileTest, AWindowNeverShownWritesNothing) {
    auto form = std::make_unique<MainWindow>(path_);
    form->close();
    form.reset();
    EXPECT_FALSE(QFile::exists(path_));
}

// Closes a window whose settings file cannot be written and checks the two
// reports, the close going through and no file being left.
void ExpectCloseReportsTwice(const QString& iniPath, const QString& folder) {
    const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden);
    auto form = std::make_unique<MainWindow>(iniPath);
    QStringList errors;
    form->formStorage.SetErrorReporter([&errors](const QString& m) { errors << m; });
    form->show();
    QCoreApplication::processEvents();

    const QString expected = QString::fromUtf8("Impossible d'écrire dans ") + iniPath;
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->closeQueries, 1);
    EXPECT_EQ(errors, QStringList{expected});
    form.reset();
    EXPECT_EQ(errors, (QStringList{expected, expected}));
    EXPECT_FALSE(QFile::exists(iniPath));
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden), before);
}

TEST_F(FormFileTest, AnUnwritableLocationIsReportedAtCloseAndAgainAtDestruction) {
    WriteBytes(dir_.filePath("not-a-folder"), "x");
    ExpectCloseReportsTwice(dir_.filePath("not-a-folder/vorn.ini"), dir_.path());
}

TEST_F(FormFileTest, AReadOnlyFolderIsReportedAtCloseAndAgainAtDestruction) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the super-user";
    const QString folder = dir_.filePath("readonly");
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);
    ExpectCloseReportsTwice(folder + "/vorn.ini", folder);
    chmod(QFile::encodeName(folder).constData(), 0755);
}

TEST_F(FormFileTest, ALockHeldPastTheWaitIsWaitedForAndReportedOnce) {
    auto form = Start();
    QStringList errors;
    form->formStorage.SetErrorReporter([&errors](const QString& m) { errors << m; });
    form->formStorage.SetLockWait(std::chrono::milliseconds(50));
    const SettingsFileLock other(path_, std::chrono::milliseconds(0), "busy");
    EXPECT_TRUE(form->close());
    form.reset();
    EXPECT_EQ(errors, QStringList{QString::fromUtf8("Impossible d'écrire dans ") + path_});
    EXPECT_FALSE(QFile::exists(path_));
}

TEST_F(FormFileTest, AWritableFileInAReadOnlyFolderKeepsTheSettings) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the super-user";
    const QString folder = dir_.filePath("shared");
    const QString ini = folder + "/vorn.ini";
    ASSERT_TRUE(QDir().mkdir(folder));
    WriteBytes(ini, "");
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);
    auto form = std::make_unique<MainWindow>(ini);
    form->show();
    QCoreApplication::processEvents();
    form->titleEdit->setText("Devoir");
    form->close();
    EXPECT_TRUE(form->errors.isEmpty()) << form->errors.join(' ').toStdString();
    form.reset();
    chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_NE(ReadBytes(ini).find("\r\nedtTitre_Text=Devoir\r\n"), std::string::npos);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"vorn.ini"});
}

TEST_F(FormFileTest, TwoCopiesClosingAtOnceKeepEverySetting) {
    // A desktop logout closes every copy at the same moment.
    const char* const keys[] = {"FormVersion",
                                "Flags",
                                "ShowCmd",
                                "PixelsPerInch",
                                "MinMaxPos(",
                                "MinMaxPos",
                                "NormPos(",
                                "NormPos",
                                "Visible",
                                "edtTitre_Text",
                                "spedtQuestions_Value",
                                "RxRichEdit1_Height",
                                "spedtCorriges_Value",
                                "spedtSujets_Value",
                                "spSepar_Value",
                                "spInterL_Value",
                                "ckbEdite_Checked"};
    const QString start = dir_.filePath("start");
    for (int round = 0; round < 6; ++round) {
        QFile::remove(path_);
        QFile::remove(start);
        QProcess copies[2];
        for (QProcess& copy : copies) {
            copy.start(VORN_CLOSE_RACE_HELPER, {path_, start});
            ASSERT_TRUE(copy.waitForReadyRead(30000)) << "round " << round;
        }
        WriteBytes(start, "");
        for (QProcess& copy : copies) {
            ASSERT_TRUE(copy.waitForFinished(30000));
            EXPECT_EQ(copy.exitCode(), 0) << copy.readAllStandardError().toStdString();
        }
        const std::string file = ReadBytes(path_);
        for (const char* key : keys)
            EXPECT_NE(file.find("\r\n" + std::string(key)), std::string::npos)
                << key << " lost in round " << round << ":\n"
                << file;
    }
}

} // namespace
} // namespace settings_test
