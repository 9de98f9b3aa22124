#pragma once

#include <QUrl>

namespace vorn {

// The three links the window hands to the desktop.
QUrl AuthorMailLink();
QUrl UpdatesLink();
QUrl PublisherCatalogueLink();

// Asks the desktop to open `url` with the user's mail program or browser.
// Failure has no visible effect.
void OpenLink(const QUrl& url);

} // namespace vorn
