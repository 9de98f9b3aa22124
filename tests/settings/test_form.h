#pragma once

#include "settings/form_storage.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QSpinBox>
#include <QStringList>
#include <QWidget>

#include <climits>

namespace settings_test {

// A small window standing in for the program's main window: the eight stored
// controls with their designed values and handlers, wired to FormStorage as
// the main window is.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    static inline const QString kDesignedTitle = QString::fromUtf8(
        "Calculer (en détaillant)           Nom :                             Prénom : ");

    explicit MainWindow(const QString& iniFileName) : formStorage(this) {
        // Client area where the window would be centred; the frame lies around it.
        setGeometry(111, 104, 794, 522);

        titleEdit = new QLineEdit(kDesignedTitle, this);
        titleEdit->setObjectName("edtTitre");
        editModeCheck = new QCheckBox(QStringLiteral("Edite"), this);
        editModeCheck->setObjectName("ckbEdite");
        statementPane = new QWidget(this);
        statementPane->setObjectName("RxRichEdit1");
        statementPane->setMinimumHeight(50);
        statementPane->setGeometry(0, 49, 794, 166);
        questionCountSpin = Spin("spedtQuestions", 1, 40, 20);
        answerKeyCopiesSpin = Spin("spedtCorriges", 0, 99, 0);
        statementCopiesSpin = Spin("spedtSujets", 0, 99, 1);
        separatorSpin = Spin("spSepar", INT_MIN, INT_MAX, 120);
        spacingSpin = Spin("spInterL", 0, 5, 1);
        settingsChangedMarker = new QLabel(this);
        settingsChangedMarker->setObjectName("settingsChangedMarker");
        settingsChangedMarker->hide();

        connect(titleEdit, &QLineEdit::textChanged, this,
                [this] { settingsChangedMarker->show(); });
        connect(questionCountSpin, &QSpinBox::valueChanged, this,
                [this] { settingsChangedMarker->show(); });
        connect(editModeCheck, &QCheckBox::toggled, this, [this] { toggleEditMode(); });

        finishCreation(iniFileName);
    }

    ~MainWindow() override { formStorage.SaveAgainIfCloseFailed(); }

    void finishCreation(const QString& iniFileName) {
        formStorage.SetIniFileName(iniFileName);
        formStorage.SetIniSection(QStringLiteral("TForm1"));
        formStorage.SetErrorReporter([this](const QString& m) { errors << m; });
        formStorage.SetStoredProps({
            StoredProperty::Text(
                "edtTitre.Text", [this] { return titleEdit->text(); },
                [this](const QString& v) { titleEdit->setText(v); }),
            IntegerEntry("spedtQuestions.Value", questionCountSpin),
            StoredProperty::Integer(
                "RxRichEdit1.Height", [this] { return statementPane->height(); },
                [this](int v) { statementPane->resize(statementPane->width(), v); }),
            IntegerEntry("spedtCorriges.Value", answerKeyCopiesSpin),
            IntegerEntry("spedtSujets.Value", statementCopiesSpin),
            IntegerEntry("spSepar.Value", separatorSpin),
            IntegerEntry("spInterL.Value", spacingSpin),
            StoredProperty::Boolean(
                "ckbEdite.Checked", [this] { return editModeCheck->isChecked(); },
                [this](bool v) { editModeCheck->setChecked(v); }),
        });
    }

    void toggleEditMode() {
        EditMode = editModeCheck->isChecked();
        ++editClicks;
    }

    bool MarkerShown() const { return !settingsChangedMarker->isHidden(); }

    QLineEdit* titleEdit;
    QCheckBox* editModeCheck;
    QWidget* statementPane;
    QSpinBox* questionCountSpin;
    QSpinBox* answerKeyCopiesSpin;
    QSpinBox* statementCopiesSpin;
    QSpinBox* separatorSpin;
    QSpinBox* spacingSpin;
    QLabel* settingsChangedMarker;
    bool EditMode = false;
    int editClicks = 0;
    int closeQueries = 0;
    QStringList errors;
    FormStorage formStorage;

protected:
    void showEvent(QShowEvent* event) override {
        if (!event->spontaneous())
            formStorage.RestoreOnFirstShow();
        QWidget::showEvent(event);
    }

    void closeEvent(QCloseEvent* event) override {
        ++closeQueries; // prepareToClose of the real window
        event->accept();
        formStorage.SaveOnClose(event->isAccepted());
    }

private:
    QSpinBox* Spin(const char* name, int min, int max, int value) {
        auto* spin = new QSpinBox(this);
        spin->setObjectName(name);
        spin->setRange(min, max);
        spin->setValue(value);
        return spin;
    }

    static StoredProperty IntegerEntry(const QString& path, QSpinBox* spin) {
        return StoredProperty::Integer(
            path, [spin] { return spin->value(); }, [spin](int v) { spin->setValue(v); });
    }
};

} // namespace settings_test
