#include "file_size_limit.h"
#include "sheet_fixture.h"

#include "output/save/save_stream.h"
#include "output/save/sheet_files.h"
#include "richtext/rich_text_pane.h"
#include "text/user_error.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <QFileInfo>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = FreshFolder();
        statement_.SetText(StatementRtf(3));
        key_.SetText(AnswerKeyRtf(3));
    }
    QString Path(const QString& name) const { return dir_ + QLatin1Char('/') + name; }
    QStringList Files() const {
        return QDir(dir_).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    static bool IsRtf(const QByteArray& bytes) { return bytes.startsWith("{\\rtf"); }
    static void Write(const QString& path, const QByteArray& content) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QString dir_;
    RichTextPane statement_;
    RichTextPane key_;
};

TEST_F(SaveTest, TheProposedNameGivesTwoRtfFilesAndNothingElse) {
    vorn::SaveSheet(statement_, key_, Path("VN1_071542.rtf"));
    EXPECT_EQ(Files(), QStringList({"VN1_071542.rtf", "VN1_071542_Cor.rtf"}));
    const QByteArray statement = ReadAll(Path("VN1_071542.rtf"));
    const QByteArray key = ReadAll(Path("VN1_071542_Cor.rtf"));
    EXPECT_TRUE(IsRtf(statement));
    EXPECT_TRUE(IsRtf(key));
    EXPECT_TRUE(statement.contains("Question 3 : 3x + 21 = 33"));
    EXPECT_TRUE(key.contains("Resultat 2 : x = 26"));
    EXPECT_FALSE(statement.contains("Resultat"));
}

TEST_F(SaveTest, AnswerKeyNameDropsOnlyTheLastExtensionOfTheFileItself) {
    vorn::SaveSheet(statement_, key_, Path("a.b.rtf"));
    EXPECT_EQ(Files(), QStringList({"a.b.rtf", "a.b_Cor.rtf"}));

    ASSERT_TRUE(QDir(dir_).mkdir("x.y"));
    vorn::SaveSheet(statement_, key_, Path("x.y/feuille"));
    EXPECT_EQ(QDir(Path("x.y")).entryList(QDir::Files, QDir::Name),
              QStringList({"feuille", "feuille_Cor.rtf"}));
    EXPECT_TRUE(IsRtf(ReadAll(Path("x.y/feuille"))));
}

