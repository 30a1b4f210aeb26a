#include "windows/shared/help.h"

#include "core/program_files.h"
#include "support/build_info.h"
#include "windows/shared/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

QStringList help::pageCandidates(const QString& installFolder) {
    const QDir program(installFolder);
    return {
        program.absoluteFilePath(programfiles::helpPage),
        QDir::current().absoluteFilePath(programfiles::helpPage),
        QDir::cleanPath(program.absoluteFilePath(QStringLiteral(SLAU_DATA_FROM_BIN "/help.htm")))};
}

QString help::pagePath(const QString& installFolder) {
    const QStringList candidates = pageCandidates(installFolder);
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return candidates.front();
}

QString help::shippedPage(const QString& installFolder) {
    const QStringList candidates = pageCandidates(installFolder);
    for (const QString& path : {candidates.front(), candidates.back()}) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QString help::licencePath(const QString& installFolder) {
    const QString path = QDir::cleanPath(
        QDir(installFolder).absoluteFilePath(QStringLiteral(SLAU_DOC_FROM_BIN "/copyright")));
    return QFileInfo(path).isFile() ? path : QString();
}

bool help::openPage(Platform& platform, const QString& pagePath,
                    const std::function<void()>& failedLater) {
    const QString page = QFileInfo(pagePath).absoluteFilePath();
    const QFileInfo browser(QDir::current().absoluteFilePath(programfiles::browser));
    if (browser.isFile() && browser.isExecutable() &&
        platform.startDetached(browser.absoluteFilePath(), {page}))
        return true;
    return platform.openUrl(QUrl::fromLocalFile(page), failedLater);
}
