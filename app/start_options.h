#pragma once

#include <QString>
#include <QStringList>

namespace vorn {

// What the command line asks of the window program. It takes no files and no
// settings: one option lets the desktop menu start it in its own working
// folder, another starts it without the last session's sheet.
struct StartOptions {
    bool help = false;
    bool workInCache = false;
    // Start with empty panes instead of the sheet left at the last closing.
    bool startEmpty = false;
    QString error; // non-empty when an argument is not understood
};

// The arguments after the program name, with the toolkit's own options (such
// as -platform) already taken out.
StartOptions ParseStartArguments(const QStringList& arguments);

// True when the arguments ask for the help text; looked at before the toolkit
// starts, so that --help works without a display.
bool AsksForHelp(int argc, const char* const* argv);

extern const char* const kStartHelp;

} // namespace vorn
