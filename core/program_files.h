// The program's own files, in the folder files below the working folder: every path the program
// opens by name is spelled here, and the array library keeps a saved array from taking one.
#pragma once

#include <QString>
#include <QStringList>

namespace programfiles {

inline const QString folder = QStringLiteral("files");
inline const QString answerLog = QStringLiteral("files/lastans");
inline const QString lastArray = QStringLiteral("files/LostMas");
inline const QString saveList = QStringLiteral("files/SaveList");
inline const QString helpPage = QStringLiteral("files/help.htm");
// A browser placed beside the program's files opens the help page before the system's.
inline const QString browser = QStringLiteral("files/iexplore");

// The names of the files above within the folder.
inline QStringList ownNames() {
    QStringList names;
    for (const QString* path : {&answerLog, &lastArray, &saveList, &helpPage, &browser})
        names.append(path->mid(folder.size() + 1));
    return names;
}

// A named array's file: the folder, a slash and the name exactly as given.
inline QString inFolder(const QString& name) {
    return folder + u'/' + name;
}

} // namespace programfiles
