#pragma once

#include <QByteArray>

#include <optional>
#include <vector>

class QTextDocument;

namespace vorn {

// The page a document is laid out on, in twips: the paper and, on each side,
// the margin between its edge and the text.
struct RtfPage {
    int paperWidth = 0;
    int paperHeight = 0;
    int marginLeft = 0;
    int marginRight = 0;
    int marginTop = 0;
    int marginBottom = 0;
    bool operator==(const RtfPage&) const = default;
};

// A complete RTF 1 document (Windows-1252) of the document's content and
// character formatting; ReadRtf() gives it back unchanged, but for a
// highlight on an empty paragraph's mark, which shows nothing. Highlighted
// text is written as groups, "{\highlightN ...}". With a page, the
// document states it (\paperw, \paperh, \margl, \margr, \margt, \margb), so
// that other readers lay the text out on the same width and height.
QByteArray WriteRtf(const QTextDocument& doc, const std::optional<RtfPage>& page = std::nullopt);

// Several documents as one, each beginning on a new page ("\page"), with one
// font and colour table for them all; nothing for none. One document is
// written as WriteRtf() writes it.
QByteArray WriteRtfPages(const std::vector<const QTextDocument*>& docs,
                         const std::optional<RtfPage>& page = std::nullopt);

} // namespace vorn
