#include "app/temp_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void Touch(const QDir& dir, const QString& name) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

TEST(TemporaryFiles, TheThreeNamesInOrder) {
    EXPECT_EQ(vorn::TemporaryFileNames(), (QStringList{"Temp0.emf", "Temp1.emf", "TWfile.txt"}));
}

TEST(TemporaryFiles, EverySpellingGoesAndNothingElse) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QDir dir(tmp.path());
    for (const char* name : {"Temp0.EMF", "temp0.emf", "TEMP1.emf", "TWFile.txt", "twfile.TXT",
                             "Temp0.emf.bak", "Temp2.emf", "notes.txt", "xTemp1.emf"})
        Touch(dir, name);
    ASSERT_TRUE(dir.mkdir("temp1.EMF")); // a folder of that name is no file of ours
    ASSERT_TRUE(QFile::link(dir.filePath("notes.txt"), dir.filePath("TWFILE.TXT")));

    vorn::DeleteFilesIgnoringCase(dir, vorn::TemporaryFileNames());

    QStringList left = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    left.sort();
    EXPECT_EQ(left,
              (QStringList{"Temp0.emf.bak", "Temp2.emf", "notes.txt", "temp1.EMF", "xTemp1.emf"}));
    // The link went, not its target.
    EXPECT_TRUE(QFile::exists(dir.filePath("notes.txt")));
}

TEST(TemporaryFiles, MissingFilesAreSkipped) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QDir dir(tmp.path());
    Touch(dir, "keep.me");
    vorn::DeleteFilesIgnoringCase(dir, vorn::TemporaryFileNames());
    EXPECT_TRUE(QFile::exists(dir.filePath("keep.me")));
    vorn::DeleteFilesIgnoringCase(QDir(tmp.path() + "/missing"), vorn::TemporaryFileNames());
}

} // namespace
