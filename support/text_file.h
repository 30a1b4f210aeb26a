// What every one of the program's text files has in common: Windows-1251 text, read and written
// only where a regular file (or nothing) stands at the path, the bounds of a read and the reasons
// a read gives at them, and written data put on the disk before the write counts as done. The
// reader, the whole-file rewrite and the line append are built on these.
#pragma once

#include "support/file_status.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringView>
#include <optional>

namespace textfile {

// How much a read may take in, checked while reading: a file that holds more bytes, or a line
// longer than lineBytes (its line end not counted), stops the read with a failure that says so.
// Negative means no bound.
struct ReadLimits {
    qint64 fileBytes = -1;
    qsizetype lineBytes = -1;
};

// The file's place: a path is relative to the current working folder, as "files/lastans".
QString fullPath(const QString& path);

// Only a regular file (or a link to one) is opened: a folder, a FIFO, a device or a socket in
// its place is refused before anything is opened, so no open waits on a pipe or a device. The
// failure names a read or a write.
FileStatus openForReading(const QString& path, QFile& file);
FileStatus openForAppending(const QString& path, QFile& file);
// Whether the file may be read within the bounds: refused when something other than a regular
// file is in its place or when it is larger than the bound; a missing file passes.
FileStatus checkReadable(const QString& path, ReadLimits limits);
// Why the file could not be replaced: something other than a regular file is in its place.
// Nothing when a regular file or nothing is there; only the file's entry is looked at.
std::optional<QString> notReplaceable(const QString& path);

// Puts the written data of an open file on the disk; false (errno set) when that fails.
bool flushToDisk(QFileDevice& file);

// "64 КБ", "1 МБ": a bound as the messages and the help page name it.
QString sizeText(qint64 bytes);
// The reasons a read gives at its bounds.
QString fileTooLarge(qint64 bytes);
QString lineTooLong(qsizetype bytes);
// The reasons a write gives when it would take the file past those bounds.
QString fileWouldBeTooLarge(qint64 bytes);
QString lineWouldBeTooLong(qsizetype bytes);

// Windows-1251 conversions of the program's texts.
QString decode(QByteArrayView bytes);
// Fails when the code page cannot hold a character; firstBad then receives it.
bool encode(QStringView text, QByteArray& bytes, QString* firstBad = nullptr);
// A line as written to the file: its characters in Windows-1251, then CR LF. A write of the file
// at the path fails when the code page cannot hold one of the characters.
FileStatus lineBytes(const QString& path, QStringView text, QByteArray& bytes);

} // namespace textfile
