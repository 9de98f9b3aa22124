#pragma once

#include <QByteArray>

#include <limits>
#include <memory>

class QTextDocument;

namespace vorn {

// Dynamic property of the document holding the RTF default tab width in twips
// (\deftab). Layout code turns it into device pixels for the device at hand.
inline constexpr char kDefTabTwipsProperty[] = "deftabTwips";

// Replaces the content of `doc` with the RTF document `rtf`. Never fails:
// malformed input is read as well as it can be, in time linear in its size.
void ReadRtf(const QByteArray& rtf, QTextDocument& doc);

class RtfReaderContext;
class RtfTokenizer;

// The same reading, a number of paragraphs at a time: a pane shows the first
// paragraphs of a long content before the rest is read. Between two calls
// the document holds whole paragraphs, outside any edit block, and nothing
// but this reading may insert into it.
class RtfReading {
public:
    // Empties `doc`, which must outlive the reading.
    RtfReading(const QByteArray& rtf, QTextDocument& doc);
    ~RtfReading();
    RtfReading(const RtfReading&) = delete;
    RtfReading& operator=(const RtfReading&) = delete;

    // Reads on until `paragraphs` more paragraphs of the main text have
    // ended (outside tables), or to the end. Returns true once the whole
    // document is read.
    bool Read(int paragraphs = std::numeric_limits<int>::max());

private:
    QByteArray rtf_;
    std::unique_ptr<RtfTokenizer> tokenizer_;
    std::unique_ptr<RtfReaderContext> context_;
    bool done_ = false;
};

} // namespace vorn
