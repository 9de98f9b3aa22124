#include "settings/file_update.h"

#include "settings/profile_encoding.h"
#include "settings/profile_text.h"

#include <utility>
#include <vector>

std::string UpdatedFileBytes(std::string fileBytes, std::string_view section,
                             const SectionUpdate& update) {
    using namespace vorn::profile;
    DecodedText decoded = DecodeFile(std::move(fileBytes));
    std::vector<Assignment> assignments = update.Assignments();
    for (Assignment& a : assignments) {
        a.key = ValueToText(a.key, decoded.encoding);
        a.value = ValueToText(a.value, decoded.encoding);
    }
    decoded.text = SetValues(decoded.text, ValueToText(section, decoded.encoding), assignments);
    return EncodeFile(std::move(decoded.text), decoded.encoding);
}
