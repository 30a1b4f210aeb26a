#include "support/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <cstring>
#include <optional>

#if defined(Q_OS_WIN)
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr const char* codePage = "windows-1251";
constexpr qsizetype chunkSize = 256 * 1024;

QString absolute(const QString& path) {
    return QDir::current().filePath(path);
}

// Puts the written data of an open file on the disk; false (errno set) when that fails. The
// file's metadata is left to the file system: a rewrite renames a new file, an append grows one.
bool flushToDisk(int handle) {
#if defined(Q_OS_WIN)
    // _commit is FlushFileBuffers on the file's handle.
    return ::_commit(handle) == 0;
#elif defined(Q_OS_DARWIN)
    return ::fsync(handle) == 0;
#else
    return ::fdatasync(handle) == 0;
#endif
}

const QString folderInPlace = QStringLiteral("на месте файла находится папка");

#if !defined(Q_OS_WIN)
// Why a file of this type is not one the program reads or writes; nothing for a regular file.
std::optional<QString> kindProblem(mode_t mode) {
    if (S_ISREG(mode))
        return std::nullopt;
    if (S_ISDIR(mode))
        return folderInPlace;
    if (S_ISFIFO(mode))
        return QStringLiteral("это не обычный файл, а канал (FIFO)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("это не обычный файл, а устройство");
    if (S_ISSOCK(mode))
        return QStringLiteral("это не обычный файл, а сокет");
    return QStringLiteral("это не обычный файл");
}
#endif

// Why what stands at the path, links followed, is not a regular file; nothing when it is one or
// when nothing is there. Only the file's entry is looked at: nothing is opened.
std::optional<QString> notRegular(const QString& file) {
#if defined(Q_OS_WIN)
    const QFileInfo info(file);
    if (!info.exists() || info.isFile())
        return std::nullopt;
    return info.isDir() ? folderInPlace : QStringLiteral("это не обычный файл");
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

// True when a whole-file rewrite can only go over the old file: its folder takes no new file (no
// permission), but the file is there and may be written. A read-only disk allows neither.
bool canOnlyWriteInPlace(const QString& file) {
    const QFileInfo info(file);
    return info.isFile() && info.isWritable() && !QFileInfo(info.absolutePath()).isWritable();
}

} // namespace

TextFile::TextFile(QString path) : path_(std::move(path)) {}

TextFile::~TextFile() {
    abandon();
}

namespace {

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

// ASCII is the same in Windows-1251, so plain ASCII texts skip the code-page converter.
QString TextFile::decode(QByteArrayView bytes) {
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(codePage);
    Q_ASSERT(decoder.isValid());
    return decoder.decode(bytes);
}

bool TextFile::encode(QStringView text, QByteArray& bytes, QString* firstBad) {
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

FileStatus TextFile::open(Mode mode) {
    abandon();
    mode_ = mode;
    deferred_ = FileStatus::success();
    const QString file = absolute(path_);
    errno = 0;
    int code = 0;
    bool opened = false;
    QString refused;
    FileStatus::Action action = FileStatus::Action::Open;
    switch (mode) {
    case Mode::Read:
        reader_ = std::make_unique<QFile>();
        opened = openRegular(*reader_, file, QIODevice::ReadOnly | QIODevice::Unbuffered, refused);
        code = errno;
        action = FileStatus::Action::Read;
        buffer_.resize(chunkSize);
        pos_ = len_ = taken_ = 0;
        eof_ = readError_ = false;
        limitReason_.clear();
        if (opened && limits_.fileBytes >= 0 && reader_->size() > limits_.fileBytes) {
            opened = false;
            refused = fileTooLarge(limits_.fileBytes);
        }
        break;
    case Mode::Write:
        action = FileStatus::Action::Write;
        if (const auto problem = notRegular(file)) {
            refused = *problem;
            break;
        }
        writer_ = std::make_unique<QSaveFile>(file);
        opened = writer_->open(QIODevice::WriteOnly);
        code = errno;
        if (!opened && canOnlyWriteInPlace(file)) {
            // The folder takes no new file, but the file itself may be written: the lines are
            // kept and written over the old content when the file is closed.
            writer_.reset();
            inPlace_ = true;
            opened = true;
        }
        break;
    case Mode::Append:
        appender_ = std::make_unique<QFile>();
        opened =
            openRegular(*appender_, file,
                        QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered, refused);
        code = errno;
        action = FileStatus::Action::Write;
        break;
    }
    if (!opened) {
        const FileStatus failed = refused.isEmpty() ? FileStatus::fromSystem(path_, action, code)
                                                    : FileStatus::failure(path_, action, refused);
        abandon();
        return failed;
    }
    open_ = true;
    return FileStatus::success();
}

FileStatus TextFile::openForReading(const QString& path, QFile& file) {
    errno = 0;
    QString refused;
    if (openRegular(file, absolute(path), QIODevice::ReadOnly | QIODevice::Unbuffered, refused))
        return FileStatus::success();
    if (!refused.isEmpty())
        return FileStatus::failure(path, FileStatus::Action::Read, refused);
    return FileStatus::fromSystem(path, FileStatus::Action::Read, errno);
}

FileStatus TextFile::checkReadable(const QString& path, ReadLimits limits) {
    const QString file = absolute(path);
    if (const auto problem = notRegular(file))
        return FileStatus::failure(path, FileStatus::Action::Read, *problem);
    const QFileInfo info(file);
    if (limits.fileBytes >= 0 && info.exists() && info.size() > limits.fileBytes)
        return FileStatus::failure(path, FileStatus::Action::Read, fileTooLarge(limits.fileBytes));
    return FileStatus::success();
}

QString TextFile::fileTooLarge(qint64 bytes) {
    return QStringLiteral("файл больше допустимых %1").arg(sizeText(bytes));
}

QString TextFile::lineTooLong(qsizetype bytes) {
    return QStringLiteral("в файле есть строка длиннее допустимых %1").arg(sizeText(bytes));
}

QString TextFile::sizeText(qint64 bytes) {
    constexpr qint64 kilo = 1024;
    if (bytes >= kilo * kilo && bytes % (kilo * kilo) == 0)
        return QStringLiteral("%1 МБ").arg(bytes / (kilo * kilo));
    if (bytes >= kilo && bytes % kilo == 0)
        return QStringLiteral("%1 КБ").arg(bytes / kilo);
    return QStringLiteral("%1 байт").arg(bytes);
}

FileStatus TextFile::writeOneLine(const QString& path, Mode mode, QStringView line) {
    TextFile file(path);
    FileStatus s = file.open(mode);
    if (!s)
        return s;
    s = file.writeLine(line);
    if (!s) {
        file.abandon();
        return s;
    }
    return file.close();
}

FileStatus TextFile::writeLine(QStringView text) {
    if (!open_ || mode_ == Mode::Read)
        return FileStatus::failure(path_, FileStatus::Action::Write,
                                   QStringLiteral("файл не открыт для записи"));
    QByteArray bytes;
    QString bad;
    if (!encode(text, bytes, &bad))
        return FileStatus::failure(
            path_, FileStatus::Action::Write,
            QStringLiteral("знак «%1» нельзя сохранить в кодировке Windows-1251").arg(bad));
    bytes.append("\r\n", 2);
    if (inPlace_) {
        pending_.append(bytes);
        return FileStatus::success();
    }
    if (mode_ == Mode::Write) {
        if (!deferred_)
            return deferred_;
        errno = 0;
        if (writer_->write(bytes) != bytes.size()) {
            deferred_ = FileStatus::fromSystem(path_, FileStatus::Action::Write, errno);
            return deferred_;
        }
        return FileStatus::success();
    }
    const qint64 oldSize = appender_->size();
    errno = 0;
    const qint64 written = appender_->write(bytes);
    if (written == bytes.size())
        return FileStatus::success();
    const FileStatus failed = FileStatus::fromSystem(path_, FileStatus::Action::Write, errno);
    appender_->resize(oldSize);
    return failed;
}

bool TextFile::fill() {
    if (eof_ || readError_ || !reader_)
        return false;
    if (pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.constData() + pos_, len_ - pos_);
        len_ -= pos_;
        pos_ = 0;
    }
    if (len_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    qint64 room = buffer_.size() - len_;
    // One byte past the bound is asked for, to tell a file of exactly the bound from a longer one.
    if (limits_.fileBytes >= 0)
        room = std::min(room, limits_.fileBytes + 1 - taken_);
    errno = 0;
    const qint64 n = reader_->read(buffer_.data() + len_, room);
    if (n < 0) {
        readError_ = true;
        readErrno_ = errno;
        return false;
    }
    if (n == 0)
        eof_ = true;
    len_ += n;
    taken_ += n;
    if (limits_.fileBytes >= 0 && taken_ > limits_.fileBytes) {
        overLimit(fileTooLarge(limits_.fileBytes));
        return false;
    }
    return n > 0;
}

void TextFile::overLimit(const QString& reason) {
    readError_ = true;
    readErrno_ = 0;
    limitReason_ = reason;
}

bool TextFile::atEnd() {
    if (!open_ || mode_ != Mode::Read)
        return true;
    while (pos_ >= len_) {
        if (!fill())
            return true;
    }
    return false;
}

int TextFile::peekByte() {
    while (pos_ >= len_) {
        if (!fill())
            return -1;
    }
    return static_cast<unsigned char>(buffer_[pos_]);
}

FileStatus TextFile::readFailure() const {
    if (!limitReason_.isEmpty())
        return FileStatus::failure(path_, FileStatus::Action::Read, limitReason_);
    if (readError_)
        return FileStatus::fromSystem(path_, FileStatus::Action::Read, readErrno_);
    return FileStatus::success();
}

FileStatus TextFile::readLineBytes(QByteArrayView& line) {
    line = {};
    if (!open_ || mode_ != Mode::Read)
        return FileStatus::failure(path_, FileStatus::Action::Read,
                                   QStringLiteral("файл не открыт для чтения"));
    qsizetype scanned = 0;
    for (;;) {
        const char* start = buffer_.constData() + pos_;
        const qsizetype avail = len_ - pos_;
        const void* found = std::memchr(start + scanned, '\r', avail - scanned);
        const qsizetype lineLength = found ? static_cast<const char*>(found) - start : avail;
        if (limits_.lineBytes >= 0 && lineLength > limits_.lineBytes) {
            // The rest of the line is not read: the file is not read any further.
            overLimit(lineTooLong(limits_.lineBytes));
            pos_ = len_;
            return readFailure();
        }
        if (found) {
            const qsizetype cr = static_cast<const char*>(found) - buffer_.constData();
            if (cr + 1 < len_ || eof_ || readError_) {
                line = QByteArrayView(start, cr - pos_);
                pos_ = cr + 1;
                if (pos_ < len_ && buffer_[pos_] == '\n')
                    ++pos_;
                return readFailure();
            }
        } else if (eof_ || readError_) {
            line = QByteArrayView(start, avail);
            pos_ = len_;
            return readFailure();
        }
        // The line goes on past the buffer, or its CR may be followed by an LF still unread.
        scanned = found ? avail - 1 : avail;
        fill();
    }
}

FileStatus TextFile::readLine(QString& line) {
    QByteArrayView bytes;
    const FileStatus s = readLineBytes(bytes);
    line = decode(bytes);
    return s;
}

FileStatus TextFile::readField(QString& field) {
    field.clear();
    if (!open_ || mode_ != Mode::Read)
        return FileStatus::failure(path_, FileStatus::Action::Read,
                                   QStringLiteral("файл не открыт для чтения"));
    int c = peekByte();
    while (c == ' ' || c == '\t') {
        ++pos_;
        c = peekByte();
    }
    QByteArray bytes;
    const auto consumeLineEnd = [this] {
        ++pos_;
        if (peekByte() == '\n')
            ++pos_;
    };
    if (c == '"') {
        ++pos_;
        for (c = peekByte(); c >= 0 && c != '"'; c = peekByte()) {
            bytes.append(static_cast<char>(c));
            ++pos_;
        }
        if (c == '"')
            ++pos_;
        for (c = peekByte(); c >= 0 && c != ',' && c != '\r'; c = peekByte())
            ++pos_;
    } else {
        for (; c >= 0 && c != ',' && c != '\r'; c = peekByte()) {
            bytes.append(static_cast<char>(c));
            ++pos_;
        }
        while (bytes.endsWith(' '))
            bytes.chop(1);
    }
    if (c == ',')
        ++pos_;
    else if (c == '\r')
        consumeLineEnd();
    field = decode(bytes);
    return readFailure();
}

FileStatus TextFile::close() {
    if (!open_)
        return FileStatus::success();
    FileStatus result = FileStatus::success();
    if (inPlace_) {
        result = writeInPlace();
    } else if (mode_ == Mode::Write) {
        if (!deferred_) {
            result = deferred_;
        } else {
            // QSaveFile::commit() does not look at a failure of its final flush, nor at one of the
            // flush to disk, and would put a short file in place of the old one: both are done
            // and checked here first.
            errno = 0;
            if (!writer_->flush() || !flushToDisk(writer_->handle()) || !writer_->commit())
                result = FileStatus::fromSystem(path_, FileStatus::Action::Write, errno);
        }
    } else if (mode_ == Mode::Read) {
        result = readFailure();
    }
    abandon();
    return result;
}

FileStatus TextFile::writeInPlace() {
    // QSaveFile falls back to writing the file itself where it cannot make its temporary file.
    QSaveFile file(absolute(path_));
    file.setDirectWriteFallback(true);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return FileStatus::fromSystem(path_, FileStatus::Action::Write, errno);
    errno = 0;
    if (file.write(pending_) != pending_.size() || !file.flush() || !flushToDisk(file.handle()) ||
        !file.commit()) {
        const int code = errno;
        file.cancelWriting();
        return FileStatus::fromSystem(path_, FileStatus::Action::Write, code);
    }
    return FileStatus::success();
}

void TextFile::abandon() {
    inPlace_ = false;
    pending_.clear();
    if (writer_)
        writer_->cancelWriting();
    writer_.reset();
    appender_.reset();
    reader_.reset();
    open_ = false;
}
