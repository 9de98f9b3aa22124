#pragma once

#include <QString>
#include <QStringList>

// The short confirmations the window shows for a few seconds after a command.

// "2 fichiers enregistrés dans <folder>", the folder being that of the first
// file, written as the system writes it.
QString SavedFilesText(const QStringList& files);

// "3 impressions envoyées à « <printer> »"; "Aucune impression envoyée" for 0.
QString PrintJobsText(int jobs, const QString& printerName);

// "3 impressions enregistrées dans <folder>", for jobs written to PDF files
// beside `outputFile`.
QString PrintedFilesText(int jobs, const QString& outputFile);
