#pragma once

#include "exercises/family_table.h"

#include <QString>

#include <memory>
#include <vector>

class QWidget;
class RichTextPane;

namespace vorn {

class CurrentPrinter;
class RandomSource;

// A set of different sheets of one kind, one per pupil: the sheet the panes
// show (edits included) and further sheets drawn fresh, one after the other,
// from the program's generator as further clicks would draw them, each loaded
// into panes of its own.
class SheetSet {
public:
    // `count` sheets in all (at least the shown one); sheets 2..count are of
    // `kind`, built with `settings`. Throws std::out_of_range as
    // GenerateSheet does.
    SheetSet(RichTextPane& statement, RichTextPane& answerKey, const SheetKind& kind,
             const SheetSettings& settings, int count, RandomSource& random);
    ~SheetSet();
    SheetSet(const SheetSet&) = delete;
    SheetSet& operator=(const SheetSet&) = delete;

    const std::vector<RichTextPane*>& Statements() const { return statements_; }
    const std::vector<RichTextPane*>& AnswerKeys() const { return answerKeys_; }

private:
    std::vector<std::unique_ptr<RichTextPane>> drawn_;
    std::vector<RichTextPane*> statements_;
    std::vector<RichTextPane*> answerKeys_;
};

// Prints every statement of the set as one job titled `firstReference` +
// ".rtf", then, when asked for, every answer key as one job titled
// `firstReference` + "-Cor.rtf"; each sheet starts on a new page. Throws
// UserError (the printer's errors).
void PrintSheetSet(CurrentPrinter& printer, const SheetSet& set, bool withAnswerKeys,
                   const QString& firstReference);

// Asks for a PDF name, proposing `firstReference` + ".pdf" in the working
// directory, and saves the statements there and, when asked for, the answer
// keys beside it ("_Cor.pdf"), laid out on the current printer's paper. A
// cancel writes nothing. Throws UserError (the save's errors).
void SaveSheetSetAsPdf(QWidget* parent, CurrentPrinter& printer, const SheetSet& set,
                       bool withAnswerKeys, const QString& firstReference);

} // namespace vorn
