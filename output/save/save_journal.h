#pragma once

#include <string>
#include <sys/stat.h>
#include <vector>

namespace vorn {

// A save of several files is recorded, while it runs, in a journal of the
// user's own (one file per save in SaveJournalFolder()), so that a save that
// a kill or a power cut interrupts can be finished or undone at the next
// start instead of leaving a statement beside another sheet's answer key.
struct SaveJournal {
    // How far the save went: kWriting while the new contents are being
    // written (undo: drop them), kReady once they are all whole and the old
    // contents of files written in place are copied aside (undo: put the old
    // contents back), kCommitted once every file written in place holds its
    // new content (finish: rename what is left).
    enum class State { kWriting, kReady, kCommitted };
    // A new content written beside its file, to be renamed over it.
    struct Replacement {
        std::string temporary;
        std::string target;
        bool targetExisted = false;
        // The target as it was before the save; a target changed since by
        // someone else is never replaced by a late rename.
        struct stat before {};
    };
    // A file rewritten in place, its former content kept in `backup`.
    struct InPlace {
        std::string target;
        std::string backup;
        struct stat identity {};
    };

    State state = State::kWriting;
    std::vector<Replacement> replacements;
    std::vector<InPlace> inPlace;
};

// The text of a journal, and back; Parse gives false for anything that is not
// a journal of this format, which is then left alone.
std::string JournalText(const SaveJournal& journal);
bool ParseJournal(const std::string& text, SaveJournal& journal);

// The folder of the journals and of the copies kept aside:
// $XDG_STATE_HOME/vorn/saves, by default ~/.local/state/vorn/saves, made with
// mode 0700. Empty when it cannot be made or is not a real folder of the
// user's with no access for others.
std::string SaveJournalFolder();

// Finishes or undoes what saves that were interrupted left, as their journal
// says; a journal still held by a running save is left to it. Returns how
// many journals were settled.
int SettleInterruptedSaves(const std::string& journalFolder = SaveJournalFolder());

} // namespace vorn
