// The program from the keyboard: every window's Tab and Shift+Tab chains against the design
// sheets' tab orders, the editor's order scroll bar under keys and the wheel, the main window's
// entry box under Enter and Space, and the list editor, which never takes a tab or another
// control character.
#include "program_fixture.h"

#include "windows/library/form3.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QMimeData>
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
};

void TestKeyboard::mainWindowChain_data() {
    QTest::addColumn<bool>("everything");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<QStringList>("chain");
    // Tab order 0..11 with what is hidden or disabled left out; the label takes no focus.
    const QStringList start = {"Command1", "Text1", "Command2", "Picture1", "Command4", "Command8"};
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

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
