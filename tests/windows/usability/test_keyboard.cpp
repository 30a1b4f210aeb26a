// The program from the keyboard: every window's Tab and Shift+Tab chains against the design
// sheets' tab orders, the editor's order scroll bar under keys and the wheel, the main window's
// entry box under Enter and Space, the list editor, which never takes a tab or another
// control character, and the desktop's conventions: F10 and the access keys of the menus, Enter
// on buttons, the context-menu keys, the focus after a panel opens or closes, and Esc.
#include "program_windows.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QWheelEvent>

namespace {

// The name of the design-sheet control that has the focus (a combo box's own line edit counts as
// the combo box).
QString focusName() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        const QString name = w->objectName();
        if (!name.isEmpty() && name != u"client" && !name.startsWith(u"qt_"))
            return name;
    }
    return QStringLiteral("<none>");
}

// Presses Tab (or Shift+Tab) as often as the chain is long, from its first control, and returns
// the controls visited, the first one again at the end.
QStringList walk(QWidget* window, QWidget* first, int length, bool backwards) {
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return {QStringLiteral("<window not active>")};
    first->setFocus(Qt::TabFocusReason);
    QStringList visited{focusName()};
    for (int i = 0; i < length; ++i) {
        QTest::keyClick(QApplication::focusWidget(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        visited.append(focusName());
    }
    return visited;
}

// The expected visit: the chain once round, back to its start.
QStringList round(QStringList chain, bool backwards) {
    if (backwards)
        std::reverse(chain.begin() + 1, chain.end());
    chain.append(chain.front());
    return chain;
}

// Makes the window active (shortcuts and access keys work in the active window only) and gives
// the control the focus.
bool focusIn(QWidget* control) {
    QWidget* window = control->window();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return false;
    control->setFocus(Qt::TabFocusReason);
    return control->hasFocus();
}

// Presses the keys on the focused widget, one after another; a Cyrillic letter goes with the
// letter it types, as the keyboard layout sends it.
void press(const QKeySequence& keys) {
    for (int i = 0; i < keys.count(); ++i) {
        const Qt::Key key = keys[i].key();
        const QString text =
            key >= 0x400 && key < 0x500 ? QString(QChar(key).toLower()) : QString();
        if (text.isEmpty())
            QTest::keyClick(QApplication::focusWidget(), key, keys[i].keyboardModifiers());
        else
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), key, text,
                                keys[i].keyboardModifiers());
    }
}

// Presses the keys and returns the popup menu they opened, its object name ("-" for none) and
// its place on the screen, then closes it; the item selected in it, when asked for. A menu that
// runs its own event loop is seen from within it.
std::pair<QString, QRect> popupAfter(const QKeySequence& keys, QAction** selected = nullptr) {
    std::pair<QString, QRect> popup{QStringLiteral("-"), {}};
    QObject guard;
    auto look = [&popup, selected] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            popup = {menu->objectName(), menu->geometry()};
            if (selected)
                *selected = menu->activeAction();
            menu->close();
        }
    };
    QTimer::singleShot(50, &guard, look);
    press(keys);
    for (int i = 0; i < 20 && popup.second.isNull(); ++i)
        QTest::qWait(20);
    look();
    return popup;
}

QString lastMessage(const ScriptedPlatform& platform) {
    return platform.messages.isEmpty() ? QString() : platform.messages.last().text;
}

const QString controlRefusal =
    QStringLiteral("Текст не вставлен в список: в имени массива есть управляющий знак.");

