#include "richtext/rtf_writer.h"

#include "richtext/tab_stops.h"

#include "richtext/font_charsets.h"
#include "richtext/question_lines.h"

#include "richtext/rtf_block_layout.h"
#include "richtext/rtf_font_properties.h"
#include "richtext/rtf_reader.h"
#include "text/cp1252.h"

#include <QBrush>
#include <QFont>
#include <QHash>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace vorn {

namespace {

struct FontDecl {
    QString name;
    QString familyClass; // "fnil" when the text came from elsewhere than RTF
    int pitch = -1;      // -1: not declared
    int charset = 0;
};

// The character formatting the writer expresses, as RTF numbers.
struct Props {
    enum class VAlign { Normal, Super, Sub };
    int font = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    VAlign valign = VAlign::Normal;
    int foreground = 0;
    int background = 0;
};

void AppendNumber(QByteArray& out, long long n) {
    out.append(QByteArray::number(n));
}

void AppendWord(QByteArray& out, const char* word, long long n) {
    out.append(word);
    AppendNumber(out, n);
    out.append(' ');
}

// Escapes text for RTF: syntax characters, Windows-1252 bytes above 127 as
// \'hh, everything else as \uN with "?" for readers without Unicode.
void AppendEscaped(QByteArray& out, QStringView text) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        switch (c) {
        case u'\\':
            out.append("\\\\");
            continue;
        case u'{':
            out.append("\\{");
            continue;
        case u'}':
            out.append("\\}");
            continue;
        case u'\t':
            out.append("\\tab ");
            continue;
        case u'\u2028':
            out.append("\\line ");
            continue;
        case u'\u00A0':
            out.append("\\~");
            continue;
        case u'\u00AD':
            out.append("\\-");
            continue;
        case u'\u2011':
            out.append("\\_");
            continue;
        case u'\uFFFC':
            continue; // an embedded object has no text to write
        default:
            break;
        }
        if (c < 0x20)
            continue;
        if (c < 0x80) {
            out.append(static_cast<char>(c));
            continue;
        }
        if (const int byte = UnicodeToCp1252(c); byte >= 0) {
            out.append("\\'");
            out.append(kHex[byte >> 4]);
            out.append(kHex[byte & 0xF]);
            continue;
        }
        out.append("\\u");
        AppendNumber(out, c > 0x7FFF ? static_cast<int>(c) - 0x10000 : static_cast<int>(c));
        out.append('?');
    }
}

// The colours that some readers (Word and those that follow it) take
// "\highlightN" to mean, whatever the colour table says: a document with
// highlights starts its colour table with them, so that each of these
// colours is the same under both readings, yellow at 7.
constexpr QRgb kWordHighlightColours[] = {
    0x000000, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFF00FF, 0xFF0000, 0xFFFF00, 0xFFFFFF,
    0x000080, 0x008080, 0x008000, 0x800080, 0x800000, 0x808000, 0x808080, 0xC0C0C0,
};

class DocumentWriter {
public:
    // `docs` is not empty; the first one gives the default tab and, without a
    // page, the text's width.
    DocumentWriter(const std::vector<const QTextDocument*>& docs,
                   const std::optional<RtfPage>& page)
        : docs_(docs), doc_(docs.front()), page_(page), defaultFont_(doc_->defaultFont()),
          questions_(QuestionOfEachParagraph(*doc_)) {}

    QByteArray Write() {
        if (std::any_of(docs_.begin(), docs_.end(), HasHighlight))
            for (const QRgb rgb : kWordHighlightColours)
                ColorIndex(QColor(rgb));
        for (std::size_t i = 0; i < docs_.size(); ++i) {
            if (i > 0) {
                StartDocument(*docs_[i]);
                // The page break, then the properties reset as at the start.
                body_.append("\\page\r\n\\pard\\plain ");
            }
            WriteContent();
        }

        QByteArray out;
        out.reserve(body_.size() + 512);
        out.append("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036\\deftab");
        AppendNumber(out, DefaultTabTwips(*docs_.front()));
        AppendFontTable(out);
        AppendColorTable(out);
        if (page_)
            AppendPage(out, *page_);
        out.append("\r\n\\viewkind4\\uc1\\pard\\plain ");
        out.append(body_);
        out.append("}\r\n");
        return out;
    }

private:
    void WriteContent() {
        for (auto it = doc_->rootFrame()->begin(); !it.atEnd(); ++it) {
            if (const QTextFrame* frame = it.currentFrame()) {
                if (const auto* table = qobject_cast<const QTextTable*>(frame))
                    WriteTable(*table);
                else
                    WriteBlocks(frame->firstCursorPosition().block(),
                                frame->lastCursorPosition().block(), false);
            } else {
                WriteBlocks(it.currentBlock(), it.currentBlock(), false);
            }
        }
    }

