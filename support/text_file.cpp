#include "support/text_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>

#if defined(Q_OS_WIN)
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace textfile {
namespace {

constexpr const char* codePage = "windows-1251";

const QString folderInPlace =
    QCoreApplication::translate("files", "на месте файла находится папка");

#if !defined(Q_OS_WIN)
// Why a file of this type is not one the program reads or writes; nothing for a regular file.
std::optional<QString> kindProblem(mode_t mode) {
    if (S_ISREG(mode))
        return std::nullopt;
    if (S_ISDIR(mode))
        return folderInPlace;
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("files", "это не обычный файл, а канал (FIFO)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("files", "это не обычный файл, а устройство");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("files", "это не обычный файл, а сокет");
    return QCoreApplication::translate("files", "это не обычный файл");
}
#endif

// Why what stands at the path, links followed, is not a regular file; nothing when it is one or
// when nothing is there. Only the file's entry is looked at: nothing is opened.
std::optional<QString> notRegular(const QString& file) {
#if defined(Q_OS_WIN)
    const QFileInfo info(file);
    if (!info.exists() || info.isFile())
        return std::nullopt;
    return info.isDir() ? folderInPlace
                        : QCoreApplication::translate("files", "это не обычный файл");
#else
    struct stat st {};
    if (::stat(QFile::encodeName(file).constData(), &st) != 0)
        return std::nullopt;
    return kindProblem(st.st_mode);
#endif
}

// Opens a regular file for reading or appending. Where a FIFO or a device takes the file's place
// between the look at it and the open, the open does not wait on it (it is made non-blocking) and
// what it opened is looked at again and refused. False with errno set, or with the reason.
bool openRegular(QFile& file, const QString& name, QIODevice::OpenMode mode, QString& refused) {
    if (const auto problem = notRegular(name)) {
        refused = *problem;
        return false;
    }
#if defined(Q_OS_WIN)
    file.setFileName(name);
    return file.open(mode);
#else
    int flags = O_CLOEXEC | O_NONBLOCK;
    flags |= (mode & QIODevice::Append) ? O_WRONLY | O_APPEND | O_CREAT : O_RDONLY;
    const int fd = ::open(QFile::encodeName(name).constData(), flags, 0666);
    if (fd < 0)
        return false;
    struct stat st {};
    std::optional<QString> problem;
    if (::fstat(fd, &st) != 0 || (problem = kindProblem(st.st_mode)) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 ||
        !file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        const int code = errno;
        ::close(fd);
        errno = code;
        if (problem)
            refused = *problem;
        return false;
    }
    return true;
#endif
}

// The same for a file of the program, the failure told as one of the read or the write.
FileStatus openChecked(const QString& path, QFile& file, QIODevice::OpenMode mode,
                       FileStatus::Action action) {
    errno = 0;
    QString refused;
    if (openRegular(file, fullPath(path), mode, refused))
        return FileStatus::success();
    if (!refused.isEmpty())
        return FileStatus::failure(path, action, refused);
    return FileStatus::fromSystem(path, action, errno);
}

bool isAscii(QByteArrayView bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool isAscii(QStringView text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

QString fullPath(const QString& path) {
    return QDir::current().filePath(path);
}

FileStatus openForReading(const QString& path, QFile& file) {
    return openChecked(path, file, QIODevice::ReadOnly | QIODevice::Unbuffered,
                       FileStatus::Action::Read);
}

FileStatus openForAppending(const QString& path, QFile& file) {
    return openChecked(path, file, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
                       FileStatus::Action::Write);
}

FileStatus checkReadable(const QString& path, ReadLimits limits) {
    const QString file = fullPath(path);
    if (const auto problem = notRegular(file))
        return FileStatus::failure(path, FileStatus::Action::Read, *problem);
    const QFileInfo info(file);
    if (limits.fileBytes >= 0 && info.exists() && info.size() > limits.fileBytes)
        return FileStatus::failure(path, FileStatus::Action::Read, fileTooLarge(limits.fileBytes));
    return FileStatus::success();
}

std::optional<QString> notReplaceable(const QString& path) {
    return notRegular(fullPath(path));
}

// The file's metadata is left to the file system: a rewrite renames a new file, an append grows
// one.
bool flushToDisk(QFileDevice& file) {
    const int handle = file.handle();
#if defined(Q_OS_WIN)
    // _commit is FlushFileBuffers on the file's handle.
    return ::_commit(handle) == 0;
#elif defined(Q_OS_DARWIN)
    return ::fsync(handle) == 0;
#else
    return ::fdatasync(handle) == 0;
#endif
}

QString fileTooLarge(qint64 bytes) {
    return QCoreApplication::translate("files", "файл больше допустимых %1").arg(sizeText(bytes));
}

QString lineTooLong(qsizetype bytes) {
    return QCoreApplication::translate("files", "в файле есть строка длиннее допустимых %1")
        .arg(sizeText(bytes));
}

QString fileWouldBeTooLarge(qint64 bytes) {
    return QCoreApplication::translate("files", "файл стал бы больше допустимых %1, и программа "
                                                "не смогла бы его прочитать")
        .arg(sizeText(bytes));
}

QString lineWouldBeTooLong(qsizetype bytes) {
    return QCoreApplication::translate("files", "в файле была бы строка длиннее допустимых %1, и "
                                                "программа не смогла бы его прочитать")
        .arg(sizeText(bytes));
}

QString sizeText(qint64 bytes) {
    constexpr qint64 kilo = 1024;
    if (bytes >= kilo * kilo && bytes % (kilo * kilo) == 0)
        return QCoreApplication::translate("files", "%1 МБ").arg(bytes / (kilo * kilo));
    if (bytes >= kilo && bytes % kilo == 0)
        return QCoreApplication::translate("files", "%1 КБ").arg(bytes / kilo);
    return QCoreApplication::translate("files", "%1 байт").arg(bytes);
}

// ASCII is the same in Windows-1251, so plain ASCII texts skip the code-page converter.
QString decode(QByteArrayView bytes) {
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(codePage);
    Q_ASSERT(decoder.isValid());
    return decoder.decode(bytes);
}

bool encode(QStringView text, QByteArray& bytes, QString* firstBad) {
    if (isAscii(text)) {
        bytes = text.toLatin1();
        return true;
    }
    QStringEncoder encoder(codePage);
    Q_ASSERT(encoder.isValid());
    bytes = encoder.encode(text);
    if (!encoder.hasError() && decode(bytes) == text)
        return true;
    // Find the first character that does not come back through the code page.
    if (firstBad) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QStringView one = text.mid(i, n);
            QStringEncoder single(codePage);
            const QByteArray b = single.encode(one);
            if (single.hasError() || decode(b) != one) {
                *firstBad = one.toString();
                break;
            }
            i += n - 1;
        }
    }
    return false;
}

FileStatus lineBytes(const QString& path, QStringView text, QByteArray& bytes) {
    QString bad;
    if (!encode(text, bytes, &bad))
        return FileStatus::failure(
            path, FileStatus::Action::Write,
            QCoreApplication::translate("files",
                                        "знак «%1» нельзя сохранить в кодировке Windows-1251")
                .arg(bad));
    bytes.append("\r\n", 2);
    return FileStatus::success();
}

} // namespace textfile
