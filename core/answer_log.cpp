#include "core/answer_log.h"

#include "support/line_append.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <optional>

FileStatus AnswerLog::appendAnswer(const QString& line) {
    const FileStatus s = textfile::appendLine(path, line);
    files_.closeAll();
    return s;
}

FileStatus AnswerLog::touchLog() {
    files_.closeAll();
    return textfile::appendLine(path, QString());
}

FileStatus AnswerLog::openAnswerCursor() {
    std::optional<TextReader> reader;
    const FileStatus s = TextReader::open(path, reader, {.lineBytes = longestLine});
    if (s)
        files_.put(cursorNumber, std::move(*reader));
    return s;
}

FileStatus AnswerLog::touchAndOpenCursor() {
    const FileStatus touched = touchLog();
    return FileStatus::afterTouch(touched, openAnswerCursor());
}

FileStatus AnswerLog::touchAndReadLast(std::optional<QString>& answer) {
    const FileStatus touched = touchLog();
    const FileStatus read = FileStatus::afterTouch(touched, lastAnswer(answer));
    if (!read)
        answer.reset();
    return read;
}

FileStatus AnswerLog::nextAnswer(std::optional<QString>& answer) {
    answer.reset();
    TextReader* cursor = files_.get(cursorNumber);
    if (!cursor)
        return FileStatus::failure(path, FileStatus::Action::Read,
                                   QCoreApplication::translate("log", "журнал ответов не открыт"));
    QByteArrayView line;
    FileStatus s = FileStatus::success();
    while (s && !cursor->atEnd()) {
        s = cursor->readLineBytes(line);
        if (s && !line.isEmpty()) {
            answer = textfile::decode(line);
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

// The last non-empty line within the tail of the log held in block, which starts at blockStart:
// every CR ends a line, an LF right after it belongs to that line end, and text after the last
// line end is the last line. Nothing when the tail holds no such line; undetermined (false) when
// the answer may start before the block: then the block's first `undetermined` bytes are the part
// of that line (possibly empty) which the block holds.
bool lastNonEmptyLine(QByteArrayView block, qint64 blockStart, std::optional<QByteArrayView>& line,
                      qsizetype& undetermined) {
    const char* data = block.data();
    qsizetype end = block.size();
    for (;;) {
        const qsizetype cr = block.first(end).lastIndexOf('\r');
        if (cr < 0) {
            if (blockStart > 0) {
                undetermined = end;
                return false;
            }
            line = end > 0 ? std::optional(block.first(end)) : std::nullopt;
            return true;
        }
        qsizetype start = cr + 1;
        if (start < block.size() && data[start] == '\n')
            ++start;
        if (start < end) {
            line = block.sliced(start, end - start);
            return true;
        }
        end = cr;
    }
}

} // namespace

FileStatus AnswerLog::lastAnswer(std::optional<QString>& answer) {
    answer.reset();
    // The last answer is looked for from the end of the log, block by block; the result is the
    // one a read of every line from the start would keep last. Only one block and the part of a
    // line that runs on from it are held, so a tail of empty lines costs time, not memory.
    QFile file;
    const FileStatus opened = textfile::openForReading(path, file);
    if (!opened)
        return opened;
    constexpr qint64 blockSize = 16 * 1024;
    qint64 blockEnd = file.size();
    QByteArray block;
    QByteArray runOn;
    for (;;) {
        const qint64 blockStart = std::max<qint64>(0, blockEnd - blockSize);
        block.resize(blockEnd - blockStart);
        errno = 0;
        if (!file.seek(blockStart) || file.read(block.data(), block.size()) != block.size())
            return FileStatus::fromSystem(path, FileStatus::Action::Read, errno);
        block.append(runOn);
        std::optional<QByteArrayView> line;
        qsizetype undetermined = 0;
        const bool found = lastNonEmptyLine(block, blockStart, line, undetermined);
        if (found ? line && line->size() > longestLine : undetermined > longestLine)
            return FileStatus::failure(path, FileStatus::Action::Read,
                                       textfile::lineTooLong(longestLine));
        if (found) {
            if (line)
                answer = textfile::decode(*line);
            return FileStatus::success();
        }
        runOn = block.first(undetermined);
        blockEnd = blockStart;
    }
}

FileStatus AnswerLog::replaceLog(const std::function<std::optional<QString>()>& nextLine) {
    files_.closeAll();
    std::optional<TextRewrite> rewrite;
    // The log stays one that "Все ответы" and the other commands read.
    FileStatus s =
        TextRewrite::open(path, rewrite, {.fileBytes = largestPanelLog, .lineBytes = longestLine});
    for (std::optional<QString> line = s ? nextLine() : std::nullopt; s && line; line = nextLine())
        s = rewrite->writeLine(*line);
    return s ? rewrite->commit() : s;
}

FileStatus AllAnswersRead::open(AnswerLog& log, std::optional<AllAnswersRead>& read) {
    read.reset();
    log.closeFiles();
    const QString& path = AnswerLog::path;
    AllAnswersRead started;
    started.ended_ = true;
    if (QFileInfo::exists(QDir::current().filePath(path)) ||
        !QFileInfo(QDir::current().filePath(QFileInfo(path).path())).isDir()) {
        const FileStatus s = TextReader::open(
            path, started.reader_,
            {.fileBytes = AnswerLog::largestPanelLog, .lineBytes = AnswerLog::longestLine});
        if (!s)
            return s;
        started.ended_ = false;
    }
    // A rewrite that cannot start does not stop the reading: the lines are shown, and the
    // failure is told at the end.
    started.rewriteStatus_ = TextRewrite::open(path, started.rewrite_);
    read.emplace(std::move(started));
    return FileStatus::success();
}

FileStatus AllAnswersRead::readPart(qint64 bytes, QStringList& lines) {
    const qint64 until = reader_ ? reader_->bytesRead() + bytes : 0;
    QByteArrayView line;
    while (!ended_ && reader_->bytesRead() < until) {
        // The end counts only when no read failed on the way to it: a log cut short by a
        // failing disk is never rewritten as if it were whole.
        if (reader_->atEnd()) {
            const FileStatus s = reader_->readFailure();
            ended_ = bool(s);
            return s;
        }
        const FileStatus s = reader_->readLineBytes(line);
        if (!s)
            return s;
        if (line.isEmpty())
            continue;
        lines.append(textfile::decode(line));
        if (rewriteStatus_)
            rewriteStatus_ = rewrite_->writeLine(lines.constLast());
    }
    return FileStatus::success();
}

double AllAnswersRead::progress() const {
    if (!reader_ || reader_->sizeAtOpen() <= 0)
        return 1;
    return std::min(1.0, double(reader_->bytesRead()) / double(reader_->sizeAtOpen()));
}

FileStatus AllAnswersRead::finish() {
    if (!ended_)
        return FileStatus::failure(
            AnswerLog::path, FileStatus::Action::Write,
            QCoreApplication::translate("log", "журнал ответов прочитан не до конца"));
    reader_.reset();
    if (rewriteStatus_)
        rewriteStatus_ = rewrite_->writeLine(QString());
    if (rewriteStatus_)
        rewriteStatus_ = rewrite_->commit();
    rewrite_.reset();
    return rewriteStatus_;
}
