// Starts the program: reads the command line, loads Qt's Russian texts, enters the user's data
// folder when asked, and shows the main window through the program object.
#include "app/qt_translation.h"
#include "app/start_options.h"
#include "app/user_folder.h"
#include "support/build_info.h"
#include "windows/extras/help.h"
#include "windows/platform.h"
#include "windows/program.h"

#include <QApplication>
#include <QDir>
#include <QTranslator>
#include <cstdio>

namespace {

// Reads the command line under a window-less application, so that --help, --version and a
// refused argument need no display; their texts come in Russian as well.
StartOptions readCommandLine(int argc, char** argv) {
    QCoreApplication core(argc, argv);
    QTranslator qtRussian;
    installQtRussian(qtRussian);
    return parseStartOptions(QCoreApplication::arguments());
}

} // namespace

int main(int argc, char** argv) {
    // The name gives the per-user data folder (~/.local/share/<id>) and matches the desktop entry.
    QCoreApplication::setApplicationName(QStringLiteral(SLAU_APP_ID));
    QCoreApplication::setApplicationVersion(QStringLiteral(SLAU_VERSION));
    const StartOptions options = readCommandLine(argc, argv);
    if (options.action != StartOptions::Action::Run) {
        std::fputs(options.text.toLocal8Bit().constData(),
                   options.action == StartOptions::Action::Refuse ? stderr : stdout);
        return options.exitCode();
    }

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(SLAU_APP_ID));
    QApplication::setQuitOnLastWindowClosed(false);
    QTranslator qtRussian;
    installQtRussian(qtRussian);
    DesktopPlatform platform;
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (options.userFolder) {
        const UserFolderResult user =
            prepareUserFolder(userDataFolder(), help::shippedPage(programFolder));
        if (!user.folder.isEmpty())
            QDir::setCurrent(user.folder);
        if (!user.problem.isEmpty())
            platform.messageBox(nullptr, user.problem, QStringLiteral("Ошибка"),
                                Platform::Buttons::Ok);
    }
    Program program(platform, programFolder);
    program.start();
    return QApplication::exec();
}
