// What the fuzz targets share: a scratch folder for the files they read, and the check that a
// text the program shows or stores never holds the C library's names of infinities and NaNs.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// A file in a temporary folder of this process. The working folder is left alone, since the
// fuzzing engine reads its corpus through relative paths.
inline QString scratchPath(const QString& name) {
    static QTemporaryDir* folder = new QTemporaryDir();
    return folder->filePath(name);
}

inline void writeFile(const QString& path, const uint8_t* data, size_t size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
}

// Aborts with a message when the condition does not hold.
inline void require(bool condition, const QString& what) {
    if (condition)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what.toUtf8().constData());
    std::abort();
}

// Aborts when a shown or stored text spells out a value that is not finite.
inline void requireNoNonFiniteText(const QString& text) {
    const QString lower = text.toLower();
    if (lower.contains(QLatin1String("nan")) || lower.contains(QLatin1String("inf")))
        std::abort();
}

} // namespace fuzz
