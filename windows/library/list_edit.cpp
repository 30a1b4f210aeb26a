#include "windows/library/list_edit.h"

#include "core/array_library.h"
#include "windows/shared/ui_kit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

ListEdit::ListEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    // Its frame, black on black, shows no focus of its own; the text cursor alone blinks.
    ui::markFocus(this);
}

void ListEdit::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText()) {
        if (const auto problem = library::listTextProblem(source->text())) {
            emit refused(*problem);
            return;
        }
    }
    QPlainTextEdit::insertFromMimeData(source);
}

void ListEdit::keyPressEvent(QKeyEvent* event) {
    // Tab with Ctrl (plain Tab never gets here) moves the focus too, never writes a tab.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        focusNextPrevChild(event->key() == Qt::Key_Tab &&
                           !(event->modifiers() & Qt::ShiftModifier));
        event->accept();
        return;
    }
    // Editing keys carry control codes of their own (Backspace, Delete, Escape, Enter) and
    // shortcuts come with Ctrl: anything else that would type a control character is refused.
    const bool editingKey = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
                            event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
                            event->key() == Qt::Key_Enter;
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!editingKey && !shortcut && !event->text().isEmpty()) {
        if (const auto problem = library::listTextProblem(event->text())) {
            emit refused(*problem);
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ListEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (const auto problem = library::listTextProblem(event->commitString())) {
        emit refused(*problem);
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}
