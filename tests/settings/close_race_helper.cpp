// One copy of the window for the closing race: shows itself with the ini file
// given, says "ready", waits for the start file to appear, then closes.
#include "tests/settings/test_form.h"

#include <QApplication>
#include <QFile>
#include <QThread>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    settings_test::MainWindow form(QString::fromLocal8Bit(argv[1]));
    form.show();
    QCoreApplication::processEvents();
    std::puts("ready");
    std::fflush(stdout);
    const QString start = QString::fromLocal8Bit(argv[2]);
    for (int waited = 0; !QFile::exists(start); ++waited) {
        if (waited > 20000)
            return 3;
        QThread::usleep(500);
    }
    form.close();
    return form.errors.isEmpty() ? 0 : 1;
}
