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

struct StyleTag {
    std::string_view tag;
    std::string_view rtf;
};

// The style and font tags, matched on the whole tag text before any other
// kind of tag.
constexpr StyleTag kStyleTags[] = {
    {"b", "\\b "},       {"/b", "\\b0 "},           {"i", "\\i "},        {"/i", "\\i0 "},
    {"u", "\\ul "},      {"/u", "\\ul0 "},          {"s", "\\strike "},   {"/s", "\\strike0 "},
    {"sup", "\\super "}, {"/sup", "\\nosupersub "}, {"sub", "\\sub "},    {"/sub", "\\nosupersub "},
    {"arial", "\\f0 "},  {"times", "\\f1 "},        {"courier", "\\f2 "}, {"symbol", "\\f3 "},
};

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
            rtf += std::to_string(colour.index);
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

// Looks the folded tag text up in the tag table, in its order; an
// unrecognised tag writes nothing.
void AppendTag(std::string& rtf, std::string_view tag) {
    for (const StyleTag& style : kStyleTags) {
        if (tag == style.tag) {
            rtf += style.rtf;
            return;
        }
    }
    if (tag.starts_with("te="))
        AppendSize(rtf, tag);
    else if (tag.starts_with("ce="))
        AppendColour(rtf, "\\cf", tag.substr(3));
    else if (tag.starts_with("cf="))
        AppendColour(rtf, "\\highlight", tag.substr(3));
    else if (tag == "br")
        rtf += "\\par ";
    else if (tag == "tab")
        rtf += "\\tab ";
}

// Only the 26 letters A to Z fold; accented capitals stay as they are.
char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 32;
}

// Plain text goes through unchanged, except control characters: breaks and
// tabs come only from tags.
void AppendText(std::string& rtf, std::string_view text) {
    // The smallest byte tells whether there is any control character; this
    // loop has no early exit, so the compiler scans many bytes at a time.
    unsigned char least = 255;
    for (char c : text)
        least = std::min(least, static_cast<unsigned char>(c));
    if (least >= 32) {
        rtf += text;
        return;
    }
    for (char c : text)
        if (!IsControl(c))
            rtf += c;
}

} // namespace

std::string ConvertMarkupToRtf(std::string_view markup) {
    // The markup ends at its first zero byte.
    markup = markup.substr(0, markup.find('\0'));

    std::string rtf(RtfHeader);
    // Most tags write about as many bytes as they take.
    rtf.reserve(RtfHeader.size() + markup.size() + markup.size() / 4);
    std::string tag;
    std::size_t pos = 0;
    while (pos < markup.size()) {
        if (markup[pos] != '<') {
            const std::size_t tagStart = std::min(markup.find('<', pos), markup.size());
            AppendText(rtf, markup.substr(pos, tagStart - pos));
            pos = tagStart;
            continue;
        }
        // The tag text runs to the next ">" or, unclosed, to the end of the
        // markup; it is looked up either way.
        const std::size_t textStart = pos + 1;
        const std::size_t tagEnd = std::min(markup.find('>', textStart), markup.size());
        tag.resize(tagEnd - textStart);
        for (std::size_t i = 0; i < tag.size(); ++i)
            tag[i] = Folded(markup[textStart + i]);
        AppendTag(rtf, tag);
        pos = tagEnd + 1;
    }
    rtf += '}';
    return rtf;
}

} // namespace vorn
