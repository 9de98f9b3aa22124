#pragma once

#include <cstdint>

namespace vorn {

// Character properties as RTF keeps them: indexes into the document's font
// and colour tables, resolved into a Qt format only when text is inserted.
struct RtfCharProps {
    enum class VAlign : std::uint8_t { Normal, Super, Sub };
    int font = -1;       // font number; -1 is the document's default font (\deff)
    int halfPoints = 24; // \fs
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    VAlign valign = VAlign::Normal;
    int foreground = 0; // colour-table index; 0 is the automatic colour
    int background = 0; // colour-table index; 0 is no background
    // Background shading (\chcbpat, \cb): colour-table index, shown as the
    // nearest highlight colour where no highlight is set; 0 is none.
    int shading = 0;
    bool operator==(const RtfCharProps&) const = default;
};

} // namespace vorn
