#pragma once

#include <QByteArray>
#include <QString>

#include <string>

namespace vorn {

// The XMP packet of a saved PDF titled `title`: the title and the creating
// program that PDF readers show, and the sheet's `recipe` (ASCII text
// without "<", ">" or "&", as RecipeText writes it) for SavedFileRecipe.
QByteArray RecipeXmp(const QString& title, const std::string& recipe);

// A PDF as Qt writes it with the XMP packet `xmp` as its document metadata,
// added as an update at its end (a new metadata stream and the catalog
// pointing at it), so that every byte before stays as it was. A PDF of
// another shape comes back unchanged.
QByteArray WithXmpMetadata(const QByteArray& pdf, const QByteArray& xmp);

} // namespace vorn
