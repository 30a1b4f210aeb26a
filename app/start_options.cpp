#include "app/start_options.h"

#include "app/user_folder.h"
#include "support/build_info.h"

#include <algorithm>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

namespace {

const QString userFolderName = QStringLiteral("user-folder");

StartOptions refuse(const QString& reason) {
    return {.action = StartOptions::Action::Refuse,
            .userFolder = false,
            .text =
                QCoreApplication::translate("start", "slau: %1\nСписок параметров: slau --help\n")
                    .arg(reason)};
}

// Qt's standard options, which QApplication takes from the command line itself: with one dash or
// two, the first group followed by a value, the second alone; style, stylesheet and the QML
// debugger also as name=value.
const QStringList qtOptionsWithValue = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "display",         "geometry",           "style",         "stylesheet"};
const QStringList qtOptionsAlone = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
const QStringList qtOptionsJoined = {"style=", "stylesheet=", "qmljsdebugger="};

QString optionName(const QString& argument) {
    if (argument.startsWith(QStringLiteral("--")))
        return argument.mid(2);
    return argument.startsWith(u'-') ? argument.mid(1) : QString();
}

struct Split {
    QStringList own;      // the program's arguments, in their order
    QString missingValue; // a Qt option typed last without its value
};

Split withoutQtOptions(const QStringList& arguments) {
    Split split;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString name = optionName(arguments[i]);
        const bool joined = std::any_of(qtOptionsJoined.begin(), qtOptionsJoined.end(),
                                        [&](const QString& p) { return name.startsWith(p); });
        if (i > 0 && (joined || qtOptionsAlone.contains(name)))
            continue;
        if (i > 0 && qtOptionsWithValue.contains(name)) {
            if (i + 1 == arguments.size())
                split.missingValue = arguments[i];
            ++i;
            continue;
        }
        split.own.append(arguments[i]);
    }
    return split;
}

} // namespace

StartOptions parseStartOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "start",
        "Решение систем линейных уравнений порядка от 2 до 10.\n"
        "Без параметров программа работает с папкой files в текущей папке и не создаёт её."));
    const QCommandLineOption userFolder(
        userFolderName, QCoreApplication::translate(
                            "start", "Работать в папке данных пользователя (%1): её папка files "
                                     "создаётся при первом запуске, вместе со страницей справки.")
                            .arg(QDir::toNativeSeparators(userDataFolder())));
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("start", "Показать этот текст и выйти."));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")},
        QCoreApplication::translate("start", "Показать версию программы и выйти."));
    parser.addOptions({userFolder, help, version});
    QStringList knownNames;
    for (const QCommandLineOption& option : {userFolder, help, version})
        knownNames += option.names();
    // "-platform" is one unknown word, not the letters p, l, a, t, f, o, r, m.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);

    QStringList withProgram = arguments;
    if (withProgram.isEmpty())
        withProgram.append(QStringLiteral("slau"));
    const Split split = withoutQtOptions(withProgram);
    if (!split.missingValue.isEmpty())
        return refuse(QCoreApplication::translate("start", "параметру «%1» нужно значение.")
                          .arg(split.missingValue));
    // An unknown option is named as it was typed, dashes included.
    for (const QString& argument : split.own.mid(1)) {
        const QString name = optionName(argument);
        if (!name.isEmpty() &&
            std::none_of(knownNames.begin(), knownNames.end(), [&](const QString& known) {
                return name == known || name.startsWith(known + u'=');
            }))
            return refuse(
                QCoreApplication::translate("start", "неизвестный параметр «%1».").arg(argument));
    }
    if (!parser.parse(split.own))
        return refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refuse(QCoreApplication::translate("start", "лишний аргумент «%1».")
                          .arg(parser.positionalArguments().front()));
    if (parser.isSet(help))
        return {.action = StartOptions::Action::ShowHelp, .text = parser.helpText()};
    if (parser.isSet(version))
        return {.action = StartOptions::Action::ShowVersion,
                .text = QStringLiteral("slau " SLAU_VERSION "\n")};
    return {
        .action = StartOptions::Action::Run, .userFolder = parser.isSet(userFolder), .text = {}};
}
