#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vorn {

// One lexical unit of an RTF byte stream.
struct RtfToken {
    enum class Kind {
        End,           // no more input
        GroupOpen,     // "{"
        GroupClose,    // "}"
        ControlWord,   // "\name" with an optional signed parameter
        ControlSymbol, // "\" and one non-letter byte (other than "'")
        HexByte,       // "\'hh"
        Text,          // a run of plain bytes (line breaks in the source dropped)
    };
    Kind kind = Kind::End;
    std::string_view word; // ControlWord: the name; Text: the bytes
    bool hasParam = false;
    std::int32_t param = 0;
    unsigned char symbol = 0; // ControlSymbol: the byte; HexByte: the value
};

// Splits RTF bytes into tokens. Never fails: every byte sequence gives a
// token stream, each byte being looked at a bounded number of times.
class RtfTokenizer {
public:
    // Longest control-word name RTF allows; longer letter runs end the word
    // there and the remaining letters are plain text.
    static constexpr std::size_t kMaxWordLength = 32;

    explicit RtfTokenizer(std::string_view input) : input_(input) {}

    RtfToken Next();
    // Drops the next `count` bytes unread (binary data after "\binN"), or
    // whatever is left when fewer remain.
    void SkipBytes(std::int64_t count);
    bool AtEnd() const { return pos_ >= input_.size(); }

private:
    RtfToken ReadControl();
    RtfToken ReadText();

    std::string_view input_;
    std::size_t pos_ = 0;
};

} // namespace vorn
