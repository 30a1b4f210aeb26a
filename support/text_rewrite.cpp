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

FileStatus TextRewrite::open(const QString& path, std::optional<TextRewrite>& rewrite) {
    rewrite.reset();
    errno = 0;
    if (const auto problem = textfile::notReplaceable(path))
        return FileStatus::failure(path, FileStatus::Action::Write, *problem);
    const QString file = textfile::fullPath(path);
    TextRewrite started(path);
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

FileStatus TextRewrite::writeWhole(const QString& path, QStringView text) {
    std::optional<TextRewrite> rewrite;
    FileStatus s = open(path, rewrite);
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

FileStatus TextRewrite::writeBytes(const QByteArray& bytes) {
    if (inPlace_) {
        pending_.append(bytes);
        return FileStatus::success();
    }
    if (!failed_)
        return failed_;
    errno = 0;
    if (file_->write(bytes) != bytes.size()) {
        failed_ = FileStatus::fromSystem(path_, FileStatus::Action::Write, errno);
        return failed_;
    }
    return FileStatus::success();
}

FileStatus TextRewrite::commit() {
    if (inPlace_)
        return writeInPlace();
    if (!failed_)
        return failed_;
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
