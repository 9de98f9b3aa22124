#include "richtext/markup_converter.h"

#include "richtext/byte_scan.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

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

using namespace byte_scan;

struct TagEntry {
    std::string_view tag;
    std::string_view control; // written followed by one space
};

// The whole-text tags of the tag table, in its order.
constexpr std::array<TagEntry, 18> kWholeTags{{
    {"b", "\\b"},
    {"/b", "\\b0"},
    {"i", "\\i"},
    {"/i", "\\i0"},
    {"u", "\\ul"},
    {"/u", "\\ul0"},
    {"s", "\\strike"},
    {"/s", "\\strike0"},
    {"sup", "\\super"},
    {"/sup", "\\nosupersub"},
    {"sub", "\\sub"},
    {"/sub", "\\nosupersub"},
    {"arial", "\\f0"},
    {"times", "\\f1"},
    {"courier", "\\f2"},
    {"symbol", "\\f3"},
    {"br", "\\par"},
    {"tab", "\\tab"},
}};

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

// A short size tag with a single "te=", at its start: "te=26" writes
// "\\fs26 ". (Others, like "te=te=18", take the general way.)
constexpr bool IsPlainSizeTag(std::uint64_t packed, std::size_t size) {
    constexpr std::uint64_t kTe = Pack("te=");
    if ((packed & 0xFFFFFF) != kTe)
        return false;
    for (std::size_t at = 3; at + 3 <= size; ++at)
        if (((packed >> (8 * at)) & 0xFFFFFF) == kTe)
            return false;
    return true;
}

// Pack() of a tag text of at most eight bytes, read in one load when the
// markup has eight bytes left.
std::uint64_t PackTag(const char* p, std::size_t size, const char* end) {
    if (std::endian::native != std::endian::little || end - p < 8)
        return Pack(std::string_view(p, size));
    const std::uint64_t mask = size == 8 ? ~0ull : (1ull << (8 * size)) - 1;
    return FoldWord(Load8(p)) & mask;
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
    // Copies all sixteen bytes but advances by `size` only: the buffer has room
    // to spare at its end.
    void Put16(const char (&text)[16], std::size_t size) {
        std::memcpy(w_, text, 16);
        w_ += size;
    }
    // "\\fs", the `size` bytes of `value` (packed as by Pack()), and a space.
    void PutSize(std::uint64_t value, std::size_t size) {
        std::memcpy(w_, "\\fs", 3);
        w_ += 3;
        for (std::size_t i = 0; i < size; ++i)
            *w_++ = static_cast<char>(value >> (8 * i));
        *w_++ = ' ';
    }
    char* Position() const { return w_; }

private:
    char* w_;
};

// The tag table's entries that a tag of at most eight bytes can match as a
// whole: the style and font tags, "br", "tab", and the colour tags whose text
// fits. A whole text matches at most one entry of the table (no style tag
// starts like a size or colour tag), so finding it here gives the same result
// as going through the table in its order.
struct ShortTag {
    std::uint64_t packed = 0;
    char rtf[16] = {}; // what the tag writes, padded so it copies in one move
    std::size_t size = 0;
};

constexpr std::size_t kShortTagSlots = 128; // a power of two, mostly empty

constexpr std::size_t ShortTagSlot(std::uint64_t packed) {
    return static_cast<std::size_t>((packed * 0x9E3779B97F4A7C15ull) >> 57);
}

constexpr auto kShortTags = [] {
    std::array<ShortTag, kShortTagSlots> table{};
    const auto add = [&table](std::string_view head, std::string_view name,
                              std::string_view control, int colour) {
        if (head.size() + name.size() > 8)
            return;
        char tag[8] = {};
        std::size_t n = 0;
        for (char c : head)
            tag[n++] = c;
        for (char c : name)
            tag[n++] = c;
        const std::uint64_t packed = Pack(std::string_view(tag, n));
        std::size_t slot = ShortTagSlot(packed);
        while (table[slot].size != 0)
            slot = (slot + 1) % kShortTagSlots;
        ShortTag& entry = table[slot];
        entry.packed = packed;
        for (char c : control)
            entry.rtf[entry.size++] = c;
        if (colour >= 10)
            entry.rtf[entry.size++] = static_cast<char>('0' + colour / 10);
        if (colour >= 0)
            entry.rtf[entry.size++] = static_cast<char>('0' + colour % 10);
        entry.rtf[entry.size++] = ' ';
    };
    for (const TagEntry& e : kWholeTags)
        add(e.tag, "", e.control, -1);
    for (const ColourName& c : kColourNames) {
        add("ce=", c.name, "\\cf", c.index);
        add("cf=", c.name, "\\highlight", c.index);
    }
    return table;
}();

const ShortTag* FindShortTag(std::uint64_t packed) {
    for (std::size_t slot = ShortTagSlot(packed);; slot = (slot + 1) % kShortTagSlots) {
        const ShortTag& entry = kShortTags[slot];
        if (entry.size == 0)
            return nullptr;
        if (entry.packed == packed)
            return &entry;
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

} // namespace

std::string ConvertMarkupToRtf(std::string_view markup) {
    // The markup ends at its first zero byte.
    if (std::size_t nul = markup.find('\0'); nul != std::string_view::npos)
        markup = markup.substr(0, nul);

    // No piece of markup grows more than threefold ("<s>" gives "\\strike "),
    // except a final unterminated tag ("<s" at the very end); the slack also
    // lets a known tag's RTF be copied as one sixteen-byte block.
    const std::size_t capacity = RtfHeader.size() + 3 * markup.size() + 32;
    const auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
    RtfOut out(buffer.get());
    out.Put(RtfHeader);

    std::string folded; // tag text of the size and colour tags
    const char* p = markup.data();
    const char* const end = p + markup.size();
    while (p < end) {
        if (*p != '<') {
            // Plain text up to the next tag. Control characters are dropped:
            // breaks and tabs come only from tags.
            const char* stop = FindTagOrControl(p, end);
            out.Put(p, stop);
            p = stop;
            if (p < end && *p != '<')
                ++p; // a control character
            continue;
        }
        ++p;
        const char* tagEnd = Find(p, end, '>'); // an unterminated tag is still looked up
        const std::size_t size = static_cast<std::size_t>(tagEnd - p);
        if (size <= 8) {
            const std::uint64_t packed = PackTag(p, size, end);
            if (const ShortTag* known = FindShortTag(packed)) {
                out.Put16(known->rtf, known->size);
            } else if (IsPlainSizeTag(packed, size)) {
                out.PutSize(packed >> 24, size - 3);
            } else {
                // The packed word holds the folded text itself.
                char text[8];
                for (std::size_t i = 0; i < size; ++i)
                    text[i] = static_cast<char>(packed >> (8 * i));
                PutOtherTag(out, std::string_view(text, size));
            }
        } else {
            folded.resize(size);
            for (std::size_t i = 0; i < size; ++i)
                folded[i] = kFold[static_cast<unsigned char>(p[i])];
            PutOtherTag(out, folded);
        }
        p = tagEnd < end ? tagEnd + 1 : end; // past the ">"
    }
    out.Put('}');
    return std::string(buffer.get(), out.Position());
}

} // namespace vorn
