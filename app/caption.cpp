#include "app/caption.h"

#include "app/scramble_text.h"
#include "text/cp1252.h"

namespace vorn {

namespace {

// The program's name and version, kept out of plain sight in the binary.
constexpr unsigned char kStoredCaption[] = {
    0xAC, 0xE9, 0xA4, 0xC9, 0x40, 0x26, 0x5C, 0x86, 0x40, 0xA5, 0x40, 0xC8, 0xCA, 0xAE,
    0xD2, 0x8D, 0xD8, 0xAC, 0xE6, 0x04, 0xC8, 0xE4, 0xCA, 0x0F, 0xCA, 0x4E, 0xC6, 0x2D,
    0xC6, 0xAC, 0xE6, 0x04, 0xC8, 0xE4, 0xC2, 0x8D, 0xCE, 0x1D, 0xC4, 0x4E, 0xCA};

} // namespace

std::string StoredCaption() {
    return std::string(reinterpret_cast<const char*>(kStoredCaption), sizeof kStoredCaption);
}

std::string CaptionKey() {
    return "Kq";
}

QString UnscrambledCaption() {
    const std::string bytes = ScrambleText(StoredCaption(), CaptionKey(), false);
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

} // namespace vorn
