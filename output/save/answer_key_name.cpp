#include "output/save/answer_key_name.h"

namespace vorn {

std::string AnswerKeyFileName(std::string_view statementPath) {
    const std::string_view extension = IsPdfFileName(statementPath) ? "pdf" : "rtf";
    const std::size_t lastSeparator = statementPath.find_last_of("/\\:");
    const std::size_t nameStart = lastSeparator == std::string_view::npos ? 0 : lastSeparator + 1;
    const std::size_t dot = statementPath.rfind('.');
    std::string_view stem = statementPath;
    if (dot != std::string_view::npos && dot >= nameStart)
        stem = statementPath.substr(0, dot);
    std::string result(stem);
    result += "_Cor.";
    result += extension;
    return result;
}

bool IsPdfFileName(std::string_view statementPath) {
    constexpr std::string_view kPdf = ".pdf";
    if (statementPath.size() < kPdf.size())
        return false;
    const std::string_view end = statementPath.substr(statementPath.size() - kPdf.size());
    for (std::size_t i = 0; i < kPdf.size(); ++i) {
        const char c =
            end[i] >= 'A' && end[i] <= 'Z' ? static_cast<char>(end[i] - 'A' + 'a') : end[i];
        if (c != kPdf[i])
            return false;
    }
    return true;
}

} // namespace vorn
