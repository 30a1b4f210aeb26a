#include "windows/main/answer_area.h"

#include "windows/shared/ui_kit.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace {

// What assistive technology sees of the area: a read-only text whose value is what is printed,
// one line per print.
class AccessibleAnswerArea : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit AccessibleAnswerArea(AnswerArea* area)
        : QAccessibleWidget(area, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return all();
        return QAccessibleWidget::text(t);
    }

    // The text interface, read-only, without a caret or selections.
    QString text(int startOffset, int endOffset) const override {
        return all().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(all().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        return QString();
    }

  private:
    QString all() const { return static_cast<AnswerArea*>(widget())->printedLines().join(u'\n'); }
};

QAccessibleInterface* answerAreaFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("AnswerArea") && object && object->isWidgetType())
        return new AccessibleAnswerArea(static_cast<AnswerArea*>(object));
    return nullptr;
}

} // namespace

AnswerArea::AnswerArea(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(answerAreaFactory);
        return true;
    }();
    (void)factoryInstalled;
    // Tab reaches it, so that its text can be copied from the keyboard.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void AnswerArea::textChanged() {
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, lines_.join(u'\n'));
        QAccessible::updateAccessibility(&event);
    }
}

void AnswerArea::cls() {
    lines_.clear();
    offset_ = 0;
    textChanged();
}

void AnswerArea::print(const QString& text) {
    lines_.append(text);
    textChanged();
}

QStringList AnswerArea::visibleLines() const {
    const int lineHeight = fontMetrics().height();
    const int count = lineHeight > 0 ? (height() + lineHeight - 1) / lineHeight : 0;
    return lines_.mid(0, count);
}

void AnswerArea::copyToClipboard() const {
    QGuiApplication::clipboard()->setText(lines_.join(u'\n'));
}

int AnswerArea::arrowWidth() const {
    return fontMetrics().horizontalAdvance(QStringLiteral("\u25C2")) + 2;
}

int AnswerArea::scrollRange() const {
    const QFontMetrics metrics = fontMetrics();
    int widest = 0;
    for (const QString& line : lines_)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int room = width() - 2 * frameGap;
    if (widest <= room)
        return 0;
    // Scrolled to the end, the last character stands clear of the left arrow's side.
    return widest - room + arrowWidth();
}

QRect AnswerArea::textViewport() const {
    QRect r = rect().adjusted(frameGap, 0, -frameGap, 0);
    if (offset_ > 0)
        r.setLeft(arrowWidth());
    if (offset_ < scrollRange())
        r.setRight(width() - arrowWidth() - 1);
    return r;
}

void AnswerArea::scrollTo(int offset) {
    offset = std::clamp(offset, 0, scrollRange());
    if (offset == offset_)
        return;
    offset_ = offset;
    update();
}

void AnswerArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor background = palette().color(QPalette::Window);
    painter.fillRect(rect(), background);
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics = fontMetrics();
    int y = metrics.ascent();
    for (const QString& line : lines_) {
        if (y - metrics.ascent() >= height())
            break;
        painter.drawText(lineStart(), y, line);
        y += metrics.height();
    }
    // An arrow on the side where the line goes on beyond the area (only there: the blank before
    // the focus frame is no room for one).
    const QRect view = textViewport();
    if (offset_ > 0) {
        painter.fillRect(QRect(0, 0, view.left(), height()), background);
        painter.drawText(QRect(0, 0, view.left(), height()), Qt::AlignCenter,
                         QStringLiteral("\u25C2"));
    }
    if (offset_ < scrollRange()) {
        const QRect mark(view.right() + 1, 0, width() - view.right() - 1, height());
        painter.fillRect(mark, background);
        painter.drawText(mark, Qt::AlignCenter, QStringLiteral("\u25B8"));
    }
    if (hasFocus())
        ui::focusFrame(painter, this);
}

void AnswerArea::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    const int steps = (delta.x() != 0 ? delta.x() : delta.y()) / 120;
    if (scrollRange() == 0 || steps == 0) {
        QWidget::wheelEvent(event);
        return;
    }
    scrollTo(offset_ - steps * fontMetrics().averageCharWidth() * 6);
    event->accept();
}

void AnswerArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scrollTo(offset_);
}

void AnswerArea::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
        event->accept();
        return;
    }
    if (scrollRange() > 0) {
        const int step = fontMetrics().averageCharWidth() * 4;
        switch (event->key()) {
        case Qt::Key_Left:
            scrollTo(offset_ - step);
            event->accept();
            return;
        case Qt::Key_Right:
            scrollTo(offset_ + step);
            event->accept();
            return;
        case Qt::Key_Home:
            scrollTo(0);
            event->accept();
            return;
        case Qt::Key_End:
            scrollTo(scrollRange());
            event->accept();
            return;
        default:
            break;
        }
    }
    QWidget::keyPressEvent(event);
}

void AnswerArea::contextMenuEvent(QContextMenuEvent* event) {
    ui::copyMenu(
        this, event->globalPos(), !lines_.isEmpty(), [this] { copyToClipboard(); }, menuActions_);
}
