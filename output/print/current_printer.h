#pragma once

#include "output/pages/pdf_page_setup.h"

#include <QString>

#include <memory>

class QPrinter;
class QWidget;

namespace vorn {

// The one printer of the program: the system's default printer until the
// print dialog chooses another, then that one, with the paper, orientation and
// options chosen with it, until the program ends. Jobs and the preview's page
// size both come from it. It also knows whether a job is open, so that no
// second job starts inside one.
class CurrentPrinter {
public:
    CurrentPrinter();
    ~CurrentPrinter();
    CurrentPrinter(const CurrentPrinter&) = delete;
    CurrentPrinter& operator=(const CurrentPrinter&) = delete;

    // The printer, ready for a job or a measure. Throws UserError "Aucune
    // imprimante par défaut sélectionnée" when none has been chosen and the
    // system has no default printer, "Imprimante sélectionnée incorrecte" when
    // the printer can no longer be reached.
    QPrinter& Printer();

    // Shows the print dialog on the printer; true when the user confirms, and
    // then the choice holds for every later job. A cancel changes nothing.
    // "Print to file" proposes `sheetReference` + ".pdf". Throws UserError
    // "Aucune imprimante par défaut sélectionnée" when the system has no
    // printer at all to choose from.
    bool Choose(QWidget* parent, const QString& sheetReference);

    // From now on jobs are written as PDF to `pdfFile`, as the print dialog's
    // "print to file" does.
    void PrintToFile(const QString& pdfFile);

    // The PDF file jobs are written to; empty when they go to a queue.
    QString OutputFile() const;

    // The queue chosen for jobs when it is not the system's default one;
    // empty for the default and for a PDF file.
    QString ChosenQueue() const;
    // Makes the queue `name` the printer of every later job, as if chosen in
    // the dialog (used to bring back a choice of an earlier run); false,
    // changing nothing, when the system no longer has it.
    bool UseQueue(const QString& name);

    bool JobOpen() const { return jobOpen_; }

    // Marks a job as open for its lifetime. Throws UserError "Impression en
    // cours" when one already is.
    class Job {
    public:
        explicit Job(CurrentPrinter& printer);
        ~Job();
        Job(const Job&) = delete;
        Job& operator=(const Job&) = delete;

    private:
        CurrentPrinter& printer_;
    };

private:
    std::unique_ptr<QPrinter> printer_;
    bool jobOpen_ = false;
};

// The current printer's paper, printable area and resolution when one can be
// reached, LaserA4PageSetup() otherwise: a PDF needs no printer.
PdfPageSetup PageSetupOf(CurrentPrinter& printer);

} // namespace vorn
