#include "app/main_window.h"
#include "app/qt_french_translation.h"
#include "app/start_options.h"
#include "app/terminate_signal.h"
#include "output/preview/private_temp_folder.h"
#include "output/save/save_journal.h"
#include "output/save/working_folder.h"
#include "settings/session_file.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <iostream>

int main(int argc, char** argv) {
    // Answered before the toolkit starts, so that it needs no display.
    if (vorn::AsksForHelp(argc, argv)) {
        std::cout << vorn::kStartHelp;
        return 0;
    }
    QApplication application(argc, argv); // takes out the toolkit's own options
    const vorn::StartOptions options = vorn::ParseStartArguments(QApplication::arguments().mid(1));
    if (!options.error.isEmpty()) {
        std::cerr << options.error.toStdString() << '\n';
        return 2;
    }
    // Started from the desktop menu, the working directory is the home folder:
    // the preview's page files go to the program's cache folder instead. If
    // that folder cannot be made, the program still runs where it was started.
    QString folderError;
    if (options.workInCache && !vorn::EnterWorkingFolder(vorn::CacheWorkingFolder(), folderError))
        std::cerr << folderError.toStdString() << '\n';

    QApplication::setApplicationName(QStringLiteral("VORN"));
    QApplication::setApplicationVersion(QStringLiteral("1.4"));
    // Lets the desktop match the window with its menu entry (vorn.desktop).
    QGuiApplication::setDesktopFileName(QStringLiteral("vorn"));
    // The help file the program would offer; no command opens it.
    application.setProperty("HelpFile", QStringLiteral("VORN.HLP"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vorn/vorn.xpm")));
    vorn::InstallQtFrenchTranslation(application);

    // Preview folders of earlier runs that crashed or were killed.
    vorn::RemoveStalePrivateFolders(QDir::tempPath());
    // Saves that a kill or a power cut interrupted: finished when every new
    // file was whole, undone otherwise.
    vorn::SettleInterruptedSaves();

    MainWindow Form1;
    // The day's work comes back, and is kept again at closing.
    Form1.useSessionFile(vorn::SessionFileName(), !options.startEmpty);
    Form1.show();
    vorn::CloseOnTerminateSignal(Form1);
    return QApplication::exec();
}
