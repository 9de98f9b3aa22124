#pragma once

#include "text/user_error.h"

#include <string>
#include <utility>

namespace vorn {

// A save that failed, with the file it failed on: a sheet is two files, and
// whoever reports the failure must name the right one.
class SaveError : public UserError {
public:
    SaveError(const std::string& utf8Message, std::string fileName)
        : UserError(utf8Message), fileName_(std::move(fileName)) {}
    // The file's name as the system spells it (local 8-bit bytes).
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};

} // namespace vorn
