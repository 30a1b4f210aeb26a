#include "windows/editor/entry_edit.h"

#include "core/entry_text.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <algorithm>
#include <limits>

namespace {

// The standard menu's paste item: named so from Qt 6.5 on; before that it is known by the
// shortcut its caption shows, whatever language the caption is in.
bool isPasteAction(const QAction* action) {
    if (action->objectName() == QLatin1String("edit-paste"))
        return true;
    const QString shortcut =
        u'\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    return action->text().endsWith(shortcut);
}

} // namespace

EntryEdit::EntryEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(std::numeric_limits<int>::max());
    widenBlanks();
    // Connected first, so that the places are right before the editor reads the notes.
    connect(this, &QLineEdit::textChanged, this, &EntryEdit::followText);
}

void EntryEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    // Whatever font the window gives the box, its blanks stay wide.
    if (event->type() == QEvent::FontChange)
        widenBlanks();
}

void EntryEdit::widenBlanks() {
    QFont widened = font();
    widened.setWordSpacing(0);
    const QFontMetricsF metrics(widened);
    const qreal spacing =
        std::max(0.0, metrics.horizontalAdvance(u'0') - metrics.horizontalAdvance(u' '));
    // Setting the font again changes it no more, and ends the font changes it starts.
    if (qFuzzyCompare(1.0 + font().wordSpacing(), 1.0 + spacing))
        return;
    widened.setWordSpacing(spacing);
    setFont(widened);
}

void EntryEdit::followText(const QString& now) {
    emptyCells_ = entry::keptEmptyCells(lastText_, now, emptyCells_);
    emptyCells_.append(pastedCells_);
    pastedCells_.clear();
    lastText_ = now;
}

void EntryEdit::pasteNormalized(QClipboard::Mode mode) {
    if (isReadOnly())
        return;
    insertPasted(QGuiApplication::clipboard()->text(mode));
}

void EntryEdit::insertPasted(const QString& text) {
    if (hasSelectedText())
        del();
    const QString now = this->text();
    const qsizetype at = cursorPosition();
    const entry::Paste pasted =
        entry::pasteAt(text, QStringView(now).left(at), QStringView(now).mid(at));
    if (pasted.text.isEmpty())
        return;
    for (const qsizetype cell : pasted.emptyCells)
        pastedCells_.append(at + cell);
    insert(pasted.text);
}

void EntryEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteNormalized();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EntryEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        if (isPasteAction(action)) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, [this] { pasteNormalized(); });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void EntryEdit::dropEvent(QDropEvent* event) {
    if (event->mimeData()->hasText() && !isReadOnly()) {
        insertPasted(event->mimeData()->text());
        event->acceptProposedAction();
        return;
    }
    QLineEdit::dropEvent(event);
}

void EntryEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the primary selection where the desktop keeps one.
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        pasteNormalized(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}
