// The whole-file rewrite of the program's text files: Windows-1251 lines with CR LF, the old file
// kept whole until the commit, and kept as it was when the rewrite is dropped.
#include "support/line_append.h"
#include "support/text_reader.h"
#include "support/text_rewrite.h"
#include "tests/common/test_support.h"

#include <QtTest>

class TestTextRewrite : public QObject {
    Q_OBJECT

  private slots:
    void writeLineEncodesAndEndsWithCrLf_data();
    void writeLineEncodesAndEndsWithCrLf();
    void writeReplacesOnlyOnCommit();
    void droppedRewriteKeepsOldFile();
    void boundsAgreeWithRead_data();
    void boundsAgreeWithRead();
};

void TestTextRewrite::writeLineEncodesAndEndsWithCrLf_data() {
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

void TestTextRewrite::writeLineEncodesAndEndsWithCrLf() {
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    TempWorkFolder work;
    std::optional<TextRewrite> file;
    QVERIFY(TextRewrite::open(QStringLiteral("files/out"), file));
    for (const QString& line : lines)
        QVERIFY(file->writeLine(line));
    QVERIFY(file->commit());
    QCOMPARE(readBytes(QStringLiteral("files/out")), bytes);
}

void TestTextRewrite::writeReplacesOnlyOnCommit() {
    TempWorkFolder work;
    QVERIFY(writeBytes(QStringLiteral("files/out"), "a much longer old content\r\n"));
    std::optional<TextRewrite> file;
    QVERIFY(TextRewrite::open(QStringLiteral("files/out"), file));
    QVERIFY(file->writeLine(u"new"));
    QCOMPARE(readBytes(QStringLiteral("files/out")), QByteArray("a much longer old content\r\n"));
    QVERIFY(file->commit());
    QCOMPARE(readBytes(QStringLiteral("files/out")), QByteArray("new\r\n"));
    QCOMPARE(QDir(QStringLiteral("files")).entryList(QDir::Files), QStringList{"out"});
}

void TestTextRewrite::droppedRewriteKeepsOldFile() {
    TempWorkFolder work;
    QVERIFY(writeBytes(QStringLiteral("files/out"), "old\r\n"));
    {
        std::optional<TextRewrite> file;
        QVERIFY(TextRewrite::open(QStringLiteral("files/out"), file));
        QVERIFY(file->writeLine(u"new"));
        // Destroyed without a commit, as when the program ends in the middle of a write.
    }
    QCOMPARE(readBytes(QStringLiteral("files/out")), QByteArray("old\r\n"));
    QCOMPARE(QDir(QStringLiteral("files")).entryList(QDir::Files), QStringList{"out"});
}

void TestTextRewrite::boundsAgreeWithRead_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<qint64>("fileBytes");
    QTest::addColumn<qsizetype>("lineBytes");

    QTest::newRow("file at its bound") << QStringList{"abc", "de"} << qint64(9) << qsizetype(-1);
    QTest::newRow("file one past") << QStringList{"abc", "def"} << qint64(9) << qsizetype(-1);
    QTest::newRow("line at its bound") << QStringList{"abcd", "x"} << qint64(-1) << qsizetype(4);
    QTest::newRow("line one past") << QStringList{"abcde"} << qint64(-1) << qsizetype(4);
    QTest::newRow("lines cut at CR") << QStringList{"ab\r\ncd\rxy"} << qint64(-1) << qsizetype(2);
    QTest::newRow("lone LF inside a line") << QStringList{"a\nb"} << qint64(-1) << qsizetype(2);
}

// Whatever a bounded rewrite or append writes, a read with the same bounds reads whole; what it
// refuses, a read would have refused, and the old file stays.
void TestTextRewrite::boundsAgreeWithRead() {
    QFETCH(QStringList, lines);
    QFETCH(qint64, fileBytes);
    QFETCH(qsizetype, lineBytes);
    const textfile::ReadLimits bounds{.fileBytes = fileBytes, .lineBytes = lineBytes};
    const auto readable = [&bounds] {
        std::optional<TextReader> reader;
        FileStatus s = TextReader::open(QStringLiteral("files/out"), reader, bounds);
        for (QString line; s && !reader->atEnd();)
            s = reader->readLine(line);
        return s && reader->readFailure();
    };
    TempWorkFolder work;
    for (const QString& line : lines)
        QVERIFY(textfile::appendLine(QStringLiteral("files/unbounded"), line));
    QVERIFY(QFile::rename(QStringLiteral("files/unbounded"), QStringLiteral("files/out")));
    const bool fits = readable();

    QVERIFY(writeBytes(QStringLiteral("files/out"), "old\r\n"));
    std::optional<TextRewrite> file;
    QVERIFY(TextRewrite::open(QStringLiteral("files/out"), file, bounds));
    FileStatus s = FileStatus::success();
    for (const QString& line : lines)
        s = s ? file->writeLine(line) : s;
    QCOMPARE(bool(s && file->commit()), fits);
    QCOMPARE(readBytes(QStringLiteral("files/out")) == "old\r\n", !fits);

    QVERIFY(QFile::remove(QStringLiteral("files/out")));
    bool appended = true;
    for (const QString& line : lines)
        appended = appended && textfile::appendLine(QStringLiteral("files/out"), line, bounds);
    if (!lines.join(QString()).contains(u'\r'))
        QCOMPARE(appended, fits);
    QVERIFY(!QFileInfo::exists(QStringLiteral("files/out")) || readable());
}

QTEST_GUILESS_MAIN(TestTextRewrite)
#include "test_text_rewrite.moc"