// A save/load window with its list editor shown, over files/SaveList holding "a".
Form3& openListEditor(ProgramFixture& f) {
    writeBytes(QStringLiteral("files/SaveList"), "a\r\n");
    f.click(button(f.main(), "Command1"));
    f.editor().command3Click();
    Form3& form = *f.program->form3IfExists();
    f.click(button(form, "Command3"));
    return form;
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
  private slots:
    void mainWindowChain_data();
    void mainWindowChain();
    void editorChain_data();
    void editorChain();
    void matrixScrollKeys_data();
    void matrixScrollKeys();
    void matrixFocusFramed_data();
    void matrixFocusFramed();
    void libraryChain_data();
    void libraryChain();
    void orderScrollBarKeys_data();
    void orderScrollBarKeys();
    void entryBoxKeys_data();
    void entryBoxKeys();
    void listEditorTabMovesFocus_data();
    void listEditorTabMovesFocus();
    void listEditorRefusesControlCharacters_data();
    void listEditorRefusesControlCharacters();
    void listEditorTakesLineBreaks();
    void editedListWithControlCharacterNotSaved();
    void accessKeysUnique();
    void desktopKeys_data();
    void desktopKeys();
    void menuKeys_data();
    void menuKeys();
};

void TestKeyboard::mainWindowChain_data() {
    QTest::addColumn<bool>("everything");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<QStringList>("chain");
    // Tab order 0..11 with what is hidden or disabled left out, and Label1 while the panel
    // covers it.
    const QStringList start = {"Command1", "Text1",    "Command2", "Picture1",
                               "Command4", "Command8", "Label1"};
    const QStringList all = {"Command1", "Text1",    "Command2", "Picture1", "Command3",
                             "Text2",    "Command5", "Command6", "Command7", "Command8"};
    QTest::newRow("start, Tab") << false << false << start;
    QTest::newRow("start, Shift+Tab") << false << true << start;
    QTest::newRow("panel and browse, Tab") << true << false << all;
    QTest::newRow("panel and browse, Shift+Tab") << true << true << all;
}

void TestKeyboard::mainWindowChain() {
    QFETCH(bool, everything);
    QFETCH(bool, backwards);
    QFETCH(QStringList, chain);
    ProgramFixture f;
    if (everything) {
        writeBytes(QStringLiteral("files/lastans"), "1.000  \r\n2.000  \r\n");
        f.click(button(f.main(), "Command1"));
        f.click(button(f.editor(), "Command4")); // "Решить массив" on
        f.click(button(f.main(), "Command4"));   // the panel shown
        f.click(button(f.main(), "Command2"));   // "Следующий ответ" on
        QVERIFY(button(f.main(), "Command3")->isEnabled() &&
                button(f.main(), "Command7")->isEnabled());
        QVERIFY(f.main().panelShown());
    }
    Form1& w = f.main();
    QCOMPARE(walk(&w, button(w, "Command1"), chain.size(), backwards), round(chain, backwards));
    // Tab in the panel moved on rather than writing a tab into the log's text.
    QVERIFY(!named<QPlainTextEdit>(f.main(), "Text2")->toPlainText().contains(u'\t'));
}

void TestKeyboard::editorChain_data() {
    QTest::addColumn<bool>("backwards");
    QTest::newRow("Tab") << false;
    QTest::newRow("Shift+Tab") << true;
}

void TestKeyboard::editorChain() {
    QFETCH(bool, backwards);
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    Form2& e = f.editor();
    const QStringList chain = {"Text1",    "Text2",    "Command1", "VScroll1",
                               "Command2", "Command3", "Command4", "Label1"};
    QCOMPARE(walk(&e, named<QLineEdit>(e, "Text1"), chain.size(), backwards),
             round(chain, backwards));
}

