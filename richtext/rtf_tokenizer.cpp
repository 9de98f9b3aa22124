#include "richtext/rtf_tokenizer.h"

#include "text/hex_digit.h"

#include <limits>

namespace vorn {

namespace {

// Word's math words mix cases (\\mmathPr), so both cases are letters.
bool IsLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
bool IsLineBreak(unsigned char c) {
    return c == '\r' || c == '\n';
}

RtfToken TokenOf(RtfToken::Kind kind) {
    RtfToken token;
    token.kind = kind;
    return token;
}

} // namespace

RtfToken RtfTokenizer::Next() {
    // A loop, not recursion: escapes that mean nothing may follow each other
    // for megabytes.
    for (;;) {
        // Line breaks in the source carry no meaning between tokens.
        while (pos_ < input_.size() && IsLineBreak(static_cast<unsigned char>(input_[pos_])))
            ++pos_;
        if (pos_ >= input_.size())
            return {};
        switch (input_[pos_]) {
        case '{':
            ++pos_;
            return TokenOf(RtfToken::Kind::GroupOpen);
        case '}':
            ++pos_;
            return TokenOf(RtfToken::Kind::GroupClose);
        case '\\':
            if (auto token = ReadControl(); token.kind != RtfToken::Kind::End)
                return token;
            break;
        default:
            return ReadText();
        }
    }
}

void RtfTokenizer::SkipBytes(std::int64_t count) {
    if (count <= 0)
        return;
    const std::size_t left = input_.size() - pos_;
    pos_ += static_cast<std::uint64_t>(count) < left ? static_cast<std::size_t>(count) : left;
}

RtfToken RtfTokenizer::ReadText() {
    const std::size_t start = pos_;
    while (pos_ < input_.size()) {
        const auto c = static_cast<unsigned char>(input_[pos_]);
        if (c == '{' || c == '}' || c == '\\' || IsLineBreak(c))
            break;
        ++pos_;
    }
    RtfToken token = TokenOf(RtfToken::Kind::Text);
    token.word = input_.substr(start, pos_ - start);
    return token;
}

// Returns an End token for escapes that stand for nothing.
RtfToken RtfTokenizer::ReadControl() {
    ++pos_; // the backslash
    if (pos_ >= input_.size())
        return {}; // a lone final backslash means nothing
    const auto first = static_cast<unsigned char>(input_[pos_]);

    if (first == '\'') {
        ++pos_;
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < input_.size()) {
            const int v = HexDigitValue(static_cast<unsigned char>(input_[pos_]));
            if (v < 0)
                break;
            value = value * 16 + v;
            ++digits;
            ++pos_;
        }
        if (digits < 2)
            return {}; // an incomplete escape is dropped with its digit
        RtfToken token = TokenOf(RtfToken::Kind::HexByte);
        token.symbol = static_cast<unsigned char>(value);
        return token;
    }

    if (!IsLetter(first)) {
        ++pos_;
        RtfToken token = TokenOf(RtfToken::Kind::ControlSymbol);
        token.symbol = first;
        return token;
    }

    const std::size_t start = pos_;
    while (pos_ < input_.size() && pos_ - start < kMaxWordLength &&
           IsLetter(static_cast<unsigned char>(input_[pos_])))
        ++pos_;
    RtfToken token = TokenOf(RtfToken::Kind::ControlWord);
    token.word = input_.substr(start, pos_ - start);

    bool negative = false;
    if (pos_ + 1 < input_.size() && input_[pos_] == '-' &&
        IsDigit(static_cast<unsigned char>(input_[pos_ + 1]))) {
        negative = true;
        ++pos_;
    }
    if (pos_ < input_.size() && IsDigit(static_cast<unsigned char>(input_[pos_]))) {
        // Every digit belongs to the parameter; the value saturates at the
        // 32-bit range instead of overflowing.
        constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
        std::int64_t value = 0;
        while (pos_ < input_.size() && IsDigit(static_cast<unsigned char>(input_[pos_]))) {
            if (value < kLimit)
                value = value * 10 + (input_[pos_] - '0');
            ++pos_;
        }
        if (value > kLimit)
            value = kLimit;
        value = negative ? -value : value;
        if (value > std::numeric_limits<std::int32_t>::max())
            value = std::numeric_limits<std::int32_t>::max();
        token.hasParam = true;
        token.param = static_cast<std::int32_t>(value);
    }
    // A single space delimits the word and is part of it.
    if (pos_ < input_.size() && input_[pos_] == ' ')
        ++pos_;
    return token;
}

} // namespace vorn
