#include "output/pages/pdf_text_layer.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <set>

namespace vorn {
namespace {

// Distance between two probes, in device pixels: their places tell them apart.
constexpr qreal kProbeStep = 1000;

// The text of object `number`, from "N 0 obj" to "endobj", found through the
// last cross-reference table; empty when missing.
QByteArray ObjectAt(const QByteArray& pdf, int number) {
    static const QRegularExpression startXref(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF\\s*$"));
    const QRegularExpressionMatch tail = startXref.match(QString::fromLatin1(pdf.right(64)));
    if (!tail.hasMatch())
        return {};
    const qsizetype xref = tail.captured(1).toLongLong();
    // "xref", "0 N", then 20 bytes per object.
    static const QRegularExpression head(QStringLiteral("^xref\\s+0\\s+(\\d+)\\s+"));
    const QString table = QString::fromLatin1(pdf.mid(xref, 64));
    const QRegularExpressionMatch section = head.match(table);
    if (!section.hasMatch() || number >= section.captured(1).toInt())
        return {};
    const qsizetype entry = xref + section.capturedLength(0) + qsizetype(number) * 20;
    const qsizetype at = pdf.mid(entry, 10).toLongLong();
    const QByteArray opening = QByteArray::number(number) + " 0 obj";
    if (at <= 0 || !pdf.mid(at).startsWith(opening))
        return {};
    const qsizetype end = pdf.indexOf("endobj", at);
    return end < 0 ? QByteArray() : pdf.mid(at, end - at);
}

// The object `key` refers to in an object's dictionary ("/Contents 10 0 R"),
// or the first one of the array it names ("/Kids [6 0 R 9 0 R]").
std::optional<int> Reference(const QByteArray& object, const char* key) {
    const QRegularExpression pattern(QRegularExpression::escape(QLatin1String(key)) +
                                     QStringLiteral("\\s*\\[?\\s*(\\d+)\\s+0\\s+R"));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(object));
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt();
}

// The data of a stream object, inflated when it is compressed.
QByteArray StreamData(const QByteArray& pdf, const QByteArray& object) {
    static const QRegularExpression lengthKey(QStringLiteral("/Length\\s+(\\d+)(\\s+0\\s+R)?"));
    const qsizetype keyword = object.indexOf("stream");
    if (keyword < 0)
        return {};
    const QRegularExpressionMatch length =
        lengthKey.match(QString::fromLatin1(object.left(keyword)));
    if (!length.hasMatch())
        return {};
    qsizetype size = length.captured(1).toLongLong();
    if (length.capturedLength(2) > 0)
        size = ObjectAt(pdf, int(size)).split('\n').value(1).trimmed().toLongLong();
    qsizetype start = keyword + 6;
    if (object.mid(start, 2) == "\r\n")
        ++start;
    ++start;
    const QByteArray data = object.mid(start, size);
    if (data.size() != size)
        return {};
    if (!object.left(keyword).contains("/FlateDecode"))
        return data;
    // qUncompress wants the size first; it grows its buffer when the guess is short.
    QByteArray sized(4, '\0');
    qToBigEndian(quint32(std::min<qsizetype>(data.size() * 8 + 1024, 1 << 28)), sized.data());
    return qUncompress(sized + data);
}

// The Basic Multilingual Plane ends at U+FFFF.
bool BeyondBmp(char32_t c) {
    return c > 0xFFFF;
}

QByteArray Utf16Hex(char32_t c) {
    const QString text = QString::fromUcs4(&c, 1);
    QByteArray hex;
    for (const QChar unit : text)
        hex += QByteArray::number(unit.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex;
}

// The codes a character map already maps (its bfchar codes and bfrange spans).
std::set<int> MappedCodes(const QByteArray& cmap) {
    std::set<int> codes;
    static const QRegularExpression sections(QStringLiteral("beginbf(char|range)(.*?)endbf\\1"),
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression line(
        QStringLiteral("^\\s*<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>"),
        QRegularExpression::MultilineOption);
    for (auto s = sections.globalMatch(QString::fromLatin1(cmap)); s.hasNext();) {
        const QRegularExpressionMatch section = s.next();
        const bool range = section.captured(1) == u"range";
        for (auto l = line.globalMatch(section.captured(2)); l.hasNext();) {
            const QRegularExpressionMatch m = l.next();
            const int first = m.captured(1).toInt(nullptr, 16);
            const int last = range ? m.captured(2).toInt(nullptr, 16) : first;
            for (int code = first; code <= last && code - first < 0x10000; ++code)
                codes.insert(code);
        }
    }
    return codes;
}

} // namespace

std::vector<CharacterProbe>
DrawCharacterProbes(QPainter& painter, QPagedPaintDevice& device,
                    const std::vector<const QTextDocument*>& documents) {
    std::vector<CharacterProbe> probes;
    QSet<QString> seen;
    painter.save();
    painter.setPen(Qt::black);
    for (const QTextDocument* doc : documents) {
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const QString text = fragment.text();
                // Characters beyond the plane are surrogate pairs.
                if (std::none_of(text.begin(), text.end(),
                                 [](QChar c) { return c.isHighSurrogate(); }))
                    continue;
                const QList<uint> characters = text.toUcs4();
                // The font the layout draws the fragment in.
                const QFont font = fragment.charFormat().font().resolve(doc->defaultFont());
                painter.setFont(font);
                for (const uint c : characters) {
                    const QString key = font.key() + u'|' + QString::number(c);
                    if (!BeyondBmp(c) || seen.contains(key))
                        continue;
                    seen.insert(key);
                    const QPointF at(-2.0 * device.width(), kProbeStep * qreal(probes.size()));
                    const char32_t character = c;
                    painter.drawText(at, QString::fromUcs4(&character, 1));
                    probes.push_back({character, at});
                }
            }
        }
    }
    painter.restore();
    return probes;
}

QByteArray WithProbedCharacters(const QByteArray& pdf, const std::vector<CharacterProbe>& probes) {
    if (probes.empty())
        return pdf;
    // The first page: its content and its fonts.
    const std::optional<int> root = Reference(pdf.mid(pdf.lastIndexOf("trailer")), "/Root");
    const std::optional<int> info = Reference(pdf.mid(pdf.lastIndexOf("trailer")), "/Info");
    const std::optional<int> pages =
        root ? Reference(ObjectAt(pdf, *root), "/Pages") : std::nullopt;
    const std::optional<int> page =
        pages ? Reference(ObjectAt(pdf, *pages), "/Kids") : std::nullopt;
    if (!page || !info)
        return pdf;
    const QByteArray pageObject = ObjectAt(pdf, *page);
    const std::optional<int> contents = Reference(pageObject, "/Contents");
    const std::optional<int> resources = Reference(pageObject, "/Resources");
    if (!contents || !resources)
        return pdf;
    const QString content = QString::fromLatin1(StreamData(pdf, ObjectAt(pdf, *contents)));
    std::map<QString, int> fontObjects; // resource name -> font object
    static const QRegularExpression fontDict(QStringLiteral("/Font\\s*<<(.*?)>>"),
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression fontEntry(QStringLiteral("/(\\S+)\\s+(\\d+)\\s+0\\s+R"));
    const QRegularExpressionMatch fonts =
        fontDict.match(QString::fromLatin1(ObjectAt(pdf, *resources)));
    for (auto f = fontEntry.globalMatch(fonts.captured(1)); f.hasNext();) {
        const QRegularExpressionMatch entry = f.next();
        fontObjects[entry.captured(1)] = entry.captured(2).toInt();
    }

    // Each probe is a text object of one glyph at its own place off the page.
    std::map<int, std::map<int, char32_t>> additions; // character map -> code -> character
    static const QRegularExpression textObject(QStringLiteral("\\bBT\\b(.*?)\\bET\\b"),
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression fontSet(QStringLiteral("/(\\S+)\\s+[-\\d.]+\\s+Tf"));
    static const QRegularExpression moveTo(QStringLiteral("([-\\d.]+)\\s+([-\\d.]+)\\s+Td"));
    static const QRegularExpression shown(QStringLiteral("<([0-9A-Fa-f]*)>\\s*Tj"));
    for (auto t = textObject.globalMatch(content); t.hasNext();) {
        const QString text = t.next().captured(1);
        const QRegularExpressionMatch font = fontSet.match(text);
        const QRegularExpressionMatch move = moveTo.match(text);
        QRegularExpressionMatchIterator glyphs = shown.globalMatch(text);
        if (!font.hasMatch() || !move.hasMatch() || !glyphs.hasNext())
            continue;
        const QString glyph = glyphs.next().captured(1);
        if (glyphs.hasNext() || glyph.size() != 4)
            continue;
        const qreal x = move.captured(1).toDouble();
        const qreal y = std::abs(move.captured(2).toDouble());
        const std::size_t index = std::size_t(std::lround(y / kProbeStep));
        if (index >= probes.size() || std::abs(x - probes[index].at.x()) > 0.5 ||
            std::abs(y - probes[index].at.y()) > 0.5)
            continue;
        const int code = glyph.toInt(nullptr, 16);
        const auto object = fontObjects.find(font.captured(1));
        if (code == 0 || object == fontObjects.end())
            continue; // drawn as the missing-glyph box: there is no character to name
        if (const std::optional<int> cmap = Reference(ObjectAt(pdf, object->second), "/ToUnicode"))
            additions[*cmap].emplace(code, probes[index].character);
    }

    QByteArray update;
    std::map<int, qsizetype> written; // object -> offset
    for (const auto& [number, codes] : additions) {
        QByteArray cmap = StreamData(pdf, ObjectAt(pdf, number));
        const qsizetype end = cmap.lastIndexOf("endcmap");
        if (end < 0)
            continue;
        const std::set<int> mapped = MappedCodes(cmap);
        std::vector<std::pair<int, char32_t>> added;
        for (const auto& [code, character] : codes)
            if (!mapped.count(code))
                added.emplace_back(code, character);
        QByteArray entries;
        // A character map section holds at most 100 entries.
        for (std::size_t i = 0; i < added.size(); i += 100) {
            const std::size_t n = std::min<std::size_t>(100, added.size() - i);
            entries += QByteArray::number(qulonglong(n)) + " beginbfchar\n";
            for (std::size_t k = i; k < i + n; ++k)
                entries += "<" +
                           QByteArray::number(added[k].first, 16).rightJustified(4, '0').toUpper() +
                           "> <" + Utf16Hex(added[k].second) + ">\n";
            entries += "endbfchar\n";
        }
        if (entries.isEmpty())
            continue;
        cmap.insert(end, entries);
        written[number] = pdf.size() + 1 + update.size();
        update += QByteArray::number(number) + " 0 obj\n<< /Length " +
                  QByteArray::number(cmap.size()) + " >>\nstream\n" + cmap +
                  "\nendstream\nendobj\n";
    }
    if (written.empty())
        return pdf;
    static const QRegularExpression sizeKey(QStringLiteral("/Size\\s+(\\d+)"));
    static const QRegularExpression startXref(QStringLiteral("startxref\\s+(\\d+)"));
    const QString trailer = QString::fromLatin1(pdf.mid(pdf.lastIndexOf("trailer")));
    const QRegularExpressionMatch size = sizeKey.match(trailer);
    const QRegularExpressionMatch previous = startXref.match(trailer);
    if (!size.hasMatch() || !previous.hasMatch())
        return pdf;
    const qsizetype xref = pdf.size() + 1 + update.size();
    update += "xref\n";
    for (const auto& [number, offset] : written)
        update += QByteArray::number(number) + " 1\n" +
                  QByteArray::number(qlonglong(offset)).rightJustified(10, '0') + " 00000 n \n";
    update += "trailer\n<< /Size " + size.captured(1).toLatin1() + " /Root " +
              QByteArray::number(*root) + " 0 R /Info " + QByteArray::number(*info) +
              " 0 R /Prev " + previous.captured(1).toLatin1() + " >>\nstartxref\n" +
              QByteArray::number(qlonglong(xref)) + "\n%%EOF\n";
    return pdf + "\n" + update;
}

} // namespace vorn
