#include "settings/section_snapshot.h"

#include "settings/value_text.h"

#include <utility>

SectionSnapshot::SectionSnapshot(vorn::profile::DecodedText text, std::string_view section)
    : text_(std::move(text)),
      entries_(vorn::profile::SectionEntries(text_.text,
                                             vorn::profile::ValueToText(section, text_.encoding))) {
}

std::string SectionSnapshot::ReadString(std::string_view key, std::string_view def) const {
    std::string value(def);
    if (auto found =
            vorn::profile::FindEntry(entries_, vorn::profile::ValueToText(key, text_.encoding)))
        value = vorn::profile::TextToValue(*found, text_.encoding);
    if (value.size() > kMaxValueLength)
        value.resize(kMaxValueLength);
    return value;
}

int SectionSnapshot::ReadInteger(std::string_view key, int def) const {
    return vorn::ParseProfileInteger(ReadString(key, "")).value_or(def);
}
