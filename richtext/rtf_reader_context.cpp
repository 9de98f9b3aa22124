#include "richtext/rtf_reader_context.h"

#include "exercises/cp1252.h"
#include "richtext/rtf_font_properties.h"
#include "richtext/rtf_reader.h"

#include <QBrush>
#include <QFont>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>

namespace vorn {

namespace {

// Twips per pixel at the 96 dpi the document's own default layout uses.
constexpr double kTwipsPerScreenPixel = 1440.0 / 96.0;

QFont::StyleHint StyleHintOf(const QString& familyClass) {
    if (familyClass == QLatin1String("fswiss"))
        return QFont::SansSerif;
    if (familyClass == QLatin1String("froman"))
        return QFont::Serif;
    if (familyClass == QLatin1String("fmodern"))
        return QFont::TypeWriter;
    if (familyClass == QLatin1String("fscript"))
        return QFont::Cursive;
    if (familyClass == QLatin1String("fdecor"))
        return QFont::Decorative;
    return QFont::AnyStyle;
}

} // namespace

RtfReaderContext::RtfReaderContext(QTextDocument& doc) : doc_(doc), cursor_(&doc) {
    stack_.reserve(kMaxGroupDepth);
    stack_.emplace_back();
    SetDefaultTab(kDefaultTabTwips);
    // One edit block for the whole read: outside one, every insertion lays
    // out its paragraph again to place the cursor, which makes long
    // paragraphs of many formats quadratic.
    cursor_.beginEditBlock();
}

RtfReaderContext::~RtfReaderContext() {
    // Reached without Finish() only when an exception unwinds the read; the
    // document must not be left inside an edit block.
    if (editOpen_)
        cursor_.endEditBlock();
}

void RtfReaderContext::OpenGroup() {
    if (skipping_) {
        ++skipNesting_;
        return;
    }
    if (static_cast<int>(stack_.size()) >= kMaxGroupDepth) {
        ++overflowDepth_;
        return;
    }
    stack_.push_back(stack_.back());
}

void RtfReaderContext::CloseGroup() {
    if (skipping_) {
        if (skipNesting_ > 0) {
            --skipNesting_;
            return;
        }
        skipping_ = false; // the skipped group itself closes below
    }
    if (overflowDepth_ > 0) {
        --overflowDepth_;
        return;
    }
    // The outermost group is the document: a brace that would close it early
    // (a stray "}" in the text) is ignored so that the rest still shows.
    if (stack_.size() <= 2)
        return;
    const RtfDestination closing = stack_.back().destination;
    // A font entry ends with the group it began in (or the table), not with
    // a subgroup such as its panose number.
    if (closing == RtfDestination::FontTable && stack_.size() <= fontEntryDepth_)
        FinishFontEntry();
    else if (closing == RtfDestination::ColorTable && colorSet_)
        FinishColorEntry();
    stack_.pop_back();
}

void RtfReaderContext::BeginSkip() {
    skipping_ = true;
    skipNesting_ = 0;
}

void RtfReaderContext::SetDestination(RtfDestination destination) {
    // A table opened in a group that shares its parent's state could never be
    // closed again; such deep tables are dropped.
    if (overflowDepth_ > 0 && destination != RtfDestination::Text) {
        BeginSkip();
        return;
    }
    State().destination = destination;
}

void RtfReaderContext::AppendBytes(std::string_view bytes) {
    for (const char c : bytes)
        AppendByte(static_cast<unsigned char>(c));
}

void RtfReaderContext::AppendByte(unsigned char byte) {
    if (byte == '\t') {
        AppendChar(u'\t');
        return;
    }
    if (byte < 0x20)
        return; // control bytes have no place in the text
    AppendChar(static_cast<char16_t>(Cp1252ToUnicode(byte)));
}

void RtfReaderContext::AppendChar(char16_t c) {
    switch (State().destination) {
    case RtfDestination::Text:
        if (!pending_.isEmpty() && pendingProps_ != Chars())
            Flush();
        if (pending_.isEmpty())
            pendingProps_ = Chars();
        pending_.append(QChar(c));
        return;
    case RtfDestination::FontTable:
        if (!fontEntryOpen_)
            return;
        if (c == u';')
            FinishFontEntry();
        else
            fontEntry_.name.append(QChar(c));
        return;
    case RtfDestination::ColorTable:
        if (c == u';')
            FinishColorEntry();
        return;
    }
}

void RtfReaderContext::Paragraph() {
    if (State().destination != RtfDestination::Text)
        return;
    Flush();
    // The paragraph mark takes the character formatting in force at the
    // break; it is what an empty paragraph shows.
    cursor_.setBlockCharFormat(MakeFormat(Chars()));
    cursor_.insertBlock();
}

bool RtfReaderContext::TakeFallback() {
    if (fallbackLeft_ <= 0)
        return false;
    --fallbackLeft_;
    return true;
}

std::string_view RtfReaderContext::DropFallback(std::string_view bytes) {
    if (fallbackLeft_ <= 0)
        return bytes;
    const auto n = std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(fallbackLeft_));
    fallbackLeft_ -= static_cast<int>(n);
    return bytes.substr(n);
}

