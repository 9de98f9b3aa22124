#pragma once

#include <QTextDocument>

// A text document that loads nothing from outside its own content.
//
// HTML read into an ordinary document fetches the stylesheets, imports,
// images and backgrounds it names from local files: pasted HTML could thus
// read any file of the user's into the pane, or name a FIFO and hold the
// window for good. Read through this document (as the resource provider of
// QTextDocumentFragment::fromHtml, and as the document the fragment lands in),
// every such resource comes out empty.
class OfflineTextDocument : public QTextDocument {
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int type, const QUrl& name) override;
};
