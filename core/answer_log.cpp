#include "core/answer_log.h"

#include <QDir>
#include <QFileInfo>
#include <cstring>
#include <memory>

namespace {

FileStatus writeOneLine(const QString& path, TextFile::Mode mode, const QString& line) {
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

} // namespace

FileStatus AnswerLog::appendAnswer(const QString& line) {
    const FileStatus s = writeOneLine(path, TextFile::Mode::Append, line);
    files_.closeAll();
    return s;
}

FileStatus AnswerLog::touchLog() {
    files_.closeAll();
    return writeOneLine(path, TextFile::Mode::Append, QString());
}

FileStatus AnswerLog::openAnswerCursor() {
    auto file = std::make_unique<TextFile>(path);
    const FileStatus s = file->open(TextFile::Mode::Read);
    if (s)
        files_.put(cursorNumber, std::move(file));
    return s;
}

FileStatus AnswerLog::nextAnswer(std::optional<QString>& answer) {
    answer.reset();
    TextFile* cursor = files_.get(cursorNumber);
    if (!cursor)
        return FileStatus::failure(path, FileStatus::Action::Read,
                                   QStringLiteral("журнал ответов не открыт"));
    QByteArrayView line;
    FileStatus s = FileStatus::success();
    while (s && !cursor->atEnd()) {
        s = cursor->readLineBytes(line);
        if (s && !line.isEmpty()) {
            answer = TextFile::decode(line);
            return s;
        }
    }
    if (s)
        s = cursor->readFailure();
    // A cursor that could not be read further ends the browse.
    if (!s)
        files_.close(cursorNumber);
    return s;
}

namespace {

// The last non-empty line of the bytes, found from the end: every CR ends a line, an LF right
// after it belongs to that line end, and text after the last line end is the last line. The
// result is the one a read of every line from the start would keep last.
std::optional<QByteArrayView> lastNonEmptyLine(QByteArrayView bytes) {
    const char* data = bytes.data();
    qsizetype end = bytes.size();
    for (;;) {
        const void* found = end > 0 ? memrchr(data, '\r', static_cast<std::size_t>(end)) : nullptr;
        const qsizetype cr = found ? static_cast<const char*>(found) - data : -1;
        qsizetype start = cr + 1;
        if (cr >= 0 && start < bytes.size() && data[start] == '\n')
            ++start;
        if (start < end)
            return bytes.sliced(start, end - start);
        if (cr < 0)
            return std::nullopt;
        end = cr;
    }
}

} // namespace

FileStatus AnswerLog::lastAnswer(std::optional<QString>& answer) {
    answer.reset();
    // Only the end of the log is looked at: the file is mapped, not read.
    QFile mapped(QDir::current().filePath(path));
    if (mapped.open(QIODevice::ReadOnly) && mapped.size() > 0) {
        if (const uchar* bytes = mapped.map(0, mapped.size())) {
            const auto line = lastNonEmptyLine(
                QByteArrayView(reinterpret_cast<const char*>(bytes), mapped.size()));
            if (line)
                answer = TextFile::decode(*line);
            mapped.unmap(const_cast<uchar*>(bytes));
            return FileStatus::success();
        }
    }
    mapped.close();
    TextFile file(path);
    FileStatus s = file.open(TextFile::Mode::Read);
    if (!s)
        return s;
    QByteArray last;
    bool found = false;
    QByteArrayView line;
    while (!file.atEnd()) {
        s = file.readLineBytes(line);
        if (!s)
            return s;
        if (!line.isEmpty()) {
            last.resize(line.size());
            std::memcpy(last.data(), line.data(), line.size());
            found = true;
        }
    }
    if (found)
        answer = TextFile::decode(last);
    return file.close();
}

FileStatus AnswerLog::readAllAnswers(QString& text) {
    text.clear();
    if (!QFileInfo::exists(QDir::current().filePath(path)) &&
        QFileInfo(QDir::current().filePath(QFileInfo(path).path())).isDir()) {
        files_.closeAll();
        return FileStatus::success();
    }
    TextFile file(path);
    FileStatus s = file.open(TextFile::Mode::Read);
    if (!s)
        return s;
    QByteArray bytes;
    QByteArrayView line;
    while (!file.atEnd()) {
        s = file.readLineBytes(line);
        if (!s)
            return s;
        if (!line.isEmpty()) {
            bytes.append(line);
            bytes.append("\r\n", 2);
        }
    }
    s = file.close();
    files_.closeAll();
    if (s)
        text = TextFile::decode(bytes);
    return s;
}

FileStatus AnswerLog::replaceLog(const QString& text) {
    files_.closeAll();
    return writeOneLine(path, TextFile::Mode::Write, text);
}
