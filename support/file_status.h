// The outcome of an operation on one of the program's files: success, or the file, what could not
// be done with it and the reason, in Russian, ready for the "Ошибка" message box.
#pragma once

#include <QString>

struct FileStatus {
    enum class Action { Open, Read, Write };

    bool ok = true;
    QString path;
    Action action = Action::Open;
    QString reason;

    static FileStatus success() { return {}; }
    static FileStatus failure(const QString& path, Action action, const QString& reason);

    // Builds the failure from the state of the file system and the last system error code.
    static FileStatus fromSystem(const QString& path, Action action, int errorCode);

    // The outcome of a read that a step making sure the file exists (a touch, an empty append)
    // went before: the read's own, so that a failed touch never stops the read of a file that is
    // there; but when the file could not be read because the touch could not create it, the
    // touch's failure, which says why.
    static FileStatus afterTouch(const FileStatus& touch, const FileStatus& read);

    // "Не удалось записать файл files/lastans: на диске нет места."
    QString message() const;
    explicit operator bool() const { return ok; }
};
