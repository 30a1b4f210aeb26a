#include "app/qt_translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installQtRussian(QTranslator& translator) {
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const QString folders[] = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                               QDir(QCoreApplication::applicationDirPath())
                                   .absoluteFilePath(QStringLiteral("translations"))};
    for (const QString& folder : folders) {
        if (translator.load(russian, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
            return QCoreApplication::installTranslator(&translator);
    }
    return false;
}
