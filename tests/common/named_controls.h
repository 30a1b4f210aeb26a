// Finding a window's controls and menu items by their object names, as the design sheets name
// them.
#pragma once

#include <QAction>
#include <QList>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <QtGlobal>

// The window's control or menu item of the kind and name; the test stops when the window has not
// exactly one.
template <class T> T* named(const QObject* window, const char* name) {
    const QList<T*> found = window->findChildren<T*>(QString::fromLatin1(name));
    if (found.size() != 1)
        qFatal("%lld controls named %s", static_cast<long long>(found.size()), name);
    return found.front();
}
template <class T> T* named(const QObject& window, const char* name) {
    return named<T>(&window, name);
}
inline QPushButton* button(const QObject& window, const char* name) {
    return named<QPushButton>(window, name);
}
inline QPushButton* button(const QObject* window, const char* name) {
    return named<QPushButton>(window, name);
}
inline QAction* action(const QObject& window, const char* name) {
    return named<QAction>(window, name);
}
inline QAction* action(const QObject* window, const char* name) {
    return named<QAction>(window, name);
}
