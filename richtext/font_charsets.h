#pragma once

namespace vorn {

// The Windows character set (an RTF \fcharset number) that a font must
// declare for a reader to show the character with it: 0 (Western) for the
// characters of Windows-1252, the national set for those of Greek, Cyrillic,
// Central European and the other scripts that have one, and 1 (any set, the
// reader's choice) for the rest, such as mathematical signs and emoji. A
// surrogate gets 1 too, so both halves of a character stay together.
int CharsetCovering(char16_t c);

} // namespace vorn
