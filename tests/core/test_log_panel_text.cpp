// The answer log's text in the main window's panel and back: one panel line for every log line,
// a lone LF inside a line marked, every other character kept, and the mark saved as a line break.
#include "core/log_panel_text.h"

#include <QTest>

namespace {

// The text with each '#' as the panel's mark of a lone LF.
QString marked(const char* text) {
    return QString::fromUtf8(text).replace(u'#', QChar(0x21B5));
}

} // namespace

class TestLogPanelText : public QObject {
    Q_OBJECT
  private slots:
    void panelText_data();
    void panelText();
    void logText_data();
    void logText();
};

void TestLogPanelText::panelText_data() {
    QTest::addColumn<QString>("log");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("lines") << QStringLiteral("1.000  \r\n2.000  \r\n")
                           << QStringLiteral("1.000  \n2.000  \n");
    QTest::newRow("lone LF inside a line")
        << QStringLiteral("1.000  \nx\r\n") << marked("1.000  #x\n");
    QTest::newRow("lone LF at a line's end") << QStringLiteral("a\n\r\n") << marked("a#\n");
    QTest::newRow("lone LF at the end") << QStringLiteral("a\r\nb\n") << marked("a\nb#");
    QTest::newRow("LF CR") << QStringLiteral("a\n\rb\r\n") << marked("a#\rb\n");
    QTest::newRow("lone CR kept") << QStringLiteral("a\rb\r\n") << QStringLiteral("a\rb\n");
    QTest::newRow("CR before CR LF") << QStringLiteral("a\r\r\n") << QStringLiteral("a\r\n");
    QTest::newRow("CR at the end") << QStringLiteral("a\r") << QStringLiteral("a\r");
    QTest::newRow("two LFs") << QStringLiteral("\n\n") << marked("##");
    QTest::newRow("non-breaking blank and tab kept")
        << QStringLiteral("1\u00a02\t3\r\n") << QStringLiteral("1\u00a02\t3\n");
}

void TestLogPanelText::panelText() {
    QFETCH(QString, log);
    QFETCH(QString, shown);
    QCOMPARE(logpanel::panelText(log), shown);
}

void TestLogPanelText::logText_data() {
    QTest::addColumn<QString>("panel"); // CR LF between the panel's lines
    QTest::addColumn<QString>("log");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("no mark") << QStringLiteral("a\r\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("mark inside a line")
        << marked("1.000  #x\r\n2.000  ") << QStringLiteral("1.000  \r\nx\r\n2.000  ");
    QTest::newRow("marks at a line's start and end")
        << marked("#a#\r\nb") << QStringLiteral("\r\na\r\n\r\nb");
    QTest::newRow("lone CR and LF of the text kept")
        << QStringLiteral("a\rb\nc") << QStringLiteral("a\rb\nc");
}

void TestLogPanelText::logText() {
    QFETCH(QString, panel);
    QFETCH(QString, log);
    QCOMPARE(logpanel::logText(panel), log);
}

QTEST_GUILESS_MAIN(TestLogPanelText)
#include "test_log_panel_text.moc"
