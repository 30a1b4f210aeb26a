// The program from the keyboard: every window's Tab and Shift+Tab chains against the design
// sheets' tab orders, the editor's order scroll bar under keys and the wheel, the main window's
// entry box under Enter and Space, the list editor, which never takes a tab or another
// control character, and the desktop's conventions: F10 and the access keys of the menus, Enter
// on buttons, the context-menu keys, the focus after a panel opens or closes, and Esc.
#include "program_fixture.h"

#include "windows/extras/form4.h"
#include "windows/library/form3.h"
#include "windows/main/steps_window.h"

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

// Presses the key on the focused widget and returns the popup menu it opened (its object name
// and its place on the screen), then closes it. A menu that runs its own event loop is seen from
// within it.
struct Popup {
    QString name;
    QRect place;
    bool shown = false;
};
Popup popupAfter(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    Popup popup;
    auto look = [&popup] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            popup = {menu->objectName(), menu->geometry(), true};
            menu->close();
        }
    };
    QTimer::singleShot(50, look);
    // A Cyrillic letter key goes with the letter it types, as the keyboard layout sends it.
    if (key > 0xff)
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), key,
                            QString(QChar(key).toLower()), modifiers);
    else
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    for (int i = 0; i < 20 && !popup.shown; ++i)
        QTest::qWait(20);
    look();
    return popup;
}

// A window of the program for the key tables, by its design name.
QWidget* openWindow(ProgramFixture& f, const QString& name) {
    if (name == u"Form1")
        return &f.main();
    if (name == u"Form2" || name == u"Form3" || name == u"Form4") {
        f.click(f.main().command1);
        if (name == u"Form3") {
            f.editor().command3Click();
            return f.program->form3IfExists();
        }
        if (name == u"Form4") {
            f.editor().about->trigger();
            return f.program->form4IfExists();
        }
        return &f.editor();
    }
    // The steps window, after a solve.
    f.enter(2, QStringLiteral("2 1 3 1 3 5"));
    f.click(f.main().command3);
    f.main().stepsClick();
    return f.main().stepsWindow();
}

QString lastMessage(const ScriptedPlatform& platform) {
    return platform.messages.isEmpty() ? QString() : platform.messages.last().text;
}

const QString controlRefusal =
    QStringLiteral("Текст не вставлен в список: в имени массива есть управляющий знак.");

// A save/load window with its list editor shown, over files/SaveList holding "a".
Form3& openListEditor(ProgramFixture& f) {
    writeBytes(QStringLiteral("files/SaveList"), "a\r\n");
    f.click(f.main().command1);
    f.editor().command3Click();
    Form3& form = *f.program->form3IfExists();
    f.click(form.command3);
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
    void menuKeys_data();
    void menuKeys();
    void enterPressesButtons_data();
    void enterPressesButtons();
    void contextMenuKeys_data();
    void contextMenuKeys();
    void focusFollowsPanels_data();
    void focusFollowsPanels();
    void escapeKey_data();
    void escapeKey();
    void label1CopiesFromTheKeyboard();
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
        f.click(f.main().command1);
        f.click(f.editor().command4); // "Решить массив" on
        f.click(f.main().command4);   // the panel shown
        f.click(f.main().command2);   // "Следующий ответ" on
        QVERIFY(f.main().command3->isEnabled() && f.main().command7->isEnabled());
        QVERIFY(f.main().panelShown());
    }
    Form1& w = f.main();
    QCOMPARE(walk(&w, w.command1, chain.size(), backwards), round(chain, backwards));
    // Tab in the panel moved on rather than writing a tab into the log's text.
    QVERIFY(!f.main().text2->toPlainText().contains(u'\t'));
}

void TestKeyboard::editorChain_data() {
    QTest::addColumn<bool>("backwards");
    QTest::newRow("Tab") << false;
    QTest::newRow("Shift+Tab") << true;
}

void TestKeyboard::editorChain() {
    QFETCH(bool, backwards);
    ProgramFixture f;
    f.click(f.main().command1);
    Form2& e = f.editor();
    const QStringList chain = {"Text1",    "Text2",    "Command1", "VScroll1",
                               "Command2", "Command3", "Command4"};
    QCOMPARE(walk(&e, e.text1, chain.size(), backwards), round(chain, backwards));
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
    f.click(f.main().command1);
    f.editor().command3Click();
    Form3& form = *f.program->form3IfExists();
    if (panel)
        f.click(form.command3);
    QCOMPARE(walk(&form, form.command1, chain.size(), backwards), round(chain, backwards));
    QVERIFY(!form.text1->toPlainText().contains(u'\t'));
}

