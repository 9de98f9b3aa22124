#include "pdf_tools.h"
#include "sheet_fixture.h"

#include "output/pages/pdf_page_setup.h"
#include "output/print/current_printer.h"
#include "output/print/print_job.h"
#include "output/save/pdf_in_child_process.h"
#include "output/save/save_sheets.h"
#include "output/save/sheet_files.h"
#include "richtext/rich_text_pane.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace {

QStringList Pages(const QString& pdf) {
    QStringList pages;
    for (int page = 1; page <= PdfPages(pdf); ++page)
        pages << PdfText(pdf, page);
    return pages;
}

class PdfSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = FreshFolder();
        statement_.SetText(StatementRtf(60, 2));
        key_.SetText(AnswerKeyRtf(60));
    }
    QString Path(const QString& name) const { return dir_ + QLatin1Char('/') + name; }
    QStringList Files() const {
        return QDir(dir_).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                    QDir::Name);
    }
    void Save(const QString& name, const vorn::PdfPageSetup& setup) {
        vorn::SaveSheets(
            {&statement_}, {&key_}, Path(name), [&setup] { return setup; }, "VN1_071542");
    }

    QString dir_;
    RichTextPane statement_;
    RichTextPane key_;
};

TEST_F(PdfSaveTest, PagesBreakWhereThePrintJobsDo) {
    // Printing to a file stands for the printer: same paper, area and resolution.
    vorn::CurrentPrinter printer;
    printer.PrintToFile(Path("job.pdf"));
    vorn::PrintPane(printer, statement_, "VN1_071542.rtf");
    const QStringList printed = Pages(Path("job.pdf"));
    ASSERT_GE(printed.size(), 3);

    Save("Feuille.PDF", vorn::PageSetupOf(printer));
    EXPECT_EQ(Pages(Path("Feuille.PDF")), printed);
    EXPECT_EQ(Files(), QStringList({"Feuille.PDF", "Feuille_Cor.pdf", "job.pdf"}));
}

// The six page words of an RTF file, in twips, as another reader takes them.
std::vector<int> PageOf(const QByteArray& rtf) {
    std::vector<int> page;
    for (const char* word : {"paperw", "paperh", "margl", "margr", "margt", "margb"}) {
        const QRegularExpression re(QStringLiteral("\\\\%1(\\d+)").arg(word));
        const auto matches = re.globalMatch(QString::fromLatin1(rtf));
        page.push_back(matches.hasNext() ? matches.peekNext().captured(1).toInt() : -1);
    }
    return page;
}

// Another reader lays the RTF out on the page VORN's own PDF uses, or the
// lines and pages break elsewhere.
TEST_F(PdfSaveTest, RtfFilesStateThePageOfThePdf) {
    const vorn::PdfPageSetup letter{QPageLayout(QPageSize(QPageSize::Letter),
                                                QPageLayout::Landscape, QMarginsF(18, 24, 30, 36),
                                                QPageLayout::Point),
                                    300};
    const struct {
        vorn::PdfPageSetup setup;
        std::vector<int> page;
    } cases[] = {
        {vorn::LaserA4PageSetup(), {11906, 16838, 240, 240, 240, 240}}, // 210 x 297 mm, 1/6 in
        {letter, {15840, 12240, 360, 600, 480, 720}},                   // 11 x 8.5 in
    };
    for (const auto& c : cases) {
        Save("f.rtf", c.setup);
        EXPECT_EQ(PageOf(ReadAll(Path("f.rtf"))), c.page);
        EXPECT_EQ(PageOf(ReadAll(Path("f_Cor.rtf"))), c.page);
        vorn::SaveSheets(
            {&statement_, &statement_}, {&key_, &key_}, Path("set.rtf"), [&c] { return c.setup; },
            "REF");
        EXPECT_EQ(PageOf(ReadAll(Path("set.rtf"))), c.page);
        EXPECT_EQ(PageOf(ReadAll(Path("set_Cor.rtf"))), c.page);
    }
}

