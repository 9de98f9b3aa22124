#include "richtext/rtf_reader_context.h"

#include "richtext/highlight_colours.h"
#include "richtext/rtf_font_properties.h"
#include "richtext/rtf_reader.h"
#include "text/cp1252.h"

#include <QBrush>
#include <QFont>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextDocument>
#include <QTextOption>
#include <QTextTable>

#include <algorithm>
#include <cstdlib>

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
    if (State().destination != RtfDestination::Text) {
        for (const char c : bytes)
            AppendByte(static_cast<unsigned char>(c));
        return;
    }
    // A text token is one run: the formatting is looked at once for it.
    const RtfCharProps props = TextProps();
    if (!pending_.isEmpty() && pendingProps_ != props)
        Flush();
    if (pending_.isEmpty())
        pendingProps_ = props;
    const auto readsAsLatin1 = [](unsigned char byte) {
        return (byte >= 0x20 && byte < 0x80) || byte >= 0xA0;
    };
    for (std::size_t i = 0; i < bytes.size();) {
        // Windows-1252 reads as Latin-1 but for its controls and 0x80-0x9F:
        // such runs are converted at once.
        const std::size_t run = i;
        while (i < bytes.size() && readsAsLatin1(static_cast<unsigned char>(bytes[i])))
            ++i;
        if (i > run)
            pending_.append(QLatin1StringView(bytes.data() + run, qsizetype(i - run)));
        if (i == bytes.size())
            break;
        const auto byte = static_cast<unsigned char>(bytes[i++]);
        if (byte >= 0x20)
            pending_.append(QChar(static_cast<char16_t>(Cp1252ToUnicode(byte))));
        else if (byte == '\t')
            pending_.append(QLatin1Char('\t'));
    }
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

RtfCharProps RtfReaderContext::TextProps() const {
    RtfCharProps props = stack_.back().chars;
    if (const auto alias = fontAliases_.find(props.font); alias != fontAliases_.end())
        props.font = alias->second;
    if (props.shading == 0)
        props.shading = stack_.back().para.shading;
    return props;
}