    // The next document goes on from the state "\\pard\\plain" leaves. The
    // groups of a paragraph are closed at its end, so none is open here.
    void StartDocument(const QTextDocument& doc) {
        doc_ = &doc;
        defaultFont_ = doc.defaultFont();
        questions_ = QuestionOfEachParagraph(doc);
        propsByFormat_.clear(); // format numbers are each document's own
        current_ = Props{};
        para_ = RtfParaProps{};
        tabs_ = false;
    }

    // The blocks from `first` to `last` as paragraphs; in a table cell the
    // last one ends with the cell mark.
    void WriteBlocks(QTextBlock block, const QTextBlock& last, bool inCell) {
        for (;; block = block.next()) {
            WriteBlock(block, inCell);
            const bool isLast = block == last || !block.next().isValid();
            if (inCell)
                body_.append(isLast ? "\\cell " : "\\par ");
            else if (block.next().isValid())
                body_.append("\\par\r\n");
            if (isLast)
                return;
        }
    }

    void WriteBlock(const QTextBlock& block, bool inTable) {
        RtfParaProps props = ParaPropsOf(block, inTable);
        const std::size_t n = std::size_t(block.blockNumber());
        props.keepWithNext = !inTable && n + 1 < questions_.size() && questions_[n] >= 0 &&
                             questions_[n + 1] == questions_[n];
        SwitchTo(props, block.text().contains(u'\t'));
        bool empty = true;
        if (const QString marker = ListMarkerOf(block); !marker.isEmpty()) {
            WriteRun(PropsOf(block.charFormat(), block.charFormatIndex()), marker);
            empty = false;
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || fragment.length() == 0)
                continue;
            WriteText(PropsOf(fragment.charFormat(), fragment.charFormatIndex()), fragment.text());
            empty = false;
        }
        CloseGroups();
        // An empty paragraph shows its mark's formatting (its height); a
        // highlight on a mark shows nothing and is left out, and the mark
        // keeps the paragraph's plain size.
        if (empty) {
            Props mark = PropsOf(block.charFormat(), block.charFormatIndex());
            mark.background = 0;
            mark.valign = Props::VAlign::Normal;
            SwitchTo(mark);
        }
    }

    // The set a character's font must declare; none for those written as
    // control words.
    static int CharsetOf(char16_t c) {
        switch (c) {
        case u'\u2028':
        case u'\u2011':
        case u'\uFFFC':
            return 0;
        default:
            return CharsetCovering(c);
        }
    }

    // Characters beyond Windows-1252 go in a font declared with a character
    // set that holds them (the same font otherwise), so that a reader that
    // picks fonts by their set shows them.
    void WriteText(const Props& props, QStringView text) {
        qsizetype start = 0;
        int charset = 0;
        for (qsizetype i = 0; i <= text.size(); ++i) {
            const int next = i < text.size() ? CharsetOf(text[i].unicode()) : -1;
            if (i > 0 && next == charset)
                continue;
            if (i > start) {
                Props run = props;
                if (charset != 0)
                    run.font = FontWithCharset(props.font, charset);
                WriteRun(run, text.mid(start, i - start));
            }
            start = i;
            charset = next;
        }
    }

    // Highlighted text goes in a group of its own, "{\\highlightN ...}", so
    // that the highlight ends with the group: readers disagree on what
    // "\\highlight0" means (AbiWord paints it black), and never need it.
    // Raised and lowered text goes in a group inside it, "{\\super 2}":
    // AbiWord ignores "\\nosupersub", and a paragraph mark left raised makes
    // its line taller in LibreOffice. Adjacent runs share their groups.
    void WriteRun(const Props& props, QStringView text) {
        if (props.background != openHighlight_) {
            CloseGroups();
            if (props.background != 0) {
                Props outside = props;
                outside.background = 0;
                outside.valign = Props::VAlign::Normal;
                SwitchTo(outside);
                body_.append('{');
                AppendWord(body_, "\\highlight", props.background);
                current_.background = props.background;
                openHighlight_ = props.background;
                outsideHighlight_ = outside;
            }
        }
        if (props.valign != openValign_) {
            CloseValign();
            if (props.valign != Props::VAlign::Normal) {
                Props outside = props;
                outside.valign = Props::VAlign::Normal;
                SwitchTo(outside);
                body_.append(props.valign == Props::VAlign::Super ? "{\\super " : "{\\sub ");
                current_.valign = props.valign;
                openValign_ = props.valign;
                outsideValign_ = outside;
            }
        }
        SwitchTo(props);
        AppendEscaped(body_, text);
    }

    void CloseValign() {
        if (openValign_ == Props::VAlign::Normal)
            return;
        body_.append('}');
        current_ = outsideValign_;
        openValign_ = Props::VAlign::Normal;
    }

    void CloseGroups() {
        CloseValign();
        if (openHighlight_ == 0)
            return;
        body_.append('}');
        current_ = outsideHighlight_;
        openHighlight_ = 0;
    }

    // Rows one by one, each with its cell edges and borders; a cell that a
    // span covers is written empty, so every row has all its cells.
    void WriteTable(const QTextTable& table) {
        const RtfTableGeometry geometry = TableGeometryOf(*doc_, table);
        QByteArray rowDef("\\trowd");
        AppendWord(rowDef, "\\trgaph", geometry.gap);
        for (const int right : geometry.cellRight) {
            if (geometry.borderWidth > 0) {
                for (const char* side : {"\\clbrdrt", "\\clbrdrl", "\\clbrdrb", "\\clbrdrr"}) {
                    rowDef.append(side);
                    rowDef.append("\\brdrs\\brdrw");
                    AppendNumber(rowDef, geometry.borderWidth);
                }
            }
            rowDef.append("\\cellx");
            AppendNumber(rowDef, right);
        }
        rowDef.append("\r\n");
        for (int r = 0; r < table.rows(); ++r) {
            body_.append(rowDef);
            for (int c = 0; c < table.columns(); ++c) {
                const QTextTableCell cell = table.cellAt(r, c);
                if (cell.row() != r || cell.column() != c) {
                    body_.append("\\cell ");
                    continue;
                }
                WriteBlocks(cell.firstCursorPosition().block(), cell.lastCursorPosition().block(),
                            true);
            }
            body_.append("\\row\r\n");
        }
    }

    // Writes the control words that take the paragraph properties to `next`:
    // only those that differ from what "\pard" leaves. A paragraph with tabs
    // states its stops, so that a reader that ignores \deftab (AbiWord) puts
    // them where the default ones are.
    void SwitchTo(const RtfParaProps& next, bool tabs) {
        if (next == para_ && (tabs_ || !tabs))
            return;
        QByteArray& out = body_;
        out.append("\\pard");
        if (next.inTable)
            out.append("\\intbl");
        switch (next.align) {
        case RtfParaProps::Align::Left:
            break;
        case RtfParaProps::Align::Center:
            out.append("\\qc");
            break;
        case RtfParaProps::Align::Right:
            out.append("\\qr");
            break;
        case RtfParaProps::Align::Justify:
            out.append("\\qj");
            break;
        }
        const auto length = [&out](const char* word, int twips) {
            if (twips == 0)
                return;
            out.append(word);
            AppendNumber(out, twips);
        };
        length("\\li", next.leftIndent);
        length("\\ri", next.rightIndent);
        length("\\fi", next.firstIndent);
        length("\\sb", next.spaceBefore);
        length("\\sa", next.spaceAfter);
        length("\\sl", next.lineSpacing);
        if (next.lineMultiple)
            out.append("\\slmult1");
        if (next.keepWithNext)
            out.append("\\keepn");
        if (tabs)
            AppendTabStops(out);
        out.append(' ');
        para_ = next;
        tabs_ = tabs;
    }

    // The default stops across the text's width: every stop a tab can reach
    // in a paragraph, and no more than a line holds.
    void AppendTabStops(QByteArray& out) const {
        const int step = DefaultTabTwips(*doc_);
        for (int stop = step; stop < textWidth_; stop += step) {
            out.append("\\tx");
            AppendNumber(out, stop);
        }
    }

    // The width the text is laid out on, in twips: the page's when given,
    // else the document's, else that of a Letter page with inch margins.
    int TextWidthTwips() const {
        if (page_)
            return page_->paperWidth - page_->marginLeft - page_->marginRight;
        const qreal pixels = doc_->textWidth();
        if (pixels > 0)
            return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
        return 9360;
    }

    void AppendFontTable(QByteArray& out) const {
        out.append("{\\fonttbl");
        for (std::size_t i = 0; i < fonts_.size(); ++i) {
            const FontDecl& font = fonts_[i];
            out.append("{\\f");
            AppendNumber(out, static_cast<long long>(i));
            out.append('\\');
            out.append(font.familyClass.toLatin1());
            if (font.pitch >= 0) {
                out.append("\\fprq");
                AppendNumber(out, font.pitch);
            }
            out.append("\\fcharset");
            AppendNumber(out, font.charset);
            out.append(' ');
            AppendEscaped(out, font.name);
            out.append(";}");
        }
        out.append('}');
    }

    // A saved file names its writer, then states its page. LibreOffice lays a
    // file that names no writer out with wider blanks, which wraps the answer
    // lines that runs of blanks line up.
    static void AppendPage(QByteArray& out, const RtfPage& page) {
        out.append("{\\*\\generator VORN 1.4;}");
        const auto length = [&out](const char* word, int twips) {
            out.append(word);
            AppendNumber(out, std::max(twips, 0));
        };
        length("\\paperw", page.paperWidth);
        length("\\paperh", page.paperHeight);
        length("\\margl", page.marginLeft);
        length("\\margr", page.marginRight);
        length("\\margt", page.marginTop);
        length("\\margb", page.marginBottom);
    }

    void AppendColorTable(QByteArray& out) const {
        out.append("{\\colortbl ;");
        for (const QColor& color : colors_) {
            out.append("\\red");
            AppendNumber(out, color.red());
            out.append("\\green");
            AppendNumber(out, color.green());
            out.append("\\blue");
            AppendNumber(out, color.blue());
            out.append(';');
        }
        out.append('}');
    }

    int FontWithCharset(int index, int charset) {
        FontDecl font = fonts_[static_cast<std::size_t>(index)];
        if (font.charset == charset || font.charset == kRtfSymbolCharset)
            return index; // a symbol font's characters are its own
        font.charset = charset;
        return FontIndex(std::move(font));
    }

    int FontIndex(const QTextCharFormat& format) {
        FontDecl font;
        const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
        font.name = families.isEmpty() ? defaultFont_.family() : families.first();
        font.familyClass = format.property(kRtfFontClassProperty).toString();
        if (font.familyClass.isEmpty() ||
            !std::all_of(font.familyClass.begin(), font.familyClass.end(),
                         [](QChar c) { return c >= u'a' && c <= u'z'; }))
            font.familyClass = QStringLiteral("fnil");
        if (format.hasProperty(kRtfFontPitchProperty))
            font.pitch = std::clamp(format.intProperty(kRtfFontPitchProperty), 0, 2);
        // The set a font declares follows the characters written in it:
        // Windows-1252 in the font itself, the rest in copies (see
        // WriteText). A set read from a file is thus not kept, not even that
        // of a copy this writer made, so that saving what was read gives the
        // same file again. A symbol font keeps its set: its characters are
        // its own glyphs.
        if (format.hasProperty(kRtfFontCharsetProperty) &&
            format.intProperty(kRtfFontCharsetProperty) == kRtfSymbolCharset)
            font.charset = kRtfSymbolCharset;
        return FontIndex(std::move(font));
    }

    int FontIndex(FontDecl font) {
        const QString key = font.name + QChar(0x1F) + font.familyClass + QChar(0x1F) +
                            QString::number(font.pitch) + QChar(0x1F) +
                            QString::number(font.charset);
        const auto it = fontIndex_.constFind(key);
        if (it != fontIndex_.cend())
            return it.value();
        const int index = static_cast<int>(fonts_.size());
        fonts_.push_back(std::move(font));
        fontIndex_.insert(key, index);
        return index;
    }

    // 0 for no colour, else the colour's 1-based entry in the table.
    int ColorIndex(const QTextCharFormat& format, QTextFormat::Property property) {
        if (!format.hasProperty(property))
            return 0;
        const QBrush brush = format.brushProperty(property);
        if (brush.style() == Qt::NoBrush)
            return 0;
        return ColorIndex(brush.color());
    }

    int ColorIndex(const QColor& color) {
        const QRgb rgb = color.rgb();
        const auto it = colorIndex_.constFind(rgb);
        if (it != colorIndex_.cend())
            return it.value();
        colors_.push_back(color);
        const int index = static_cast<int>(colors_.size());
        colorIndex_.insert(rgb, index);
        return index;
    }

    static bool HasHighlight(const QTextDocument* doc) {
        const QList<QTextFormat> formats = doc->allFormats();
        return std::any_of(formats.begin(), formats.end(), [](const QTextFormat& format) {
            return format.isCharFormat() && format.hasProperty(QTextFormat::BackgroundBrush) &&
                   format.brushProperty(QTextFormat::BackgroundBrush).style() != Qt::NoBrush;
        });
    }

    // Each of the document's formats is turned into RTF numbers once, however
    // many pieces of text use it.
    const Props& PropsOf(const QTextCharFormat& format, int formatIndex) {
        const auto it = propsByFormat_.find(formatIndex);
        if (it != propsByFormat_.end())
            return it->second;
        return propsByFormat_.emplace(formatIndex, MakeProps(format)).first->second;
    }

    Props MakeProps(const QTextCharFormat& format) {
        Props p;
        p.font = FontIndex(format);
        qreal points = format.fontPointSize();
        // Sizes pasted in pixels mean pixels of the 96 dpi screen.
        if (points <= 0 && format.hasProperty(QTextFormat::FontPixelSize))
            points = format.intProperty(QTextFormat::FontPixelSize) * 72.0 / 96.0;
        if (points <= 0)
            points = defaultFont_.pointSizeF();
        if (points <= 0 && defaultFont_.pixelSize() > 0)
            points = defaultFont_.pixelSize() * 72.0 / 96.0;
        p.halfPoints =
            points > 0 ? std::clamp(static_cast<int>(std::lround(points * 2)), 2, 3276) : 24;
        p.bold = format.fontWeight() >= QFont::DemiBold;
        p.italic = format.fontItalic();
        p.underline = format.fontUnderline();
        p.strike = format.fontStrikeOut();
        switch (format.verticalAlignment()) {
        case QTextCharFormat::AlignSuperScript:
            p.valign = Props::VAlign::Super;
            break;
        case QTextCharFormat::AlignSubScript:
            p.valign = Props::VAlign::Sub;
            break;
        default:
            p.valign = Props::VAlign::Normal;
            break;
        }
        p.foreground = ColorIndex(format, QTextFormat::ForegroundBrush);
        p.background = ColorIndex(format, QTextFormat::BackgroundBrush);
        return p;
    }

    // Writes the control words that take the current formatting to `next`.
    void SwitchTo(const Props& next) {
        QByteArray& out = body_;
        if (next.font != current_.font)
            AppendWord(out, "\\f", next.font);
        if (next.halfPoints != current_.halfPoints)
            AppendWord(out, "\\fs", next.halfPoints);
        if (next.bold != current_.bold)
            out.append(next.bold ? "\\b " : "\\b0 ");
        if (next.italic != current_.italic)
            out.append(next.italic ? "\\i " : "\\i0 ");
        if (next.underline != current_.underline)
            out.append(next.underline ? "\\ul " : "\\ulnone ");
        if (next.strike != current_.strike)
            out.append(next.strike ? "\\strike " : "\\strike0 ");
        if (next.foreground != current_.foreground)
            AppendWord(out, "\\cf", next.foreground);
        // The highlight and the raise are never switched here: only
        // WriteRun's groups carry them.
        current_ = next;
    }

    const std::vector<const QTextDocument*> docs_;
    const QTextDocument* doc_; // the one being written
    const std::optional<RtfPage> page_;
    QFont defaultFont_;
    // Which question each paragraph is a line of: they are kept on one page.
    std::vector<int> questions_;
    QByteArray body_;
    Props current_;          // what "\pard\plain" leaves: font 0, 12 points, no styles
    int openHighlight_ = 0;  // colour of the open highlight group; 0 when none is open
    Props outsideHighlight_; // what is in force outside that group
    Props::VAlign openValign_ = Props::VAlign::Normal; // the open raise or lowering group
    Props outsideValign_;                              // what is in force outside it
    RtfParaProps para_;
    bool tabs_ = false; // whether the paragraph properties in force state tab stops
    const int textWidth_ = TextWidthTwips();
    std::unordered_map<int, Props> propsByFormat_;
    std::vector<FontDecl> fonts_;
    QHash<QString, int> fontIndex_;
    std::vector<QColor> colors_;
    QHash<QRgb, int> colorIndex_;
};

} // namespace

QByteArray WriteRtf(const QTextDocument& doc, const std::optional<RtfPage>& page) {
    return DocumentWriter({&doc}, page).Write();
}

QByteArray WriteRtfPages(const std::vector<const QTextDocument*>& docs,
                         const std::optional<RtfPage>& page) {
    if (docs.empty())
        return {};
    return DocumentWriter(docs, page).Write();
}

} // namespace vorn
