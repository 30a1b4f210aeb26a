// What assistive technology finds in every window, walked through the QAccessible interfaces as a
// screen reader walks them: every control named (its caption, else its tooltip), controls of the
// same caption told apart, the answer area's text readable, every window announced as a window or
// a dialog, the menus' check items as checkable, and the order scroll bar by the order.
#include "program_fixture.h"

#include "windows/extras/form4.h"
#include "windows/library/form3.h"
#include "windows/main/steps_window.h"

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
    void windowRoles_data();
    void windowRoles();
    void menuItemsRead_data();
    void menuItemsRead();
    void orderBarReadsTheOrder_data();
    void orderBarReadsTheOrder();
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
        f.click(f.main().command1);
        w = &f.editor();
    } else if (window == u"Form3") {
        f.click(f.main().command1);
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
    f.click(f.main().command3);
    QAccessibleInterface* area = QAccessible::queryAccessibleInterface(f.main().picture1);
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
    QAccessibleInterface* matrix = QAccessible::queryAccessibleInterface(f.main().label1);
    QCOMPARE(matrix->text(QAccessible::Description),
             QStringLiteral("2.000  1.000  3.000  \n0.000  2.500  3.500  \n"));
    QAccessibleInterface* preview = QAccessible::queryAccessibleInterface(f.editor().label1);
    QCOMPARE(preview->text(QAccessible::Description), f.editor().label1->text());
    QVERIFY(preview->text(QAccessible::Description).contains(u'|'));
    f.main().picture1->cls();
    QCOMPARE(area->text(QAccessible::Value), QString());
    QCOMPARE(text->characterCount(), 0);
}

void TestAccessibility::windowRoles_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::newRow("main window") << "Form1" << int(QAccessible::Window)
                                 << "Решение систем уравнений";
    QTest::newRow("editor") << "Form2" << int(QAccessible::Window) << "Редактор массивов";
    QTest::newRow("save/load window")
        << "Form3" << int(QAccessible::Dialog) << "Сохранение/Загрузка массивов";
    QTest::newRow("about window") << "Form4" << int(QAccessible::Dialog) << "О программе";
    QTest::newRow("steps window") << "Steps" << int(QAccessible::Window) << "Решение по шагам";
}

void TestAccessibility::windowRoles() {
    QFETCH(QString, window);
    QFETCH(int, role);
    QFETCH(QString, name);
    ProgramFixture f;
    QWidget* w = &f.main();
    if (window == u"Steps") {
        f.enter(2, QStringLiteral("2 1 3 1 3 5"));
        f.click(f.main().command3);
        f.main().stepsClick();
        w = f.main().stepsWindow();
    } else if (window != u"Form1") {
        f.click(f.main().command1);
        w = &f.editor();
        if (window == u"Form3") {
            f.editor().command3Click();
            w = f.program->form3IfExists();
        } else if (window == u"Form4") {
            f.editor().about->trigger();
            w = f.program->form4IfExists();
        }
    }
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    QVERIFY(iface);
    QCOMPARE(int(iface->role()), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    // The application lists it among its windows.
    QAccessibleInterface* app = QAccessible::queryAccessibleInterface(qApp);
    QVERIFY(app->indexOfChild(iface) >= 0);
}

void TestAccessibility::menuItemsRead_data() {
    QTest::addColumn<bool>("editor");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("checkable");
    for (const bool editor : {false, true}) {
        const QString w = editor ? QStringLiteral("editor, ") : QStringLiteral("main window, ");
        QTest::newRow(qPrintable(w + "graph")) << editor << "graph"
                                               << "Разрешить графику" << true;
        QTest::newRow(qPrintable(w + "stoper")) << editor << "stoper"
                                                << "Разрешить анимацию" << true;
        QTest::newRow(qPrintable(w + "about")) << editor << "about"
                                               << "О программе" << false;
    }
    QTest::newRow("main window, Exit") << false << "Exit"
                                       << "Выход из программы" << false;
    QTest::newRow("editor, loadsave") << true << "loadsave"
                                      << "Загрузить/сохранить массив" << false;
}

void TestAccessibility::menuItemsRead() {
    QFETCH(bool, editor);
    QFETCH(QString, item);
    QFETCH(QString, name);
    QFETCH(bool, checkable);
    ProgramFixture f;
    QMainWindow* w = &f.main();
    if (editor) {
        f.click(f.main().command1);
        w = &f.editor();
    }
    auto* action = w->findChild<QAction*>(item);
    QVERIFY(action && action->text().contains(u'&'));
    QMenu* menu = nullptr;
    for (QAction* title : w->menuBar()->actions())
        if (title->menu()->actions().contains(action))
            menu = title->menu();
    QVERIFY(menu);
    // Found as the screen reader finds it: as a child of its menu.
    QAccessibleInterface* menuIface = QAccessible::queryAccessibleInterface(menu);
    QAccessibleInterface* iface = menuIface->child(int(menu->actions().indexOf(action)));
    QVERIFY(iface);
    QCOMPARE(iface->object(), action);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->parent()->object(), menu);
    QCOMPARE(bool(iface->state().checkable), checkable);
    QCOMPARE(int(iface->role()), int(checkable ? QAccessible::CheckBox : QAccessible::MenuItem));
    if (!checkable)
        return;
    QVERIFY(iface->state().checked);
    // "Разрешить анимацию" off takes both marks' states with it: the animation's mark off, and
    // the scene's on and enabled.
    w->findChild<QAction*>(QStringLiteral("stoper"))->trigger();
    QCOMPARE(bool(iface->state().checked), item == u"graph");
    QCOMPARE(bool(iface->state().disabled), false);
}

void TestAccessibility::orderBarReadsTheOrder_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("setTo"); // the order set through the value interface
    QTest::newRow("3, set to 7") << 3 << 7;
    QTest::newRow("10, set to 2") << 10 << 2;
    QTest::newRow("2, set to 10") << 2 << 10;
}

void TestAccessibility::orderBarReadsTheOrder() {
    QFETCH(int, order);
    QFETCH(int, setTo);
    ProgramFixture f;
    f.click(f.main().command1);
    Form2& e = f.editor();
    e.vscroll1->setValue(12 - order);
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(e.vscroll1);
    QVERIFY(bar->text(QAccessible::Name).contains(QStringLiteral("Порядок")));
    QAccessibleValueInterface* value = bar->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->currentValue().toInt(), order);
    QCOMPARE(bar->text(QAccessible::Value), QString::number(order));
    QCOMPARE(value->minimumValue().toInt(), 2);
    QCOMPARE(value->maximumValue().toInt(), 10);
    value->setCurrentValue(setTo);
    QCOMPARE(e.text2->text(), QString::number(setTo));
    QCOMPARE(value->currentValue().toInt(), setTo);
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
