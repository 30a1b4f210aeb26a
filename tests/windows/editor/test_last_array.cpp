// The last-array file: the bytes "Сохранить в последний массив" writes, the round trips of a load,
// the messages of a missing, empty or damaged file, and "Создать SaveList".
#include "program_fixture.h"

#include <QAction>
#include <QDir>
#include <QTest>

namespace {

const QString lastArray = QStringLiteral("files/LostMas");

} // namespace

class TestLastArray : public QObject {
    Q_OBJECT
  private slots:
    void saveBytes_data();
    void saveBytes();
    void trailingBlankGrowsByZero();
    void emptyTextRoundTrip();
    void loadWithoutFile();
    void twoLoadsInARow();
    void loadSetsOrderAndMatrix();
    void damagedFirstValue_data();
    void damagedFirstValue();
    void loadRoundsHalvesToEven();
    void saveFailureIsReported();
    void createList_data();
    void createList();
};

void TestLastArray::saveBytes_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("digits") << 10 << QStringLiteral("1 2 3 4 5 6")
                            << QByteArray(" 10 \r\n 1 \r\n 2 \r\n 3 \r\n 4 \r\n 5 \r\n 6 \r\n");
    QTest::newRow("trailing blank")
        << 10 << QStringLiteral("1 2 ") << QByteArray(" 10 \r\n 1 \r\n 2 \r\n 0 \r\n");
    QTest::newRow("values") << 8 << QStringLiteral("-2.5 x 1e20 0.001 1e-5")
                            << QByteArray(
                                   " 8 \r\n-2.5 \r\n 0 \r\n 1E+20 \r\n 0.001 \r\n 1E-05 \r\n");
    QTest::newRow("empty text") << 4 << QString() << QByteArray(" 4 \r\n");
}

void TestLastArray::saveBytes() {
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    ProgramFixture f(u','); // the file keeps its period whatever the locale
    f.click(button(f.main(), "Command1"));
    named<QScrollBar>(f.editor(), "VScroll1")->setValue(position);
    named<QLineEdit>(f.editor(), "Text1")->setText(text);
    action(f.editor(), "save")->trigger();
    QCOMPARE(readBytes(lastArray), bytes);
    QVERIFY(f.platform.messages.isEmpty());
}

void TestLastArray::trailingBlankGrowsByZero() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    Form2& e = f.editor();
    named<QScrollBar>(e, "VScroll1")->setValue(10);
    named<QLineEdit>(e, "Text1")->setText(QStringLiteral("1 2 3 4 5 6 "));
    action(e, "save")->trigger();
    action(e, "load")->trigger();
    QCOMPARE(named<QLineEdit>(e, "Text1")->text(), QStringLiteral("1 2 3 4 5 6 0 "));
    action(e, "save")->trigger();
    action(e, "load")->trigger();
    QCOMPARE(named<QLineEdit>(e, "Text1")->text(), QStringLiteral("1 2 3 4 5 6 0 0 "));
    const Matrix& m = f.program->store().matrix;
    QCOMPARE(m(1, 2), 6.0);
}

void TestLastArray::emptyTextRoundTrip() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    Form2& e = f.editor();
    named<QScrollBar>(e, "VScroll1")->setValue(9);
    named<QLineEdit>(e, "Text1")->setText(QString());
    action(e, "save")->trigger();
    named<QScrollBar>(e, "VScroll1")->setValue(5);
    named<QLineEdit>(e, "Text1")->setText(QStringLiteral("4"));
    action(e, "load")->trigger();
    QCOMPARE(named<QScrollBar>(e, "VScroll1")->value(), 9);
    QCOMPARE(named<QLineEdit>(e, "Text1")->text(), QString());
    QVERIFY(f.platform.messages.isEmpty());
}

void TestLastArray::loadWithoutFile() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    Form2& e = f.editor();
    action(e, "load")->trigger();
    QCOMPARE(readBytes(lastArray), QByteArray("\r\n"));
    QCOMPARE(f.platform.messages.size(), 1);
    QCOMPARE(f.platform.messages[0].text, QStringLiteral("Нет данных"));
    QCOMPARE(f.platform.messages[0].title, QStringLiteral("Ошибка"));
    QCOMPARE(f.platform.messages[0].buttons, Platform::Buttons::Ok);
    QCOMPARE(named<QScrollBar>(e, "VScroll1")->value(), 8);
    QCOMPARE(named<QLineEdit>(e, "Text1")->text(), QString());
}

void TestLastArray::twoLoadsInARow() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    Form2& e = f.editor();
    named<QScrollBar>(e, "VScroll1")->setValue(10);
    named<QLineEdit>(e, "Text1")->setText(QStringLiteral("1 2 3"));
    action(e, "save")->trigger();
    action(e, "load")->trigger();
    const QString first = named<QLineEdit>(e, "Text1")->text();
    action(e, "load")->trigger();
    QCOMPARE(named<QLineEdit>(e, "Text1")->text(), first);
    QCOMPARE(readBytes(lastArray), QByteArray(" 10 \r\n 1 \r\n 2 \r\n 3 \r\n\r\n\r\n"));
}

