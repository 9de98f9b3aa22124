#include "richtext/markup_converter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// The document header, written out here independently of the converter.
const std::string kHeader =
    R"rtf({\rtf1\ansi\ansicpg1252\deftab2880\deff0\deflang1036{\fonttbl{\f0\fswiss\fprq2\fcharset0 Arial;}{\f1\froman\fprq2\fcharset0 Times New Roman;}{\f2\fmodern\fprq1\fcharset0 Courier New;}{\f3\froman\fprq2\fcharset2 Symbol;}{\f4\fswiss\fcharset0 Arial;}}{\colortbl ;\red0\green0\blue0;\red128\green0\blue0;\red0\green128\blue0;\red128\green128\blue0;\red0\green0\blue128;\red128\green0\blue128;\red0\green128\blue128;\red128\green128\blue128;\red192\green192\blue192;\red255\green0\blue0;\red0\green255\blue0;\red255\green255\blue0;\red0\green0\blue255;\red255\green0\blue255;\red0\green255\blue255;\red255\green255\blue255;}\viewkind4\uc1\pard\f0 )rtf";

// A whole converted document whose body is `body`.
std::string Doc(const std::string& body) {
    return kHeader + body + "}";
}

std::string Convert(std::string_view markup) {
    return vorn::ConvertMarkupToRtf(markup);
}

TEST(RtfHeaderTest, IsTheFixedTextOf643Bytes) {
    EXPECT_EQ(kHeader.size(), 643u);
    EXPECT_EQ(vorn::RtfHeader.size(), 643u);
    EXPECT_EQ(std::string(vorn::RtfHeader), kHeader);
    EXPECT_EQ(kHeader.substr(kHeader.size() - 4), "\\f0 ");
}

TEST(MarkupToRtfTest, WorkedExampleByteForByte) {
    const std::string markup = "<te=24><B><u>Calculer</u></b><br>\r\n"
                               "<ce=noir><te=18>1\xB0/ <i>x</i> = 5<tab><cf=jaune> 12 "
                               "<cf=auto><gras><br>";
    const std::string body = "\\fs24 \\b \\ul Calculer\\ul0 \\b0 \\par \\cf1 \\fs18 1\xB0/ \\i "
                             "x\\i0  = 5\\tab \\highlight12  12 \\highlight0 \\par ";
    EXPECT_EQ(Convert(markup), Doc(body));
}

TEST(MarkupToRtfTest, EmptyMarkupIsAnEmptyDocument) {
    EXPECT_EQ(Convert(""), kHeader + "}");
}

TEST(MarkupToRtfTest, EveryFixedTagWritesItsControlWord) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"<b>", "\\b "},        {"</b>", "\\b0 "},
        {"<i>", "\\i "},        {"</i>", "\\i0 "},
        {"<u>", "\\ul "},       {"</u>", "\\ul0 "},
        {"<s>", "\\strike "},   {"</s>", "\\strike0 "},
        {"<sup>", "\\super "},  {"</sup>", "\\nosupersub "},
        {"<sub>", "\\sub "},    {"</sub>", "\\nosupersub "},
        {"<arial>", "\\f0 "},   {"<times>", "\\f1 "},
        {"<courier>", "\\f2 "}, {"<symbol>", "\\f3 "},
        {"<br>", "\\par "},     {"<tab>", "\\tab "},
        {"<lt>", "<"},          {"x <LT>b> 3", "x <b> 3"},
    };
    for (const auto& [tag, word] : cases)
        EXPECT_EQ(Convert(tag), Doc(word)) << tag;
}

