#include "app/caption.h"
#include "app/scramble_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(std::initializer_list<unsigned char> list) {
    return std::string(list.begin(), list.end());
}

TEST(RotateByte, RemainderKeepsTheSignOfTheAmount) {
    // 0x61 = 0110 0001
    EXPECT_EQ(vorn::RotateByte(0x61, -1), 0xC2); // left 1
    EXPECT_EQ(vorn::RotateByte(0x61, 1), 0xB0);  // right 1
    EXPECT_EQ(vorn::RotateByte(0x61, 0), 0x61);
    EXPECT_EQ(vorn::RotateByte(0x61, 8), 0x61); // a full turn
    EXPECT_EQ(vorn::RotateByte(0x61, -16), 0x61);
    // -13 leaves -5: left by 5 places.  0110 0001 -> 0010 1100
    EXPECT_EQ(vorn::RotateByte(0x61, -13), 0x2C);
    // 13 leaves 5: right by 5 places.   0110 0001 -> 0000 1011
    EXPECT_EQ(vorn::RotateByte(0x61, 13), 0x0B);
    EXPECT_EQ(vorn::RotateByte(0x80, -1), 0x01);
    EXPECT_EQ(vorn::RotateByte(0x01, 1), 0x80);
}

TEST(ScrambleText, EmptyKeyExampleBothWays) {
    EXPECT_EQ(vorn::ScrambleText("abc", "", false), Bytes({0xC2, 0x98, 0x1B}));
    EXPECT_EQ(vorn::ScrambleText(Bytes({0xC2, 0x98, 0x1B}), "", true), "abc");
}

TEST(ScrambleText, KeyCursorWrapsAndAmountsAddTheKeySum) {
    // Key "AB": S = 65 + 66 = 131. Amounts: i=1 -(65+131) = -196 -> -4 (left 4);
    // i=2 +(66+131) = 197 -> 5 (right 5); i=3 -(65+131) -> left 4 again.
    // 'x' = 0x78 = 0111 1000: left 4 -> 1000 0111 = 0x87, right 5 -> 1100 0011 = 0xC3.
    EXPECT_EQ(vorn::ScrambleText("xxx", "AB", false), Bytes({0x87, 0xC3, 0x87}));
    EXPECT_EQ(vorn::ScrambleText(Bytes({0x87, 0xC3, 0x87}), "AB", true), "xxx");
}

TEST(ScrambleText, KeepsLengthAndZeroBytes) {
    const std::string text("a\0b\xff", 4);
    const std::string scrambled = vorn::ScrambleText(text, "Zz", true);
    EXPECT_EQ(scrambled.size(), 4u);
    EXPECT_EQ(scrambled[1], '\0'); // a zero byte rotates to itself
    EXPECT_EQ(vorn::ScrambleText(scrambled, "Zz", false), text);
    EXPECT_EQ(vorn::ScrambleText("", "Zz", false), "");
}

TEST(Caption, StoredFormIsTheScrambledCaption) {
    const std::string caption = "VORN 1.4 - Feuilles d'exercices d'alg\xE8"
                                "bre"; // Windows-1252
    EXPECT_EQ(vorn::CaptionKey().size(), 2u);
    EXPECT_EQ(vorn::ScrambleText(caption, vorn::CaptionKey(), true), vorn::StoredCaption());
    EXPECT_EQ(vorn::ScrambleText(vorn::StoredCaption(), vorn::CaptionKey(), false), caption);
    EXPECT_EQ(vorn::UnscrambledCaption(),
              QString::fromUtf8("VORN 1.4 - Feuilles d'exercices d'algèbre"));
    // Not readable in the program's bytes.
    EXPECT_EQ(vorn::StoredCaption().find("VORN"), std::string::npos);
}

} // namespace
