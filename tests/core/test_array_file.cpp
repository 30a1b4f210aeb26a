// The array file: the bytes written for an editor state, the fields read back, the order a stored
// first field stands for, and the order a scroll position stands for.
#include "core/array_file.h"
#include "core/array_order.h"

#include "tests/common/test_support.h"

#include <QtTest>

namespace {

const QString arrayPath = QStringLiteral("files/LostMas");

} // namespace

class TestArrayFile : public QObject {
    Q_OBJECT

  private slots:
    void write_data();
    void write();
    void read_data();
    void read();
    void writeFailures();
    void largestFile_data();
    void largestFile();
    void readMissingFile();
    void orderOfFirstField_data();
    void orderOfFirstField();
    void noOrderMessage();
    void orderAtScrollPosition_data();
    void orderAtScrollPosition();
    void orderOutOfRange_data();
    void orderOutOfRange();
};

void TestArrayFile::write_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("entryText");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("order 2, six digits")
        << 10 << "1 2 3 4 5 6" << QByteArray(" 10 \r\n 1 \r\n 2 \r\n 3 \r\n 4 \r\n 5 \r\n 6 \r\n");
    QTest::newRow("trailing blank writes one more 0")
        << 10 << "1 2 3 4 5 6 "
        << QByteArray(" 10 \r\n 1 \r\n 2 \r\n 3 \r\n 4 \r\n 5 \r\n 6 \r\n 0 \r\n");
    QTest::newRow("empty text") << 8 << "" << QByteArray(" 8 \r\n");
    QTest::newRow("values as read")
        << 2 << "-2.5 x 1e16 .1 2,5  -0.00001"
        << QByteArray(" 2 \r\n-2.5 \r\n 0 \r\n 1E+16 \r\n 0.1 \r\n 2 \r\n 0 \r\n-1E-05 \r\n");
    QTest::newRow("no token repeated, none dropped")
        << 9 << "7 8" << QByteArray(" 9 \r\n 7 \r\n 8 \r\n");
}

void TestArrayFile::write() {
    TempWorkFolder folder;
    QFETCH(int, position);
    QFETCH(QString, entryText);
    QFETCH(QByteArray, bytes);
    QVERIFY(writeBytes(arrayPath, "old content that is longer than the new one\r\n"));
    const FileStatus s =
        arrayfile::write(arrayPath, ArrayOrder::atScrollPosition(position), entryText);
    QVERIFY2(s, qPrintable(s.message()));
    QCOMPARE(readBytes(arrayPath), bytes);
}

void TestArrayFile::read_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<QString>("firstField");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("as written") << QByteArray(" 10 \r\n 1 \r\n-2.5 \r\n 1E+16 \r\n") << false
                                << "10" << QStringList{"1", "-2.5", "1E+16"};
    QTest::newRow("empty lines after a load")
        << QByteArray(" 10 \r\n 1 \r\n\r\n\r\n") << false << "10" << QStringList{"1", "", ""};
    QTest::newRow("one empty line") << QByteArray("\r\n") << false << "" << QStringList();
    QTest::newRow("empty file") << QByteArray() << true << "" << QStringList();
    QTest::newRow("position only") << QByteArray(" 8 \r\n") << false << "8" << QStringList();
    QTest::newRow("edited by hand") << QByteArray("  9\r\n1,2\r\n\"a b\"\r\nx") << false << "9"
                                    << QStringList{"1", "2", "a b", "x"};
}

void TestArrayFile::read() {
    TempWorkFolder folder;
    QFETCH(QByteArray, bytes);
    QFETCH(bool, empty);
    QFETCH(QString, firstField);
    QFETCH(QStringList, fields);
    QVERIFY(writeBytes(arrayPath, bytes));
    arrayfile::Content content;
    const FileStatus s = arrayfile::read(arrayPath, content);
    QVERIFY2(s, qPrintable(s.message()));
    QCOMPARE(content.empty, empty);
    QCOMPARE(content.firstField, firstField);
    QCOMPARE(content.fields, fields);
}

void TestArrayFile::writeFailures() {
    TempWorkFolder folder;
    QVERIFY(QDir().mkdir(arrayPath));
    const FileStatus s = arrayfile::write(arrayPath, ArrayOrder(4), u"1 2");
    QVERIFY(!s);
    QVERIFY2(s.message().contains(arrayPath), qPrintable(s.message()));
    QVERIFY(QFileInfo(arrayPath).isDir());

    TempWorkFolder withoutFiles(false);
    QVERIFY(!arrayfile::write(arrayPath, ArrayOrder(4), u"1 2"));
    QVERIFY(!QDir(QStringLiteral("files")).exists());
}

void TestArrayFile::largestFile_data() {
    QTest::addColumn<int>("past"); // bytes the file would have past its bound (0: at or below)
    QTest::newRow("at the bound") << 0;
    QTest::newRow("past it") << 1;
}

