#include "file_size_limit.h"
#include "pdf_tools.h"
#include "sheet_fixture.h"
#include "tests/support/watchdog.h"

#include "output/pages/page_loop.h"
#include "output/print/current_printer.h"
#include "output/print/new_output_file.h"
#include "output/print/print_file_name.h"
#include "output/print/print_job.h"
#include "output/print/print_sheet.h"
#include "richtext/rich_text_pane.h"
#include "tests/support/watchdog.h"
#include "text/user_error.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTimer>

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace {

// Where each line of `lines` first appears in `text`, in order; -1 when one is
// missing or out of order.
bool AppearOnceInOrder(const QString& text, const QStringList& lines) {
    qsizetype from = 0;
    for (const QString& line : lines) {
        const qsizetype at = text.indexOf(line, from);
        if (at < 0 || text.indexOf(line, at + line.size()) >= 0)
            return false;
        from = at + line.size();
    }
    return true;
}

TEST(CopyCount, ReadsTheTypedNumberAndCountsAnythingElseAsZero) {
    EXPECT_EQ(vorn::CopyCount("1"), 1);
    EXPECT_EQ(vorn::CopyCount("99"), 99);
    EXPECT_EQ(vorn::CopyCount(" 3 "), 3);
    EXPECT_EQ(vorn::CopyCount("-1"), -1);
    EXPECT_EQ(vorn::CopyCount(""), 0);
    EXPECT_EQ(vorn::CopyCount("abc"), 0);
    EXPECT_EQ(vorn::CopyCount("2x"), 0);
    EXPECT_EQ(vorn::CopyCount("99999999999"), 0);
}

TEST(PrintableArea, IsTheDeviceAreaInTwipsWithTheFractionDropped) {
    // 100 pixels per inch: 1 pixel = 14.4 twips.
    QImage device(851, 1100, QImage::Format_RGB32);
    device.setDotsPerMeterX(3937);
    device.setDotsPerMeterY(3937);
    ASSERT_EQ(device.logicalDpiX(), 100);
    EXPECT_EQ(vorn::PrintableAreaTwips(device), QRect(0, 0, 12254, 15840));

    QImage uneven(300, 200, QImage::Format_RGB32);
    uneven.setDotsPerMeterX(11811); // 300 dpi
    uneven.setDotsPerMeterY(5906);  // 150 dpi
    EXPECT_EQ(vorn::PrintableAreaTwips(uneven), QRect(0, 0, 1440, 1920));
}

class PdfPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        pdf_ = FreshFolder() + "/job.pdf";
        printer_.PrintToFile(pdf_);
    }
    // "Imprimer" with 3 statements and 2 answer keys; what it reported.
    std::string PrintThreeAndTwo() {
        return MessageOf(
            [&] { vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_071542", "3", "2"); });
    }
    QString pdf_;
    vorn::CurrentPrinter printer_;
    RichTextPane statement_;
    RichTextPane key_;
};

TEST_F(PdfPrintTest, AShortSheetIsOnePageHoldingEveryLine) {
    statement_.SetText(StatementRtf(5));
    vorn::PrintPane(printer_, statement_, "VN1_071542.rtf");
    EXPECT_EQ(PdfPages(pdf_), 1);
    QStringList lines;
    for (int q = 1; q <= 5; ++q)
        lines << QuestionLine(q);
    EXPECT_TRUE(AppearOnceInOrder(PdfText(pdf_), lines)) << PdfText(pdf_).toStdString();
    EXPECT_FALSE(printer_.JobOpen());
}

// A sheet printed to a file carries its recipe as a saved PDF does, in
// metadata that other readers find where they look for it, and the pages
// read as before.
TEST_F(PdfPrintTest, APrintedFileCarriesTheRecipeInItsMetadata) {
    statement_.SetText(StatementRtf(5));
    vorn::PrintPane(printer_, statement_, "VN1_071542.rtf",
                    "VORN-RECETTE 1 famille=vn1:1 graines=5");
    EXPECT_EQ(PdfPages(pdf_), 1);
    EXPECT_TRUE(PdfText(pdf_).contains(QuestionLine(5)));
    QProcess meta;
    meta.start("pdfinfo", {"-meta", pdf_});
    ASSERT_TRUE(meta.waitForFinished(30000));
    EXPECT_TRUE(meta.readAllStandardOutput().contains(
        "<vorn:recette>VORN-RECETTE 1 famille=vn1:1 graines=5</vorn:recette>"));
    QProcess check;
    check.start("qpdf", {"--check", pdf_});
    ASSERT_TRUE(check.waitForFinished(30000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();
}

TEST_F(PdfPrintTest, AnEmptyPaneGivesOneEmptyPage) {
    key_.SetText(QByteArray());
    vorn::PrintPane(printer_, key_, "-Cor.rtf");
    EXPECT_EQ(PdfPages(pdf_), 1);
    EXPECT_TRUE(PdfText(pdf_).trimmed().isEmpty());
}

TEST_F(PdfPrintTest, NoCopiesOrNegativeCountsPrintNothing) {
    statement_.SetText(StatementRtf(2));
    vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_071542", "0", "0");
    vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_071542", "-1", "abc");
    EXPECT_FALSE(QFile::exists(pdf_));
}

TEST_F(PdfPrintTest, APrintArrivingDuringAJobIsRefusedAndTheJobGoesOn) {
    statement_.SetText(StatementRtf(40, 5));
    std::string inner = "(not run)";
    bool openDuringJob = false;
    QTimer::singleShot(0, [&] {
        openDuringJob = printer_.JobOpen();
        inner =
            MessageOf([&] { vorn::PrintSheetCommand(printer_, statement_, key_, "X", "1", "1"); });
    });
    vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_071542", "1", "0");
    EXPECT_TRUE(openDuringJob);
    EXPECT_EQ(inner, "Impression en cours");
    EXPECT_GE(PdfPages(QFileInfo(pdf_).dir().filePath("VN1_071542.pdf")), 2);
    EXPECT_FALSE(printer_.JobOpen());
    // Once the job is over, printing works again.
    EXPECT_EQ(MessageOf([&] { vorn::PrintPane(printer_, statement_, "again.rtf"); }), "(no error)");
}

TEST_F(PdfPrintTest, AFileThatCannotBeCreatedStopsTheCommand) {
    statement_.SetText(StatementRtf(2));
    printer_.PrintToFile("/nonexistent-vorn-folder/job.pdf");
    EXPECT_EQ(MessageOf([&] {
                  vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_071542", "3", "2");
              }),
              "Impossible d'imprimer dans le fichier /nonexistent-vorn-folder/VN1_071542.pdf : "
              "dossier introuvable");
    EXPECT_FALSE(printer_.JobOpen());
}

TEST(PdfFileForCopy, NamesEachCopyAfterTheSheetBesideTheChosenFile) {
    struct Case {
        const char* chosen;
        const char* reference;
        bool answerKey;
        int copy;
        const char* expected;
    };
    const Case cases[] = {
        {"/d/choix.pdf", "VN1_071542", false, 1, "/d/VN1_071542.pdf"},
        {"/d/choix.pdf", "VN1_071542", false, 2, "/d/VN1_071542-2.pdf"},
        {"/d/choix.pdf", "VN1_071542", true, 1, "/d/VN1_071542-Cor.pdf"},
        {"/d/choix.pdf", "VN1_071542", true, 12, "/d/VN1_071542-Cor-12.pdf"},
        // Before any sheet: the chosen file's own name.
        {"/d/choix.PDF", "", false, 1, "/d/choix.pdf"},
        {"/d/choix.pdf", "", true, 3, "/d/choix-Cor-3.pdf"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vorn::PdfFileForCopy(c.chosen, c.reference, c.answerKey, c.copy), c.expected)
            << c.chosen << " " << c.reference << " " << c.copy;
}

TEST_F(PdfPrintTest, EveryCopyToAFileGoesToItsOwnFileStatementsAndAnswerKeysApart) {
    statement_.SetText(StatementRtf(3));
    key_.SetText(AnswerKeyRtf(3));
    vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_071542", "2", "1");

    const QDir folder = QFileInfo(pdf_).dir();
    EXPECT_EQ(folder.entryList(QDir::Files, QDir::Name),
              QStringList({"VN1_071542-2.pdf", "VN1_071542-Cor.pdf", "VN1_071542.pdf"}));
    for (const char* name : {"VN1_071542.pdf", "VN1_071542-2.pdf", "VN1_071542-Cor.pdf"}) {
        const QString text = PdfText(folder.filePath(name));
        const bool answerKey = QString(name).contains("-Cor");
        EXPECT_TRUE(text.contains(QuestionLine(3))) << name;
        EXPECT_EQ(text.contains(ResultLine(3)), answerKey) << name;
    }
    // The dialog's choice holds for the next command.
    EXPECT_EQ(printer_.OutputFile(), pdf_);
}

TEST_F(PdfPrintTest, ASecondSheetNeverReplacesTheFirstSheetsFile) {
    statement_.SetText(StatementRtf(1));
    vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_000001", "1", "0");
    statement_.SetText(StatementRtf(2));
    vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_000002", "1", "0");
    const QDir folder = QFileInfo(pdf_).dir();
    EXPECT_FALSE(PdfText(folder.filePath("VN1_000001.pdf")).contains(QuestionLine(2)));
    EXPECT_TRUE(PdfText(folder.filePath("VN1_000002.pdf")).contains(QuestionLine(2)));
}

// Every name the copies would take is already an entry of some kind: a pipe,
// a link to someone's file, a link to nothing, a file of the teacher's. Each
// copy takes the next free name, and nothing that was there is opened.
TEST_F(PdfPrintTest, CopiesToAFileNeverReplaceAnEntryNorFollowALink) {
    const QDir folder = QFileInfo(pdf_).dir();
    const QString victim = FreshFolder() + "/victim.pdf";
    {
        QFile own(victim);
        ASSERT_TRUE(own.open(QIODevice::WriteOnly));
        own.write("precious");
        QFile key(folder.filePath("VN1_071542-Cor.pdf"));
        ASSERT_TRUE(key.open(QIODevice::WriteOnly));
        key.write("teacher's key");
    }
    ASSERT_EQ(::mkfifo(qPrintable(folder.filePath("VN1_071542.pdf")), 0600), 0);
    ASSERT_TRUE(QFile::link(victim, folder.filePath("VN1_071542-2.pdf")));
    ASSERT_TRUE(
        QFile::link(folder.filePath("nowhere.pdf"), folder.filePath("VN1_071542-2 (2).pdf")));
    statement_.SetText(StatementRtf(3));
    key_.SetText(AnswerKeyRtf(3));

    {
        // Opened for writing, the pipe would wait for a reader for ever.
        const Watchdog watchdog(std::chrono::seconds(60), "printing next to a pipe");
        vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_071542", "2", "1");
    }

    EXPECT_EQ(folder.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name),
              QStringList({"VN1_071542 (2).pdf", "VN1_071542-2 (2).pdf", "VN1_071542-2 (3).pdf",
                           "VN1_071542-2.pdf", "VN1_071542-Cor (2).pdf", "VN1_071542-Cor.pdf",
                           "VN1_071542.pdf"}));
    for (const char* name :
         {"VN1_071542 (2).pdf", "VN1_071542-2 (3).pdf", "VN1_071542-Cor (2).pdf"}) {
        const QString text = PdfText(folder.filePath(name));
        EXPECT_TRUE(text.contains(QuestionLine(3))) << name;
        EXPECT_EQ(text.contains(ResultLine(3)), QString(name).contains("-Cor")) << name;
    }
    EXPECT_EQ(ReadAll(victim), "precious");
    EXPECT_EQ(ReadAll(folder.filePath("VN1_071542-Cor.pdf")), "teacher's key");
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("nowhere.pdf")));
    EXPECT_TRUE(QFileInfo(folder.filePath("VN1_071542-2.pdf")).isSymLink());
    EXPECT_EQ(printer_.OutputFile(), pdf_);
}

TEST_F(PdfPrintTest, WhenEveryNumberedNameIsTakenNothingIsWritten) {
    const QDir folder = QFileInfo(pdf_).dir();
    for (int n = 1; n <= vorn::NewOutputFile::kMaxNumber; ++n)
        ASSERT_TRUE(QFile(vorn::NumberedFileName(pdf_, n)).open(QIODevice::WriteOnly));
    statement_.SetText(StatementRtf(1));
    EXPECT_EQ(MessageOf([&] { vorn::PrintPane(printer_, statement_, "x.rtf"); }),
              "Impossible d'imprimer dans le fichier " + pdf_.toStdString() +
                  " : le nom est déjà pris");
    EXPECT_EQ(folder.entryList(QDir::Files).size(), vorn::NewOutputFile::kMaxNumber);
    EXPECT_EQ(ReadAll(pdf_), "");
}

// The VN1* entries of a folder, by name.
QStringList Printed(const QString& folder) {
    return QDir(folder).entryList({"VN1*"}, QDir::AllEntries | QDir::System, QDir::Name);
}

std::string CannotPrint(const QString& file, const char* cause) {
    return "Impossible d'imprimer dans le fichier " + file.toStdString() + " : " + cause;
}

// Mounts a 256 KB tmpfs on `folder`, full but for `room` bytes; false where
// mounting is not allowed.
bool MountSmallDisk(const QString& folder, qint64 room) {
    struct statvfs disk {};
    QFile filler(folder + "/filler");
    if (::mount("vorn-test", qPrintable(folder), "tmpfs", 0, "size=256k") != 0)
        return false;
    EXPECT_TRUE(::statvfs(qPrintable(folder), &disk) == 0 && filler.open(QIODevice::WriteOnly) &&
                ::posix_fallocate(filler.handle(), 0, disk.f_bavail * disk.f_frsize - room) == 0);
    return true;
}

// No room for one PDF, then room for one: the copy that does not fit is named
// with the cause, leaves no file, and no later copy is tried.
TEST_F(PdfPrintTest, ACopyThatDoesNotFitOnTheDiskLeavesNoFileAndStopsTheCommand) {
    const Watchdog watchdog(std::chrono::seconds(120), "printing onto a full disk");
    statement_.SetText(StatementRtf(3));
    vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_071542", "1", "0");
    const qint64 pages = (QFileInfo(QFileInfo(pdf_).dir(), "VN1_071542.pdf").size() + 4095) / 4096;
    for (const qint64 room : {qint64(0), pages * 4096}) {
        const QString folder = FreshFolder();
        if (!MountSmallDisk(folder, room))
            GTEST_SKIP() << "mounting a tmpfs is not allowed here";
        printer_.PrintToFile(folder + "/job.pdf");
        EXPECT_EQ(
            PrintThreeAndTwo(),
            CannotPrint(folder + (room ? "/VN1_071542-2.pdf" : "/VN1_071542.pdf"), "disque plein"));
        EXPECT_EQ(Printed(folder), room ? QStringList{"VN1_071542.pdf"} : QStringList{});
        EXPECT_EQ(PdfPages(folder + "/VN1_071542.pdf"), room ? 1 : -1);
        ::umount2(qPrintable(folder), MNT_DETACH);
    }
}

// No file may grow past the statement's PDF: the answer key's, longer, fails
// in Qt's writer, which does not say so.
TEST_F(PdfPrintTest, APdfLargerThanAFileMayGrowLeavesNoFile) {
    statement_.SetText(StatementRtf(3));
    key_.SetText(AnswerKeyRtf(3));
    vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_071542", "1", "1");
    const QDir measured = QFileInfo(pdf_).dir();
    const qint64 statementSize = QFileInfo(measured, "VN1_071542.pdf").size();
    ASSERT_LT(statementSize, QFileInfo(measured, "VN1_071542-Cor.pdf").size());
    const QString folder = FreshFolder();
    printer_.PrintToFile(folder + "/job.pdf");
    std::string message;
    {
        const FileSizeLimit limit{rlim_t(statementSize)};
        message = PrintThreeAndTwo();
    }
    EXPECT_EQ(message, CannotPrint(folder + "/VN1_071542-Cor.pdf", "fichier trop gros"));
    EXPECT_EQ(Printed(folder),
              QStringList({"VN1_071542-2.pdf", "VN1_071542-3.pdf", "VN1_071542.pdf"}));
}

// A folder whose path leaves room for "/VN1_071542.pdf" below PATH_MAX, but
// not for "/VN1_071542-2.pdf".
TEST_F(PdfPrintTest, ANameTooLongIsReportedAsSuch) {
    QString folder = FreshFolder();
    const int length = PATH_MAX - 1 - int(std::strlen("/VN1_071542.pdf"));
    while (length - folder.size() > 256)
        ASSERT_TRUE(QDir().mkdir(folder += "/" + QString(200, 'd')));
    ASSERT_TRUE(QDir().mkdir(folder += "/" + QString(length - folder.size() - 1, 'd')));
    statement_.SetText(StatementRtf(2));
    printer_.PrintToFile(folder + "/job.pdf");
    EXPECT_EQ(PrintThreeAndTwo(), CannotPrint(folder + "/VN1_071542-2.pdf", "nom trop long"));
    EXPECT_EQ(Printed(folder), QStringList{"VN1_071542.pdf"});
}

// A job that fails takes its file with it, but never a file put in its place.
TEST(NewOutputFile, GoesUnlessKeptAndLeavesAFileThatTookItsPlace) {
    const QString folder = FreshFolder();
    const QString wanted = folder + "/VN1_071542.pdf";
    { vorn::NewOutputFile failed(wanted, "x"); }
    EXPECT_FALSE(QFileInfo::exists(wanted));
    {
        vorn::NewOutputFile kept(wanted, "x");
        kept.Keep();
    }
    EXPECT_TRUE(QFileInfo::exists(wanted));
    {
        vorn::NewOutputFile replaced(wanted, "x");
        ASSERT_EQ(replaced.Path(), folder + "/VN1_071542 (2).pdf");
        QFile other(folder + "/other.pdf");
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write("teacher's");
        other.close();
        ASSERT_EQ(std::rename(qPrintable(other.fileName()), qPrintable(replaced.Path())), 0);
    }
    EXPECT_EQ(ReadAll(folder + "/VN1_071542 (2).pdf"), "teacher's");
}

TEST(NumberedFileName, PutsTheNumberBeforeTheLastExtension) {
    EXPECT_EQ(vorn::NumberedFileName("/d/VN1_071542-Cor.pdf", 1), "/d/VN1_071542-Cor.pdf");
    EXPECT_EQ(vorn::NumberedFileName("/d/VN1_071542-Cor.pdf", 2), "/d/VN1_071542-Cor (2).pdf");
    EXPECT_EQ(vorn::NumberedFileName("/d.x/fiche", 12), "/d.x/fiche (12)");
    EXPECT_EQ(vorn::NumberedFileName("/d/.pdf", 3), "/d/.pdf (3)");
}

// What the print dialog proposes as its PDF file, then cancelled.
QString ProposedFile(vorn::CurrentPrinter& printer, const QString& reference) {
    QString shown = "(no dialog)";
    QTimer answer; // dies with this call, even when no dialog showed
    answer.setSingleShot(true);
    QObject::connect(&answer, &QTimer::timeout, [&shown] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (auto* field = dialog->findChild<QLineEdit*>("filename"))
            shown = field->text();
        dialog->reject();
    });
    answer.start(0);
    vorn::ChoosePrinterCommand(nullptr, printer, reference);
    return shown;
}

TEST_F(PdfPrintTest, ThePrintDialogProposesTheCurrentSheetsNameAndACancelKeepsTheChoice) {
    const QString folder = QFileInfo(pdf_).absolutePath();
    printer_.PrintToFile(folder + "/VN1_000001.pdf");
    EXPECT_EQ(ProposedFile(printer_, "VN1_000002"), folder + "/VN1_000002.pdf");
    EXPECT_EQ(printer_.OutputFile(), folder + "/VN1_000001.pdf");
}

} // namespace
