#pragma once

#include <QByteArray>

class QTextDocument;

namespace vorn {

// Dynamic property of the document holding the RTF default tab width in twips
// (\deftab). Layout code turns it into device pixels for the device at hand.
inline constexpr char kDefTabTwipsProperty[] = "deftabTwips";

// Replaces the content of `doc` with the RTF document `rtf`. Never fails:
// malformed input is read as well as it can be, in time linear in its size.
void ReadRtf(const QByteArray& rtf, QTextDocument& doc);

} // namespace vorn
