// What a user sees of the way a window lays out its controls, as relations rather than the
// sheets' coordinates: every control shown lies inside the client area, no two of them overlap,
// and every caption fits its control.
#pragma once

#include "windows/extras/line_scene.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

// The width a one-line caption has for its text: a button's inside its bevel, a check box's
// beside its indicator, a label's inside its margins; -1 for a control without a caption.
inline int captionRoom(const QWidget* control) {
    QStyleOptionButton option;
    option.initFrom(control);
    if (qobject_cast<const QCheckBox*>(control))
        return control->style()
            ->subElementRect(QStyle::SE_CheckBoxContents, &option, control)
            .width();
    if (qobject_cast<const QPushButton*>(control))
        return control->style()
            ->subElementRect(QStyle::SE_PushButtonContents, &option, control)
            .width();
    const auto* label = qobject_cast<const QLabel*>(control);
    if (label && !label->wordWrap() && !label->text().contains(u'\n'))
        return label->contentsRect().width() - 2 * label->margin();
    return -1;
}

inline QString captionOf(const QWidget* control) {
    if (const auto* b = qobject_cast<const QAbstractButton*>(control))
        return b->text();
    return qobject_cast<const QLabel*>(control)->text();
}

// The first fault of the controls shown in the client area, or an empty text. The line scene,
// drawn beneath all of them over the whole client area, is not a control; `over` names the
// controls meant to lie over those beneath them (the main window's entry box on its button).
inline QString layoutFault(const QWidget* client, const QStringList& over = {}) {
    QList<const QWidget*> shown;
    for (const QWidget* w : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isVisibleTo(client) && !w->isWindow() && !qobject_cast<const LineScene*>(w))
            shown.append(w);
    }
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QWidget* w = shown[i];
        if (!client->rect().contains(w->geometry()))
            return w->objectName() + QStringLiteral(" is not inside the client area");
        // The sheets let neighbours share a border pixel; a later control lies above an
        // earlier one.
        for (qsizetype j = 0; j < i; ++j) {
            const QRect both = w->geometry() & shown[j]->geometry();
            if (qMin(both.width(), both.height()) > 1 && !over.contains(w->objectName()))
                return w->objectName() + QStringLiteral(" overlaps ") + shown[j]->objectName();
        }
        const int room = captionRoom(w);
        if (room >= 0 && w->fontMetrics().size(Qt::TextShowMnemonic, captionOf(w)).width() > room)
            return QStringLiteral("the caption of ") + w->objectName() +
                   QStringLiteral(" does not fit");
    }
    return {};
}

// Whether the window keeps the size it opened at: it cannot be made larger or smaller.
inline bool keepsItsSize(const QWidget* window) {
    return window->minimumSize() == window->maximumSize() &&
           window->size() == window->minimumSize();
}

// Whether the window opened at the least size it can be given and can be made larger.
inline bool opensAtLeastAndGrows(const QWidget* window) {
    return window->size() == window->minimumSize() &&
           window->maximumWidth() > window->minimumWidth() &&
           window->maximumHeight() > window->minimumHeight();
}
