#pragma once

#include <QRect>

#include <vector>

// Where a stored normal rectangle (left, top, right, bottom; right and
// bottom exclusive) puts the window on the screens of this run, given their
// available areas (the desktop without panels and docks):
// - a size larger than the available area of the screen nearest to the
//   rectangle is reduced to that area's size;
// - a rectangle that then overlaps some available area keeps its left and
//   top exactly;
// - any other is moved onto the nearest available area, keeping its size.
// Any four integers are accepted, without overflow; with no screen at all the
// rectangle is kept as far as it can be expressed.
QRect FitOnScreens(int left, int top, int right, int bottom, const std::vector<QRect>& areas);
