#include "windows/extras/help.h"

#include "windows/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

// The browser placed beside the program's files, in the working folder.
const QString browserPath = QStringLiteral("files/iexplore");

} // namespace

QString help::pagePath(const QString& installFolder) {
    return QDir(installFolder).absoluteFilePath(QStringLiteral("files/help.htm"));
}

bool help::openPage(Platform& platform, const QString& pagePath) {
    const QString page = QFileInfo(pagePath).absoluteFilePath();
    const QFileInfo browser(QDir::current().absoluteFilePath(browserPath));
    if (browser.isFile() && browser.isExecutable() &&
        platform.startDetached(browser.absoluteFilePath(), {page}))
        return true;
    return platform.openUrl(QUrl::fromLocalFile(page));
}