namespace {

// The editor's preview or the main window's matrix label, holding a system of order 10 with long
// values (the main window's label with many rows too).
MatrixLabel* wideMatrix(ProgramFixture& f, const QString& window) {
    const QString value = QStringLiteral("-1.23456789012345E+20");
    if (window == u"Form1") {
        MatrixLabel* label = named<MatrixLabel>(f.main(), "Label1");
        label->setMatrix(std::vector<QStringList>(30, QStringList(11, value)), value);
        return label;
    }
    f.click(button(f.main(), "Command1"));
    named<OrderBar>(f.editor(), "VScroll1")->setOrder(ArrayOrder(10));
    named<QLineEdit>(f.editor(), "Text1")->setText(value);
    QCoreApplication::processEvents();
    return named<MatrixLabel>(f.editor(), "Label1");
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

} // namespace

void TestKeyboard::matrixScrollKeys_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<bool>("fromEnd"); // pressed with the last row's last value in view
    QTest::addColumn<int>("dx");       // how the values move: -1 left or up, 1 right or down
    QTest::addColumn<int>("dy");
    QTest::addColumn<bool>("cornerSeen"); // the first (or, from the start, the last) value whole
    auto row = [](const char* window, const char* key, int code, bool ctrl, bool fromEnd, int dx,
                  int dy, bool corner) {
        QTest::addRow("%s %s%s", window, key, fromEnd ? " from the end" : "")
            << QString(window) << code << ctrl << fromEnd << dx << dy << corner;
    };
    for (const char* w : {"Form1", "Form2"}) {
        const bool tall = QByteArray(w) == "Form1"; // the preview's ten rows fit its height
        row(w, "Right", Qt::Key_Right, false, false, -1, 0, false);
        row(w, "Left", Qt::Key_Left, false, true, 1, 0, false);
        row(w, "Down", Qt::Key_Down, false, false, 0, tall ? -1 : 0, false);
        row(w, "Up", Qt::Key_Up, false, true, 0, tall ? 1 : 0, false);
        row(w, "End", Qt::Key_End, false, false, -1, 0, !tall);
        row(w, "Home", Qt::Key_Home, false, true, 1, 0, !tall);
        row(w, "Ctrl+End", Qt::Key_End, true, false, -1, tall ? -1 : 0, true);
        row(w, "Ctrl+Home", Qt::Key_Home, true, true, 1, tall ? 1 : 0, true);
        // Pages of rows; a preview of one page of rows turns its columns' pages.
        row(w, "PageDown", Qt::Key_PageDown, false, false, tall ? 0 : -1, tall ? -1 : 0, false);
        row(w, "PageUp", Qt::Key_PageUp, false, true, tall ? 0 : 1, tall ? 1 : 0, false);
    }
}

void TestKeyboard::matrixScrollKeys() {
    QFETCH(QString, window);
    QFETCH(int, key);
    QFETCH(bool, ctrl);
    QFETCH(bool, fromEnd);
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(bool, cornerSeen);
    ProgramFixture f;
    MatrixLabel* label = wideMatrix(f, window);
    if (fromEnd)
        QTest::keyClick(label, Qt::Key_End, Qt::ControlModifier);
    const QPoint before = label->valueRect(0, 0).topLeft();
    QTest::keyClick(label, Qt::Key(key), ctrl ? Qt::ControlModifier : Qt::NoModifier);
    const QPoint moved = label->valueRect(0, 0).topLeft() - before;
    QCOMPARE(sign(moved.x()), dx);
    QCOMPARE(sign(moved.y()), dy);
    // A page is more than a row or a value.
    if (key == Qt::Key_PageDown || key == Qt::Key_PageUp)
        QVERIFY(std::abs(moved.x() + moved.y()) > label->valueRect(0, 0).width() ||
                std::abs(moved.y()) > label->valueRect(0, 0).height());
    if (cornerSeen) {
        const int rows = window == u"Form1" ? 30 : 10;
        const QRect corner = fromEnd ? label->valueRect(0, 0) : label->valueRect(rows - 1, 10);
        const QRect view = label->viewport();
        QVERIFY(view.left() <= corner.left() && corner.right() <= view.right());
        if (ctrl)
            QVERIFY(view.contains(corner));
    }
}

void TestKeyboard::matrixFocusFramed_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("main window's matrix") << QStringLiteral("Form1");
    QTest::newRow("editor's preview") << QStringLiteral("Form2");
}

void TestKeyboard::matrixFocusFramed() {
    QFETCH(QString, window);
    ProgramFixture f;
    MatrixLabel* label = wideMatrix(f, window);
    label->window()->show();
    label->window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(label->window()));
    label->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(label->hasFocus());
    // The dotted frame in the text colour runs down the label's left edge, where no value is
    // drawn: the values are seen only inside it.
    const QImage shot = label->grab().toImage();
    const QColor ink = label->palette().color(QPalette::WindowText);
    int dots = 0;
    for (int y = 0; y < shot.height(); ++y)
        dots += shot.pixelColor(0, y) == ink;
    QVERIFY2(dots >= shot.height() / 4, qPrintable(QString::number(dots)));
    QVERIFY(label->rect().adjusted(1, 1, -1, -1).contains(label->viewport()));
}

