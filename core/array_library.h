// The array library: named array files in the folder files, and the name list files/SaveList,
// one array name per line, from which the save/load window fills its lists.
#pragma once

#include "core/array_file.h"
#include "support/file_status.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace library {

// The bounds of the list: a larger file, a longer line or more names are refused whole with a
// message, so that the window's lists never take in more than they can show.
constexpr qint64 largestSaveList = 1024 * 1024;
constexpr qsizetype longestSaveListLine = 64 * 1024;
constexpr int mostNames = 10000;
// A change of the list that would take it past these bounds is refused, and the list stays.

// Why a name cannot name an array file, or nothing when it can: it must stay inside the folder
// files, be a portable file name, not be one of the program's own files and fit Windows-1251.
std::optional<QString> nameProblem(const QString& name);
// Why a text cannot go into the list (one name a line), or nothing when it can: line breaks are
// allowed, a control character is not, for the reason nameProblem gives for it.
std::optional<QString> listTextProblem(QStringView text);

FileStatus saveArrayFile(const QString& name, ArrayOrder order, QStringView entryText);
FileStatus loadArrayFile(const QString& name, arrayfile::Content& content);

// Whether the list can take one more name within its count of names; a list that is missing or
// cannot be read passes.
FileStatus roomForName(const QString& name);
// Appends the name and CR LF to the list (created if missing).
FileStatus addToSaveList(const QString& name);
// Appends an empty line to the list (created if missing).
FileStatus touchSaveList();
// Every line that is neither empty nor a single blank, in file order.
FileStatus readSaveListNames(QStringList& names);
// touchSaveList, then readSaveListNames; a failed touch does not stop the read of a list that is
// there (FileStatus::afterTouch); a list the read refuses at once is not touched.
FileStatus touchAndReadSaveListNames(QStringList& names);
// The list's lines as stored, joined by CR LF, so that saving it unchanged rewrites the same bytes.
FileStatus readSaveListText(QString& text);
// The whole list becomes the text followed by CR LF.
FileStatus replaceSaveList(const QString& text);
// "Создать SaveList": the list becomes one empty line.
FileStatus resetSaveList();

} // namespace library
