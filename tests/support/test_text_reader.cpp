// The reader of the program's text files: Windows-1251 lines with their CR LF, lone CR and lone LF
// rules across the reader's buffer, the field reader, and the table of readers kept open.
#include "support/file_table.h"
#include "support/text_reader.h"
#include "tests/common/test_support.h"

#include <QtTest>

namespace {

QStringList readAllLines(const QString& path, FileStatus* status = nullptr) {
    std::optional<TextReader> file;
    QStringList lines;
    FileStatus s = TextReader::open(path, file);
    while (s && !file->atEnd()) {
        QString line;
        s = file->readLine(line);
        lines.append(line);
    }
    if (s)
        s = file->readFailure();
    if (status)
        *status = s;
    return lines;
}

QStringList readAllFields(const QString& path) {
    std::optional<TextReader> file;
    QStringList fields;
    if (!TextReader::open(path, file))
        return {QStringLiteral("<open failed>")};
    while (!file->atEnd()) {
        QString field;
        if (!file->readField(field))
            return {QStringLiteral("<read failed>")};
        fields.append(field);
    }
    return fields;
}

} // namespace

class TestTextReader : public QObject {
    Q_OBJECT

  private slots:
    void readLineDecodes();
    void readLine_data();
    void readLine();
    void readLineAcrossReadChunks_data();
    void readLineAcrossReadChunks();
    void readField_data();
    void readField();
    void fileTableClosesReplacedAndAllFiles();
};

void TestTextReader::readLineDecodes() {
    TempWorkFolder work;
    const QString russian = QString::fromUtf8("Переполнение при вычислении, Ёё");
    QVERIFY(writeBytes(QStringLiteral("files/in"), cp1251(russian) + "\r\n"));
    QCOMPARE(readAllLines(QStringLiteral("files/in")), QStringList{russian});
}

void TestTextReader::readLine_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("terminator at the end gives no extra line")
        << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("last line without terminator") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("empty lines") << QByteArray("\r\n\r\n") << QStringList{"", ""};
    QTest::newRow("lone CR ends a line") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("lone LF stays in the line")
        << QByteArray("a\nb\r\nc") << QStringList{"a\nb", "c"};
    QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("LF CR") << QByteArray("a\n\rb") << QStringList{"a\n", "b"};
    QTest::newRow("blanks kept") << QByteArray("   \r\n a ") << QStringList{"   ", " a "};
    QTest::newRow("commas and quotes kept")
        << QByteArray("\"a,b\", c\r\n") << QStringList{"\"a,b\", c"};
}

void TestTextReader::readLine() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    TempWorkFolder work;
    QVERIFY(writeBytes(QStringLiteral("files/in"), bytes));
    FileStatus status;
    QCOMPARE(readAllLines(QStringLiteral("files/in"), &status), lines);
    QVERIFY2(status.ok, qPrintable(status.message()));
}

// The reader fills its buffer in chunks; a line end split between two chunks, or a line longer
// than a chunk, must read as it does anywhere else.
void TestTextReader::readLineAcrossReadChunks_data() {
    QTest::addColumn<int>("firstLength");
    QTest::addColumn<QByteArray>("terminator");

    constexpr int chunk = 256 * 1024;
    for (const int length : {chunk - 2, chunk - 1, chunk, 3 * chunk + 1}) {
        QTest::addRow("CR LF after %d bytes", length) << length << QByteArray("\r\n");
        QTest::addRow("lone CR after %d bytes", length) << length << QByteArray("\r");
    }
}

void TestTextReader::readLineAcrossReadChunks() {
    QFETCH(int, firstLength);
    QFETCH(QByteArray, terminator);
    TempWorkFolder work;
    const QByteArray first(firstLength, 'x');
    QVERIFY(writeBytes(QStringLiteral("files/in"), first + terminator + "second\r\n"));
    const QStringList lines = readAllLines(QStringLiteral("files/in"));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].size(), firstLength);
    QCOMPARE(lines[1], QStringLiteral("second"));
}

void TestTextReader::readField_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("number lines of an array file")
        << QByteArray(" 10 \r\n-2.5 \r\n 1E+16 \r\n") << QStringList{"10", "-2.5", "1E+16"};
    QTest::newRow("commas cut fields") << QByteArray("a,b\r\nc") << QStringList{"a", "b", "c"};
    QTest::newRow("leading blanks and tabs skipped, trailing blanks dropped")
        << QByteArray(" \t a b  ,c") << QStringList{"a b", "c"};
    QTest::newRow("empty line gives one empty field")
        << QByteArray("\r\nx\r\n") << QStringList{"", "x"};
    QTest::newRow("blank line gives one empty field")
        << QByteArray("   \r\nx") << QStringList{"", "x"};
    QTest::newRow("quoted field holds commas")
        << QByteArray("\"a, b\",c\r\n") << QStringList{"a, b", "c"};
    QTest::newRow("rest after closing quote passed over")
        << QByteArray("\"a\" junk,c") << QStringList{"a", "c"};
    QTest::newRow("quoted field keeps its blanks")
        << QByteArray("  \" a \"\r\n") << QStringList{" a "};
    QTest::newRow("unterminated quote runs to the end")
        << QByteArray("\"abc\r\ndef") << QStringList{"abc\r\ndef"};
    QTest::newRow("lone CR ends a field") << QByteArray("a\rb") << QStringList{"a", "b"};
    QTest::newRow("russian field")
        << cp1251(QString::fromUtf8("Массив 1\r\n")) << QStringList{QString::fromUtf8("Массив 1")};
}

void TestTextReader::readField() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    TempWorkFolder work;
    QVERIFY(writeBytes(QStringLiteral("files/in"), bytes));
    QCOMPARE(readAllFields(QStringLiteral("files/in")), fields);
}

// A reader put in the table goes on reading where it stood; a second one under the same number
// takes the first one's place.
void TestTextReader::fileTableClosesReplacedAndAllFiles() {
    TempWorkFolder work;
    QVERIFY(writeBytes(QStringLiteral("files/a"), "1\r\n"));
    QVERIFY(writeBytes(QStringLiteral("files/b"), "x\r\ny\r\n"));
    FileTable table;
    QVERIFY(!table.anyOpen());
    std::optional<TextReader> first;
    QVERIFY(TextReader::open(QStringLiteral("files/a"), first));
    table.put(1, std::move(*first));
    QVERIFY(table.get(1) != nullptr);
    QString line;
    QVERIFY(table.get(1)->readLine(line));
    QCOMPARE(line, QStringLiteral("1"));

    std::optional<TextReader> second;
    QVERIFY(TextReader::open(QStringLiteral("files/b"), second));
    QVERIFY(second->readLine(line));
    TextReader& kept = table.put(1, std::move(*second));
    QCOMPARE(table.get(1), &kept);
    QCOMPARE(kept.path(), QStringLiteral("files/b"));
    QVERIFY(kept.readLine(line));
    QCOMPARE(line, QStringLiteral("y"));
    QVERIFY(table.get(2) == nullptr);

    table.closeAll();
    QVERIFY(!table.anyOpen());
    QVERIFY(table.get(1) == nullptr);
}

QTEST_GUILESS_MAIN(TestTextReader)
#include "test_text_reader.moc"
