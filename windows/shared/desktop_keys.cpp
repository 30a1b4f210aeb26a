#include "windows/shared/desktop_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
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

// Opens the menu of the bar with its first item selected, as its access key does, so that the
// item is read out at once.
void openMenu(QMenuBar* bar, QAction* title) {
    bar->setActiveAction(title);
    QMenu* menu = title->menu();
    if (!menu)
        return;
    for (QAction* item : menu->actions()) {
        if (item->isVisible() && item->isEnabled() && !item->isSeparator()) {
            menu->setActiveAction(item);
            return;
        }
    }
}

QMenuBar* shownMenuBar(QWidget* window) {
    auto* main = qobject_cast<QMainWindow*>(window);
    QMenuBar* bar = main ? main->menuBar() : nullptr;
    return bar && bar->isVisible() ? bar : nullptr;
}

// Opens the first menu of the window's menu bar; false when the window has none.
bool openMenuBar(QWidget* window) {
    QMenuBar* bar = shownMenuBar(window);
    if (!bar)
        return false;
    for (QAction* action : bar->actions()) {
        if (action->isVisible() && action->isEnabled() && !action->isSeparator()) {
            openMenu(bar, action);
            return true;
        }
    }
    return false;
}

// One key of the Russian (ЙЦУКЕН) layout: its X keycode, the key the US layout has there, and
// the Russian letter on it.
struct RussianKey {
    quint32 keycode;
    int latin;
    char16_t letter;
};

constexpr RussianKey russianKeys[] = {
    {24, Qt::Key_Q, u'Й'},           {25, Qt::Key_W, u'Ц'},
    {26, Qt::Key_E, u'У'},           {27, Qt::Key_R, u'К'},
    {28, Qt::Key_T, u'Е'},           {29, Qt::Key_Y, u'Н'},
    {30, Qt::Key_U, u'Г'},           {31, Qt::Key_I, u'Ш'},
    {32, Qt::Key_O, u'Щ'},           {33, Qt::Key_P, u'З'},
    {34, Qt::Key_BracketLeft, u'Х'}, {35, Qt::Key_BracketRight, u'Ъ'},
    {38, Qt::Key_A, u'Ф'},           {39, Qt::Key_S, u'Ы'},
    {40, Qt::Key_D, u'В'},           {41, Qt::Key_F, u'А'},
    {42, Qt::Key_G, u'П'},           {43, Qt::Key_H, u'Р'},
    {44, Qt::Key_J, u'О'},           {45, Qt::Key_K, u'Л'},
    {46, Qt::Key_L, u'Д'},           {47, Qt::Key_Semicolon, u'Ж'},
    {48, Qt::Key_Apostrophe, u'Э'},  {49, Qt::Key_QuoteLeft, u'Ё'},
    {52, Qt::Key_Z, u'Я'},           {53, Qt::Key_X, u'Ч'},
    {54, Qt::Key_C, u'С'},           {55, Qt::Key_V, u'М'},
    {56, Qt::Key_B, u'И'},           {57, Qt::Key_N, u'Т'},
    {58, Qt::Key_M, u'Ь'},           {59, Qt::Key_Comma, u'Б'},
    {60, Qt::Key_Period, u'Ю'},
};

// The Russian letter on the key pressed while a Latin layout is on (a null character for any
// other key, and for every key while the Russian layout is on). Under X the key is known by its
// keycode, whatever Latin layout is on; elsewhere, and for a keycode of no letter key (one a
// program that sends keys has mapped), by the key of the US layout it sends.
QChar russianLetter(const QKeyEvent* key) {
    if (key->key() >= 0x80 || key->key() < 0x20)
        return {};
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        for (const RussianKey& k : russianKeys) {
            if (key->nativeScanCode() == k.keycode)
                return QChar(k.letter);
        }
    }
    for (const RussianKey& k : russianKeys) {
        if (key->key() == k.latin)
            return QChar(k.letter);
    }
    return {};
}

// Alt with the key of a Russian access letter while a Latin layout is on: opens the window's
// menu whose title has that access key, as Alt with the letter itself does. False when no menu
// of the window has it.
bool openMenuByRussianKey(QWidget* window, const QKeyEvent* key) {
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier)
        return false;
    const QChar letter = russianLetter(key);
    QMenuBar* bar = letter.isNull() ? nullptr : shownMenuBar(window);
    if (!bar)
        return false;
    const QKeySequence wanted(QKeyCombination(Qt::AltModifier, Qt::Key(letter.unicode())));
    for (QAction* action : bar->actions()) {
        if (action->isVisible() && action->isEnabled() &&
            QKeySequence::mnemonic(action->text()) == wanted) {
            openMenu(bar, action);
            return true;
        }
    }
    return false;
}

// Alt with the key of a Russian access letter while a Latin layout is on, for a control of the
// window: a label's access key focuses its buddy, a button's clicks it, as Alt with the letter
// itself does. False when no shown control of the window has it.
bool useControlByRussianKey(QWidget* window, const QKeyEvent* key) {
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier)
        return false;
    const QChar letter = russianLetter(key);
    if (letter.isNull())
        return false;
    const QKeySequence wanted(QKeyCombination(Qt::AltModifier, Qt::Key(letter.unicode())));
    auto usable = [window](QWidget* w) { return w->isVisibleTo(window) && w->isEnabled(); };
    for (QLabel* label : window->findChildren<QLabel*>()) {
        QWidget* buddy = label->buddy();
        if (buddy && usable(label) && usable(buddy) &&
            QKeySequence::mnemonic(label->text()) == wanted) {
            buddy->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (usable(button) && QKeySequence::mnemonic(button->text()) == wanted) {
            button->setFocus(Qt::ShortcutFocusReason);
            button->click();
            return true;
        }
    }
    return false;
}

// In an open menu, a key of a Russian access letter pressed while a Latin layout is on goes to
// the menu as the letter it carries in the Russian layout, so that it chooses that item.
bool passRussianLetter(QMenu* menu, const QKeyEvent* key) {
    if ((key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) != Qt::NoModifier)
        return false;
    const QChar letter = russianLetter(key);
    if (letter.isNull())
        return false;
    QKeyEvent russian(QEvent::KeyPress, Qt::Key(letter.unicode()), key->modifiers(),
                      QString(letter.toLower()));
    QApplication::sendEvent(menu, &russian);
    return true;
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
    // An open menu keeps its own keys, those of the Russian letters in any layout.
    if (QWidget* popup = QApplication::activePopupWidget()) {
        auto* menu = qobject_cast<QMenu*>(popup);
        return menu && watched == menu && passRussianLetter(menu, key);
    }
    auto* target = static_cast<QWidget*>(watched);
    if (isMenuBarKey(key))
        return openMenuBar(target->window());
    if (openMenuByRussianKey(target->window(), key) ||
        useControlByRussianKey(target->window(), key))
        return true;
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
