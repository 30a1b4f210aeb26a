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
    while (!cursor->atEnd()) {
        const FileStatus s = cursor->readLineBytes(line);
        if (!s)
            return s;
        if (!line.isEmpty()) {
            answer = TextFile::decode(line);
            return FileStatus::success();
        }
    }
    return FileStatus::success();
}

FileStatus AnswerLog::lastAnswer(std::optional<QString>& answer) {
    answer.reset();
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
