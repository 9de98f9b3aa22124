#pragma once

#include <optional>
#include <string>
#include <string_view>

// The text of an INI ("profile") file as bytes in Windows-1252: lookups and
// single-key edits, with the rules of the Windows profile-file service that
// hand-edited settings files rely on.
namespace vorn::profile {

// Section and key names compare without regard to case (Windows-1252 letters
// included).
bool SameName(std::string_view a, std::string_view b);

// The value of `key` in the first section named `section`: blanks around it
// and one pair of enclosing double or single quotes removed. Empty when the
// line holds no value; nullopt when the section or the key is missing.
std::optional<std::string> FindValue(std::string_view content, std::string_view section,
                                     std::string_view key);

// `content` with "key=value" stored in `section`: the key's line is replaced
// where it stands, or a new line is added after the section's last entry, the
// section being appended to the text when missing. Every line of the result
// ends in CR LF. Line breaks and NUL bytes inside `value` become blanks, so a
// value can never spill into a line of its own. Throws std::invalid_argument
// for a section or key name that cannot stand in the file.
std::string SetValue(std::string_view content, std::string_view section, std::string_view key,
                     std::string_view value);

} // namespace vorn::profile
