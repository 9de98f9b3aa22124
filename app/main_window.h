#pragma once

#include "app/app_state.h"
#include "exercises/family_table.h"
#include "exercises/saved_recipe.h"
#include "exercises/sheet_recipe.h"
#include "settings/form_storage.h"
#include "settings/session_file.h"

#include <QString>
#include <QUrl>
#include <QWidget>

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QShortcut;
class QTimer;
class QToolButton;
class QAction;
class LinkLabel;
class PaneEvents;
class RichTextPane;
class MarkerShape;
class MenuButton;
class SheetLookButton;
class SpinEdit;
class PaneSplitter;
namespace vorn {
class PreviewBox;
}

// The main window: every control of the program and the handlers that make
// them work. Controls keep their designer names; handlers are named after the
// control and the event they answer.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- Title bar
    QFrame* titleBar = nullptr;
    QLineEdit* referenceEdit = nullptr;
    QLineEdit* titleEdit = nullptr;
    QCheckBox* editModeCheck = nullptr;
    // --- Panes
    RichTextPane* statementPane = nullptr;
    PaneSplitter* paneSplitter = nullptr;
    RichTextPane* answerKeyPane = nullptr;
    // --- Exercise bar
    QFrame* exerciseBar = nullptr;
    QLabel* questionCountLabel = nullptr;
    SpinEdit* questionCountSpin = nullptr;
    SheetLookButton* sheetLookButton = nullptr; // "Standard" or "Adaptée", boxed results
    QPushButton* valueDegree1Button = nullptr;
    QPushButton* valueDegree2Button = nullptr;
    QPushButton* expansion1Button = nullptr;
    QPushButton* expansion2Button = nullptr;
    QPushButton* identitiesButton = nullptr;
    // Right of the designed buttons: the other families, each with its levels.
    MenuButton* familiesMenuButton = nullptr;
    QMenu* familiesMenu = nullptr;
    // --- Footer link and command bar
    LinkLabel* publisherLink = nullptr;
    QFrame* commandBar = nullptr;
    QLabel* separatorLabel = nullptr;
    SpinEdit* separatorSpin = nullptr;
    QLabel* spacingLabel = nullptr;
    SpinEdit* spacingSpin = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* mailButton = nullptr;
    QPushButton* websiteButton = nullptr;
    QPushButton* printButton = nullptr;
    // The arrow inside "Imprimer"'s right edge and its one command, "Sujets
    // différents…", enabled once a sheet has been generated.
    QToolButton* printMenuButton = nullptr;
    QAction* variantSheetsAction = nullptr;
    // "Feuille composée…" at the end of the families menu, also on Ctrl+K.
    QAction* composedSheetAction = nullptr;
    // The arrow inside "Enregistrer"'s right edge and its one command,
    // "Ouvrir…", also on Ctrl+O.
    QToolButton* saveMenuButton = nullptr;
    QAction* openSheetAction = nullptr;
    QPushButton* choosePrinterButton = nullptr;
    QPushButton* previewButton = nullptr;
    QLabel* statementCopiesLabel = nullptr;
    SpinEdit* statementCopiesSpin = nullptr;
    QLabel* answerKeyCopiesLabel = nullptr;
    SpinEdit* answerKeyCopiesSpin = nullptr;
    MarkerShape* settingsChangedMarker = nullptr;
    // The confirmation after a save or a print, over the strip just above the
    // command bar for a few seconds; it needs no click.
    QLabel* statusLabel = nullptr;
    // Ctrl+S, Ctrl+P, Ctrl+Shift+P and F5.
    QShortcut* saveShortcut = nullptr;
    QShortcut* printShortcut = nullptr;
    QShortcut* previewShortcut = nullptr;
    QShortcut* previewKeyShortcut = nullptr;
    // --- Hidden until needed
    QFrame* waitPanel = nullptr; // wait panel shown while the settings are saved
    QFrame* waitPanelFrame = nullptr;
    QLabel* waitMessage = nullptr;
    vorn::PreviewBox* previewBox = nullptr; // page preview
    QMenu* spinContextMenu = nullptr;       // the spin edits' (empty) context menu
    // Window placement and the eight stored control values.
    FormStorage formStorage{this};

    // Program-wide state: sheet reference, question count, edit mode and the
    // one random generator.
    AppState state;

    // Decides whether the executable lies on a removable drive; replaceable so
    // that the closing step can be exercised without such a drive.
    std::function<bool()> removableDriveCheck;

    // The settings file: beside the executable, or for an installed copy in
    // the user's configuration folder (SettingsFileForExecutable).
    QString settingsFileName() const { return settingsFileName_; }
    // Height of the statement pane (the splitter position), at least 50.
    int statementPaneHeight() const;
    void setStatementPaneHeight(int height);

    // How long a confirmation stays.
    static constexpr int kStatusMs = 5000;
    // Shows a confirmation for kStatusMs, replacing any still shown.
    void ShowStatus(const QString& text);

    // Run as "Imprimer" starts its jobs: lets a test make the print as slow as
    // a busy spooler makes it.
    std::function<void()> beforePrint;

    // The application's standard error report: the message in a box.
    void ShowError(const QString& message);
    void ShowError(const std::exception& error);

    // Generates a sheet of that family and level, or of that composition,
    // into both panes, as a click on the family's button or menu entry does.
    void generateSheet(const vorn::SheetRecipe& recipe);
    void generateSheet(const vorn::SheetKind& kind) { generateSheet(vorn::SheetRecipe(kind)); }
    // Asks for the exercises of a composed sheet, starting from the last
    // composition stored in the settings file, then stores and generates it.
    void composeSheet();
    // The designed button of a family, or nullptr for a family of the menu.
    QPushButton* familyButton(const vorn::ExerciseFamily& family) const;
    // The menu entry of a family's level, or nullptr for a designed button's family.
    QAction* familyAction(const vorn::SheetKind& kind) const;

    // Opens a saved sheet into both panes (see ReadSavedSheet), or shows why
    // it cannot, changing nothing; true when it opened.
    bool openSheetFile(const QString& fileName);
    // Keeps the session in `fileName` at closing and brings back what it
    // holds now: the remembered printer, set size and menu entry, and, when
    // `restoreSheet`, both panes with their recipe. A missing or damaged file
    // changes nothing.
    void useSessionFile(const QString& fileName, bool restoreSheet);
    // What the session file would keep now.
    vorn::Session currentSession() const;
    // The recipe of the sheet the panes show (RecipeText), empty when unknown.
    std::string shownRecipeText() const;

