// Opening the help page: the browser files/iexplore when it exists and can run, otherwise the
// desktop's default browser; the program does not wait for either.
#pragma once

#include <QString>

class Platform;

namespace help {

// The help page of an installation: files/help.htm in its folder.
QString pagePath(const QString& installFolder);
// False when neither browser could be started.
bool openPage(Platform& platform, const QString& pagePath);

} // namespace help
