#include "form_fixture.h"

#include "app/link_label.h"
#include "app/shape.h"
#include "app/spin_edit.h"
#include "app/splitter.h"
#include "richtext/trx_rich_edit.h"

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
    EXPECT_EQ(form->Panel4->geometry(), QRect(0, 0, 794, 49));
    EXPECT_EQ(form->RxRichEdit1->geometry(), QRect(0, 49, 794, 166));
    EXPECT_EQ(form->Splitter1->geometry(), QRect(0, 215, 794, 3));
    EXPECT_EQ(form->Panel3->geometry(), QRect(0, 218, 794, 57));
    EXPECT_EQ(form->RxRichEdit2->geometry(), QRect(0, 275, 794, 184));
    EXPECT_EQ(form->Label9->geometry(), QRect(0, 459, 794, 16));
    EXPECT_EQ(form->Panel1->geometry(), QRect(0, 475, 794, 47));
    EXPECT_EQ(form->Splitter1->cursor().shape(), Qt::SizeVerCursor);
}

TEST_F(FormGeometry, ControlsAtTheirDesignedPlaces) {
    EXPECT_EQ(form->edtRef->geometry(), QRect(3, 5, 102, 22));
    EXPECT_EQ(form->edtTitre->geometry(), QRect(108, 4, 681, 24));
    EXPECT_EQ(form->ckbEdite->geometry(), QRect(5, 29, 83, 17));
    EXPECT_EQ(form->Label1->pos(), QPoint(11, 4));
    EXPECT_EQ(form->spedtQuestions->geometry(), QRect(18, 23, 49, 26));
    EXPECT_EQ(form->btnVNdeg1->geometry(), QRect(91, 8, 112, 42));
    EXPECT_EQ(form->btn_ident->geometry(), QRect(610, 8, 154, 42));
    EXPECT_EQ(form->spSepar->geometry(), QRect(22, 18, 56, 26));
    EXPECT_EQ(form->btnEnregistre->geometry(), QRect(194, 5, 91, 38));
    EXPECT_EQ(form->BitBtn2->geometry(), QRect(340, 5, 40, 38));
    EXPECT_EQ(form->btnChoixImp->geometry(), QRect(502, 5, 38, 38));
    EXPECT_EQ(form->Label3->pos(), QPoint(588, 16));
    EXPECT_EQ(form->spedtSujets->geometry(), QRect(630, 11, 42, 26));
    EXPECT_EQ(form->spedtCorriges->geometry(), QRect(728, 11, 42, 26));
    EXPECT_EQ(form->Shape1->geometry(), QRect(776, 16, 13, 17));
}

TEST_F(FormGeometry, WideningStretchesTheTitleAndMovesTheRightGroup) {
    form->resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(form->edtTitre->geometry(), QRect(108, 4, 887, 24));
    EXPECT_EQ(form->btnChoixImp->pos(), QPoint(708, 5));
    EXPECT_EQ(form->Label3->pos(), QPoint(794, 16));
    EXPECT_EQ(form->spedtSujets->pos(), QPoint(836, 11));
    EXPECT_EQ(form->spedtCorriges->pos(), QPoint(934, 11));
    EXPECT_EQ(form->Shape1->pos(), QPoint(982, 16));
    // Left-anchored controls stay put.
    EXPECT_EQ(form->btnImprime->pos(), QPoint(390, 5));
    EXPECT_EQ(form->spSepar->pos(), QPoint(22, 18));
    EXPECT_EQ(form->btn_ident->pos(), QPoint(610, 8));
    EXPECT_EQ(form->edtRef->geometry(), QRect(3, 5, 102, 22));
    // The statement keeps its height; the answer key takes the rest.
    EXPECT_EQ(form->RxRichEdit1->geometry(), QRect(0, 49, 1000, 166));
    EXPECT_EQ(form->RxRichEdit2->geometry(), QRect(0, 275, 1000, 700 - 275 - 63));
    EXPECT_EQ(form->Label9->geometry(), QRect(0, 637, 1000, 16));
    EXPECT_EQ(form->Panel1->geometry(), QRect(0, 653, 1000, 47));

    form->resize(772, 522); // the smallest the window allows
    EXPECT_EQ(form->edtTitre->width(), 659);
    EXPECT_EQ(form->Shape1->pos(), QPoint(754, 16));
}

