#include "support/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <cstring>

#if defined(Q_OS_WIN)
#include <io.h>
#else
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
    FileStatus::Action action = FileStatus::Action::Open;
    switch (mode) {
    case Mode::Read:
        reader_ = std::make_unique<QFile>(file);
        opened =
            !QFileInfo(file).isDir() && reader_->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        code = errno;
        action = FileStatus::Action::Read;
        buffer_.resize(chunkSize);
        pos_ = len_ = 0;
        eof_ = readError_ = false;
        break;
    case Mode::Write:
        writer_ = std::make_unique<QSaveFile>(file);
        opened = !QFileInfo(file).isDir() && writer_->open(QIODevice::WriteOnly);
        code = errno;
        action = FileStatus::Action::Write;
        if (!opened && canOnlyWriteInPlace(file)) {
            // The folder takes no new file, but the file itself may be written: the lines are
            // kept and written over the old content when the file is closed.
            writer_.reset();
            inPlace_ = true;
            opened = true;
        }
        break;
    case Mode::Append:
        appender_ = std::make_unique<QFile>(file);
        opened = !QFileInfo(file).isDir() &&
                 appender_->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
        code = errno;
        action = FileStatus::Action::Write;
        break;
    }
    if (!opened) {
        const FileStatus failed = FileStatus::fromSystem(path_, action, code);
        abandon();
        return failed;
    }
    open_ = true;
    return FileStatus::success();
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
    errno = 0;
    const qint64 n = reader_->read(buffer_.data() + len_, buffer_.size() - len_);
    if (n < 0) {
        readError_ = true;
        readErrno_ = errno;
        return false;
    }
    if (n == 0)
        eof_ = true;
    len_ += n;
    return n > 0;
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
