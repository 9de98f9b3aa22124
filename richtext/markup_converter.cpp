#include "richtext/markup_converter.h"

#include <array>
#include <cstddef>
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

struct TagEntry {
    std::string_view tag;
    std::string_view rtf;
};

// Whole-text tags, looked up before the size and colour tags.
constexpr std::array<TagEntry, 16> kStyleTags{{
    {"b", "\\b "},
    {"/b", "\\b0 "},
    {"i", "\\i "},
    {"/i", "\\i0 "},
    {"u", "\\ul "},
    {"/u", "\\ul0 "},
    {"s", "\\strike "},
    {"/s", "\\strike0 "},
    {"sup", "\\super "},
    {"/sup", "\\nosupersub "},
    {"sub", "\\sub "},
    {"/sub", "\\nosupersub "},
    {"arial", "\\f0 "},
    {"times", "\\f1 "},
    {"courier", "\\f2 "},
    {"symbol", "\\f3 "},
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

void AppendTag(std::string& out, std::string_view tag) {
    for (const TagEntry& e : kStyleTags) {
        if (e.tag == tag) {
            out += e.rtf;
            return;
        }
    }
    if (tag.substr(0, 3) == "te=") {
        // The size is copied as it stands, with every "te=" taken out.
        out += "\\fs";
        std::size_t pos = 0;
        while (pos < tag.size()) {
            std::size_t hit = tag.find("te=", pos);
            if (hit == std::string_view::npos) {
                out += tag.substr(pos);
                break;
            }
            out += tag.substr(pos, hit - pos);
            pos = hit + 3;
        }
        out += ' ';
        return;
    }
    if (tag.substr(0, 3) == "ce=") {
        int index = ColourIndex(tag.substr(3));
        if (index >= 0) {
            out += "\\cf";
            out += std::to_string(index);
            out += ' ';
            return;
        }
    }
    if (tag.substr(0, 3) == "cf=") {
        int index = ColourIndex(tag.substr(3));
        if (index >= 0) {
            out += "\\highlight";
            out += std::to_string(index);
            out += ' ';
            return;
        }
    }
    if (tag == "br")
        out += "\\par ";
    else if (tag == "tab")
        out += "\\tab ";
}

} // namespace

std::string ConvertMarkupToRtf(std::string_view markup) {
    // The markup ends at its first zero byte.
    if (std::size_t nul = markup.find('\0'); nul != std::string_view::npos)
        markup = markup.substr(0, nul);

    std::string out;
    out.reserve(RtfHeader.size() + markup.size() + markup.size() / 4 + 1);
    out += RtfHeader;
    std::string tag;
    const char* p = markup.data();
    const char* const end = p + markup.size();
    while (p < end) {
        if (*p != '<') {
            // Plain text up to the next tag. Control characters are dropped:
            // breaks and tabs come only from tags.
            const char* run_end = static_cast<const char*>(std::memchr(p, '<', end - p));
            if (!run_end)
                run_end = end;
            const char* copied = p;
            for (const char* q = p; q < run_end; ++q) {
                if (static_cast<unsigned char>(*q) < 32) {
                    out.append(copied, q);
                    copied = q + 1;
                }
            }
            out.append(copied, run_end);
            p = run_end;
            continue;
        }
        ++p;
        const char* tag_end = static_cast<const char*>(std::memchr(p, '>', end - p));
        if (!tag_end)
            tag_end = end;
        tag.assign(p, tag_end);
        for (char& c : tag)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        AppendTag(out, tag);
        p = tag_end < end ? tag_end + 1 : end; // past the ">"
    }
    out += '}';
    return out;
}

} // namespace vorn