void RtfReaderContext::AppendChar(char16_t c) {
    switch (State().destination) {
    case RtfDestination::Text: {
        const RtfCharProps props = TextProps();
        if (!pending_.isEmpty() && pendingProps_ != props)
            Flush();
        if (pending_.isEmpty())
            pendingProps_ = props;
        pending_.append(QChar(c));
        return;
    }
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
    EnsureTarget(Para().inTable);
    ApplyBlockFormat();
    // The paragraph mark takes the character formatting in force at the
    // break; it is what an empty paragraph shows.
    SetMarkFormat();
    // The new paragraph's mark starts with the same formatting, which is
    // what it keeps unless the formatting changes before its end.
    cursor_.insertBlock(blockFormat_, Format(Chars()));
    markProps_ = Chars();
    if (!table_)
        ++paragraphsEnded_;
}

void RtfReaderContext::CellEnd() {
    ++tableBudget_;
    if (State().destination != RtfDestination::Text)
        return;
    Flush();
    EnsureTarget(true); // a cell mark puts its paragraph in a table
    ApplyBlockFormat();
    SetMarkFormat();
    cellEnded_ = true;
}

void RtfReaderContext::RowEnd() {
    ++tableBudget_;
    if (State().destination != RtfDestination::Text)
        return;
    if (!table_) {
        Paragraph(); // a row mark outside any table ends a paragraph
        return;
    }
    Flush();
    if (rowEnded_)
        EnsureTarget(true); // an empty row is still a row
    rowEnded_ = true;
    cellEnded_ = false;
}

void RtfReaderContext::RowDefaults() {
    EndCellBorder();
    rowDef_ = RtfRowProps{};
}

void RtfReaderContext::CellRight(int twips) {
    ++tableBudget_;
    EndCellBorder();
    if (static_cast<int>(rowDef_.cellRight.size()) < RtfRowProps::kMaxCells)
        rowDef_.cellRight.push_back(std::clamp(twips, 0, kMaxLengthTwips));
}

void RtfReaderContext::RowGap(int twips) {
    rowDef_.gap = std::clamp(twips, 0, kMaxLengthTwips);
}

void RtfReaderContext::CellBorder() {
    EndCellBorder();
    pendingBorder_ = kTwipsPerPixel; // a border of no stated width is a thin line
}

void RtfReaderContext::BorderWidth(int twips) {
    if (pendingBorder_ >= 0)
        pendingBorder_ = std::clamp(twips, 0, kMaxBorderTwips);
}

void RtfReaderContext::BorderNone() {
    if (pendingBorder_ >= 0)
        pendingBorder_ = 0;
}

void RtfReaderContext::EndCellBorder() {
    if (pendingBorder_ > 0)
        rowDef_.borderWidth = std::max(rowDef_.borderWidth, pendingBorder_);
    pendingBorder_ = -1;
}

void RtfReaderContext::EnsureTarget(bool inTable) {
    if (!inTable) {
        if (table_)
            LeaveTable();
        return;
    }
    if (!table_) {
        OpenTable();
        return;
    }
    if (rowEnded_) {
        const int wanted = std::max<int>(1, static_cast<int>(rowDef_.cellRight.size()));
        if (wanted > table_->columns() && Afford(table_->rows() * (wanted - table_->columns())))
            table_->appendColumns(wanted - table_->columns());
        if (!Afford(table_->columns())) {
            // A row that the input has not paid for: its text joins the last cell.
            rowEnded_ = cellEnded_ = false;
            return;
        }
        table_->appendRows(1);
        ++row_;
        column_ = 0;
    } else if (cellEnded_) {
        if (column_ + 1 >= table_->columns()) {
            if (table_->columns() >= RtfRowProps::kMaxCells || !Afford(table_->rows())) {
                // No room for another cell: its text joins the last one.
                cellEnded_ = false;
                return;
            }
            table_->appendColumns(1);
        }
        ++column_;
    } else {
        return;
    }
    rowEnded_ = cellEnded_ = false;
    cursor_.setPosition(table_->cellAt(row_, column_).firstPosition());
    blockProps_.reset();
    markProps_.reset();
}

bool RtfReaderContext::Afford(std::int64_t cells) {
    if (tableCells_ + cells > tableBudget_)
        return false;
    tableCells_ += cells;
    return true;
}

void RtfReaderContext::OpenTable() {
    EndCellBorder();
    const int columns = std::max<int>(1, static_cast<int>(rowDef_.cellRight.size()));
    tableCells_ += columns; // paid for by the cell edges or the mark that opens it
    QTextTableFormat format;
    format.setCellSpacing(0);
    format.setCellPadding(static_cast<qreal>(rowDef_.gap) / kTwipsPerPixel);
    format.setBorderCollapse(true);
    if (rowDef_.borderWidth > 0) {
        format.setBorder(
            std::max<qreal>(1.0, static_cast<qreal>(rowDef_.borderWidth) / kTwipsPerPixel));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(QBrush(Qt::black));
    } else {
        format.setBorder(0);
    }
    if (!rowDef_.cellRight.empty()) {
        QList<QTextLength> widths;
        int left = 0;
        for (const int right : rowDef_.cellRight) {
            widths.append(
                QTextLength(QTextLength::FixedLength,
                            static_cast<qreal>(std::max(right - left, 0)) / kTwipsPerPixel));
            left = std::max(left, right);
        }
        format.setColumnWidthConstraints(widths);
    }
    // Qt keeps a paragraph before every table. The paragraph mark that ended
    // the text before the table has opened an empty one, which would be
    // that paragraph and one more: the table goes at the end of the text.
    const QTextBlock block = cursor_.block();
    const QTextBlock previous = block.previous();
    if (block.length() == 1 && previous.isValid() &&
        QTextCursor(previous).currentFrame() == cursor_.currentFrame())
        cursor_.deletePreviousChar();
    table_ = cursor_.insertTable(1, columns, format);
    row_ = column_ = 0;
    rowEnded_ = cellEnded_ = false;
    cursor_.setPosition(table_->cellAt(0, 0).firstPosition());
    blockProps_.reset();
    markProps_.reset();
}

void RtfReaderContext::LeaveTable() {
    // Qt keeps a paragraph after every table: the text goes on there.
    cursor_.setPosition(table_->lastPosition() + 1);
    table_ = nullptr;
    rowEnded_ = cellEnded_ = false;
    blockProps_.reset();
    markProps_.reset();
}

void RtfReaderContext::SetMarkFormat() {
    if (markProps_ && *markProps_ == Chars())
        return;
    cursor_.setBlockCharFormat(Format(Chars()));
    markProps_ = Chars();
}

void RtfReaderContext::ApplyBlockFormat() {
    RtfParaProps props = Para();
    props.inTable = false; // the table itself says that
    if (blockProps_ && *blockProps_ == props)
        return;
    // Only what differs from the defaults: a plain paragraph keeps the
    // plain format Qt gives every new paragraph.
    QTextBlockFormat format;
    switch (props.align) {
    case RtfParaProps::Align::Left:
        break;
    case RtfParaProps::Align::Center:
        format.setAlignment(Qt::AlignHCenter);
        break;
    case RtfParaProps::Align::Right:
        format.setAlignment(Qt::AlignRight);
        break;
    case RtfParaProps::Align::Justify:
        format.setAlignment(Qt::AlignJustify);
        break;
    }
    const auto set = [&format](void (QTextBlockFormat::*setter)(qreal), int twips) {
        if (twips != 0)
            (format.*setter)(static_cast<qreal>(twips) / kTwipsPerPixel);
    };
    set(&QTextBlockFormat::setLeftMargin, props.leftIndent);
    set(&QTextBlockFormat::setRightMargin, props.rightIndent);
    set(&QTextBlockFormat::setTextIndent, props.firstIndent);
    set(&QTextBlockFormat::setTopMargin, props.spaceBefore);
    set(&QTextBlockFormat::setBottomMargin, props.spaceAfter);
    if (props.lineSpacing > 0 && props.lineMultiple)
        format.setLineHeight(100.0 * props.lineSpacing / kTwipsPerLine,
                             QTextBlockFormat::ProportionalHeight);
    else if (props.lineSpacing != 0 && !props.lineMultiple)
        format.setLineHeight(std::abs(props.lineSpacing) / qreal(kTwipsPerPixel),
                             props.lineSpacing > 0 ? QTextBlockFormat::MinimumHeight
                                                   : QTextBlockFormat::FixedHeight);
    cursor_.setBlockFormat(format);
    blockFormat_ = format;
    blockProps_ = props;
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
    // The same font declared again for another character set (as this
    // program's writer does for mathematical signs) is the same font: its
    // text joins the runs around it instead of splitting them. A symbol
    // font's set is part of what it is.
    // An entry declared again is a new font: nothing names it through an
    // alias any more.
    fontAliases_.erase(fontNumber_);
    std::erase_if(fontAliases_, [this](const auto& alias) { return alias.second == fontNumber_; });
    const auto isSymbol = [](const FontEntry& f) { return f.charset == kRtfSymbolCharset; };
    for (const auto& [number, font] : fonts_) {
        if (number != fontNumber_ && font.name == fontEntry_.name &&
            font.familyClass == fontEntry_.familyClass && font.pitch == fontEntry_.pitch &&
            isSymbol(font) == isSymbol(fontEntry_) && !fontAliases_.contains(number)) {
            fontAliases_[fontNumber_] = number;
            break;
        }
    }
    fonts_[fontNumber_] = std::move(fontEntry_);
    formats_.Clear();
    markProps_.reset();
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
    formats_.Clear();
    markProps_.reset();
    colorParts_[0] = colorParts_[1] = colorParts_[2] = 0;
    colorSet_ = false;
}

void RtfReaderContext::Pause() {
    if (editOpen_)
        cursor_.endEditBlock();
    editOpen_ = false;
}

void RtfReaderContext::Resume() {
    if (!editOpen_)
        cursor_.beginEditBlock();
    editOpen_ = true;
}

void RtfReaderContext::Finish() {
    Flush();
    if (!table_)
        ApplyBlockFormat();
    // The last paragraph has no mark of its own: it keeps the formatting in
    // force at the end, which is what shows when it is empty.
    SetMarkFormat();
    cursor_.endEditBlock();
    editOpen_ = false;
}

void RtfReaderContext::Flush() {
    if (pending_.isEmpty())
        return;
    EnsureTarget(Para().inTable);
    cursor_.insertText(pending_,
                       formats_.RunFormat(pendingProps_, pending_,
                                          [this](const RtfCharProps& p) { return MakeFormat(p); }));
    pending_.resize(0);
}

const QTextCharFormat& RtfReaderContext::Format(const RtfCharProps& props, bool unshaped) {
    return formats_.Get(RtfFormatKey{props, unshaped},
                        [this](const RtfCharProps& p) { return MakeFormat(p); });
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
    // A highlight shows above any shading; the pane shows shading as the
    // highlight it looks most like.
    if (const auto color = FindColor(props.background))
        format.setBackground(QBrush(*color));
    else if (const auto shade = FindColor(props.shading))
        format.setBackground(QBrush(NearestHighlightColour(*shade)));
    return format;
}

} // namespace vorn
