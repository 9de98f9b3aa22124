// Builds the main window's controls with their designed values.
#include "app/main_window.h"

#include "output/preview/preview_box.h"

#include "app/form_layout.h"
#include "app/link_label.h"
#include "app/marker_shape.h"
#include "app/menu_button.h"
#include "app/pane_splitter.h"
#include "app/sheet_look_button.h"
#include "app/spin_edit.h"
#include "richtext/rich_text_pane.h"

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

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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
    // Return on a focused button presses it, as Space does.
    button->setAutoDefault(true);
    button->setGeometry(geometry);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const QString& caption, int left, int top) {
    auto* label = new QLabel(caption, parent);
    label->adjustSize();
    label->move(left, top);
    return label;
}

SpinEdit* MakeSpinEdit(QWidget* parent, QMenu* menu, const QString& hint, const QRect& geometry,
                       int value, int minValue, int maxValue, int maxLength) {
    auto* spin = new SpinEdit(parent);
    spin->setToolTip(hint);
    spin->SetRange(minValue, maxValue);
    spin->SetMaxLength(maxLength);
    spin->SetValue(value);
    spin->SetPopupMenu(menu);
    spin->setGeometry(geometry);
    return spin;
}

} // namespace

void MainWindow::CreateTitleBar() {
    titleBar = MakePanel(this, true);

    referenceEdit = new QLineEdit(titleBar);
    referenceEdit->setReadOnly(true);
    referenceEdit->setFont(ArialPixels(11));
    QPalette refPalette = referenceEdit->palette();
    refPalette.setColor(QPalette::Base, vorn::kButtonFace);
    referenceEdit->setPalette(refPalette);
    referenceEdit->setGeometry(3, 5, 102, 22);

    titleEdit = new QLineEdit(titleBar);
    titleEdit->setText(QStringLiteral("Calculer (en détaillant)") + QString(11, QLatin1Char(' ')) +
                       QStringLiteral("Nom :") + QString(29, QLatin1Char(' ')) +
                       QStringLiteral("Prénom : "));
    titleEdit->setCursorPosition(0);
    titleEdit->setToolTip(QStringLiteral("Titre (à modifier éventuellement)"));
    titleEdit->setGeometry(108, 4, 681, 24);

    editModeCheck = new QCheckBox(QStringLiteral("Edite"), titleBar);
    editModeCheck->setToolTip(QStringLiteral("Possibilité d'écrire, modifier sujet/corrigé"));
    editModeCheck->setGeometry(5, 29, 83, 17);
}

void MainWindow::CreatePanes() {
    for (RichTextPane** pane : {&statementPane, &answerKeyPane}) {
        *pane = new RichTextPane(this);
        // The designed content is loaded before any handler is connected, so
        // the output commands start disabled.
        (*pane)->SetText(QByteArray(" "));
        (*pane)->SetReadOnly(true);
        (*pane)->SetWantTabs(false);
    }
    answerKeyPane->viewport()->setMouseTracking(true);
    paneSplitter = new PaneSplitter(this);
}

void MainWindow::CreateExerciseBar() {
    exerciseBar = MakePanel(this, true);
    questionCountLabel = MakeLabel(exerciseBar, QStringLiteral("Questions"), 11, 4);
    questionCountLabel->setToolTip(QStringLiteral("Nombre de questions posées"));
    questionCountSpin = MakeSpinEdit(exerciseBar, spinContextMenu, QString(), QRect(18, 23, 49, 26),
                                     20, 1, vorn::kMaxQuestionCount, 2);
    // In the gap between the question count and the first exercise button.
    sheetLookButton = new SheetLookButton(SheetLookButton::AvailableFonts(), exerciseBar);
    sheetLookButton->setGeometry(69, 23, 20, 26);
    CreateFamilyButtons();
    CreateFamiliesMenu();
}

