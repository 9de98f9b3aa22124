#pragma once

#include <QString>

namespace vorn {

// The title of a PDF of sheets: the sheet's reference for one sheet; for a
// set, the first and last references and the count, "VN1_038620 à
// VN1_771203 (3 feuilles)", so that a reader's window or a list of documents
// tells the sets apart.
QString SheetsTitle(const QString& firstReference, const QString& lastReference, int count);

// The title of the answer keys' PDF beside statements titled `title`:
// "VN1_038620 - Corrigé".
QString AnswerKeyTitle(const QString& title);

// The title of a PDF that a print job named `jobName` writes to a file, the
// same as a save gives it: "VN1_038620.rtf" gives "VN1_038620",
// "VN1_038620-Cor.rtf" gives "VN1_038620 - Corrigé"; any other name stays.
QString PrintedPdfTitle(const QString& jobName);

} // namespace vorn
