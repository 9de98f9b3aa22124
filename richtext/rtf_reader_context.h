#pragma once

#include "richtext/tab_stops.h"

#include "richtext/rtf_char_props.h"
#include "richtext/rtf_format_cache.h"
#include "richtext/rtf_paragraph_props.h"
#include "richtext/rtf_table_props.h"

#include <QColor>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

class QTextDocument;
class QTextTable;

namespace vorn {

// What the text of a group is for.
enum class RtfDestination : std::uint8_t { Text, FontTable, ColorTable };

struct RtfGroupState {
    RtfCharProps chars;
    RtfParaProps para;
    RtfDestination destination = RtfDestination::Text;
    int unicodeSkip = 1; // \uc: fallback characters after each \u
};

// The reader's working state: the stack of group states, the font and colour
// tables, and the cursor building the document. Handlers of control words act
// on it; it never lets memory grow faster than the input.
class RtfReaderContext {
public:
    // Groups nested deeper than this share their parent's state.
    static constexpr int kMaxGroupDepth = 256;
    // Default tab width when the document sets none (half an inch).

    explicit RtfReaderContext(QTextDocument& doc);
    ~RtfReaderContext();
    RtfReaderContext(const RtfReaderContext&) = delete;
    RtfReaderContext& operator=(const RtfReaderContext&) = delete;

    void OpenGroup();
    void CloseGroup();
    // Ignores everything up to the end of the current group.
    void BeginSkip();
    bool Skipping() const { return skipping_; }

    RtfGroupState& State() { return stack_.back(); }
    RtfCharProps& Chars() { return stack_.back().chars; }
    RtfParaProps& Para() { return stack_.back().para; }
    void SetDestination(RtfDestination destination);

    // Text bytes (Windows-1252) and single characters, routed to the current
    // destination.
    void AppendBytes(std::string_view bytes);
    void AppendByte(unsigned char byte);
    void AppendChar(char16_t c);
    void Paragraph();
    // Paragraphs of the main text ended so far, outside tables.
    std::int64_t ParagraphsEnded() const { return paragraphsEnded_; }
    // Lets the document be laid out and shown between two parts of the
    // reading, and takes the reading up again.
    void Pause();
    void Resume();

    // Tables: \cell ends a cell, \row a row; \trowd starts the definition of
    // the rows that follow, \cellx adds a cell's right edge to it.
    void CellEnd();
    void RowEnd();
    void RowDefaults();
    void CellRight(int twips);
    void RowGap(int twips);
    // \clbrdrX starts a cell border; \brdrw and \brdrnone describe it.
    void CellBorder();
    void BorderWidth(int twips);
    void BorderNone();

    // \u fallback: after a Unicode character the next `State().unicodeSkip`
    // units of the input are its stand-ins and are dropped.
    void StartFallback() { fallbackLeft_ = State().unicodeSkip; }
    void ClearFallback() { fallbackLeft_ = 0; }
    // Drops one unit if a fallback is pending; true when it did.
    bool TakeFallback();
    // Drops the pending fallback bytes from the front of a text run.
    std::string_view DropFallback(std::string_view bytes);

    void SetDefaultFont(int number) { defaultFont_ = number; }
    void SetDefaultTab(int twips);

    // Font-table entries.
    void FontNumber(int number);
    void FontClass(std::string_view familyClass);
    void FontPitch(int pitch);
    void FontCharset(int charset);

    // Colour-table components; `which` is 0 red, 1 green, 2 blue.
    void ColorComponent(int which, int value);

    // Writes what is still pending. Call once, at the end of the input.
    void Finish();

private:
    struct FontEntry {
        QString name;
        QString familyClass;
        int pitch = -1;
        int charset = -1;
    };

    void Flush();
    // The character formatting of text read now: the group's, shaded by its
    // paragraph's shading where it has none of its own.
    RtfCharProps TextProps() const;
    // Moves the cursor to where text of a paragraph in (or out of) a table
    // goes: opens a table, moves on to the next cell or row, or leaves it.
    void EnsureTarget(bool inTable);
    void OpenTable();
    // Takes `cells` more table cells if the input has paid for them: no more
    // cells than cell edges, cell marks and row marks read so far, so that a
    // few bytes never make a large table.
    bool Afford(std::int64_t cells);
    void LeaveTable();
    void ApplyBlockFormat();
    // Gives the current paragraph's mark the formatting in force.
    void SetMarkFormat();
    void EndCellBorder();
    const QTextCharFormat& Format(const RtfCharProps& props, bool unshaped = false);
    void FinishFontEntry();
    void FinishColorEntry();
    QTextCharFormat MakeFormat(const RtfCharProps& props) const;
    const FontEntry* FindFont(int number) const;
    std::optional<QColor> FindColor(int index) const;

    QTextDocument& doc_;
    QTextCursor cursor_;
    RtfFormatCache formats_;
    // What the current block's format says, when known.
    std::optional<RtfParaProps> blockProps_ = RtfParaProps{};
    QTextBlockFormat blockFormat_; // the format that says blockProps_
    // What the current paragraph's mark is formatted with, when known.
    std::optional<RtfCharProps> markProps_;

    RtfRowProps rowDef_;
    int pendingBorder_ = -1; // width of the cell border being described; -1: none
    QTextTable* table_ = nullptr;
    int row_ = 0;
    int column_ = 0;
    bool cellEnded_ = false;
    bool rowEnded_ = false;
    std::int64_t tableBudget_ = 0;
    std::int64_t tableCells_ = 0;

    bool editOpen_ = true;
    std::int64_t paragraphsEnded_ = 0;
    std::vector<RtfGroupState> stack_;
    std::int64_t overflowDepth_ = 0; // groups beyond kMaxGroupDepth, sharing the top state
    bool skipping_ = false;
    std::int64_t skipNesting_ = 0; // groups opened inside the skipped one
    int fallbackLeft_ = 0;

    QString pending_;
    RtfCharProps pendingProps_;

    int defaultFont_ = 0;
    std::map<int, FontEntry> fonts_;
    // Font numbers that declare an earlier entry's font again, in another
    // character set, and the number of that entry.
    std::map<int, int> fontAliases_;
    bool fontEntryOpen_ = false;
    std::size_t fontEntryDepth_ = 0;
    int fontNumber_ = 0;
    FontEntry fontEntry_;

    std::vector<std::optional<QColor>> colors_;
    int colorParts_[3] = {0, 0, 0};
    bool colorSet_ = false;
};

} // namespace vorn
