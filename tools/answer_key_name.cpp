#include "tools/answer_key_name.h"

namespace vorn {

std::string AnswerKeyFileName(std::string_view statementPath) {
    const std::size_t lastSeparator = statementPath.find_last_of("/\\:");
    const std::size_t nameStart = lastSeparator == std::string_view::npos ? 0 : lastSeparator + 1;
    const std::size_t dot = statementPath.rfind('.');
    std::string_view stem = statementPath;
    if (dot != std::string_view::npos && dot >= nameStart)
        stem = statementPath.substr(0, dot);
    std::string result(stem);
    result += "_Cor.rtf";
    return result;
}

} // namespace vorn
