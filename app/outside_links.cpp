#include "app/outside_links.h"

#include <QDesktopServices>

namespace vorn {

QUrl AuthorMailLink() {
    return QUrl(QStringLiteral("mailto:auteur@vorn-maths.example?subject=VORN_1.4"));
}

QUrl UpdatesLink() {
    return QUrl(QStringLiteral("http://www.vorn-maths.example/?vientde=VORN_1.4"));
}

QUrl PublisherCatalogueLink() {
    return QUrl(QStringLiteral("http://www.editions-kestrin-oldave.example/fr/catalogue/"
                               "lycee-professionnel-gen/cap/sciences-physiques.html"
                               "?origine=vandrol"));
}

void OpenLink(const QUrl& url) {
    // Nothing is registered, or the desktop cannot open it: the click simply
    // does nothing, as with any link.
    (void)QDesktopServices::openUrl(url);
}

} // namespace vorn
