#include "settings/profile_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using vorn::profile::FindValue;
using vorn::profile::SetValue;
using vorn::profile::SetValues;

const char* const kFile = "; made by hand\r\n"
                          "[Other]\r\n"
                          "Key=other section\r\n"
                          "\r\n"
                          "[TForm1]\r\n"
                          "FormVersion=0\r\n"
                          "  spSepar_Value  =   -5   \r\n"
                          "Empty=\r\n"
                          "Dq=\"\"quoted\"\"\r\n"
                          "Sq='single'\r\n"
                          "Mixed=\"starts only\r\n"
                          "Lone=\"\r\n"
                          "no equals sign here\r\n"
                          "\r\n"
                          "[Last]\r\n"
                          "Key=last\r\n";

TEST(FindValue, MatchesSectionAndKeyWithoutRegardToCase) {
    EXPECT_EQ(FindValue(kFile, "tform1", "FORMVERSION"), "0");
    EXPECT_EQ(FindValue(kFile, "TFORM1", "SpSepar_value"), "-5");
    EXPECT_EQ(FindValue(kFile, "other", "key"), "other section");
    EXPECT_EQ(FindValue(kFile, "Last", "Key"), "last");
    // Accented capitals of Windows-1252 fold too: "É" 0xC9 and "é" 0xE9.
    EXPECT_EQ(FindValue("[Pr\xC9nom]\r\nCl\xC9=v\r\n", "pr\xE9nom", "cl\xE9"), "v");
}

TEST(FindValue, StripsBlanksAndOnePairOfMatchingQuotes) {
    EXPECT_EQ(FindValue(kFile, "TForm1", "Empty"), "");
    EXPECT_EQ(FindValue(kFile, "TForm1", "Dq"), "\"quoted\"");
    EXPECT_EQ(FindValue(kFile, "TForm1", "Sq"), "single");
    EXPECT_EQ(FindValue(kFile, "TForm1", "Mixed"), "\"starts only");
    EXPECT_EQ(FindValue(kFile, "TForm1", "Lone"), "\"");
    EXPECT_EQ(FindValue("[S]\nk= \"'x'\" \n", "S", "k"), "'x'");
    EXPECT_EQ(FindValue("[S]\nk=a=b\n", "S", "k"), "a=b");
}

TEST(FindValue, MissingSectionOrKeyIsNotFound) {
    EXPECT_EQ(FindValue(kFile, "TForm2", "FormVersion"), std::nullopt);
    EXPECT_EQ(FindValue(kFile, "TForm1", "Key"), std::nullopt); // only in other sections
    EXPECT_EQ(FindValue(kFile, "TForm1", "no equals sign here"), std::nullopt);
    EXPECT_EQ(FindValue(kFile, "TForm1", "; made by hand"), std::nullopt);
    EXPECT_EQ(FindValue("", "TForm1", "FormVersion"), std::nullopt);
}

TEST(FindValue, AcceptsAnyLineEndAndUsesTheFirstOfTwinSections) {
    EXPECT_EQ(FindValue("[S]\nA=1\rB=2\r\nC=3", "S", "B"), "2");
    EXPECT_EQ(FindValue("[S]\nA=1\rB=2\r\nC=3", "S", "C"), "3");
    EXPECT_EQ(FindValue("[S]\r\nA=first\r\n[s]\r\nA=second\r\nB=b\r\n", "S", "A"), "first");
}

TEST(SetValue, CreatesTheSectionThenAppendsNewKeysInOrder) {
    std::string text = SetValue("", "TForm1", "FormVersion", "0");
    EXPECT_EQ(text, "[TForm1]\r\nFormVersion=0\r\n");
    text = SetValue(text, "TForm1", "Flags", "0");
    text = SetValue(text, "TForm1", "ShowCmd", "1");
    EXPECT_EQ(text, "[TForm1]\r\nFormVersion=0\r\nFlags=0\r\nShowCmd=1\r\n");
}

