#include "richtext/rtf_tokenizer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace vorn {
namespace {

// The token stream as one string: "{", "}", "\name", "\name=N", "sym(c)",
// "hex(hh)" and "text(...)", separated by spaces.
std::string Tokens(std::string_view input) {
    std::string out;
    RtfTokenizer tokenizer(input);
    for (RtfToken t = tokenizer.Next(); t.kind != RtfToken::Kind::End; t = tokenizer.Next()) {
        if (!out.empty())
            out += ' ';
        char hex[3];
        switch (t.kind) {
        case RtfToken::Kind::GroupOpen:
            out += '{';
            break;
        case RtfToken::Kind::GroupClose:
            out += '}';
            break;
        case RtfToken::Kind::ControlWord:
            out += "\\" + std::string(t.word) + (t.hasParam ? "=" + std::to_string(t.param) : "");
            break;
        case RtfToken::Kind::ControlSymbol:
            out += "sym(" + std::string(1, static_cast<char>(t.symbol)) + ")";
            break;
        case RtfToken::Kind::HexByte:
            std::snprintf(hex, sizeof hex, "%02x", t.symbol);
            out += "hex(" + std::string(hex) + ")";
            break;
        default:
            out += "text(" + std::string(t.word) + ")";
            break;
        }
    }
    return out;
}

TEST(RtfTokenizer, WordsSymbolsAndText) {
    EXPECT_EQ(Tokens("{\\rtf1\\ansi Hello {\\b bold}}"),
              "{ \\rtf=1 \\ansi text(Hello ) { \\b text(bold) } }");
    // One space ends a word and belongs to it; other delimiters stay text.
    EXPECT_EQ(Tokens("\\i0  = 5\\b;x\\b-x"), "\\i=0 text( = 5) \\b text(;x) \\b text(-x)");
    EXPECT_EQ(Tokens("\\u-4064?\\'e9\\'C9\\~"), "\\u=-4064 text(?) hex(e9) hex(c9) sym(~)");
    EXPECT_EQ(Tokens("{\\*\\mmathPr\\mbrkBin0}"), "{ sym(*) \\mmathPr \\mbrkBin=0 }");
    EXPECT_EQ(Tokens("1\xb0/\r\n\xe9"), "text(1\xb0/) text(\xe9)");
    EXPECT_EQ(Tokens("a\\\nb"), "text(a) sym(\n) text(b)");
}

TEST(RtfTokenizer, ParametersSaturateAtTheThirtyTwoBitRange) {
    EXPECT_EQ(Tokens("\\fs99999999999999999999999 x"), "\\fs=2147483647 text(x)");
    EXPECT_EQ(Tokens("\\fs2147483648\\fs2147483647"), "\\fs=2147483647 \\fs=2147483647");
    EXPECT_EQ(Tokens("\\fs-2147483648\\fs-99999999999999"), "\\fs=-2147483648 \\fs=-2147483648");
}

TEST(RtfTokenizer, NameEndsAfterThirtyTwoLetters) {
    const std::string name(32, 'a');
    EXPECT_EQ(Tokens("\\" + name + "bcd5 x"), "\\" + name + " text(bcd5 x)");
    EXPECT_EQ(Tokens("\\" + name + "7 x"), "\\" + name + "=7 text(x)");
}

TEST(RtfTokenizer, IncompleteEscapesStandForNothing) {
    EXPECT_EQ(Tokens("a\\'ez"), "text(a) text(z)");
    EXPECT_EQ(Tokens("a\\'"), "text(a)");
    EXPECT_EQ(Tokens("a\\"), "text(a)");
    EXPECT_EQ(Tokens("\\'\\'\\'41"), "hex(41)");
}

TEST(RtfTokenizer, SkipBytesStopsAtTheEnd) {
    RtfTokenizer tokenizer("\\bin4 {}\\x rest\\bin99 ab");
    tokenizer.SkipBytes(tokenizer.Next().param);
    EXPECT_EQ(tokenizer.Next().word, " rest");
    tokenizer.SkipBytes(tokenizer.Next().param);
    EXPECT_EQ(tokenizer.Next().kind, RtfToken::Kind::End);
}

} // namespace
} // namespace vorn
