#pragma once

#include <exception>
#include <functional>

namespace vorn {

// Called by a long command after each finished step (one sheet drawn, laid
// out or printed); false once the user has asked to stop. An empty one never
// stops anything.
using ProgressTick = std::function<bool()>;

// Thrown by a command whose ProgressTick answered false. Commands that throw
// it have written nothing yet: every file is complete or absent.
class WorkCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "work cancelled"; }
};

// Reports one finished step; throws WorkCancelled when the user has stopped.
inline void TickOrStop(const ProgressTick& tick) {
    if (tick && !tick())
        throw WorkCancelled();
}

} // namespace vorn
