#pragma once

#include <QByteArray>
#include <QString>

namespace vorn {

// An anonymous file held in memory, for a writer that only takes file names
// and says nothing when a write fails (Qt's PDF writer): what it wrote can be
// read back and checked before any of it reaches a disk. A forked copy of the
// process shares it, and can hand a document back through it. Gone when the
// object goes.
class MemoryFile {
public:
    MemoryFile();
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    // 0 when the file exists, else the system's error number.
    int OpenError() const { return openError_; }
    // A name that opens this file.
    QString WriterPath() const;
    // Reads the whole content into `content`; 0, or the system's error number.
    int Read(QByteArray& content) const;
    // Adds `content` at the end; 0, or the system's error number.
    int Append(const QByteArray& content) const;
    // Why a byte could not be added at the end now: the system's error number,
    // 0 when it could. Tells what stopped a writer that wrote too little.
    int GrowthError() const;

private:
    int descriptor_ = -1;
    int openError_ = 0;
};

} // namespace vorn
