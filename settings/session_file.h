#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// The day's work as the window leaves it at closing, and what the window
// remembers between runs besides the settings file: kept in a private file of
// the user's, never beside the executable.
struct Session {
    std::string statement; // RTF of the statement pane; empty: no sheet
    std::string answerKey; // RTF of the answer-key pane
    bool edited = false;   // the panes held edits since the sheet was made
    std::string reference; // the sheet's reference, Windows-1252
    std::string recipe;    // RecipeText of the shown sheet; empty when unknown
    std::string printer;   // UTF-8 name of the printer chosen with "CI"; empty: the default
    int setSize = 0;       // the count last used for different sheets; 0: none yet
    std::string family;    // short name of the family last chosen from the menu
    int level = 0;         // its level; 0: none yet
};

// The largest session file read back: two panes of a set of 200 sheets fit
// many times over.
inline constexpr std::size_t kMaxSessionBytes = 64 * 1024 * 1024;

// The file's text: a first line "VORN-SESSION 1", then each field as a line
// "NAME LENGTH" followed by that many bytes and a line end, then "FIN".
std::string SessionText(const Session& session);

// Reads SessionText back; nullopt for anything else (another version, a
// field cut short, a missing end, a number out of range).
std::optional<Session> ParseSession(std::string_view text);

// "$XDG_STATE_HOME/vorn/session" ($HOME/.local/state/vorn/session when the
// variable is unset, empty or relative).
QString SessionFileName();

// The session the file holds, or nullopt, with nothing else done, when it is
// missing, not a regular file (a folder, a FIFO, a link to one), larger than
// kMaxSessionBytes, unreadable or damaged.
std::optional<Session> ReadSessionFile(const QString& fileName);

// Replaces the file with the session: written to a new file of mode 0600
// beside it, flushed to the disk and renamed over it, so that a crash leaves
// the old session or the new one; its folder is made (mode 0700) when
// missing. Throws UserError (French) when that fails.
void WriteSessionFile(const QString& fileName, const Session& session);

} // namespace vorn