void TestKeyboard::orderScrollBarKeys_data() {
    QTest::addColumn<int>("key");   // 0 for the wheel
    QTest::addColumn<int>("wheel"); // the wheel's angle, upwards positive
    QTest::addColumn<int>("position");
    // The bar runs from 2 at the top to 10 at the bottom; it starts at 8 (order 4).
    QTest::newRow("Up") << int(Qt::Key_Up) << 0 << 7;
    QTest::newRow("Down") << int(Qt::Key_Down) << 0 << 9;
    QTest::newRow("PageUp") << int(Qt::Key_PageUp) << 0 << 7;
    QTest::newRow("PageDown") << int(Qt::Key_PageDown) << 0 << 9;
    QTest::newRow("Home") << int(Qt::Key_Home) << 0 << 2;
    QTest::newRow("End") << int(Qt::Key_End) << 0 << 10;
    QTest::newRow("wheel up") << 0 << 120 << 7;
    QTest::newRow("wheel down") << 0 << -120 << 9;
}

void TestKeyboard::orderScrollBarKeys() {
    QFETCH(int, key);
    QFETCH(int, wheel);
    QFETCH(int, position);
    ProgramFixture f;
    f.click(f.main().command1);
    Form2& e = f.editor();
    e.text1->setText(QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12"));
    QVERIFY(e.vscroll1->focusPolicy() & Qt::TabFocus);
    e.vscroll1->setFocus();
    if (key) {
        QTest::keyClick(e.vscroll1, Qt::Key(key));
    } else {
        const QPointF at(e.vscroll1->width() / 2.0, e.vscroll1->height() / 2.0);
        QWheelEvent event(at, e.vscroll1->mapToGlobal(at), QPoint(), QPoint(0, wheel), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(e.vscroll1, &event);
    }
    QCOMPARE(e.vscroll1->value(), position);
    // The same chain as a click on the arrows: order box, matrix shape and values.
    const int order = 12 - position;
    QCOMPARE(e.text2->text(), QString::number(order));
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
    w.text1->setFocus();
    QTest::keyClick(w.text1, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(f.program->form2Exists() && f.editor().isVisible(), opens);
    QCOMPARE(w.isHidden(), opens);
    QCOMPARE(w.command3->isEnabled(), opens);
    QCOMPARE(w.ans->isEnabled(), opens);
    QCOMPARE(w.text1->text(), QStringLiteral("Ввести данные"));
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
    form.text1->setFocus();
    form.text1->moveCursor(QTextCursor::End);
    const Qt::Key key = modifiers & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab;
    QTest::keyClick(form.text1, key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(focusName(), next);
    QVERIFY(!form.text1->toPlainText().contains(u'\t'));
    // Saved as read; the window's reload then adds its empty line.
    f.click(form.command4);
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
    const QString before = form.text1->toPlainText();
    form.text1->setFocus();
    form.text1->moveCursor(QTextCursor::End);
    f.platform.messages.clear();
    if (how == u"Ctrl+V" || how == u"Shift+Insert") {
        QGuiApplication::clipboard()->setText(text);
        if (how == u"Ctrl+V")
            QTest::keyClick(form.text1, Qt::Key_V, Qt::ControlModifier);
        else
            QTest::keyClick(form.text1, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (how == u"drop") {
        QMimeData data;
        data.setText(text);
        const QPoint at(10, 10);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.text1->viewport(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.text1->viewport(), &drop);
    } else if (how == u"typed") {
        // A key that types the character itself, as a keyboard layout or a compose key can.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(form.text1, &press);
    } else {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(form.text1, &event);
    }
    QCOMPARE(form.text1->toPlainText(), before);
    QCOMPARE(f.platform.messages.size(), 1);
    QCOMPARE(f.platform.messages.first().title, QStringLiteral("Ошибка"));
    QCOMPARE(lastMessage(f.platform), controlRefusal);
    QCOMPARE(readBytes(QStringLiteral("files/SaveList")), QByteArray("a\r\n\r\n"));
}

void TestKeyboard::listEditorTakesLineBreaks() {
    ProgramFixture f;
    Form3& form = openListEditor(f);
    form.text1->setFocus();
    form.text1->moveCursor(QTextCursor::End);
    QGuiApplication::clipboard()->setText(QStringLiteral("b\r\nc"));
    QTest::keyClick(form.text1, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(form.text1, Qt::Key_Return);
    QTest::keyClicks(form.text1, QStringLiteral("d"));
    QTest::keyClick(form.text1, Qt::Key_Backspace);
    QTest::keyClicks(form.text1, QStringLiteral("e"));
    QVERIFY(f.platform.messages.isEmpty());
    f.click(form.command4);
    QCOMPARE(readBytes(QStringLiteral("files/SaveList")), QByteArray("a\r\nb\r\nc\r\ne\r\n\r\n"));
}

void TestKeyboard::editedListWithControlCharacterNotSaved() {
    ProgramFixture f;
    Form3& form = openListEditor(f);
    f.platform.messages.clear();
    form.text1->setPlainText(QStringLiteral("a\nb\tc\n"));
    f.click(form.command4);
    QCOMPARE(lastMessage(f.platform),
             QStringLiteral("Список не сохранён: в имени массива есть управляющий знак."));
    QCOMPARE(readBytes(QStringLiteral("files/SaveList")), QByteArray("a\r\n\r\n"));
    QCOMPARE(form.combo2->count(), 1);
}

void TestKeyboard::menuKeys_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("menu"); // the menu that opens
    for (const char* window : {"Form1", "Form2"}) {
        const QString w = QLatin1String(window);
        QTest::newRow(qPrintable(w + ", F10")) << w << int(Qt::Key_F10) << 0 << "file";
        QTest::newRow(qPrintable(w + ", Alt+Ф")) << w << 0x0424 << int(Qt::AltModifier) << "file";
        QTest::newRow(qPrintable(w + ", Alt+П")) << w << 0x041F << int(Qt::AltModifier) << "help";
    }
    QTest::newRow("Form1, Alt+Д") << "Form1" << 0x0414 << int(Qt::AltModifier) << "mass";
    QTest::newRow("Form1, Alt+А") << "Form1" << 0x0410 << int(Qt::AltModifier) << "animat";
    QTest::newRow("Form2, Alt+А") << "Form2" << 0x0410 << int(Qt::AltModifier) << "animation";
    QTest::newRow("Form2, Alt+Д: no such menu") << "Form2" << 0x0414 << int(Qt::AltModifier) << "";
}

void TestKeyboard::menuKeys() {
    QFETCH(QString, window);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, menu);
    ProgramFixture f;
    auto* w = static_cast<QMainWindow*>(openWindow(f, window));
    QVERIFY(focusIn(window == u"Form1" ? static_cast<QWidget*>(
                                             w->findChild<QPushButton*>(QStringLiteral("Command2")))
                                       : w->findChild<QLineEdit*>(QStringLiteral("Text1"))));
    const Popup popup = popupAfter(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(popup.name, menu);
    // Every title and item of the bar has an access key of its own within its menu, and is read
    // out without the mark.
    QSet<QChar> titles;
    for (QAction* title : w->menuBar()->actions()) {
        const QString text = title->text();
        const qsizetype mark = text.indexOf(u'&');
        QVERIFY2(mark >= 0 && mark + 1 < text.size(), qPrintable(text));
        QVERIFY2(!titles.contains(text[mark + 1].toLower()), qPrintable(text));
        titles.insert(text[mark + 1].toLower());
        QSet<QChar> items;
        for (QAction* item : title->menu()->actions()) {
            if (item->isSeparator())
                continue;
            const QString caption = item->text();
            const qsizetype at = caption.indexOf(u'&');
            QVERIFY2(at >= 0 && caption[at + 1].isLetter(), qPrintable(caption));
            QVERIFY2(caption[at + 1].script() == QChar::Script_Cyrillic, qPrintable(caption));
            QVERIFY2(!items.contains(caption[at + 1].toLower()), qPrintable(caption));
            items.insert(caption[at + 1].toLower());
        }
    }
}

void TestKeyboard::enterPressesButtons_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("pressed");
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("Все ответы, Return") << "Form1"
                                        << "Command4" << int(Qt::Key_Return) << 0 << true;
    QTest::newRow("Все ответы, keypad Enter") << "Form1"
                                              << "Command4" << int(Qt::Key_Enter) << keypad << true;
    QTest::newRow("RND, Return") << "Form2"
                                 << "Command1" << int(Qt::Key_Return) << 0 << true;
    QTest::newRow("RND, a letter") << "Form2"
                                   << "Command1" << int(Qt::Key_X) << 0 << false;
    QTest::newRow("Редактировать список, keypad Enter")
        << "Form3"
        << "Command3" << int(Qt::Key_Enter) << keypad << true;
    QTest::newRow("Редактировать список, Space") << "Form3"
                                                 << "Command3" << int(Qt::Key_Space) << 0 << true;
}

void TestKeyboard::enterPressesButtons() {
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, pressed);
    ProgramFixture f;
    QWidget* w = openWindow(f, window);
    auto* b = w->findChild<QPushButton*>(button);
    const QString entryBefore = f.program->form2Exists() ? f.editor().text1->text() : QString();
    QVERIFY(focusIn(b));
    QTest::keyClick(b, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    // What each button's click does: the panel shown, new random digits.
    if (window == u"Form1")
        QCOMPARE(f.main().panelShown(), pressed);
    else if (window == u"Form2")
        QCOMPARE(f.editor().text1->text() != entryBefore, pressed);
    else
        QCOMPARE(f.program->form3IfExists()->panelShown(), pressed);
}

void TestKeyboard::contextMenuKeys_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    const struct {
        const char* window;
        const char* control;
    } controls[] = {{"Form1", "Picture1"}, {"Form1", "Label1"}, {"Form1", "Text2"},
                    {"Form2", "Text1"},    {"Form3", "Combo2"}, {"Form3", "Combo1"},
                    {"Steps", "Text1"},    {"Form2", "Text2"}};
    for (const auto& c : controls) {
        const QString row = QStringLiteral("%1 %2, ").arg(c.window, c.control);
        QTest::newRow(qPrintable(row + "Shift+F10"))
            << c.window << c.control << int(Qt::Key_F10) << int(Qt::ShiftModifier);
        QTest::newRow(qPrintable(row + "Menu")) << c.window << c.control << int(Qt::Key_Menu) << 0;
    }
}

void TestKeyboard::contextMenuKeys() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    ProgramFixture f;
    QWidget* w = openWindow(f, window);
    if (window == u"Form1") {
        f.enter(2, QStringLiteral("2 1 3 1 3 5"));
        f.click(f.main().command3);
        if (control == u"Text2")
            f.click(f.main().command4);
    }
    QWidget* c = w->findChild<QWidget*>(control);
    QVERIFY(c);
    // A list only has a menu where the program gives it one: the list of arrays has none.
    const bool hasMenu = control != u"Combo2";
    QVERIFY(focusIn(c));
    QCursor::setPos(w->mapToGlobal(QPoint(-200, -200)));
    const Popup popup = popupAfter(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(popup.shown, hasMenu);
    if (hasMenu)
        QVERIFY2(
            QRect(c->mapToGlobal(QPoint(0, 0)), c->size()).contains(popup.place.topLeft()),
            qPrintable(QStringLiteral("menu at %1,%2").arg(popup.place.x()).arg(popup.place.y())));
}

void TestKeyboard::focusFollowsPanels_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("shown");  // where the focus is after the opener
    QTest::addColumn<QString>("closer"); // the panel's button that hides it
    QTest::newRow("answer panel, Space") << "Form1"
                                         << "Command4"
                                         << "Text2"
                                         << "Command6";
    QTest::newRow("list editor, Space") << "Form3"
                                        << "Command3"
                                        << "Text1"
                                        << "Command5";
}

void TestKeyboard::focusFollowsPanels() {
    QFETCH(QString, window);
    QFETCH(QString, opener);
    QFETCH(QString, shown);
    QFETCH(QString, closer);
    ProgramFixture f;
    QWidget* w = openWindow(f, window);
    QVERIFY(focusIn(w->findChild<QPushButton*>(opener)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(focusName(), shown);
    // A second Space types into the panel; it presses no button.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(w->isVisible());
    QVERIFY(focusIn(w->findChild<QPushButton*>(closer)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(focusName(), opener);
}

void TestKeyboard::escapeKey_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control"); // focused, or empty for the window itself
    QTest::addColumn<bool>("closes");
    QTest::newRow("main window") << "Form1"
                                 << "Command2" << false;
    QTest::newRow("editor") << "Form2"
                            << "Text1" << false;
    QTest::newRow("save/load window, name box") << "Form3"
                                                << "Combo1" << true;
    QTest::newRow("save/load window, list") << "Form3"
                                            << "Combo2" << true;
    QTest::newRow("save/load window, button") << "Form3"
                                              << "Command6" << true;
    QTest::newRow("about window") << "Form4"
                                  << "" << true;
    QTest::newRow("steps window") << "Steps"
                                  << "Text1" << true;
}

void TestKeyboard::escapeKey() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(bool, closes);
    ProgramFixture f;
    QPointer<QWidget> w = openWindow(f, window);
    QVERIFY(focusIn(control.isEmpty() ? w.data() : w->findChild<QWidget*>(control)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(!w || !w->isVisible(), closes);
    // As its close box does: the save/load window gives the editor back.
    if (window == u"Form3") {
        QVERIFY(!f.program->form3IfExists());
        QVERIFY(f.editor().isVisible());
    }
    if (window == u"Form4")
        QVERIFY(!f.program->form4IfExists());
}

void TestKeyboard::label1CopiesFromTheKeyboard() {
    ProgramFixture f;
    f.enter(2, QStringLiteral("2 1 3 1 3 5"));
    f.click(f.main().command3);
    QGuiApplication::clipboard()->clear();
    QVERIFY(focusIn(f.main().label1));
    QTest::keyClick(f.main().label1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), f.main().label1->matrixText());
    QVERIFY(!f.main().label1->matrixText().isEmpty());
}

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
