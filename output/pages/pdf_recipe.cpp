#include "output/pages/pdf_recipe.h"

#include "richtext/recipe_destination.h"

#include <QRegularExpression>

#include <optional>

namespace vorn {

namespace {

QByteArray XmlEscaped(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}

// The number after `key` in a dictionary ("/Size 32", "/Root 2 0 R").
std::optional<qlonglong> NumberAfter(const QByteArray& text, const char* key) {
    const QRegularExpression pattern(QStringLiteral("%1\\s+(\\d+)").arg(QLatin1String(key)));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(text));
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toLongLong();
}

} // namespace

QByteArray RecipeXmp(const QString& title, const std::string& recipe) {
    QByteArray xmp;
    xmp += "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
           "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
           "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
           "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'"
           " xmlns:xmp='http://ns.adobe.com/xap/1.0/' xmlns:vorn='urn:vorn:feuille:1'>\n"
           "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>";
    xmp += XmlEscaped(title);
    xmp += "</rdf:li></rdf:Alt></dc:title>\n"
           "<xmp:CreatorTool>VORN</xmp:CreatorTool>\n";
    xmp += QByteArray(kPdfRecipeOpen.data(), qsizetype(kPdfRecipeOpen.size()));
    xmp += QByteArray::fromStdString(recipe);
    xmp += QByteArray(kPdfRecipeClose.data(), qsizetype(kPdfRecipeClose.size()));
    xmp += "\n</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end='r'?>";
    return xmp;
}

QByteArray WithXmpMetadata(const QByteArray& pdf, const QByteArray& xmp) {
    const qsizetype trailerAt = pdf.lastIndexOf("trailer");
    if (trailerAt < 0)
        return pdf;
    const QByteArray trailer = pdf.mid(trailerAt);
    const std::optional<qlonglong> root = NumberAfter(trailer, "/Root");
    const std::optional<qlonglong> info = NumberAfter(trailer, "/Info");
    const std::optional<qlonglong> size = NumberAfter(trailer, "/Size");
    const std::optional<qlonglong> previous = NumberAfter(trailer, "startxref");
    if (!root || !info || !size || !previous)
        return pdf;
    // The catalog as written last: a dictionary that names no metadata yet.
    const QByteArray opening = "\n" + QByteArray::number(*root) + " 0 obj";
    const qsizetype objectAt = pdf.lastIndexOf(opening);
    const qsizetype open = objectAt < 0 ? -1 : pdf.indexOf("<<", objectAt);
    const qsizetype end = objectAt < 0 ? -1 : pdf.indexOf("endobj", objectAt);
    const qsizetype close = end < 0 ? -1 : pdf.lastIndexOf(">>", end);
    if (open < 0 || close < open || pdf.mid(open, close - open).contains("/Metadata"))
        return pdf;
    const qlonglong metadata = *size;
    const QByteArray catalog =
        pdf.mid(open, close - open) + " /Metadata " + QByteArray::number(metadata) + " 0 R >>";

    QByteArray update = "\n";
    const qsizetype metadataAt = pdf.size() + update.size();
    update += QByteArray::number(metadata) + " 0 obj\n<< /Type /Metadata /Subtype /XML /Length " +
              QByteArray::number(xmp.size()) + " >>\nstream\n" + xmp + "\nendstream\nendobj\n";
    const qsizetype catalogAt = pdf.size() + update.size();
    update += QByteArray::number(*root) + " 0 obj\n" + catalog + "\nendobj\n";
    const qsizetype xrefAt = pdf.size() + update.size();
    const auto entry = [](qsizetype offset) {
        return QByteArray::number(qlonglong(offset)).rightJustified(10, '0') + " 00000 n \n";
    };
    update += "xref\n" + QByteArray::number(*root) + " 1\n" + entry(catalogAt) +
              QByteArray::number(metadata) + " 1\n" + entry(metadataAt);
    update += "trailer\n<< /Size " + QByteArray::number(metadata + 1) + " /Root " +
              QByteArray::number(*root) + " 0 R /Info " + QByteArray::number(*info) +
              " 0 R /Prev " + QByteArray::number(*previous) + " >>\nstartxref\n" +
              QByteArray::number(qlonglong(xrefAt)) + "\n%%EOF\n";
    return pdf + update;
}

} // namespace vorn
