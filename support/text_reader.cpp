#include "support/text_reader.h"

#include <cerrno>
#include <cstring>

namespace {

constexpr qsizetype chunkSize = 256 * 1024;

} // namespace

TextReader::TextReader(QString path, textfile::ReadLimits limits)
    : path_(std::move(path)), file_(std::make_unique<QFile>()), limits_(limits) {
    buffer_.resize(chunkSize);
}

FileStatus TextReader::open(const QString& path, std::optional<TextReader>& reader,
                            textfile::ReadLimits limits) {
    reader.reset();
    TextReader opened(path, limits);
    const FileStatus s = textfile::openForReading(path, *opened.file_);
    if (!s)
        return s;
    if (limits.fileBytes >= 0 && opened.file_->size() > limits.fileBytes)
        return FileStatus::failure(path, FileStatus::Action::Read,
                                   textfile::fileTooLarge(limits.fileBytes));
    opened.sizeAtOpen_ = opened.file_->size();
    reader.emplace(std::move(opened));
    return FileStatus::success();
}

bool TextReader::fill() {
    if (eof_ || readError_)
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
    const qint64 n = file_->read(buffer_.data() + len_, room);
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
        overLimit(textfile::fileTooLarge(limits_.fileBytes));
        return false;
    }
    return n > 0;
}

void TextReader::overLimit(const QString& reason) {
    readError_ = true;
    readErrno_ = 0;
    limitReason_ = reason;
}

bool TextReader::atEnd() {
    while (pos_ >= len_) {
        if (!fill())
            return true;
    }
    return false;
}

int TextReader::peekByte() {
    while (pos_ >= len_) {
        if (!fill())
            return -1;
    }
    return static_cast<unsigned char>(buffer_[pos_]);
}

FileStatus TextReader::readFailure() const {
    if (!limitReason_.isEmpty())
        return FileStatus::failure(path_, FileStatus::Action::Read, limitReason_);
    if (readError_)
        return FileStatus::fromSystem(path_, FileStatus::Action::Read, readErrno_);
    return FileStatus::success();
}

FileStatus TextReader::readLineBytes(QByteArrayView& line) {
    line = {};
    qsizetype scanned = 0;
    for (;;) {
        const char* start = buffer_.constData() + pos_;
        const qsizetype avail = len_ - pos_;
        const void* found = std::memchr(start + scanned, '\r', avail - scanned);
        const qsizetype lineLength = found ? static_cast<const char*>(found) - start : avail;
        if (limits_.lineBytes >= 0 && lineLength > limits_.lineBytes) {
            // The rest of the line is not read: the file is not read any further.
            overLimit(textfile::lineTooLong(limits_.lineBytes));
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

FileStatus TextReader::readLine(QString& line) {
    QByteArrayView bytes;
    const FileStatus s = readLineBytes(bytes);
    line = textfile::decode(bytes);
    return s;
}

FileStatus TextReader::readField(QString& field) {
    field.clear();
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
    field = textfile::decode(bytes);
    return readFailure();
}
