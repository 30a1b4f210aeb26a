// A whole-file rewrite of one of the program's text files: the lines go to a temporary file that
// replaces the old one only at the commit, so a crash or a full disk leaves the old file whole.
// Only where the folder takes no new file but the file itself is writable is the file written
// over in place, at the commit. A rewrite dropped without a commit leaves the old file as it was.
#pragma once

#include "support/text_file.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QStringView>
#include <memory>
#include <optional>

class TextRewrite {
  public:
    // Starts the rewrite; nothing of the old file changes yet. On success the rewrite holds it.
    // A write that would take the file past the bounds its reads have fails, and so does the
    // commit: the program never leaves a file that it then refuses to read.
    static FileStatus open(const QString& path, std::optional<TextRewrite>& rewrite,
                           textfile::ReadLimits bounds = {});
    // Opens, writes the text as the file's one line (CR LF after it) and commits.
    static FileStatus writeWhole(const QString& path, QStringView text,
                                 textfile::ReadLimits bounds = {});
    // Opens, writes the text in UTF-8 as it is (a document of the program's, not one of its own
    // Windows-1251 files) and commits.
    static FileStatus writeUtf8(const QString& path, QStringView text);

    ~TextRewrite();
    TextRewrite(TextRewrite&&) = default;
    TextRewrite& operator=(TextRewrite&&) = default;

    // Writes the characters of the text, then CR LF. A failed write fails every later one and the
    // commit.
    FileStatus writeLine(QStringView text);
    // Puts the written lines in the old file's place, on the disk.
    FileStatus commit();

  private:
    explicit TextRewrite(QString path) : path_(std::move(path)) {}

    FileStatus writeBytes(const QByteArray& bytes);
    // Fails the rewrite when the bytes would take the file past its bounds.
    FileStatus checkBounds(const QByteArray& bytes);

    FileStatus writeInPlace();

    QString path_;
    std::unique_ptr<QSaveFile> file_; // none for a rewrite in place
    FileStatus failed_;               // the first failed write
    textfile::ReadLimits bounds_;
    qint64 written_ = 0;       // the bytes of the file so far
    qsizetype lineLength_ = 0; // of its last line so far, as a read counts it
    bool afterCarriageReturn_ = false;
    // A rewrite in a folder that takes no temporary file: the bytes wait here for the commit.
    bool inPlace_ = false;
    QByteArray pending_;
};
