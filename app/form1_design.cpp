// Builds the main window's controls with their designed values.
#include "app/form1.h"

#include "output/preview_box.h"

#include "app/form_layout.h"
#include "app/link_label.h"
#include "app/shape.h"
#include "app/spin_edit.h"
#include "app/splitter.h"
#include "richtext/trx_rich_edit.h"

#include <QCheckBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace {

QFont ArialPixels(int pixels) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    return font;
}

QFrame* MakePanel(QWidget* parent, bool raisedBevel) {
    auto* panel = new QFrame(parent);
    if (raisedBevel) {
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Raised);
        panel->setLineWidth(1);
    }
    return panel;
}

QFrame* MakeColouredPanel(QWidget* parent, const QColor& colour) {
    QFrame* panel = MakePanel(parent, false);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, colour);
    panel->setPalette(pal);
    panel->setAutoFillBackground(true);
    return panel;
}

QPushButton* MakeButton(QWidget* parent, const QString& caption, const QString& hint,
                        const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setToolTip(hint);
    button->setGeometry(geometry);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const QString& caption, int left, int top) {
    auto* label = new QLabel(caption, parent);
    label->adjustSize();
    label->move(left, top);
    return label;
}

TSpinEdit* MakeSpinEdit(QWidget* parent, QMenu* menu, const QString& hint, const QRect& geometry,
                        int value, int minValue, int maxValue, int maxLength) {
    auto* spin = new TSpinEdit(parent);
    spin->setToolTip(hint);
    spin->SetRange(minValue, maxValue);
    spin->SetMaxLength(maxLength);
    spin->SetValue(value);
    spin->SetPopupMenu(menu);
    spin->setGeometry(geometry);
    return spin;
}

} // namespace

void TForm1::CreateTitleBar() {
    Panel4 = MakePanel(this, true);

    edtRef = new QLineEdit(Panel4);
    edtRef->setReadOnly(true);
    edtRef->setFont(ArialPixels(11));
    QPalette refPalette = edtRef->palette();
    refPalette.setColor(QPalette::Base, vorn::kButtonFace);
    edtRef->setPalette(refPalette);
    edtRef->setGeometry(3, 5, 102, 22);

    edtTitre = new QLineEdit(Panel4);
    edtTitre->setText(QStringLiteral("Calculer (en détaillant)") + QString(11, QLatin1Char(' ')) +
                      QStringLiteral("Nom :") + QString(29, QLatin1Char(' ')) +
                      QStringLiteral("Prénom : "));
    edtTitre->setCursorPosition(0);
    edtTitre->setToolTip(QStringLiteral("Titre (à modifier éventuellement)"));
    edtTitre->setGeometry(108, 4, 681, 24);

    ckbEdite = new QCheckBox(QStringLiteral("Edite"), Panel4);
    ckbEdite->setToolTip(QStringLiteral("Possibilité d'écrire, modifier sujet/corrigé"));
    ckbEdite->setGeometry(5, 29, 83, 17);
}

void TForm1::CreatePanes() {
    for (TRxRichEdit** pane : {&RxRichEdit1, &RxRichEdit2}) {
        *pane = new TRxRichEdit(this);
        // The designed content is loaded before any handler is connected, so
        // the output commands start disabled.
        (*pane)->SetText(QByteArray(" "));
        (*pane)->SetReadOnly(true);
        (*pane)->SetWantTabs(false);
    }
    RxRichEdit2->viewport()->setMouseTracking(true);
    Splitter1 = new TSplitter(this);
}

void TForm1::CreateExerciseBar() {
    Panel3 = MakePanel(this, true);
    Label1 = MakeLabel(Panel3, QStringLiteral("Questions"), 11, 4);
    Label1->setToolTip(QStringLiteral("Nombre de questions posées"));
    spedtQuestions = MakeSpinEdit(Panel3, PopupMenu1, QString(), QRect(18, 23, 49, 26), 20, 1,
                                  vorn::kMaxQuestionCount, 2);
    btnVNdeg1 = MakeButton(Panel3, QStringLiteral("VN degré 1"),
                           QStringLiteral("Valeur numérique 1° degré"), QRect(91, 8, 112, 42));
    btnVNdeg2 = MakeButton(Panel3, QStringLiteral("VN deg 2"),
                           QStringLiteral("Valeur numérique 2 ° degré"), QRect(214, 8, 112, 42));
    btnDev1 =
        MakeButton(Panel3, QStringLiteral("Développement I"), QString(), QRect(353, 8, 118, 42));
    btnDev2 =
        MakeButton(Panel3, QStringLiteral("Développement II"), QString(), QRect(482, 8, 118, 42));
    btn_ident = MakeButton(Panel3, QStringLiteral("Développement identités"), QString(),
                           QRect(610, 8, 154, 42));
}

