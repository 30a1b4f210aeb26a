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
    void logLines_data();
    void logLines();
};

void TestLogPanelText::panelText_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("shown"); // each paragraph's lines joined by '|'
    QTest::addColumn<int>("paragraphs");
    QTest::newRow("no lines") << QStringList() << QString() << 0;
    QTest::newRow("lines") << QStringList{"1.000  ", "2.000  "}
                           << QStringLiteral("1.000  |2.000  \n") << 1;
    QTest::newRow("lone LFs") << QStringList{"1.000  \nx", "a\n", "\n\n"}
                              << marked("1.000  #x|a#|##\n") << 1;
    QTest::newRow("empty and blank lines kept")
        << QStringList{"", "   ", "\u00a0\t"} << QStringLiteral("|   |\u00a0\t\n") << 1;
    // A log of short answers: paragraphs of a hundred lines.
    QTest::newRow("250 answers")
        << QStringList(250, QStringLiteral("7"))
        << (QStringList(100, QStringLiteral("7")).join(u'|') + u'\n').repeated(2) +
               QStringList(50, QStringLiteral("7")).join(u'|') + u'\n'
        << 3;
    // Long lines: a paragraph ends once it holds 8 K characters.
    QTest::newRow("long lines") << QStringList{QString(5000, u'a'), QString(5000, u'b'),
                                               QString(9000, u'c'), "d"}
                                << QString(5000, u'a') + u'|' + QString(5000, u'b') + u'\n' +
                                       QString(9000, u'c') + u'\n' + u'd' + u'\n'
                                << 3;
}

void TestLogPanelText::panelText() {
    QFETCH(QStringList, lines);
    QFETCH(QString, shown);
    QFETCH(int, paragraphs);
    const QString text = logpanel::panelText(lines);
    QCOMPARE(QString(text).replace(QChar::LineSeparator, u'|'), shown);
    QCOMPARE(text.count(u'\n'), paragraphs);
}

void TestLogPanelText::logLines_data() {
    QTest::addColumn<QString>("paragraph"); // '|' for a line separator
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QString() << QStringList{""};
    QTest::newRow("lines") << QStringLiteral("a|b") << QStringList{"a", "b"};
    QTest::newRow("mark inside a line")
        << marked("1.000  #x|2.000  ") << QStringList{"1.000  ", "x", "2.000  "};
    QTest::newRow("marks and separators at the ends")
        << marked("#a#|") << QStringList{"", "a", "", ""};
    QTest::newRow("lone CR and LF of the text kept")
        << QStringLiteral("a\rb\nc") << QStringList{"a\rb\nc"};
}

void TestLogPanelText::logLines() {
    QFETCH(QString, paragraph);
    QFETCH(QStringList, lines);
    QCOMPARE(logpanel::logLines(paragraph.replace(u'|', QChar::LineSeparator)), lines);
}

QTEST_GUILESS_MAIN(TestLogPanelText)
#include "test_log_panel_text.moc"
