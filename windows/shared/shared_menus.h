// The menus "Анимация" and "Помощь" that the main window and the editor share: the same items,
// the same actions, only the names of the menu, the help item and the separator differ.
#pragma once

class QAction;
class QMenuBar;

struct SharedMenus {
    QAction* graph = nullptr;
    QAction* stoper = nullptr;
    QAction* what = nullptr;
    QAction* report = nullptr; // "Подробный отчет"
    QAction* about = nullptr;
};

struct SharedMenuNames {
    const char* animation; // "animat" in the main window, "animation" in the editor
    const char* what;      // "what", "what2"
    const char* separator; // "h", "fgg"
};

// Adds both menus to the window's menu bar. The window passes "Справка" and "О программе" on
// to the program; "Подробный отчет" does nothing. The animation items are connected by the
// window's animation.
SharedMenus addSharedMenus(QMenuBar* bar, const SharedMenuNames& names);
