// The main window's life: creation, layout, closing and error reports.
#include "app/main_window.h"

#include "app/build_stamp.h"
#include "app/caption.h"
#include "app/clock_seed.h"
#include "app/debugger_check.h"
#include "app/double_click_guard.h"
#include "app/first_click_warm_up.h"
#include "app/form_layout.h"
#include "app/link_label.h"
#include "app/pane_events.h"
#include "app/pane_splitter.h"
#include "app/removable_drive.h"
#include "app/sheet_look_button.h"
#include "app/spin_edit.h"
#include "output/preview/preview_box.h"
#include "richtext/rich_text_pane.h"
#include "settings/settings_location.h"
#include "settings/sheet_look_storage.h"
#include "text/user_error.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QTimer>

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), removableDriveCheck(&vorn::IsOnRemovableDrive) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("VORN Feuilles d'exercices d'algèbre"));
    setWindowIcon(QIcon(QStringLiteral(":/vorn/vorn.xpm")));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, vorn::kButtonFace);
    pal.setColor(QPalette::Button, vorn::kButtonFace);
    setPalette(pal);
    setAutoFillBackground(true);

    spinContextMenu = new QMenu(this);
    CreateTitleBar();
    CreatePanes();
    CreateExerciseBar();
    CreateCommandBar();
    CreateHiddenPanels();
    CreateOpenCommand();
    NameControls();
    SetTabOrder();

    setMinimumSize(vorn::kMinimumClientSize);
    resize(vorn::kDesignClientSize);
    LayoutBands();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    questionCountSpin->setFocus();

    ConnectHandlers();
    new FirstClickWarmUp(this, statementPane, answerKeyPane, [this] { return sheetSettings(); });
    finishCreation();
}

MainWindow::~MainWindow() {
    // Saves once more only when the save at closing failed, and not after a
    // whole wait for another copy's lock: one wait, one message.
    formStorage.SaveAgainIfCloseFailed();
}

void MainWindow::finishCreation() {
    const QString exe = QCoreApplication::applicationFilePath();
    settingsFileName_ = vorn::SettingsFileForExecutable(exe);
    SetUpFormStorage();
    if (vorn::IsDebuggerAttached()) {
        try {
            vorn::WriteDatCompil(exe, QDateTime::currentDateTime());
        } catch (const std::exception& error) {
            ShowError(error);
        }
    }
    state.Random.SetState(vorn::SeedFromUtcTime(QDateTime::currentDateTimeUtc().time()));
    setWindowTitle(vorn::UnscrambledCaption());
}

void MainWindow::RestoreSheetLook() {
    if (sheetLookRestored_)
        return;
    sheetLookRestored_ = true;
    sheetLookButton->SetLook(ReadSheetLook(ProfileFile(formStorage.IniFileName())));
    // Stored at each choice, in a section of its own: the window's section
    // keeps its keys.
    connect(sheetLookButton, &SheetLookButton::lookChosen, this, [this] {
        try {
            WriteSheetLook(ProfileFile(formStorage.IniFileName()), sheetLookButton->Look());
        } catch (const std::exception& error) {
            ShowError(error);
        }
    });
}

bool MainWindow::prepareToClose() {
    previewBox->hide();
    // Only what the previews of this run made goes, from where they made it:
    // the working directory may have changed since, and a file of the same
    // name that the teacher keeps there is not ours.
    previewBox->Files().RemoveAll();
    if (removableDriveCheck && removableDriveCheck()) {
        waitPanel->move((width() - vorn::kWaitPanelSize.width()) / 2,
                        (height() - vorn::kWaitPanelSize.height()) / 2);
        waitPanel->show();
        waitPanel->raise();
        // On screen before the settings are written, without letting any
        // other event run.
        waitPanel->repaint();
        repaint();
    }
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    const bool canClose = prepareToClose();
    if (canClose)
        event->accept();
    else
        event->ignore();
    formStorage.SaveOnClose(canClose);
    if (canClose)
        keepSession();
}

void MainWindow::showEvent(QShowEvent* event) {
    // The stored settings are applied once, before the window first appears.
    if (!event->spontaneous()) {
        formStorage.RestoreOnFirstShow();
        RestoreSheetLook();
    }
    // A sheet brought back from the last session is shown as made, whatever
    // edit mode the settings keep: a key pressed by chance cannot change it.
    if (sheetRestored_) {
        sheetRestored_ = false;
        editModeCheck->setChecked(false);
    }
    QWidget::showEvent(event);
}

