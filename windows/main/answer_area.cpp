#include "windows/main/answer_area.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

AnswerArea::AnswerArea(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void AnswerArea::cls() {
    lines_.clear();
    update();
}

void AnswerArea::print(const QString& text) {
    lines_.append(text);
    update();
}

QStringList AnswerArea::visibleLines() const {
    const int lineHeight = fontMetrics().height();
    const int count = lineHeight > 0 ? (height() + lineHeight - 1) / lineHeight : 0;
    return lines_.mid(0, count);
}

void AnswerArea::copyToClipboard() const {
    QGuiApplication::clipboard()->setText(lines_.join(u'\n'));
}

void AnswerArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics = fontMetrics();
    int y = metrics.ascent();
    for (const QString& line : lines_) {
        if (y - metrics.ascent() >= height())
            break;
        painter.drawText(0, y, line);
        y += metrics.height();
    }
}

void AnswerArea::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void AnswerArea::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("Копировать"));
    copy->setEnabled(!lines_.isEmpty());
    connect(copy, &QAction::triggered, this, &AnswerArea::copyToClipboard);
    menu.addActions(menuActions_);
    menu.exec(event->globalPos());
}
