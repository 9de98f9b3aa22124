#include "richtext/markup_converter.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vorn {

const std::string_view RtfHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deftab2880\\deff0\\deflang1036"
    "{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Arial;}{\\f1\\froman\\fprq2\\fcharset0 Times New "
    "Roman;}"
    "{\\f2\\fmodern\\fprq1\\fcharset0 Courier New;}{\\f3\\froman\\fprq2\\fcharset2 Symbol;}"
    "{\\f4\\fswiss\\fcharset0 Arial;}}"
    "{\\colortbl ;\\red0\\green0\\blue0;\\red128\\green0\\blue0;\\red0\\green128\\blue0;"
    "\\red128\\green128\\blue0;\\red0\\green0\\blue128;\\red128\\green0\\blue128;"
    "\\red0\\green128\\blue128;\\red128\\green128\\blue128;\\red192\\green192\\blue192;"
    "\\red255\\green0\\blue0;\\red0\\green255\\blue0;\\red255\\green255\\blue0;"
    "\\red0\\green0\\blue255;\\red255\\green0\\blue255;\\red0\\green255\\blue255;"
    "\\red255\\green255\\blue255;}"
    "\\viewkind4\\uc1\\pard\\f0 ";

namespace {

struct ColourName {
    std::string_view name; // Windows-1252 bytes, lower case
    int index;
};

// Every colour-table entry by its French name; entry 0 (automatic) has two.
constexpr std::array<ColourName, 18> kColourNames{{
    {"auto", 0},
    {"automatique", 0},
    {"noir", 1},
    {"marron", 2},
    {"vert", 3},
    {"olive", 4},
    {"bleu fonc\xE9", 5},
    {"violet", 6},
    {"cyan", 7},
    {"gris fonc\xE9", 8},
    {"gris clair", 9},
    {"rouge", 10},
    {"vert clair", 11},
    {"jaune", 12},
    {"bleu", 13},
    {"fuchsia", 14},
    {"bleu ciel", 15},
    {"blanc", 16},
}};

int ColourIndex(std::string_view name) {
    for (const ColourName& c : kColourNames)
        if (c.name == name)
            return c.index;
    return -1;
}

// Only the 26 letters A to Z fold; accented capitals stay as they are.
constexpr char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr auto kFold = [] {
    std::array<char, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = Folded(static_cast<char>(i));
    return table;
}();

// A tag of up to eight bytes as one integer, its bytes folded: looking up the
// whole-text tags then costs a few integer compares. The markup holds no zero
// byte, so the integer alone tells the tag.
constexpr std::uint64_t Pack(std::string_view text) {
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        word |=
            std::uint64_t{static_cast<unsigned char>(kFold[static_cast<unsigned char>(text[i])])}
            << (8 * i);
    return word;
}

// Writes into a buffer sized beforehand for the longest possible output, so
// that no append checks or grows the string.
class RtfOut {
public:
    explicit RtfOut(char* start) : w_(start) {}
    void Put(std::string_view text) {
        std::memcpy(w_, text.data(), text.size());
        w_ += text.size();
    }
    void Put(const char* from, const char* to) {
        std::memcpy(w_, from, static_cast<std::size_t>(to - from));
        w_ += to - from;
    }
    void Put(char c) { *w_++ = c; }
    char* Position() const { return w_; }

private:
    char* w_;
};

// The whole-text tags, by their packed folded text: the RTF they write, or
// nothing. None of them starts like a size or colour tag, so looking them up
// first gives the same result as looking the tags up in their table order.
std::string_view WholeTagRtf(std::uint64_t packed) {
    switch (packed) {
    case Pack("b"):
        return "\\b ";
    case Pack("/b"):
        return "\\b0 ";
    case Pack("i"):
        return "\\i ";
    case Pack("/i"):
        return "\\i0 ";
    case Pack("u"):
        return "\\ul ";
    case Pack("/u"):
        return "\\ul0 ";
    case Pack("s"):
        return "\\strike ";
    case Pack("/s"):
        return "\\strike0 ";
    case Pack("sup"):
        return "\\super ";
    case Pack("/sup"):
        return "\\nosupersub ";
    case Pack("sub"):
        return "\\sub ";
    case Pack("/sub"):
        return "\\nosupersub ";
    case Pack("arial"):
        return "\\f0 ";
    case Pack("times"):
        return "\\f1 ";
    case Pack("courier"):
        return "\\f2 ";
    case Pack("symbol"):
        return "\\f3 ";
    case Pack("br"):
        return "\\par ";
    case Pack("tab"):
        return "\\tab ";
    default:
        return {};
    }
}

void PutColour(RtfOut& out, std::string_view control, std::string_view name) {
    const int index = ColourIndex(name);
    if (index < 0)
        return;
    out.Put(control);
    if (index >= 10)
        out.Put(static_cast<char>('0' + index / 10));
    out.Put(static_cast<char>('0' + index % 10));
    out.Put(' ');
}

// The size and colour tags, on the folded tag text; anything unrecognised
// writes nothing.
void PutOtherTag(RtfOut& out, std::string_view tag) {
    const std::string_view head = tag.substr(0, 3);
    if (head == "te=") {
        // The size is copied as it stands, with every "te=" taken out.
        out.Put("\\fs");
        std::size_t pos = 0;
        while (pos < tag.size()) {
            const std::size_t hit = tag.find("te=", pos);
            if (hit == std::string_view::npos) {
                out.Put(tag.substr(pos));
                break;
            }
            out.Put(tag.substr(pos, hit - pos));
            pos = hit + 3;
        }
        out.Put(' ');
    } else if (head == "ce=") {
        PutColour(out, "\\cf", tag.substr(3));
    } else if (head == "cf=") {
        PutColour(out, "\\highlight", tag.substr(3));
    }
}

// True when any byte of the run is a control character (1..31).
bool HasControlByte(const char* p, const char* end) {
    // Eight bytes at a time: a byte below 0x20 sets its high bit in
    // (x - 0x20..20) & ~x & 0x80..80.
    constexpr std::uint64_t kLow = 0x2020202020202020ull;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    for (; end - p >= 8; p += 8) {
        std::uint64_t x;
        std::memcpy(&x, p, 8);
        if ((x - kLow) & ~x & kHigh)
            return true;
    }
    for (; p < end; ++p)
        if (static_cast<unsigned char>(*p) < 32)
            return true;
    return false;
}

} // namespace

