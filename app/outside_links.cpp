#include "app/outside_links.h"

#include <QDesktopServices>
#include <QUrlQuery>

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

bool OpenLink(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

QString LinkNotOpenedText(const QUrl& url) {
    if (url.scheme() == QLatin1String("mailto")) {
        return QStringLiteral("Aucun programme de messagerie n'a pu être ouvert.\n"
                              "Écrivez à %1 (objet : %2).")
            .arg(url.path(), QUrlQuery(url).queryItemValue(QStringLiteral("subject")));
    }
    return QStringLiteral("Aucun navigateur n'a pu être ouvert.\nAdresse de la page : %1")
        .arg(url.toString());
}

} // namespace vorn
