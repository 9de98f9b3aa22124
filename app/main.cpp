#include "app/form1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VORN"));
    QApplication::setApplicationVersion(QStringLiteral("1.4"));
    // The help file the program would offer; no command opens it.
    application.setProperty("HelpFile", QStringLiteral("VORN.HLP"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vorn/vorn.xpm")));

    TForm1 Form1;
    Form1.show();
    return QApplication::exec();
}
