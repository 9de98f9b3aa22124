#include "output/save/save_sheets.h"
#include "output/save/sheet_files.h"
#include "richtext/rich_text_pane.h"
#include "settings/session_file.h"
#include "tests/app/form_fixture.h"
#include "tests/support/watchdog.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Rtf(const RichTextPane& pane) {
    std::string bytes;
    pane.StreamOut(RichTextPane::StreamFormat::Rtf, [&bytes](const char* data, qint64 n) {
        bytes.append(data, static_cast<std::size_t>(n));
        return 0;
    });
    return bytes;
}

// The text of the error box the call shows, which it closes; empty for none.
QString ErrorShownBy(const std::function<void()>& call) {
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    call();
    return shown;
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class FormKeeping : public FormTest {
protected:
    QString File(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    std::pair<std::string, std::string> Panes() const {
        return {Rtf(*form->statementPane), Rtf(*form->answerKeyPane)};
    }
    QTemporaryDir dir;
};

TEST_F(FormKeeping, EveryFamilyAndLevelSavedAsRtfOpensAsItWasSaved) {
    for (const vorn::SheetKind& kind : vorn::AllSheetKinds()) {
        SCOPED_TRACE(std::string(kind.family->shortName) + " " + std::to_string(kind.level));
        form->generateSheet(kind);
        const auto saved = Panes();
        const std::string recipe = form->shownRecipeText();
        vorn::SaveSheet(*form->statementPane, *form->answerKeyPane, File("f.rtf"), std::nullopt,
                        recipe);
        form->generateSheet(vorn::AllSheetKinds().front()); // something else on screen
        ASSERT_TRUE(form->openSheetFile(File("f.rtf")));
        EXPECT_EQ(Panes(), saved);
        EXPECT_EQ(form->shownRecipeText(), recipe);
        EXPECT_TRUE(form->variantSheetsAction->isEnabled());
    }
}

TEST_F(FormKeeping, EditsComeBackFromRtfAndALostKeyOrAPdfIsDrawnAgain) {
    form->generateSheet(vorn::SheetKind{&vorn::FamilyNamed("dev1"), 1});
    const auto drawn = Panes();
    QTextCursor(form->statementPane->document()).insertText(QStringLiteral("Devoir du lundi "));
    const auto edited = Panes();
    vorn::SaveSheet(*form->statementPane, *form->answerKeyPane, File("e.rtf"), std::nullopt,
                    form->shownRecipeText());
    ASSERT_TRUE(form->openSheetFile(File("e.rtf")));
    EXPECT_EQ(Panes(), edited);
    ASSERT_TRUE(form->openSheetFile(File("e_Cor.rtf"))); // the key chosen: the same pair
    EXPECT_EQ(Panes(), edited);

    ASSERT_TRUE(QFile::remove(File("e_Cor.rtf")));
    ASSERT_TRUE(form->openSheetFile(File("e.rtf")));
    EXPECT_EQ(Panes(), std::make_pair(edited.first, drawn.second));
    EXPECT_TRUE(form->statusLabel->text().contains(QStringLiteral("recréé")));

    vorn::SaveSheets({form->statementPane}, {form->answerKeyPane}, File("p.pdf"),
                     vorn::LaserA4PageSetup, QStringLiteral("T"), {}, form->shownRecipeText());
    ASSERT_TRUE(form->openSheetFile(File("p.pdf")));
    EXPECT_EQ(Panes(), drawn); // what was edited cannot come back from a PDF
}

TEST_F(FormKeeping, HostileFilesAreRefusedWithTheirMessageAndChangeNothing) {
    form->generateSheet(vorn::SheetKind{&vorn::FamilyNamed("vn1"), 1});
    const std::string recipe = form->shownRecipeText();
    Write(File("word.rtf"), "{\\rtf1\\ansi Lettre aux parents}");
    Write(File("cut.rtf"),
          "{\\rtf1\\ansi{\\*\\vornrecette " + QByteArray::fromStdString(recipe) + "} Devoir");
    Write(File("v2.rtf"), "{\\rtf1 x{\\*\\vornrecette VORN-RECETTE 2 famille=vn1:1}}");
    Write(File("zz.rtf"), "{\\rtf1 x{\\*\\vornrecette " +
                              QByteArray::fromStdString(recipe).replace("vn1:", "zz:") + "}}");
    Write(File("key.rtf"),
          "{\\rtf1 x{\\*\\vornrecette " + QByteArray::fromStdString(recipe) + "}}");
    Write(File("key_Cor.rtf"), "{\\rtf1 coupé");
    Write(File("other.pdf"), "%PDF-1.4\n1 0 obj<<>>endobj\n%%EOF\n");
    Write(File("image.png"), "\x89PNG\r\n");
    ASSERT_EQ(::mkfifo(File("fifo.rtf").toLocal8Bit().constData(), 0600), 0);
    ASSERT_EQ(::symlink("fifo.rtf", File("link.rtf").toLocal8Bit().constData()), 0);
    Write(File("huge.rtf"), "{\\rtf1 ");
    ASSERT_EQ(::truncate(File("huge.rtf").toLocal8Bit().constData(), 21 << 20), 0);
    const struct {
        const char* file;
        const char* said;
    } cases[] = {
        {"cut.rtf", "endommagé"},
        {"v2.rtf", "version « 2 »"},
        {"zz.rtf", "inconnue : « zz »"},
        {"key.rtf", "key_Cor.rtf » est endommagé"},
        {"other.pdf", "sans recette"},
        {"image.png", "ni un fichier RTF ni un PDF"},
        {"fifo.rtf", "n'est pas un fichier"},
        {"link.rtf", "n'est pas un fichier"},
        {"huge.rtf", "20 Mo"},
        {"absent.rtf", "n'existe pas"},
    };
    const auto before = Panes();
    const Watchdog watchdog(std::chrono::seconds(60), "opening planted files");
    for (const auto& c : cases) {
        const QString shown =
            ErrorShownBy([&] { EXPECT_FALSE(form->openSheetFile(File(c.file))); });
        EXPECT_TRUE(shown.contains(QString::fromUtf8(c.said)))
            << c.file << ": " << shown.toStdString();
        EXPECT_EQ(Panes(), before) << c.file;
        EXPECT_EQ(form->shownRecipeText(), recipe) << c.file;
    }
    // A word processor's file opens alone, with no key and no recipe.
    ASSERT_TRUE(form->openSheetFile(File("word.rtf")));
    EXPECT_EQ(form->statementPane->GetText(), QStringLiteral("Lettre aux parents"));
    EXPECT_EQ(form->answerKeyPane->TextLength(), 0);
    EXPECT_TRUE(form->shownRecipeText().empty());
    EXPECT_FALSE(form->variantSheetsAction->isEnabled());
}

TEST_F(FormKeeping, TheSessionComesBackUnlessStartedEmpty) {
    const QString session = File("state/vorn/session");
    form->useSessionFile(session, true); // none yet: nothing changes
    EXPECT_TRUE(form->statementPane->GetText().trimmed().isEmpty());
    const vorn::SheetKind menuKind{&vorn::FamilyNamed("red"), 2};
    form->generateSheet(menuKind);
    QTextCursor(form->answerKeyPane->document()).insertText(QStringLiteral("Vu. "));
    form->state.LastSetSize = 28;
    form->editModeCheck->setChecked(true); // kept by the settings file
    const auto panes = Panes();
    const std::string recipe = form->shownRecipeText();
    form->close();
    struct stat info {};
    ASSERT_EQ(::stat(session.toLocal8Bit().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    for (const bool restore : {false, true}) {
        MainWindow again;
        again.formStorage.SetIniFileName(form->formStorage.IniFileName());
        again.useSessionFile(session, restore);
        again.show();
        EXPECT_EQ(again.editModeCheck->isChecked(), !restore);
        EXPECT_EQ(again.state.LastSetSize, 28);
        ASSERT_NE(again.familyAction(menuKind), nullptr);
        EXPECT_TRUE(again.familyAction(menuKind)->isChecked());
        if (restore) {
            EXPECT_EQ(Rtf(*again.statementPane), panes.first);
            EXPECT_EQ(Rtf(*again.answerKeyPane), panes.second);
            EXPECT_TRUE(again.answerKeyPane->document()->isModified());
            EXPECT_EQ(again.shownRecipeText(), recipe);
        } else {
            EXPECT_TRUE(again.statementPane->GetText().trimmed().isEmpty());
        }
    }
}

TEST_F(FormKeeping, AHostileSessionFileIsIgnoredAndTheWindowStartsEmpty) {
    form->generateSheet(vorn::SheetKind{&vorn::FamilyNamed("vn2"), 1});
    const QByteArray whole = QByteArray::fromStdString(vorn::SessionText(form->currentSession()));
    Write(File("cut"), whole.left(whole.size() - 10));
    Write(File("other"), QByteArray(whole).replace("VORN-SESSION 1", "VORN-SESSION 7"));
    Write(File("huge"), whole);
    ASSERT_EQ(::truncate(File("huge").toLocal8Bit().constData(), 1LL << 30), 0);
    Write(File("target"), whole);
    ASSERT_EQ(::symlink("target", File("link").toLocal8Bit().constData()), 0);
    ASSERT_EQ(::mkfifo(File("fifo").toLocal8Bit().constData(), 0600), 0);
    const Watchdog watchdog(std::chrono::seconds(60), "planted session files");
    for (const char* name : {"cut", "other", "huge", "link", "fifo"}) {
        MainWindow again;
        again.useSessionFile(File(name), true);
        EXPECT_TRUE(again.statementPane->GetText().trimmed().isEmpty()) << name;
        EXPECT_TRUE(again.shownRecipeText().empty()) << name;
    }
    MainWindow fine;
    fine.useSessionFile(File("target"), true);
    EXPECT_FALSE(fine.statementPane->GetText().trimmed().isEmpty());
}

} // namespace
