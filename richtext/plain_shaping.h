#pragma once

#include <QFont>
#include <QStringView>

#include <bitset>
#include <iterator>

namespace vorn {

// Most of a sheet is numbers and expressions: digits, signs, brackets, the
// variable x, blanks and separator hyphens. Shaping such text in a font that
// neither kerns nor ligates the characters involved gives the glyphs and the
// places that a plain character-to-glyph lookup gives, and shaping is most of
// the cost of laying a sheet out. Such runs are laid out without shaping.
inline constexpr char16_t kPlainCharacters[] = u"0123456789 +-=()/x\u00D7\u00B0";
inline constexpr int kPlainCharacterCount = int(std::size(kPlainCharacters)) - 1;

// What shaping does to those characters in one font's family and style.
class PlainShaping {
public:
    // Shaping changes nothing but the places of these pairs of characters
    // (the first of the pair given first).
    explicit PlainShaping(const std::bitset<kPlainCharacterCount * kPlainCharacterCount>& kerned)
        : usable_(true), kerned_(kerned) {}
    // Shaping does more than move glyphs (it joins or replaces some, or
    // draws from other fonts): every run is shaped.
    PlainShaping() = default;

    // Whether `text` lays out the same without shaping: it holds only those
    // characters and no two side by side that the font kerns.
    bool LaysOutPlainly(QStringView text) const;

private:
    bool usable_ = false;
    std::bitset<kPlainCharacterCount * kPlainCharacterCount> kerned_;
};

// What shaping does in `font`'s family, weight and slant: found once by
// laying every ordered pair of the characters out both ways, then kept for
// the whole process. Only the first 16 fonts asked for are examined; text in
// any other is shaped.
const PlainShaping& PlainShapingOf(const QFont& font);

} // namespace vorn
