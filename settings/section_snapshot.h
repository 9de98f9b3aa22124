#pragma once

#include "settings/profile_encoding.h"
#include "settings/profile_text.h"

#include <string>
#include <string_view>
#include <vector>

// The values of one section of a settings file as read at one moment: the
// file is read and its lines gone through once, however many values are then
// looked up.
class SectionSnapshot {
public:
    // A read returns at most this many bytes.
    static constexpr std::size_t kMaxValueLength = 2047;

    // No file: every read gives its default.
    SectionSnapshot() = default;
    // `text` as DecodeFile gives it.
    SectionSnapshot(vorn::profile::DecodedText text, std::string_view section);
    // The entries point into the text held here.
    SectionSnapshot(const SectionSnapshot&) = delete;
    SectionSnapshot& operator=(const SectionSnapshot&) = delete;

    // The stored value in Windows-1252 (blanks around it and one pair of
    // enclosing quotes removed), or `def` when the key is missing; either way
    // cut to kMaxValueLength bytes.
    std::string ReadString(std::string_view key, std::string_view def) const;
    // The value as an integer, hexadecimal after "0x"; `def` when it is
    // missing or not an integer.
    int ReadInteger(std::string_view key, int def) const;

private:
    vorn::profile::DecodedText text_;
    std::vector<vorn::profile::Entry> entries_;
};
