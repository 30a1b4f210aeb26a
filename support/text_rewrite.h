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
    static FileStatus open(const QString& path, std::optional<TextRewrite>& rewrite);
    // Opens, writes the text as the file's one line (CR LF after it) and commits.
    static FileStatus writeWhole(const QString& path, QStringView text);
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

    FileStatus writeInPlace();

    QString path_;
    std::unique_ptr<QSaveFile> file_; // none for a rewrite in place
    FileStatus failed_;               // the first failed write
    // A rewrite in a folder that takes no temporary file: the bytes wait here for the commit.
    bool inPlace_ = false;
    QByteArray pending_;
};
