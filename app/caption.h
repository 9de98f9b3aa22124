#pragma once

#include <QString>

#include <string>

namespace vorn {

// The window caption as the program stores it, scrambled, and its key.
std::string StoredCaption();
std::string CaptionKey();

// The caption shown by the window: the stored form unscrambled.
QString UnscrambledCaption();

} // namespace vorn
