#include "settings/profile_text.h"

#include <stdexcept>

namespace vorn::profile {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

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
        // Without its closing bracket the line names no section: it neither
        // starts one nor ends the one above it.
        const auto close = body.find(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::Section;
            line.name = TrimBlanks(body.substr(1, close - 1));
        }
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

// Calls `visit` with each line in turn. Lines end in CR LF, LF or a lone CR; a
// final line without an end counts. `visit` returns false to stop.
template <typename Visit> void ForEachLine(std::string_view content, Visit visit) {
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t end = content.find_first_of("\r\n", start);
        const std::size_t stop = end == std::string_view::npos ? content.size() : end;
        if (!visit(ParseLine(content.substr(start, stop - start))))
            return;
        start = stop + 1;
        if (stop < content.size() && content[stop] == '\r' && start < content.size() &&
            content[start] == '\n')
            ++start;
    }
}

void CheckName(std::string_view name, std::string_view what, std::string_view forbidden) {
    const std::string_view trimmed = TrimBlanks(name);
    if (trimmed.empty() || trimmed.size() != name.size() ||
        name.find_first_of(forbidden) != std::string_view::npos ||
        name.find('\0') != std::string_view::npos)
        throw std::invalid_argument(std::string(what) + " name not storable in a profile file");
}

// The assignments with one entry per key (letter case aside): the first
// spelling and place, the last value, line breaks made blanks.
std::vector<Assignment> Merge(const std::vector<Assignment>& assignments) {
    std::vector<Assignment> merged;
    for (const Assignment& a : assignments) {
        CheckName(a.key, "key", "=\r\n");
        if (a.key.front() == '[' || a.key.front() == ';')
            throw std::invalid_argument("key name not storable in a profile file");
        std::string value = a.value;
        for (char& c : value) {
            if (c == '\r' || c == '\n' || c == '\0')
                c = ' ';
        }
        bool found = false;
        for (Assignment& m : merged) {
            if (SameName(m.key, a.key)) {
                m.value = std::move(value);
                found = true;
                break;
            }
        }
        if (!found)
            merged.push_back({a.key, std::move(value)});
    }
    return merged;
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

std::vector<Entry> SectionEntries(std::string_view content, std::string_view section) {
    std::vector<Entry> entries;
    bool inSection = false;
    ForEachLine(content, [&](const Line& line) {
        if (line.kind == LineKind::Section) {
            if (inSection)
                return false;
            inSection = SameName(line.name, section);
        } else if (inSection && line.kind == LineKind::Entry) {
            entries.push_back({line.name, line.value});
        }
        return true;
    });
    return entries;
}

std::optional<std::string> FindEntry(const std::vector<Entry>& entries, std::string_view key) {
    for (const Entry& entry : entries) {
        if (!SameName(entry.name, key))
            continue;
        std::string_view value = TrimBlanks(entry.value);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return std::nullopt;
}

std::optional<std::string> FindValue(std::string_view content, std::string_view section,
                                     std::string_view key) {
    return FindEntry(SectionEntries(content, section), key);
}

std::string SetValues(std::string_view content, std::string_view section,
                      const std::vector<Assignment>& assignments) {
    CheckName(section, "section", "]\r\n");
    const std::vector<Assignment> merged = Merge(assignments);

    // First reading: where the section lies, the line after which new keys
    // go, and the line of each key already there.
    std::size_t header = kNone;
    std::size_t insertAfter = kNone;
    std::vector<std::size_t> keyLine(merged.size(), kNone);
    std::size_t index = 0;
    ForEachLine(content, [&](const Line& line) {
        const std::size_t i = index++;
        if (header == kNone) {
            if (line.kind == LineKind::Section && SameName(line.name, section))
                header = insertAfter = i;
            return true;
        }
        if (line.kind == LineKind::Section)
            return false;
        if (!TrimBlanks(line.text).empty())
            insertAfter = i;
        if (line.kind == LineKind::Entry) {
            for (std::size_t k = 0; k < merged.size(); ++k) {
                if (keyLine[k] == kNone && SameName(line.name, merged[k].key)) {
                    keyLine[k] = i;
                    break;
                }
            }
        }
        return true;
    });

    std::string result;
    result.reserve(content.size() + content.size() / 4 + 64);
    const auto appendLine = [&result](std::string_view a, std::string_view b = {},
                                      std::string_view c = {}) {
        result += a;
        result += b;
        result += c;
        result += "\r\n";
    };
    const auto appendNewKeys = [&] {
        for (std::size_t k = 0; k < merged.size(); ++k) {
            if (keyLine[k] == kNone)
                appendLine(merged[k].key, "=", merged[k].value);
        }
    };

    // Second reading: the text again, every line ending in CR LF.
    index = 0;
    ForEachLine(content, [&](const Line& line) {
        const std::size_t i = index++;
        bool replaced = false;
        if (line.kind == LineKind::Entry && header != kNone && i > header) {
            for (std::size_t k = 0; k < merged.size(); ++k) {
                if (keyLine[k] == i) {
                    // The spelling already in the file stays, as a hand edit made it.
                    appendLine(line.name, "=", merged[k].value);
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            appendLine(line.text);
        if (i == insertAfter)
            appendNewKeys();
        return true;
    });
    if (header == kNone) {
        appendLine("[", section, "]");
        appendNewKeys();
    }
    return result;
}

std::string SetValue(std::string_view content, std::string_view section, std::string_view key,
                     std::string_view value) {
    return SetValues(content, section, {{std::string(key), std::string(value)}});
}

} // namespace vorn::profile
