#pragma once

class QCoreApplication;

namespace vorn {

// Installs Qt's own French translation (qtbase_fr.qm from Qt's translations
// folder) into `application`, so that the toolkit's dialogs (file and print
// dialogs, standard buttons) speak French like the rest of the program,
// whatever the user's locale. False when the file is missing or unreadable;
// the dialogs then stay in English.
bool InstallQtFrenchTranslation(QCoreApplication& application);

} // namespace vorn
