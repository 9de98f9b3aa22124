#include "output/save/save_stream.h"

#include "output/save/save_error.h"
#include "output/save/write_files_together.h"

#include <QFile>

namespace vorn {

void SaveStream(const QString& fileName, const BlockSource& source) {
    const std::string systemName = QFile::encodeName(fileName).toStdString();
    // The content is made whole before the file is touched: a source that
    // fails halfway leaves nothing behind.
    std::string content;
    const BlockSink sink = [&content](const char* data, qint64 size) {
        content.append(data, std::size_t(size));
        return 0;
    };
    if (!source(sink))
        throw SaveError("Erreur à l'enregistrement du flux", systemName);
    WriteFilesTogether({{systemName, content}});
}

} // namespace vorn
