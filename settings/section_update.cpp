#include "settings/section_update.h"

#include <string>
#include <utility>

void SectionUpdate::WriteString(std::string_view key, std::string_view value) {
    if (!value.empty() && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        WriteRaw(key, "\"" + std::string(value) + "\"");
        return;
    }
    WriteRaw(key, std::string(value));
}

void SectionUpdate::WriteInteger(std::string_view key, int value) {
    WriteRaw(key, std::to_string(value));
}

void SectionUpdate::WriteBool(std::string_view key, bool value) {
    WriteRaw(key, value ? "1" : "0");
}

void SectionUpdate::WriteRaw(std::string_view key, std::string value) {
    assignments_.push_back({std::string(key), std::move(value)});
}
