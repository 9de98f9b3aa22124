#include "output/save/pdf_recipe.h"

#include "richtext/recipe_destination.h"

namespace vorn {

namespace {

QByteArray XmlEscaped(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
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

} // namespace vorn
