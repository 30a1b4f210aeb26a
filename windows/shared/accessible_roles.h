// What assistive technology is told about the program's windows and menus beyond what Qt tells
// by itself: a top-level window that is a plain widget is a window (a tool window a dialog), not
// a filler, and a menu item with a check mark is a check box with its state, since the
// screen reader's bridge has no role of a checkable menu item.
#pragma once

namespace accessibleRoles {

// Installs the interfaces once for the whole run; later calls do nothing.
void install();

} // namespace accessibleRoles
