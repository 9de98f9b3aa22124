#include "settings/profile_encoding.h"

#include "settings/file_update.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

using vorn::profile::DecodeFile;
using vorn::profile::EncodeFile;
using vorn::profile::FileEncoding;

// UTF-16 bytes of a UTF-8 text, mark first, made by Qt's own codec.
std::string Utf16(const char* utf8, bool bigEndian) {
    const QString text = QString::fromUtf8(utf8);
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const QChar c : text) {
        const char high = static_cast<char>(c.unicode() >> 8);
        const char low = static_cast<char>(c.unicode() & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

TEST(ProfileEncoding, TellsTheEncodingByTheMarkAndWritesItBack) {
    const char* const text = "[TForm1]\r\nk=Pr\xC3\xA9nom \xE2\x82\xAC \xF0\x9D\x84\x9E\r\n";
    struct Case {
        std::string bytes;
        FileEncoding encoding;
    } cases[] = {
        {"\xEF\xBB\xBF" + std::string(text), FileEncoding::Utf8Bom},
        {Utf16(text, false), FileEncoding::Utf16Le},
        {Utf16(text, true), FileEncoding::Utf16Be},
    };
    for (const Case& c : cases) {
        const auto decoded = DecodeFile(c.bytes);
        EXPECT_EQ(decoded.encoding, c.encoding);
        EXPECT_EQ(decoded.text, text);
        EXPECT_EQ(EncodeFile(decoded.text, decoded.encoding), c.bytes);
    }
    const auto ansi = DecodeFile("[TForm1]\r\nk=Pr\xE9nom\r\n");
    EXPECT_EQ(ansi.encoding, FileEncoding::Ansi);
    EXPECT_EQ(ansi.text, "[TForm1]\r\nk=Pr\xE9nom\r\n");
}

TEST(ProfileEncoding, UnpairedSurrogatesComeBackUnchanged) {
    const std::string le = std::string("\xFF\xFE", 2) + std::string("a\0\x00\xD8"
                                                                    "b\0\x00\xDC",
                                                                    8);
    EXPECT_EQ(EncodeFile(DecodeFile(le).text, FileEncoding::Utf16Le), le);
}

TEST(ProfileEncoding, AUtf16FileMayEndInACharacterOutsideTheBmpWithoutANewline) {
    const char* const text = "[TForm1]\r\nk=x\xF0\x9D\x84\x9E";
    for (const bool bigEndian : {false, true}) {
        const std::string bytes = Utf16(text, bigEndian);
        const auto decoded = DecodeFile(bytes);
        EXPECT_EQ(decoded.text, text) << bigEndian;
        EXPECT_EQ(EncodeFile(decoded.text, decoded.encoding), bytes) << bigEndian;
        SectionUpdate update;
        update.WriteInteger("n", 1);
        EXPECT_EQ(UpdatedFileBytes(bytes, "TForm1", update),
                  Utf16("[TForm1]\r\nk=x\xF0\x9D\x84\x9E\r\nn=1\r\n", bigEndian))
            << bigEndian;
    }
}

TEST(ProfileEncoding, OverlongUtf8ReadsAsWindows1252Bytes) {
    // Overlong forms of "/" in two, three and four bytes, and a sequence
    // beyond U+10FFFF: no UTF-8 decoder may take them for characters.
    for (const char* bytes : {"\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xE0\x9F\xBF",
                              "\xF0\x80\x80\xAF", "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80"}) {
        EXPECT_EQ(vorn::profile::TextToValue(bytes, FileEncoding::Utf8Bom), bytes)
            << testing::PrintToString(bytes);
    }
    // The shortest forms next to them are characters: U+00A0 is a
    // Windows-1252 byte, U+0800 is kept as a character reference.
    EXPECT_EQ(vorn::profile::TextToValue("\xC2\xA0\xE0\xA0\x80", FileEncoding::Utf8Bom),
              "\xA0&#2048;");
}

TEST(ProfileEncoding, ValuesCrossBetweenWindows1252AndTheFilesText) {
    using vorn::profile::TextToValue;
    using vorn::profile::ValueToText;
    EXPECT_EQ(ValueToText("Pr\xE9nom \x80", FileEncoding::Utf16Le), "Pr\xC3\xA9nom \xE2\x82\xAC");
    EXPECT_EQ(ValueToText("Pr\xE9nom", FileEncoding::Ansi), "Pr\xE9nom");
    EXPECT_EQ(TextToValue("Pr\xC3\xA9nom \xE2\x82\xAC \xE4\xB8\xAD", FileEncoding::Utf8Bom),
              "Pr\xE9nom \x80 &#20013;");
    // A byte that starts no UTF-8 sequence reads as the Windows-1252 character.
    EXPECT_EQ(TextToValue("Pr\xE9nom", FileEncoding::Utf8Bom), "Pr\xE9nom");
}

} // namespace
