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
// controls with their designed values and handlers, wired to TFormStorage as
// the main window is.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    static inline const QString kDesignedTitle = QString::fromUtf8(
        "Calculer (en détaillant)           Nom :                             Prénom : ");

    explicit TForm1(const QString& iniFileName) : FormStorage1(this) {
        // Client area where the window would be centred; the frame lies around it.
        setGeometry(111, 104, 794, 522);

        edtTitre = new QLineEdit(kDesignedTitle, this);
        edtTitre->setObjectName("edtTitre");
        ckbEdite = new QCheckBox(QStringLiteral("Edite"), this);
        ckbEdite->setObjectName("ckbEdite");
        RxRichEdit1 = new QWidget(this);
        RxRichEdit1->setObjectName("RxRichEdit1");
        RxRichEdit1->setMinimumHeight(50);
        RxRichEdit1->setGeometry(0, 49, 794, 166);
        spedtQuestions = Spin("spedtQuestions", 1, 40, 20);
        spedtCorriges = Spin("spedtCorriges", 0, 99, 0);
        spedtSujets = Spin("spedtSujets", 0, 99, 1);
        spSepar = Spin("spSepar", INT_MIN, INT_MAX, 120);
        spInterL = Spin("spInterL", 0, 5, 1);
        Shape1 = new QLabel(this);
        Shape1->setObjectName("Shape1");
        Shape1->hide();

        connect(edtTitre, &QLineEdit::textChanged, this, [this] { Shape1->show(); });
        connect(spedtQuestions, &QSpinBox::valueChanged, this, [this] { Shape1->show(); });
        connect(ckbEdite, &QCheckBox::toggled, this, [this] { ckbEditeClick(); });

        FormCreate(iniFileName);
    }

    ~TForm1() override { FormStorage1.FormDestroy(); }

    void FormCreate(const QString& iniFileName) {
        FormStorage1.SetIniFileName(iniFileName);
        FormStorage1.SetErrorReporter([this](const QString& m) { errors << m; });
        FormStorage1.SetStoredProps({
            TStoredProperty::Text(
                "edtTitre.Text", [this] { return edtTitre->text(); },
                [this](const QString& v) { edtTitre->setText(v); }),
            IntegerEntry("spedtQuestions.Value", spedtQuestions),
            TStoredProperty::Integer(
                "RxRichEdit1.Height", [this] { return RxRichEdit1->height(); },
                [this](int v) { RxRichEdit1->resize(RxRichEdit1->width(), v); }),
            IntegerEntry("spedtCorriges.Value", spedtCorriges),
            IntegerEntry("spedtSujets.Value", spedtSujets),
            IntegerEntry("spSepar.Value", spSepar),
            IntegerEntry("spInterL.Value", spInterL),
            TStoredProperty::Boolean(
                "ckbEdite.Checked", [this] { return ckbEdite->isChecked(); },
                [this](bool v) { ckbEdite->setChecked(v); }),
        });
    }

    void ckbEditeClick() {
        EditMode = ckbEdite->isChecked();
        ++editClicks;
    }

    bool MarkerShown() const { return !Shape1->isHidden(); }

    QLineEdit* edtTitre;
    QCheckBox* ckbEdite;
    QWidget* RxRichEdit1;
    QSpinBox* spedtQuestions;
    QSpinBox* spedtCorriges;
    QSpinBox* spedtSujets;
    QSpinBox* spSepar;
    QSpinBox* spInterL;
    QLabel* Shape1;
    bool EditMode = false;
    int editClicks = 0;
    int closeQueries = 0;
    QStringList errors;
    TFormStorage FormStorage1;

protected:
    void showEvent(QShowEvent* event) override {
        if (!event->spontaneous())
            FormStorage1.FormShow();
        QWidget::showEvent(event);
    }

    void closeEvent(QCloseEvent* event) override {
        ++closeQueries; // FormCloseQuery of the real window
        event->accept();
        FormStorage1.FormCloseQuery(event->isAccepted());
    }

private:
    QSpinBox* Spin(const char* name, int min, int max, int value) {
        auto* spin = new QSpinBox(this);
        spin->setObjectName(name);
        spin->setRange(min, max);
        spin->setValue(value);
        return spin;
    }

    static TStoredProperty IntegerEntry(const QString& path, QSpinBox* spin) {
        return TStoredProperty::Integer(
            path, [spin] { return spin->value(); }, [spin](int v) { spin->setValue(v); });
    }
};

} // namespace settings_test