TEST(SetValue, ReplacesAKeyInPlaceKeepingEveryOtherLine) {
    const std::string text = SetValue(kFile, "TFORM1", "SPSEPAR_VALUE", "120");
    std::string expected = kFile;
    expected.replace(expected.find("  spSepar_Value  =   -5   "), 26, "spSepar_Value=120");
    EXPECT_EQ(text, expected);
}

TEST(SetValue, InsertsANewKeyBeforeTheBlankLinesThatEndItsSection) {
    const std::string text = SetValue(kFile, "TForm1", "Visible", "0");
    std::string expected = kFile;
    expected.insert(expected.find("\r\n[Last]"), "Visible=0\r\n");
    EXPECT_EQ(text, expected);
    EXPECT_EQ(SetValue("[A]\r\n\r\n[B]\r\n", "A", "k", "v"), "[A]\r\nk=v\r\n\r\n[B]\r\n");
}

TEST(SetValue, AppendsAMissingSectionAfterTheOthers) {
    EXPECT_EQ(SetValue("[Other]\r\nk=1\r\n", "TForm1", "FormVersion", "0"),
              "[Other]\r\nk=1\r\n[TForm1]\r\nFormVersion=0\r\n");
}

TEST(SetValue, WritesEveryLineWithCarriageReturnLineFeed) {
    EXPECT_EQ(SetValue("[S]\nA=1\rB=2", "S", "C", "3"), "[S]\r\nA=1\r\nB=2\r\nC=3\r\n");
}

TEST(SetValue, KeepsLineBreaksOfAValueFromStartingNewLines) {
    const std::string text = SetValue("", "TForm1", "edtTitre_Text", "a\r\nFormVersion=-1\nb");
    EXPECT_EQ(text, "[TForm1]\r\nedtTitre_Text=a  FormVersion=-1 b\r\n");
    EXPECT_EQ(FindValue(text, "TForm1", "FormVersion"), std::nullopt);
}

TEST(SetValue, RefusesNamesThatCannotStandInTheFile) {
    for (const char* key : {"", "a=b", "[k", ";k", "a\nb", " k"})
        EXPECT_THROW(SetValue("", "TForm1", key, "v"), std::invalid_argument) << key;
    EXPECT_THROW(SetValue("", "T]Form1", "k", "v"), std::invalid_argument);
}

TEST(SectionLine, NeedsItsClosingBracket) {
    const char* const text = "[TForm1\r\nk=broken\r\n[TForm1]\r\nk=real\r\n";
    EXPECT_EQ(FindValue(text, "TForm1", "k"), "real");
    EXPECT_EQ(SetValue(text, "TForm1", "k", "new"), "[TForm1\r\nk=broken\r\n[TForm1]\r\nk=new\r\n");
    // Nor does such a line end the section above it.
    EXPECT_EQ(FindValue("[S]\r\n[T\r\nk=v\r\n", "S", "k"), "v");
    EXPECT_EQ(FindValue("[S] ; note\r\nk=v\r\n", "S", "k"), "v");
}

TEST(SetValues, StoresAWholeSaveInOnePassAsSeparateStoresWould) {
    const std::string text = SetValues(kFile, "tform1",
                                       {{"Visible", "0"},
                                        {"FormVersion", "1"},
                                        {"Flags", "2"},
                                        {"VISIBLE", "1"},
                                        {"Dq", "\"\"x\"\""}});
    std::string expected = kFile;
    expected.replace(expected.find("FormVersion=0"), 13, "FormVersion=1");
    expected.replace(expected.find("Dq=\"\"quoted\"\""), 13, "Dq=\"\"x\"\"");
    // New keys in the order first written, under their first spelling, with
    // their last value.
    expected.insert(expected.find("\r\n[Last]"), "Visible=1\r\nFlags=2\r\n");
    EXPECT_EQ(text, expected);
    EXPECT_EQ(SetValues("", "TForm1", {{"A", "1"}, {"B", "2"}}), "[TForm1]\r\nA=1\r\nB=2\r\n");
    EXPECT_EQ(SetValues("[TForm1]\n\n\n", "TForm1", {{"A", "1"}, {"B", "2"}}),
              "[TForm1]\r\nA=1\r\nB=2\r\n\r\n\r\n");
}

} // namespace
