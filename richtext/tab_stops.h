#pragma once

class QTextDocument;

namespace vorn {

// The default tab distance of a document that names none: half an inch, as
// in RTF.
inline constexpr int kDefaultTabTwips = 720;

// The document's default tab distance in twips, as recorded by the RTF reader,
// at most what RTF can write (32767), or kDefaultTabTwips when none is
// recorded.
int DefaultTabTwips(const QTextDocument& doc);

// Sets the document's default tab stops from its recorded distance, so that
// every device that lays the document out (screen, printer, picture) puts
// them at the same physical distance: 1440 twips are one inch everywhere.
void ApplyDefaultTabStops(QTextDocument& doc);

} // namespace vorn
