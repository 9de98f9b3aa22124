#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of an INI ("profile") file: lookups and edits of one section, with
// the rules of the Windows profile-file service that hand-edited settings
// files rely on. Every function reads the text once, line by line, and keeps
// nothing per line, so a huge file costs time and memory in proportion to its
// size only.
namespace vorn::profile {

// Section and key names compare without regard to case (Windows-1252 letters
// included).
bool SameName(std::string_view a, std::string_view b);

// One "key=value" line of a section: the trimmed key and the raw text after
// the first "=".
struct Entry {
    std::string_view name;
    std::string_view value;
};

// The entries of the first section named `section` (a section line needs its
// closing bracket), in file order, pointing into `content`; empty when the
// section is missing.
std::vector<Entry> SectionEntries(std::string_view content, std::string_view section);

// The value of the first of `entries` named `key`: blanks around it and one
// pair of enclosing double or single quotes removed. Empty when the line holds
// no value; nullopt when the key is missing.
std::optional<std::string> FindEntry(const std::vector<Entry>& entries, std::string_view key);

// FindEntry in the entries of `section`.
std::optional<std::string> FindValue(std::string_view content, std::string_view section,
                                     std::string_view key);

// A value to store under a key.
struct Assignment {
    std::string key;
    std::string value;
};

// `content` with every assignment stored in `section`, exactly as if each had
// been stored on its own, in order: a key's line is replaced where it stands
// (keeping the spelling of the key in the file), a new key is added after the
// section's last non-blank line, and the section is appended to the text when
// missing. Every line of the result ends in CR LF. Line breaks and NUL bytes
// inside a value become blanks, so a value can never spill into a line of its
// own. Throws std::invalid_argument for a section or key name that cannot
// stand in the file.
std::string SetValues(std::string_view content, std::string_view section,
                      const std::vector<Assignment>& assignments);

// SetValues with one assignment.
std::string SetValue(std::string_view content, std::string_view section, std::string_view key,
                     std::string_view value);

} // namespace vorn::profile
