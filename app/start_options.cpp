#include "app/start_options.h"

#include "support/build_info.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

const QString userFolderName = QStringLiteral("user-folder");

StartOptions refuse(const QString& reason) {
    return {.action = StartOptions::Action::Refuse,
            .text = QStringLiteral("slau: %1\nСписок параметров: slau --help\n").arg(reason)};
}

} // namespace

StartOptions parseStartOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Решение систем линейных уравнений порядка от 2 до 10.\n"
        "Без параметров программа работает с папкой files в текущей папке и не создаёт её."));
    const QCommandLineOption userFolder(
        userFolderName,
        QStringLiteral("Работать в папке данных пользователя (~/.local/share/" SLAU_APP_ID
                       "): её папка files создаётся при первом "
                       "запуске, вместе со страницей справки."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Показать этот текст и выйти."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Показать версию программы и выйти."));
    parser.addOptions({userFolder, help, version});
    // "-platform" is one unknown word, not the letters p, l, a, t, f, o, r, m.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);

    QStringList withProgram = arguments;
    if (withProgram.isEmpty())
        withProgram.append(QStringLiteral("slau"));
    if (!parser.parse(withProgram))
        return refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refuse(
            QStringLiteral("лишний аргумент «%1».").arg(parser.positionalArguments().front()));
    if (parser.isSet(help))
        return {.action = StartOptions::Action::ShowHelp, .text = parser.helpText()};
    if (parser.isSet(version))
        return {.action = StartOptions::Action::ShowVersion,
                .text = QStringLiteral("slau " SLAU_VERSION "\n")};
    return {
        .action = StartOptions::Action::Run, .userFolder = parser.isSet(userFolder), .text = {}};
}
