// The line append of the program's text files: the file created if missing, each line with its
// CR LF at the end, and a line the code page cannot hold refused with the file left as it was.
#include "support/line_append.h"
#include "tests/common/test_support.h"

#include <QtTest>

class TestLineAppend : public QObject {
    Q_OBJECT

  private slots:
    void appendCreatesAndExtends();
    void unencodableLineIsRefused();
    void failedAppendIsReported();
};

void TestLineAppend::appendCreatesAndExtends() {
    TempWorkFolder work;
    for (const QString& line : {QStringLiteral("first"), QString(), QStringLiteral("third")})
        QVERIFY(textfile::appendLine(QStringLiteral("files/log"), line));
    QCOMPARE(readBytes(QStringLiteral("files/log")), QByteArray("first\r\n\r\nthird\r\n"));
}

void TestLineAppend::unencodableLineIsRefused() {
    TempWorkFolder work;
    QVERIFY(writeBytes(QStringLiteral("files/out"), "old\r\n"));
    const FileStatus s = textfile::appendLine(QStringLiteral("files/out"), u"x中");
    QVERIFY(!s.ok);
    QVERIFY2(s.message().contains(QString::fromUtf8("«中»")), qPrintable(s.message()));
    QVERIFY(s.message().startsWith(QString::fromUtf8("Не удалось записать файл files/out: ")));
    QCOMPARE(readBytes(QStringLiteral("files/out")), QByteArray("old\r\n"));
}

// A device is no file of the program's: it is refused before anything is written to it (a full
// disk itself is met on a small mounted disk in the fault suite).
void TestLineAppend::failedAppendIsReported() {
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full on this system");
    const FileStatus s = textfile::appendLine(QStringLiteral("/dev/full"), QString());
    QVERIFY(!s.ok);
    QCOMPARE(s.message(), QString::fromUtf8("Не удалось записать файл /dev/full: это не обычный "
                                            "файл, а устройство."));
}

QTEST_GUILESS_MAIN(TestLineAppend)
#include "test_line_append.moc"
