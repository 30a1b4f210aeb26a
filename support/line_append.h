// A line added at the end of one of the program's text files (the file is created if missing):
// the line and its CR LF go in one write, and a write that fails cuts the file back to its old
// size, so the file never ends in half a line.
#pragma once

#include "support/file_status.h"
#include "support/text_file.h"

#include <QString>
#include <QStringView>

namespace textfile {

// Opens the file, adds the characters of the line and CR LF, and closes it. A line that would take
// the file past the bounds its reads have is not added (the line has no line break of its own).
FileStatus appendLine(const QString& path, QStringView line, ReadLimits bounds = {});

} // namespace textfile
