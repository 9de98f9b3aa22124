#pragma once

#include "settings/section_update.h"

#include <string>
#include <string_view>

// The bytes of a settings file once `update` is stored in `section`: the
// text decoded from its encoding, every value applied in one pass, and the
// result encoded as the file was (mark included). `fileBytes` is empty for a
// file that does not exist yet.
std::string UpdatedFileBytes(std::string fileBytes, std::string_view section,
                             const SectionUpdate& update);