TEST_F(SaveTest, TxtStatementIsPlainUtf8TextAndItsKeyStaysRtf) {
    statement_.SetText(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Pr\\'e9nom :\\par {\\b Question} 1}");
    vorn::SaveSheet(statement_, key_, Path("feuille.txt"));
    EXPECT_EQ(Files(), QStringList({"feuille.txt", "feuille_Cor.rtf"}));
    const QByteArray text = ReadAll(Path("feuille.txt"));
    EXPECT_FALSE(IsRtf(text));
    EXPECT_TRUE(text.startsWith("Pr\xC3\xA9nom :\nQuestion")) << text.toStdString();
    EXPECT_TRUE(text.contains("Question 1"));
    EXPECT_FALSE(text.contains("\\b"));
    EXPECT_TRUE(IsRtf(ReadAll(Path("feuille_Cor.rtf"))));

    // Any other extension is RTF.
    vorn::SaveSheet(statement_, key_, Path("feuille.DOC"));
    EXPECT_TRUE(IsRtf(ReadAll(Path("feuille.DOC"))));
    EXPECT_EQ(vorn::FormatForFileName("/t.txt/feuille"), RichTextPane::StreamFormat::Rtf);
    EXPECT_EQ(vorn::FormatForFileName("/t/F.TxT"), RichTextPane::StreamFormat::Text);
}

TEST_F(SaveTest, SavingAgainReplacesBothFilesSilently) {
    vorn::SaveSheet(statement_, key_, Path("f.rtf"));
    statement_.SetText(StatementRtf(5));
    key_.SetText(AnswerKeyRtf(5));
    vorn::SaveSheet(statement_, key_, Path("f.rtf"));
    EXPECT_EQ(Files(), QStringList({"f.rtf", "f_Cor.rtf"}));
    EXPECT_TRUE(ReadAll(Path("f.rtf")).contains("Question 5 : 3x + 35 = 55"));
    EXPECT_TRUE(ReadAll(Path("f_Cor.rtf")).contains("Resultat 5 : x = 65"));
}

TEST_F(SaveTest, AFileThatCannotBeCreatedIsNamedInFullAndStopsTheSave) {
    const QString missing = Path("absent/f.rtf");
    EXPECT_EQ(MessageOf([&] { vorn::SaveSheet(statement_, key_, missing); }),
              "Impossible de créer le fichier " + missing.toStdString() + " : dossier introuvable");
    EXPECT_TRUE(Files().isEmpty());

    // The statement's name is taken by a folder: no answer key either.
    ASSERT_TRUE(QDir(dir_).mkdir("g.rtf"));
    EXPECT_EQ(MessageOf([&] { vorn::SaveSheet(statement_, key_, Path("g.rtf")); }),
              "Impossible de créer le fichier " + Path("g.rtf").toStdString() +
                  " : c'est un dossier");
    EXPECT_FALSE(QFile::exists(Path("g_Cor.rtf")));
}

TEST_F(SaveTest, AFailedAnswerKeyLeavesTheStatementAsItWas) {
    ASSERT_TRUE(QDir(dir_).mkdir("h_Cor.rtf"));
    EXPECT_EQ(MessageOf([&] { vorn::SaveSheet(statement_, key_, Path("h.rtf")); }),
              "Impossible de créer le fichier " + Path("h_Cor.rtf").toStdString() +
                  " : c'est un dossier");
    EXPECT_FALSE(QFile::exists(Path("h.rtf")));
}

TEST_F(SaveTest, AFailedStreamLeavesTheExistingFileUntouched) {
    const QString name = Path("f.rtf");
    {
        QFile old(name);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("former sheet");
    }
    const auto failing = [](const vorn::BlockSink& sink) {
        sink("{\\rtf1 partial", 14);
        return false;
    };
    EXPECT_EQ(MessageOf([&] { vorn::SaveStream(name, failing); }),
              "Erreur à l'enregistrement du flux");
    EXPECT_EQ(ReadAll(name), QByteArray("former sheet"));
    EXPECT_EQ(Files(), QStringList({"f.rtf"}));

    // Nothing existed: nothing is left.
    EXPECT_EQ(MessageOf([&] { vorn::SaveStream(Path("new.rtf"), failing); }),
              "Erreur à l'enregistrement du flux");
    EXPECT_EQ(Files(), QStringList({"f.rtf"}));
}

TEST_F(SaveTest, AWriteRefusedByTheSystemLeavesTheExistingFileUntouched) {
    const QString name = Path("f.rtf");
    {
        QFile old(name);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("former sheet");
    }
    statement_.SetText(StatementRtf(40, 5));
    // Files may not grow past 256 bytes while the pane, far larger, is saved.
    const FileSizeLimit limit(256);
    const std::string message = MessageOf([&] { vorn::SaveSheet(statement_, key_, name); });

    EXPECT_EQ(message, "Erreur à l'enregistrement du flux dans " + name.toStdString() +
                           " : fichier trop gros");
    EXPECT_EQ(ReadAll(name), QByteArray("former sheet"));
    EXPECT_EQ(Files(), QStringList({"f.rtf"}));
}

TEST_F(SaveTest, ASavedSheetReadsBackIntoAPaneIdentically) {
    statement_.SetText(StatementRtf(40, 5));
    key_.SetText("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green255\\blue0;}\\f0 "
                 "Question 1\\par R\\'e9sultat : {\\b\\highlight1 x = 4}\\par\\tab fin}");
    vorn::SaveSheet(statement_, key_, Path("r.rtf"));

    RichTextPane statementBack;
    RichTextPane keyBack;
    statementBack.SetText(ReadAll(Path("r.rtf")));
    keyBack.SetText(ReadAll(Path("r_Cor.rtf")));
    EXPECT_EQ(statementBack.GetText(), statement_.GetText());
    EXPECT_EQ(keyBack.GetText(), QString::fromUtf8("Question 1\nRésultat : x = 4\n\tfin"));
    EXPECT_EQ(keyBack.toHtml(), key_.toHtml());
}

// What stands under a name that is no regular file, and how to recognise it
// afterwards.
struct SpecialEntry {
    const char* kind;
    bool (*make)(const QString& path);
    bool (*is)(const struct stat& st);
};

bool MakeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0666) == 0;
}

bool MakeSocket(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.size() >= qsizetype(sizeof(address.sun_path)))
        return false;
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    if (fd >= 0)
        ::close(fd);
    return bound;
}

bool MakeFolder(const QString& path) {
    return QDir().mkdir(path);
}

const SpecialEntry kSpecialEntries[] = {
    {"pipe", MakeFifo, [](const struct stat& st) { return S_ISFIFO(st.st_mode); }},
    {"socket", MakeSocket, [](const struct stat& st) { return S_ISSOCK(st.st_mode); }},
    {"folder", MakeFolder, [](const struct stat& st) { return S_ISDIR(st.st_mode); }},
};

