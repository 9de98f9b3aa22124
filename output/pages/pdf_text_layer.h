#pragma once

#include <QByteArray>
#include <QPointF>

#include <vector>

class QPainter;
class QPagedPaintDevice;
class QTextDocument;

namespace vorn {

// Qt's PDF writer tells readers which character each embedded glyph stands
// for only for characters of the Basic Multilingual Plane: an emoji or a
// mathematical letter, usually drawn from a fallback font, is visible on the
// page but missing from its text (a search, a copy or pdftotext does not find
// it). These two steps put those characters back into the text layer.

// One character beyond the Basic Multilingual Plane, drawn once, alone, off
// the page, before anything else of the document.
struct CharacterProbe {
    char32_t character;
    QPointF at; // device pixels
};

// Draws each character beyond the Basic Multilingual Plane that `documents`
// hold, once for each font it appears in, off the first page of `device`
// (no reader shows or extracts what lies off the page), so that the PDF
// states which glyph of which font it became. Call it first, on the first
// page.
std::vector<CharacterProbe> DrawCharacterProbes(QPainter& painter, QPagedPaintDevice& device,
                                                const std::vector<const QTextDocument*>& documents);

// The PDF Qt wrote, with an incremental update that adds to each font's
// character map the probed characters its glyphs stand for. Returns `pdf`
// unchanged when there is nothing to add or the file is not laid out as Qt
// writes it.
QByteArray WithProbedCharacters(const QByteArray& pdf, const std::vector<CharacterProbe>& probes);

} // namespace vorn
