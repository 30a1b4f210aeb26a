// The program's pictures, drawn for it: the window icon of the main window and the editor, the
// about window's picture, and the small icon of the save/load window and the editor's button.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace icons {

QIcon windowIcon();      // 128 x 128: a matrix in brackets
QPixmap aboutPicture();  // 128 x 128, also the about window's icon
QIcon libraryIcon();     // 32 x 32 and 16 x 16, 16 colours: an arrow into a folder

} // namespace icons