void TestKeyboard::libraryChain_data() {
    QTest::addColumn<bool>("panel");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<QStringList>("chain");
    const QStringList hidden = {"Command1", "Command2", "Combo1",  "Check1",
                                "Combo2",   "Command3", "Command6"};
    const QStringList shown = {"Command1", "Command2", "Combo1",   "Check1",  "Combo2",
                               "Text1",    "Command4", "Command5", "Command6"};
    QTest::newRow("list editor hidden, Tab") << false << false << hidden;
    QTest::newRow("list editor hidden, Shift+Tab") << false << true << hidden;
    QTest::newRow("list editor shown, Tab") << true << false << shown;
    QTest::newRow("list editor shown, Shift+Tab") << true << true << shown;
}

void TestKeyboard::libraryChain() {
    QFETCH(bool, panel);
    QFETCH(bool, backwards);
    QFETCH(QStringList, chain);
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    f.editor().command3Click();
    Form3& form = *f.program->form3IfExists();
    if (panel)
        f.click(button(form, "Command3"));
    QCOMPARE(walk(&form, button(form, "Command1"), chain.size(), backwards),
             round(chain, backwards));
    QVERIFY(!named<QPlainTextEdit>(form, "Text1")->toPlainText().contains(u'\t'));
}

void TestKeyboard::orderScrollBarKeys_data() {
    QTest::addColumn<int>("key");   // 0 for the wheel
    QTest::addColumn<int>("wheel"); // the wheel's angle, upwards positive
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("order");
    // The bar runs from 2 at the top to 10 at the bottom; it starts at 8 (order 4).
    QTest::newRow("Up") << int(Qt::Key_Up) << 0 << 7 << 5;
    QTest::newRow("Down") << int(Qt::Key_Down) << 0 << 9 << 3;
    QTest::newRow("PageUp") << int(Qt::Key_PageUp) << 0 << 7 << 5;
    QTest::newRow("PageDown") << int(Qt::Key_PageDown) << 0 << 9 << 3;
    QTest::newRow("Home") << int(Qt::Key_Home) << 0 << 2 << 10;
    QTest::newRow("End") << int(Qt::Key_End) << 0 << 10 << 2;
    QTest::newRow("wheel up") << 0 << 120 << 7 << 5;
    QTest::newRow("wheel down") << 0 << -120 << 9 << 3;
}

void TestKeyboard::orderScrollBarKeys() {
    QFETCH(int, key);
    QFETCH(int, wheel);
    QFETCH(int, position);
    QFETCH(int, order);
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    Form2& e = f.editor();
    named<QLineEdit>(e, "Text1")->setText(QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12"));
    QVERIFY(named<QScrollBar>(e, "VScroll1")->focusPolicy() & Qt::TabFocus);
    named<QScrollBar>(e, "VScroll1")->setFocus();
    if (key) {
        QTest::keyClick(named<QScrollBar>(e, "VScroll1"), Qt::Key(key));
    } else {
        const QPointF at(named<QScrollBar>(e, "VScroll1")->width() / 2.0,
                         named<QScrollBar>(e, "VScroll1")->height() / 2.0);
        QWheelEvent event(at, named<QScrollBar>(e, "VScroll1")->mapToGlobal(at), QPoint(),
                          QPoint(0, wheel), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(named<QScrollBar>(e, "VScroll1"), &event);
    }
    QCOMPARE(named<QScrollBar>(e, "VScroll1")->value(), position);
    // The same chain as a click on the arrows: order box, matrix shape and values.
    QCOMPARE(named<QLineEdit>(e, "Text2")->text(), QString::number(order));
    const Matrix& m = f.program->store().matrix;
    QCOMPARE(m.rows(), order);
    QCOMPARE(m.columns(), order + 1);
    QCOMPARE(m(0, 0), 1.0);
}

void TestKeyboard::entryBoxKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("opens");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << true;
    QTest::newRow("a letter") << int(Qt::Key_A) << int(Qt::NoModifier) << false;
    QTest::newRow("Ctrl+Space") << int(Qt::Key_Space) << int(Qt::ControlModifier) << false;
}

void TestKeyboard::entryBoxKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, opens);
    ProgramFixture f;
    Form1& w = f.main();
    named<QLineEdit>(w, "Text1")->setFocus();
    QTest::keyClick(named<QLineEdit>(w, "Text1"), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(f.program->form2Exists() && f.editor().isVisible(), opens);
    QCOMPARE(w.isHidden(), opens);
    QCOMPARE(button(w, "Command3")->isEnabled(), opens);
    QCOMPARE(action(w, "ans")->isEnabled(), opens);
    QCOMPARE(named<QLineEdit>(w, "Text1")->text(), QStringLiteral("Ввести данные"));
}

