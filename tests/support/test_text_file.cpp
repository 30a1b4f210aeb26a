// The text file primitives: Windows-1251 lines with CR LF, the line and field readers, whole-file
// replacement on close, appending, and the Russian failure texts.
#include "support/file_table.h"
#include "support/text_file.h"
#include "tests/common/test_support.h"

#include <QtTest>

namespace {

// Windows-1251 of the Russian letters is one block: А .. я are 0xC0 .. 0xFF, Ё 0xA8, ё 0xB8.
QByteArray cp1251(const QString& text) {
    QByteArray bytes;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            bytes.append(char(u));
        else if (u >= 0x410 && u <= 0x44F)
            bytes.append(char(u - 0x410 + 0xC0));
        else if (u == 0x401)
            bytes.append(char(0xA8));
        else if (u == 0x451)
            bytes.append(char(0xB8));
        else
            bytes.append('?');
    }
    return bytes;
}

QStringList readAllLines(const QString& path, FileStatus* status = nullptr) {
    TextFile file(path);
    QStringList lines;
    FileStatus s = file.open(TextFile::Mode::Read);
    while (s && !file.atEnd()) {
        QString line;
        s = file.readLine(line);
        lines.append(line);
    }
    if (s)
        s = file.close();
    if (status)
        *status = s;
    return lines;
}

QStringList readAllFields(const QString& path) {
    TextFile file(path);
    QStringList fields;
    if (!file.open(TextFile::Mode::Read))
        return {QStringLiteral("<open failed>")};
    while (!file.atEnd()) {
        QString field;
        if (!file.readField(field))
            return {QStringLiteral("<read failed>")};
        fields.append(field);
    }
    return fields;
}

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT

  private slots:
    void writeLineEncodesAndEndsWithCrLf_data();
    void writeLineEncodesAndEndsWithCrLf();
    void readLineDecodes();
    void readLine_data();
    void readLine();
    void readLineAcrossReadChunks_data();
    void readLineAcrossReadChunks();
    void readField_data();
    void readField();
    void encodeReportsFirstCharacterOutsideCodePage_data();
    void encodeReportsFirstCharacterOutsideCodePage();
    void unencodableLineIsRefused();
    void writeReplacesOnlyOnClose();
    void abandonedWriteKeepsOldFile();
    void appendCreatesAndExtends();
    void failedAppendIsReported();
    void openFailures_data();
    void openFailures();
    void wrongDirectionIsRefused();
    void fileTableClosesReplacedAndAllFiles();
};

void TestTextFile::writeLineEncodesAndEndsWithCrLf_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty text") << QStringList{QString()} << QByteArray("\r\n");
    QTest::newRow("ascii") << QStringList{"1.000  2.000  "} << QByteArray("1.000  2.000  \r\n");
    QTest::newRow("russian") << QStringList{QString::fromUtf8("Одного решения нет")}
                             << cp1251(QString::fromUtf8("Одного решения нет")) + "\r\n";
    QTest::newRow("yo") << QStringList{QString::fromUtf8("Ёлка ёж")}
                        << cp1251(QString::fromUtf8("Ёлка ёж")) + "\r\n";
    QTest::newRow("several") << QStringList{"a", "", "b"} << QByteArray("a\r\n\r\nb\r\n");
    QTest::newRow("quotes written as they are")
        << QStringList{"\"x\",y"} << QByteArray("\"x\",y\r\n");
}

void TestTextFile::writeLineEncodesAndEndsWithCrLf() {
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    TempWorkFolder work;
    TextFile file(QStringLiteral("files/out"));
    QVERIFY(file.open(TextFile::Mode::Write));
    for (const QString& line : lines)
        QVERIFY(file.writeLine(line));
    QVERIFY(file.close());
    QCOMPARE(readBytes(QStringLiteral("files/out")), bytes);
}

void TestTextFile::readLineDecodes() {
    TempWorkFolder work;
    const QString russian = QString::fromUtf8("Переполнение при вычислении, Ёё");
    QVERIFY(writeBytes(QStringLiteral("files/in"), cp1251(russian) + "\r\n"));
    QCOMPARE(readAllLines(QStringLiteral("files/in")), QStringList{russian});
}

