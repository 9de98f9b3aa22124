#pragma once

#include <QByteArray>
#include <QString>

#include <string>

namespace vorn {

// A file that an output command creates for what it writes, under the first
// free name among NumberedFileName(wanted, 1), (wanted, 2)...: an entry that
// exists already, whatever it is and a link above all, is never opened,
// replaced or written through. Each name is taken with one exclusive creation,
// so nothing can slip in between looking and creating.
class NewOutputFile {
public:
    // Throws UserError when no file can be created, as Fail() words it: a
    // missing or read-only folder, a name too long, or every name up to
    // kMaxNumber taken (then naming `wanted`). `failure` starts every message
    // of this file ("Impossible d'imprimer dans le fichier").
    NewOutputFile(const QString& wanted, const char* failure);
    // Deletes the file unless Keep() was called, so that a job that fails
    // leaves nothing behind; a file put in its place meanwhile stays.
    ~NewOutputFile();
    NewOutputFile(const NewOutputFile&) = delete;
    NewOutputFile& operator=(const NewOutputFile&) = delete;

    static constexpr int kMaxNumber = 999;

    // The name the file was created under.
    const QString& Path() const { return path_; }
    // Writes `bytes` as the whole content of the still empty file, down to
    // the disk. Throws UserError, as Fail() words it, on the first write that
    // fails; the whole size is reserved first, so that a full disk usually
    // shows before anything is written.
    void WriteWhole(const QByteArray& bytes);
    // Throws UserError "<failure> <Path()> : <cause>", the cause in French
    // after the system's error number.
    [[noreturn]] void Fail(int errorNumber) const;
    void Keep() { keep_ = true; }

private:
    [[noreturn]] void FailFor(const QString& path, int errorNumber) const;

    const std::string failure_;
    QString path_;
    int descriptor_ = -1;
    bool keep_ = false;
};

} // namespace vorn
