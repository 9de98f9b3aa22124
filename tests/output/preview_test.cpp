#include "file_replacement.h"
#include "file_size_limit.h"
#include "sheet_fixture.h"

#include "output/preview/own_working_files.h"
#include "output/preview/page_picture.h"
#include "output/preview/page_pictures.h"
#include "output/preview/preview_box.h"
#include "output/preview/preview_command.h"
#include "output/print/current_printer.h"
#include "richtext/rich_text_pane.h"
#include "text/user_error.h"

#include <QApplication>
#include <QComboBox>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPageLayout>
#include <QPicture>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <cstdio>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(PreviewGeometry, PaperInHundredthsOfAMillimetreAndInTwips) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    const QRect a4 = vorn::PaperRectHundredthsMm(printer);
    EXPECT_EQ(a4, QRect(0, 0, 21000, 29700));
    EXPECT_EQ(vorn::HundredthsMmToTwips(a4), QRect(0, 0, 11905, 16837));

    printer.setPageOrientation(QPageLayout::Landscape);
    EXPECT_EQ(vorn::PaperRectHundredthsMm(printer), QRect(0, 0, 29700, 21000));

    // Letter is 215.9 x 279.4 mm.
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    EXPECT_EQ(vorn::PaperRectHundredthsMm(printer), QRect(0, 0, 21600, 27900));
}

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = FreshFolder();
        ASSERT_TRUE(QDir::setCurrent(dir_));
        printer_.PrintToFile(FreshFolder() + "/unused.pdf");
        printer_.Printer().setPageSize(QPageSize(QPageSize::A4));
        box_ = new vorn::PreviewBox(&window_);
    }
    QStringList Files() const {
        return QDir(dir_).entryList(
            QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }
    QString PagePath(int index) const { return dir_ + "/Temp" + QString::number(index) + ".EMF"; }
    // Whether page `index` draws `line` as one piece of text: a picture keeps
    // each piece as a string with its length before it.
    bool PageShows(int index, const QString& line) const {
        QByteArray piece;
        QDataStream stream(&piece, QIODevice::WriteOnly);
        stream << line;
        return ReadAll(PagePath(index)).contains(piece);
    }
    static void Touch(const QString& path, const QByteArray& content = "old") {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    void Preview() { vorn::PreviewCommand(*box_, statement_, key_, printer_, "VN1_071542"); }

    QString dir_;
    QWidget window_;
    vorn::PreviewBox* box_ = nullptr;
    vorn::CurrentPrinter printer_;
    RichTextPane statement_;
    RichTextPane key_;
};

TEST_F(PreviewTest, AOnePageStatementGivesOnePageFileAndRemovesTheOldSecondPage) {
    statement_.SetText(StatementRtf(40, 5));
    Preview();
    ASSERT_EQ(Files(), QStringList({"TWFile.txt", "Temp0.EMF", "Temp1.EMF"}));
    statement_.SetText(StatementRtf(3));
    Preview();

    EXPECT_EQ(Files(), QStringList({"TWFile.txt", "Temp0.EMF"}));
    EXPECT_TRUE(ReadAll(dir_ + "/TWFile.txt").isEmpty());
    QPicture page;
    EXPECT_TRUE(page.load(PagePath(0)));
    EXPECT_TRUE(PageShows(0, QuestionLine(1)));
    EXPECT_TRUE(PageShows(0, QuestionLine(3)));
    EXPECT_FALSE(box_->Image1().IsEmpty());
    EXPECT_TRUE(box_->Image2().IsEmpty());
    EXPECT_TRUE(box_->isVisible());
}

// The answer key on demand, a missing page said so, a title naming the sheet,
// and the keys that go to either end.
TEST_F(PreviewTest, TheKeyOnDemandAMissingPageSaidSoAndTheKeysToEitherEnd) {
    statement_.SetText(StatementRtf(3));
    key_.SetText(AnswerKeyRtf(3));
    Preview();
    EXPECT_EQ(box_->windowTitle(), "Aperçu : VN1_071542, sujet");
    EXPECT_EQ(box_->PageLabel(1)->text(), "Page 2 : vide");
    // A picture keeps its text in UTF-16, high byte first.
    const QByteArray result("\0R\0e\0s\0u\0l\0t\0a\0t", 16);
    EXPECT_FALSE(ReadAll(PagePath(0)).contains(result));
    box_->DocumentChoice()->setCurrentIndex(1);
    Preview();
    EXPECT_EQ(box_->windowTitle(), "Aperçu : VN1_071542, corrigé");
    EXPECT_TRUE(ReadAll(PagePath(0)).contains(result));
    EXPECT_EQ(box_->PageLabel(0)->text(), "Page 1");
    QScrollBar* bar = box_->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(box_, &end);
    EXPECT_EQ(bar->value(), bar->maximum());
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QApplication::sendEvent(box_, &home);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(PreviewTest, OnlyTheFirstTwoPagesOfALongerStatementAreDrawn) {
    statement_.SetText(StatementRtf(40, 5));
    Preview();

    EXPECT_EQ(Files(), QStringList({"TWFile.txt", "Temp0.EMF", "Temp1.EMF"}));
    EXPECT_FALSE(box_->Image1().IsEmpty());
    EXPECT_FALSE(box_->Image2().IsEmpty());
    EXPECT_TRUE(PageShows(0, QuestionLine(1)));
    EXPECT_FALSE(PageShows(1, QuestionLine(1)));
    // Page 2 takes up where page 1 stopped, and the end of the sheet (page 3
    // and beyond) is never drawn.
    int lastOnFirst = 0;
    while (PageShows(0, QuestionLine(lastOnFirst + 1)))
        ++lastOnFirst;
    ASSERT_GT(lastOnFirst, 0);
    EXPECT_TRUE(PageShows(1, QuestionLine(lastOnFirst + 1)));
    EXPECT_FALSE(PageShows(1, QuestionLine(40)));
    EXPECT_FALSE(PageShows(0, QuestionLine(40)));
}

TEST_F(PreviewTest, PagesHaveThePrintersPaperProportions) {
    statement_.SetText(StatementRtf(3));
    Preview();
    const QSize portrait = box_->Image1().PictureSize();
    EXPECT_EQ(portrait.width() * 297 / 210, portrait.height());

    printer_.Printer().setPageOrientation(QPageLayout::Landscape);
    Preview();
    const QSize landscape = box_->Image1().PictureSize();
    EXPECT_EQ(landscape.height() * 297 / 210, landscape.width());
}

TEST_F(PreviewTest, TheFirstPreviewFloatsCentredOnTopAndLaterOnesReturnWhereLeft) {
    statement_.SetText(StatementRtf(40, 5));
    EXPECT_FALSE(box_->isVisible());
    Preview();
    ASSERT_TRUE(box_->isWindow());
    EXPECT_TRUE(box_->windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(box_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(box_->width(), 493);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(box_->geometry().topLeft(),
              QPoint((screen.width() - 493) / 2, (screen.height() - box_->height()) / 2));
    EXPECT_EQ(box_->verticalScrollBar()->value(), 0);
    EXPECT_EQ(box_->widget()->height(), 1328);
    const QWidget* frame = box_->Image1().parentWidget();
    EXPECT_EQ(frame->palette().color(frame->backgroundRole()), QColor(Qt::white));
    EXPECT_EQ(box_->Image1().geometry(), QRect(20, 20, 420, 594));

    box_->move(40, 50);
    box_->verticalScrollBar()->setValue(600);
    box_->close();
    EXPECT_FALSE(box_->isVisible());

    // An edit between two previews shows in the second one.
    statement_.SetText("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Feuille corrigee}");
    Preview();
    EXPECT_TRUE(box_->isVisible());
    EXPECT_EQ(box_->pos(), QPoint(40, 50));
    EXPECT_EQ(box_->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(PageShows(0, "Feuille corrigee"));
    EXPECT_EQ(Files(), QStringList({"TWFile.txt", "Temp0.EMF"}));
    EXPECT_TRUE(box_->Image2().IsEmpty());
}

// A full disk: a page whose file cannot be written whole counts as not drawn;
// when the private folder cannot take it either, the preview says why and
// shows no blank page in its place.
TEST_F(PreviewTest, APageThatCannotBeWrittenWholeIsNotDrawnAndSaysWhy) {
    statement_.SetText(StatementRtf(40, 5));
    vorn::OwnWorkingFiles files;
    int next = -7;
    const FileSizeLimit limit(256);
    EXPECT_FALSE(vorn::RenderPagePicture(printer_.Printer(), files, dir_ + "/Page.EMF",
                                         vorn::PaperRectHundredthsMm(printer_.Printer()), 0,
                                         statement_, next));
    EXPECT_EQ(next, -7);
    const std::string message = MessageOf([this] { Preview(); });
    EXPECT_NE(message.find("page 1"), std::string::npos) << message;
    EXPECT_NE(message.find("fichier trop gros"), std::string::npos) << message;
    EXPECT_FALSE(box_->isVisible());
    EXPECT_TRUE(box_->Image1().IsEmpty());
}

// After a save into a folder the preview cannot write (read-only, or gone),
// the pages go to the program's private folder.
TEST_F(PreviewTest, AReadOnlyOrMissingWorkingDirectorySendsThePagesToThePrivateFolder) {
    statement_.SetText(StatementRtf(40, 5));
    // The super-user writes into any folder: the read-only case then runs in
    // output_preview_readonly_test, as an ordinary user.
    if (geteuid() != 0)
        ASSERT_EQ(::chmod(QFile::encodeName(dir_).constData(), 0555), 0);
    else
        ASSERT_TRUE(QDir(dir_).removeRecursively());
    Preview();
    ::chmod(QFile::encodeName(dir_).constData(), 0755);
    EXPECT_TRUE(box_->isVisible());
    EXPECT_FALSE(box_->Image1().IsEmpty());
    EXPECT_FALSE(box_->Image2().IsEmpty());
    const QString own = box_->Files().PrivateFolderPath();
    ASSERT_FALSE(own.isEmpty());
    EXPECT_TRUE(box_->Files().IsOwn(own + "/Temp0.EMF"));
    ASSERT_TRUE(QDir().mkpath(dir_));
}

// A file of one of the preview's names, in any letter case, that this run did
// not make: the preview works in a folder of its own and leaves it alone.
TEST_F(PreviewTest, ATeachersFileOfAPreviewNameIsNeverTouched) {
    for (const char* name : {"twfile.TXT", "Temp0.EMF", "temp1.emf"}) {
        SCOPED_TRACE(name);
        vorn::PreviewBox box(&window_);
        Touch(dir_ + "/" + name, "teacher's own");
        statement_.SetText(StatementRtf(40, 5));
        vorn::PreviewCommand(box, statement_, statement_, printer_, {});

        EXPECT_EQ(Files(), QStringList({name}));
        EXPECT_EQ(ReadAll(dir_ + "/" + name), "teacher's own");
        EXPECT_FALSE(box.Image1().IsEmpty());
        EXPECT_FALSE(box.Image2().IsEmpty());
        const QString own = box.Files().PrivateFolderPath();
        ASSERT_FALSE(own.isEmpty());
        EXPECT_EQ(QDir(own).entryList(QDir::Files, QDir::Name),
                  QStringList({"TWFile.txt", "Temp0.EMF", "Temp1.EMF"}));

        box.Files().RemoveAll();
        EXPECT_FALSE(QFileInfo::exists(own));
        EXPECT_EQ(ReadAll(dir_ + "/" + name), "teacher's own");
        ASSERT_TRUE(QFile::remove(dir_ + "/" + name));
    }
}

// A link planted under one of the preview's names, to a file or to nothing:
// as for a folder that cannot be written, nothing happens.
TEST_F(PreviewTest, ALinkInThePlaceOfAPreviewFileMakesThePreviewDoNothing) {
    const QString elsewhere = FreshFolder();
    const QString victim = elsewhere + "/victim.txt";
    const QString nowhere = elsewhere + "/nowhere.txt";
    statement_.SetText(StatementRtf(40, 5));
    for (const char* name : {"TWFile.txt", "twfile.TXT", "Temp0.EMF", "temp1.emf"}) {
        for (const QString& target : {victim, nowhere}) {
            SCOPED_TRACE(std::string(name) + " -> " + target.toStdString());
            vorn::PreviewBox box(&window_);
            Touch(victim, "precious");
            const QString link = dir_ + "/" + name;
            ASSERT_TRUE(QFile::link(target, link));
            vorn::PreviewCommand(box, statement_, statement_, printer_, {});

            EXPECT_FALSE(box.isVisible());
            EXPECT_TRUE(box.Image1().IsEmpty());
            EXPECT_EQ(ReadAll(victim), "precious");
            EXPECT_FALSE(QFileInfo::exists(nowhere));
            EXPECT_EQ(Files(), QStringList({name}));
            box.Files().RemoveAll();
            EXPECT_TRUE(QFileInfo(link).isSymLink());
            ASSERT_TRUE(QFile::remove(link));
        }
    }
}

// A page file of ours that someone replaces by a link between two previews is
// neither written through nor deleted; the files still ours go.
TEST_F(PreviewTest, AFileOfOursReplacedByALinkIsNeitherFollowedNorDeleted) {
    const QString victim = FreshFolder() + "/victim.txt";
    Touch(victim, "precious");
    statement_.SetText(StatementRtf(40, 5));
    Preview();
    ASSERT_EQ(Files(), QStringList({"TWFile.txt", "Temp0.EMF", "Temp1.EMF"}));
    ASSERT_TRUE(QFile::remove(dir_ + "/Temp0.EMF"));
    ASSERT_TRUE(QFile::link(victim, dir_ + "/Temp0.EMF"));

    Preview();
    EXPECT_EQ(ReadAll(victim), "precious");
    box_->Files().RemoveAll();
    EXPECT_EQ(Files(), QStringList({"Temp0.EMF"}));
    EXPECT_TRUE(QFileInfo(dir_ + "/Temp0.EMF").isSymLink());
    EXPECT_EQ(ReadAll(victim), "precious");
}

// Page files of ours replaced between two previews by someone else's files,
// one renamed over it, one made anew under the freed inode number: neither is
// emptied, rewritten or deleted; the second preview goes to a folder of its own.
TEST_F(PreviewTest, ForeignFilesPutInThePlaceOfPageFilesStayUntouched) {
    statement_.SetText(StatementRtf(40, 5));
    Preview();
    ASSERT_EQ(Files(), QStringList({"TWFile.txt", "Temp0.EMF", "Temp1.EMF"}));
    Touch(dir_ + "/notes.txt", "renamed over");
    ASSERT_TRUE(std::rename(qPrintable(dir_ + "/notes.txt"), qPrintable(PagePath(0))) == 0);
    ReplaceKeepingInodeIfFree(PagePath(1), "made anew");

    Preview();
    EXPECT_FALSE(box_->Image2().IsEmpty());
    EXPECT_EQ(QDir(box_->Files().PrivateFolderPath()).entryList(QDir::Files, QDir::Name),
              QStringList({"TWFile.txt", "Temp0.EMF", "Temp1.EMF"}));
    box_->Files().RemoveAll();
    EXPECT_EQ(Files(), QStringList({"Temp0.EMF", "Temp1.EMF"}));
    EXPECT_EQ(ReadAll(PagePath(0)), "renamed over");
    EXPECT_EQ(ReadAll(PagePath(1)), "made anew");
}

} // namespace
