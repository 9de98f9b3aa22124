#include "richtext/markup_converter.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <utility>

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

// The converted text, written through a cursor. A sheet makes thousands of
// writes of a few bytes each; space is made ahead, with kSlack bytes to spare
// beyond every write, so that a short piece goes in as one fixed-size copy.
class RtfWriter {
public:
    static constexpr std::size_t kSlack = 16;

    explicit RtfWriter(std::size_t expected) : text_(expected + 2 * kSlack, '\0') {}

    void Put(std::string_view piece) {
        char* out = Room(piece.size());
        if (!piece.empty())
            std::memcpy(out, piece.data(), piece.size());
        size_ += piece.size();
    }

    void Put(char c) {
        *Room(1) = c;
        ++size_;
    }

    // Writes the first `size` (at most kSlack) of the kSlack bytes that
    // `padded` holds.
    void PutPadded(const char* padded, std::size_t size) {
        std::memcpy(Room(kSlack), padded, kSlack);
        size_ += size;
    }

    std::string Take() && {
        text_.resize(size_);
        return std::move(text_);
    }

private:
    char* Room(std::size_t size) {
        if (text_.size() - size_ < size + kSlack)
            Grow(size);
        return text_.data() + size_;
    }

    // Rarely needed: the first estimate holds nearly every sheet.
    [[gnu::noinline]] void Grow(std::size_t size) {
        text_.resize(std::max(2 * text_.size(), size_ + size + kSlack));
    }

    std::string text_;
    std::size_t size_ = 0;
};

// A fixed control word, stored in kSlack bytes.
struct ControlWord {
    char text[RtfWriter::kSlack] = {};
    std::size_t size = 0;

    explicit constexpr ControlWord(std::string_view word) : size(word.size()) {
        for (std::size_t i = 0; i < word.size(); ++i)
            text[i] = word[i];
    }
};

constexpr ControlWord kBold{"\\b "};
constexpr ControlWord kBoldEnd{"\\b0 "};
constexpr ControlWord kItalic{"\\i "};
constexpr ControlWord kItalicEnd{"\\i0 "};
constexpr ControlWord kUnderline{"\\ul "};
constexpr ControlWord kUnderlineEnd{"\\ul0 "};
constexpr ControlWord kStrike{"\\strike "};
constexpr ControlWord kStrikeEnd{"\\strike0 "};
constexpr ControlWord kSuper{"\\super "};
constexpr ControlWord kSub{"\\sub "};
constexpr ControlWord kNoSuperSub{"\\nosupersub "};
constexpr ControlWord kArial{"\\f0 "};
constexpr ControlWord kTimes{"\\f1 "};
constexpr ControlWord kCourier{"\\f2 "};
constexpr ControlWord kSymbol{"\\f3 "};
constexpr ControlWord kBreak{"\\par "};
constexpr ControlWord kTab{"\\tab "};
// Not a control word: the "<" that markup text cannot hold as it stands.
constexpr ControlWord kLessThan{"<"};

struct ColourName {
    std::string_view name; // lower case, "\xE9" for "é"
    int index;             // in the header's colour table
};

// Every colour table entry by its French name; the automatic colour, entry 0,
// has two.
constexpr ColourName kColourNames[] = {
    {"auto", 0},        {"automatique", 0},   {"noir", 1},          {"marron", 2},
    {"vert", 3},        {"olive", 4},         {"bleu fonc\xE9", 5}, {"violet", 6},
    {"cyan", 7},        {"gris fonc\xE9", 8}, {"gris clair", 9},    {"rouge", 10},
    {"vert clair", 11}, {"jaune", 12},        {"bleu", 13},         {"fuchsia", 14},
    {"bleu ciel", 15},  {"blanc", 16},
};

void AppendColour(RtfWriter& rtf, std::string_view control, std::string_view name) {
    for (const ColourName& colour : kColourNames) {
        if (name == colour.name) {
            rtf.Put(control);
            if (colour.index >= 10)
                rtf.Put(static_cast<char>('0' + colour.index / 10));
            rtf.Put(static_cast<char>('0' + colour.index % 10));
            rtf.Put(' ');
            return;
        }
    }
}

// The size tag copies its value as it stands, with every "te=" taken out.
void AppendSize(RtfWriter& rtf, std::string_view tag) {
    rtf.Put("\\fs");
    for (std::size_t pos = 0; pos < tag.size();) {
        const std::size_t te = std::min(tag.find("te=", pos), tag.size());
        rtf.Put(tag.substr(pos, te - pos));
        pos = te + 3;
    }
    rtf.Put(' ');
}

// The style written as one letter, "b", "i", "u" or "s", opening or closing;
// nullptr for any other letter.
inline const ControlWord* StyleLetter(char letter, bool closing) {
    switch (letter) {
    case 'b':
        return closing ? &kBoldEnd : &kBold;
    case 'i':
        return closing ? &kItalicEnd : &kItalic;
    case 'u':
        return closing ? &kUnderlineEnd : &kUnderline;
    case 's':
        return closing ? &kStrikeEnd : &kStrike;
    }
    return nullptr;
}

