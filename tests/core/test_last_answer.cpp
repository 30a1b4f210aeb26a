// The last answer is found from the end of the log; it must be the line a read of every line
// from the start keeps last, whatever mix of CR, LF and CR LF the file holds.
#include "core/answer_log.h"
#include "support/text_reader.h"
#include "test_support.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// The last non-empty line by reading every line from the start.
std::optional<QString> readForward() {
    std::optional<TextReader> file;
    if (!TextReader::open(AnswerLog::path, file))
        return std::nullopt;
    std::optional<QString> last;
    QString line;
    while (!file->atEnd()) {
        file->readLine(line);
        if (!line.isEmpty())
            last = line;
    }
    return last;
}

} // namespace

class TestLastAnswer : public QObject {
    Q_OBJECT
  private slots:
    void knownLogs_data();
    void knownLogs();
    void agreesWithForwardRead();
};

void TestLastAnswer::knownLogs_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected"); // "-" for nothing
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("-");
    QTest::newRow("only line ends") << QByteArray("\r\n\r\n\r") << QStringLiteral("-");
    QTest::newRow("terminated") << QByteArray("a\r\nb\r\n\r\n") << QStringLiteral("b");
    QTest::newRow("no terminator") << QByteArray("a\r\nb") << QStringLiteral("b");
    QTest::newRow("lone LF is text") << QByteArray("a\r\n\n") << QStringLiteral("\n");
    QTest::newRow("LF inside") << QByteArray("x\ny\r") << QStringLiteral("x\ny");
    QTest::newRow("lone CR ends") << QByteArray("a\rb\r\r") << QStringLiteral("b");
    QTest::newRow("CR LF LF") << QByteArray("a\r\n\n\r\n") << QStringLiteral("\n");
    QTest::newRow("blanks") << QByteArray("a\r\n   \r\n") << QStringLiteral("   ");
    QTest::newRow("answer before a long run of empty lines")
        << QByteArray("first\r\nlast\r\n") + QByteArray("\r\n").repeated(100000)
        << QStringLiteral("last");
    QTest::newRow("last line longer than a block")
        << QByteArray("a\r\n") + QByteArray(40000, 'x') + "\r\n"
        << QString(40000, u'x');
    QTest::newRow("CR LF split at a block edge")
        << QByteArray("z\r") + QByteArray("\n") + QByteArray("\r\n").repeated(32767) + "\r"
        << QStringLiteral("z");
    QTest::newRow("Cyrillic") << QByteArray("\xce\xf2\xe2\xe5\xf2\r\n") << QStringLiteral("Ответ");
}

void TestLastAnswer::knownLogs() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    TempWorkFolder folder;
    QVERIFY(writeBytes(AnswerLog::path, bytes));
    FileTable files;
    AnswerLog log(files);
    std::optional<QString> answer;
    QVERIFY(log.lastAnswer(answer));
    QCOMPARE(answer.value_or(QStringLiteral("-")), expected);
    QCOMPARE(readForward().value_or(QStringLiteral("-")), expected);
}

void TestLastAnswer::agreesWithForwardRead() {
    TempWorkFolder folder;
    FileTable files;
    AnswerLog log(files);
    QRandomGenerator random(20261208);
    const char alphabet[] = {'\r', '\n', 'a', ' '};
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        const int length = random.bounded(12);
        for (int i = 0; i < length; ++i)
            bytes.append(alphabet[random.bounded(4)]);
        QVERIFY(writeBytes(AnswerLog::path, bytes));
        std::optional<QString> answer;
        QVERIFY(log.lastAnswer(answer));
        QVERIFY2(answer == readForward(), bytes.toHex().constData());
    }
}

QTEST_GUILESS_MAIN(TestLastAnswer)
#include "test_last_answer.moc"
