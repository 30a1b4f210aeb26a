#include "windows/main/steps_window.h"

#include "core/steps_text.h"
#include "windows/ui_kit.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextOption>
#include <QVBoxLayout>

StepsWindow::StepsWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("StepsWindow"));
    setWindowTitle(QStringLiteral("Решение по шагам"));
    ui::blackWindow(this);
    text1 = new QPlainTextEdit(this);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setAccessibleName(QStringLiteral("Решение по шагам"));
    text1->setReadOnly(true);
    text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Matrices are columns of numbers: a fixed-pitch face keeps them aligned; long lines scroll.
    text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(10);
    text1->setFont(mono);
    ui::colour(text1, ui::green, ui::black);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text1);
    resize(ui::px(9600), ui::px(7200));
}

void StepsWindow::setText(const QString& text) {
    text1->setPlainText(text);
    // Warnings stand out in yellow.
    QTextCharFormat warning;
    warning.setForeground(QColor(255, 255, 0));
    warning.setFontWeight(QFont::Bold);
    for (QTextBlock block = text1->document()->begin(); block.isValid(); block = block.next()) {
        if (!steps::isWarning(block.text()))
            continue;
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.setCharFormat(warning);
    }
}

QString StepsWindow::text() const {
    return text1->toPlainText();
}

void StepsWindow::showEvent(QShowEvent* event) {
    if (!shownOnce_) {
        shownOnce_ = true;
        placeBesideOwner();
    }
    QWidget::showEvent(event);
}

void StepsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void StepsWindow::placeBesideOwner() {
    QWidget* owner = parentWidget();
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!owner || !screen) {
        ui::centre(this);
        return;
    }
    // Right of the main window if there is room, else left of it, else as far right as fits;
    // the top edges level.
    const QRect area = screen->availableGeometry();
    const QRect main = owner->frameGeometry();
    const QSize frame = frameGeometry().size().expandedTo(size());
    constexpr int gap = 8;
    int x = main.right() + 1 + gap;
    if (x + frame.width() > area.right() + 1) {
        x = main.left() - gap - frame.width();
        if (x < area.left())
            x = std::max(area.left(), area.right() + 1 - frame.width());
    }
    const int y = std::clamp(main.top(), area.top(),
                             std::max(area.top(), area.bottom() + 1 - frame.height()));
    move(x, y);
}
