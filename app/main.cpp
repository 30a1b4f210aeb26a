// Starts the program: the application, the program object and its main window.
#include "windows/platform.h"
#include "windows/program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    DesktopPlatform platform;
    Program program(platform, QCoreApplication::applicationDirPath());
    program.start();
    return QApplication::exec();
}
