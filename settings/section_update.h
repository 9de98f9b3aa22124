#pragma once

#include "settings/profile_text.h"

#include <string_view>
#include <vector>

// The values one save stores in a section, in the order they are written;
// the file is then written once with all of them.
class SectionUpdate {
public:
    // A value that begins and ends with the same quote character gets one
    // more pair of double quotes, so that reading it back strips only those.
    void WriteString(std::string_view key, std::string_view value);
    // The decimal text of the value, without the quote rule.
    void WriteInteger(std::string_view key, int value);
    // "1" or "0".
    void WriteBool(std::string_view key, bool value);

    // Keys and values in Windows-1252, as they go into the file.
    const std::vector<vorn::profile::Assignment>& Assignments() const { return assignments_; }

private:
    void WriteRaw(std::string_view key, std::string value);

    std::vector<vorn::profile::Assignment> assignments_;
};
