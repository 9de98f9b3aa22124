#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace vorn {

// Asks `question` with the buttons "Oui" and "Non". "Non" is the default
// button and Escape answers it: a hurried Return or Escape never loses work.
bool AskYesNo(QWidget* parent, const QString& question);

// The question before a save that would replace files: among `fileNames`,
// those that already exist (a link counts, even a broken one) are named in one
// question. True when none exists or the user agrees to replace them.
bool MayReplaceFiles(QWidget* parent, const QStringList& fileNames);

// The wording of that question for the names of the files that exist (folder
// left out); empty when there is none.
QString ReplaceFilesQuestion(const QStringList& existingNames);

} // namespace vorn