void MainWindow::CreateFamilyButtons() {
    // The designed buttons stand for the table's first families, in order;
    // their captions are the families'.
    const struct {
        QPushButton* MainWindow::*button;
        const char* hint;
        QRect geometry;
    } designed[] = {
        {&MainWindow::valueDegree1Button, "Valeur numérique 1° degré", QRect(91, 8, 112, 42)},
        {&MainWindow::valueDegree2Button, "Valeur numérique 2 ° degré", QRect(214, 8, 112, 42)},
        {&MainWindow::expansion1Button, "", QRect(353, 8, 118, 42)},
        {&MainWindow::expansion2Button, "", QRect(482, 8, 118, 42)},
        {&MainWindow::identitiesButton, "", QRect(610, 8, 154, 42)},
    };
    std::size_t next = 0;
    for (const vorn::ExerciseFamily& family : vorn::ExerciseFamilies()) {
        if (!family.hasOwnButton || next == std::size(designed))
            continue;
        const auto& design = designed[next++];
        QPushButton* button = MakeButton(exerciseBar, Utf8(family.caption),
                                         QString::fromUtf8(design.hint), design.geometry);
        this->*design.button = button;
        familyButtons_.emplace_back(&family, button);
    }
}

void MainWindow::CreateFamiliesMenu() {
    // In the strip between the last designed button and the bar's edge, so
    // that the designed controls keep their places.
    familiesMenuButton = new MenuButton(exerciseBar);
    familiesMenuButton->setArrowType(Qt::DownArrow);
    familiesMenuButton->setToolTip(
        QStringLiteral("Autres exercices : réduire, factoriser, résoudre des équations…"));
    familiesMenuButton->setAccessibleName(QStringLiteral("Autres exercices"));
    familiesMenuButton->setGeometry(768, 8, 22, 42);
    familiesMenu = new QMenu(familiesMenuButton);
    familiesMenuButton->setMenu(familiesMenu);

    // Every family without a button of its own: one entry, or a submenu of
    // its levels.
    for (const vorn::ExerciseFamily& family : vorn::ExerciseFamilies()) {
        if (familyButton(family) != nullptr)
            continue;
        if (family.LevelCount() == 1) {
            familyActions_.emplace_back(vorn::SheetKind{&family, 1},
                                        familiesMenu->addAction(Utf8(family.caption)));
            continue;
        }
        QMenu* levels = familiesMenu->addMenu(Utf8(family.caption));
        for (int level = 1; level <= family.LevelCount(); ++level)
            familyActions_.emplace_back(
                vorn::SheetKind{&family, level},
                levels->addAction(Utf8(family.levels[static_cast<std::size_t>(level - 1)])));
    }
    familiesMenu->addSeparator();
    composedSheetAction = familiesMenu->addAction(QStringLiteral("Feuille composée…"));
    composedSheetAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    // The window holds it too, so that Ctrl+K works with the menu closed.
    addAction(composedSheetAction);
}