TEST_F(FormGeometry, SplitterNeverMakesTheStatementLowerThan50) {
    // The mouse moves in window coordinates while the bar follows it.
    TSplitter* bar = form->Splitter1;
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
    EXPECT_EQ(form->RxRichEdit1Height(), 206);
    EXPECT_EQ(form->Splitter1->y(), 49 + 206);
    EXPECT_EQ(form->Panel3->y(), 49 + 206 + 3);
    drag(-1000);
    EXPECT_EQ(form->RxRichEdit1Height(), 50);
    EXPECT_EQ(form->RxRichEdit2->height(), 522 - 49 - 50 - 3 - 57 - 63);
    drag(5000); // the other bands keep their room
    EXPECT_EQ(form->RxRichEdit1Height(), 522 - 172);
    EXPECT_EQ(form->RxRichEdit2->height(), 0);

    form->SetRxRichEdit1Height(10);
    EXPECT_EQ(form->RxRichEdit1Height(), 50);
    form->SetRxRichEdit1Height(166);
    EXPECT_EQ(form->RxRichEdit1->geometry(), QRect(0, 49, 794, 166));
}

TEST_F(FormGeometry, FirstFocusAndTabOrder) {
    EXPECT_EQ(QApplication::focusWidget(), form->spedtQuestions->Editor());
    auto focused = [] {
        QWidget* w = QApplication::focusWidget();
        if (w && qobject_cast<TSpinEdit*>(w->parentWidget()))
            return w->parentWidget();
        return w;
    };
    const std::vector<QWidget*> expected = {
        form->btnVNdeg1,     form->btnVNdeg2,     form->btnDev1,     form->btnDev2,
        form->btn_ident,     form->edtRef,        form->edtTitre,    form->ckbEdite,
        form->RxRichEdit1,   form->RxRichEdit2, // disabled Save and Print are skipped
        form->spedtSujets,   form->spedtCorriges, form->BitBtn1,     form->BitBtn2,
        form->spSepar,       form->spInterL,      form->btnChoixImp, // Preview disabled
        form->spedtQuestions};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(focused(), next) << next->objectName().toStdString() << " expected, got "
                                   << (focused() ? focused()->metaObject()->className() : "none");
    }
}

