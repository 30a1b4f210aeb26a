// Opening the help page: the browser files/iexplore when it exists and can run, otherwise the
// desktop's default browser; the program does not wait for either.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class Platform;

namespace help {

// Where the help page is looked for, in this order: files/help.htm in the program's folder, the
// same in the working folder, then the page an installation keeps in its data folder
// (share/slau/help.htm beside bin/).
QStringList pageCandidates(const QString& installFolder);
// The first of the candidates that exists; the program folder's files/help.htm when none does.
QString pagePath(const QString& installFolder);
// The page the program ships with: the first of the candidates outside the working folder that
// exists, else empty.
QString shippedPage(const QString& installFolder);
// The licence text of an installation (share/doc/slau/copyright beside bin/), or empty when the
// program does not run from one.
QString licencePath(const QString& installFolder);
// False when neither browser could be started; failedLater runs when the desktop's opener
// started but then found no browser.
bool openPage(Platform& platform, const QString& pagePath,
              const std::function<void()>& failedLater = {});

} // namespace help
