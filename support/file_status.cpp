#include "support/file_status.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace {

QString verbOf(FileStatus::Action action) {
    switch (action) {
    case FileStatus::Action::Read:
        return QStringLiteral("прочитать");
    case FileStatus::Action::Write:
        return QStringLiteral("записать");
    case FileStatus::Action::Open:
        break;
    }
    return QStringLiteral("открыть");
}

QString reasonOfCode(int code, FileStatus::Action action) {
    switch (code) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("на диске нет места");
    case EROFS:
        return QStringLiteral("диск доступен только для чтения");
    case EACCES:
    case EPERM:
        return QStringLiteral("нет прав доступа");
    case ENOENT:
        return QStringLiteral("файл не найден");
    case EISDIR:
        return QStringLiteral("на месте файла находится папка");
    case ENOTDIR:
        return QStringLiteral("путь к файлу проходит через файл, а не папку");
    case ENAMETOOLONG:
        return QStringLiteral("слишком длинное имя файла");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("открыто слишком много файлов");
    case EIO:
        return QStringLiteral("ошибка ввода-вывода");
    default:
        break;
    }
    if (code == 0)
        return action == FileStatus::Action::Read ? QStringLiteral("ошибка чтения")
                                                  : QStringLiteral("ошибка записи");
    return action == FileStatus::Action::Read ? QStringLiteral("ошибка чтения (код %1)").arg(code)
                                              : QStringLiteral("ошибка записи (код %1)").arg(code);
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
        return failure(path, action, QStringLiteral("нет папки «%1»").arg(QFileInfo(path).path()));
    if (!folder.isDir())
        return failure(path, action,
                       QStringLiteral("«%1» — это файл, а не папка").arg(QFileInfo(path).path()));
    if (file.isDir())
        return failure(path, action, QStringLiteral("на месте файла находится папка"));
    return failure(path, action, reasonOfCode(errorCode, action));
}

FileStatus FileStatus::afterTouch(const FileStatus& touch, const FileStatus& read) {
    if (read || touch || QFileInfo::exists(QDir::current().filePath(read.path)))
        return read;
    return touch;
}

QString FileStatus::message() const {
    return QStringLiteral("Не удалось %1 файл %2: %3.").arg(verbOf(action), path, reason);
}
