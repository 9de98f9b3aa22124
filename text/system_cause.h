#pragma once

#include <string>

namespace vorn {

// What a failed system call's error number means to a teacher, in French and
// in a few words ("disque plein", "accès refusé"), to follow a message naming
// the file: "… : disque plein".
std::string SystemCause(int errorNumber);

} // namespace vorn
