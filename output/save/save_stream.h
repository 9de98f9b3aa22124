#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

namespace vorn {

// Receives a file's content block by block; a non-zero return means the block
// could not be written.
using BlockSink = std::function<int(const char* data, qint64 size)>;
// Hands a content to a sink; false when the content could not be produced
// whole (a sink refusal included).
using BlockSource = std::function<bool(const BlockSink& sink)>;

// Writes what `source` produces to `fileName`, replacing any regular file of
// that name without asking (through a link to one, the link staying), with
// the guarantees of WriteFilesTogether: the former file stays as it was unless
// the new content is written whole. Throws SaveError naming `fileName`:
// "Erreur à l'enregistrement du flux" when the content cannot be produced, the
// errors of WriteFilesTogether otherwise.
void SaveStream(const QString& fileName, const BlockSource& source);

} // namespace vorn
