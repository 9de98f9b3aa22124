#include "richtext/font_charsets.h"

#include "text/cp1252.h"

#include <algorithm>
#include <iterator>

namespace vorn {
namespace {

struct Range {
    char16_t first;
    char16_t last;
    int charset;
};

// Ranges of characters and the set that holds them, by first character.
constexpr Range kRanges[] = {
    {0x0100, 0x017F, 238}, // Latin Extended-A: Central European, but for the below
    {0x0370, 0x03FF, 161}, // Greek
    {0x0400, 0x04FF, 204}, // Cyrillic
    {0x0590, 0x05FF, 177}, // Hebrew
    {0x0600, 0x06FF, 178}, // Arabic
    {0x0E00, 0x0E7F, 222}, // Thai
    {0x1100, 0x11FF, 129}, // Hangul Jamo
    {0x1EA0, 0x1EFF, 163}, // Vietnamese
    {0x3040, 0x30FF, 128}, // Hiragana and Katakana
    {0x3130, 0x318F, 129}, // Hangul compatibility Jamo
    {0x3400, 0x4DBF, 134}, // CJK extension A
    {0x4E00, 0x9FFF, 134}, // CJK unified ideographs
    {0xAC00, 0xD7AF, 129}, // Hangul syllables
    {0xFF00, 0xFFEF, 128}, // half- and full-width forms
};

// Letters of Latin Extended-A that the Central European set lacks.
int LatinExtendedCharset(char16_t c) {
    switch (c) {
    case u'Ğ':
    case u'ğ':
    case u'İ':
    case u'ı':
    case u'Ş':
    case u'ş':
        return 162; // Turkish
    case u'Ā':
    case u'ā':
    case u'Ē':
    case u'ē':
    case u'Ģ':
    case u'ģ':
    case u'Ī':
    case u'ī':
    case u'Ķ':
    case u'ķ':
    case u'Ļ':
    case u'ļ':
    case u'Ņ':
    case u'ņ':
    case u'Ō':
    case u'ō':
    case u'Ū':
    case u'ū':
    case u'Į':
    case u'į':
    case u'Ų':
    case u'ų':
    case u'Ė':
    case u'ė':
        return 186; // Baltic
    default:
        return 238;
    }
}

} // namespace

int CharsetCovering(char16_t c) {
    if (UnicodeToCp1252(c) >= 0)
        return 0;
    const auto range = std::find_if(std::begin(kRanges), std::end(kRanges),
                                    [c](const Range& r) { return c >= r.first && c <= r.last; });
    if (range == std::end(kRanges))
        return 1;
    return range->first == 0x0100 ? LatinExtendedCharset(c) : range->charset;
}

} // namespace vorn
