// The whole-file rewrite of the program's text files: Windows-1251 lines with CR LF, the old file
// kept whole until the commit, and kept as it was when the rewrite is dropped.
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

QTEST_GUILESS_MAIN(TestTextRewrite)
#include "test_text_rewrite.moc"
