#include "form_fixture.h"

#include "app/link_label.h"
#include "app/marker_shape.h"
#include "app/menu_button.h"
#include "app/pane_splitter.h"
#include "app/sheet_look_button.h"
#include "app/spin_edit.h"
#include "richtext/rich_text_pane.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {

using FormGeometry = FormTest;

TEST_F(FormGeometry, ClientAreaAndMinimumSize) {
    EXPECT_EQ(form->size(), QSize(794, 522));
    // 780 x 560 with the designed frame of 2 x 4 pixels and 30 + 2 x 4 pixels.
    EXPECT_EQ(form->minimumSize(), QSize(772, 522));
}

TEST_F(FormGeometry, SevenBandsFromTopToBottom) {
    EXPECT_EQ(form->titleBar->geometry(), QRect(0, 0, 794, 49));
    EXPECT_EQ(form->statementPane->geometry(), QRect(0, 49, 794, 166));
    EXPECT_EQ(form->paneSplitter->geometry(), QRect(0, 215, 794, 3));
    EXPECT_EQ(form->exerciseBar->geometry(), QRect(0, 218, 794, 57));
    EXPECT_EQ(form->answerKeyPane->geometry(), QRect(0, 275, 794, 184));
    EXPECT_EQ(form->publisherLink->geometry(), QRect(0, 459, 794, 16));
    EXPECT_EQ(form->commandBar->geometry(), QRect(0, 475, 794, 47));
    EXPECT_EQ(form->paneSplitter->cursor().shape(), Qt::SizeVerCursor);
}

TEST_F(FormGeometry, ControlsAtTheirDesignedPlaces) {
    EXPECT_EQ(form->referenceEdit->geometry(), QRect(3, 5, 102, 22));
    EXPECT_EQ(form->titleEdit->geometry(), QRect(108, 4, 681, 24));
    EXPECT_EQ(form->editModeCheck->geometry(), QRect(5, 29, 83, 17));
    EXPECT_EQ(form->questionCountLabel->pos(), QPoint(11, 4));
    EXPECT_EQ(form->questionCountSpin->geometry(), QRect(18, 23, 49, 26));
    EXPECT_EQ(form->valueDegree1Button->geometry(), QRect(91, 8, 112, 42));
    EXPECT_EQ(form->identitiesButton->geometry(), QRect(610, 8, 154, 42));
    EXPECT_EQ(form->separatorSpin->geometry(), QRect(22, 18, 56, 26));
    EXPECT_EQ(form->saveButton->geometry(), QRect(194, 5, 91, 38));
    EXPECT_EQ(form->websiteButton->geometry(), QRect(340, 5, 40, 38));
    EXPECT_EQ(form->choosePrinterButton->geometry(), QRect(502, 5, 38, 38));
    EXPECT_EQ(form->statementCopiesLabel->pos(), QPoint(588, 16));
    EXPECT_EQ(form->statementCopiesSpin->geometry(), QRect(630, 11, 42, 26));
    EXPECT_EQ(form->answerKeyCopiesSpin->geometry(), QRect(728, 11, 42, 26));
    EXPECT_EQ(form->settingsChangedMarker->geometry(), QRect(776, 16, 13, 17));
}

TEST_F(FormGeometry, WideningStretchesTheTitleAndMovesTheRightGroup) {
    form->resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(form->titleEdit->geometry(), QRect(108, 4, 887, 24));
    EXPECT_EQ(form->choosePrinterButton->pos(), QPoint(708, 5));
    EXPECT_EQ(form->statementCopiesLabel->pos(), QPoint(794, 16));
    EXPECT_EQ(form->statementCopiesSpin->pos(), QPoint(836, 11));
    EXPECT_EQ(form->answerKeyCopiesSpin->pos(), QPoint(934, 11));
    EXPECT_EQ(form->settingsChangedMarker->pos(), QPoint(982, 16));
    // Left-anchored controls stay put.
    EXPECT_EQ(form->printButton->pos(), QPoint(390, 5));
    EXPECT_EQ(form->separatorSpin->pos(), QPoint(22, 18));
    EXPECT_EQ(form->identitiesButton->pos(), QPoint(610, 8));
    EXPECT_EQ(form->referenceEdit->geometry(), QRect(3, 5, 102, 22));
    // The 178 extra pixels go to both panes, as 166 to 184: 84 and 94.
    EXPECT_EQ(form->statementPane->geometry(), QRect(0, 49, 1000, 250));
    EXPECT_EQ(form->answerKeyPane->geometry(), QRect(0, 359, 1000, 278));
    EXPECT_EQ(form->publisherLink->geometry(), QRect(0, 637, 1000, 16));
    EXPECT_EQ(form->commandBar->geometry(), QRect(0, 653, 1000, 47));

    form->resize(772, 522); // the smallest the window allows
    EXPECT_EQ(form->titleEdit->width(), 659);
    EXPECT_EQ(form->settingsChangedMarker->pos(), QPoint(754, 16));
    EXPECT_EQ(form->statementPane->height(), 166); // the designed height again
}

