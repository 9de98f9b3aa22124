#pragma once

#include <QString>

namespace vorn {

// A file that an output command creates for what it writes, under the first
// free name among NumberedFileName(wanted, 1), (wanted, 2)...: an entry that
// exists already, whatever it is and a link above all, is never opened,
// replaced or written through. Each name is taken with one exclusive creation,
// so nothing can slip in between looking and creating.
class NewOutputFile {
public:
    // Throws UserError `failure` when no file can be created: a missing or
    // read-only folder, or every name up to kMaxNumber taken.
    NewOutputFile(const QString& wanted, const char* failure);
    // Deletes the file unless Keep() was called, so that a job that fails
    // leaves nothing behind; a file put in its place meanwhile stays.
    ~NewOutputFile();
    NewOutputFile(const NewOutputFile&) = delete;
    NewOutputFile& operator=(const NewOutputFile&) = delete;

    static constexpr int kMaxNumber = 999;

    // The name the file was created under.
    const QString& Path() const { return path_; }
    // A name that opens this very file for a writer that only takes names
    // (Qt's PDF writer), whatever becomes of Path() meanwhile.
    QString WriterPath() const;
    void Keep() { keep_ = true; }

private:
    QString path_;
    int descriptor_ = -1;
    bool keep_ = false;
};

} // namespace vorn
