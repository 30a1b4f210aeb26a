// The answer log files/lastans, byte for byte: appending, browsing, the last answer, reading it
// whole and writing it back.
#include "core/answer_log.h"
#include "core/solver.h"

#include "tests/common/test_support.h"
#include "tests/faults/fault_ops.h"

#include <QtTest>

namespace {

const QString logPath = QStringLiteral("files/lastans");

// Every answer the browsing cursor hands out, from the start of the log to its end.
QStringList browseAll(AnswerLog& log) {
    QStringList answers;
    if (!log.openAnswerCursor())
        return {QStringLiteral("<cannot open>")};
    std::optional<QString> answer;
    for (;;) {
        if (!log.nextAnswer(answer))
            return {QStringLiteral("<read failed>")};
        if (!answer)
            return answers;
        answers.append(*answer);
    }
}

// "Все ответы" read in parts of a few bytes, so that lines run across parts: every line read,
// each followed by CR LF; the rewritten log put in place when `finish`.
FileStatus readAll(AnswerLog& log, QString& text, bool finish) {
    text.clear();
    std::optional<AllAnswersRead> read;
    QStringList lines;
    const FileStatus s = faults::readAllAnswers(log, read, lines, 5);
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return s && finish ? read->finish() : s;
}

} // namespace

class TestAnswerLog : public QObject {
    Q_OBJECT

  private slots:
    void newLog_data();
    void newLog();
    void threeAppendsThenLast();
    void readers_data();
    void readers();
    void browseStopsAtTheEnd();
    void readAllThenReplace_data();
    void readAllThenReplace();
    void missingLogReadsAsEmpty();
    void touchCreatesTheLog();
    void otherOperationsEndTheBrowse_data();
    void otherOperationsEndTheBrowse();
    void failuresLeaveTheLogAlone();
};

void TestAnswerLog::newLog_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("solution line") << "0.800  1.400  " << QByteArray("0.800  1.400  \r\n");
    QTest::newRow("comma separator")
        << "1,000  -2,500  0,333  " << QByteArray("1,000  -2,500  0,333  \r\n");
    QTest::newRow("no-solution line")
        << solver::noUniqueText
        << QByteArray("\xce\xe4\xed\xee\xe3\xee \xf0\xe5\xf8\xe5\xed\xe8\xff \xed\xe5\xf2\r\n");
}

void TestAnswerLog::newLog() {
    TempWorkFolder folder;
    QFETCH(QString, line);
    QFETCH(QByteArray, bytes);
    FileTable files;
    AnswerLog log(files);
    QVERIFY(!QFile::exists(logPath));
    const FileStatus s = log.appendAnswer(line);
    QVERIFY2(s, qPrintable(s.message()));
    QCOMPARE(readBytes(logPath), bytes);
    QCOMPARE(QFileInfo(logPath).size(), line.size() + 2);
    std::optional<QString> last;
    QVERIFY(log.lastAnswer(last));
    QCOMPARE(last, line);
}

void TestAnswerLog::threeAppendsThenLast() {
    TempWorkFolder folder;
    FileTable files;
    AnswerLog log(files);
    QVERIFY(log.appendAnswer(QStringLiteral("1.000  2.000  ")));
    QVERIFY(log.appendAnswer(solver::noUniqueText));
    QVERIFY(log.appendAnswer(QStringLiteral("0.377  -0.352  0.316  0.268  ")));
    const QByteArray afterSolves = readBytes(logPath);
    QCOMPARE(afterSolves.count("\r\n"), 3);

    // "Последний ответ": the log is touched first, then read.
    QVERIFY(log.touchLog());
    std::optional<QString> last;
    QVERIFY(log.lastAnswer(last));
    QCOMPARE(last, QStringLiteral("0.377  -0.352  0.316  0.268  "));
    QCOMPARE(readBytes(logPath), afterSolves + "\r\n");
    QVERIFY(!files.anyOpen());
}

