// Writes the program's pictures as PNG files for the desktop: the window icon at the sizes of
// the icon theme, and the about and save/load pictures. Used when the program is built.
#include "windows/extras/icons.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: slau_icons OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    bool ok = true;
    for (const int size : {16, 32, 48, 64, 128}) {
        const QImage image = size == 128
                                 ? icons::windowImage()
                                 : icons::windowImage().scaled(size, size, Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation);
        ok = image.save(out.filePath(QStringLiteral("slau-%1.png").arg(size))) && ok;
    }
    ok = icons::aboutImage().save(out.filePath(QStringLiteral("slau-about.png"))) && ok;
    ok = icons::libraryImage(32).save(out.filePath(QStringLiteral("slau-library-32.png"))) && ok;
    ok = icons::libraryImage(16).save(out.filePath(QStringLiteral("slau-library-16.png"))) && ok;
    return ok ? 0 : 1;
}
