#pragma once

#include <QString>

namespace vorn {

// The settings file beside the executable, bearing its name: the last
// extension of the file name (if any) becomes ".ini".
QString SettingsFileBesideExecutable(const QString& executablePath);

// What the choice of the settings file depends on.
struct SettingsLocationFacts {
    QString besideExecutable;      // SettingsFileBesideExecutable
    bool executableFolderWritable; // this user may create files there
    bool fileBesideExists;         // a settings file is there already
    QString xdgConfigHome;         // $XDG_CONFIG_HOME, empty when unset
    QString home;                  // $HOME
};

// The file beside the executable, as a copy run from its own folder (a build
// tree, a USB stick) keeps it; or, for an installed program whose folder this
// user cannot write and where no settings file lies already,
// "$XDG_CONFIG_HOME/vorn/vorn.ini" (a relative or empty $XDG_CONFIG_HOME
// counting as unset, hence "$HOME/.config/vorn/vorn.ini").
QString ChooseSettingsFile(const SettingsLocationFacts& facts);

// Whether this user may create and remove files in the folder of `file`.
bool FolderOfFileWritable(const QString& file);

// ChooseSettingsFile for this executable, this user and this environment;
// the folder of a file in the user's configuration is created when missing
// (a failure shows when the file is written).
QString SettingsFileForExecutable(const QString& executablePath);

} // namespace vorn
