// The array file: the editor's order scroll position, then one value line for every token of its
// entry text. Shared by the last array files/LostMas and the named arrays of the library.
#pragma once

#include "support/file_status.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace arrayfile {

// Writes the whole file at once; an old file stays whole when the new one cannot be written.
FileStatus write(const QString& path, int scrollPosition, QStringView entryText);

struct Content {
    bool empty = true;  // the file held no field at all
    QString firstField; // the scroll position as stored
    QStringList fields; // every further field, in file order, empty ones included
};

// Reads every field of the file.
FileStatus read(const QString& path, Content& content);

// Appends an empty line (creating the file when it is missing), then reads the file; a failed
// append does not stop the read of a file that is there (FileStatus::afterTouch).
FileStatus touchAndRead(const QString& path, Content& content);

// The scroll position a stored first field stands for: its value rounded, halves to even;
// nothing when that is not a position 2 .. 10.
std::optional<int> scrollPositionOf(const QString& field);

// The bytes of the file the editor's state gives (for tests and comparisons).
QString fileText(int scrollPosition, QStringView entryText);

} // namespace arrayfile