void TForm1::CreateCommandBar() {
    Label9 = new TLinkLabel(
        QStringLiteral("Consultez les ouvrages de mathématiques des Editions KESTRIN-OLDAVE"),
        this);
    Label9->setAlignment(Qt::AlignCenter);
    QFont linkFont(QStringLiteral("MS Sans Serif"));
    linkFont.setPixelSize(13);
    Label9->setFont(linkFont);
    QPalette linkPalette = Label9->palette();
    linkPalette.setColor(QPalette::Window, QColor(255, 128, 0));
    linkPalette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    Label9->setPalette(linkPalette);
    Label9->setAutoFillBackground(true);

    Panel1 = MakePanel(this, false);
    Panel1->setMouseTracking(true);
    Label5 = MakeLabel(Panel1, QStringLiteral("Car. séparation"), 4, 1);
    spSepar = MakeSpinEdit(Panel1, PopupMenu1,
                           QStringLiteral("Nombre de caractères pour la ligne de séparation"),
                           QRect(22, 18, 56, 26), 120, 0, 0, 0);
    Label7 = MakeLabel(Panel1, QStringLiteral("Interligne"), 121, 1);
    spInterL = MakeSpinEdit(Panel1, PopupMenu1,
                            QStringLiteral("Nombre de lignes d'espacement pour les calculs"),
                            QRect(125, 18, 43, 26), 1, 0, 5, 0);
    btnEnregistre = MakeButton(
        Panel1, QStringLiteral("Enregistrer"),
        QStringLiteral("Enregistrer le questionnaire et le corrigé dans un fichier .RTF"),
        QRect(194, 5, 91, 38));
    BitBtn1 = MakeButton(Panel1, QString(), QStringLiteral("Contact mail"), QRect(294, 5, 41, 38));
    BitBtn1->setIcon(QIcon(QStringLiteral(":/vorn/mail.xpm")));
    BitBtn1->setIconSize(QSize(32, 32));
    BitBtn2 = MakeButton(Panel1, QString(), QStringLiteral("Trouver les mises à jour"),
                         QRect(340, 5, 40, 38));
    BitBtn2->setIcon(QIcon(QStringLiteral(":/vorn/updates.xpm")));
    BitBtn2->setIconSize(QSize(32, 32));
    btnImprime = MakeButton(
        Panel1, QStringLiteral("Imprimer"),
        QStringLiteral("Imprimer le questionnaire (et le corrigé) en 1 ou plusieurs exemplaires"),
        QRect(390, 5, 83, 38));
    // The arrow sits inside the button's own rectangle, so that the command bar
    // keeps its design; a click beside the arrow is still a plain "Imprimer".
    printMenuButton = new QToolButton(btnImprime);
    printMenuButton->setArrowType(Qt::DownArrow);
    printMenuButton->setAutoRaise(true);
    printMenuButton->setPopupMode(QToolButton::InstantPopup);
    printMenuButton->setToolTip(QStringLiteral("Un sujet différent pour chaque élève"));
    printMenuButton->setGeometry(btnImprime->width() - 17, 3, 14, btnImprime->height() - 6);
    auto* printMenu = new QMenu(printMenuButton);
    variantSheetsAction = printMenu->addAction(QStringLiteral("Sujets différents…"));
    variantSheetsAction->setEnabled(false);
    printMenuButton->setMenu(printMenu);
    btnChoixImp = MakeButton(Panel1, QStringLiteral("CI"), QStringLiteral("Choix de l'imprimante"),
                             QRect(502, 5, 38, 38));
    btnApercu = MakeButton(Panel1, QStringLiteral("A"), QStringLiteral("Aperçu avant impression"),
                           QRect(545, 5, 38, 38));
    Label3 = MakeLabel(Panel1, QStringLiteral("Sujets"), 588, 16);
    spedtSujets = MakeSpinEdit(Panel1, PopupMenu1, QStringLiteral("Nombre de sujets à imprimer"),
                               QRect(630, 11, 42, 26), 1, 0, 99, 2);
    Label4 = MakeLabel(Panel1, QStringLiteral("Corrigés"), 676, 16);
    spedtCorriges =
        MakeSpinEdit(Panel1, PopupMenu1, QStringLiteral("Nombre de corrigés à imprimer"),
                     QRect(728, 11, 42, 26), 0, 0, 99, 2);
    Shape1 = new TShape(Qt::red, Panel1);
    Shape1->setGeometry(776, 16, 13, 17);
    Shape1->hide();

    btnEnregistre->setEnabled(false);
    btnImprime->setEnabled(false);
    btnApercu->setEnabled(false);

    for (QWidget* w : std::initializer_list<QWidget*>{btnChoixImp, btnApercu, Label3, spedtSujets,
                                                      Label4, spedtCorriges, Shape1})
        rightAnchored_.emplace_back(w, w->x());
}

