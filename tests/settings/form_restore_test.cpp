#include "tests/settings/settings_test_support.h"

#include <gtest/gtest.h>

namespace settings_test {
namespace {

using FormRestoreTest = FormTest;

TEST_F(FormRestoreTest, AMissingFileKeepsTheDesignedValuesWithTheTitleTrimmed) {
    auto form = Start();
    EXPECT_EQ(form->titleEdit->text(), MainWindow::kDesignedTitle.left(77));
    EXPECT_EQ(form->questionCountSpin->value(), 20);
    EXPECT_EQ(form->statementPane->height(), 166);
    EXPECT_EQ(form->answerKeyCopiesSpin->value(), 0);
    EXPECT_EQ(form->statementCopiesSpin->value(), 1);
    EXPECT_EQ(form->separatorSpin->value(), 120);
    EXPECT_EQ(form->spacingSpin->value(), 1);
    EXPECT_FALSE(form->editModeCheck->isChecked());
    EXPECT_EQ(form->editClicks, 0);
    EXPECT_EQ(form->geometry(), QRect(111, 104, 794, 522));
    EXPECT_TRUE(form->formStorage.Restored());
    EXPECT_TRUE(form->errors.isEmpty());
}

TEST_F(FormRestoreTest, ValuesGoThroughTheControlsOwnRules) {
    WriteBytes(path_, "[TForm1]\r\n"
                      "spedtQuestions_Value=99\r\n"
                      "spSepar_Value=-5\r\n"
                      "spedtSujets_Value=100\r\n"
                      "RxRichEdit1_Height=12\r\n"
                      "ckbEdite_Checked=TRUE\r\n");
    auto form = Start();
    EXPECT_EQ(form->questionCountSpin->value(), 40);
    EXPECT_EQ(form->separatorSpin->value(), -5);
    EXPECT_EQ(form->statementCopiesSpin->value(), 99);
    EXPECT_EQ(form->statementPane->height(), 50);
    EXPECT_TRUE(form->editModeCheck->isChecked());
    EXPECT_TRUE(form->EditMode);
    EXPECT_EQ(form->editClicks, 1);
}

TEST_F(FormRestoreTest, ValuesThatAreNotIntegersRestoreAsAClampedZero) {
    WriteBytes(path_, "[TForm1]\r\n"
                      "spedtQuestions_Value=vingt\r\n"
                      "RxRichEdit1_Height=12.5\r\n"
                      "spedtCorriges_Value=\r\n"
                      "spedtSujets_Value=0x05\r\n"
                      "spSepar_Value=1e3\r\n"
                      "spInterL_Value=3 lignes\r\n"
                      "ckbEdite_Checked=oui\r\n");
    auto form = Start();
    EXPECT_EQ(form->questionCountSpin->value(), 1);
    EXPECT_EQ(form->statementPane->height(), 50);
    EXPECT_EQ(form->answerKeyCopiesSpin->value(), 0);
    EXPECT_EQ(form->statementCopiesSpin->value(), 0);
    EXPECT_EQ(form->separatorSpin->value(), 0);
    EXPECT_EQ(form->spacingSpin->value(), 0);
    EXPECT_FALSE(form->editModeCheck->isChecked());
    EXPECT_EQ(form->editClicks, 0);
}

TEST_F(FormRestoreTest, KeysAndSectionInAnotherLetterCaseAreFound) {
    WriteBytes(path_, "[tform1]\r\n"
                      "SPEDTQUESTIONS_VALUE=7\r\n"
                      "edttitre_text=Devoir\r\n"
                      "CKBEDITE_CHECKED=true\r\n"
                      "normpos=30,40,730,540\r\n");
    auto form = Start();
    EXPECT_EQ(form->questionCountSpin->value(), 7);
    EXPECT_EQ(form->titleEdit->text(), "Devoir");
    EXPECT_TRUE(form->EditMode);
    EXPECT_EQ(form->geometry(), QRect(30, 40, 700, 500));
}

TEST_F(FormRestoreTest, AQuotedTitleComesBackUnchanged) {
    auto form = Start();
    form->titleEdit->setText("\"Devoir surveill\xC3\xA9\"");
    Quit(form);
    EXPECT_NE(ReadBytes(path_).find("\r\nedtTitre_Text=\"\"Devoir surveill\xE9\"\"\r\n"),
              std::string::npos);
    form = Start();
    EXPECT_EQ(form->titleEdit->text(), "\"Devoir surveill\xC3\xA9\"");
}

// A Windows-1252 file holds what it lacks as character references, which
// the next start turns back; a Unicode file holds the characters themselves.
TEST_F(FormRestoreTest, ATitleBeyondWindows1252ComesBackInEveryEncoding) {
    const QString title =
        QString::fromUtf8("Classe \xE2\x89\xA4 \xE2\x88\x9A \xF0\x9F\x98\x80 &#65; \xC3\xA9");
    const struct {
        std::string start;  // the file before the first run
        std::string stored; // the title's line afterwards
    } cases[] = {
        {"", "edtTitre_Text=Classe &#8804; &#8730; &#128512; &#38;#65; \xE9\r\n"},
        {"\xEF\xBB\xBF[TForm1]\r\n",
         "edtTitre_Text=Classe \xE2\x89\xA4 \xE2\x88\x9A \xF0\x9F\x98\x80 &#65; \xC3\xA9\r\n"},
    };
    for (const auto& c : cases) {
        QFile::remove(path_);
        if (!c.start.empty())
            WriteBytes(path_, c.start);
        auto form = Start();
        form->titleEdit->setText(title);
        Quit(form);
        EXPECT_NE(ReadBytes(path_).find(c.stored), std::string::npos) << ReadBytes(path_);
        form = Start();
        EXPECT_EQ(form->titleEdit->text(), title);
    }
}

TEST_F(FormRestoreTest, TitleBlanksAtTheEndsAreLostAndInsideKept) {
    auto form = Start();
    form->titleEdit->setText("  \tTitre   avec  blancs   ");
    Quit(form);
    EXPECT_NE(ReadBytes(path_).find("\r\nedtTitre_Text=Titre   avec  blancs\r\n"),
              std::string::npos);
    form = Start();
    EXPECT_EQ(form->titleEdit->text(), "Titre   avec  blancs");
}

TEST_F(FormRestoreTest, ALongTitleComesBackCutTo2047Characters) {
    auto form = Start();
    form->titleEdit->setText(QString(3000, QChar(0xE9)));
    Quit(form);
    EXPECT_NE(ReadBytes(path_).find("edtTitre_Text=" + std::string(3000, '\xE9') + "\r\n"),
              std::string::npos);
    form = Start();
    EXPECT_EQ(form->titleEdit->text(), QString(2047, QChar(0xE9)));
}

TEST_F(FormRestoreTest, ANegativeFormVersionRestoresNothingButTheCloseStillSaves) {
    WriteBytes(path_, "[TForm1]\r\n"
                      "FormVersion=-1\r\n"
                      "NormPos=30,40,930,640\r\n"
                      "ShowCmd=3\r\n"
                      "spedtQuestions_Value=5\r\n"
                      "edtTitre_Text=Devoir\r\n");
    auto form = Start();
    EXPECT_EQ(form->questionCountSpin->value(), 20);
    EXPECT_EQ(form->titleEdit->text(), MainWindow::kDesignedTitle); // not even trimmed
    EXPECT_FALSE(form->MarkerShown());
    EXPECT_EQ(form->geometry(), QRect(111, 104, 794, 522));
    EXPECT_FALSE(form->isMaximized());
    Quit(form);
    const std::string file = ReadBytes(path_);
    EXPECT_NE(file.find("\r\nFormVersion=0\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nNormPos=111,104,905,626\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nspedtQuestions_Value=20\r\n"), std::string::npos);
    // The title is stored trimmed even though it was never restored.
    EXPECT_NE(file.find("\r\nedtTitre_Text=" + TrimmedTitleBytes() + "\r\n"), std::string::npos);
}

TEST_F(FormRestoreTest, AnotherPixelDensityKeepsThePlaceButRestoresTheValues) {
    WriteBytes(path_, "[TForm1]\r\n"
                      "PixelsPerInch=" +
                          std::to_string(ScreenDpi() + 24) +
                          "\r\n"
                          "NormPos=30,40,930,640\r\n"
                          "ShowCmd=3\r\n"
                          "spedtQuestions_Value=5\r\n");
    auto form = Start();
    EXPECT_EQ(form->questionCountSpin->value(), 5);
    EXPECT_TRUE(form->isMaximized()); // the show state does not depend on the density
    EXPECT_EQ(form->normalGeometry(), QRect(111, 104, 794, 522));
}

} // namespace
} // namespace settings_test