TEST_F(FormGeometry, SplitterNeverMakesTheStatementLowerThan50) {
    // The mouse moves in window coordinates while the bar follows it.
    PaneSplitter* bar = form->paneSplitter;
    auto drag = [&](int dy) {
        const QPoint start = bar->pos() + QPoint(300, 1);
        auto at = [&](int offset) { return start + QPoint(0, offset) - bar->pos(); };
        QTest::mousePress(bar, Qt::LeftButton, {}, at(0));
        QTest::mouseMove(bar, at(dy / 2));
        QTest::mouseMove(bar, at(dy));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, at(dy));
        QApplication::processEvents();
    };
    drag(40);
    EXPECT_EQ(form->statementPaneHeight(), 206);
    EXPECT_EQ(form->paneSplitter->y(), 49 + 206);
    EXPECT_EQ(form->exerciseBar->y(), 49 + 206 + 3);
    drag(-1000);
    EXPECT_EQ(form->statementPaneHeight(), 50);
    EXPECT_EQ(form->answerKeyPane->height(), 522 - 49 - 50 - 3 - 57 - 63);
    drag(5000); // the other bands keep their room
    EXPECT_EQ(form->statementPaneHeight(), 522 - 172);
    EXPECT_EQ(form->answerKeyPane->height(), 0);

    form->setStatementPaneHeight(10);
    EXPECT_EQ(form->statementPaneHeight(), 50);
    form->setStatementPaneHeight(166);
    EXPECT_EQ(form->statementPane->geometry(), QRect(0, 49, 794, 166));
}

TEST_F(FormGeometry, FirstFocusAndTabOrder) {
    EXPECT_EQ(QApplication::focusWidget(), form->questionCountSpin->Editor());
    auto focused = [] {
        QWidget* w = QApplication::focusWidget();
        if (w && qobject_cast<SpinEdit*>(w->parentWidget()))
            return w->parentWidget();
        return w;
    };
    const std::vector<QWidget*> expected = {
        form->sheetLookButton,     form->valueDegree1Button,  form->valueDegree2Button,
        form->expansion1Button,    form->expansion2Button,    form->identitiesButton,
        form->familiesMenuButton,  form->referenceEdit,       form->titleEdit,
        form->editModeCheck,       form->statementPane,
        form->answerKeyPane, // disabled Save and Print are skipped
        form->statementCopiesSpin, form->answerKeyCopiesSpin, form->mailButton,
        form->websiteButton,       form->separatorSpin,       form->spacingSpin,
        form->choosePrinterButton, // Preview disabled
        form->questionCountSpin};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(focused(), next) << next->objectName().toStdString() << " expected, got "
                                   << (focused() ? focused()->metaObject()->className() : "none");
    }
}

