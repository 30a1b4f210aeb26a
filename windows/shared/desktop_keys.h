// The desktop's keyboard conventions for every window of the program: F10 opens the first menu
// of the window's menu bar with its first item selected; Alt with a menu's Russian access key
// opens it whatever keyboard layout is on (with a Latin one, Alt with the key that carries the
// letter in the Russian layout), and so do the keys of the items' letters in an open menu; and
// Shift+F10 or the Menu key opens the context menu of the focused control at the control (at its
// text cursor where it has one), wherever the mouse is.
#pragma once

#include <QObject>

class QWidget;

class DesktopKeys : public QObject {
    Q_OBJECT
  public:
    // Watches the key events of the whole application while it exists.
    explicit DesktopKeys(QObject* parent = nullptr);

    // Opens the context menu of the control as the context-menu keys do.
    static void openContextMenu(QWidget* control);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