// The control word that a style, font, break, tab or "<" tag writes, from the
// folded tag text; nullptr for any other tag. A sheet holds thousands of
// tags: the length and a byte or two pick the one candidate to compare.
inline const ControlWord* FixedControl(std::string_view tag) {
    const auto when = [tag](std::string_view name, const ControlWord& word) {
        return tag == name ? &word : nullptr;
    };
    switch (tag.size()) {
    case 1:
        return StyleLetter(tag[0], false);
    case 2:
        if (tag[0] == '/')
            return StyleLetter(tag[1], true);
        return tag[0] == 'l' ? when("lt", kLessThan) : when("br", kBreak);
    case 3:
        if (tag[0] == 't')
            return when("tab", kTab);
        return tag[2] == 'p' ? when("sup", kSuper) : when("sub", kSub);
    case 4:
        return tag[3] == 'p' ? when("/sup", kNoSuperSub) : when("/sub", kNoSuperSub);
    case 5:
        return tag[0] == 'a' ? when("arial", kArial) : when("times", kTimes);
    case 6:
        return when("symbol", kSymbol);
    case 7:
        return when("courier", kCourier);
    }
    return nullptr;
}

// Writes what a tag with a value writes, from the folded tag text; an
// unrecognised tag writes nothing.
void AppendValueTag(RtfWriter& rtf, std::string_view tag) {
    if (tag.starts_with("te="))
        AppendSize(rtf, tag);
    else if (tag.starts_with("ce="))
        AppendColour(rtf, "\\cf", tag.substr(3));
    else if (tag.starts_with("cf="))
        AppendColour(rtf, "\\highlight", tag.substr(3));
}

// Looks the folded tag text up; an unrecognised tag writes nothing.
inline void AppendTag(RtfWriter& rtf, std::string_view tag) {
    if (const ControlWord* word = FixedControl(tag))
        rtf.PutPadded(word->text, word->size);
    else
        AppendValueTag(rtf, tag);
}

// Only the 26 letters A to Z fold; accented capitals stay as they are.
char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 32;
}

// The tags generated sheets are made of, written in lower case and closed:
// matched on their bytes, ahead of the general lookup, which gives them the
// same control words. True when the tag at `at` was one of them.
inline bool PutSheetTag(RtfWriter& rtf, const char*& at, const char* end) {
    const auto left = static_cast<std::size_t>(end - at);
    const auto put = [&](std::string_view tag, const ControlWord& word) {
        if (left < tag.size() || std::memcmp(at, tag.data(), tag.size()) != 0)
            return false;
        rtf.PutPadded(word.text, word.size);
        at += tag.size();
        return true;
    };
    if (left < 3)
        return false;
    switch (at[1]) {
    case 'i':
        return put("<i>", kItalic);
    case 'b':
        return put("<br>", kBreak);
    case 's':
        return put("<sup>", kSuper);
    case 't':
        return put("<times>", kTimes);
    case 'a':
        return put("<arial>", kArial);
    case '/':
        return at[2] == 'i' ? put("</i>", kItalicEnd) : put("</sup>", kNoSuperSub);
    }
    return false;
}

} // namespace

std::string ConvertMarkupToRtf(std::string_view markup) {
    // The markup ends at its first zero byte.
    markup = markup.substr(0, markup.find('\0'));

    // Most tags write about as many bytes as they take.
    RtfWriter rtf(RtfHeader.size() + markup.size() + markup.size() / 4);
    rtf.Put(RtfHeader);
    // A sheet's runs of text and its tags are mostly a few bytes long: one
    // pass over each, without a search call per run, is what costs least.
    const char* at = markup.data();
    const char* const end = at + markup.size();
    std::string longTag;
    while (at < end) {
        if (*at != '<') {
            // Plain text goes through unchanged, except control characters:
            // breaks and tabs come only from tags.
            const char* const start = at;
            bool control = false;
            // Runs of a few bytes end within this loop; a longer one (a
            // separator line) is left to the library's wide searches.
            const char* const near = end - at > 16 ? at + 16 : end;
            for (; at < near && *at != '<'; ++at)
                control |= IsControl(*at);
            if (at == near && at < end) {
                const void* bracket = std::memchr(at, '<', static_cast<std::size_t>(end - at));
                at = bracket != nullptr ? static_cast<const char*>(bracket) : end;
                // No early exit: the compiler scans many bytes at a time.
                unsigned char least = 255;
                for (const char* c = near; c < at; ++c)
                    least = std::min(least, static_cast<unsigned char>(*c));
                control = control || least < 32;
            }
            const auto size = static_cast<std::size_t>(at - start);
            if (control) {
                for (const char* c = start; c < at; ++c)
                    if (!IsControl(*c))
                        rtf.Put(*c);
            } else if (size <= RtfWriter::kSlack &&
                       end - start >= std::ptrdiff_t{RtfWriter::kSlack}) {
                rtf.PutPadded(start, size);
            } else {
                rtf.Put(std::string_view(start, size));
            }
            continue;
        }
        if (PutSheetTag(rtf, at, end))
            continue;
        // The tag text runs to the next ">" or, unclosed, to the end of the
        // markup; it is looked up either way, folded.
        ++at;
        char folded[24];
        std::size_t size = 0;
        const char* const text = at;
        for (; at < end && *at != '>'; ++at, ++size)
            if (size < sizeof folded)
                folded[size] = Folded(*at);
        if (size <= sizeof folded) {
            AppendTag(rtf, std::string_view(folded, size));
        } else {
            longTag.assign(text, size);
            for (char& c : longTag)
                c = Folded(c);
            AppendTag(rtf, longTag);
        }
        if (at < end)
            ++at;
    }
    rtf.Put('}');
    return std::move(rtf).Take();
}

} // namespace vorn