void MainWindow::CreateCommandBar() {
    publisherLink = new LinkLabel(
        QStringLiteral("Consultez les ouvrages de mathématiques des Editions KESTRIN-OLDAVE"),
        this);
    publisherLink->setAlignment(Qt::AlignCenter);
    QFont linkFont(QStringLiteral("MS Sans Serif"));
    linkFont.setPixelSize(13);
    publisherLink->setFont(linkFont);
    QPalette linkPalette = publisherLink->palette();
    linkPalette.setColor(QPalette::Window, QColor(255, 128, 0));
    linkPalette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    publisherLink->setPalette(linkPalette);
    publisherLink->setAutoFillBackground(true);

    commandBar = MakePanel(this, false);
    commandBar->setMouseTracking(true);
    separatorLabel = MakeLabel(commandBar, QStringLiteral("Car. séparation"), 4, 1);
    separatorSpin = MakeSpinEdit(commandBar, spinContextMenu,
                                 QStringLiteral("Nombre de caractères pour la ligne de séparation"),
                                 QRect(22, 18, 56, 26), 120, 0, 0, 0);
    spacingLabel = MakeLabel(commandBar, QStringLiteral("Interligne"), 121, 1);
    spacingSpin = MakeSpinEdit(commandBar, spinContextMenu,
                               QStringLiteral("Nombre de lignes d'espacement pour les calculs"),
                               QRect(125, 18, 43, 26), 1, 0, 5, 0);
    saveButton = MakeButton(
        commandBar, QStringLiteral("Enregistrer"),
        QStringLiteral("Enregistrer le questionnaire et le corrigé dans un fichier .RTF (Ctrl+S)"),
        QRect(194, 5, 91, 38));
    mailButton =
        MakeButton(commandBar, QString(), QStringLiteral("Contact mail"), QRect(294, 5, 41, 38));
    mailButton->setIcon(QIcon(QStringLiteral(":/vorn/mail.xpm")));
    mailButton->setIconSize(QSize(32, 32));
    websiteButton = MakeButton(commandBar, QString(), QStringLiteral("Trouver les mises à jour"),
                               QRect(340, 5, 40, 38));
    websiteButton->setIcon(QIcon(QStringLiteral(":/vorn/updates.xpm")));
    websiteButton->setIconSize(QSize(32, 32));
    printButton = MakeButton(
        commandBar, QStringLiteral("Imprimer"),
        QStringLiteral(
            "Imprimer le questionnaire (et le corrigé) en 1 ou plusieurs exemplaires (Ctrl+P)"),
        QRect(390, 5, 83, 38));
    // The arrow sits inside the button's own rectangle, so that the command bar
    // keeps its design; a click beside the arrow is still a plain "Imprimer".
    printMenuButton = new QToolButton(printButton);
    printMenuButton->setArrowType(Qt::DownArrow);
    printMenuButton->setAutoRaise(true);
    printMenuButton->setPopupMode(QToolButton::InstantPopup);
    printMenuButton->setToolTip(QStringLiteral("Un sujet différent pour chaque élève"));
    printMenuButton->setGeometry(printButton->width() - 17, 3, 14, printButton->height() - 6);
    auto* printMenu = new QMenu(printMenuButton);
    variantSheetsAction = printMenu->addAction(QStringLiteral("Sujets différents…"));
    variantSheetsAction->setEnabled(false);
    printMenuButton->setMenu(printMenu);
    choosePrinterButton =
        MakeButton(commandBar, QStringLiteral("CI"), QStringLiteral("Choix de l'imprimante"),
                   QRect(502, 5, 38, 38));
    previewButton = MakeButton(commandBar, QStringLiteral("A"),
                               QStringLiteral("Aperçu avant impression (Ctrl+Maj+P ou F5)"),
                               QRect(545, 5, 38, 38));
    statementCopiesLabel = MakeLabel(commandBar, QStringLiteral("Sujets"), 588, 16);
    statementCopiesSpin =
        MakeSpinEdit(commandBar, spinContextMenu, QStringLiteral("Nombre de sujets à imprimer"),
                     QRect(630, 11, 42, 26), 1, 0, 99, 2);
    answerKeyCopiesLabel = MakeLabel(commandBar, QStringLiteral("Corrigés"), 676, 16);
    answerKeyCopiesSpin =
        MakeSpinEdit(commandBar, spinContextMenu, QStringLiteral("Nombre de corrigés à imprimer"),
                     QRect(728, 11, 42, 26), 0, 0, 99, 2);
    settingsChangedMarker = new MarkerShape(Qt::red, commandBar);
    settingsChangedMarker->setGeometry(776, 16, 13, 17);
    // Red beside the copy counts, it could be taken for a printer fault: it
    // only says that the sheet shown was made before the last change.
    settingsChangedMarker->setToolTip(
        QStringLiteral("Le titre ou le nombre de questions a changé depuis la dernière feuille : "
                       "cliquez sur un bouton d'exercice pour en tenir compte"));
    settingsChangedMarker->hide();

    saveButton->setEnabled(false);
    printButton->setEnabled(false);
    previewButton->setEnabled(false);

    // The command bar has no room left at its designed size: the confirmation
    // covers the footer strip just above it for a few seconds. A click on it
    // only hides it, never opens the publisher's page.
    statusLabel = new QLabel(this);
    statusLabel->setAlignment(Qt::AlignCenter);
    statusLabel->setFont(ArialPixels(12));
    QPalette statusPalette = statusLabel->palette();
    statusPalette.setColor(QPalette::Window, vorn::kTitleFocusColour);
    statusPalette.setColor(QPalette::WindowText, Qt::black);
    statusLabel->setPalette(statusPalette);
    statusLabel->setAutoFillBackground(true);
    statusLabel->hide();

    for (QWidget* w : std::initializer_list<QWidget*>{
             choosePrinterButton, previewButton, statementCopiesLabel, statementCopiesSpin,
             answerKeyCopiesLabel, answerKeyCopiesSpin, settingsChangedMarker})
        rightAnchored_.emplace_back(w, w->x());
}

