#pragma once

#include <QImage>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// poppler-utils and qpdf, run on a PDF the tests made.

// The page count pdfinfo reads, or -1 when the file is no complete PDF.
int PdfPages(const QString& pdf);
// The text of one page (from 1), or of the whole document when page is 0.
QString PdfText(const QString& pdf, int page = 0);
// The words pdftotext finds on one page (from 1), each with the left edge of
// its box in points from the page's left edge.
QList<QPair<QString, double>> PdfWordLefts(const QString& pdf, int page);
// A field of pdfinfo's report ("Title", "Page size"), empty when missing.
QString PdfInfoField(const QString& pdf, const QString& field);
// The "emb" column of pdffonts, one entry per font; empty when none is listed.
QStringList PdfFontsEmbedded(const QString& pdf);
// One page (from 1) rendered by pdftoppm at `dpi`; null when it failed.
QImage PdfPageImage(const QString& pdf, int page, int dpi);
// What `qpdf --check` reports about the file's structure (cross-reference
// offsets, lengths, trailers); empty when it finds neither an error nor a
// warning.
QString QpdfProblems(const QString& pdf);
