#include "richtext/plain_shaping.h"

#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextLayout>
#include <QTextOption>

#include <array>
#include <memory>
#include <mutex>

namespace vorn {

namespace {

constexpr qsizetype kMaxExaminedFonts = 16;

using PairSet = std::bitset<kPlainCharacterCount * kPlainCharacterCount>;

// Every plain character is below U+0100: the place of each among them, or -1,
// by code. Looked up for every character a sheet holds.
constexpr std::array<signed char, 256> kPlainIndexOfCode = [] {
    std::array<signed char, 256> table{};
    table.fill(-1);
    for (int i = 0; i < kPlainCharacterCount; ++i)
        table[kPlainCharacters[i]] = static_cast<signed char>(i);
    return table;
}();

int PlainIndex(QChar c) {
    return c.unicode() < kPlainIndexOfCode.size() ? kPlainIndexOfCode[c.unicode()] : -1;
}

// Every ordered pair of plain characters, one after the other.
QString EveryPlainPair() {
    QString pairs;
    pairs.reserve(kPlainCharacterCount * kPlainCharacterCount * 2);
    for (int a = 0; a < kPlainCharacterCount; ++a) {
        for (int b = 0; b < kPlainCharacterCount; ++b)
            pairs.append(QChar(kPlainCharacters[a])).append(QChar(kPlainCharacters[b]));
    }
    return pairs;
}

QList<QGlyphRun> LaidOut(const QString& text, QFont font, QFont::StyleStrategy strategy) {
    // Large enough that a kerning of a thousandth of an em moves a glyph.
    font.setPixelSize(1000);
    font.setStyleStrategy(strategy);
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    return layout.glyphRuns();
}

PlainShaping Examine(const QFont& font) {
    static const QString pairs = EveryPlainPair();
    const QList<QGlyphRun> shaped = LaidOut(pairs, font, QFont::PreferDefault);
    const QList<QGlyphRun> plain = LaidOut(pairs, font, QFont::PreferNoShaping);
    // One glyph per character from the font itself both ways, or the glyphs
    // cannot be told apart by character: shape everything.
    if (shaped.size() != 1 || plain.size() != 1 ||
        shaped[0].glyphIndexes() != plain[0].glyphIndexes() ||
        shaped[0].glyphIndexes().size() != pairs.size())
        return PlainShaping();
    const QList<QPointF> at = shaped[0].positions();
    const QList<QPointF> plainAt = plain[0].positions();
    PairSet kerned;
    const auto mark = [&](qsizetype first) {
        if (first < 0 || first + 1 >= pairs.size())
            return;
        kerned.set(std::size_t(PlainIndex(pairs[first]) * kPlainCharacterCount +
                               PlainIndex(pairs[first + 1])));
    };
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        // A glyph raised or lowered: both of its pairs are suspect.
        if (at[i].y() != plainAt[i].y()) {
            mark(i - 1);
            mark(i);
        }
        if (i + 1 < pairs.size() &&
            at[i + 1].x() - at[i].x() != plainAt[i + 1].x() - plainAt[i].x())
            mark(i);
    }
    return PlainShaping(kerned);
}

} // namespace

bool PlainShaping::LaysOutPlainly(QStringView text) const {
    if (!usable_ || text.isEmpty())
        return false;
    int previous = -1;
    for (const QChar c : text) {
        const int index = PlainIndex(c);
        if (index < 0)
            return false;
        if (previous >= 0 && kerned_.test(std::size_t(previous * kPlainCharacterCount + index)))
            return false;
        previous = index;
    }
    return true;
}

const PlainShaping& PlainShapingOf(const QFont& font) {
    static std::mutex mutex;
    static QHash<QString, std::shared_ptr<const PlainShaping>> known;
    const QString key = font.families().join(u',') + u'|' + QString::number(font.weight()) + u'|' +
                        QString::number(int(font.style())) + u'|' +
                        QString::number(int(font.styleHint()));
    const std::lock_guard<std::mutex> lock(mutex);
    const auto it = known.constFind(key);
    if (it != known.constEnd())
        return **it;
    // Each font costs a few milliseconds to examine: pasted text naming a
    // thousand fonts must not stall the pane. Past the first few (the sheet
    // fonts come first), a font's text is simply shaped.
    static const PlainShaping shapeEverything;
    if (known.size() >= kMaxExaminedFonts)
        return shapeEverything;
    const auto entry = std::make_shared<const PlainShaping>(Examine(font));
    known.insert(key, entry);
    return *entry;
}

} // namespace vorn
