#include "richtext/offline_text_document.h"

#include <QByteArray>
#include <QVariant>

QVariant OfflineTextDocument::loadResource(int /*type*/, const QUrl& /*name*/) {
    // Empty bytes rather than no value: with no value, the document itself
    // would go on to read the name as a local file. Empty bytes make an empty
    // stylesheet and a picture or background that does not load.
    return QByteArray();
}