void TestKeyboard::listEditorTabMovesFocus_data() {
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("next");
    QTest::newRow("Tab") << int(Qt::NoModifier) << "Command4";
    QTest::newRow("Shift+Tab") << int(Qt::ShiftModifier) << "Combo2";
    QTest::newRow("Ctrl+Tab") << int(Qt::ControlModifier) << "Command4";
}

void TestKeyboard::listEditorTabMovesFocus() {
    QFETCH(int, modifiers);
    QFETCH(QString, next);
    ProgramFixture f;
    Form3& form = openListEditor(f);
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    named<QPlainTextEdit>(form, "Text1")->setFocus();
    named<QPlainTextEdit>(form, "Text1")->moveCursor(QTextCursor::End);
    const Qt::Key key = modifiers & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab;
    QTest::keyClick(named<QPlainTextEdit>(form, "Text1"), key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(focusName(), next);
    QVERIFY(!named<QPlainTextEdit>(form, "Text1")->toPlainText().contains(u'\t'));
    // Saved as read; the window's reload then adds its empty line.
    f.click(button(form, "Command4"));
    QCOMPARE(readBytes(QStringLiteral("files/SaveList")), QByteArray("a\r\n\r\n\r\n"));
}

void TestKeyboard::listEditorRefusesControlCharacters_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("text");
    const QString tab = QStringLiteral("b\tc");
    for (const char* how : {"Ctrl+V", "Shift+Insert", "drop", "typed", "input method"})
        QTest::newRow(qPrintable(QStringLiteral("%1, tab").arg(how))) << how << tab;
    QTest::newRow("Ctrl+V, bell") << "Ctrl+V" << QStringLiteral("b\x07");
    QTest::newRow("Ctrl+V, C1 control") << "Ctrl+V" << QStringLiteral("b") + QChar(0x85);
    QTest::newRow("typed, escape code") << "typed" << QStringLiteral("\x1b");
    QTest::newRow("input method, NUL") << "input method" << QString(QChar(0));
}

