#include "richtext/tab_stops.h"

#include "richtext/rtf_reader.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTextDocument>
#include <QTextOption>
#include <QVariant>

#include <algorithm>
#include <cmath>

namespace vorn {
namespace {

// Qt's text layout reads tab distances as pixels of its reference resolution
// and rescales them to the resolution of the device it lays out for. This is
// that reference: the primary screen's logical vertical dpi.
qreal LayoutReferenceDpi() {
    if (QCoreApplication::testAttribute(Qt::AA_Use96Dpi))
        return 96.0;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            return std::round(screen->logicalDotsPerInchY());
    return 100.0;
}

} // namespace

int DefaultTabTwips(const QTextDocument& doc) {
    bool ok = false;
    const int twips = doc.property(kDefTabTwipsProperty).toInt(&ok);
    return ok && twips > 0 ? std::min(twips, 32767) : kDefaultTabTwips;
}

void ApplyDefaultTabStops(QTextDocument& doc) {
    QTextOption option = doc.defaultTextOption();
    option.setTabStopDistance(DefaultTabTwips(doc) * LayoutReferenceDpi() / 1440.0);
    doc.setDefaultTextOption(option);
}

} // namespace vorn
