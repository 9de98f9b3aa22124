// A click on "Imprimer" that comes in while a print command runs, delivered
// the way the window system delivers it: queued, and held back while the jobs
// are laid out.
#include "form_fixture.h"

#include "app/spin_edit.h"
#include "richtext/rich_text_pane.h"
#include "tests/support/watchdog.h"

#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

#include <chrono>
#include <thread>
#include <utility>

namespace {

// Queues a left click on `button` as the window system would, to be
// delivered by a later turn of the event loop.
void QueueClick(QWidget* button) {
    QWindow* window = button->window()->windowHandle();
    const QPoint local = button->mapTo(button->window(), button->rect().center());
    const QPoint global = button->mapToGlobal(button->rect().center());
    QWindowSystemInterface::handleMouseEvent(window, local, global, Qt::LeftButton, Qt::LeftButton,
                                             QEvent::MouseButtonPress);
    QWindowSystemInterface::handleMouseEvent(window, local, global, Qt::NoButton, Qt::LeftButton,
                                             QEvent::MouseButtonRelease);
}

TEST_F(FormTest, TheSecondPressOfADoubleClickDuringAPrintIsOneWithTheFirst) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QDir out(folder.path());
    form->state.Printer.PrintToFile(out.filePath("choix.pdf"));
    form->valueDegree1Button->click();
    form->statementCopiesSpin->SetValue(3);
    form->answerKeyCopiesSpin->SetValue(0);

    // The second press of a double click, made as the print starts: it is read
    // only while the command still runs.
    bool queued = false;
    form->beforePrint = [&] {
        if (!std::exchange(queued, true))
            QueueClick(form->printButton);
    };
    QStringList messages;
    QTimer boxes;
    QObject::connect(&boxes, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messages << box->text();
            box->accept();
        }
    });
    boxes.start(20);

    QueueClick(form->printButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return out.entryList(QDir::Files).size() == 3; }, 20000));
    EXPECT_TRUE(queued);

    // Whatever is still pending now would come after the command: no second
    // batch may write the files again.
    for (const QString& name : out.entryList(QDir::Files))
        ASSERT_TRUE(out.remove(name));
    QTest::qWait(300);
    EXPECT_EQ(out.entryList(QDir::Files), QStringList());
    EXPECT_EQ(messages, QStringList());

    // Once the command is over, "Imprimer" prints again.
    QTest::qWait(QApplication::doubleClickInterval());
    form->printButton->click();
    EXPECT_EQ(out.entryList(QDir::Files).size(), 3);
}

// Two clicks 200 to 300 ms apart, the second before, while or after the
// command runs: one batch. A press after the double-click time prints again.
TEST_F(FormTest, AHurriedDoubleClickPrintsOneBatch) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QDir out(folder.path());
    form->state.Printer.PrintToFile(out.filePath("choix.pdf"));
    form->generateSheet({&vorn::FamilyNamed("vn1")});
    form->statementCopiesSpin->SetValue(3);
    form->answerKeyCopiesSpin->SetValue(0);
    QTimer boxes;
    QObject::connect(&boxes, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
    boxes.start(20);
    const int settle = QApplication::doubleClickInterval() + 300;
    const auto clear = [&] {
        for (const QString& name : out.entryList(QDir::Files))
            ASSERT_TRUE(out.remove(name));
    };

    for (const int gap : {200, 250, 300}) {
        clear();
        QueueClick(form->printButton);
        QTimer::singleShot(gap, [&] { QueueClick(form->printButton); });
        QTest::qWait(gap + settle);
        EXPECT_EQ(out.entryList(QDir::Files).size(), 3) << gap << " ms apart";
    }

    // A press made after the double-click time prints again.
    clear();
    QueueClick(form->printButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return out.entryList(QDir::Files).size() == 3; }, 20000));
    QTest::qWait(settle);
    QueueClick(form->printButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return out.entryList(QDir::Files).size() == 6; }, 20000));
}

// The same on a real X display, the clicks made through the X server (as a
// mouse makes them), with a quick print and with one slower than the
// double-click time: one batch and no box for a double click; a press made
// once the first batch is out prints again.
TEST_F(FormTest, ADoubleClickOnTheRealDisplayPrintsOnce) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs a real X display (app_print_double_click_x11_test)";
    const Watchdog watchdog(std::chrono::seconds(240), "clicks on the X display");
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QDir out(folder.path());
    form->state.Printer.PrintToFile(out.filePath("choix.pdf"));
    form->generateSheet({&vorn::FamilyNamed("vn1")});
    form->statementCopiesSpin->SetValue(3);
    form->answerKeyCopiesSpin->SetValue(0);
    QStringList messages;
    QTimer boxes;
    QObject::connect(&boxes, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messages << box->text();
            box->accept();
        }
    });
    boxes.start(20);
    const QPoint at = form->printButton->mapToGlobal(QPoint(20, form->printButton->height() / 2));
    const auto click = [&](const QStringList& more) {
        QProcess xdotool;
        xdotool.start("xdotool", QStringList{"mousemove", "--sync", QString::number(at.x()),
                                             QString::number(at.y()), "click"} +
                                     more + QStringList{"1"});
        // The window must keep reading its events while the clicks are made.
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return xdotool.state() == QProcess::NotRunning; }, 20000));
        ASSERT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().toStdString();
    };
    const int settle = QApplication::doubleClickInterval() + 1000;
    for (const int slowMs : {0, QApplication::doubleClickInterval() + 500}) {
        SCOPED_TRACE(slowMs);
        for (const QString& name : out.entryList(QDir::Files))
            ASSERT_TRUE(out.remove(name));
        messages.clear();
        form->beforePrint = [slowMs] {
            std::this_thread::sleep_for(std::chrono::milliseconds(slowMs));
        };
        for (const int gap : {150, 250}) {
            const qsizetype expected = gap == 150 ? 3 : 6;
            click({"--repeat", "2", "--delay", QString::number(gap)});
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return out.entryList(QDir::Files).size() >= expected; }, 20000));
            // A second batch would start once the first is out.
            QTest::qWait(slowMs + settle);
            EXPECT_EQ(out.entryList(QDir::Files).size(), expected);
        }
        EXPECT_EQ(messages, QStringList());
        click({});
        EXPECT_TRUE(QTest::qWaitFor([&] { return out.entryList(QDir::Files).size() >= 9; }, 20000));
        QTest::qWait(slowMs + settle);
        EXPECT_EQ(out.entryList(QDir::Files).size(), 9);
    }
}

} // namespace
