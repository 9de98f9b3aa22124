#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

#include "richtext/markup_converter.h"
#include "tests/rtf/rtf_sample_documents.h"
#include "tests/rtf/rtf_test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace vorn::test {
namespace {

QByteArray Bytes(const std::string& s) {
    return QByteArray::fromStdString(s);
}

// Every character needs at least one byte of input, so a document is never
// longer than its source; and whatever was read writes and reads back.
void ExpectBoundedRead(const std::string& rtf) {
    const auto doc = Read(rtf);
    EXPECT_LE(TextOf(*doc).size(), static_cast<qsizetype>(rtf.size()));
    EXPECT_EQ(TextOf(*Read(WriteRtf(*doc))), TextOf(*doc));
}

TEST(RtfRobustness, RandomBytesAndRandomSyntax) {
    // Bytes drawn from RTF's own syntax reach deeper states than noise does.
    const std::string alphabet = "{}\\\\\\'*0123456789-abfilpstuv ;\xe9\r\n";
    std::mt19937 rng(12345);
    for (int n = 0; n < 300; ++n) {
        std::string s = n % 3 ? "{\\rtf1 " : "";
        for (int i = 0; i < 1 + n * 7; ++i)
            s += n % 2 ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng());
        ExpectBoundedRead(s);
    }
}

TEST(RtfRobustness, MutatedConverterOutput) {
    const std::string original = WorkedExample();
    const std::string inserts[] = {"{",          "}",     "\\",  "\\'",
                                   "\\u",        "\\bin", "\\*", "\\fonttbl",
                                   "\\colortbl", "\\uc9", ";",   "\\fs99999999999"};
    std::mt19937 rng(99);
    for (int n = 0; n < 300; ++n) {
        std::string s = original;
        for (int k = 0; k < 1 + n % 5; ++k) {
            const std::size_t at = rng() % (s.size() + 1);
            if (n % 3 == 0 && at < s.size())
                s[at] = static_cast<char>(rng());
            else if (n % 3 == 1)
                s.insert(at, inserts[rng() % std::size(inserts)]);
            else
                s.erase(std::min(at, s.size()), rng() % 8);
        }
        ExpectBoundedRead(s);
    }
}

TEST(RtfRobustness, TruncatedDocumentsShowAPrefixOfTheText) {
    // A cut word may become another one ("\pard" cut to "\par"), so
    // paragraph breaks are left out of the comparison.
    const auto flat = [](QString s) { return s.remove(u'\n'); };
    const std::string full = WorkedExample();
    const QString fullText = flat(TextOf(*Read(full)));
    for (std::size_t n = 0; n <= full.size(); ++n)
        ASSERT_TRUE(fullText.startsWith(flat(TextOf(*Read(full.substr(0, n)))))) << "cut at " << n;
}

TEST(RtfRobustness, DeepNestingIsFlattenedAndClosesCleanly) {
    const std::string deep(100000, '{'), shut(100000, '}');
    const auto doc = Read(Bytes("{\\rtf1 " + deep + "\\b x" + shut + "y}"));
    EXPECT_EQ(TextOf(*doc), QStringLiteral("xy"));
    EXPECT_TRUE(LookOf(*doc, "x").bold);
    EXPECT_FALSE(LookOf(*doc, "y").bold);
    // A table opened beyond the nesting limit is dropped, not left open.
    const std::string some(1000, '{'), close(1000, '}');
    EXPECT_EQ(
        TextOf(*Read("{\\rtf1 " + some + "{\\fonttbl{\\f0 Foo;}}{\\colortbl;}" + close + "z}")),
        QStringLiteral("z"));
    EXPECT_EQ(TextOf(*Read("{\\rtf1 a" + deep + "b")), QStringLiteral("ab")); // never closed
}

TEST(RtfRobustness, HugeParametersAreClamped) {
    const auto doc =
        Read(std::string(kSheetHeader) + "\\fs99999999999 a\\fs-5 b\\cf2147483647 c\\highlight-7 d"
                                         "\\f-99999999999 e\\uc99999999999\\u99999999999 f}");
    EXPECT_EQ(LookOf(*doc, "a").points, 1638.0); // the largest size Word offers
    EXPECT_EQ(LookOf(*doc, "b").points, 12.0);   // no sensible size: the default
    EXPECT_EQ(LookOf(*doc, "c").foreground, std::nullopt);
    EXPECT_EQ(LookOf(*doc, "d").background, std::nullopt);
    EXPECT_EQ(LookOf(*doc, "e").family, QStringLiteral("Arial"));
    const auto tabs = Read(std::string_view("{\\rtf1\\deftab99999999999 x}"));
    EXPECT_EQ(tabs->property(kDefTabTwipsProperty).toInt(), 32767);
    const auto zero = Read(std::string_view("{\\rtf1\\deftab0 x}"));
    EXPECT_EQ(zero->property(kDefTabTwipsProperty).toInt(), 720);
}

TEST(RtfRobustness, LongRunsOfEscapesAndBraces) {
    for (const std::string unit : {"{", "}", "\\'", "\\", "\\u", "\\*", "{\\*", "\\par"}) {
        std::string s = "{\\rtf1 ";
        while (s.size() < 200000)
            s += unit;
        ExpectBoundedRead(s);
    }
}

TEST(RtfRobustness, StrayBracesAndBackslashesInATitle) {
    // A title with RTF syntax characters reaches the reader as it stands: the
    // display stays sensible and the rest of the sheet is shown.
    const auto doc = Read(ConvertMarkupToRtf("<te=24><b>Titre {1} \\ a}b{c</b><br>Suite<br>"));
    EXPECT_EQ(TextOf(*doc), QStringLiteral("Titre 1 abc\nSuite\n"));
    EXPECT_TRUE(LookOf(*doc, "Titre").bold);
    EXPECT_TRUE(LookOf(*doc, "abc").bold);
    EXPECT_FALSE(LookOf(*doc, "Suite").bold);
    // A title ending with "\" escapes the backslash after it.
    EXPECT_EQ(TextOf(*Read(ConvertMarkupToRtf("<b>Titre\\</b><br>Suite"))),
              QStringLiteral("Titre\\b0 \nSuite"));
    // Closing braces alone: the rest of the sheet keeps its formatting.
    const auto closing = Read(ConvertMarkupToRtf("<te=30><i>}}}}</i>x<br>y"));
    EXPECT_EQ(TextOf(*closing), QStringLiteral("x\ny"));
    EXPECT_EQ(LookOf(*closing, "x"), LookIn(QStringLiteral("Arial"), 15));
}

} // namespace
} // namespace vorn::test
