#include "exercises/digit_grouping.h"

namespace vorn {

std::string GroupIntDigits(std::string_view s) {
    if (s.size() <= 3)
        return std::string(s);
    // The leading group takes what is left over, so it holds 1 to 3 characters.
    std::size_t head = s.size() % 3;
    if (head == 0)
        head = 3;
    std::string out(s.substr(0, head));
    for (std::size_t p = head; p < s.size(); p += 3) {
        out += ' ';
        out += s.substr(p, 3);
    }
    return out;
}

std::string GroupFracDigits(std::string_view s) {
    if (s.size() <= 3)
        return std::string(s);
    std::string out;
    for (std::size_t p = 0; p < s.size(); p += 3) {
        if (p > 0)
            out += ' ';
        out += s.substr(p, 3);
    }
    return out;
}

std::string GroupNumber(std::string_view s) {
    const std::size_t point = s.find('.');
    if (point == std::string_view::npos)
        return GroupIntDigits(s);
    return GroupIntDigits(s.substr(0, point)) + "." + GroupFracDigits(s.substr(point + 1));
}

} // namespace vorn
