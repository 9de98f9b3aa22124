#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// One file of a save: its name and its whole new content.
struct FileContent {
    std::string path;
    std::string_view bytes;
};

// Replaces the files with their new contents all together or not at all:
// - every name is checked before anything is written: a name taken by anything
//   but a regular file (a link to one is written through, the link staying), a
//   name too long, a missing folder or one the user may not write (unless the
//   file itself may be written, see below) stops the save with nothing changed;
// - each new content is written whole to a temporary file beside its file,
//   its room reserved first so that a full disk shows before any file changes,
//   and only when all are whole are they renamed over their files, the first
//   file last;
// - a file in a folder where no new file may be made but that the user may
//   write (a shared folder) is rewritten in place, its old content copied
//   aside first and put back if the new one cannot be written whole; without
//   a place for that copy, the save is refused;
// - a failure removes what the save made and leaves every file as it was;
//   a kill is settled at the next start (SettleInterruptedSaves), and a
//   temporary file it left is removed at the next save of the same name.
// Throws SaveError naming the file and the cause: "Impossible de créer le
// fichier <name> : <cause>" when a file cannot be made or replaced,
// "Erreur à l'enregistrement du flux dans <name> : <cause>" when its content
// cannot be written.
void WriteFilesTogether(const std::vector<FileContent>& files);

// The points between which a save can be interrupted, for tests that stop a
// save there as a kill would.
enum class SaveStep {
    kTemporariesMade, // the temporary files made, still empty
    kContentsWritten, // every new content whole, nothing replaced yet
    kRewritten,       // one more file written in place (index: which one)
    kCommitted,       // files written in place hold their new content
    kRenamed,         // one more file renamed (index: which one)
};
using SaveStepHook = void (*)(SaveStep step, std::size_t index);
void SetSaveStepHookForTests(SaveStepHook hook);

} // namespace vorn
