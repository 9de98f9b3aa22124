#pragma once

#include <QFont>

namespace vorn {

// The font with its size in points, to the half point an RTF file can hold. A
// size in pixels is read as pixels of the 96 dpi screen the window is
// designed for (13 px is 9.75 pt, kept as 10 pt): a document's text must keep
// its physical size on every device, and a pixel of a 1200 dpi printer is
// twelve times smaller than one of the screen.
QFont PointSizedFont(const QFont& font);

} // namespace vorn