TEST_F(PdfSaveTest, TextStaysTextWithEmbeddedFontsAndTheReferenceAsTitle) {
    Save("f.pdf", vorn::LaserA4PageSetup());
    EXPECT_EQ(PdfInfoField(Path("f.pdf"), "Title"), "VN1_071542");
    EXPECT_EQ(PdfInfoField(Path("f_Cor.pdf"), "Title"), "VN1_071542 - Corrigé");
    for (const QString& file : {Path("f.pdf"), Path("f_Cor.pdf")}) {
        EXPECT_TRUE(PdfInfoField(file, "Page size").endsWith("(A4)")) << file.toStdString();
        const QStringList embedded = PdfFontsEmbedded(file);
        EXPECT_FALSE(embedded.isEmpty());
        EXPECT_EQ(embedded.count("yes"), embedded.size()) << embedded.join(' ').toStdString();
    }
    const QString statement = PdfText(Path("f.pdf"));
    const QString key = PdfText(Path("f_Cor.pdf"));
    for (int q = 1; q <= 60; ++q) {
        EXPECT_TRUE(statement.contains(QuestionLine(q))) << q;
        EXPECT_TRUE(key.contains(QuestionLine(q))) << q;
        EXPECT_TRUE(key.contains(ResultLine(q))) << q;
        EXPECT_FALSE(statement.contains(ResultLine(q))) << q;
    }
}

TEST_F(PdfSaveTest, LaserA4KeepsASixthOfAnInchOnEverySide) {
    const vorn::PdfPageSetup setup = vorn::LaserA4PageSetup();
    EXPECT_EQ(setup.layout.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(setup.layout.orientation(), QPageLayout::Portrait);
    EXPECT_NEAR(setup.layout.margins(QPageLayout::Millimeter).left(), 25.4 / 6, 0.01);
    EXPECT_NEAR(setup.layout.margins(QPageLayout::Millimeter).bottom(), 25.4 / 6, 0.01);
}

TEST_F(PdfSaveTest, HighlightsAreYellow) {
    key_.SetText("{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl ;\\red255\\green255"
                 "\\blue0;}\\f0\\fs48 Resultat \\highlight1  4242424242 \\highlight0 fin}");
    Save("h.pdf", vorn::LaserA4PageSetup());
    const QImage page = PdfPageImage(Path("h_Cor.pdf"), 1, 40);
    ASSERT_FALSE(page.isNull());
    int yellow = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            yellow += c.red() > 220 && c.green() > 220 && c.blue() < 60;
        }
    EXPECT_GT(yellow, 20);
    // The statement has none.
    const QImage statement = PdfPageImage(Path("h.pdf"), 1, 40);
    ASSERT_FALSE(statement.isNull());
    for (int y = 0; y < statement.height(); ++y)
        for (int x = 0; x < statement.width(); ++x)
            ASSERT_FALSE(statement.pixelColor(x, y).blue() < 60 &&
                         statement.pixelColor(x, y).red() > 220);
}

// A print to a file is titled as the saved PDF is, whatever the job's name.
TEST_F(PdfSaveTest, PrintToFileIsTitledLikeTheSave) {
    const struct {
        const char* job;
        const char* title;
    } cases[] = {{"VN2-428880-Cor.rtf", "VN2-428880 - Corrigé"},
                 {"VN2-428880.rtf", "VN2-428880"},
                 {"autre", "autre"}};
    for (const auto& c : cases) {
        vorn::CurrentPrinter printer;
        const QString file = Path(QString::fromUtf8(c.job) + ".pdf");
        printer.PrintToFile(file);
        vorn::PrintPane(printer, key_, QString::fromUtf8(c.job));
        EXPECT_EQ(PdfInfoField(file, "Title"), c.title);
    }
}

TEST_F(PdfSaveTest, IndentsKeepTheirSizeInPointsOnPaper) {
    // An inch (72 points) from the left, and a first line half an inch further
    // in than its paragraph's half inch.
    statement_.SetText("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Gauche\\par\\pard\\li1440 "
                       "Retrait\\par\\pard\\li720\\fi720 Premiere\\par}");
    vorn::CurrentPrinter printer;
    printer.PrintToFile(Path("job.pdf"));
    vorn::PrintPane(printer, statement_, "VN1_071542.rtf");
    Save("i.pdf", vorn::LaserA4PageSetup());
    for (const QString& file : {Path("job.pdf"), Path("i.pdf")}) {
        const auto words = PdfWordLefts(file, 1);
        ASSERT_EQ(words.size(), 3) << file.toStdString();
        EXPECT_EQ(words[1].first, "Retrait");
        // The letters' own side bearings differ by less than a point.
        EXPECT_NEAR(words[1].second - words[0].second, 72, 1.5) << file.toStdString();
        EXPECT_NEAR(words[2].second - words[0].second, 72, 1.5) << file.toStdString();
    }
}

