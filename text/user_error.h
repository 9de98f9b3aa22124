#pragma once

#include <stdexcept>
#include <string>

namespace vorn {

// A failure the user is told about: the command that meets it stops, and the
// window shows what() (UTF-8, French) in a message box.
class UserError : public std::runtime_error {
public:
    explicit UserError(const std::string& utf8Message) : std::runtime_error(utf8Message) {}
};

} // namespace vorn
