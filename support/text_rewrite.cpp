#include "support/text_rewrite.h"

#include <QFileInfo>
#include <cerrno>

namespace {

// True when a whole-file rewrite can only go over the old file: its folder takes no new file (no
// permission), but the file is there and may be written. A read-only disk allows neither.
bool canOnlyWriteInPlace(const QString& file) {
    const QFileInfo info(file);
    return info.isFile() && info.isWritable() && !QFileInfo(info.absolutePath()).isWritable();
}

} // namespace

FileStatus TextRewrite::open(const QString& path, std::optional<TextRewrite>& rewrite,
                             textfile::ReadLimits bounds) {
    rewrite.reset();
    errno = 0;
    if (const auto problem = textfile::notReplaceable(path))
        return FileStatus::failure(path, FileStatus::Action::Write, *problem);
    const QString file = textfile::fullPath(path);
    TextRewrite started(path);
    started.bounds_ = bounds;
    started.file_ = std::make_unique<QSaveFile>(file);
    if (!started.file_->open(QIODevice::WriteOnly)) {
        const int code = errno;
        if (!canOnlyWriteInPlace(file))
            return FileStatus::fromSystem(path, FileStatus::Action::Write, code);
        // The folder takes no new file, but the file itself may be written: the lines are kept
        // and written over the old content at the commit.
        started.file_.reset();
        started.inPlace_ = true;
    }
    rewrite.emplace(std::move(started));
    return FileStatus::success();
}

FileStatus TextRewrite::writeWhole(const QString& path, QStringView text,
                                   textfile::ReadLimits bounds) {
    std::optional<TextRewrite> rewrite;
    FileStatus s = open(path, rewrite, bounds);
    if (s)
        s = rewrite->writeLine(text);
    return s ? rewrite->commit() : s;
}

FileStatus TextRewrite::writeUtf8(const QString& path, QStringView text) {
    std::optional<TextRewrite> rewrite;
    FileStatus s = open(path, rewrite);
    if (s)
        s = rewrite->writeBytes(text.toUtf8());
    return s ? rewrite->commit() : s;
}

TextRewrite::~TextRewrite() {
    if (file_)
        file_->cancelWriting();
}

FileStatus TextRewrite::writeLine(QStringView text) {
    QByteArray bytes;
    const FileStatus encoded = textfile::lineBytes(path_, text, bytes);
    return encoded ? writeBytes(bytes) : encoded;
}

FileStatus TextRewrite::checkBounds(const QByteArray& bytes) {
    written_ += bytes.size();
    if (bounds_.fileBytes >= 0 && written_ > bounds_.fileBytes)
        failed_ = FileStatus::failure(path_, FileStatus::Action::Write,
                                      textfile::fileWouldBeTooLarge(bounds_.fileBytes));
    if (bounds_.lineBytes < 0 || !failed_)
        return failed_;
    // A line ends at CR (an LF right after it belongs to the line end), as a read takes it.
    for (const char c : bytes) {
        const bool lineFeedOfEnd = afterCarriageReturn_ && c == '\n';
        afterCarriageReturn_ = c == '\r';
        if (afterCarriageReturn_) {
            lineLength_ = 0;
        } else if (!lineFeedOfEnd && ++lineLength_ > bounds_.lineBytes) {
            failed_ = FileStatus::failure(path_, FileStatus::Action::Write,
                                          textfile::lineWouldBeTooLong(bounds_.lineBytes));
            break;
        }
    }
    return failed_;
}

FileStatus TextRewrite::writeBytes(const QByteArray& bytes) {
    if (!failed_ || !checkBounds(bytes))
        return failed_;
    if (inPlace_) {
        pending_.append(bytes);
        return FileStatus::success();
    }
    errno = 0;
    if (file_->write(bytes) != bytes.size()) {
        failed_ = FileStatus::fromSystem(path_, FileStatus::Action::Write, errno);
        return failed_;
    }
    return FileStatus::success();
}

FileStatus TextRewrite::commit() {
    if (!failed_)
        return failed_;
    if (inPlace_)
        return writeInPlace();
    // QSaveFile::commit() does not look at a failure of its final flush, nor at one of the flush
    // to disk, and would put a short file in place of the old one: both are done and checked
    // here first.
    errno = 0;
    if (!file_->flush() || !textfile::flushToDisk(*file_) || !file_->commit())
        return FileStatus::fromSystem(path_, FileStatus::Action::Write, errno);
    return FileStatus::success();
}

FileStatus TextRewrite::writeInPlace() {
    // QSaveFile falls back to writing the file itself where it cannot make its temporary file.
    QSaveFile file(textfile::fullPath(path_));
    file.setDirectWriteFallback(true);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return FileStatus::fromSystem(path_, FileStatus::Action::Write, errno);
    errno = 0;
    if (file.write(pending_) != pending_.size() || !file.flush() || !textfile::flushToDisk(file) ||
        !file.commit()) {
        const int code = errno;
        file.cancelWriting();
        return FileStatus::fromSystem(path_, FileStatus::Action::Write, code);
    }
    return FileStatus::success();
}
