#include "windows/shared/desktop_keys.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

namespace {

// Set while a context menu event made here is delivered, so that it is not taken for one of the
// platform's own.
bool opening = false;

bool isContextMenuKey(const QKeyEvent* key) {
    const auto mods = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Menu && mods == Qt::NoModifier) ||
           (key->key() == Qt::Key_F10 && mods == Qt::ShiftModifier);
}

bool isMenuBarKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_F10 && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Opens the first menu of the window's menu bar; false when the window has none.
bool openMenuBar(QWidget* window) {
    auto* main = qobject_cast<QMainWindow*>(window);
    QMenuBar* bar = main ? main->menuBar() : nullptr;
    if (!bar || !bar->isVisible())
        return false;
    for (QAction* action : bar->actions()) {
        if (action->isVisible() && action->isEnabled() && !action->isSeparator()) {
            bar->setActiveAction(action);
            return true;
        }
    }
    return false;
}

} // namespace

DesktopKeys::DesktopKeys(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

void DesktopKeys::openContextMenu(QWidget* control) {
    // At the text cursor when the control has one within it, otherwise at its middle.
    const QRect cursor = control->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    QPoint at = cursor.center();
    if (!cursor.isValid() || !control->rect().contains(at))
        at = control->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, at, control->mapToGlobal(at),
                            QGuiApplication::keyboardModifiers());
    opening = true;
    QApplication::sendEvent(control, &event);
    opening = false;
}

bool DesktopKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu) {
        // The platform's own menu-key event (sent before the key itself, and placed at the mouse
        // on some desktops) is left out: the key, below, opens the menu at the control.
        const auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        return menuEvent->reason() == QContextMenuEvent::Keyboard && !opening;
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // An open menu keeps its own keys.
    if (QApplication::activePopupWidget())
        return false;
    auto* target = static_cast<QWidget*>(watched);
    if (isMenuBarKey(key))
        return openMenuBar(target->window());
    if (isContextMenuKey(key)) {
        // The focus of the window the key came to.
        QWidget* control = target->window()->focusWidget();
        if (!control)
            control = target;
        openContextMenu(control);
        return true;
    }
    return false;
}