void TestAnswerLog::readers_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("answers");

    QTest::newRow("a, empty line, b") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("line of three blanks") << QByteArray("\r\n   \r\n\r\n") << QStringList{"   "};
    QTest::newRow("only empty lines") << QByteArray("\r\n\r\n\r\n") << QStringList();
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("last line without terminator") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("lone CR and lone LF") << QByteArray("a\rb\nc\r\n") << QStringList{"a", "b\nc"};
    QTest::newRow("CR then CR LF") << QByteArray("x\r\r\n") << QStringList{"x"};
    QTest::newRow("LF at the very end") << QByteArray("a\r\nb\n") << QStringList{"a", "b\n"};
    QTest::newRow("LF right after the last CR") << QByteArray("a\r\n\n") << QStringList{"a", "\n"};
    QTest::newRow("long log") << QByteArray("ab\r\n\r\n").repeated(100'000) + "last"
                              << QStringList(100'000, QStringLiteral("ab")) + QStringList{"last"};
    QTest::newRow("Windows-1251")
        << QByteArray("\xce\xe4\xed\xee\xe3\xee \xf0\xe5\xf8\xe5\xed\xe8\xff \xed\xe5\xf2\r\n"
                      "\xee\xf2\xe2\xe5\xf2\r\n\r\n")
        << QStringList{solver::noUniqueText, QStringLiteral("ответ")};
}

void TestAnswerLog::readers() {
    TempWorkFolder folder;
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, answers);
    QVERIFY(writeBytes(logPath, bytes));
    FileTable files;
    AnswerLog log(files);

    QCOMPARE(browseAll(log), answers);
    QVERIFY(log.cursorOpen());

    std::optional<QString> last;
    QVERIFY(log.lastAnswer(last));
    QCOMPARE(last.has_value(), !answers.isEmpty());
    if (last)
        QCOMPARE(*last, answers.last());

    // Read whole but given up before its end, "Все ответы" leaves the log as it was.
    QString all;
    QVERIFY(readAll(log, all, false));
    QString expected;
    for (const QString& answer : answers)
        expected += answer + QStringLiteral("\r\n");
    QCOMPARE(all, expected);
    QCOMPARE(readBytes(logPath), bytes);
}

void TestAnswerLog::browseStopsAtTheEnd() {
    TempWorkFolder folder;
    QVERIFY(writeBytes(logPath, "a\r\n\r\nb\r\n"));
    FileTable files;
    AnswerLog log(files);
    QVERIFY(log.openAnswerCursor());
    std::optional<QString> answer;
    QVERIFY(log.nextAnswer(answer));
    QCOMPARE(answer, QStringLiteral("a"));
    QVERIFY(log.nextAnswer(answer));
    QCOMPARE(answer, QStringLiteral("b"));
    QVERIFY(log.nextAnswer(answer));
    QCOMPARE(answer, std::nullopt);
    QVERIFY(log.cursorOpen());
    QVERIFY(log.nextAnswer(answer));
    QCOMPARE(answer, std::nullopt);
    QVERIFY(log.cursorOpen());

    // "Первый ответ" again starts from the top.
    QVERIFY(log.touchLog());
    QVERIFY(!log.cursorOpen());
    QVERIFY(log.openAnswerCursor());
    QVERIFY(log.nextAnswer(answer));
    QCOMPARE(answer, QStringLiteral("a"));
}

void TestAnswerLog::readAllThenReplace_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("rewritten");

    QTest::newRow("a, empty line, b")
        << QByteArray("a\r\n\r\nb\r\n") << QByteArray("a\r\nb\r\n\r\n");
    QTest::newRow("only empty lines") << QByteArray("\r\n\r\n") << QByteArray("\r\n");
    QTest::newRow("last line without terminator")
        << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n\r\n");
    QTest::newRow("three blanks") << QByteArray("   ") << QByteArray("   \r\n\r\n");
    QTest::newRow("Windows-1251") << QByteArray("\xee\xf2\xe2\xe5\xf2\r\n")
                                  << QByteArray("\xee\xf2\xe2\xe5\xf2\r\n\r\n");
}