void MainWindow::SetUpFormStorage() {
    formStorage.SetIniFileName(settingsFileName_);
    // The section is named after the window class of the first versions; stored
    // files hold it, so it stays whatever the class is called now.
    formStorage.SetIniSection(QStringLiteral("TForm1"));
    formStorage.SetErrorReporter([this](const QString& message) { ShowError(message); });
    formStorage.SetOnSavePlacement([this] { placementSaved(); });
    const auto spin = [](const char* key, SpinEdit* control) {
        return ResolvedProperty{key, StoredProperty::Integer(
                                         key, [control] { return control->Value(); },
                                         [control](int value) { control->SetValue(value); })};
    };
    // The settings file's keys, in the order they are written. They are data:
    // the files of every earlier run hold them, so they keep their old spelling
    // whatever the controls are called here.
    formStorage.SetStoredValues({
        {"edtTitre_Text", StoredProperty::Text(
                              "edtTitre_Text", [this] { return titleEdit->text(); },
                              [this](const QString& value) { titleEdit->setText(value); })},
        spin("spedtQuestions_Value", questionCountSpin),
        {"RxRichEdit1_Height", StoredProperty::Integer(
                                   "RxRichEdit1_Height", [this] { return statementPaneHeight(); },
                                   [this](int value) { setStatementPaneHeight(value); })},
        spin("spedtCorriges_Value", answerKeyCopiesSpin),
        spin("spedtSujets_Value", statementCopiesSpin),
        spin("spSepar_Value", separatorSpin),
        spin("spInterL_Value", spacingSpin),
        {"ckbEdite_Checked", StoredProperty::Boolean(
                                 "ckbEdite_Checked", [this] { return editModeCheck->isChecked(); },
                                 [this](bool value) { editModeCheck->setChecked(value); })},
    });
}

void MainWindow::ShowStatus(const QString& text) {
    statusLabel->setText(
        statusLabel->fontMetrics().elidedText(text, Qt::ElideMiddle, statusLabel->width() - 8));
    statusLabel->setToolTip(text);
    statusLabel->show();
    statusLabel->raise();
    statusTimer_->start(kStatusMs);
}

