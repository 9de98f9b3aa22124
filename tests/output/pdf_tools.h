#pragma once

#include <QString>

// poppler-utils, run on a PDF the tests made.

// The page count pdfinfo reads, or -1 when the file is no complete PDF.
int PdfPages(const QString& pdf);
// The text of one page (from 1), or of the whole document when page is 0.
QString PdfText(const QString& pdf, int page = 0);