void RtfReaderContext::SetDefaultTab(int twips) {
    twips = std::clamp(twips, 1, 32767);
    doc_.setProperty(kDefTabTwipsProperty, twips);
    QTextOption option = doc_.defaultTextOption();
    option.setTabStopDistance(twips / kTwipsPerScreenPixel);
    doc_.setDefaultTextOption(option);
}

void RtfReaderContext::FontNumber(int number) {
    if (State().destination != RtfDestination::FontTable)
        return;
    FinishFontEntry();
    fontEntryOpen_ = true;
    fontEntryDepth_ = stack_.size();
    fontNumber_ = number;
    fontEntry_ = FontEntry{};
}

void RtfReaderContext::FontClass(std::string_view familyClass) {
    if (fontEntryOpen_ && State().destination == RtfDestination::FontTable)
        fontEntry_.familyClass = QString::fromLatin1(familyClass.data(), familyClass.size());
}

void RtfReaderContext::FontPitch(int pitch) {
    if (fontEntryOpen_ && State().destination == RtfDestination::FontTable)
        fontEntry_.pitch = std::clamp(pitch, 0, 2);
}

void RtfReaderContext::FontCharset(int charset) {
    if (fontEntryOpen_ && State().destination == RtfDestination::FontTable)
        fontEntry_.charset = std::clamp(charset, 0, 255);
}

void RtfReaderContext::FinishFontEntry() {
    if (!fontEntryOpen_)
        return;
    fontEntryOpen_ = false;
    fontEntry_.name = fontEntry_.name.trimmed();
    fonts_[fontNumber_] = std::move(fontEntry_);
    fontEntry_ = FontEntry{};
}

void RtfReaderContext::ColorComponent(int which, int value) {
    if (State().destination != RtfDestination::ColorTable)
        return;
    colorParts_[which] = std::clamp(value, 0, 255);
    colorSet_ = true;
}

void RtfReaderContext::FinishColorEntry() {
    if (colorSet_)
        colors_.emplace_back(QColor(colorParts_[0], colorParts_[1], colorParts_[2]));
    else
        colors_.emplace_back(std::nullopt); // an empty entry is the automatic colour
    colorParts_[0] = colorParts_[1] = colorParts_[2] = 0;
    colorSet_ = false;
}

void RtfReaderContext::Finish() {
    Flush();
    // The last paragraph has no mark of its own: it keeps the formatting in
    // force at the end, which is what shows when it is empty.
    cursor_.setBlockCharFormat(MakeFormat(Chars()));
    cursor_.endEditBlock();
    editOpen_ = false;
}

void RtfReaderContext::Flush() {
    if (pending_.isEmpty())
        return;
    cursor_.insertText(pending_, MakeFormat(pendingProps_));
    pending_.resize(0);
}

const RtfReaderContext::FontEntry* RtfReaderContext::FindFont(int number) const {
    auto it = fonts_.find(number);
    if (it == fonts_.end())
        it = fonts_.find(defaultFont_);
    return it == fonts_.end() ? nullptr : &it->second;
}

std::optional<QColor> RtfReaderContext::FindColor(int index) const {
    if (index <= 0 || static_cast<std::size_t>(index) >= colors_.size())
        return std::nullopt;
    return colors_[static_cast<std::size_t>(index)];
}

QTextCharFormat RtfReaderContext::MakeFormat(const RtfCharProps& props) const {
    QTextCharFormat format;
    if (const FontEntry* font = FindFont(props.font < 0 ? defaultFont_ : props.font)) {
        if (!font->name.isEmpty()) {
            format.setFontFamilies(QStringList{font->name});
            format.setProperty(kRtfFontNameProperty, font->name);
        }
        format.setFontStyleHint(StyleHintOf(font->familyClass));
        if (!font->familyClass.isEmpty())
            format.setProperty(kRtfFontClassProperty, font->familyClass);
        if (font->pitch >= 0)
            format.setProperty(kRtfFontPitchProperty, font->pitch);
        if (font->charset >= 0)
            format.setProperty(kRtfFontCharsetProperty, font->charset);
    }
    format.setFontPointSize(props.halfPoints / 2.0);
    format.setFontWeight(props.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(props.italic);
    format.setFontUnderline(props.underline);
    format.setFontStrikeOut(props.strike);
    switch (props.valign) {
    case RtfCharProps::VAlign::Normal:
        format.setVerticalAlignment(QTextCharFormat::AlignNormal);
        break;
    case RtfCharProps::VAlign::Super:
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        break;
    case RtfCharProps::VAlign::Sub:
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        break;
    }
    if (const auto color = FindColor(props.foreground))
        format.setForeground(QBrush(*color));
    if (const auto color = FindColor(props.background))
        format.setBackground(QBrush(*color));
    return format;
}

} // namespace vorn