void MainWindow::ShowError(const QString& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("VORN"), message, QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::ShowError(const std::exception& error) {
    ShowError(QString::fromUtf8(error.what()));
}

int MainWindow::statementPaneHeight() const {
    return statementPane->height();
}

void MainWindow::setStatementPaneHeight(int height) {
    statementHeight_ = std::max(vorn::kMinimumStatementHeight, height);
    statementRoom_ = vorn::PaneRoom(this->height());
    LayoutBands();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutBands();
}

void MainWindow::LayoutBands() {
    const vorn::Bands b =
        vorn::LayoutBands(size(), vorn::ScaledStatementHeight(statementHeight_, statementRoom_,
                                                              vorn::PaneRoom(height())));
    titleBar->setGeometry(b.titleBar);
    statementPane->setGeometry(b.statement);
    paneSplitter->setGeometry(b.splitter);
    exerciseBar->setGeometry(b.exerciseBar);
    answerKeyPane->setGeometry(b.answerKey);
    publisherLink->setGeometry(b.footer);
    statusLabel->setGeometry(b.footer);
    commandBar->setGeometry(b.commandBar);

    const int widthGain = width() - vorn::kDesignClientSize.width();
    titleEdit->resize(681 + widthGain, titleEdit->height());
    for (const auto& [control, designLeft] : rightAnchored_)
        control->move(designLeft + widthGain, control->y());
}

void MainWindow::ConnectHandlers() {
    connect(questionCountSpin, &SpinEdit::Change, this, &MainWindow::questionCountChanged);
    connect(titleEdit, &QLineEdit::textChanged, this, &MainWindow::titleChanged);
    titleEdit->installEventFilter(this);
    commandBar->installEventFilter(this);
    connect(editModeCheck, &QCheckBox::toggled, this, &MainWindow::toggleEditMode);

    connect(statementPane, &RichTextPane::Change, this, &MainWindow::statementChanged);
    auto* statementEvents = new PaneEvents(statementPane);
    connect(statementEvents, &PaneEvents::MouseDown, this, &MainWindow::statementMouseDown);
    connect(statementEvents, &PaneEvents::MouseUp, this, &MainWindow::statementMouseUp);
    connect(statementEvents, &PaneEvents::DragOver, this, &MainWindow::statementDragOver);
    connect(statementEvents, &PaneEvents::DragDrop, this, &MainWindow::statementDropped);
    connect(statementEvents, &PaneEvents::EndDrag, this, &MainWindow::statementDragEnded);
    auto* answerKeyEvents = new PaneEvents(answerKeyPane);
    connect(answerKeyEvents, &PaneEvents::MouseDown, this, &MainWindow::answerKeyMouseDown);
    connect(answerKeyEvents, &PaneEvents::MouseUp, this, &MainWindow::answerKeyMouseUp);
    connect(answerKeyEvents, &PaneEvents::DragOver, this, &MainWindow::answerKeyDragOver);
    connect(answerKeyEvents, &PaneEvents::DragDrop, this, &MainWindow::answerKeyDropped);
    connect(answerKeyEvents, &PaneEvents::EndDrag, this, &MainWindow::answerKeyDragEnded);
    connect(answerKeyEvents, &PaneEvents::MouseMove, this, &MainWindow::unboldenPublisherLink);

    connect(paneSplitter, &PaneSplitter::DragStarted, this,
            [this] { splitterDragBase_ = statementPaneHeight(); });
    connect(paneSplitter, &PaneSplitter::Dragged, this, [this](int delta) {
        setStatementPaneHeight(
            std::min(splitterDragBase_ + delta, vorn::MaximumStatementHeight(height())));
    });

    for (const auto& [family, button] : familyButtons_)
        connect(button, &QPushButton::clicked, this, [this, family = family] {
            generateSheet(vorn::SheetKind{family, 1});
        });
    for (const auto& [kind, action] : familyActions_)
        connect(action, &QAction::triggered, this, [this, kind = kind] { generateSheet(kind); });
    connect(saveButton, &QPushButton::clicked, this, &MainWindow::saveSheet);
    connect(printButton, &QPushButton::clicked, this, &MainWindow::printCopies);
    new DoubleClickGuard(printButton);
    connect(variantSheetsAction, &QAction::triggered, this, &MainWindow::PrintVariantSheets);
    connect(composedSheetAction, &QAction::triggered, this, &MainWindow::composeSheet);
    connect(choosePrinterButton, &QPushButton::clicked, this, &MainWindow::choosePrinter);
    connect(previewButton, &QPushButton::clicked, this, &MainWindow::showPreview);
    connect(previewBox, &vorn::PreviewBox::DocumentChosen, this, &MainWindow::showPreview);
    // A shortcut presses its button, so that it does nothing while the button
    // is disabled and goes through the same guards as a click.
    const auto pressOn = [this](QShortcut*& shortcut, const QKeySequence& keys,
                                QPushButton* button) {
        shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
    };
    pressOn(saveShortcut, QKeySequence(Qt::CTRL | Qt::Key_S), saveButton);
    pressOn(printShortcut, QKeySequence(Qt::CTRL | Qt::Key_P), printButton);
    pressOn(previewShortcut, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), previewButton);
    pressOn(previewKeyShortcut, QKeySequence(Qt::Key_F5), previewButton);
    statusLabel->installEventFilter(this);
    statusTimer_ = new QTimer(this);
    statusTimer_->setObjectName(QStringLiteral("statusTimer"));
    statusTimer_->setSingleShot(true);
    connect(statusTimer_, &QTimer::timeout, statusLabel, &QWidget::hide);

    connect(mailButton, &QPushButton::clicked, this, &MainWindow::openMail);
    connect(websiteButton, &QPushButton::clicked, this, &MainWindow::openWebsite);
    connect(publisherLink, &LinkLabel::Clicked, this, &MainWindow::openPublisherPage);
    connect(publisherLink, &LinkLabel::MouseMoved, this, &MainWindow::boldenPublisherLink);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == titleEdit) {
        if (event->type() == QEvent::FocusIn)
            titleEntered();
        else if (event->type() == QEvent::FocusOut)
            titleLeft();
    } else if (watched == commandBar && event->type() == QEvent::MouseMove) {
        unboldenPublisherLink();
    } else if (watched == statusLabel && event->type() == QEvent::MouseButtonRelease) {
        statusLabel->hide();
    }
    return QWidget::eventFilter(watched, event);
}