void TestAnswerLog::readAllThenReplace() {
    TempWorkFolder folder;
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, rewritten);
    QVERIFY(writeBytes(logPath, bytes));
    FileTable files;
    AnswerLog log(files);

    // "Все ответы" reads the log and writes it straight back; doing so again changes nothing.
    for (int round = 0; round < 2; ++round) {
        QString all;
        const FileStatus s = readAll(log, all, true);
        QVERIFY2(s, qPrintable(s.message()));
        QCOMPARE(readBytes(logPath), rewritten);
    }
}

void TestAnswerLog::missingLogReadsAsEmpty() {
    TempWorkFolder folder;
    FileTable files;
    AnswerLog log(files);
    QString all = QStringLiteral("stale");
    const FileStatus s = readAll(log, all, false);
    QVERIFY2(s, qPrintable(s.message()));
    QCOMPARE(all, QString());
    QVERIFY(!QFile::exists(logPath));
    QVERIFY(readAll(log, all, true));
    QCOMPARE(readBytes(logPath), "\r\n");
}

void TestAnswerLog::touchCreatesTheLog() {
    TempWorkFolder folder;
    FileTable files;
    AnswerLog log(files);
    QVERIFY(log.touchLog());
    QCOMPARE(readBytes(logPath), "\r\n");
    std::optional<QString> last = QStringLiteral("stale");
    QVERIFY(log.lastAnswer(last));
    QCOMPARE(last, std::nullopt);
    QVERIFY(log.touchLog());
    QCOMPARE(readBytes(logPath), "\r\n\r\n");
}

void TestAnswerLog::otherOperationsEndTheBrowse_data() {
    QTest::addColumn<int>("operation");
    QTest::newRow("appendAnswer") << 0;
    QTest::newRow("touchLog") << 1;
    QTest::newRow("all answers") << 2;
    QTest::newRow("replaceLog") << 3;
}

void TestAnswerLog::otherOperationsEndTheBrowse() {
    TempWorkFolder folder;
    QFETCH(int, operation);
    QVERIFY(writeBytes(logPath, "a\r\nb\r\n"));
    FileTable files;
    AnswerLog log(files);
    QVERIFY(log.openAnswerCursor());
    std::optional<QString> answer;
    QVERIFY(log.nextAnswer(answer));
    QVERIFY(log.cursorOpen());

    QString text;
    switch (operation) {
    case 0:
        QVERIFY(log.appendAnswer(QStringLiteral("c")));
        break;
    case 1:
        QVERIFY(log.touchLog());
        break;
    case 2:
        QVERIFY(readAll(log, text, false));
        break;
    default:
        QVERIFY(log.replaceLog(faults::linesOf(QStringLiteral("x"))));
        break;
    }
    QVERIFY(!log.cursorOpen());
    QVERIFY(!files.anyOpen());
    QVERIFY(!log.nextAnswer(answer));
    QCOMPARE(answer, std::nullopt);
}

void TestAnswerLog::failuresLeaveTheLogAlone() {
    {
        // Without the folder files nothing can be written, and nothing is created.
        TempWorkFolder folder(false);
        FileTable files;
        AnswerLog log(files);
        const FileStatus s = log.appendAnswer(QStringLiteral("1.000  "));
        QVERIFY(!s);
        QVERIFY2(s.message().contains(logPath), qPrintable(s.message()));
        QVERIFY(!log.touchLog());
        QString all;
        QVERIFY(!readAll(log, all, false));
        QVERIFY(!QDir(QStringLiteral("files")).exists());
    }
    TempWorkFolder folder;
    QVERIFY(writeBytes(logPath, "a\r\n"));
    FileTable files;
    AnswerLog log(files);
    // Text the code page cannot hold: the old log stays whole.
    QVERIFY(!log.replaceLog(faults::linesOf(QStringLiteral("b\r\n日"))));
    QCOMPARE(readBytes(logPath), "a\r\n");
    QVERIFY(!log.appendAnswer(QStringLiteral("日")));
    QCOMPARE(readBytes(logPath), "a\r\n");
}

QTEST_GUILESS_MAIN(TestAnswerLog)
#include "test_answer_log.moc"
