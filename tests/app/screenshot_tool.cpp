// Shows the main window, presses each exercise button in turn, then chooses
// each level of the families menu, and saves a picture of the window after
// each, for a person to look at; one picture of the whole screen shows the
// menu open.
#include "app/main_window.h"
#include "app/menu_button.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <cstdio>

namespace {

void Settle(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool Save(MainWindow& form, const QDir& dir, const QString& name) {
    Settle(300);
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    if (!form.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// The families menu opened from the keyboard on its second family, with that
// family's levels shown: a picture of the screen, where the menus are windows
// of their own.
bool SaveOpenMenu(MainWindow& form, const QDir& dir) {
    form.familiesMenu->popup(
        form.familiesMenuButton->mapToGlobal(QPoint(0, form.familiesMenuButton->height())));
    Settle(200);
    for (int key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(QApplication::activePopupWidget(), &press);
        Settle(200);
    }
    const QString path = dir.filePath(QStringLiteral("6_menu.png"));
    const bool saved = QGuiApplication::primaryScreen()->grabWindow(0).save(path);
    if (saved)
        std::printf("%s\n", qPrintable(path));
    else
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    MainWindow form;
    form.removableDriveCheck = [] { return false; };
    // Designed values, whatever an earlier run of the program stored.
    form.formStorage.SetIniFileName(dir.filePath(QStringLiteral("vorn.ini")));
    QFile::remove(dir.filePath(QStringLiteral("vorn.ini")));
    form.state.Random.SetState(20261207u); // the same pictures every run
    form.show();
    bool ok = Save(form, dir, QStringLiteral("0_start"));
    const std::pair<QPushButton*, const char*> steps[] = {
        {form.valueDegree1Button, "1_vn_degre1"},
        {form.valueDegree2Button, "2_vn_degre2"},
        {form.expansion1Button, "3_developpement1"},
        {form.expansion2Button, "4_developpement2"},
        {form.identitiesButton, "5_identites"}};
    for (const auto& [button, name] : steps) {
        button->click();
        ok = Save(form, dir, QString::fromLatin1(name)) && ok;
    }
    ok = SaveOpenMenu(form, dir) && ok;
    int picture = 7;
    for (const vorn::SheetKind& kind : vorn::AllSheetKinds()) {
        if (QAction* entry = form.familyAction(kind)) {
            entry->trigger();
            ok = Save(form, dir,
                      QStringLiteral("%1_%2_niveau%3")
                          .arg(picture++)
                          .arg(QString::fromLatin1(kind.family->shortName.data(),
                                                   qsizetype(kind.family->shortName.size())))
                          .arg(kind.level)) &&
                 ok;
        }
    }
    form.close();
    return ok ? 0 : 1;
}