void TestLastArray::loadSetsOrderAndMatrix() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    QVERIFY(writeBytes(lastArray, " 9 \r\n 1 \r\n\r\n-2.5 \r\n 3 \r\n"));
    action(f.editor(), "load")->trigger();
    QCOMPARE(named<QLineEdit>(f.editor(), "Text2")->text(), QStringLiteral("3"));
    QCOMPARE(named<QLineEdit>(f.editor(), "Text1")->text(), QStringLiteral("1 -2.5 3 "));
    const Matrix& m = f.program->store().matrix;
    QCOMPARE(m.rows(), 3);
    QCOMPARE(m(0, 1), -2.5);
    QCOMPARE(m(0, 3), 0.0); // the last, empty token
    QCOMPARE(m(1, 0), 1.0);
}

void TestLastArray::damagedFirstValue_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("text") << QByteArray("abc\r\n 1 \r\n");
    QTest::newRow("one") << QByteArray(" 1 \r\n 1 \r\n");
    QTest::newRow("eleven") << QByteArray(" 11 \r\n 1 \r\n");
    QTest::newRow("huge") << QByteArray(" 1E+300 \r\n 1 \r\n");
}

void TestLastArray::damagedFirstValue() {
    QFETCH(QByteArray, bytes);
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    Form2& e = f.editor();
    const QString text = named<QLineEdit>(e, "Text1")->text();
    const QString preview = named<QLabel>(e, "Label1")->text();
    QVERIFY(writeBytes(lastArray, bytes));
    action(e, "load")->trigger();
    QCOMPARE(f.platform.messages.size(), 1);
    QCOMPARE(f.platform.messages[0].title, QStringLiteral("Ошибка"));
    QVERIFY(f.platform.messages[0].text.contains(lastArray));
    QCOMPARE(named<QLineEdit>(e, "Text1")->text(), text);
    QCOMPARE(named<QLabel>(e, "Label1")->text(), preview);
    QCOMPARE(named<QScrollBar>(e, "VScroll1")->value(), 8);
    QCOMPARE(f.program->store().matrix(3, 0), 9.0);
}

void TestLastArray::loadRoundsHalvesToEven() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    QVERIFY(writeBytes(lastArray, " 8.5 \r\n 1 \r\n"));
    named<QScrollBar>(f.editor(), "VScroll1")->setValue(3);
    action(f.editor(), "load")->trigger();
    QCOMPARE(named<QScrollBar>(f.editor(), "VScroll1")->value(), 8);
    QVERIFY(writeBytes(lastArray, " 9.5 \r\n 1 \r\n"));
    action(f.editor(), "load")->trigger();
    QCOMPARE(named<QScrollBar>(f.editor(), "VScroll1")->value(), 10);
}

void TestLastArray::saveFailureIsReported() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    named<QLineEdit>(f.editor(), "Text1")->setText(QStringLiteral("1 2"));
    // A folder in place of the file makes the save fail, even for root.
    QFile::remove(lastArray);
    QDir().mkdir(lastArray);
    f.click(button(f.editor(), "Command4"));
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.platform.messages[0].text.contains(lastArray));
    QVERIFY(QFileInfo(lastArray).isDir());
    QVERIFY(f.main().isVisible());
}

void TestLastArray::createList_data() {
    QTest::addColumn<bool>("confirm");
    QTest::newRow("ok") << true;
    QTest::newRow("cancel") << false;
}

void TestLastArray::createList() {
    QFETCH(bool, confirm);
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    QVERIFY(writeBytes(QStringLiteral("files/SaveList"), "a\r\nb\r\n"));
    QVERIFY(writeBytes(QStringLiteral("files/a"), " 10 \r\n"));
    f.platform.answers = {confirm ? Platform::Answer::Ok : Platform::Answer::Cancel};
    action(f.editor(), "createlist")->trigger();
    QCOMPARE(f.platform.messages[0].title, QStringLiteral("Создать SaveList"));
    QCOMPARE(f.platform.messages[0].text,
             QStringLiteral("Вы уверены что хотите создать Новый SaveList?\r\nНовый SaveList "
                            "заменит старый.\r\nПодробности в справке."));
    QCOMPARE(f.platform.messages[0].buttons, Platform::Buttons::OkCancel);
    if (confirm) {
        QCOMPARE(readBytes(QStringLiteral("files/SaveList")), QByteArray("\r\n"));
        QCOMPARE(f.platform.messages.size(), 2);
        QCOMPARE(f.platform.messages[1].text, QStringLiteral("Создан новый SaveList"));
        QCOMPARE(f.platform.messages[1].title, QStringLiteral("Готово"));
    } else {
        QCOMPARE(readBytes(QStringLiteral("files/SaveList")), QByteArray("a\r\nb\r\n"));
        QCOMPARE(f.platform.messages.size(), 1);
    }
    QVERIFY(QFileInfo::exists(QStringLiteral("files/a")));
}

QTEST_MAIN(TestLastArray)
#include "test_last_array.moc"