TEST(MarkupToRtfTest, EveryColourNameSelectsItsTableEntry) {
    const std::vector<std::pair<std::string, int>> colours{
        {"auto", 0},        {"automatique", 0},   {"noir", 1},          {"marron", 2},
        {"vert", 3},        {"olive", 4},         {"bleu fonc\xE9", 5}, {"violet", 6},
        {"cyan", 7},        {"gris fonc\xE9", 8}, {"gris clair", 9},    {"rouge", 10},
        {"vert clair", 11}, {"jaune", 12},        {"bleu", 13},         {"fuchsia", 14},
        {"bleu ciel", 15},  {"blanc", 16},
    };
    for (const auto& [name, index] : colours) {
        EXPECT_EQ(Convert("<ce=" + name + ">"), Doc("\\cf" + std::to_string(index) + " ")) << name;
        EXPECT_EQ(Convert("<cf=" + name + ">"), Doc("\\highlight" + std::to_string(index) + " "))
            << name;
    }
    // Named by the green-blue mix, not by full cyan.
    EXPECT_EQ(Convert("<ce=cyan>"), Doc("\\cf7 "));
    EXPECT_EQ(Convert("<cf=bleu ciel>"), Doc("\\highlight15 "));
}

TEST(MarkupToRtfTest, OnlyAsciiLettersAreFolded) {
    EXPECT_EQ(Convert("<B>"), Doc("\\b "));
    EXPECT_EQ(Convert("<Sup>"), Doc("\\super "));
    EXPECT_EQ(Convert("<TE=24>"), Doc("\\fs24 "));
    EXPECT_EQ(Convert("<Ce=Rouge>"), Doc("\\cf10 "));
    EXPECT_EQ(Convert("<BR><TAB>"), Doc("\\par \\tab "));
    // The capital E-acute is not folded, so the name matches nothing.
    EXPECT_EQ(Convert("<ce=BLEU FONC\xC9>"), Doc(""));
    // Spaces are part of the tag text.
    EXPECT_EQ(Convert("< b>"), Doc(""));
    EXPECT_EQ(Convert("<b >"), Doc(""));
}

TEST(MarkupToRtfTest, SizeTagCopiesItsValueVerbatim) {
    EXPECT_EQ(Convert("<te=18>"), Doc("\\fs18 "));
    EXPECT_EQ(Convert("<te=te=18>"), Doc("\\fs18 "));
    EXPECT_EQ(Convert("<te=>"), Doc("\\fs "));
    EXPECT_EQ(Convert("<te=abc>"), Doc("\\fsabc "));
    // Every occurrence goes, not only the leading one.
    EXPECT_EQ(Convert("<te=1te=8>"), Doc("\\fs18 "));
    // A long value is kept whole, folded like any tag.
    EXPECT_EQ(Convert("<TE=0123456789abcdefghijKLMNOPQRSTte=9>"),
              Doc("\\fs0123456789abcdefghijklmnopqrst9 "));
    // Without the leading "te=" it is no size tag.
    EXPECT_EQ(Convert("<xte=18>"), Doc(""));
}

TEST(MarkupToRtfTest, UnknownOrIncompleteColourTagsVanish) {
    EXPECT_EQ(Convert("a<ce=>b"), Doc("ab"));
    EXPECT_EQ(Convert("a<cf=orange>b"), Doc("ab"));
    EXPECT_EQ(Convert("a<ce=noir >b"), Doc("ab"));
    EXPECT_EQ(Convert("a<gras>b"), Doc("ab"));
    // Tags one byte away from a known one, of every known length.
    for (const char* near : {"<x>", "<bb>", "</x>", "<tap>", "<sux>", "<sun>", "</sup2>", "</suc>",
                             "<arian>", "<timer>", "<symbos>", "<couriers>"})
        EXPECT_EQ(Convert(near), Doc("")) << near;
}