void TForm1::CreateHiddenPanels() {
    Panel2 = MakeColouredPanel(this, Qt::red);
    Panel2->resize(vorn::kWaitPanelSize);
    Panel5 = MakeColouredPanel(Panel2, Qt::white);
    Panel5->setFont(ArialPixels(19));
    Panel5->setGeometry(16, 16, 473, 185);
    Label6 = new QLabel(QStringLiteral("Veuillez patienter, svp, pendant la sauvegarde\n") +
                            QString(8, QLatin1Char(' ')) +
                            QStringLiteral("des paramètres de configuration..."),
                        Panel5);
    Label6->setGeometry(40, 72, 385, 44);
    Panel2->hide();

    // Hidden child until the first preview floats it into its own window.
    ScrollBox1 = new vorn::PreviewBox(this);
    ScrollBox1->hide();
}

void TForm1::NameControls() {
    // The designer names, so that the controls can be found by name.
    const std::pair<QObject*, const char*> names[] = {
        {Panel4, "Panel4"},
        {edtRef, "edtRef"},
        {edtTitre, "edtTitre"},
        {ckbEdite, "ckbEdite"},
        {RxRichEdit1, "RxRichEdit1"},
        {Splitter1, "Splitter1"},
        {Panel3, "Panel3"},
        {Label1, "Label1"},
        {spedtQuestions, "spedtQuestions"},
        {btnVNdeg1, "btnVNdeg1"},
        {btnVNdeg2, "btnVNdeg2"},
        {btnDev1, "btnDev1"},
        {btnDev2, "btnDev2"},
        {btn_ident, "btn_ident"},
        {RxRichEdit2, "RxRichEdit2"},
        {Label9, "Label9"},
        {Panel1, "Panel1"},
        {Label5, "Label5"},
        {spSepar, "spSepar"},
        {Label7, "Label7"},
        {spInterL, "spInterL"},
        {btnEnregistre, "btnEnregistre"},
        {BitBtn1, "BitBtn1"},
        {BitBtn2, "BitBtn2"},
        {btnImprime, "btnImprime"},
        {btnChoixImp, "btnChoixImp"},
        {btnApercu, "btnApercu"},
        {Label3, "Label3"},
        {spedtSujets, "spedtSujets"},
        {Label4, "Label4"},
        {spedtCorriges, "spedtCorriges"},
        {Shape1, "Shape1"},
        {Panel2, "Panel2"},
        {Panel5, "Panel5"},
        {Label6, "Label6"},
        {ScrollBox1, "ScrollBox1"},
        {PopupMenu1, "PopupMenu1"},
    };
    for (const auto& [object, name] : names)
        object->setObjectName(QString::fromLatin1(name));
}

void TForm1::SetTabOrder() {
    // The containers come in the order command bar, exercise bar, title bar,
    // statement, answer key; inside each, the designed order.
    const QWidget* const chain[] = {
        btnEnregistre, btnImprime,  spedtSujets, spedtCorriges, BitBtn1,        BitBtn2,
        spSepar,       spInterL,    btnChoixImp, btnApercu,     spedtQuestions, btnVNdeg1,
        btnVNdeg2,     btnDev1,     btnDev2,     btn_ident,     edtRef,         edtTitre,
        ckbEdite,      RxRichEdit1, RxRichEdit2};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        QWidget::setTabOrder(const_cast<QWidget*>(chain[i]), const_cast<QWidget*>(chain[i + 1]));
}