void TestKeyboard::listEditorRefusesControlCharacters() {
    QFETCH(QString, how);
    QFETCH(QString, text);
    ProgramFixture f;
    Form3& form = openListEditor(f);
    const QString before = named<QPlainTextEdit>(form, "Text1")->toPlainText();
    named<QPlainTextEdit>(form, "Text1")->setFocus();
    named<QPlainTextEdit>(form, "Text1")->moveCursor(QTextCursor::End);
    f.platform.messages.clear();
    if (how == u"Ctrl+V" || how == u"Shift+Insert") {
        QGuiApplication::clipboard()->setText(text);
        if (how == u"Ctrl+V")
            QTest::keyClick(named<QPlainTextEdit>(form, "Text1"), Qt::Key_V, Qt::ControlModifier);
        else
            QTest::keyClick(named<QPlainTextEdit>(form, "Text1"), Qt::Key_Insert,
                            Qt::ShiftModifier);
    } else if (how == u"drop") {
        QMimeData data;
        data.setText(text);
        const QPoint at(10, 10);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(named<QPlainTextEdit>(form, "Text1")->viewport(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(named<QPlainTextEdit>(form, "Text1")->viewport(), &drop);
    } else if (how == u"typed") {
        // A key that types the character itself, as a keyboard layout or a compose key can.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(named<QPlainTextEdit>(form, "Text1"), &press);
    } else {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(named<QPlainTextEdit>(form, "Text1"), &event);
    }
    QCOMPARE(named<QPlainTextEdit>(form, "Text1")->toPlainText(), before);
    QCOMPARE(f.platform.messages.size(), 1);
    QCOMPARE(f.platform.messages.first().title, QStringLiteral("Ошибка"));
    QCOMPARE(lastMessage(f.platform), controlRefusal);
    QCOMPARE(readBytes(QStringLiteral("files/SaveList")), QByteArray("a\r\n\r\n"));
}

void TestKeyboard::listEditorTakesLineBreaks() {
    ProgramFixture f;
    Form3& form = openListEditor(f);
    named<QPlainTextEdit>(form, "Text1")->setFocus();
    named<QPlainTextEdit>(form, "Text1")->moveCursor(QTextCursor::End);
    QGuiApplication::clipboard()->setText(QStringLiteral("b\r\nc"));
    QTest::keyClick(named<QPlainTextEdit>(form, "Text1"), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(named<QPlainTextEdit>(form, "Text1"), Qt::Key_Return);
    QTest::keyClicks(named<QPlainTextEdit>(form, "Text1"), QStringLiteral("d"));
    QTest::keyClick(named<QPlainTextEdit>(form, "Text1"), Qt::Key_Backspace);
    QTest::keyClicks(named<QPlainTextEdit>(form, "Text1"), QStringLiteral("e"));
    QVERIFY(f.platform.messages.isEmpty());
    f.click(button(form, "Command4"));
    QCOMPARE(readBytes(QStringLiteral("files/SaveList")), QByteArray("a\r\nb\r\nc\r\ne\r\n\r\n"));
}

void TestKeyboard::editedListWithControlCharacterNotSaved() {
    ProgramFixture f;
    Form3& form = openListEditor(f);
    f.platform.messages.clear();
    named<QPlainTextEdit>(form, "Text1")->setPlainText(QStringLiteral("a\nb\tc\n"));
    f.click(button(form, "Command4"));
    QCOMPARE(lastMessage(f.platform),
             QStringLiteral("Список не сохранён: в имени массива есть управляющий знак."));
    QCOMPARE(readBytes(QStringLiteral("files/SaveList")), QByteArray("a\r\n\r\n"));
    QCOMPARE(named<QListWidget>(form, "Combo2")->count(), 1);
}

void TestKeyboard::accessKeysUnique() {
    ProgramFixture f;
    openWindow(f, QStringLiteral("Form2"));
    for (QMainWindow* w :
         {static_cast<QMainWindow*>(&f.main()), static_cast<QMainWindow*>(&f.editor())}) {
        // Every title, and every item within its menu, has a Cyrillic access key of its own.
        QSet<QChar> titles;
        for (QAction* title : w->menuBar()->actions()) {
            QSet<QChar> items;
            for (QAction* item : QList<QAction*>{title} + title->menu()->actions()) {
                const QString text = item->text();
                const qsizetype at = text.indexOf(u'&');
                if (item->isSeparator())
                    continue;
                QVERIFY2(at >= 0 && text[at + 1].script() == QChar::Script_Cyrillic,
                         qPrintable(text));
                QSet<QChar>& taken = item == title ? titles : items;
                QVERIFY2(!taken.contains(text[at + 1].toLower()), qPrintable(text));
                taken.insert(text[at + 1].toLower());
            }
        }
    }
}

void TestKeyboard::desktopKeys_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control"); // focused first; empty for the window itself
    QTest::addColumn<QKeySequence>("keys");
    // "menu NAME": the menu of that object name opens ("-": none); "context": a context menu
    // opens at the control; "focus NAME": the focus is there and the window stays open;
    // "changes"/"keeps NAME": the text box's text; "closes"/"stays": the window; "copies": the
    // matrix label's text is on the clipboard.
    QTest::addColumn<QString>("outcome");
    auto row = [](const char* window, const char* control, const char* keys, const char* outcome) {
        const QString k = QString::fromUtf8(keys);
        QTest::newRow(qPrintable(QStringLiteral("%1 %2, %3").arg(window, control, k)))
            << QString(window) << QString(control) << QKeySequence(k) << QString(outcome);
    };
    row("Form1", "Command2", "Esc", "stays");
    row("Form2", "Text1", "Esc", "stays");
    // Enter and the keypad's Enter press a button as Space does; a button that shows a panel
    // gives it the focus, and its closing button gives the focus back.
    row("Form1", "Command4", "Return", "focus Text2");
    row("Form1", "Command4", "Num+Enter", "focus Text2");
    row("Form1", "Command4", "Space, Space", "focus Text2");
    row("Form1 answers", "Command6", "Return", "focus Command4");
    row("Form2", "Command1", "Return", "changes Text1");
    row("Form2", "Command1", "X", "keeps Text1");
    row("Form3", "Command3", "Num+Enter", "focus Text1");
    row("Form3", "Command3", "Space, Space", "focus Text1");
    row("Form3 list", "Command5", "Return", "focus Command3");
    const char* withMenus[][2] = {{"Form1 solved", "Picture1"}, {"Form1 solved", "Label1"},
                                  {"Form1 answers", "Text2"},   {"Form2", "Text1"},
                                  {"Form2", "Text2"},           {"Form3", "Combo1"},
                                  {"Steps", "Text1"},           {"Form3", "Combo2"}};
    for (const auto& [w, control] : withMenus)
        for (const char* keys : {"Shift+F10", "Menu"}) // the list of arrays has no menu
            row(w, control, keys, control == std::string_view("Combo2") ? "menu -" : "context");
    row("Form1 solved", "Label1", "Ctrl+C", "copies");
    for (const char* control : {"Combo1", "Combo2", "Command6"})
        row("Form3", control, "Esc", "closes");
    row("Form4", "", "Esc", "closes");
    row("Steps", "Text1", "Esc", "closes");
}

void TestKeyboard::desktopKeys() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, outcome);
    const QString what = outcome.section(u' ', 0, 0);
    const QString name = outcome.section(u' ', 1);
    ProgramFixture f;
    QPointer<QWidget> w = openWindow(f, window);
    QWidget* c = control.isEmpty() ? w.data() : w->findChild<QWidget*>(control);
    QVERIFY(c && focusIn(c));
    auto* edit = w->findChild<QLineEdit*>(name);
    const QString textBefore = edit ? edit->text() : QString();
    QGuiApplication::clipboard()->clear();
    if (what == u"menu" || what == u"context") {
        QCursor::setPos(w->mapToGlobal(QPoint(-200, -200)));
        const auto [menu, place] = popupAfter(keys);
        if (what == u"menu")
            QCOMPARE(menu, name);
        else
            QVERIFY2(!place.isNull() &&
                         QRect(c->mapToGlobal(QPoint(0, 0)), c->size()).contains(place.topLeft()),
                     qPrintable(QStringLiteral("menu at %1,%2").arg(place.x()).arg(place.y())));
        return;
    }
    press(keys);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (what == u"focus")
        QCOMPARE(focusName(), name);
    if (what == u"changes" || what == u"keeps")
        QCOMPARE(edit->text() != textBefore, what == u"changes");
    if (what == u"copies") {
        QVERIFY(!named<MatrixLabel>(f.main(), "Label1")->matrixText().isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 named<MatrixLabel>(f.main(), "Label1")->matrixText());
    }
    QCOMPARE(w && w->isVisible(), what != u"closes");
    // As the close box does: the save/load and about windows are gone, and the editor is back.
    if (what == u"closes" && window != u"Steps") {
        QVERIFY(!f.program->form3IfExists() && !f.program->form4IfExists());
        QVERIFY(f.editor().isVisible());
    }
}