TEST_F(PdfSaveTest, CharactersFromFallbackFontsAreInTheTextLayer) {
    // ≤ and √ are in the sheet's font; the emoji (U+1F600) and the
    // mathematical x (U+1D465, in italics too) come from fallback fonts
    // beyond the Basic Multilingual Plane.
    statement_.SetText("{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs28 Classe \\u8804? "
                       "\\u8730? \\u-10179?\\u-8704? fin\\par {\\i x\\u-10187?\\u-9115? "
                       "\\u-10179?\\u-8704?}\\par\\u-10187?\\u-9115? = 2}");
    Save("e.pdf", vorn::LaserA4PageSetup());
    vorn::CurrentPrinter printer;
    printer.PrintToFile(Path("job.pdf"));
    vorn::PrintPane(printer, statement_, "VN1_071542.rtf");
    for (const QString& file : {Path("e.pdf"), Path("job.pdf")}) {
        // pdftotext guesses spaces from the gaps between glyphs: leave them out.
        const QStringList lines = PdfText(file).remove(u' ').split(u'\n', Qt::SkipEmptyParts);
        EXPECT_EQ(lines, QStringList({"Classe\u2264\u221A\U0001F600fin", "x\U0001D465\U0001F600",
                                      "\U0001D465=2", "\f"}))
            << file.toStdString();
        // What lies off the page stays out of the text and off the picture.
        EXPECT_EQ(PdfPages(file), 1);
    }
}

TEST_F(PdfSaveTest, FailuresLeaveNoPartialFileAndTheSaveMessages) {
    const QString missing = Path("no-such-folder/f.pdf");
    EXPECT_EQ(MessageOf([&] { Save("no-such-folder/f.pdf", vorn::LaserA4PageSetup()); }),
              "Impossible de créer le fichier " + missing.toStdString() + " : dossier introuvable");
    EXPECT_TRUE(Files().isEmpty());

    // The answer key's name is taken by a folder: the folder untouched, and
    // the former statement file kept, not replaced by half a pair.
    QFile former(Path("g.pdf"));
    ASSERT_TRUE(former.open(QIODevice::WriteOnly));
    former.write(QByteArray(500000, 'x'));
    former.close();
    ASSERT_TRUE(QDir(dir_).mkdir("g_Cor.pdf"));
    EXPECT_EQ(MessageOf([&] { Save("g.pdf", vorn::LaserA4PageSetup()); }),
              "Impossible de créer le fichier " + Path("g_Cor.pdf").toStdString() +
                  " : c'est un dossier");
    EXPECT_EQ(ReadAll(Path("g.pdf")), QByteArray(500000, 'x'));
    EXPECT_EQ(Files(), QStringList({"g.pdf", "g_Cor.pdf"}));
}

// Three small sheets whose every line names its sheet.
class SheetSetTest : public PdfSaveTest {
protected:
    void SetUp() override {
        PdfSaveTest::SetUp();
        for (int sheet = 0; sheet < 3; ++sheet) {
            const QByteArray name = "Feuille " + QByteArray::number(sheet + 1);
            panes_.push_back(std::make_unique<RichTextPane>());
            panes_.back()->SetText(name + " sujet");
            statements_.push_back(panes_.back().get());
            panes_.push_back(std::make_unique<RichTextPane>());
            panes_.back()->SetText(name + " corrige");
            keys_.push_back(panes_.back().get());
        }
    }
    std::vector<std::unique_ptr<RichTextPane>> panes_;
    std::vector<RichTextPane*> statements_;
    std::vector<RichTextPane*> keys_;
};

TEST_F(SheetSetTest, EverySheetStartsOnANewPageInOrder) {
    vorn::SaveSheets(statements_, keys_, Path("set.pdf"), vorn::LaserA4PageSetup, "REF");
    const QStringList statements = Pages(Path("set.pdf"));
    const QStringList keys = Pages(Path("set_Cor.pdf"));
    ASSERT_EQ(statements.size(), 3);
    ASSERT_EQ(keys.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(statements[i].trimmed(), QStringLiteral("Feuille %1 sujet").arg(i + 1));
        EXPECT_EQ(keys[i].trimmed(), QStringLiteral("Feuille %1 corrige").arg(i + 1));
    }
}

