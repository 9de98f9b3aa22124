// The main window's life: creation, layout, closing and error reports.
#include "app/form1.h"

#include "app/caption.h"
#include "app/form_layout.h"
#include "app/link_label.h"
#include "app/pane_events.h"
#include "app/removable_drive.h"
#include "app/spin_edit.h"
#include "app/splitter.h"
#include "app/start_up.h"
#include "exercises/user_error.h"
#include "output/preview_box.h"
#include "richtext/trx_rich_edit.h"
#include "settings/settings_location.h"

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
#include <QShowEvent>

TForm1::TForm1(QWidget* parent) : QWidget(parent), RemovableDriveCheck(&vorn::IsOnRemovableDrive) {
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

    PopupMenu1 = new QMenu(this);
    CreateTitleBar();
    CreatePanes();
    CreateExerciseBar();
    CreateCommandBar();
    CreateHiddenPanels();
    NameControls();
    SetTabOrder();

    setMinimumSize(vorn::kMinimumClientSize);
    resize(vorn::kDesignClientSize);
    LayoutBands();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    spedtQuestions->setFocus();

    ConnectHandlers();
    FormCreate();
}

TForm1::~TForm1() {
    // Saves once more only when the save at closing failed.
    FormStorage1.FormDestroy();
}

void TForm1::FormCreate() {
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
    State.Random.SetState(vorn::SeedFromUtcTime(QDateTime::currentDateTimeUtc().time()));
    setWindowTitle(vorn::UnscrambledCaption());
}

bool TForm1::FormCloseQuery() {
    ScrollBox1->hide();
    // Only what the previews of this run made goes, from where they made it:
    // the working directory may have changed since, and a file of the same
    // name that the teacher keeps there is not ours.
    ScrollBox1->Files().RemoveAll();
    if (RemovableDriveCheck && RemovableDriveCheck()) {
        Panel2->move((width() - vorn::kWaitPanelSize.width()) / 2,
                     (height() - vorn::kWaitPanelSize.height()) / 2);
        Panel2->show();
        Panel2->raise();
        // On screen before the settings are written, without letting any
        // other event run.
        Panel2->repaint();
        repaint();
    }
    return true;
}

void TForm1::closeEvent(QCloseEvent* event) {
    const bool canClose = FormCloseQuery();
    if (canClose)
        event->accept();
    else
        event->ignore();
    FormStorage1.FormCloseQuery(canClose);
}

void TForm1::showEvent(QShowEvent* event) {
    // The stored settings are applied once, before the window first appears.
    if (!event->spontaneous())
        FormStorage1.FormShow();
    QWidget::showEvent(event);
}

void TForm1::SetUpFormStorage() {
    FormStorage1.SetIniFileName(settingsFileName_);
    FormStorage1.SetErrorReporter([this](const QString& message) { ShowError(message); });
    FormStorage1.SetOnSavePlacement([this] { FormStorage1SavePlacement(); });
    const auto spin = [](const QString& path, TSpinEdit* control) {
        return TStoredProperty::Integer(
            path, [control] { return control->Value(); },
            [control](int value) { control->SetValue(value); });
    };
    FormStorage1.SetStoredProps({
        TStoredProperty::Text(
            "edtTitre.Text", [this] { return edtTitre->text(); },
            [this](const QString& value) { edtTitre->setText(value); }),
        spin("spedtQuestions.Value", spedtQuestions),
        TStoredProperty::Integer(
            "RxRichEdit1.Height", [this] { return RxRichEdit1Height(); },
            [this](int value) { SetRxRichEdit1Height(value); }),
        spin("spedtCorriges.Value", spedtCorriges),
        spin("spedtSujets.Value", spedtSujets),
        spin("spSepar.Value", spSepar),
        spin("spInterL.Value", spInterL),
        TStoredProperty::Boolean(
            "ckbEdite.Checked", [this] { return ckbEdite->isChecked(); },
            [this](bool value) { ckbEdite->setChecked(value); }),
    });
}

void TForm1::ShowError(const QString& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("VORN"), message, QMessageBox::Ok, this);
    box.exec();
}

void TForm1::ShowError(const std::exception& error) {
    ShowError(QString::fromUtf8(error.what()));
}

int TForm1::RxRichEdit1Height() const {
    return RxRichEdit1->height();
}

void TForm1::SetRxRichEdit1Height(int height) {
    statementHeight_ = std::max(vorn::kMinimumStatementHeight, height);
    LayoutBands();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutBands();
}

