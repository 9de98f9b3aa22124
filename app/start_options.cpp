#include "app/start_options.h"

#include <cstring>

namespace vorn {

const char* const kStartHelp =
    "usage: vorn [--work-in-cache] [--new]\n"
    "\n"
    "Starts the VORN window (algebra worksheets). The preview's page files are\n"
    "written to the working directory and removed when the window closes.\n"
    "\n"
    "  --work-in-cache  work in $XDG_CACHE_HOME/vorn (default ~/.cache/vorn,\n"
    "                   created with mode 0700) instead of the current folder;\n"
    "                   the desktop menu entry starts the program this way\n"
    "  --new            start with empty panes; without it, the sheet on screen at\n"
    "                   the last closing comes back (kept in\n"
    "                   $XDG_STATE_HOME/vorn/session, default ~/.local/state)\n"
    "  -h, --help       print this help\n";

namespace {

bool IsHelp(const char* argument) {
    return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0;
}

} // namespace

StartOptions ParseStartArguments(const QStringList& arguments) {
    StartOptions options;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--work-in-cache")) {
            options.workInCache = true;
        } else if (argument == QLatin1String("--new")) {
            options.startEmpty = true;
        } else if (IsHelp(argument.toLocal8Bit().constData())) {
            options.help = true;
        } else {
            options.error =
                QStringLiteral("vorn: unknown argument '%1' (see vorn --help)").arg(argument);
            return options;
        }
    }
    return options;
}

bool AsksForHelp(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (IsHelp(argv[i]))
            return true;
    }
    return false;
}

} // namespace vorn