void TestKeyboard::menuKeys_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control"); // focused first
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("menu"); // the object name of the menu that opens; "-" for none
    QTest::addColumn<QKeySequence>("itemKey"); // pressed in the menu opened again, if any
    QTest::addColumn<QString>("item");         // the object name of the item it chooses
    auto row = [](const char* window, const char* control, const QString& keys, const char* menu,
                  const char* itemKey = "", const char* item = "") {
        QTest::newRow(qPrintable(QStringLiteral("%1 %2, %3 %4")
                                     .arg(window, control, keys, QString::fromUtf8(itemKey))
                                     .trimmed()))
            << QString(window) << QString(control) << QKeySequence(keys) << QString(menu)
            << QKeySequence(QString::fromUtf8(itemKey)) << QString(item);
    };
    // Alt with a Russian access letter, as the Russian layout sends it and as a Latin layout
    // sends the key that carries the letter; in the open menu, an item's Russian letter and the
    // key that carries that letter in a Latin layout.
    auto alt = [&row](const char* window, const char* control, const char* russian,
                      const char* latin, const char* menu, const char* russianItem = "",
                      const char* latinItem = "", const char* item = "") {
        row(window, control, QStringLiteral("Alt+") + QString::fromUtf8(russian), menu, russianItem,
            item);
        row(window, control, QStringLiteral("Alt+") + latin, menu, latinItem, item);
    };
    row("Form1", "Command2", QStringLiteral("F10"), "file");
    row("Form2", "Text1", QStringLiteral("F10"), "file");
    alt("Form1", "Command2", "Ф", "A", "file", "В", "D", "allans");
    alt("Form2", "Text1", "Ф", "A", "file");
    alt("Form1", "Command2", "П", "G", "help");
    alt("Form2", "Text1", "П", "G", "help", "О", "J", "about");
    alt("Form1", "Command2", "Д", "L", "mass", "Д", "L", "masedit");
    alt("Form1", "Command2", "А", "F", "animat");
    alt("Form1 solved", "Picture1", "Д", "L", "mass");
    alt("Form2", "Text1", "А", "F", "animation");
    alt("Form2", "Text1", "Д", "L", "-");
    alt("Form2", "VScroll1", "П", "G", "help");
    // A key that carries no access letter opens nothing.
    row("Form1", "Command2", QStringLiteral("Alt+1"), "-");
}

