// Small helpers that build the program's windows from their design sheets: twips geometry, the
// black-and-green look, grey buttons, and the screen form of texts with CR LF line breaks.
#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>
#include <functional>

class QWidget;
class QPushButton;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QAction;
class QPainter;
class QPoint;

namespace ui {

// One logical pixel is 15 twips.
constexpr int px(int twips) {
    return (twips + 7) / 15;
}
QRect twips(int left, int top, int width, int height);

// A rectangle of a design sheet, in twips.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
inline QRect twips(const TwipsRect& rect) {
    return twips(rect.left, rect.top, rect.width, rect.height);
}

inline const QColor green{0, 255, 0};
inline const QColor cyan{0, 255, 255};
inline const QColor grey{128, 128, 128};
inline const QColor black{0, 0, 0};
// Warnings about what the user entered or about an answer.
inline const QColor warningYellow{255, 255, 0};

// One control of a window's design sheet; a sheet names only what differs from these defaults.
// Every field has an initialiser of its own, so that a sheet may leave out any of them.
struct Control {
    const char* name = "";
    TwipsRect rect{};
    QString caption{};
    QString tooltip{};
    bool shown = true;
    bool enabled = true;
};

// The face of a button: the program's grey one, or a black one with green lettering.
enum class ButtonFace { Grey, Dark };

// Places the widget after the sheet: name, rectangle, tooltip, shown and enabled state; its
// accessible name is the caption, else the tooltip.
void place(QWidget* widget, const Control& control);
// A button with the given face; Enter presses it as Space does.
QPushButton* button(QWidget* parent, const Control& control, ButtonFace face = ButtonFace::Grey);
QLabel* label(QWidget* parent, const Control& control, const QColor& colour);
QLineEdit* lineEdit(QWidget* parent, const Control& control);

// The caption with its access key marked: a '&' before the first letter that is the key (in
// either case). The caption's words stay as they are; a key not in the caption marks nothing.
QString withMnemonic(const QString& caption, QChar key);

// A menu of the bar with the name and title of the window's menu sheet, and its access key
// (Alt with the key opens it).
QMenu* menu(QMenuBar* bar, const char* name, const QString& title, QChar key);
// A menu item with the name and caption of the window's menu sheet, and its access key within
// its menu.
QAction* menuItem(QMenu* menu, const char* name, const QString& caption, QChar key);

// Gives every menu of the bar its caption as its accessible name, for when it opens.
void nameMenus(QMenuBar* bar);

// Text colour and background of a widget through its own palette (no cascading style sheet).
void colour(QWidget* widget, const QColor& text, const QColor& background);
// The black window background with green text.
void blackWindow(QWidget* window);
// The black client area of a main window (its central widget), the window itself black too.
QWidget* blackClient(QMainWindow* window);
// The dotted frame in the text colour that shows which of the window's own text areas has the
// focus.
void focusFrame(QPainter& painter, const QWidget* widget);
// Draws the focus frame over a control of Qt's own while it has the focus, after the control
// has painted itself: for the controls whose style shows no focus in the program's colours.
void markFocus(QWidget* control);
// The default dialog font of the program: a sans-serif at 8.25 pt.
void defaultFont(QWidget* widget);
// Qt's own menus and message boxes use the application font. Where the system's sans-serif
// resolves to a fixed-pitch face (only Liberation installed: fontconfig then picks Liberation
// Mono), the application font becomes the windows' narrow sans-serif at the same size; a
// proportional face the desktop chose is kept.
void proportionalApplicationFont();

// Fixes the client area (the central widget in a main window) to the size in twips.
void fixClientSize(QWidget* window, QWidget* client, int widthTwips, int heightTwips);
// Centres the window on the screen it is on.
void centre(QWidget* window);

// The widths free on the other window's screen to its right and to its left, less the gap a
// window placed beside it keeps.
struct RoomBeside {
    int right;
    int left;
};
RoomBeside roomBeside(const QWidget* other);
// The sides of another window that placeBeside tries, in this order.
enum class Sides { Right, RightOrLeft };
// Puts the window beside the other one, their tops level and 8 pixels between their frames: to
// its right when the room there holds the window's whole width, else, with RightOrLeft, to its
// left. False, the window left where it was, when no side tried holds it.
bool placeBeside(QWidget* window, const QWidget* other, Sides sides);
// Moves the window so that its frame lies on its screen; on a screen smaller than the window
// its top left corner, with the title bar, stays on it.
void keepOnScreen(QWidget* window);

// A text box's text with CR LF between its lines, as the program's files keep them; every other
// character (a non-breaking blank too) stays as typed.
QString crlfText(const QPlainTextEdit* box);

// A text with CR LF, LF CR or lone CR as line breaks, in the form a label shows.
QString screenText(const QString& text);

// The context menu of a text the program shows (answer area, matrix label): "Копировать" (enabled
// when there is something to copy), then the window's own commands that go with it.
void copyMenu(QWidget* owner, const QPoint& globalPos, bool canCopy,
              const std::function<void()>& copy, const QList<QAction*>& more);

// The busy cursor while it lives, or until release(): a command that reads a file never leaves
// the window frozen without a sign. Released before a message box, which takes the normal cursor.
class BusyCursor {
  public:
    BusyCursor();
    ~BusyCursor() { release(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    void release();

  private:
    bool active_ = true;
};

} // namespace ui
