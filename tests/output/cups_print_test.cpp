#include "pdf_tools.h"
#include "sheet_fixture.h"

#include "output/print/current_printer.h"
#include "output/print/print_sheet.h"
#include "richtext/rich_text_pane.h"
#include "text/user_error.h"

#include <QApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <pwd.h>
#include <unistd.h>

namespace {

// The queue ./test sets up: its name, and the folder where CUPS-PDF writes its
// PDFs, read from CUPS-PDF's own configuration.
struct PdfQueue {
    QString name;
    QString folder;
};

QString DeviceUri(const QString& queue) {
    QProcess lpstat;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    lpstat.setProcessEnvironment(env);
    lpstat.start("lpstat", {"-v", queue});
    lpstat.waitForFinished(30000);
    const QString out = QString::fromUtf8(lpstat.readAllStandardOutput()).trimmed();
    const qsizetype colon = out.indexOf(": ");
    return colon < 0 ? QString() : out.mid(colon + 2);
}

QString OutFolder(const QString& instance) {
    QString conf = "/etc/cups/cups-pdf-" + instance + ".conf";
    if (instance.isEmpty() || !QFile::exists(conf))
        conf = "/etc/cups/cups-pdf.conf";
    QString out = "/var/spool/cups-pdf/${USER}";
    for (const QByteArray& line : ReadAll(conf).split('\n')) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (text.startsWith("Out ") || text.startsWith("Out\t"))
            out = text.mid(4).trimmed();
    }
    const passwd* user = getpwuid(geteuid());
    if (user) {
        out.replace("${HOME}", QString::fromLocal8Bit(user->pw_dir));
        out.replace("${USER}", QString::fromLocal8Bit(user->pw_name));
    }
    return out;
}

PdfQueue TestQueue() {
    const QString name = qEnvironmentVariable("VORN_TEST_PRINTER");
    const QString uri = DeviceUri(name);
    return {name, OutFolder(uri.section('/', 1))};
}

// The reference of this run's sheets, so that runs and programs never mix.
QString UniqueReference(const char* prefix) {
    return QString::fromLatin1(prefix) +
           QStringLiteral("%1").arg((getpid() * 7919 + QDateTime::currentMSecsSinceEpoch()) %
                                        1000000,
                                    6, 10, QLatin1Char('0'));
}

// Job id -> PDF, for the PDFs whose title starts with `reference`; waits until
// `count` of them are complete.
std::map<int, QString> WaitForPdfs(const QString& folder, const QString& reference, int count) {
    const QRegularExpression pattern("^job_(\\d+)-" + QRegularExpression::escape(reference) +
                                     ".*\\.pdf$");
    QDeadlineTimer deadline(240000);
    std::map<int, QString> found;
    while (!deadline.hasExpired()) {
        found.clear();
        for (const QString& name : QDir(folder).entryList(QDir::Files)) {
            const QRegularExpressionMatch match = pattern.match(name);
            if (match.hasMatch() && PdfPages(folder + "/" + name) > 0)
                found[match.captured(1).toInt()] = name;
        }
        if (int(found.size()) >= count)
            break;
        QThread::msleep(250);
    }
    return found;
}

void RemovePdfs(const QString& folder, const std::map<int, QString>& pdfs) {
    for (const auto& [job, name] : pdfs)
        QFile::remove(folder + "/" + name);
}

class CupsPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("VORN_TEST_PRINTER"))
            GTEST_SKIP() << "no test queue: run through ./test, which sets one up";
        queue_ = TestQueue();
        ASSERT_EQ(QPrinterInfo::defaultPrinter().printerName(), queue_.name);
    }

    PdfQueue queue_;
    vorn::CurrentPrinter printer_;
    RichTextPane statement_;
    RichTextPane key_;
};

TEST_F(CupsPrintTest, ThreeStatementsThenTwoAnswerKeysReachTheQueueInOrder) {
    const QString ref = UniqueReference("VN1_");
    statement_.SetText(StatementRtf(4));
    key_.SetText(AnswerKeyRtf(4));
    vorn::PrintSheetCommand(printer_, statement_, key_, ref, "3", "2");

    const std::map<int, QString> pdfs = WaitForPdfs(queue_.folder, ref, 5);
    ASSERT_EQ(pdfs.size(), 5u) << queue_.folder.toStdString();
    QStringList titles;
    for (const auto& [job, name] : pdfs)
        titles << name.section('-', 1).chopped(4);
    const QString statementTitle = ref + ".rtf";
    const QString keyTitle = ref + "-Cor.rtf";
    EXPECT_EQ(titles,
              QStringList({statementTitle, statementTitle, statementTitle, keyTitle, keyTitle}));

    int index = 0;
    for (const auto& [job, name] : pdfs) {
        const QString pdf = queue_.folder + "/" + name;
        const QString text = PdfText(pdf);
        EXPECT_EQ(PdfPages(pdf), 1) << name.toStdString();
        for (int q = 1; q <= 4; ++q) {
            EXPECT_TRUE(text.contains(QuestionLine(q))) << name.toStdString() << "\n"
                                                        << text.toStdString();
            EXPECT_EQ(text.contains(ResultLine(q)), index >= 3) << name.toStdString();
        }
        ++index;
    }
    RemovePdfs(queue_.folder, pdfs);
}

