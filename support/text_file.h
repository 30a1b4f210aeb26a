// One of the program's sequential text files: Windows-1251 text with CR LF line ends, opened for
// reading, for writing (the whole file is replaced only when it is closed) or for appending (each
// line goes in one write; a failed write cuts the file back, so it never ends in half a line).
// A rewrite goes to a temporary file that then replaces the old one; only where the folder takes
// no new file but the file itself is writable is the file written over in place, at the close.
#pragma once

#include "support/file_status.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QSaveFile>
#include <QString>
#include <QStringView>
#include <memory>

class TextFile {
  public:
    enum class Mode { Read, Write, Append };

    // How much a read may take in, checked while reading: a file that holds more bytes, or a line
    // longer than lineBytes (its line end not counted), stops the read with a failure that says
    // so. Negative means no bound.
    struct ReadLimits {
        qint64 fileBytes = -1;
        qsizetype lineBytes = -1;
    };

    // The path is relative to the current working folder, as "files/lastans".
    explicit TextFile(QString path);
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // Only a regular file (or a link to one) is opened: a folder, a FIFO, a device or a socket in
    // its place is refused before anything is opened, so no open waits on a pipe or a device.
    FileStatus open(Mode mode);
    // The bounds of the reads that follow (an open for reading checks the file's size at once).
    void setReadLimits(ReadLimits limits) { limits_ = limits; }
    bool isOpen() const { return open_; }
    const QString& path() const { return path_; }

    // Writes the characters of the text, then CR LF.
    FileStatus writeLine(QStringView text);

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

    // Ends the file; a file opened for writing replaces the old content only now.
    FileStatus close();
    // Ends the file without replacing anything.
    void abandon();

    // Opens the file in the mode, writes the line and closes it: a whole file of one line, or
    // one line appended.
    static FileStatus writeOneLine(const QString& path, Mode mode, QStringView line);

    // Opens the file for reading by the same rule as open(): for callers that read it in blocks.
    static FileStatus openForReading(const QString& path, QFile& file);
    // Whether the file may be read within the bounds: refused when something other than a regular
    // file is in its place or when it is larger than the bound; a missing file passes.
    static FileStatus checkReadable(const QString& path, ReadLimits limits);
    // "64 КБ", "1 МБ": a bound as the messages and the help page name it.
    static QString sizeText(qint64 bytes);
    // The reasons a read gives at its bounds.
    static QString fileTooLarge(qint64 bytes);
    static QString lineTooLong(qsizetype bytes);

    // Windows-1251 conversions of the program's texts.
    static QString decode(QByteArrayView bytes);
    // Fails when the code page cannot hold a character; firstBad then receives it.
    static bool encode(QStringView text, QByteArray& bytes, QString* firstBad = nullptr);

  private:
    bool fill();
    void overLimit(const QString& reason);
    int peekByte();
    FileStatus writeInPlace();

    QString path_;
    Mode mode_ = Mode::Read;
    bool open_ = false;
    std::unique_ptr<QFile> reader_;
    std::unique_ptr<QFile> appender_;
    std::unique_ptr<QSaveFile> writer_;
    FileStatus deferred_;
    // A rewrite in a folder that takes no temporary file: the bytes wait here for close().
    bool inPlace_ = false;
    QByteArray pending_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    qsizetype len_ = 0;
    bool eof_ = false;
    bool readError_ = false;
    int readErrno_ = 0;
    ReadLimits limits_;
    qint64 taken_ = 0;    // bytes read from the file so far
    QString limitReason_; // why reading stopped at a bound, if it did
};
