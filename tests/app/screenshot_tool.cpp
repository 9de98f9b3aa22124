// Shows the main window, presses each exercise button in turn and saves a
// picture of the window after each, for a person to look at.
#include "app/main_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QPushButton>

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
    form.close();
    return ok ? 0 : 1;
}
