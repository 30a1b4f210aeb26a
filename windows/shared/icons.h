// The program's pictures, drawn for it: the window icon of the main window and the editor, the
// about window's picture, and the small icon of the save/load window and the editor's button.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRgb>
#include <QVector>

namespace icons {

QIcon windowIcon();     // 128 x 128: the desktop icon, a matrix in brackets, on black
QPixmap aboutPicture(); // 128 x 128, also the about window's icon
QIcon libraryIcon();    // 32 x 32 and 16 x 16, 16 colours: an arrow into a folder

// The same pictures as images, drawn once and kept; they need no running application.
QImage windowImage();              // 24-bit colour
QImage aboutImage();               // 24-bit colour
QImage libraryImage(int size);     // 32 or 16, indexed over the 16 VGA colours
const QVector<QRgb>& vgaColours(); // the 16 standard VGA colours

} // namespace icons