void TForm1::LayoutBands() {
    const vorn::Bands b = vorn::LayoutBands(size(), statementHeight_);
    Panel4->setGeometry(b.titleBar);
    RxRichEdit1->setGeometry(b.statement);
    Splitter1->setGeometry(b.splitter);
    Panel3->setGeometry(b.exerciseBar);
    RxRichEdit2->setGeometry(b.answerKey);
    Label9->setGeometry(b.footer);
    Panel1->setGeometry(b.commandBar);

    const int widthGain = width() - vorn::kDesignClientSize.width();
    edtTitre->resize(681 + widthGain, edtTitre->height());
    for (const auto& [control, designLeft] : rightAnchored_)
        control->move(designLeft + widthGain, control->y());
}

void TForm1::ConnectHandlers() {
    connect(spedtQuestions, &TSpinEdit::Change, this, &TForm1::spedtQuestionsChange);
    connect(edtTitre, &QLineEdit::textChanged, this, &TForm1::edtTitreChange);
    edtTitre->installEventFilter(this);
    Panel1->installEventFilter(this);
    connect(ckbEdite, &QCheckBox::toggled, this, &TForm1::ckbEditeClick);

    connect(RxRichEdit1, &TRxRichEdit::Change, this, &TForm1::RxRichEdit1Change);
    auto* events1 = new TPaneEvents(RxRichEdit1);
    connect(events1, &TPaneEvents::MouseDown, this, &TForm1::RxRichEdit1MouseDown);
    connect(events1, &TPaneEvents::MouseUp, this, &TForm1::RxRichEdit1MouseUp);
    connect(events1, &TPaneEvents::DragOver, this, &TForm1::RxRichEdit1DragOver);
    connect(events1, &TPaneEvents::DragDrop, this, &TForm1::RxRichEdit1DragDrop);
    connect(events1, &TPaneEvents::EndDrag, this, &TForm1::RxRichEdit1EndDrag);
    auto* events2 = new TPaneEvents(RxRichEdit2);
    connect(events2, &TPaneEvents::MouseDown, this, &TForm1::RxRichEdit2MouseDown);
    connect(events2, &TPaneEvents::MouseUp, this, &TForm1::RxRichEdit2MouseUp);
    connect(events2, &TPaneEvents::DragOver, this, &TForm1::RxRichEdit2DragOver);
    connect(events2, &TPaneEvents::DragDrop, this, &TForm1::RxRichEdit2DragDrop);
    connect(events2, &TPaneEvents::EndDrag, this, &TForm1::RxRichEdit2EndDrag);
    connect(events2, &TPaneEvents::MouseMove, this, &TForm1::Panel1MouseMove);

    connect(Splitter1, &TSplitter::DragStarted, this,
            [this] { splitterDragBase_ = RxRichEdit1Height(); });
    connect(Splitter1, &TSplitter::Dragged, this, [this](int delta) {
        SetRxRichEdit1Height(
            std::min(splitterDragBase_ + delta, vorn::MaximumStatementHeight(height())));
    });

    connect(btnVNdeg1, &QPushButton::clicked, this, &TForm1::btnVNdeg1Click);
    connect(btnVNdeg2, &QPushButton::clicked, this, &TForm1::btnVNdeg2Click);
    connect(btnDev1, &QPushButton::clicked, this, &TForm1::btnDev1Click);
    connect(btnDev2, &QPushButton::clicked, this, &TForm1::btnDev2Click);
    connect(btn_ident, &QPushButton::clicked, this, &TForm1::btn_identClick);
    connect(btnEnregistre, &QPushButton::clicked, this, &TForm1::btnEnregistreClick);
    connect(btnImprime, &QPushButton::clicked, this, &TForm1::btnImprimeClick);
    connect(variantSheetsAction, &QAction::triggered, this, &TForm1::PrintVariantSheets);
    connect(btnChoixImp, &QPushButton::clicked, this, &TForm1::btnChoixImpClick);
    connect(btnApercu, &QPushButton::clicked, this, &TForm1::btnApercuClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(Label9, &TLinkLabel::Clicked, this, &TForm1::Label9Click);
    connect(Label9, &TLinkLabel::MouseMoved, this, &TForm1::Label9MouseMove);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edtTitre) {
        if (event->type() == QEvent::FocusIn)
            edtTitreEnter();
        else if (event->type() == QEvent::FocusOut)
            edtTitreExit();
    } else if (watched == Panel1 && event->type() == QEvent::MouseMove) {
        Panel1MouseMove();
    }
    return QWidget::eventFilter(watched, event);
}