TEST_F(FormGeometry, DesignedTextsAndStates) {
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("VORN 1.4 - Feuilles d'exercices d'algèbre"));
    const QString title = form->titleEdit->text();
    // A first start restores the title trimmed, which loses its trailing
    // space and so shows the settings-changed marker.
    EXPECT_EQ(title.size(), 77);
    EXPECT_EQ(title, QString::fromUtf8("Calculer (en détaillant)           Nom :"
                                       "                             Prénom :"));
    EXPECT_TRUE(form->referenceEdit->isReadOnly());
    EXPECT_TRUE(form->referenceEdit->text().isEmpty());
    EXPECT_FALSE(form->editModeCheck->isChecked());
    EXPECT_EQ(form->statementPane->GetText(), " ");
    EXPECT_EQ(form->answerKeyPane->GetText(), " ");
    EXPECT_TRUE(form->statementPane->IsReadOnly());
    EXPECT_TRUE(form->answerKeyPane->IsReadOnly());
    EXPECT_FALSE(form->saveButton->isEnabled());
    EXPECT_FALSE(form->printButton->isEnabled());
    EXPECT_FALSE(form->previewButton->isEnabled());
    EXPECT_TRUE(form->choosePrinterButton->isEnabled());
    EXPECT_TRUE(form->settingsChangedMarker->isVisible());
    EXPECT_FALSE(form->waitPanel->isVisible());
    EXPECT_FALSE(form->previewBox->isVisible());

    struct Spin {
        SpinEdit* edit;
        const char* text;
        int min, max, length;
    };
    for (const Spin& s :
         {Spin{form->questionCountSpin, "20", 1, 40, 2}, Spin{form->separatorSpin, "120", 0, 0, 0},
          Spin{form->spacingSpin, "1", 0, 5, 0}, Spin{form->statementCopiesSpin, "1", 0, 99, 2},
          Spin{form->answerKeyCopiesSpin, "0", 0, 99, 2}}) {
        EXPECT_EQ(s.edit->Text(), s.text);
        EXPECT_EQ(s.edit->MinValue(), s.min);
        EXPECT_EQ(s.edit->MaxValue(), s.max);
        EXPECT_EQ(s.edit->MaxLength(), s.length);
        EXPECT_EQ(s.edit->PopupMenu(), form->spinContextMenu);
    }
    EXPECT_TRUE(form->spinContextMenu->actions().isEmpty());

    EXPECT_EQ(form->valueDegree1Button->text(), QString::fromUtf8("VN degré 1"));
    EXPECT_EQ(form->valueDegree2Button->toolTip(), QString::fromUtf8("Valeur numérique 2 ° degré"));
    // The designed hint, followed by the keyboard shortcuts.
    EXPECT_TRUE(
        form->previewButton->toolTip().startsWith(QString::fromUtf8("Aperçu avant impression (")));
    EXPECT_EQ(form->separatorSpin->toolTip(),
              QString::fromUtf8("Nombre de caractères pour la ligne de séparation"));
    EXPECT_EQ(form->mailButton->toolTip(), "Contact mail");
    EXPECT_TRUE(form->settingsChangedMarker->toolTip().contains("nombre de questions"));
    EXPECT_EQ(form->mailButton->iconSize(), QSize(32, 32));
    EXPECT_FALSE(form->mailButton->icon().isNull());
    EXPECT_FALSE(form->websiteButton->icon().isNull());
    EXPECT_FALSE(form->windowIcon().isNull());
    EXPECT_EQ(form->publisherLink->text(),
              QString::fromUtf8("Consultez les ouvrages de mathématiques des Editions "
                                "KESTRIN-OLDAVE"));
}

TEST_F(FormGeometry, FontsAndColours) {
    EXPECT_EQ(form->font().family(), "Arial");
    EXPECT_EQ(form->font().pixelSize(), 13);
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(236, 233, 216));
    EXPECT_EQ(form->referenceEdit->font().pixelSize(), 11);
    EXPECT_EQ(form->referenceEdit->palette().color(QPalette::Base), QColor(236, 233, 216));
    EXPECT_EQ(form->publisherLink->font().family(), "MS Sans Serif");
    EXPECT_EQ(form->publisherLink->font().pixelSize(), 13);
    EXPECT_EQ(form->publisherLink->palette().color(QPalette::Window), QColor(255, 128, 0));
    EXPECT_EQ(form->publisherLink->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_EQ(form->publisherLink->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(form->publisherLink->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(form->settingsChangedMarker->Colour(), QColor(Qt::red));

    EXPECT_EQ(form->waitPanel->size(), QSize(505, 217));
    EXPECT_EQ(form->waitPanel->palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_EQ(form->waitPanelFrame->geometry(), QRect(16, 16, 473, 185));
    EXPECT_EQ(form->waitPanelFrame->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(form->waitMessage->font().pixelSize(), 19);
    EXPECT_EQ(form->waitMessage->geometry(), QRect(40, 72, 385, 44));
    EXPECT_EQ(form->waitMessage->text(), QString::fromUtf8("Veuillez patienter, svp, pendant la "
                                                           "sauvegarde\n        des paramètres de "
                                                           "configuration..."));
}

TEST_F(FormGeometry, CreationSteps) {
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    EXPECT_EQ(form->settingsFileName(), exe.absolutePath() + "/" + exe.fileName() + ".ini");

    // Seeded from the UTC time of day in milliseconds, no draw made yet.
    auto msOfDay = [] {
        const QTime t = QDateTime::currentDateTimeUtc().time();
        return static_cast<std::uint32_t>(((t.hour() * 60 + t.minute()) * 60 + t.second()) * 1000 +
                                          t.msec());
    };
    const std::uint32_t before = msOfDay();
    MainWindow other;
    const std::uint32_t after = msOfDay();
    if (after >= before) { // not across midnight
        EXPECT_GE(other.state.Random.State(), before);
        EXPECT_LE(other.state.Random.State(), after);
    }
    EXPECT_TRUE(other.state.SheetReference.empty());
    EXPECT_FALSE(other.state.EditMode);
}

} // namespace
