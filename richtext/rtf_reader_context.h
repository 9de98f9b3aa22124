#pragma once

#include <QColor>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

class QTextDocument;

namespace vorn {

// Character properties as RTF keeps them: indexes into the document's font
// and colour tables, resolved into a Qt format only when text is inserted.
struct RtfCharProps {
    enum class VAlign : std::uint8_t { Normal, Super, Sub };
    int font = -1;       // font number; -1 is the document's default font (\deff)
    int halfPoints = 24; // \fs
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    VAlign valign = VAlign::Normal;
    int foreground = 0; // colour-table index; 0 is the automatic colour
    int background = 0; // colour-table index; 0 is no background
    bool operator==(const RtfCharProps&) const = default;
};

// What the text of a group is for.
enum class RtfDestination : std::uint8_t { Text, FontTable, ColorTable };

struct RtfGroupState {
    RtfCharProps chars;
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
    static constexpr int kDefaultTabTwips = 720;

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
    void SetDestination(RtfDestination destination);

    // Text bytes (Windows-1252) and single characters, routed to the current
    // destination.
    void AppendBytes(std::string_view bytes);
    void AppendByte(unsigned char byte);
    void AppendChar(char16_t c);
    void Paragraph();

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
    void FinishFontEntry();
    void FinishColorEntry();
    QTextCharFormat MakeFormat(const RtfCharProps& props) const;
    const FontEntry* FindFont(int number) const;
    std::optional<QColor> FindColor(int index) const;

    QTextDocument& doc_;
    QTextCursor cursor_;
    bool editOpen_ = true;
    std::vector<RtfGroupState> stack_;
    std::int64_t overflowDepth_ = 0; // groups beyond kMaxGroupDepth, sharing the top state
    bool skipping_ = false;
    std::int64_t skipNesting_ = 0; // groups opened inside the skipped one
    int fallbackLeft_ = 0;

    QString pending_;
    RtfCharProps pendingProps_;

    int defaultFont_ = 0;
    std::map<int, FontEntry> fonts_;
    bool fontEntryOpen_ = false;
    std::size_t fontEntryDepth_ = 0;
    int fontNumber_ = 0;
    FontEntry fontEntry_;

    std::vector<std::optional<QColor>> colors_;
    int colorParts_[3] = {0, 0, 0};
    bool colorSet_ = false;
};

} // namespace vorn
