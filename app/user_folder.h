// The per-user data folder of the installed program (QStandardPaths::AppDataLocation): its folder
// files is made on first use, with the help page put there when it is missing.
#pragma once

#include <QString>

struct UserFolderResult {
    // The working folder to use: the data folder, or empty when it could not be made.
    QString folder;
    // A Russian text for the "Ошибка" message box; empty when all went well.
    QString problem;
};

// Makes folder/files when missing and places files/help.htm as a link to (or, where links are not
// files, a copy of) helpSource when no file or link of that name is there. A user's own file is
// never replaced.
UserFolderResult prepareUserFolder(const QString& folder, const QString& helpSource);

// The per-user data folder of this program.
QString userDataFolder();