TEST_F(FormGeometry, DesignedTextsAndStates) {
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("VORN 1.4 - Feuilles d'exercices d'algèbre"));
    const QString title = form->edtTitre->text();
    // A first start restores the title trimmed, which loses its trailing
    // space and so shows the settings-changed marker.
    EXPECT_EQ(title.size(), 77);
    EXPECT_EQ(title, QString::fromUtf8("Calculer (en détaillant)           Nom :"
                                       "                             Prénom :"));
    EXPECT_TRUE(form->edtRef->isReadOnly());
    EXPECT_TRUE(form->edtRef->text().isEmpty());
    EXPECT_FALSE(form->ckbEdite->isChecked());
    EXPECT_EQ(form->RxRichEdit1->GetText(), " ");
    EXPECT_EQ(form->RxRichEdit2->GetText(), " ");
    EXPECT_TRUE(form->RxRichEdit1->IsReadOnly());
    EXPECT_TRUE(form->RxRichEdit2->IsReadOnly());
    EXPECT_FALSE(form->btnEnregistre->isEnabled());
    EXPECT_FALSE(form->btnImprime->isEnabled());
    EXPECT_FALSE(form->btnApercu->isEnabled());
    EXPECT_TRUE(form->btnChoixImp->isEnabled());
    EXPECT_TRUE(form->Shape1->isVisible());
    EXPECT_FALSE(form->Panel2->isVisible());
    EXPECT_FALSE(form->ScrollBox1->isVisible());

    struct Spin {
        TSpinEdit* edit;
        const char* text;
        int min, max, length;
    };
    for (const Spin& s :
         {Spin{form->spedtQuestions, "20", 1, 40, 2}, Spin{form->spSepar, "120", 0, 0, 0},
          Spin{form->spInterL, "1", 0, 5, 0}, Spin{form->spedtSujets, "1", 0, 99, 2},
          Spin{form->spedtCorriges, "0", 0, 99, 2}}) {
        EXPECT_EQ(s.edit->Text(), s.text);
        EXPECT_EQ(s.edit->MinValue(), s.min);
        EXPECT_EQ(s.edit->MaxValue(), s.max);
        EXPECT_EQ(s.edit->MaxLength(), s.length);
        EXPECT_EQ(s.edit->PopupMenu(), form->PopupMenu1);
    }
    EXPECT_TRUE(form->PopupMenu1->actions().isEmpty());

    EXPECT_EQ(form->btnVNdeg1->text(), QString::fromUtf8("VN degré 1"));
    EXPECT_EQ(form->btnVNdeg2->toolTip(), QString::fromUtf8("Valeur numérique 2 ° degré"));
    EXPECT_EQ(form->btnApercu->toolTip(), QString::fromUtf8("Aperçu avant impression"));
    EXPECT_EQ(form->spSepar->toolTip(),
              QString::fromUtf8("Nombre de caractères pour la ligne de séparation"));
    EXPECT_EQ(form->BitBtn1->toolTip(), "Contact mail");
    EXPECT_EQ(form->BitBtn1->iconSize(), QSize(32, 32));
    EXPECT_FALSE(form->BitBtn1->icon().isNull());
    EXPECT_FALSE(form->BitBtn2->icon().isNull());
    EXPECT_FALSE(form->windowIcon().isNull());
    EXPECT_EQ(form->Label9->text(),
              QString::fromUtf8("Consultez les ouvrages de mathématiques des Editions "
                                "KESTRIN-OLDAVE"));
}

TEST_F(FormGeometry, FontsAndColours) {
    EXPECT_EQ(form->font().family(), "Arial");
    EXPECT_EQ(form->font().pixelSize(), 13);
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(236, 233, 216));
    EXPECT_EQ(form->edtRef->font().pixelSize(), 11);
    EXPECT_EQ(form->edtRef->palette().color(QPalette::Base), QColor(236, 233, 216));
    EXPECT_EQ(form->Label9->font().family(), "MS Sans Serif");
    EXPECT_EQ(form->Label9->font().pixelSize(), 13);
    EXPECT_EQ(form->Label9->palette().color(QPalette::Window), QColor(255, 128, 0));
    EXPECT_EQ(form->Label9->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_EQ(form->Label9->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(form->Label9->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(form->Shape1->Colour(), QColor(Qt::red));

    EXPECT_EQ(form->Panel2->size(), QSize(505, 217));
    EXPECT_EQ(form->Panel2->palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_EQ(form->Panel5->geometry(), QRect(16, 16, 473, 185));
    EXPECT_EQ(form->Panel5->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(form->Label6->font().pixelSize(), 19);
    EXPECT_EQ(form->Label6->geometry(), QRect(40, 72, 385, 44));
    EXPECT_EQ(form->Label6->text(), QString::fromUtf8("Veuillez patienter, svp, pendant la "
                                                      "sauvegarde\n        des paramètres de "
                                                      "configuration..."));
}

TEST_F(FormGeometry, CreationSteps) {
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    EXPECT_EQ(form->SettingsFileName(), exe.absolutePath() + "/" + exe.fileName() + ".ini");

    // Seeded from the UTC time of day in milliseconds, no draw made yet.
    auto msOfDay = [] {
        const QTime t = QDateTime::currentDateTimeUtc().time();
        return static_cast<std::uint32_t>(((t.hour() * 60 + t.minute()) * 60 + t.second()) * 1000 +
                                          t.msec());
    };
    const std::uint32_t before = msOfDay();
    TForm1 other;
    const std::uint32_t after = msOfDay();
    if (after >= before) { // not across midnight
        EXPECT_GE(other.State.Random.State(), before);
        EXPECT_LE(other.State.Random.State(), after);
    }
    EXPECT_TRUE(other.State.SheetReference.empty());
    EXPECT_FALSE(other.State.EditMode);
}

} // namespace