std::string ConvertMarkupToRtf(std::string_view markup) {
    // The markup ends at its first zero byte.
    if (std::size_t nul = markup.find('\0'); nul != std::string_view::npos)
        markup = markup.substr(0, nul);

    // No piece of markup grows more than threefold ("<s>" gives "\strike "),
    // except a final unterminated tag ("<s" at the very end), hence the slack.
    std::string buffer(RtfHeader.size() + 3 * markup.size() + 16, '\0');
    RtfOut out(buffer.data());
    out.Put(RtfHeader);

    std::string folded; // tag text of the size and colour tags
    const char* p = markup.data();
    const char* const end = p + markup.size();
    while (p < end) {
        if (*p != '<') {
            // Plain text up to the next tag. Control characters are dropped:
            // breaks and tabs come only from tags.
            // Runs and tags are short: a plain loop beats a library call.
            const char* runEnd = p;
            while (runEnd < end && *runEnd != '<')
                ++runEnd;
            if (!HasControlByte(p, runEnd)) {
                out.Put(p, runEnd);
            } else {
                for (const char* q = p; q < runEnd; ++q)
                    if (static_cast<unsigned char>(*q) >= 32)
                        out.Put(*q);
            }
            p = runEnd;
            continue;
        }
        ++p;
        const char* tagEnd = p;
        while (tagEnd < end && *tagEnd != '>')
            ++tagEnd; // an unterminated tag is still looked up
        const std::string_view tag(p, static_cast<std::size_t>(tagEnd - p));
        const std::string_view whole =
            tag.size() <= 8 ? WholeTagRtf(Pack(tag)) : std::string_view();
        if (!whole.empty()) {
            out.Put(whole);
        } else {
            folded.resize(tag.size());
            for (std::size_t i = 0; i < tag.size(); ++i)
                folded[i] = kFold[static_cast<unsigned char>(tag[i])];
            PutOtherTag(out, folded);
        }
        p = tagEnd < end ? tagEnd + 1 : end; // past the ">"
    }
    out.Put('}');
    buffer.resize(static_cast<std::size_t>(out.Position() - buffer.data()));
    return buffer;
}

} // namespace vorn
