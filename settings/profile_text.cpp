#include "settings/profile_text.h"

#include <stdexcept>
#include <vector>

namespace vorn::profile {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Upper case of a Windows-1252 byte: ASCII, the accented capitals of the
// Latin-1 block, and the four pairs placed in 0x80..0x9F.
unsigned char FoldCase(unsigned char c) {
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 0x9A: // š
    case 0x9C: // œ
    case 0x9E: // ž
        return static_cast<unsigned char>(c - 16);
    case 0xFF: // ÿ
        return 0x9F;
    default:
        return c;
    }
}

enum class LineKind { Other, Section, Entry };

struct Line {
    std::string_view text;
    LineKind kind = LineKind::Other;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // raw text after "=" for an entry
};

Line ParseLine(std::string_view text) {
    Line line;
    line.text = text;
    const std::string_view body = TrimBlanks(text);
    if (body.empty() || body.front() == ';')
        return line;
    if (body.front() == '[') {
        std::string_view inner = body.substr(1);
        const auto close = inner.find(']');
        if (close != std::string_view::npos)
            inner = inner.substr(0, close);
        line.kind = LineKind::Section;
        line.name = TrimBlanks(inner);
        return line;
    }
    const auto equals = body.find('=');
    if (equals == std::string_view::npos)
        return line;
    line.kind = LineKind::Entry;
    line.name = TrimBlanks(body.substr(0, equals));
    line.value = body.substr(equals + 1);
    return line;
}

// Lines end in CR LF, LF or a lone CR; a final line without an end counts.
std::vector<Line> SplitLines(std::string_view content) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = start;
        while (end < content.size() && content[end] != '\r' && content[end] != '\n')
            ++end;
        lines.push_back(ParseLine(content.substr(start, end - start)));
        if (end < content.size() && content[end] == '\r' && end + 1 < content.size() &&
            content[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

// The first section named `section`: its header line and the line that ends
// it (the next header, or the end of the text).
struct SectionRange {
    std::size_t header;
    std::size_t end;
    bool found;
};

SectionRange FindSection(const std::vector<Line>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Section || !SameName(lines[i].name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && lines[end].kind != LineKind::Section)
            ++end;
        return {i, end, true};
    }
    return {0, 0, false};
}

void CheckName(std::string_view name, std::string_view what, std::string_view forbidden) {
    const std::string_view trimmed = TrimBlanks(name);
    if (trimmed.empty() || trimmed.size() != name.size() ||
        name.find_first_of(forbidden) != std::string_view::npos ||
        name.find('\0') != std::string_view::npos)
        throw std::invalid_argument(std::string(what) + " name not storable in a profile file");
}

} // namespace

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(static_cast<unsigned char>(a[i])) !=
            FoldCase(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::optional<std::string> FindValue(std::string_view content, std::string_view section,
                                     std::string_view key) {
    const std::vector<Line> lines = SplitLines(content);
    const SectionRange range = FindSection(lines, section);
    if (!range.found)
        return std::nullopt;
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        if (lines[i].kind != LineKind::Entry || !SameName(lines[i].name, key))
            continue;
        std::string_view value = TrimBlanks(lines[i].value);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return std::nullopt;
}

std::string SetValue(std::string_view content, std::string_view section, std::string_view key,
                     std::string_view value) {
    CheckName(section, "section", "]\r\n");
    CheckName(key, "key", "=\r\n");
    if (key.front() == '[' || key.front() == ';')
        throw std::invalid_argument("key name not storable in a profile file");

    std::string safeValue(value);
    for (char& c : safeValue) {
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    }

    const std::vector<Line> lines = SplitLines(content);
    const SectionRange range = FindSection(lines, section);

    std::vector<std::string> out;
    out.reserve(lines.size() + 2);
    for (const Line& line : lines)
        out.emplace_back(line.text);

    if (!range.found) {
        out.push_back("[" + std::string(section) + "]");
        out.push_back(std::string(key) + "=" + safeValue);
    } else {
        std::size_t existing = range.end;
        for (std::size_t i = range.header + 1; i < range.end; ++i) {
            if (lines[i].kind == LineKind::Entry && SameName(lines[i].name, key)) {
                existing = i;
                break;
            }
        }
        if (existing != range.end) {
            // The spelling already in the file stays, as a hand edit made it.
            out[existing] = std::string(lines[existing].name) + "=" + safeValue;
        } else {
            // After the section's last non-blank line, so that a blank line
            // separating it from the next section stays where it is.
            std::size_t insertAt = range.end;
            while (insertAt > range.header + 1 && TrimBlanks(lines[insertAt - 1].text).empty())
                --insertAt;
            out.insert(out.begin() + static_cast<std::ptrdiff_t>(insertAt),
                       std::string(key) + "=" + safeValue);
        }
    }

    std::string result;
    for (const std::string& line : out) {
        result += line;
        result += "\r\n";
    }
    return result;
}

} // namespace vorn::profile
