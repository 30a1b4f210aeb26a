// Starts the program: reads the command line, loads Qt's Russian texts, enters the user's data
// folder when asked, and shows the main window through the program object.
#include "app/qt_translation.h"
#include "app/start_options.h"
#include "app/user_folder.h"
#include "support/build_info.h"
#include "windows/program.h"
#include "windows/shared/error_box.h"
#include "windows/shared/help.h"
#include "windows/shared/platform.h"
#include "windows/shared/ui_kit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Reads the command line under a window-less application, so that --help, --version and a
// refused argument need no display; their texts come in Russian as well.
StartOptions readCommandLine(int argc, char** argv) {
    QCoreApplication core(argc, argv);
    QTranslator qtRussian;
    installQtRussian(qtRussian);
    return parseStartOptions(QCoreApplication::arguments());
}

// Qt's messages while QApplication connects to the display. Qt ends the program when no
// display can be reached; the user then reads in Russian why, instead of Qt's English details,
// and the program ends with code 1. When the connection works, the messages are passed on.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage> heldMessages;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs(
            QCoreApplication::translate(
                "start",
                "slau: программе нужен графический сеанс, а подключиться к нему не удалось "
                "(не задана переменная DISPLAY или WAYLAND_DISPLAY, или дисплей недоступен).\n")
                .toUtf8()
                .constData(),
            stderr);
        std::_Exit(1);
    }
    heldMessages.push_back({type, QByteArray(context.category), text});
}

void releaseMessages() {
    qInstallMessageHandler(nullptr);
    for (const HeldMessage& m : heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
        qt_message_output(m.type, context, m.text);
    }
    heldMessages.clear();
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

    qInstallMessageHandler(holdMessage);
    QApplication app(argc, argv);
    releaseMessages();
    ui::proportionalApplicationFont();
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
            showError(platform, nullptr, user.problem);
    }
    Program program(platform, programFolder);
    program.start();
    return QApplication::exec();
}