void MainWindow::CreateHiddenPanels() {
    waitPanel = MakeColouredPanel(this, Qt::red);
    waitPanel->resize(vorn::kWaitPanelSize);
    waitPanelFrame = MakeColouredPanel(waitPanel, Qt::white);
    waitPanelFrame->setFont(ArialPixels(19));
    waitPanelFrame->setGeometry(16, 16, 473, 185);
    waitMessage = new QLabel(QStringLiteral("Veuillez patienter, svp, pendant la sauvegarde\n") +
                                 QString(8, QLatin1Char(' ')) +
                                 QStringLiteral("des paramètres de configuration..."),
                             waitPanelFrame);
    waitMessage->setGeometry(40, 72, 385, 44);
    waitPanel->hide();

    // Hidden child until the first preview floats it into its own window.
    previewBox = new vorn::PreviewBox(this);
    previewBox->hide();
}

void MainWindow::NameControls() {
    // Object names, so that the controls can be found by name (in tests, and in
    // Qt's own tools); the settings file does not depend on them.
    const std::pair<QObject*, const char*> names[] = {
        {titleBar, "titleBar"},
        {referenceEdit, "referenceEdit"},
        {titleEdit, "titleEdit"},
        {editModeCheck, "editModeCheck"},
        {statementPane, "statementPane"},
        {paneSplitter, "paneSplitter"},
        {exerciseBar, "exerciseBar"},
        {questionCountLabel, "questionCountLabel"},
        {questionCountSpin, "questionCountSpin"},
        {valueDegree1Button, "valueDegree1Button"},
        {valueDegree2Button, "valueDegree2Button"},
        {expansion1Button, "expansion1Button"},
        {expansion2Button, "expansion2Button"},
        {identitiesButton, "identitiesButton"},
        {familiesMenuButton, "familiesMenuButton"},
        {familiesMenu, "familiesMenu"},
        {answerKeyPane, "answerKeyPane"},
        {publisherLink, "publisherLink"},
        {commandBar, "commandBar"},
        {separatorLabel, "separatorLabel"},
        {separatorSpin, "separatorSpin"},
        {spacingLabel, "spacingLabel"},
        {spacingSpin, "spacingSpin"},
        {saveButton, "saveButton"},
        {mailButton, "mailButton"},
        {websiteButton, "websiteButton"},
        {printButton, "printButton"},
        {choosePrinterButton, "choosePrinterButton"},
        {previewButton, "previewButton"},
        {statementCopiesLabel, "statementCopiesLabel"},
        {statementCopiesSpin, "statementCopiesSpin"},
        {answerKeyCopiesLabel, "answerKeyCopiesLabel"},
        {answerKeyCopiesSpin, "answerKeyCopiesSpin"},
        {settingsChangedMarker, "settingsChangedMarker"},
        {statusLabel, "statusLabel"},
        {waitPanel, "waitPanel"},
        {waitPanelFrame, "waitPanelFrame"},
        {waitMessage, "waitMessage"},
        {previewBox, "previewBox"},
        {spinContextMenu, "spinContextMenu"},
    };
    for (const auto& [object, name] : names)
        object->setObjectName(QString::fromLatin1(name));
}

void MainWindow::SetTabOrder() {
    // The containers come in the order command bar, exercise bar, title bar,
    // statement, answer key; inside each, the designed order.
    const QWidget* const chain[] = {saveButton,          printButton,       statementCopiesSpin,
                                    answerKeyCopiesSpin, mailButton,        websiteButton,
                                    separatorSpin,       spacingSpin,       choosePrinterButton,
                                    previewButton,       questionCountSpin, valueDegree1Button,
                                    valueDegree2Button,  expansion1Button,  expansion2Button,
                                    identitiesButton,    referenceEdit,     titleEdit,
                                    editModeCheck,       statementPane,     answerKeyPane};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        QWidget::setTabOrder(const_cast<QWidget*>(chain[i]), const_cast<QWidget*>(chain[i + 1]));
    // The families menu comes right after the last designed exercise button.
    QWidget::setTabOrder(identitiesButton, familiesMenuButton);
    QWidget::setTabOrder(questionCountSpin, sheetLookButton);
}
