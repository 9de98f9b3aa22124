#pragma once

#include <QRect>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class RichTextPane;

namespace vorn {

// The printable area of `device` in twips, at (0, 0): each side in device
// pixels times 1440 divided by the pixels per inch of its direction, the
// fraction dropped. The program adds no margin of its own.
QRect PrintableAreaTwips(const QPaintDevice& device);

// Whether the window handles its pending events (repaints, timers) between
// two pages of a long job, or the job only draws.
enum class PageEvents { Process, Hold };

// The page loop of every printed or PDF page: lays the pane's whole content
// out on the painter's device, the first page where the device stands, each
// next one on a new page, every page filling the device's printable area.
void LayOutPanePages(RichTextPane& pane, QPainter& painter, QPagedPaintDevice& device,
                     PageEvents events = PageEvents::Process);

} // namespace vorn