TEST_F(SaveTest, ANameTakenByAnythingButARegularFileIsRefusedAndKept) {
    for (const SpecialEntry& entry : kSpecialEntries) {
        SCOPED_TRACE(entry.kind);
        const QString statement = Path(QString("s-") + entry.kind + ".rtf");
        ASSERT_TRUE(entry.make(statement));
        const std::string cause = std::string(entry.kind) == "folder"
                                      ? " : c'est un dossier"
                                      : " : ce n'est pas un fichier ordinaire";
        EXPECT_EQ(MessageOf([&] { vorn::SaveSheet(statement_, key_, statement); }),
                  "Impossible de créer le fichier " + statement.toStdString() + cause);
        struct stat st {};
        ASSERT_EQ(::lstat(QFile::encodeName(statement).constData(), &st), 0);
        EXPECT_TRUE(entry.is(st));
        EXPECT_FALSE(QFileInfo::exists(Path(QString("s-") + entry.kind + "_Cor.rtf")));

        // The answer key's name taken: neither file is written.
        const QString key = Path(QString("k-") + entry.kind + "_Cor.rtf");
        ASSERT_TRUE(entry.make(key));
        EXPECT_EQ(
            MessageOf([&] { vorn::SaveSheet(statement_, key_, Path(QString("k-") + entry.kind)); }),
            "Impossible de créer le fichier " + key.toStdString() + cause);
        ASSERT_EQ(::lstat(QFile::encodeName(key).constData(), &st), 0);
        EXPECT_TRUE(entry.is(st));
        EXPECT_FALSE(QFile::exists(Path(QString("k-") + entry.kind)));
    }
}

TEST_F(SaveTest, ALinkToARegularFileStaysAndItsTargetIsWritten) {
    const QString target = FreshFolder() + "/partage.rtf";
    Write(target, "former sheet");
    ASSERT_TRUE(QFile::link(target, Path("lien.rtf")));
    vorn::SaveSheet(statement_, key_, Path("lien.rtf"));
    EXPECT_TRUE(QFileInfo(Path("lien.rtf")).isSymLink());
    EXPECT_TRUE(ReadAll(target).contains("Question 3"));
    EXPECT_TRUE(IsRtf(ReadAll(Path("lien_Cor.rtf"))));
}

// Run as an ordinary user (root writes anywhere): a folder the user cannot
// write, holding files the user may write.
class ReadOnlyFolderSaveTest : public SaveTest {
protected:
    void SetUp() override {
        if (geteuid() == 0)
            GTEST_SKIP() << "root ignores permissions; run as an ordinary user";
        SaveTest::SetUp();
        // Longer than what replaces it, so that a file not emptied first shows.
        Write(Path("partage.rtf"), QByteArray(20000, 'x'));
        Write(Path("partage_Cor.rtf"), "former key");
        for (const char* name : {"partage.rtf", "partage_Cor.rtf"})
            ASSERT_EQ(::chmod(QFile::encodeName(Path(name)).constData(), 0666), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(dir_).constData(), 0555), 0);
    }
    void TearDown() override { ::chmod(QFile::encodeName(dir_).constData(), 0755); }
};

TEST_F(ReadOnlyFolderSaveTest, AWritableFileIsWrittenInPlace) {
    vorn::SaveSheet(statement_, key_, Path("partage.rtf"));
    EXPECT_EQ(Files(), QStringList({"partage.rtf", "partage_Cor.rtf"}));
    const QByteArray statement = ReadAll(Path("partage.rtf"));
    EXPECT_TRUE(IsRtf(statement));
    EXPECT_TRUE(statement.contains("Question 3 : 3x + 21 = 33"));
    EXPECT_TRUE(statement.trimmed().endsWith('}'));
    EXPECT_FALSE(statement.contains("xxx"));
    EXPECT_TRUE(ReadAll(Path("partage_Cor.rtf")).contains("Resultat 2 : x = 26"));

    // A new name still cannot be made there.
    EXPECT_EQ(MessageOf([&] { vorn::SaveSheet(statement_, key_, Path("nouveau.rtf")); }),
              "Impossible de créer le fichier " + Path("nouveau.rtf").toStdString() +
                  " : accès refusé");
}

TEST_F(ReadOnlyFolderSaveTest, AFailedWriteInPlaceIsReportedAndPutBack) {
    // Room for the copy kept aside of the former file, not for the new one.
    constexpr int kLimit = 24000;
    statement_.SetText(StatementRtf(800, 5));
    ASSERT_GT(vorn::PaneContent(statement_, RichTextPane::StreamFormat::Rtf, {}, {}).size(),
              kLimit);
    for (const int limitBytes : {kLimit, 256}) {
        const FileSizeLimit limit(limitBytes);
        const std::string message =
            MessageOf([&] { vorn::SaveSheet(statement_, key_, Path("partage.rtf")); });
        // Written and put back, or refused for want of a copy aside.
        EXPECT_NE(message.find(Path("partage.rtf").toStdString()), std::string::npos);
        EXPECT_NE(message.find("fichier trop gros"), std::string::npos) << message;
        // Both files as they were: the statement is not left cut.
        EXPECT_EQ(ReadAll(Path("partage.rtf")), QByteArray(20000, 'x'));
        EXPECT_EQ(ReadAll(Path("partage_Cor.rtf")), "former key");
    }
}

} // namespace
