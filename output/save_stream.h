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
// that name without asking (through a link to one, the link staying). The
// blocks go to a temporary file of the same folder that is renamed over
// `fileName` only once complete, so a failed or interrupted save leaves the
// former file as it was (or no file at all), never a partial one. The one
// exception: when the folder allows no new file but the file itself may be
// written, it is written in place, and a failure may leave it partly written.
// Throws SaveError, naming `fileName`: "Impossible de créer le fichier
// <fileName>" when the file cannot be created or the name is taken by anything
// but a regular file (a folder, a device, a pipe, a socket), "Erreur à
// l'enregistrement du flux" when the content cannot be produced or written.
void SaveStream(const QString& fileName, const BlockSource& source);

} // namespace vorn
