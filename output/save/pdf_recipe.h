#pragma once

#include <QByteArray>
#include <QString>

#include <string>

namespace vorn {

// The XMP packet of a saved PDF titled `title`: the title and the creating
// program that PDF readers show, and the sheet's `recipe` (ASCII text
// without "<", ">" or "&", as RecipeText writes it) for SavedFileRecipe.
QByteArray RecipeXmp(const QString& title, const std::string& recipe);

} // namespace vorn
