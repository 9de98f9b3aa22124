#pragma once

#include "app/app_state.h"
#include "exercises/sheet.h"
#include "settings/form_storage.h"

#include <QString>
#include <QWidget>

#include <exception>
#include <functional>
#include <utility>
#include <vector>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class QAction;
class TLinkLabel;
class TPaneEvents;
class TRxRichEdit;
class TShape;
class TSpinEdit;
class TSplitter;
namespace vorn {
class PreviewBox;
}

// The main window: every control of the program and the handlers that make
// them work. Controls keep their designer names; handlers are named after the
// control and the event they answer.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // --- Title bar
    QFrame* Panel4 = nullptr;
    QLineEdit* edtRef = nullptr;
    QLineEdit* edtTitre = nullptr;
    QCheckBox* ckbEdite = nullptr;
    // --- Panes
    TRxRichEdit* RxRichEdit1 = nullptr;
    TSplitter* Splitter1 = nullptr;
    TRxRichEdit* RxRichEdit2 = nullptr;
    // --- Exercise bar
    QFrame* Panel3 = nullptr;
    QLabel* Label1 = nullptr;
    TSpinEdit* spedtQuestions = nullptr;
    QPushButton* btnVNdeg1 = nullptr;
    QPushButton* btnVNdeg2 = nullptr;
    QPushButton* btnDev1 = nullptr;
    QPushButton* btnDev2 = nullptr;
    QPushButton* btn_ident = nullptr;
    // --- Footer link and command bar
    TLinkLabel* Label9 = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Label5 = nullptr;
    TSpinEdit* spSepar = nullptr;
    QLabel* Label7 = nullptr;
    TSpinEdit* spInterL = nullptr;
    QPushButton* btnEnregistre = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* btnImprime = nullptr;
    // The arrow inside "Imprimer"'s right edge and its one command, "Sujets
    // différents…", enabled once a sheet has been generated.
    QToolButton* printMenuButton = nullptr;
    QAction* variantSheetsAction = nullptr;
    QPushButton* btnChoixImp = nullptr;
    QPushButton* btnApercu = nullptr;
    QLabel* Label3 = nullptr;
    TSpinEdit* spedtSujets = nullptr;
    QLabel* Label4 = nullptr;
    TSpinEdit* spedtCorriges = nullptr;
    TShape* Shape1 = nullptr;
    // --- Hidden until needed
    QFrame* Panel2 = nullptr; // wait panel shown while the settings are saved
    QFrame* Panel5 = nullptr;
    QLabel* Label6 = nullptr;
    vorn::PreviewBox* ScrollBox1 = nullptr; // page preview
    QMenu* PopupMenu1 = nullptr;            // the spin edits' (empty) context menu
    // Window placement and the eight stored control values.
    TFormStorage FormStorage1{this};

    // Program-wide state: sheet reference, question count, edit mode and the
    // one random generator.
    AppState State;

    // Decides whether the executable lies on a removable drive; replaceable so
    // that the closing step can be exercised without such a drive.
    std::function<bool()> RemovableDriveCheck;

    // The settings file: beside the executable, or for an installed copy in
    // the user's configuration folder (SettingsFileForExecutable).
    QString SettingsFileName() const { return settingsFileName_; }
    // Height of the statement pane (the splitter position), at least 50.
    int RxRichEdit1Height() const;
    void SetRxRichEdit1Height(int height);

    // The application's standard error report: the message in a box.
    void ShowError(const QString& message);
    void ShowError(const std::exception& error);

public slots:
    void FormCreate();
    // Always allows the close.
    bool FormCloseQuery();

    void spedtQuestionsChange();
    void edtTitreChange();
    void edtTitreEnter();
    void edtTitreExit();

    void ckbEditeClick();
    void RxRichEdit1Change();
    void RxRichEdit1MouseDown();
    void RxRichEdit1MouseUp();
    void RxRichEdit1DragOver(bool& accept);
    void RxRichEdit1DragDrop();
    void RxRichEdit1EndDrag();
    void RxRichEdit2MouseDown();
    void RxRichEdit2MouseUp();
    void RxRichEdit2DragOver(bool& accept);
    void RxRichEdit2DragDrop();
    void RxRichEdit2EndDrag();

    void btnVNdeg1Click();
    void btnVNdeg2Click();
    void btnDev1Click();
    void btnDev2Click();
    void btn_identClick();

    void btnEnregistreClick();
    void btnImprimeClick();
    // "Sujets différents…": asks how many different sheets, then prints them
    // or saves them as PDF, with their answer keys in the same order.
    void PrintVariantSheets();
    void btnChoixImpClick();
    void btnApercuClick();

    void BitBtn1Click();
    void BitBtn2Click();
    void Label9Click();
    void Label9MouseMove();
    void Panel1MouseMove();
    void FormStorage1SavePlacement() {}

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateTitleBar();
    void CreatePanes();
    void CreateExerciseBar();
    void CreateCommandBar();
    void CreateHiddenPanels();
    void NameControls();
    void SetTabOrder();
    void ConnectHandlers();
    void LayoutBands();
    void PinCaret(TRxRichEdit& pane);
    void GenerateFamily(vorn::Family family);
    void SetUpFormStorage();

    // Controls that keep their distance to the right edge, with their
    // designed left position.
    std::vector<std::pair<QWidget*, int>> rightAnchored_;
    QString settingsFileName_;
    int statementHeight_ = 166;
    int splitterDragBase_ = 166;
    bool generating_ = false;
    // True while "Imprimer" runs, so that a click held back meanwhile is refused.
    bool printing_ = false;
};