void TestTextFile::readLine_data() {
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

void TestTextFile::readLine() {
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
void TestTextFile::readLineAcrossReadChunks_data() {
    QTest::addColumn<int>("firstLength");
    QTest::addColumn<QByteArray>("terminator");

    constexpr int chunk = 256 * 1024;
    for (const int length : {chunk - 2, chunk - 1, chunk, 3 * chunk + 1}) {
        QTest::addRow("CR LF after %d bytes", length) << length << QByteArray("\r\n");
        QTest::addRow("lone CR after %d bytes", length) << length << QByteArray("\r");
    }
}

void TestTextFile::readLineAcrossReadChunks() {
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

void TestTextFile::readField_data() {
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

void TestTextFile::readField() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    TempWorkFolder work;
    QVERIFY(writeBytes(QStringLiteral("files/in"), bytes));
    QCOMPARE(readAllFields(QStringLiteral("files/in")), fields);
}

void TestTextFile::encodeReportsFirstCharacterOutsideCodePage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("firstBad");

    QTest::newRow("chinese") << QString::fromUtf8("ab中c") << QString::fromUtf8("中");
    QTest::newRow("second of two") << QString::fromUtf8("Ж€中ü") << QString::fromUtf8("中");
    QTest::newRow("latin with accent") << QString::fromUtf8("café") << QString::fromUtf8("é");
    QTest::newRow("character beyond 16 bits") << QString::fromUtf8("x😀") << QString::fromUtf8("😀");
}

void TestTextFile::encodeReportsFirstCharacterOutsideCodePage() {
    QFETCH(QString, text);
    QFETCH(QString, firstBad);
    QByteArray bytes;
    QString bad;
    QVERIFY(!TextFile::encode(text, bytes, &bad));
    QCOMPARE(bad, firstBad);
}

void TestTextFile::unencodableLineIsRefused() {
    TempWorkFolder work;
    QVERIFY(writeBytes(QStringLiteral("files/out"), "old\r\n"));
    TextFile file(QStringLiteral("files/out"));
    QVERIFY(file.open(TextFile::Mode::Append));
    const FileStatus s = file.writeLine(QString::fromUtf8("x中"));
    QVERIFY(!s.ok);
    QVERIFY2(s.message().contains(QString::fromUtf8("«中»")), qPrintable(s.message()));
    QVERIFY(s.message().startsWith(QString::fromUtf8("Не удалось записать файл files/out: ")));
    file.abandon();
    QCOMPARE(readBytes(QStringLiteral("files/out")), QByteArray("old\r\n"));
}

void TestTextFile::writeReplacesOnlyOnClose() {
    TempWorkFolder work;
    QVERIFY(writeBytes(QStringLiteral("files/out"), "a much longer old content\r\n"));
    TextFile file(QStringLiteral("files/out"));
    QVERIFY(file.open(TextFile::Mode::Write));
    QVERIFY(file.writeLine(u"new"));
    QCOMPARE(readBytes(QStringLiteral("files/out")), QByteArray("a much longer old content\r\n"));
    QVERIFY(file.close());
    QCOMPARE(readBytes(QStringLiteral("files/out")), QByteArray("new\r\n"));
    QCOMPARE(QDir(QStringLiteral("files")).entryList(QDir::Files), QStringList{"out"});
}

void TestTextFile::abandonedWriteKeepsOldFile() {
    TempWorkFolder work;
    QVERIFY(writeBytes(QStringLiteral("files/out"), "old\r\n"));
    {
        TextFile file(QStringLiteral("files/out"));
        QVERIFY(file.open(TextFile::Mode::Write));
        QVERIFY(file.writeLine(u"new"));
        // Destroyed without close, as when the program ends in the middle of a write.
    }
    QCOMPARE(readBytes(QStringLiteral("files/out")), QByteArray("old\r\n"));
    QCOMPARE(QDir(QStringLiteral("files")).entryList(QDir::Files), QStringList{"out"});
}

void TestTextFile::appendCreatesAndExtends() {
    TempWorkFolder work;
    for (const QString& line : {QStringLiteral("first"), QString(), QStringLiteral("third")}) {
        TextFile file(QStringLiteral("files/log"));
        QVERIFY(file.open(TextFile::Mode::Append));
        QVERIFY(file.writeLine(line));
        QVERIFY(file.close());
    }
    QCOMPARE(readBytes(QStringLiteral("files/log")), QByteArray("first\r\n\r\nthird\r\n"));
}

// A device is no file of the program's: it is refused before anything is written to it (a full
// disk itself is met on a small mounted disk in the fault suite).
void TestTextFile::failedAppendIsReported() {
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full on this system");
    TextFile file(QStringLiteral("/dev/full"));
    const FileStatus s = file.open(TextFile::Mode::Append);
    QVERIFY(!s.ok);
    QVERIFY(!file.isOpen());
    QCOMPARE(s.message(), QString::fromUtf8("Не удалось записать файл /dev/full: это не обычный "
                                            "файл, а устройство."));
}

void TestTextFile::openFailures_data() {
    QTest::addColumn<bool>("withFilesFolder");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("message");

    const int read = int(TextFile::Mode::Read);
    const int write = int(TextFile::Mode::Write);
    const int append = int(TextFile::Mode::Append);
    QTest::newRow("missing file") << true << "files/none" << read
                                  << "Не удалось прочитать файл files/none: файл не найден.";
    QTest::newRow("no folder, read")
        << false << "files/LostMas" << read
        << "Не удалось прочитать файл files/LostMas: нет папки «files».";
    QTest::newRow("no folder, write")
        << false << "files/LostMas" << write
        << "Не удалось записать файл files/LostMas: нет папки «files».";
    QTest::newRow("no folder, append")
        << false << "files/lastans" << append
        << "Не удалось записать файл files/lastans: нет папки «files».";
    QTest::newRow("folder in place of file, read")
        << true << "files/sub" << read
        << "Не удалось прочитать файл files/sub: на месте файла находится папка.";
    QTest::newRow("folder in place of file, write")
        << true << "files/sub" << write
        << "Не удалось записать файл files/sub: на месте файла находится папка.";
    QTest::newRow("folder in place of file, append")
        << true << "files/sub" << append
        << "Не удалось записать файл files/sub: на месте файла находится папка.";
    QTest::newRow("file in place of folder")
        << true << "files/plain/x" << write
        << "Не удалось записать файл files/plain/x: «files/plain» — это файл, а не папка.";
}

void TestTextFile::openFailures() {
    QFETCH(bool, withFilesFolder);
    QFETCH(QString, path);
    QFETCH(int, mode);
    QFETCH(QString, message);
    TempWorkFolder work(withFilesFolder);
    if (withFilesFolder) {
        QVERIFY(QDir().mkdir(QStringLiteral("files/sub")));
        QVERIFY(writeBytes(QStringLiteral("files/plain"), "x"));
    }
    TextFile file(path);
    const FileStatus s = file.open(TextFile::Mode(mode));
    QVERIFY(!s.ok);
    QVERIFY(!file.isOpen());
    QCOMPARE(s.message(), message);
    // A failed open creates nothing, the folder files least of all.
    QCOMPARE(QDir(QStringLiteral("files")).exists(), withFilesFolder);
    if (withFilesFolder)
        QCOMPARE(QDir(QStringLiteral("files")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (QStringList{"plain", "sub"}));
}

void TestTextFile::wrongDirectionIsRefused() {
    TempWorkFolder work;
    QVERIFY(writeBytes(QStringLiteral("files/in"), "a\r\n"));
    TextFile reader(QStringLiteral("files/in"));
    QVERIFY(reader.open(TextFile::Mode::Read));
    QVERIFY(!reader.writeLine(u"b").ok);
    TextFile writer(QStringLiteral("files/out"));
    QVERIFY(writer.open(TextFile::Mode::Append));
    QString line;
    QVERIFY(!writer.readLine(line).ok);
    QVERIFY(!writer.readField(line).ok);
    QVERIFY(writer.atEnd());
    QVERIFY(reader.close());
    QVERIFY(writer.close());
    QCOMPARE(readBytes(QStringLiteral("files/in")), QByteArray("a\r\n"));
}

void TestTextFile::fileTableClosesReplacedAndAllFiles() {
    TempWorkFolder work;
    QVERIFY(writeBytes(QStringLiteral("files/a"), "1\r\n"));
    FileTable table;
    QVERIFY(!table.anyOpen());
    auto first = std::make_unique<TextFile>(QStringLiteral("files/a"));
    QVERIFY(first->open(TextFile::Mode::Read));
    table.put(1, std::move(first));
    QVERIFY(table.get(1)->isOpen());

    auto second = std::make_unique<TextFile>(QStringLiteral("files/b"));
    QVERIFY(second->open(TextFile::Mode::Append));
    TextFile& kept = table.put(1, std::move(second));
    QCOMPARE(table.get(1), &kept);
    QCOMPARE(kept.path(), QStringLiteral("files/b"));
    QVERIFY(table.get(2) == nullptr);

    table.closeAll();
    QVERIFY(!table.anyOpen());
    QVERIFY(table.get(1) == nullptr);
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_text_file.moc"
