#include "richtext/markup_converter.h"

#include <algorithm>
#include <string>

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

void AppendColour(std::string& rtf, std::string_view control, std::string_view name) {
    for (const ColourName& colour : kColourNames) {
        if (name == colour.name) {
            rtf += control;
            if (colour.index >= 10)
                rtf += static_cast<char>('0' + colour.index / 10);
            rtf += static_cast<char>('0' + colour.index % 10);
            rtf += ' ';
            return;
        }
    }
}

// The size tag copies its value as it stands, with every "te=" taken out.
void AppendSize(std::string& rtf, std::string_view tag) {
    rtf += "\\fs";
    for (std::size_t pos = 0; pos < tag.size();) {
        const std::size_t te = std::min(tag.find("te=", pos), tag.size());
        rtf += tag.substr(pos, te - pos);
        pos = te + 3;
    }
    rtf += ' ';
}

// The control word that a style, font, break or tab tag writes, from the
// folded tag text; empty for any other tag. A sheet holds thousands of tags:
// the length and a byte or two pick the one candidate to compare.
std::string_view FixedControl(std::string_view tag) {
    const auto when = [tag](std::string_view name, std::string_view control) {
        return tag == name ? control : std::string_view();
    };
    switch (tag.size()) {
    case 1:
        switch (tag[0]) {
        case 'b':
            return "\\b ";
        case 'i':
            return "\\i ";
        case 'u':
            return "\\ul ";
        case 's':
            return "\\strike ";
        }
        return {};
    case 2:
        if (tag[0] != '/')
            return when("br", "\\par ");
        switch (tag[1]) {
        case 'b':
            return "\\b0 ";
        case 'i':
            return "\\i0 ";
        case 'u':
            return "\\ul0 ";
        case 's':
            return "\\strike0 ";
        }
        return {};
    case 3:
        if (tag[0] == 't')
            return when("tab", "\\tab ");
        return tag[2] == 'p' ? when("sup", "\\super ") : when("sub", "\\sub ");
    case 4:
        return tag[3] == 'p' ? when("/sup", "\\nosupersub ") : when("/sub", "\\nosupersub ");
    case 5:
        return tag[0] == 'a' ? when("arial", "\\f0 ") : when("times", "\\f1 ");
    case 6:
        return when("symbol", "\\f3 ");
    case 7:
        return when("courier", "\\f2 ");
    }
    return {};
}

// Looks the folded tag text up; an unrecognised tag writes nothing.
void AppendTag(std::string& rtf, std::string_view tag) {
    if (const std::string_view control = FixedControl(tag); !control.empty()) {
        rtf += control;
        return;
    }
    if (tag.starts_with("te="))
        AppendSize(rtf, tag);
    else if (tag.starts_with("ce="))
        AppendColour(rtf, "\\cf", tag.substr(3));
    else if (tag.starts_with("cf="))
        AppendColour(rtf, "\\highlight", tag.substr(3));
}

// Only the 26 letters A to Z fold; accented capitals stay as they are.
char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 32;
}

} // namespace

std::string ConvertMarkupToRtf(std::string_view markup) {
    // The markup ends at its first zero byte.
    markup = markup.substr(0, markup.find('\0'));

    std::string rtf(RtfHeader);
    // Most tags write about as many bytes as they take.
    rtf.reserve(RtfHeader.size() + markup.size() + markup.size() / 4);
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
            for (; at < end && *at != '<'; ++at)
                control |= IsControl(*at);
            if (!control) {
                rtf.append(start, at);
            } else {
                for (const char* c = start; c < at; ++c)
                    if (!IsControl(*c))
                        rtf += *c;
            }
            continue;
        }
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
    rtf += '}';
    return rtf;
}

} // namespace vorn
