// A line added at the end of one of the program's text files (the file is created if missing):
// the line and its CR LF go in one write, and a write that fails cuts the file back to its old
// size, so the file never ends in half a line.
#pragma once

#include "support/file_status.h"

#include <QString>
#include <QStringView>

namespace textfile {

// Opens the file, adds the characters of the line and CR LF, and closes it.
FileStatus appendLine(const QString& path, QStringView line);

} // namespace textfile
