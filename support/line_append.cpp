#include "support/line_append.h"

#include "support/text_file.h"

#include <QFile>
#include <cerrno>

namespace textfile {

FileStatus appendLine(const QString& path, QStringView line, ReadLimits bounds) {
    QFile file;
    FileStatus s = openForAppending(path, file);
    if (!s)
        return s;
    QByteArray bytes;
    s = lineBytes(path, line, bytes);
    if (!s)
        return s;
    const qint64 oldSize = file.size();
    if (bounds.fileBytes >= 0 && oldSize + bytes.size() > bounds.fileBytes)
        return FileStatus::failure(path, FileStatus::Action::Write,
                                   fileWouldBeTooLarge(bounds.fileBytes));
    if (bounds.lineBytes >= 0 && bytes.size() - 2 > bounds.lineBytes)
        return FileStatus::failure(path, FileStatus::Action::Write,
                                   lineWouldBeTooLong(bounds.lineBytes));
    errno = 0;
    if (file.write(bytes) == bytes.size())
        return FileStatus::success();
    const FileStatus failed = FileStatus::fromSystem(path, FileStatus::Action::Write, errno);
    file.resize(oldSize);
    return failed;
}

} // namespace textfile
