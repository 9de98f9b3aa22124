#include "richtext/rtf_control_words.h"

#include "richtext/rtf_reader_context.h"
#include "richtext/rtf_tokenizer.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace vorn {

namespace {

using Ctx = RtfReaderContext;
using Tok = RtfToken;
using VAlign = RtfCharProps::VAlign;

// "\b" and "\b1" switch on, "\b0" switches off.
bool On(const Tok& t) {
    return !t.hasParam || t.param != 0;
}
int Param(const Tok& t, int absent) {
    return t.hasParam ? t.param : absent;
}

// Word's own bounds for a font size: 1 to 1638 points.
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 3276;
// Beyond this a \uc count means nothing sensible.
constexpr int kMaxUnicodeSkip = 255;

void Skip(Ctx& c, const Tok&) {
    c.BeginSkip();
}

void FontTable(Ctx& c, const Tok&) {
    c.SetDestination(RtfDestination::FontTable);
}
void ColorTable(Ctx& c, const Tok&) {
    c.SetDestination(RtfDestination::ColorTable);
}

void Deff(Ctx& c, const Tok& t) {
    c.SetDefaultFont(Param(t, 0));
}
void Deftab(Ctx& c, const Tok& t) {
    if (t.hasParam && t.param > 0)
        c.SetDefaultTab(t.param);
}
void Uc(Ctx& c, const Tok& t) {
    c.State().unicodeSkip = std::clamp(Param(t, 1), 0, kMaxUnicodeSkip);
}
void U(Ctx& c, const Tok& t) {
    if (!t.hasParam)
        return;
    // Code units above 32767 are written as negative numbers.
    int unit = t.param < 0 ? t.param + 65536 : t.param;
    if (unit < 0 || unit > 0xFFFF)
        unit = u'?';
    // Control characters and the object placeholder have no text to show;
    // the fallback is skipped all the same.
    if (unit == u'\t' || (unit >= 0x20 && unit != 0xFFFC))
        c.AppendChar(static_cast<char16_t>(unit));
    c.StartFallback();
}

void Plain(Ctx& c, const Tok&) {
    c.Chars() = RtfCharProps{};
}
void Font(Ctx& c, const Tok& t) {
    if (c.State().destination == RtfDestination::FontTable)
        c.FontNumber(Param(t, 0));
    else
        c.Chars().font = Param(t, -1);
}
void FontSize(Ctx& c, const Tok& t) {
    const int halfPoints = Param(t, 24);
    c.Chars().halfPoints =
        halfPoints <= 0 ? 24 : std::clamp(halfPoints, kMinHalfPoints, kMaxHalfPoints);
}
void Bold(Ctx& c, const Tok& t) {
    c.Chars().bold = On(t);
}
void Italic(Ctx& c, const Tok& t) {
    c.Chars().italic = On(t);
}
void Underline(Ctx& c, const Tok& t) {
    c.Chars().underline = On(t);
}
void UnderlineNone(Ctx& c, const Tok&) {
    c.Chars().underline = false;
}
void Strike(Ctx& c, const Tok& t) {
    c.Chars().strike = On(t);
}
void Super(Ctx& c, const Tok&) {
    c.Chars().valign = VAlign::Super;
}
void Sub(Ctx& c, const Tok&) {
    c.Chars().valign = VAlign::Sub;
}
void NoSuperSub(Ctx& c, const Tok&) {
    c.Chars().valign = VAlign::Normal;
}
// \upN and \dnN raise or lower by N half-points; Qt only knows the two
// positions, so any raise is a superscript.
void Up(Ctx& c, const Tok& t) {
    c.Chars().valign = Param(t, 6) > 0 ? VAlign::Super : VAlign::Normal;
}
void Down(Ctx& c, const Tok& t) {
    c.Chars().valign = Param(t, 6) > 0 ? VAlign::Sub : VAlign::Normal;
}
void Foreground(Ctx& c, const Tok& t) {
    c.Chars().foreground = std::max(0, Param(t, 0));
}
void Background(Ctx& c, const Tok& t) {
    c.Chars().background = std::max(0, Param(t, 0));
}
void Shading(Ctx& c, const Tok& t) {
    c.Chars().shading = std::max(0, Param(t, 0));
}
// A paragraph's shading ends with its paragraph properties, at \pard.
void ParagraphShading(Ctx& c, const Tok& t) {
    c.Para().shading = std::max(0, Param(t, 0));
}

void Par(Ctx& c, const Tok&) {
    c.Paragraph();
}
void Pard(Ctx& c, const Tok&) {
    c.Para() = RtfParaProps{};
}
template <RtfParaProps::Align A> void Align(Ctx& c, const Tok&) {
    c.Para().align = A;
}
int Length(const Tok& t) {
    return std::clamp(Param(t, 0), -kMaxLengthTwips, kMaxLengthTwips);
}
int Space(const Tok& t) {
    return std::clamp(Param(t, 0), 0, kMaxLengthTwips);
}
void LeftIndent(Ctx& c, const Tok& t) {
    c.Para().leftIndent = Length(t);
}
void RightIndent(Ctx& c, const Tok& t) {
    c.Para().rightIndent = Length(t);
}
void FirstIndent(Ctx& c, const Tok& t) {
    c.Para().firstIndent = Length(t);
}
void SpaceBefore(Ctx& c, const Tok& t) {
    c.Para().spaceBefore = Space(t);
}
void SpaceAfter(Ctx& c, const Tok& t) {
    c.Para().spaceAfter = Space(t);
}
void LineSpacing(Ctx& c, const Tok& t) {
    c.Para().lineSpacing = Length(t);
}
void LineMultiple(Ctx& c, const Tok& t) {
    c.Para().lineMultiple = On(t);
}
void InTable(Ctx& c, const Tok& t) {
    c.Para().inTable = On(t);
}
void Cell(Ctx& c, const Tok&) {
    c.CellEnd();
}
void Row(Ctx& c, const Tok&) {
    c.RowEnd();
}
void RowDefaults(Ctx& c, const Tok&) {
    c.RowDefaults();
}
void CellRight(Ctx& c, const Tok& t) {
    c.CellRight(Param(t, 0));
}
void RowGap(Ctx& c, const Tok& t) {
    c.RowGap(Param(t, 0));
}
void CellBorder(Ctx& c, const Tok&) {
    c.CellBorder();
}
void BorderWidth(Ctx& c, const Tok& t) {
    c.BorderWidth(Param(t, 0));
}
void BorderNone(Ctx& c, const Tok&) {
    c.BorderNone();
}

void Line(Ctx& c, const Tok&) {
    c.AppendChar(u'\u2028');
}
void Tab(Ctx& c, const Tok&) {
    c.AppendChar(u'\t');
}
template <char16_t C> void Char(Ctx& c, const Tok&) {
    c.AppendChar(C);
}

void FontClass(Ctx& c, const Tok& t) {
    c.FontClass(t.word);
}
void Pitch(Ctx& c, const Tok& t) {
    c.FontPitch(Param(t, 0));
}
void Charset(Ctx& c, const Tok& t) {
    c.FontCharset(Param(t, 0));
}
void Red(Ctx& c, const Tok& t) {
    c.ColorComponent(0, Param(t, 0));
}
void Green(Ctx& c, const Tok& t) {
    c.ColorComponent(1, Param(t, 0));
}
void Blue(Ctx& c, const Tok& t) {
    c.ColorComponent(2, Param(t, 0));
}

using Table = std::unordered_map<std::string_view, RtfControlWordHandler>;

Table BuildTable() {
    Table table{
        {"fonttbl", FontTable},
        {"colortbl", ColorTable},
        {"deff", Deff},
        {"deftab", Deftab},
        {"uc", Uc},
        {"u", U},
        {"plain", Plain},
        {"f", Font},
        {"fs", FontSize},
        {"b", Bold},
        {"i", Italic},
        {"ul", Underline},
        {"ulnone", UnderlineNone},
        {"strike", Strike},
        {"striked", Strike},
        {"super", Super},
        {"sub", Sub},
        {"nosupersub", NoSuperSub},
        {"up", Up},
        {"dn", Down},
        {"cf", Foreground},
        {"highlight", Background},
        // LibreOffice marks highlighted text with a background shading.
        {"cb", Shading},
        {"cbpat", ParagraphShading},
        {"chcbpat", Shading},
        {"par", Par},
        {"sect", Par},
        {"page", Par},
        {"row", Row},
        {"pard", Pard},
        {"ql", Align<RtfParaProps::Align::Left>},
        {"qc", Align<RtfParaProps::Align::Center>},
        {"qr", Align<RtfParaProps::Align::Right>},
        {"qj", Align<RtfParaProps::Align::Justify>},
        {"li", LeftIndent},
        {"lin", LeftIndent},
        {"ri", RightIndent},
        {"rin", RightIndent},
        {"fi", FirstIndent},
        {"sb", SpaceBefore},
        {"sa", SpaceAfter},
        {"sl", LineSpacing},
        {"slmult", LineMultiple},
        {"intbl", InTable},
        {"trowd", RowDefaults},
        {"cellx", CellRight},
        {"trgaph", RowGap},
        {"clbrdrt", CellBorder},
        {"clbrdrl", CellBorder},
        {"clbrdrb", CellBorder},
        {"clbrdrr", CellBorder},
        {"brdrw", BorderWidth},
        {"brdrnone", BorderNone},
        {"line", Line},
        {"tab", Tab},
        {"cell", Cell},
        {"emdash", Char<u'\u2014'>},
        {"endash", Char<u'\u2013'>},
        {"emspace", Char<u'\u2003'>},
        {"enspace", Char<u'\u2002'>},
        {"qmspace", Char<u'\u2005'>},
        {"bullet", Char<u'\u2022'>},
        {"lquote", Char<u'\u2018'>},
        {"rquote", Char<u'\u2019'>},
        {"ldblquote", Char<u'\u201C'>},
        {"rdblquote", Char<u'\u201D'>},
        {"fprq", Pitch},
        {"fcharset", Charset},
        {"red", Red},
        {"green", Green},
        {"blue", Blue},
    };
    // Every kind of underline reads as the one underline Qt draws.
    for (const char* word :
         {"uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth", "ulthd",
          "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"})
        table.emplace(word, Underline);
    for (const char* word :
         {"fnil", "froman", "fswiss", "fmodern", "fscript", "fdecor", "ftech", "fbidi"})
        table.emplace(word, FontClass);
    // Destinations whose content is never shown.
    for (const char* word : {"info",
                             "stylesheet",
                             "pict",
                             "fldinst",
                             "header",
                             "headerl",
                             "headerr",
                             "headerf",
                             "footer",
                             "footerl",
                             "footerr",
                             "footerf",
                             "footnote",
                             "object",
                             "objdata",
                             "themedata",
                             "colorschememapping",
                             "latentstyles",
                             "datastore",
                             "xmlnstbl",
                             "listtable",
                             "listoverridetable",
                             "rsidtbl",
                             "generator",
                             "filetbl",
                             "revtbl",
                             "private",
                             "userprops",
                             "docvar",
                             "nonshppict",
                             "shp",
                             "shpinst",
                             "pgdsctbl",
                             "xe",
                             "tc",
                             "txe",
                             "annotation",
                             "atnid",
                             "atnauthor",
                             "ftnsep",
                             "ftnsepc",
                             "ftncn",
                             "aftnsep",
                             "aftnsepc",
                             "aftncn",
                             "template",
                             "bkmkstart",
                             "bkmkend",
                             "pn",
                             "fontemb",
                             "fontfile",
                             "panose",
                             "falt",
                             "mmathPr",
                             "listpicture",
                             "pgptbl",
                             "protusertbl",
                             "wgrffmtfilter"})
        table.emplace(word, Skip);
    return table;
}

} // namespace

RtfControlWordHandler FindControlWordHandler(std::string_view word) {
    static const Table table = BuildTable();
    const auto it = table.find(word);
    return it == table.end() ? nullptr : it->second;
}

void HandleControlSymbol(RtfReaderContext& context, unsigned char symbol) {
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        context.AppendChar(symbol);
        return;
    case '~':
        context.AppendChar(u'\u00A0');
        return;
    case '-':
        context.AppendChar(u'\u00AD');
        return;
    case '_':
        context.AppendChar(u'\u2011');
        return;
    case '*':
        context.BeginSkip();
        return;
    case '\r':
    case '\n':
        context.Paragraph(); // a backslash before a line break is a \par
        return;
    default:
        return; // undefined symbols stand for nothing
    }
}

} // namespace vorn
