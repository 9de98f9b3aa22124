#include "output/save/answer_key_name.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using vorn::AnswerKeyFileName;

TEST(AnswerKeyNameTest, ReplacesTheLastExtension) {
    EXPECT_EQ(AnswerKeyFileName("VN1_071542.rtf"), "VN1_071542_Cor.rtf");
    EXPECT_EQ(AnswerKeyFileName("a.b.rtf"), "a.b_Cor.rtf");
    EXPECT_EQ(AnswerKeyFileName("feuille.txt"), "feuille_Cor.rtf");
    EXPECT_EQ(AnswerKeyFileName("feuille.doc"), "feuille_Cor.rtf");
    EXPECT_EQ(AnswerKeyFileName("/home/prof/VN1_071542.rtf"), "/home/prof/VN1_071542_Cor.rtf");
}

TEST(AnswerKeyNameTest, NameWithoutExtensionKeepsItsWholeName) {
    EXPECT_EQ(AnswerKeyFileName("feuille"), "feuille_Cor.rtf");
    EXPECT_EQ(AnswerKeyFileName("/tmp/feuille"), "/tmp/feuille_Cor.rtf");
}

TEST(AnswerKeyNameTest, DotsInFolderNamesAreIgnored) {
    EXPECT_EQ(AnswerKeyFileName("cours.2024/feuille"), "cours.2024/feuille_Cor.rtf");
    EXPECT_EQ(AnswerKeyFileName("/a.b/c.d/e.rtf"), "/a.b/c.d/e_Cor.rtf");
    EXPECT_EQ(AnswerKeyFileName("C:\\cours.2024\\feuille"), "C:\\cours.2024\\feuille_Cor.rtf");
}

TEST(AnswerKeyNameTest, DotAtEitherEndOfTheName) {
    EXPECT_EQ(AnswerKeyFileName(".rtf"), "_Cor.rtf");
    EXPECT_EQ(AnswerKeyFileName("dir/.rtf"), "dir/_Cor.rtf");
    EXPECT_EQ(AnswerKeyFileName("feuille."), "feuille_Cor.rtf");
    EXPECT_EQ(AnswerKeyFileName(""), "_Cor.rtf");
}

TEST(AnswerKeyNameTest, PdfStatementGetsAPdfAnswerKeyWhateverTheCase) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"feuille.pdf", "feuille_Cor.pdf"},   {"a.b.PDF", "a.b_Cor.pdf"},
        {"/x.pdf/f.Pdf", "/x.pdf/f_Cor.pdf"}, {"f.pdf.rtf", "f.pdf_Cor.rtf"},
        {"feuille.rtf", "feuille_Cor.rtf"},   {"x.pdf/feuille", "x.pdf/feuille_Cor.rtf"},
        {"f\x0Epdf", "f\x0Epdf_Cor.rtf"},
    };
    for (const auto& [statement, answerKey] : cases)
        EXPECT_EQ(vorn::AnswerKeyFileName(statement), answerKey) << statement;
}

} // namespace
