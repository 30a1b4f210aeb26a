// The array file: the editor's order scroll position, then one value line for every token of its
// entry text. Shared by the last array files/LostMas and the named arrays of the library.
#pragma once

#include "core/array_order.h"
#include "support/file_status.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace arrayfile {

// A larger file is refused as damaged before it is read: the matrix takes at most 110 values
// and the order, and only an entry text of about two hundred thousand numbers writes more.
constexpr qint64 largestFile = 1024 * 1024;

// Writes the whole file at once; an old file stays whole when the new one cannot be written,
// and when it would be larger than largestFile.
FileStatus write(const QString& path, ArrayOrder order, QStringView entryText);

struct Content {
    bool empty = true;  // the file held no field at all
    QString firstField; // the scroll position as stored
    // The order the first field stands for: its value rounded, halves to even, is the scroll
    // position of that order; nothing when it is not a position of an order.
    std::optional<ArrayOrder> order;
    QStringList fields; // every further field, in file order, empty ones included
};

// Reads every field of the file; refuses one larger than largestFile, or not a regular file.
FileStatus read(const QString& path, Content& content);

// Appends an empty line (creating the file when it is missing), then reads the file; a failed
// append does not stop the read of a file that is there (FileStatus::afterTouch). A file that
// the read would refuse at once is refused before anything is appended.
FileStatus touchAndRead(const QString& path, Content& content);

// The «Ошибка» text for a file whose first field is not empty and gives no order.
QString noOrderMessage(const QString& path, const Content& content);

} // namespace arrayfile