// An entry text of zeros, each written as " 0 " and CR LF, the order's line as long.
void TestArrayFile::largestFile() {
    QFETCH(int, past);
    TempWorkFolder folder;
    const qint64 zeros = arrayfile::largestFile / 5 - 1 + past;
    QVERIFY(writeBytes(arrayPath, " 8 \r\n"));
    const FileStatus s =
        arrayfile::write(arrayPath, ArrayOrder(4), QStringList(zeros, "0").join(u' '));
    QCOMPARE(bool(s), past == 0);
    arrayfile::Content content;
    QVERIFY(arrayfile::read(arrayPath, content));
    QCOMPARE(content.fields.size(), past == 0 ? zeros : 0);
}

void TestArrayFile::readMissingFile() {
    TempWorkFolder folder;
    arrayfile::Content content;
    content.firstField = QStringLiteral("stale");
    const FileStatus s = arrayfile::read(arrayPath, content);
    QVERIFY(!s);
    QVERIFY(content.empty);
    QCOMPARE(content.firstField, QString());
    QVERIFY(content.fields.isEmpty());
}

void TestArrayFile::orderOfFirstField_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("position"); // the order's scroll position; 0: no order

    QTest::newRow("10") << QByteArray(" 10 \r\n") << 10;
    QTest::newRow("8") << QByteArray(" 8 \r\n 1 \r\n") << 8;
    QTest::newRow("2") << QByteArray("2\r\n") << 2;
    QTest::newRow("8.5 to even") << QByteArray("8.5\r\n") << 8;
    QTest::newRow("9.5 to even") << QByteArray("9.5\r\n") << 10;
    QTest::newRow("1.5 to even 2") << QByteArray("1.5\r\n") << 2;
    QTest::newRow("1.6 up into the range") << QByteArray("1.6\r\n") << 2;
    QTest::newRow("10.5 to even 10") << QByteArray("10.5\r\n") << 10;
    QTest::newRow("hexadecimal") << QByteArray("&HA\r\n") << 10;
    QTest::newRow("1.4 below") << QByteArray("1.4\r\n") << 0;
    QTest::newRow("1") << QByteArray("1\r\n") << 0;
    QTest::newRow("11") << QByteArray("11\r\n") << 0;
    QTest::newRow("10.6") << QByteArray("10.6\r\n") << 0;
    QTest::newRow("negative") << QByteArray("-8\r\n") << 0;
    QTest::newRow("text") << QByteArray("abc\r\n") << 0;
    QTest::newRow("beyond 16 bits") << QByteArray("65544\r\n") << 0;
    QTest::newRow("huge") << QByteArray("1e400\r\n") << 0;
    QTest::newRow("empty first line") << QByteArray("\r\n 1 \r\n") << 0;
    QTest::newRow("empty file") << QByteArray() << 0;
}

void TestArrayFile::orderOfFirstField() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, position);
    TempWorkFolder folder;
    QVERIFY(writeBytes(arrayPath, bytes));
    arrayfile::Content content;
    QVERIFY(arrayfile::read(arrayPath, content));
    QCOMPARE(content.order.has_value(), position != 0);
    if (position != 0)
        QCOMPARE(content.order->scrollPosition(), position);
}

void TestArrayFile::noOrderMessage() {
    // The start of a long first field is enough to find it in the file.
    arrayfile::Content content;
    content.firstField = QString(50, u'x');
    QCOMPARE(arrayfile::noOrderMessage(QStringLiteral("files/a"), content),
             QStringLiteral("Файл files/a повреждён: первое значение «%1» не задаёт порядок "
                            "массива (ожидается положение от 2 до 10).")
                 .arg(QString(40, u'x')));
}

void TestArrayFile::orderAtScrollPosition_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("position");
    QTest::newRow("largest order at the top") << 10 << 2;
    QTest::newRow("order 9") << 9 << 3;
    QTest::newRow("the editor's first order") << 4 << 8;
    QTest::newRow("order 7") << 7 << 5;
    QTest::newRow("middle") << 6 << 6;
    QTest::newRow("smallest order at the bottom") << 2 << 10;
}

void TestArrayFile::orderAtScrollPosition() {
    QFETCH(int, order);
    QFETCH(int, position);
    QCOMPARE(ArrayOrder(order).scrollPosition(), position);
    QCOMPARE(ArrayOrder::atScrollPosition(position).value(), order);
    QVERIFY(ArrayOrder::atScrollPosition(position) == ArrayOrder(order));
}

void TestArrayFile::orderOutOfRange_data() {
    QTest::addColumn<int>("given"); // an order, or with byPosition a scroll position
    QTest::addColumn<bool>("byPosition");
    QTest::addColumn<int>("order"); // the nearest order of 2 .. 10
    QTest::newRow("order 1") << 1 << false << 2;
    QTest::newRow("order 0") << 0 << false << 2;
    QTest::newRow("order 11") << 11 << false << 10;
    QTest::newRow("order 15") << 15 << false << 10;
    QTest::newRow("position 1") << 1 << true << 10;
    QTest::newRow("position 11") << 11 << true << 2;
    QTest::newRow("position 12") << 12 << true << 2;
}

void TestArrayFile::orderOutOfRange() {
    QFETCH(int, given);
    QFETCH(bool, byPosition);
    QFETCH(int, order);
    const ArrayOrder nearest = byPosition ? ArrayOrder::atScrollPosition(given) : ArrayOrder(given);
    QCOMPARE(nearest.value(), order);
}

QTEST_GUILESS_MAIN(TestArrayFile)
#include "test_array_file.moc"
