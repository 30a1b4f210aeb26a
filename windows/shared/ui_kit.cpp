#include "windows/shared/ui_kit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QWidget>

namespace ui {

QRect twips(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

void place(QWidget* widget, const Control& control) {
    widget->setObjectName(QString::fromLatin1(control.name));
    widget->setGeometry(twips(control.rect));
    if (!control.tooltip.isEmpty())
        widget->setToolTip(control.tooltip);
    // What assistive technology reads out: the caption, else the tooltip.
    widget->setAccessibleName(control.caption.isEmpty() ? control.tooltip : control.caption);
    widget->setAccessibleDescription(control.tooltip);
    widget->setEnabled(control.enabled);
    widget->setVisible(control.shown);
}

QString withMnemonic(const QString& caption, QChar key) {
    QString marked = caption;
    for (qsizetype i = 0; i < marked.size(); ++i) {
        if (marked[i].toLower() == key.toLower()) {
            marked.insert(i, u'&');
            break;
        }
    }
    return marked;
}

QMenu* menu(QMenuBar* bar, const char* name, const QString& title, QChar key) {
    QMenu* m = bar->addMenu(withMnemonic(title, key));
    m->setObjectName(QString::fromLatin1(name));
    return m;
}

QAction* menuItem(QMenu* menu, const char* name, const QString& caption, QChar key) {
    QAction* action = menu->addAction(withMnemonic(caption, key));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void colour(QWidget* widget, const QColor& text, const QColor& background) {
    QPalette p = widget->palette();
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, text);
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        p.setColor(role, background);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

QPushButton* button(QWidget* parent, const Control& control, ButtonFace face) {
    auto* b = new QPushButton(control.caption, parent);
    place(b, control);
    defaultFont(b);
    // A flat face in the program's colour; the object-name selector keeps it to this button.
    const bool dark = face == ButtonFace::Dark;
    const QString background = dark ? QStringLiteral("black") : QStringLiteral("rgb(128,128,128)");
    const QString text = dark ? QStringLiteral("rgb(0,255,0)") : QStringLiteral("black");
    b->setStyleSheet(QStringLiteral("QPushButton#%1 { background-color: %2; color: %3;"
                                    " border: 1px solid rgb(200,200,200); padding: 0px; }"
                                    // The focused button is framed by a dotted line in its text
                                    // colour, like the framed texts of the main window; the frame
                                    // keeps the border's width, so the caption does not move.
                                    "QPushButton#%1:focus { border: 1px dotted %3; }"
                                    "QPushButton#%1:pressed { border-style: inset;"
                                    " background-color: rgb(100,100,100); }"
                                    "QPushButton#%1:disabled { color: rgb(70,70,70); }")
                         .arg(b->objectName(), background, text));
    b->setFocusPolicy(Qt::StrongFocus);
    // Outside a dialog a push button takes only Space; Enter and the keypad's Enter press it too.
    b->setAutoDefault(true);
    return b;
}

QLabel* label(QWidget* parent, const Control& control, const QColor& textColour) {
    auto* l = new QLabel(control.caption, parent);
    place(l, control);
    defaultFont(l);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, textColour);
    l->setPalette(p);
    l->setAutoFillBackground(false);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QLineEdit* lineEdit(QWidget* parent, const Control& control) {
    auto* e = new QLineEdit(control.caption, parent);
    place(e, control);
    // A text box's sheet text is its value, not its name.
    if (!control.tooltip.isEmpty())
        e->setAccessibleName(control.tooltip);
    defaultFont(e);
    colour(e, green, black);
    e->setFrame(true);
    e->setTextMargins(0, 0, 0, 0);
    return e;
}

void nameMenus(QMenuBar* bar) {
    for (QMenu* menu : bar->findChildren<QMenu*>())
        menu->setAccessibleName(menu->title().remove(u'&'));
}

void blackWindow(QWidget* window) {
    colour(window, green, black);
    defaultFont(window);
}

QWidget* blackClient(QMainWindow* window) {
    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    window->setCentralWidget(client);
    blackWindow(window);
    blackWindow(client);
    return client;
}

void focusFrame(QPainter& painter, const QWidget* widget) {
    QPen pen(widget->palette().color(QPalette::WindowText));
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(widget->rect().adjusted(0, 0, -1, -1));
}

namespace {

class FocusMark : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* control = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            control->update();
        if (event->type() != QEvent::Paint)
            return false;
        // The control paints itself first (its own handler, not this filter again).
        watched->event(event);
        if (control->hasFocus()) {
            QPainter painter(control);
            focusFrame(painter, control);
        }
        return true;
    }
};

} // namespace

void markFocus(QWidget* control) {
    control->installEventFilter(new FocusMark(control));
}

void defaultFont(QWidget* widget) {
    // A narrow sans-serif where one is installed, so that the captions fit as designed.
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(8.25);
    widget->setFont(f);
}

void proportionalApplicationFont() {
    QFont f = QApplication::font();
    if (!QFontInfo(f).fixedPitch())
        return;
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                   QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    QApplication::setFont(f);
}

void fixClientSize(QWidget* window, QWidget* client, int widthTwips, int heightTwips) {
    client->setFixedSize(px(widthTwips), px(heightTwips));
    if (window->layout())
        window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    window->adjustSize();
    window->setFixedSize(window->sizeHint());
}

void centre(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

namespace {

constexpr int besideGap = 8;

QRect screenArea(const QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The window's frame; before the window manager has framed it, its own geometry.
QSize outerSize(const QWidget* window) {
    return window->frameGeometry().size().expandedTo(window->size());
}

} // namespace

RoomBeside roomBeside(const QWidget* other) {
    const QRect area = screenArea(other);
    const QRect frame = other->frameGeometry();
    return {area.right() - frame.right() - besideGap, frame.left() - area.left() - besideGap};
}

bool placeBeside(QWidget* window, const QWidget* other, Sides sides) {
    const RoomBeside room = roomBeside(other);
    const QRect frame = other->frameGeometry();
    const int outer = outerSize(window).width();
    if (outer <= room.right)
        window->move(frame.right() + 1 + besideGap, frame.top());
    else if (sides == Sides::RightOrLeft && outer <= room.left)
        window->move(frame.left() - besideGap - outer, frame.top());
    else
        return false;
    return true;
}

void keepOnScreen(QWidget* window) {
    const QRect area = screenArea(window);
    if (area.isEmpty())
        return;
    const QSize outer = outerSize(window);
    const QPoint at = window->frameGeometry().topLeft();
    window->move(std::max(area.left(), std::min(at.x(), area.right() + 1 - outer.width())),
                 std::max(area.top(), std::min(at.y(), area.bottom() + 1 - outer.height())));
}

QString crlfText(const QPlainTextEdit* box) {
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text;
}

QString screenText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

void copyMenu(QWidget* owner, const QPoint& globalPos, bool canCopy,
              const std::function<void()>& copy, const QList<QAction*>& more) {
    QMenu menu(owner);
    QAction* copyAction = menu.addAction(QCoreApplication::translate("shared", "Копировать"));
    copyAction->setEnabled(canCopy);
    QObject::connect(copyAction, &QAction::triggered, owner, copy);
    menu.addActions(more);
    menu.exec(globalPos);
}

BusyCursor::BusyCursor() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void BusyCursor::release() {
    if (active_)
        QGuiApplication::restoreOverrideCursor();
    active_ = false;
}

} // namespace ui