public slots:
    void finishCreation();
    // Always allows the close.
    bool prepareToClose();

    void questionCountChanged();
    void titleChanged();
    void titleEntered();
    void titleLeft();

    void toggleEditMode();
    void statementChanged();
    void statementMouseDown();
    void statementMouseUp();
    void statementDragOver(bool& accept);
    void statementDropped();
    void statementDragEnded();
    void answerKeyMouseDown();
    void answerKeyMouseUp();
    void answerKeyDragOver(bool& accept);
    void answerKeyDropped();
    void answerKeyDragEnded();

    void saveSheet();
    void printCopies();
    // "Sujets différents…": asks how many different sheets, then prints them
    // or saves them as PDF, with their answer keys in the same order.
    void PrintVariantSheets();
    void choosePrinter();
    // "Ouvrir…": asks before replacing edited panes, then for the file.
    void openSheet();
    void showPreview();

    void openLink(const QUrl& url);
    void openMail();
    void openWebsite();
    void openPublisherPage();
    void boldenPublisherLink();
    void unboldenPublisherLink();
    void placementSaved() {}

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateTitleBar();
    void CreatePanes();
    void CreateExerciseBar();
    void CreateFamilyButtons();
    void CreateFamiliesMenu();
    void CreateCommandBar();
    void CreateHiddenPanels();
    void NameControls();
    void SetTabOrder();
    void ConnectHandlers();
    void LayoutBands();
    void pinCaret(RichTextPane& pane);
    // The sheet settings the controls hold now.
    vorn::SheetSettings sheetSettings() const;
    // False when the panes hold edits made since the last sheet and the
    // teacher does not want them replaced.
    bool MayReplaceSheet();
    void SetUpFormStorage();
    void CreateOpenCommand();
    // Shows the reference and takes the recipe of a sheet put in the panes
    // from a file or a session.
    void showSheetOf(const std::string& reference, const std::optional<vorn::SavedRecipe>& recipe);
    // Checks the menu entry of the recipe's family and level, if it has one.
    void markMenuKind(const vorn::SheetRecipe& recipe);
    // The PDF name proposed for a set; for a new draw, one that no file of
    // the save folder has yet (an answer key beside it included).
    QString proposedSetFileName(const QString& reference, int count, bool newDraw) const;
    // Writes the session file, when there is one, at closing.
    void keepSession();
    // The sheets' look from the settings file, at the first show; stored
    // again at each change.
    void RestoreSheetLook();

    // Controls that keep their distance to the right edge, with their
    // designed left position.
    std::vector<std::pair<QWidget*, int>> rightAnchored_;
    // Where each family is chosen: its designed button, or an entry per level.
    std::vector<std::pair<const vorn::ExerciseFamily*, QPushButton*>> familyButtons_;
    std::vector<std::pair<vorn::SheetKind, QAction*>> familyActions_;
    QString settingsFileName_;
    QString sessionFileName_;
    // True from a sheet restored from the session until the window first shows.
    bool sheetRestored_ = false;
    bool sheetLookRestored_ = false;
    // The statement's height as last set, and the room the two panes had
    // then (the designed 166 of 350): the layout keeps that share.
    int statementHeight_ = 166;
    int statementRoom_ = 350;
    int splitterDragBase_ = 166;
    bool generating_ = false;
    // True while "Imprimer" runs, so that a click held back meanwhile is refused.
    bool printing_ = false;
    QTimer* statusTimer_ = nullptr;
};