TEST_F(CupsPrintTest, AFortyQuestionSheetGoesOverSeveralPagesWithNoLineLostOrRepeated) {
    const QString ref = UniqueReference("DEV1_");
    statement_.SetText(StatementRtf(40, 5));
    vorn::PrintSheetCommand(printer_, statement_, key_, ref, "1", "0");

    const std::map<int, QString> pdfs = WaitForPdfs(queue_.folder, ref, 1);
    ASSERT_EQ(pdfs.size(), 1u);
    const QString pdf = queue_.folder + "/" + pdfs.begin()->second;
    const int pages = PdfPages(pdf);
    EXPECT_GE(pages, 2);
    QString text;
    for (int page = 1; page <= pages; ++page)
        text += PdfText(pdf, page);
    qsizetype from = 0;
    for (int q = 1; q <= 40; ++q) {
        const QString line = QuestionLine(q);
        const qsizetype at = text.indexOf(line, from);
        ASSERT_GE(at, 0) << "missing or out of order: " << line.toStdString();
        EXPECT_LT(text.indexOf(line, at + line.size()), 0) << "repeated: " << line.toStdString();
        from = at + line.size();
    }
    RemovePdfs(queue_.folder, pdfs);
}

// Answers the print dialog once it is on screen.
void WhenThePrintDialogShows(bool accept, QString* shownPrinter) {
    QTimer::singleShot(0, [accept, shownPrinter] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        *shownPrinter = dialog->printer()->printerName();
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
}

TEST_F(CupsPrintTest, ThePrinterDialogKeepsTheChoiceAndACancelChangesNothing) {
    QPrinter& printer = printer_.Printer();
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageSize(QPageSize(QPageSize::A5));

    QString shown;
    WhenThePrintDialogShows(false, &shown);
    vorn::ChoosePrinterCommand(nullptr, printer_, "VN1_071542");
    EXPECT_EQ(shown, queue_.name);
    EXPECT_EQ(&printer_.Printer(), &printer);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);

    WhenThePrintDialogShows(true, &shown);
    vorn::ChoosePrinterCommand(nullptr, printer_, "VN1_071542");
    EXPECT_EQ(&printer_.Printer(), &printer);
    EXPECT_EQ(printer.printerName(), queue_.name);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(CupsPrintTest, AChosenQueueThatHasGoneCannotBeOpened) {
    if (geteuid() != 0)
        GTEST_SKIP() << "making and removing a queue needs root";
    const QString gone = "VORN_TEST_GONE";
    ASSERT_EQ(QProcess::execute("lpadmin", {"-p", gone, "-E", "-v", "file:/dev/null"}), 0);
    printer_.Printer().setPrinterName(gone);
    ASSERT_EQ(printer_.Printer().printerName(), gone);
    ASSERT_EQ(QProcess::execute("lpadmin", {"-x", gone}), 0);

    statement_.SetText(StatementRtf(2));
    std::string message = "(no error)";
    try {
        vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_071542", "3", "2");
    } catch (const vorn::UserError& error) {
        message = error.what();
    }
    EXPECT_EQ(message, "Imprimante sélectionnée incorrecte");
    EXPECT_FALSE(printer_.JobOpen());
}

// A raw queue of this test run that prints into /dev/null, removed with its
// jobs at the end of the test.
class ScratchQueue {
public:
    explicit ScratchQueue(const char* role)
        : name_(QStringLiteral("VORN_TEST_%1_%2").arg(role).arg(getpid())) {
        made_ = QProcess::execute("lpadmin", {"-p", name_, "-E", "-v", "file:/dev/null"}) == 0;
    }
    ~ScratchQueue() {
        if (made_)
            QProcess::execute("lpadmin", {"-x", name_});
    }
    ScratchQueue(const ScratchQueue&) = delete;
    ScratchQueue& operator=(const ScratchQueue&) = delete;

    bool Made() const { return made_; }
    const QString& Name() const { return name_; }
    // The jobs that wait in the queue, as lpstat lists them.
    QString WaitingJobs() const {
        QProcess lpstat;
        lpstat.start("lpstat", {"-o", name_});
        lpstat.waitForFinished(30000);
        return QString::fromUtf8(lpstat.readAllStandardOutput()).trimmed();
    }

private:
    QString name_;
    bool made_ = false;
};

// What a later run brings back: a queue chosen with "CI" while it exists, not
// the default one, and nothing once the queue has gone.
TEST_F(CupsPrintTest, AQueueChosenInAnEarlierRunComesBackWhileItExists) {
    if (geteuid() != 0)
        GTEST_SKIP() << "making and removing a queue needs root";
    EXPECT_EQ(printer_.ChosenQueue(), QString()); // the default: nothing to remember
    QString name;
    {
        ScratchQueue queue{"KEPT"};
        ASSERT_TRUE(queue.Made());
        name = queue.Name();
        ASSERT_TRUE(printer_.UseQueue(name));
        EXPECT_EQ(printer_.Printer().printerName(), name);
        EXPECT_EQ(printer_.ChosenQueue(), name);
    }
    vorn::CurrentPrinter nextRun;
    EXPECT_FALSE(nextRun.UseQueue(name));
    EXPECT_EQ(nextRun.ChosenQueue(), QString());
}

class RefusingQueueTest : public CupsPrintTest {
protected:
    void SetUp() override {
        CupsPrintTest::SetUp();
        if (IsSkipped())
            return;
        if (geteuid() != 0)
            GTEST_SKIP() << "making and removing a queue needs root";
        ASSERT_TRUE(queue.Made());
        printer_.Printer().setPrinterName(queue.Name());
        ASSERT_EQ(printer_.Printer().printerName(), queue.Name());
        statement_.SetText(StatementRtf(2));
        key_.SetText(AnswerKeyRtf(2));
    }

    std::string PrintThreeAndTwo() {
        return MessageOf(
            [&] { vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_071542", "3", "2"); });
    }
    // Prints one copy of a long statement and runs `command` while it is laid
    // out, after the queue was found open. One copy, so that no later copy's
    // own look at the queue can hide a refusal of the job itself.
    std::string PrintOneCopyWhile(const QStringList& command) {
        statement_.SetText(StatementRtf(40, 5));
        bool done = false;
        QTimer during; // dies with this call, even when it never fired
        during.setSingleShot(true);
        QObject::connect(&during, &QTimer::timeout,
                         [&] { done = QProcess::execute(command[0], command.mid(1)) == 0; });
        during.start(0);
        const std::string message = MessageOf(
            [&] { vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_071542", "1", "0"); });
        EXPECT_TRUE(done) << command.join(' ').toStdString();
        EXPECT_FALSE(printer_.JobOpen());
        return message;
    }
    std::string Refused(const char* reason) const {
        return "Impression impossible sur « " + queue.Name().toStdString() + " » : " + reason;
    }

    ScratchQueue queue{"REFUSE"};
};

TEST_F(RefusingQueueTest, AQueueThatRejectsJobsIsNamedWithTheReason) {
    ASSERT_EQ(QProcess::execute("cupsreject", {"-r", "toner vide", queue.Name()}), 0);
    EXPECT_EQ(PrintThreeAndTwo(), Refused("l'imprimante refuse les travaux (toner vide)"));
    EXPECT_FALSE(printer_.JobOpen());
}

TEST_F(RefusingQueueTest, AStoppedQueueIsReportedAndGetsNoJobToHoldBack) {
    ASSERT_EQ(QProcess::execute("cupsdisable", {queue.Name()}), 0);
    EXPECT_EQ(PrintThreeAndTwo(), Refused("l'imprimante est arrêtée"));
    EXPECT_EQ(queue.WaitingJobs(), "");
    EXPECT_FALSE(printer_.JobOpen());
}

TEST_F(RefusingQueueTest, AQueueThatStartsRejectingDuringTheJobIsReportedWhenItIsHandedOver) {
    EXPECT_EQ(PrintOneCopyWhile({"cupsreject", queue.Name()}),
              Refused("l'imprimante refuse les travaux"));
}

TEST_F(RefusingQueueTest, AQueueRemovedDuringTheJobIsReportedWhenItIsHandedOver) {
    const std::string message = PrintOneCopyWhile({"lpadmin", "-x", queue.Name()});
    const std::string start = Refused("le service d'impression n'a pas pris le travail (");
    EXPECT_EQ(message.substr(0, start.size()), start) << message;
}

TEST_F(RefusingQueueTest, AnOpenQueueTakesEveryCopyWithoutAMessage) {
    ASSERT_EQ(QProcess::execute("cupsdisable", {queue.Name()}), 0);
    ASSERT_EQ(QProcess::execute("cupsenable", {queue.Name()}), 0);
    ASSERT_EQ(QProcess::execute("cupsreject", {queue.Name()}), 0);
    ASSERT_EQ(QProcess::execute("cupsaccept", {queue.Name()}), 0);
    EXPECT_EQ(PrintThreeAndTwo(), "(no error)");
}

} // namespace
