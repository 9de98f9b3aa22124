#pragma once

#include "exercises/adapted_copies.h"
#include "exercises/sheet_recipe.h"
#include "output/pages/progress_tick.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

class QWidget;
class RichTextPane;

namespace vorn {

class CurrentPrinter;
class RandomSource;

// A set of different sheets of one kind, one per pupil: the sheet the panes
// show (edits included) and further sheets drawn fresh, one after the other,
// from the program's generator as further clicks would draw them, each loaded
// into panes of its own. Once drawn, a set stays the same however often it is
// printed or saved.
class SheetSet {
public:
    // `count` sheets in all (at least the shown one, whose reference is
    // `shownReference`); sheets 2..count are drawn from `recipe`
    // (a family at a level or a composition), built with `settings`. `tick` is told of each sheet
    // drawn. The last adapted.count sheets (at most count - 1: the shown
    // sheet stays first) are adapted copies (AdaptedCopyOf), so that a
    // teacher hands them out last. Throws std::out_of_range as GenerateSheet
    // does, WorkCancelled when stopped.
    SheetSet(RichTextPane& statement, RichTextPane& answerKey, const QString& shownReference,
             const SheetRecipe& recipe, const SheetSettings& settings, int count,
             RandomSource& random, const ProgressTick& tick = {},
             const AdaptedCopies& adapted = {});
    ~SheetSet();
    SheetSet(const SheetSet&) = delete;
    SheetSet& operator=(const SheetSet&) = delete;

    int Size() const { return static_cast<int>(statements_.size()); }
    // The sheets' references, in order.
    const QStringList& References() const { return references_; }
    // The adapted copies it was drawn with, their count brought within range.
    const AdaptedCopies& Adapted() const { return adapted_; }
    const std::vector<RichTextPane*>& Statements() const { return statements_; }
    const std::vector<RichTextPane*>& AnswerKeys() const { return answerKeys_; }
    // The title of the set's PDF files, after its first and last sheets
    // (SheetsTitle).
    QString Title() const;

private:
    std::vector<std::unique_ptr<RichTextPane>> drawn_;
    std::vector<RichTextPane*> statements_;
    std::vector<RichTextPane*> answerKeys_;
    QStringList references_;
    AdaptedCopies adapted_;
};

// The name proposed for a set's PDF: the first reference, then the number of
// sheets ("VN1_047383_5sujets.pdf"), so that it never takes the name of the
// single sheet's file.
QString SheetSetFileName(const QString& firstReference, int count);

// Prints every statement of the set as one job titled `firstReference` +
// ".rtf", then, when asked for, every answer key as one job titled
// `firstReference` + "-Cor.rtf"; each sheet starts on a new page. Printed to
// a file, the two jobs go to two files named as the first copies of a single
// sheet (see CopyFiles). `tick` is told of each sheet printed. Throws
// UserError (the printer's errors).
void PrintSheetSet(CurrentPrinter& printer, const SheetSet& set, bool withAnswerKeys,
                   const QString& firstReference, const ProgressTick& tick = {},
                   const std::string& recipe = {});

// Asks for a PDF name, proposing `proposedName` in the save folder, and, when
// the files would replace others (the answer keys' "_Cor.pdf" beside it
// included when asked for), whether to replace them. The chosen name, ending
// in ".pdf", or an empty string when the user cancels or refuses.
QString AskSheetSetPdfName(QWidget* parent, const QString& proposedName, bool withAnswerKeys);

// Saves the statements to `fileName` and, when asked for, the answer keys
// beside it ("_Cor.pdf"), laid out on the current printer's paper and titled
// `title`. Both documents are laid out before either file is written, so a
// stop (WorkCancelled) leaves no file behind. Throws UserError (the save's
// errors). Returns the files written. A non-empty `recipe` travels in both
// files (see SaveSheets).
QStringList SaveSheetSetAsPdf(CurrentPrinter& printer, const SheetSet& set, bool withAnswerKeys,
                              const QString& fileName, const QString& title,
                              const ProgressTick& tick = {}, const std::string& recipe = {});

} // namespace vorn
