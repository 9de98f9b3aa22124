// Shows the main window, presses each exercise button in turn and saves a
// picture of the window after each, for a person to look at.
#include "app/form1.h"

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

bool Save(TForm1& form, const QDir& dir, const QString& name) {
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

    TForm1 form;
    form.RemovableDriveCheck = [] { return false; };
    // Designed values, whatever an earlier run of the program stored.
    form.FormStorage1.SetIniFileName(dir.filePath(QStringLiteral("vorn.ini")));
    QFile::remove(dir.filePath(QStringLiteral("vorn.ini")));
    form.State.Random.SetState(20261207u); // the same pictures every run
    form.show();
    bool ok = Save(form, dir, QStringLiteral("0_start"));
    const std::pair<QPushButton*, const char*> steps[] = {{form.btnVNdeg1, "1_vn_degre1"},
                                                          {form.btnVNdeg2, "2_vn_degre2"},
                                                          {form.btnDev1, "3_developpement1"},
                                                          {form.btnDev2, "4_developpement2"},
                                                          {form.btn_ident, "5_identites"}};
    for (const auto& [button, name] : steps) {
        button->click();
        ok = Save(form, dir, QString::fromLatin1(name)) && ok;
    }
    form.close();
    return ok ? 0 : 1;
}