// A set's statements are made by a copy of the process when it runs a single
// thread, here otherwise: both give the same pages; a stop during the keys
// leaves no file and no copy behind.
TEST_F(SheetSetTest, StatementsMadeAsideAreThoseMadeHereAndAStopEndsTheCopy) {
    ASSERT_TRUE(vorn::RunsSingleThread()) << "the copy would never be tried";
    statements_.insert(statements_.begin() + 1, &statement_); // several pages among short ones
    keys_.insert(keys_.begin() + 1, &key_);
    vorn::SaveSheets(statements_, keys_, Path("aside.pdf"), vorn::LaserA4PageSetup, "REF");
    {
        std::mutex mutex;
        std::condition_variable done;
        bool saved = false;
        std::thread second([&] {
            std::unique_lock lock(mutex);
            done.wait(lock, [&] { return saved; });
        });
        EXPECT_FALSE(vorn::RunsSingleThread());
        vorn::SaveSheets(statements_, keys_, Path("here.pdf"), vorn::LaserA4PageSetup, "REF");
        {
            std::lock_guard lock(mutex);
            saved = true;
        }
        done.notify_one();
        second.join();
    }
    const QStringList aside = Pages(Path("aside.pdf"));
    EXPECT_GT(aside.size(), 4);
    EXPECT_EQ(aside, Pages(Path("here.pdf")));
    EXPECT_EQ(PdfInfoField(Path("aside.pdf"), "Title"), "REF");

    int ticks = 0;
    EXPECT_THROW(vorn::SaveSheets(statements_, keys_, Path("stop.pdf"), vorn::LaserA4PageSetup,
                                  "REF", [&ticks] { return ++ticks < 2; }),
                 vorn::WorkCancelled);
    EXPECT_FALSE(QFile::exists(Path("stop.pdf")));
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1) << "a copy was left running or unreaped";
}

TEST_F(SheetSetTest, WithoutAnswerKeysOnlyTheStatementsAreWritten) {
    vorn::SaveSheets(statements_, {}, Path("set.pdf"), vorn::LaserA4PageSetup, "REF");
    EXPECT_EQ(Files(), QStringList({"set.pdf"}));
}

TEST_F(SheetSetTest, RtfAndTextSetsBreakPagesBetweenSheets) {
    vorn::SaveSheets(statements_, keys_, Path("set.rtf"), vorn::LaserA4PageSetup, "REF");
    const QByteArray rtf = ReadAll(Path("set.rtf"));
    EXPECT_EQ(rtf.count("\\page"), 2);
    EXPECT_EQ(rtf.count("{\\rtf"), 1);
    RichTextPane reread;
    reread.SetText(rtf);
    EXPECT_EQ(reread.GetText(), "Feuille 1 sujet\nFeuille 2 sujet\nFeuille 3 sujet");
    reread.SetText(ReadAll(Path("set_Cor.rtf")));
    EXPECT_EQ(reread.GetText(), "Feuille 1 corrige\nFeuille 2 corrige\nFeuille 3 corrige");

    vorn::SaveSheets(statements_, keys_, Path("set.txt"), vorn::LaserA4PageSetup, "REF");
    EXPECT_EQ(ReadAll(Path("set.txt")), "Feuille 1 sujet\fFeuille 2 sujet\fFeuille 3 sujet");
}

TEST_F(SheetSetTest, SavedPdfsPassQpdfCheck) {
    if (QStandardPaths::findExecutable("qpdf").isEmpty())
        GTEST_SKIP() << "qpdf is not installed (scripts/deps.sh installs it)";
    // An emoji sends the text layer's characters through an incremental update.
    const QByteArray emoji = "{\\rtf1 Classe \\u-10179?\\u-8704? fin}";
    statement_.SetText(emoji);
    key_.SetText(emoji);
    panes_.front()->SetText(emoji);
    Save("f.pdf", vorn::LaserA4PageSetup());
    vorn::SaveSheets(statements_, keys_, Path("set.pdf"), vorn::LaserA4PageSetup, "REF");
    for (const char* name : {"f.pdf", "f_Cor.pdf", "set.pdf"}) {
        EXPECT_EQ(ReadAll(Path(name)).count("startxref"), 2) << name << " has no update";
        EXPECT_EQ(QpdfProblems(Path(name)).toStdString(), "") << name;
    }
    EXPECT_EQ(QpdfProblems(Path("set_Cor.pdf")).toStdString(), "");
}

TEST_F(SheetSetTest, OnePrintJobHoldsEverySheetOnItsOwnPages) {
    vorn::CurrentPrinter printer;
    printer.PrintToFile(Path("job.pdf"));
    vorn::PrintPanes(printer, statements_, "REF.rtf");
    const QStringList pages = Pages(Path("job.pdf"));
    ASSERT_EQ(pages.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(pages[i].trimmed(), QStringLiteral("Feuille %1 sujet").arg(i + 1));
    EXPECT_FALSE(printer.JobOpen());
}

} // namespace
