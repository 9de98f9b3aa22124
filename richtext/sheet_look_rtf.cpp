#include "richtext/sheet_look_rtf.h"

#include "richtext/markup_converter.h"

#include <algorithm>
#include <stdexcept>

namespace vorn {

namespace {

// Sizes in half-points.
constexpr std::string_view kAdaptedTextSize = "28";
constexpr std::string_view kAdaptedHeaderSize = "32";
// The header line of every sheet is the one written at this size.
constexpr std::string_view kStandardHeaderTag = "<te=24>";
constexpr std::string_view kStandardTextSize = "18";
// A run of spaces this long aligns a text on a standard sheet; a run of
// hyphens this long is a separator line.
constexpr std::size_t kAligningSpaces = 8;
constexpr std::size_t kSeparatorHyphens = 10;
// Line spacing of one and a half lines, in RTF's 240ths of a line.
constexpr std::string_view kOneAndHalfLines = "\\sl360\\slmult1";

char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

class Restyler {
public:
    explicit Restyler(const SheetLook& look) : look_(look) {}

    std::string Run(std::string_view markup) {
        out_.reserve(markup.size() + markup.size() / 8);
        for (std::size_t at = 0; at < markup.size();) {
            if (markup[at] != '<') {
                const std::size_t end = std::min(markup.find('<', at), markup.size());
                Text(markup.substr(at, end - at));
                at = end;
                continue;
            }
            const std::size_t close = markup.find('>', at);
            const std::size_t end = close == std::string_view::npos ? markup.size() : close + 1;
            Tag(markup.substr(at, end - at));
            at = end;
        }
        return std::move(out_);
    }

private:
    void Text(std::string_view text) {
        if (!look_.Adapted()) {
            out_ += text;
            return;
        }
        for (std::size_t at = 0; at < text.size();) {
            const char c = text[at];
            const std::size_t end = std::min(text.find_first_not_of(c, at), text.size());
            const std::size_t run = end - at;
            if (c == ' ' && run >= kAligningSpaces) {
                // Left out: an adapted sheet is left-aligned.
            } else if (c == '-' && run >= kSeparatorHyphens) {
                out_ += "<te=";
                out_ += kStandardTextSize;
                out_ += '>';
                out_.append(run, '-');
                out_ += "<te=";
                out_ += size_;
                out_ += '>';
            } else {
                out_.append(run, c);
            }
            at = end;
        }
    }

    // `tag` runs from "<" to ">" (or the end of the markup) included.
    void Tag(std::string_view tag) {
        std::string folded;
        folded.reserve(tag.size());
        for (const char c : tag)
            folded += Folded(c);
        if (look_.boxedResults) {
            if (folded == "<cf=jaune>") {
                out_ += tag;
                out_ += "<b><u>";
                return;
            }
            if (folded == "<cf=auto>") {
                out_ += "</u></b>";
                out_ += tag;
                return;
            }
        }
        if (look_.Adapted()) {
            if (folded == "<i>" || folded == "</i>")
                return;
            if (folded == "<times>" || folded == "<courier>") {
                out_ += "<arial>";
                return;
            }
            if (folded.starts_with("<te=")) {
                size_ = folded == kStandardHeaderTag ? kAdaptedHeaderSize : kAdaptedTextSize;
                out_ += "<te=";
                out_ += size_;
                out_ += '>';
                return;
            }
        }
        out_ += tag;
    }

    const SheetLook& look_;
    std::string out_;
    // The size in force, as the adapted markup writes it; RTF's default of
    // 12 points before any.
    std::string_view size_ = "24";
};

} // namespace

bool IsPlainFontName(std::string_view font) {
    return !font.empty() && font.size() <= 64 && std::all_of(font.begin(), font.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == ' ';
    });
}

std::string AdaptedRtfHeader(std::string_view font) {
    if (!IsPlainFontName(font))
        throw std::invalid_argument("not a plain font name: " + std::string(font));
    std::string header(RtfHeader);
    constexpr std::string_view kFirstFace = "\\f0\\fswiss\\fprq2\\fcharset0 Arial;";
    const std::size_t face = header.find(kFirstFace);
    header.replace(face, kFirstFace.size(),
                   "\\f0\\fswiss\\fprq2\\fcharset0 " + std::string(font) + ";");
    constexpr std::string_view kBodyStart = "\\pard\\f0 ";
    header.replace(header.size() - kBodyStart.size(), kBodyStart.size(),
                   "\\pard" + std::string(kOneAndHalfLines) + "\\f0 ");
    return header;
}

std::string ConvertMarkupToRtf(std::string_view markup, const SheetLook& look) {
    if (!look.Adapted() && !look.boxedResults)
        return ConvertMarkupToRtf(markup);
    // The markup ends at its first zero byte.
    markup = markup.substr(0, markup.find('\0'));
    std::string rtf = ConvertMarkupToRtf(Restyler(look).Run(markup));
    if (look.Adapted())
        rtf.replace(0, RtfHeader.size(), AdaptedRtfHeader(look.adaptedFont));
    return rtf;
}

} // namespace vorn