// F10 and the access keys open the menu with its first item selected, so that a screen reader
// reads the item out at once; the keys of the open menu go to it.
void TestKeyboard::menuKeys() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, menu);
    QFETCH(QKeySequence, itemKey);
    QFETCH(QString, item);
    ProgramFixture f;
    QWidget* w = openWindow(f, window);
    QWidget* c = w->findChild<QWidget*>(control);
    QVERIFY(c && focusIn(c));
    QCursor::setPos(w->mapToGlobal(QPoint(-200, -200)));
    QAction* selected = nullptr;
    QCOMPARE(popupAfter(keys, &selected).first, menu);
    if (menu == u"-")
        return;
    QVERIFY(selected);
    const QList<QAction*> items = w->findChild<QMenu*>(menu)->actions();
    const auto first = std::find_if(items.begin(), items.end(), [](QAction* action) {
        return action->isVisible() && action->isEnabled() && !action->isSeparator();
    });
    QVERIFY(first != items.end());
    QCOMPARE(selected->text(), (*first)->text());
    if (item.isEmpty())
        return;
    QStringList chosen;
    connect(qobject_cast<QMainWindow*>(w)->menuBar(), &QMenuBar::triggered, w,
            [&chosen](QAction* action) { chosen << action->objectName(); });
    press(keys);
    QWidget* open = QApplication::activePopupWidget();
    QVERIFY(open);
    open->setFocus();
    press(itemKey);
    QCOMPARE(chosen, QStringList{item});
}

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
