// The save/load window driven as the user drives it: clicks, typed names and Enter keys, with the
// editor beside it and the files checked byte for byte.
#include "core/system_store.h"
#include "tests/common/named_controls.h"
#include "tests/common/test_support.h"
#include "tests/common/window_layout.h"
#include "windows/editor/form2.h"
#include "windows/library/form3.h"
#include "windows/program.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

// What the user sees of the editor, and the matrix it built.
struct EditorState {
    QString text;
    int position = 0;
    std::vector<double> matrix;

    bool operator==(const EditorState&) const = default;
};

EditorState stateOf(Program& program) {
    Form2& editor = program.form2();
    EditorState s{named<QLineEdit>(editor, "Text1")->text(),
                  named<QScrollBar>(editor, "VScroll1")->value(),
                  {}};
    const Matrix& m = program.store().matrix;
    for (int i = 0; i < m.rows(); ++i)
        for (int j = 0; j < m.columns(); ++j)
            s.matrix.push_back(m(i, j));
    return s;
}

// Every file below the working folder, as relative paths.
QStringList filesBelow(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(QDir(folder).relativeFilePath(it.next()));
    found.sort();
    return found;
}

QStringList itemsOf(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

QStringList itemsOf(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
}

// Types the text key by key; QTest::keyClicks takes ASCII only.
void type(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void selectEntry(QListWidget* list, int row) {
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

// One run of the program in a fresh working folder, with the editor shown.
struct Session {
    explicit Session(bool withFilesFolder = true) : folder(withFilesFolder) {}

    Form3& open() {
        program.showForm2();
        program.showForm3();
        Form3* f = program.form3IfExists();
        Q_ASSERT(f);
        return *f;
    }
    Form2& editor() { return program.form2(); }
    void setEditor(int position, const QString& text) {
        named<QScrollBar>(editor(), "VScroll1")->setValue(position);
        named<QLineEdit>(editor(), "Text1")->setText(text);
    }
    QStringList errors() const {
        QStringList texts;
        for (const ShownMessage& m : platform.messages)
            if (m.title == QStringLiteral("Ошибка"))
                texts.append(m.text);
        return texts;
    }

    TempWorkFolder folder;
    ScriptedPlatform platform;
    Program program{platform};
};

// Saves through the window in one of the user's ways.
void trigger(Form3& f, const QString& how) {
    if (how == "button")
        click(button(f, "Command1"));
    else if (how == "Return in name box")
        QTest::keyClick(named<QComboBox>(f, "Combo1")->lineEdit(), Qt::Key_Return);
    else
        QTest::keyClick(named<QComboBox>(f, "Combo1"), Qt::Key_Enter);
}

void triggerLoad(Form3& f, const QString& how) {
    if (how == "button")
        click(button(f, "Command2"));
    else if (how == "Return in list")
        QTest::keyClick(named<QListWidget>(f, "Combo2"), Qt::Key_Return);
    else
        QTest::keyClick(named<QListWidget>(f, "Combo2"), Qt::Key_Enter);
}

void addTriggers(const char* second) {
    QTest::addColumn<QString>("how");
    QTest::newRow("button") << "button";
    QTest::newRow(second) << second;
    QTest::newRow("Enter key") << "Enter key";
}

const QByteArray array123 = " 10 \r\n 1 \r\n 2 \r\n 3 \r\n";

} // namespace

class TestForm3 : public QObject {
    Q_OBJECT
  private slots:
    void opensWithStartLayout();
    void openingShowsListedNames_data();
    void openingShowsListedNames();
    void threeOpeningsAddThreeEmptyLines();
    void saveListed_data();
    void saveListed();
    void saveUnlisted();
    void saveTwiceListsTwice();
    void typedNameIsNotCompleted();
    void emptyNameDoesNothing_data();
    void emptyNameDoesNothing();
    void loadSetsEditor_data();
    void loadSetsEditor();
    void loadWithoutSelectionDoesNothing_data();
    void loadWithoutSelectionDoesNothing();
    void saveLoadCycleGrowsTrailingZero();
    void brokenArrayLeavesEditor_data();
    void brokenArrayLeavesEditor();
    void hostileNameSaveRefused_data();
    void hostileNameSaveRefused();
    void hostileNameLoadRefused_data();
    void hostileNameLoadRefused();
    void listEditorRoundTripsBytes_data();
    void listEditorRoundTripsBytes();
    void listEditorSavesTypedLines();
    void listEditorRefusesTextOutsideCodePage();
    void hideThenEditShowsStoredList();
    void closingShowsEditorAndReopensAfresh_data();
    void closingShowsEditorAndReopensAfresh();
    void missingFilesFolderReported();
    void failedListingKeepsNameBox();
};

void TestForm3::opensWithStartLayout() {
    Session s;
    Form3& f = s.open();
    QCOMPARE(f.windowTitle(), QStringLiteral("Сохранение/Загрузка массивов"));
    QCOMPARE(f.windowType(), Qt::Tool);
    QVERIFY(!(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(f.testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(keepsItsSize(&f));
    QVERIFY(f.isVisible());
    QVERIFY(s.editor().isVisible());
    QVERIFY(named<QCheckBox>(f, "Check1")->isChecked());
    QVERIFY(!f.panelShown());
    QVERIFY(button(f, "Command3")->isVisible());
    QVERIFY(!named<QPlainTextEdit>(f, "Text1")->isVisible() &&
            !button(f, "Command4")->isVisible() && !button(f, "Command5")->isVisible());
    QCOMPARE(named<QComboBox>(f, "Combo1")->currentText(), QString());
    QVERIFY(named<QListWidget>(f, "Combo2")->selectedItems().isEmpty());

    // Tab order as the design sheet lists the controls.
    const QList<QWidget*> order = {button(f, "Command1"),
                                   button(f, "Command2"),
                                   named<QComboBox>(f, "Combo1"),
                                   named<QCheckBox>(f, "Check1"),
                                   named<QListWidget>(f, "Combo2"),
                                   button(f, "Command3"),
                                   named<QPlainTextEdit>(f, "Text1"),
                                   button(f, "Command4"),
                                   button(f, "Command5"),
                                   button(f, "Command6")};
    for (qsizetype i = 1; i < order.size(); ++i) {
        // Parts of a control (the name box's line edit, the scroll areas) are passed over.
        QWidget* next = order[i - 1]->nextInFocusChain();
        while (!order.contains(next))
            next = next->nextInFocusChain();
        QCOMPARE(next, order[i]);
    }

    // The controls, with the list editor closed and open, lie apart inside the window, each
    // caption fitting its control.
    QCOMPARE(layoutFault(&f), QString());
    click(button(f, "Command3"));
    QVERIFY(f.panelShown());
    QCOMPARE(layoutFault(&f), QString());
}

void TestForm3::openingShowsListedNames_data() {
    QTest::addColumn<bool>("listExists");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("no SaveList") << false << QByteArray() << QStringList();
    QTest::newRow("two blanks shown, one hidden")
        << true << QByteArray("  \r\n \r\n") << QStringList({"  "});
    QTest::newRow("file order, duplicates, comma")
        << true << QByteArray("b\r\na,b\r\n\r\nb\r\n") << QStringList({"b", "a,b", "b"});
}

void TestForm3::openingShowsListedNames() {
    QFETCH(bool, listExists);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    Session s;
    if (listExists)
        QVERIFY(writeBytes("files/SaveList", bytes));
    Form3& f = s.open();
    QCOMPARE(readBytes("files/SaveList"), bytes + "\r\n");
    QCOMPARE(itemsOf(named<QComboBox>(f, "Combo1")), names);
    QCOMPARE(itemsOf(named<QListWidget>(f, "Combo2")), names);
    QCOMPARE(named<QComboBox>(f, "Combo1")->currentText(), QString());
    QVERIFY(named<QListWidget>(f, "Combo2")->selectedItems().isEmpty());
    QVERIFY(s.platform.messages.isEmpty());
}

void TestForm3::threeOpeningsAddThreeEmptyLines() {
    Session s;
    QVERIFY(writeBytes("files/SaveList", "a\r\n"));
    for (int i = 0; i < 3; ++i) {
        Form3& f = s.open();
        QCOMPARE(itemsOf(named<QListWidget>(f, "Combo2")), QStringList({"a"}));
        click(button(f, "Command6"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!s.program.form3IfExists());
    }
    QCOMPARE(readBytes("files/SaveList"), QByteArray("a\r\n\r\n\r\n\r\n"));
}

void TestForm3::saveListed_data() {
    addTriggers("Return in name box");
}

// Starting from an empty SaveList, a listed save writes the array and CR LF, test, CR LF, CR LF.
void TestForm3::saveListed() {
    QFETCH(QString, how);
    Session s;
    QVERIFY(writeBytes("files/SaveList", QByteArray()));
    Form3& f = s.open();
    s.setEditor(10, "1 2 3");
    QTest::keyClicks(named<QComboBox>(f, "Combo1")->lineEdit(), "test");
    trigger(f, how);
    QCOMPARE(readBytes("files/test"), array123);
    QCOMPARE(readBytes("files/SaveList"), QByteArray("\r\ntest\r\n\r\n"));
    QCOMPARE(itemsOf(named<QComboBox>(f, "Combo1")), QStringList({"test"}));
    QCOMPARE(itemsOf(named<QListWidget>(f, "Combo2")), QStringList({"test"}));
    QCOMPARE(named<QComboBox>(f, "Combo1")->currentText(), QString());
    QVERIFY(s.platform.messages.isEmpty());
}

void TestForm3::saveUnlisted() {
    Session s;
    QVERIFY(writeBytes("files/SaveList", "old\r\n"));
    Form3& f = s.open();
    click(named<QCheckBox>(f, "Check1"));
    QVERIFY(!named<QCheckBox>(f, "Check1")->isChecked());
    s.setEditor(8, "");
    type(named<QComboBox>(f, "Combo1")->lineEdit(), QStringLiteral("Мой массив"));
    click(button(f, "Command1"));
    QCOMPARE(readBytes(QStringLiteral("files/Мой массив")), QByteArray(" 8 \r\n"));
    QCOMPARE(readBytes("files/SaveList"), QByteArray("old\r\n\r\n"));
    QCOMPARE(itemsOf(named<QComboBox>(f, "Combo1")), QStringList({"old"}));
    QCOMPARE(itemsOf(named<QListWidget>(f, "Combo2")), QStringList({"old"}));
    QCOMPARE(named<QComboBox>(f, "Combo1")->currentText(), QStringLiteral("Мой массив"));
}

void TestForm3::saveTwiceListsTwice() {
    Session s;
    Form3& f = s.open();
    // The list editor panel keeps its old text while the lists are refreshed.
    click(button(f, "Command3"));
    const QString panelText = named<QPlainTextEdit>(f, "Text1")->toPlainText();
    for (int i = 0; i < 2; ++i) {
        QTest::keyClicks(named<QComboBox>(f, "Combo1")->lineEdit(), "test");
        click(button(f, "Command1"));
    }
    QCOMPARE(itemsOf(named<QComboBox>(f, "Combo1")), QStringList({"test", "test"}));
    QCOMPARE(itemsOf(named<QListWidget>(f, "Combo2")), QStringList({"test", "test"}));
    QCOMPARE(readBytes("files/SaveList"), QByteArray("\r\ntest\r\n\r\ntest\r\n\r\n"));
    QVERIFY(f.panelShown());
    QCOMPARE(named<QPlainTextEdit>(f, "Text1")->toPlainText(), panelText);
}

// A listed name that begins with the typed one does not take its place.
void TestForm3::typedNameIsNotCompleted() {
    Session s;
    QVERIFY(writeBytes("files/SaveList", "testing\r\n"));
    Form3& f = s.open();
    QTest::keyClicks(named<QComboBox>(f, "Combo1")->lineEdit(), "test");
    QCOMPARE(named<QComboBox>(f, "Combo1")->currentText(), QString("test"));
    QTest::keyClick(named<QComboBox>(f, "Combo1")->lineEdit(), Qt::Key_Return);
    QVERIFY(QFile::exists("files/test"));
    QVERIFY(!QFile::exists("files/testing"));
    QCOMPARE(itemsOf(named<QListWidget>(f, "Combo2")), QStringList({"testing", "test"}));
}

void TestForm3::emptyNameDoesNothing_data() {
    addTriggers("Return in name box");
}

void TestForm3::emptyNameDoesNothing() {
    QFETCH(QString, how);
    Session s;
    Form3& f = s.open();
    trigger(f, how);
    QCOMPARE(filesBelow(s.folder.path()), QStringList({"files/SaveList"}));
    QCOMPARE(readBytes("files/SaveList"), QByteArray("\r\n"));
    QVERIFY(s.platform.messages.isEmpty());
}

void TestForm3::loadSetsEditor_data() {
    addTriggers("Return in list");
}

void TestForm3::loadSetsEditor() {
    QFETCH(QString, how);
    Session s;
    QVERIFY(writeBytes("files/SaveList", "other\r\nsys\r\n"));
    QVERIFY(writeBytes("files/sys", " 10 \r\n 2 \r\n 1 \r\n 3 \r\n 1 \r\n 3 \r\n 5 \r\n"));
    Form3& f = s.open();
    QCOMPARE(s.editor().order().value(), 4);
    selectEntry(named<QListWidget>(f, "Combo2"), 1);
    triggerLoad(f, how);
    QCOMPARE(s.editor().order().value(), 2);
    QCOMPARE(named<QScrollBar>(s.editor(), "VScroll1")->value(), 10);
    QCOMPARE(named<QLineEdit>(s.editor(), "Text1")->text(), QString("2 1 3 1 3 5 "));
    const Matrix& m = s.program.store().matrix;
    QCOMPARE(m.order(), 2);
    QCOMPARE(m.rows(), 2);
    const double expected[2][3] = {{2, 1, 3}, {1, 3, 5}};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j)
            QCOMPARE(m(i, j), expected[i][j]);
    QVERIFY(s.platform.messages.isEmpty());
    QVERIFY(f.isVisible());
}

void TestForm3::loadWithoutSelectionDoesNothing_data() {
    addTriggers("Return in list");
}

void TestForm3::loadWithoutSelectionDoesNothing() {
    QFETCH(QString, how);
    Session s;
    QVERIFY(writeBytes("files/SaveList", "sys\r\n"));
    QVERIFY(writeBytes("files/sys", array123));
    Form3& f = s.open();
    const EditorState before = stateOf(s.program);
    triggerLoad(f, how);
    QVERIFY(stateOf(s.program) == before);
    QVERIFY(s.platform.messages.isEmpty());
}

// A load ends the entry text in a blank, so each save after a load adds one 0; the first line
// 8.5 loads as position 8 (order 4).
void TestForm3::saveLoadCycleGrowsTrailingZero() {
    Session s;
    Form3& f = s.open();
    click(named<QCheckBox>(f, "Check1")); // unlisted, so the list stays "r" alone
    s.setEditor(10, "1 2 3");
    QTest::keyClicks(named<QComboBox>(f, "Combo1")->lineEdit(), "r");
    click(button(f, "Command1"));
    QCOMPARE(readBytes("files/r"), array123);
    QVERIFY(writeBytes("files/SaveList", "r\r\n"));
    click(button(f, "Command3"));
    click(button(f, "Command4")); // the list editor's save reloads the lists
    QCOMPARE(itemsOf(named<QListWidget>(f, "Combo2")), QStringList({"r"}));
    for (int zeros = 1; zeros <= 2; ++zeros) {
        s.setEditor(3, "9 9");
        selectEntry(named<QListWidget>(f, "Combo2"), 0);
        click(button(f, "Command2"));
        QCOMPARE(named<QScrollBar>(s.editor(), "VScroll1")->value(), 10);
        QCOMPARE(named<QLineEdit>(s.editor(), "Text1")->text(),
                 "1 2 3 " + QString("0 ").repeated(zeros - 1));
        named<QComboBox>(f, "Combo1")->setEditText("r");
        click(button(f, "Command1"));
        QCOMPARE(readBytes("files/r"), array123 + QByteArray(" 0 \r\n").repeated(zeros));
    }
    QVERIFY(writeBytes("files/r", " 8.5 \r\n 7 \r\n"));
    selectEntry(named<QListWidget>(f, "Combo2"), 0);
    click(button(f, "Command2"));
    QCOMPARE(named<QScrollBar>(s.editor(), "VScroll1")->value(), 8);
    QCOMPARE(s.editor().order().value(), 4);
    QCOMPARE(named<QLineEdit>(s.editor(), "Text1")->text(), QString("7 "));
    QVERIFY(s.platform.messages.isEmpty());
}

void TestForm3::brokenArrayLeavesEditor_data() {
    QTest::addColumn<QByteArray>("bytes"); // "<missing>": no file; "<folder>": a folder
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QByteArray("<missing>") << QStringLiteral("не найден");
    QTest::newRow("folder") << QByteArray("<folder>") << QStringLiteral("папка");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("пуст");
    QTest::newRow("text first") << QByteArray("abc\r\n 1 \r\n") << QStringLiteral("«abc»");
    QTest::newRow("order too high") << QByteArray(" 11 \r\n 1 \r\n") << QStringLiteral("«11»");
    QTest::newRow("order too low") << QByteArray(" 1.4 \r\n") << QStringLiteral("«1.4»");
    QTest::newRow("empty first line") << QByteArray("\r\n 10 \r\n") << QStringLiteral("«»");
}

void TestForm3::brokenArrayLeavesEditor() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    Session s;
    QVERIFY(writeBytes("files/SaveList", "bad\r\n"));
    if (bytes == "<folder>")
        QVERIFY(QDir().mkdir("files/bad"));
    else if (bytes != "<missing>")
        QVERIFY(writeBytes("files/bad", bytes));
    Form3& f = s.open();
    const EditorState before = stateOf(s.program);
    selectEntry(named<QListWidget>(f, "Combo2"), 0);
    click(button(f, "Command2"));
    QVERIFY(stateOf(s.program) == before);
    const QStringList errors = s.errors();
    QCOMPARE(errors.size(), 1);
    QCOMPARE(s.platform.messages.size(), 1);
    QVERIFY2(errors[0].contains("files/bad"), qPrintable(errors[0]));
    QVERIFY2(errors[0].contains(reason), qPrintable(errors[0]));
}

namespace {

void addHostileNames() {
    QTest::addColumn<QString>("name");
    QTest::newRow("parent folder") << "../x";
    QTest::newRow("sub folder") << "a/b";
    QTest::newRow("backslash") << "a\\b";
    QTest::newRow("device") << "CON";
    QTest::newRow("answer log") << "lastans";
    QTest::newRow("answer log upper case") << "LASTANS";
    QTest::newRow("name list") << "savelist";
    QTest::newRow("control character") << "a\x01z";
    QTest::newRow("65 characters") << QString(65, 'n');
    QTest::newRow("leading blank") << " a";
}

} // namespace

void TestForm3::hostileNameSaveRefused_data() {
    addHostileNames();
    QTest::newRow("check mark") << QStringLiteral("✓");
}

void TestForm3::hostileNameSaveRefused() {
    QFETCH(QString, name);
    Session s;
    QVERIFY(QDir().mkdir("files/a"));
    Form3& f = s.open();
    named<QComboBox>(f, "Combo1")->setEditText(name);
    click(button(f, "Command1"));
    QCOMPARE(filesBelow(s.folder.path()), QStringList({"files/SaveList"}));
    QCOMPARE(readBytes("files/SaveList"), QByteArray("\r\n"));
    QCOMPARE(s.errors().size(), 1);
    QCOMPARE(s.platform.messages.size(), 1);
    QCOMPARE(named<QComboBox>(f, "Combo1")->currentText(), name);
}

void TestForm3::hostileNameLoadRefused_data() {
    addHostileNames();
}

// The listed name points at a real array file, which is not read.
void TestForm3::hostileNameLoadRefused() {
    QFETCH(QString, name);
    Session s;
    QVERIFY(QDir().mkdir("files/a"));
    QByteArray line = name.toLatin1();
    QVERIFY(writeBytes("files/SaveList", line + "\r\n"));
    const QString target = QDir::cleanPath("files/" + name);
    if (!name.contains('\\'))
        QVERIFY(writeBytes(target, array123));
    Form3& f = s.open();
    QCOMPARE(itemsOf(named<QListWidget>(f, "Combo2")), QStringList({name}));
    const EditorState before = stateOf(s.program);
    selectEntry(named<QListWidget>(f, "Combo2"), 0);
    QTest::keyClick(named<QListWidget>(f, "Combo2"), Qt::Key_Return);
    QVERIFY(stateOf(s.program) == before);
    QCOMPARE(s.errors().size(), 1);
    QCOMPARE(s.platform.messages.size(), 1);
}

void TestForm3::listEditorRoundTripsBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("names and blank lines")
        << QByteArray("\r\ntest\r\n\r\n  \r\n \r\nb\r\n") << QString("\ntest\n\n  \n \nb\n");
    QTest::newRow("comma in a line") << QByteArray("a,b\r\n") << QString("a,b\n");
    QTest::newRow("non-breaking blank and tab")
        << QByteArray("\xa0x\r\n\t\r\n") << QString(QChar(0xa0)) + "x\n\t\n";
    QTest::newRow("lone LF inside a line") << QByteArray("a\nb\r\n") << QString("a\nb\n");
}

// Shown in the list editor and saved untouched, SaveList keeps its bytes (then the lists reload,
// which adds the usual empty line).
void TestForm3::listEditorRoundTripsBytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    Session s;
    QVERIFY(writeBytes("files/SaveList", bytes));
    Form3& f = s.open();
    const QByteArray opened = bytes + "\r\n";
    QCOMPARE(readBytes("files/SaveList"), opened);
    click(button(f, "Command3"));
    QVERIFY(f.panelShown());
    QVERIFY(named<QPlainTextEdit>(f, "Text1")->isVisible() && button(f, "Command4")->isVisible() &&
            button(f, "Command5")->isVisible());
    QVERIFY(!button(f, "Command3")->isVisible());
    QCOMPARE(named<QPlainTextEdit>(f, "Text1")
                 ->document()
                 ->toRawText()
                 .replace(QChar::ParagraphSeparator, '\n'),
             shown);
    const QStringList names = itemsOf(named<QListWidget>(f, "Combo2"));
    click(button(f, "Command4"));
    QCOMPARE(readBytes("files/SaveList"), opened + "\r\n");
    QVERIFY(f.panelShown());
    QCOMPARE(named<QPlainTextEdit>(f, "Text1")
                 ->document()
                 ->toRawText()
                 .replace(QChar::ParagraphSeparator, '\n'),
             shown);
    QCOMPARE(itemsOf(named<QListWidget>(f, "Combo2")), names);
    QVERIFY(s.platform.messages.isEmpty());
}

void TestForm3::listEditorSavesTypedLines() {
    Session s;
    QVERIFY(writeBytes("files/SaveList", "a,b\r\n\xa0x\r\n"));
    Form3& f = s.open();
    click(button(f, "Command3"));
    // The user splits the first line at its comma and types a name into the last, empty line;
    // the untouched line keeps its non-breaking blank.
    named<QPlainTextEdit>(f, "Text1")->moveCursor(QTextCursor::Start);
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(named<QPlainTextEdit>(f, "Text1"), Qt::Key_Right);
    QTest::keyClick(named<QPlainTextEdit>(f, "Text1"), Qt::Key_Backspace);
    QTest::keyClick(named<QPlainTextEdit>(f, "Text1"), Qt::Key_Return);
    named<QPlainTextEdit>(f, "Text1")->moveCursor(QTextCursor::End);
    type(named<QPlainTextEdit>(f, "Text1"), QStringLiteral("новый"));
    click(button(f, "Command4"));
    QCOMPARE(readBytes("files/SaveList"),
             QByteArray("a\r\nb\r\n\xa0x\r\n\xed\xee\xe2\xfb\xe9\r\n\r\n"));
    const QStringList names = {"a", "b", QChar(0xa0) + QString("x"), QStringLiteral("новый")};
    QCOMPARE(itemsOf(named<QComboBox>(f, "Combo1")), names);
    QCOMPARE(itemsOf(named<QListWidget>(f, "Combo2")), names);
    QVERIFY(f.panelShown());
}

void TestForm3::listEditorRefusesTextOutsideCodePage() {
    Session s;
    QVERIFY(writeBytes("files/SaveList", "a\r\n"));
    Form3& f = s.open();
    click(button(f, "Command3"));
    named<QPlainTextEdit>(f, "Text1")->moveCursor(QTextCursor::End);
    type(named<QPlainTextEdit>(f, "Text1"), QStringLiteral("✓"));
    click(button(f, "Command4"));
    QCOMPARE(readBytes("files/SaveList"), QByteArray("a\r\n\r\n"));
    const QStringList errors = s.errors();
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors[0].contains(QStringLiteral("✓")));
    QVERIFY(errors[0].contains("files/SaveList"));
    QCOMPARE(itemsOf(named<QListWidget>(f, "Combo2")), QStringList({"a"}));
}

void TestForm3::hideThenEditShowsStoredList() {
    Session s;
    QVERIFY(writeBytes("files/SaveList", "a\r\n"));
    Form3& f = s.open();
    click(button(f, "Command3"));
    QTest::keyClicks(named<QPlainTextEdit>(f, "Text1"), "typed");
    click(button(f, "Command5"));
    QVERIFY(!f.panelShown());
    QVERIFY(button(f, "Command3")->isVisible() && !named<QPlainTextEdit>(f, "Text1")->isVisible() &&
            !button(f, "Command4")->isVisible());
    QVERIFY(named<QPlainTextEdit>(f, "Text1")->toPlainText().contains("typed"));
    QCOMPARE(readBytes("files/SaveList"), QByteArray("a\r\n\r\n"));
    click(button(f, "Command3"));
    QCOMPARE(named<QPlainTextEdit>(f, "Text1")->toPlainText(), QString("a\n"));
}

void TestForm3::closingShowsEditorAndReopensAfresh_data() {
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Готово") << false;
    QTest::newRow("close box") << true;
}

void TestForm3::closingShowsEditorAndReopensAfresh() {
    QFETCH(bool, closeBox);
    Session s;
    Form3& f = s.open();
    click(button(f, "Command3"));
    click(named<QCheckBox>(f, "Check1"));
    named<QComboBox>(f, "Combo1")->setEditText("typed");
    // The editor's "Готово" hides the editor and leaves this window open on its own.
    click(button(s.editor(), "Command4"));
    QVERIFY(!s.editor().isVisible());
    QVERIFY(f.isVisible());
    if (closeBox)
        QVERIFY(f.close());
    else
        click(button(f, "Command6"));
    QVERIFY(s.editor().isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!s.program.form3IfExists());
    Form3& again = s.open();
    QVERIFY(named<QCheckBox>(again, "Check1")->isChecked());
    QVERIFY(!again.panelShown());
    QVERIFY(button(again, "Command3")->isVisible() &&
            !named<QPlainTextEdit>(again, "Text1")->isVisible());
    QCOMPARE(named<QComboBox>(again, "Combo1")->currentText(), QString());
    QCOMPARE(named<QPlainTextEdit>(again, "Text1")->toPlainText(), QString());
    QVERIFY(s.platform.messages.isEmpty());
}

void TestForm3::missingFilesFolderReported() {
    Session s(false);
    Form3& f = s.open();
    QCOMPARE(s.errors().size(), 1);
    QVERIFY(s.errors()[0].contains("files/SaveList"));
    QCOMPARE(named<QListWidget>(f, "Combo2")->count(), 0);
    named<QComboBox>(f, "Combo1")->setEditText("x");
    click(button(f, "Command1"));
    QCOMPARE(s.errors().size(), 2);
    QVERIFY(s.errors()[1].contains("files/x"));
    QVERIFY(!QDir("files").exists());
    QCOMPARE(filesBelow(s.folder.path()), QStringList());
}

// The array is written, but the name cannot be listed: the name box keeps the name.
void TestForm3::failedListingKeepsNameBox() {
    Session s;
    QVERIFY(QDir().mkdir("files/SaveList"));
    Form3& f = s.open();
    QCOMPARE(s.errors().size(), 1);
    s.setEditor(10, "1 2 3");
    named<QComboBox>(f, "Combo1")->setEditText("x");
    click(button(f, "Command1"));
    QCOMPARE(readBytes("files/x"), array123);
    QCOMPARE(s.errors().size(), 2);
    QVERIFY(s.errors()[1].contains("files/SaveList"));
    QCOMPARE(named<QComboBox>(f, "Combo1")->currentText(), QString("x"));
}

QTEST_MAIN(TestForm3)
#include "test_form3.moc"
