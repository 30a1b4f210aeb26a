#include "support/file_status.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace {

QString verbOf(FileStatus::Action action) {
    switch (action) {
    case FileStatus::Action::Read:
        return QCoreApplication::translate("files", "прочитать");
    case FileStatus::Action::Write:
        return QCoreApplication::translate("files", "записать");
    case FileStatus::Action::Open:
        break;
    }
    return QCoreApplication::translate("files", "открыть");
}

QString reasonOfCode(int code, FileStatus::Action action) {
    switch (code) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QCoreApplication::translate("files", "на диске нет места");
    case EROFS:
        return QCoreApplication::translate("files", "диск доступен только для чтения");
    case EACCES:
    case EPERM:
        return QCoreApplication::translate("files", "нет прав доступа");
    case ENOENT:
        return QCoreApplication::translate("files", "файл не найден");
    case EISDIR:
        return QCoreApplication::translate("files", "на месте файла находится папка");
    case ENOTDIR:
        return QCoreApplication::translate("files", "путь к файлу проходит через файл, а не папку");
    case ENAMETOOLONG:
        return QCoreApplication::translate("files", "слишком длинное имя файла");
    case EMFILE:
    case ENFILE:
        return QCoreApplication::translate("files", "открыто слишком много файлов");
    case EIO:
        return QCoreApplication::translate("files", "ошибка ввода-вывода");
    default:
        break;
    }
    if (code == 0)
        return action == FileStatus::Action::Read
                   ? QCoreApplication::translate("files", "ошибка чтения")
                   : QCoreApplication::translate("files", "ошибка записи");
    return action == FileStatus::Action::Read
               ? QCoreApplication::translate("files", "ошибка чтения (код %1)").arg(code)
               : QCoreApplication::translate("files", "ошибка записи (код %1)").arg(code);
}

} // namespace

FileStatus FileStatus::failure(const QString& path, Action action, const QString& reason) {
    FileStatus s;
    s.ok = false;
    s.path = path;
    s.action = action;
    s.reason = reason;
    return s;
}

FileStatus FileStatus::fromSystem(const QString& path, Action action, int errorCode) {
    const QFileInfo file(QDir::current().filePath(path));
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists())
        return failure(
            path, action,
            QCoreApplication::translate("files", "нет папки «%1»").arg(QFileInfo(path).path()));
    if (!folder.isDir())
        return failure(path, action,
                       QCoreApplication::translate("files", "«%1» — это файл, а не папка")
                           .arg(QFileInfo(path).path()));
    if (file.isDir())
        return failure(path, action,
                       QCoreApplication::translate("files", "на месте файла находится папка"));
    return failure(path, action, reasonOfCode(errorCode, action));
}

FileStatus FileStatus::afterTouch(const FileStatus& touch, const FileStatus& read) {
    if (read || touch || QFileInfo::exists(QDir::current().filePath(read.path)))
        return read;
    return touch;
}

QString FileStatus::message() const {
    return QCoreApplication::translate("files", "Не удалось %1 файл %2: %3.")
        .arg(verbOf(action), path, reason);
}
