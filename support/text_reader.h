// A reader of one of the program's text files, Windows-1251 with CR LF line ends: line by line or
// field by field, within the bounds it was opened with. Only an open reader exists: a failed open
// gives none.
#pragma once

#include "support/text_file.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <memory>
#include <optional>

class TextReader {
  public:
    // Opens the file for reading at its start; a file larger than the bound is refused at once.
    // On success the reader holds it.
    static FileStatus open(const QString& path, std::optional<TextReader>& reader,
                           textfile::ReadLimits limits = {});

    const QString& path() const { return path_; }

    // True when nothing is left to read (tested before every read of a loop).
    bool atEnd();
    // A line ends at CR LF or a lone CR, which is consumed; a lone LF stays in the line.
    FileStatus readLine(QString& line);
    // The same on the raw bytes; the view stays valid until the next read.
    FileStatus readLineBytes(QByteArrayView& line);
    // A field: leading blanks and tabs skipped; a quoted field runs to the next quote and the rest
    // up to the comma or line end is passed over; otherwise up to the comma or line end, trailing
    // blanks dropped. The comma or line end is consumed; an empty line gives one empty field.
    FileStatus readField(QString& field);

    // The failure of a read, if one failed: reading then stops as it does at the end of the file,
    // so a loop that ends on atEnd() asks here whether it really met the end.
    FileStatus readFailure() const;

    // How far a long read has come: the bytes handed out so far, of the size the file had when it
    // was opened.
    qint64 bytesRead() const { return taken_ - (len_ - pos_); }
    qint64 sizeAtOpen() const { return sizeAtOpen_; }

  private:
    TextReader(QString path, textfile::ReadLimits limits);

    bool fill();
    void overLimit(const QString& reason);
    int peekByte();

    QString path_;
    std::unique_ptr<QFile> file_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    qsizetype len_ = 0;
    bool eof_ = false;
    bool readError_ = false;
    int readErrno_ = 0;
    textfile::ReadLimits limits_;
    qint64 taken_ = 0; // bytes read from the file so far
    qint64 sizeAtOpen_ = 0;
    QString limitReason_; // why reading stopped at a bound, if it did
};
