// What assistive technology finds in every window, walked through the QAccessible interfaces as a
// screen reader walks them: every control named (its caption, else its tooltip), controls of the
// same caption told apart, the answer area's text readable, every window announced as a window or
// a dialog, the menus' check items as checkable, and the order scroll bar by the order.
#include "program_windows.h"

#include <QAccessible>
#include <QMap>
#include <QMenu>
#include <QMenuBar>

namespace {

struct Found {
    QString name;
    QAccessible::Role role;
};

// Every named widget below the window's interface (the window itself left out), by object name.
void collect(QAccessibleInterface* iface, QMap<QString, Found>& found, int depth = 0) {
    if (!iface || depth > 20)
        return;
    if (QObject* object = iface->object(); depth > 0 && object && object->isWidgetType()) {
        const QString name = object->objectName();
        if (!name.isEmpty() && name != u"client" && !name.startsWith(u"qt_"))
            found.insert(name, {iface->text(QAccessible::Name), iface->role()});
    }
    for (int i = 0; i < iface->childCount(); ++i)
        collect(iface->child(i), found, depth + 1);
}

QMap<QString, Found> walk(QWidget* window) {
    QMap<QString, Found> found;
    collect(QAccessible::queryAccessibleInterface(window), found);
    return found;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
  private slots:
    void everyControlNamed_data();
    void everyControlNamed();
    void answerAreaExposesItsText();
    void readAsAScreenReaderReads_data();
    void readAsAScreenReaderReads();
};

void TestAccessibility::everyControlNamed_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("names"); // control, name, control, name, ...
    QTest::newRow("main window")
        << "Form1"
        << QStringList{"Command1", "Ввести данные",      "Text1",    "Ввести матрицу",
                       "Command3", "Решить массив",      "Picture1", "Сюда выводится ответ",
                       "Command2", "Первый ответ",       "Command7", "Следующий ответ",
                       "Command8", "Последний ответ",    "Command4", "Все ответы",
                       "Text2",    "Содержимое LastAns", "Label1",   "Преобразованный массив",
                       "Command5", "Сохранить",          "Command6", "Скрыть"};
    QTest::newRow("editor") << "Form2"
                            << QStringList{"Text1",    "Содержимое массива",
                                           "Label1",   "Массив",
                                           "Text2",    "Порядок массива",
                                           "Command1", "Случайное содержимое массива",
                                           "VScroll1", "Порядок массива",
                                           "Command2", "Случайный порядок массива",
                                           "Command3", "Сохранить/загрузить готовый массив",
                                           "Command4", "Готово"};
    QTest::newRow("save/load window")
        << "Form3" << QStringList{"Command1", "Сохранить",
                                  "Command2", "Загрузить",
                                  "Combo1",   "В какой файл сохраняем",
                                  "Check1",   "Добавить в список",
                                  "Combo2",   "Список доступных массивов",
                                  "Command3", "Редактировать список",
                                  "Text1",    "Содержимое SaveList",
                                  "Command4", "Сохранить новое содержимое в SaveList",
                                  "Command5", "Скрыть",
                                  "Command6", "Готово"};
    QTest::newRow("about window")
        << "Form4"
        << QStringList{
               "Label1", "О программе",
               "Label3", "Программа предназначена для решения систем уравнений 2-10 порядка.",
               "Label4", "Создатель",
               "Image1", "Пример системы уравнений и её решения"};
}

void TestAccessibility::everyControlNamed() {
    QFETCH(QString, window);
    QFETCH(QStringList, names);
    ProgramFixture f;
    std::unique_ptr<Form4> about;
    QWidget* w = nullptr;
    if (window == u"Form1") {
        w = &f.main();
    } else if (window == u"Form2") {
        f.click(button(f.main(), "Command1"));
        w = &f.editor();
    } else if (window == u"Form3") {
        f.click(button(f.main(), "Command1"));
        f.editor().command3Click();
        w = f.program->form3IfExists();
    } else {
        about = std::make_unique<Form4>();
        about->show();
        w = about.get();
    }
    const QMap<QString, Found> found = walk(w);
    for (qsizetype i = 0; i + 1 < names.size(); i += 2) {
        QVERIFY2(found.contains(names[i]), qPrintable(names[i] + " not reached"));
        QCOMPARE(found[names[i]].name, names[i + 1]);
    }
    // Nothing the walk reaches is left without a name, and no two controls share one but the
    // order box and its scroll bar, which are two ways to the same setting.
    QMap<QString, QStringList> byName;
    for (auto it = found.cbegin(); it != found.cend(); ++it) {
        QVERIFY2(!it->name.isEmpty(), qPrintable(it.key() + " has no accessible name"));
        byName[it->name].append(it.key());
    }
    for (auto it = byName.cbegin(); it != byName.cend(); ++it) {
        const bool orderPair = *it == QStringList{"Text2", "VScroll1"};
        QVERIFY2(it->size() == 1 || orderPair, qPrintable(it.key() + ": " + it->join(u' ')));
    }
}

