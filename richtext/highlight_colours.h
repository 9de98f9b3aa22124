#pragma once

#include <QColor>

namespace vorn {

// Of the sixteen highlight colours (those a sheet's markup names and Word's
// highlighter offers), the one nearest to `colour` in RGB space.
QColor NearestHighlightColour(const QColor& colour);

} // namespace vorn
