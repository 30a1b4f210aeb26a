#include "app/user_folder.h"

#include "core/program_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A link follows the installed page through upgrades; on Windows QFile::link makes a shortcut,
// which a browser does not open, so the page is copied there.
bool placeHelp(const QString& source, const QString& target) {
#ifdef Q_OS_WIN
    return QFile::copy(source, target);
#else
    return QFile::link(QFileInfo(source).absoluteFilePath(), target);
#endif
}

} // namespace

UserFolderResult prepareUserFolder(const QString& folder, const QString& helpSource) {
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.mkpath(programfiles::folder))
        return {.folder = {},
                .problem =
                    QCoreApplication::translate(
                        "folder", "Не удалось создать папку «%1».\r\nПрограмма работает "
                                  "с папкой files в текущей папке.")
                        .arg(QDir::toNativeSeparators(dir.absoluteFilePath(programfiles::folder)))};
    const QString help = dir.absoluteFilePath(programfiles::helpPage);
    const QFileInfo existing(help);
    if (existing.exists() || existing.isSymLink())
        return {.folder = dir.absolutePath(), .problem = {}};
    const QString reason =
        helpSource.isEmpty()
            ? QCoreApplication::translate("folder", "страница программы не найдена")
        : !QFileInfo(helpSource).isFile()
            ? QCoreApplication::translate("folder", "нет страницы «%1»")
            : QCoreApplication::translate("folder", "не удалось сослаться на страницу «%1»");
    if (!QFileInfo(helpSource).isFile() || !placeHelp(helpSource, help))
        return {.folder = dir.absolutePath(),
                .problem = QCoreApplication::translate(
                               "folder", "Не удалось положить страницу справки в «%1»: %2.")
                               .arg(QDir::toNativeSeparators(help),
                                    reason.arg(QDir::toNativeSeparators(helpSource)))};
    return {.folder = dir.absolutePath(), .problem = {}};
}

QString userDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}