void TestAccessibility::answerAreaExposesItsText() {
    ProgramFixture f;
    f.enter(2, QStringLiteral("2 1 3 1 3 5"));
    f.click(button(f.main(), "Command3"));
    QAccessibleInterface* area =
        QAccessible::queryAccessibleInterface(named<AnswerArea>(f.main(), "Picture1"));
    QVERIFY(area);
    QCOMPARE(area->role(), QAccessible::StaticText);
    QCOMPARE(area->text(QAccessible::Name), QStringLiteral("Сюда выводится ответ"));
    QCOMPARE(area->text(QAccessible::Value), QStringLiteral("0.800  1.400  "));
    QAccessibleTextInterface* text = area->textInterface();
    QVERIFY(text);
    QCOMPARE(text->characterCount(), 14);
    QCOMPARE(text->text(0, text->characterCount()), QStringLiteral("0.800  1.400  "));
    QCOMPARE(text->text(7, 12), QStringLiteral("1.400"));
    // A later print is read too: the area holds what it shows, no more.
    f.main().lastansClick();
    QCOMPARE(area->text(QAccessible::Value), QStringLiteral("0.800  1.400  "));
    // The eliminated matrix is read as the label's description, as is the editor's preview.
    QAccessibleInterface* matrix =
        QAccessible::queryAccessibleInterface(named<MatrixLabel>(f.main(), "Label1"));
    QCOMPARE(matrix->text(QAccessible::Description),
             QStringLiteral("2.000  1.000  3.000  \n0.000  2.500  3.500  \n"));
    QAccessibleInterface* preview =
        QAccessible::queryAccessibleInterface(named<QLabel>(f.editor(), "Label1"));
    QCOMPARE(preview->text(QAccessible::Description), named<QLabel>(f.editor(), "Label1")->text());
    QVERIFY(preview->text(QAccessible::Description).contains(u'|'));
    named<AnswerArea>(f.main(), "Picture1")->cls();
    QCOMPARE(area->text(QAccessible::Value), QString());
    QCOMPARE(text->characterCount(), 0);
}

void TestAccessibility::readAsAScreenReaderReads_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("object"); // empty for the window itself
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    auto row = [](const char* window, const char* object, QAccessible::Role role,
                  const char* name) {
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(window, object)))
            << QString(window) << QString(object) << int(role) << QString::fromUtf8(name);
    };
    row("Form1", "", QAccessible::Window, "Решение систем уравнений");
    row("Form2", "", QAccessible::Window, "Редактор массивов");
    row("Form3", "", QAccessible::Dialog, "Сохранение/Загрузка массивов");
    row("Form4", "", QAccessible::Dialog, "О программе");
    row("Steps", "", QAccessible::Window, "Решение по шагам");
    // Menu items without their access-key mark, the check items as checkable.
    for (const char* w : {"Form1", "Form2"}) {
        row(w, "graph", QAccessible::CheckBox, "Разрешить графику");
        row(w, "stoper", QAccessible::CheckBox, "Разрешить анимацию");
        row(w, "about", QAccessible::MenuItem, "О программе");
    }
    row("Form1", "Exit", QAccessible::MenuItem, "Выход из программы");
    row("Form2", "loadsave", QAccessible::MenuItem, "Загрузить/сохранить массив");
    row("Form2", "VScroll1", QAccessible::SpinBox, "Порядок массива");
}

void TestAccessibility::readAsAScreenReaderReads() {
    QFETCH(QString, window);
    QFETCH(QString, object);
    QFETCH(int, role);
    QFETCH(QString, name);
    ProgramFixture f;
    QWidget* w = openWindow(f, window);
    QObject* o = object.isEmpty() ? w : w->findChild<QObject*>(object);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(o);
    if (auto* action = qobject_cast<QAction*>(o)) {
        // Found as the screen reader finds it: as a child of its menu.
        QMenu* menu = nullptr;
        for (QAction* title : static_cast<QMainWindow*>(w)->menuBar()->actions())
            if (title->menu()->actions().contains(action))
                menu = title->menu();
        QVERIFY(menu && action->text().contains(u'&'));
        iface = QAccessible::queryAccessibleInterface(menu)->child(
            int(menu->actions().indexOf(action)));
        QVERIFY(iface && iface->object() == action && iface->parent()->object() == menu);
        QCOMPARE(bool(iface->state().checkable), role == QAccessible::CheckBox);
    }
    QVERIFY(iface);
    QCOMPARE(int(iface->role()), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    // The application lists the window among its windows.
    if (object.isEmpty())
        QVERIFY(QAccessible::queryAccessibleInterface(qApp)->indexOfChild(iface) >= 0);
    if (role == QAccessible::CheckBox) {
        QVERIFY(iface->state().checked);
        // "Разрешить анимацию" off takes both marks' states with it: the animation's mark off,
        // and the scene's on and enabled.
        w->findChild<QAction*>(QStringLiteral("stoper"))->trigger();
        QCOMPARE(bool(iface->state().checked), object == u"graph");
        QCOMPARE(bool(iface->state().disabled), false);
    }
    // The order scroll bar reads and takes the order the editor shows, not its position.
    if (object == u"VScroll1") {
        QAccessibleValueInterface* value = iface->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->minimumValue().toInt(), 2);
        QCOMPARE(value->maximumValue().toInt(), 10);
        for (const int order : {7, 2, 10, 3}) {
            QCOMPARE(value->currentValue().toString(),
                     named<QLineEdit>(f.editor(), "Text2")->text());
            QCOMPARE(iface->text(QAccessible::Value),
                     named<QLineEdit>(f.editor(), "Text2")->text());
            value->setCurrentValue(order);
            QCOMPARE(named<QLineEdit>(f.editor(), "Text2")->text(), QString::number(order));
        }
    }
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
