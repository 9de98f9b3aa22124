#pragma once

#include <QString>
#include <QUrl>

namespace vorn {

// The three links the window hands to the desktop.
QUrl AuthorMailLink();
QUrl UpdatesLink();
QUrl PublisherCatalogueLink();

// Asks the desktop to open `url` with the user's mail program or browser;
// false when no such program could be started.
bool OpenLink(const QUrl& url);

// What to tell the teacher when `url` could not be opened: that there is no
// mail program or browser, and the address to use by hand.
QString LinkNotOpenedText(const QUrl& url);

} // namespace vorn
