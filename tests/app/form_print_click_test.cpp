// A click on "Imprimer" that comes in while a print command runs, delivered
// the way the window system delivers it: queued, and held back while the jobs
// are laid out.
#include "form_fixture.h"

#include "app/spin_edit.h"
#include "richtext/rich_text_pane.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

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

TEST_F(FormTest, AClickOnImprimerDuringAPrintIsRefusedAndNeverPrintsASecondBatch) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QDir out(folder.path());
    form->state.Printer.PrintToFile(out.filePath("choix.pdf"));
    form->valueDegree1Button->click();
    form->statementCopiesSpin->SetValue(3);
    form->answerKeyCopiesSpin->SetValue(0);

    // The second click of a double click, made while the first copy is laid out.
    bool queued = false;
    QTimer during;
    during.setSingleShot(true);
    QObject::connect(&during, &QTimer::timeout, [&] {
        QueueClick(form->printButton);
        queued = true;
    });
    during.start(0);
    QStringList messages;
    QTimer boxes;
    QObject::connect(&boxes, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messages << box->text();
            box->accept();
        }
    });
    boxes.start(20);

    form->printButton->click();
    ASSERT_TRUE(queued);
    EXPECT_EQ(out.entryList(QDir::Files).size(), 3);

    // Whatever is still pending now would come after the command: no second
    // batch may write the files again.
    for (const QString& name : out.entryList(QDir::Files))
        ASSERT_TRUE(out.remove(name));
    QTest::qWait(300);
    EXPECT_EQ(out.entryList(QDir::Files), QStringList());
    EXPECT_EQ(messages, QStringList({"Impression en cours"}));

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

    // The second click comes once the first command is surely over.
    clear();
    QueueClick(form->printButton);
    QTRY_COMPARE(out.entryList(QDir::Files).size(), 3);
    QTest::qWait(200);
    clear();
    QueueClick(form->printButton);
    QTest::qWait(settle);
    EXPECT_EQ(out.entryList(QDir::Files), QStringList());

    QueueClick(form->printButton);
    QTRY_COMPARE(out.entryList(QDir::Files).size(), 3);
}

} // namespace