TEST(MarkupToRtfTest, UnclosedTagRunsToTheEnd) {
    EXPECT_EQ(Convert("a<b"), Doc("a\\b "));
    EXPECT_EQ(Convert("a<xyz"), Doc("a"));
    EXPECT_EQ(Convert("a < b"), Doc("a "));
    EXPECT_EQ(Convert("a < b> c"), Doc("a  c"));
    EXPECT_EQ(Convert("<"), Doc(""));
    // The tags sheets are made of, cut short at the end.
    const std::pair<const char*, const char*> cut[] = {
        {"a<i", "a\\i "},
        {"a</i", "a\\i0 "},
        {"a<br", "a\\par "},
        {"a<sup", "a\\super "},
        {"a</sup", "a\\nosupersub "},
        {"a<times", "a\\f1 "},
        {"a<arial", "a\\f0 "},
        {"a<su", "a"},
        {"a</", "a"},
    };
    for (const auto& [markup, body] : cut)
        EXPECT_EQ(Convert(markup), Doc(body)) << markup;
}

TEST(MarkupToRtfTest, SecondOpeningBracketBelongsToTheTag) {
    // The tag text is "<b", which is no tag; "c" follows the ">".
    EXPECT_EQ(Convert("a<<b>c"), Doc("ac"));
}

TEST(MarkupToRtfTest, ClosingBracketOutsideATagIsText) {
    EXPECT_EQ(Convert("a > b>"), Doc("a > b>"));
}

TEST(MarkupToRtfTest, HighBytesPassAsSingleBytes) {
    EXPECT_EQ(Convert("\xE9\xB0"), Doc("\xE9\xB0"));
    EXPECT_EQ(Convert("\x80\xFF\x7F"), Doc("\x80\xFF\x7F"));
}

TEST(MarkupToRtfTest, ControlCharactersAreDropped) {
    EXPECT_EQ(Convert("a\r\nb\tc\x01\x1F"), Doc("abc"));
    EXPECT_EQ(Convert("a<br>b<tab>c"), Doc("a\\par b\\tab c"));
    // Far into a long run of text, and in a run that ends the markup.
    const std::string dashes(40, '-');
    EXPECT_EQ(Convert(dashes + "\n" + dashes + "<b>" + dashes + "\t"),
              Doc(dashes + dashes + "\\b " + dashes));
}

TEST(MarkupToRtfTest, OutputLongerThanTheMarkupIsWrittenWhole) {
    std::string markup;
    std::string body;
    for (int i = 0; i < 1000; ++i) {
        markup += "<s>a</s>";
        body += "\\strike a\\strike0 ";
    }
    EXPECT_EQ(Convert(markup), Doc(body));
}

TEST(MarkupToRtfTest, ControlCharacterInsideATagSpoilsTheTag) {
    EXPECT_EQ(Convert("x<b\r\n>y"), Doc("xy"));
}

TEST(MarkupToRtfTest, RtfSyntaxInTextPassesUnchanged) {
    EXPECT_EQ(Convert("{\\b x}"), Doc("{\\b x}"));
}

TEST(MarkupToRtfTest, ZeroByteEndsTheMarkup) {
    const std::string markup("ab\0<b>cd", 8);
    EXPECT_EQ(Convert(markup), Doc("ab"));
    const std::string insideTag("a<b\0>c", 6);
    EXPECT_EQ(Convert(insideTag), Doc("a\\b "));
}

TEST(MarkupToRtfTest, ClosingTagsNeedNoOpeningTag) {
    EXPECT_EQ(Convert("</b></sup></sub>"), Doc("\\b0 \\nosupersub \\nosupersub "));
}

TEST(MarkupToRtfTest, DocumentEndsWithExactlyOneBrace) {
    // Whatever the markup ends with, the body is followed by a single "}".
    EXPECT_EQ(Convert("x"), kHeader + "x}");
    EXPECT_EQ(Convert("<b"), kHeader + "\\b }");
    EXPECT_EQ(Convert("x<"), kHeader + "x}");
    EXPECT_EQ(Convert("<br>"), kHeader + "\\par }");
    // A brace in the text stays; the closing one is added after it.
    EXPECT_EQ(Convert("}"), kHeader + "}}");
}

TEST(MarkupToRtfTest, EachCallStartsAfresh) {
    EXPECT_EQ(Convert("<b>x"), Doc("\\b x"));
    EXPECT_EQ(Convert("y"), Doc("y"));
}

} // namespace
