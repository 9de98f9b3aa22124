#pragma once

#include <QString>
#include <QStringList>

// The short confirmations the window shows for a few seconds after a command.

// "2 fichiers enregistrés dans <folder>", the folder being that of the first
// file, written as the system writes it.
QString SavedFilesText(const QStringList& files);

// What a print sent, counted as the teacher counts sheets:
// "28 sujets et 28 corrigés envoyés à « <printer> »", or, for jobs written to
// PDF files beside `outputFile` (when it is not empty), "3 sujets enregistrés
// dans <folder>"; "Aucune impression envoyée" when nothing was sent.
QString PrintedSheetsText(int statements, int answerKeys, const QString& printerName,
                          const QString& outputFile);
