// Answer browsing through the real buttons and menu items: the browse state and "Следующий ответ",
// the last answer, the whole log in the panel, and what a failing log does to the window.
#include "program_fixture.h"

#include "support/text_file.h"

#include <QAction>
#include <QDir>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTest>

namespace {

const QString logPath = QStringLiteral("files/lastans");

void writeLog(const QByteArray& bytes) {
    QVERIFY(writeBytes(logPath, bytes));
}

} // namespace

class TestAnswerBrowsing : public QObject {
    Q_OBJECT
  private slots:
    void firstWithoutLog();
    void lastWithoutLog_data();
    void lastWithoutLog();
    void browseThreeAnswers();
    void solveEndsBrowse();
    void everyCommandEndsBrowse_data();
    void everyCommandEndsBrowse();
    void lastAfterSolve();
    void nothingRememberedReplacesOldAnswer();
    void allAnswersDropsEmptyLines();
    void allAnswersTwiceKeepsBytes();
    void allAnswersWithoutLog();
    void largeLogInSteps_data();
    void largeLogInSteps();
    void panelEditLostOnHide();
    void panelEditSaved();
    void emptiedPanelSaved();
    void menuTogglesPanel();
    void panelCoversLabelAndButton();
    void failingLog_data();
    void failingLog();
    void unencodablePanelRefused();
};

void TestAnswerBrowsing::firstWithoutLog() {
    ProgramFixture f;
    named<AnswerArea>(f.main(), "Picture1")->print(QStringLiteral("старое"));
    f.click(button(f.main(), "Command2"));
    QCOMPARE(readBytes(logPath), QByteArray("\r\n"));
    QCOMPARE(f.answer(), QStringLiteral("старое"));
    QVERIFY(!button(f.main(), "Command7")->isEnabled());
    QVERIFY(f.program->answerLog().cursorOpen());
}

void TestAnswerBrowsing::lastWithoutLog_data() {
    QTest::addColumn<bool>("menu");
    QTest::newRow("button") << false;
    QTest::newRow("menu") << true;
}

void TestAnswerBrowsing::lastWithoutLog() {
    QFETCH(bool, menu);
    ProgramFixture f;
    if (menu)
        action(f.main(), "lastans")->trigger();
    else
        f.click(button(f.main(), "Command8"));
    QCOMPARE(named<AnswerArea>(f.main(), "Picture1")->printedLines(),
             QStringList{QStringLiteral("Ничего не помню")});
    QCOMPARE(readBytes(logPath), QByteArray("\r\n"));
    QVERIFY(!f.program->answerLog().cursorOpen());
}

void TestAnswerBrowsing::browseThreeAnswers() {
    ProgramFixture f;
    writeLog("a\r\n\r\nb\r\nc");
    f.click(button(f.main(), "Command2"));
    QCOMPARE(f.answer(), QStringLiteral("a"));
    QVERIFY(button(f.main(), "Command7")->isEnabled());
    f.click(button(f.main(), "Command7"));
    QCOMPARE(f.answer(), QStringLiteral("b"));
    f.click(button(f.main(), "Command7"));
    QCOMPARE(f.answer(), QStringLiteral("c"));
    f.click(button(f.main(), "Command7"));
    QCOMPARE(f.answer(), QStringLiteral("c"));
    QVERIFY(button(f.main(), "Command7")->isEnabled());
    QVERIFY(f.program->answerLog().cursorOpen());
    // The touch before reading added one empty line.
    QCOMPARE(readBytes(logPath), QByteArray("a\r\n\r\nb\r\nc\r\n"));
}

void TestAnswerBrowsing::solveEndsBrowse() {
    ProgramFixture f;
    f.enter(2, QStringLiteral("2 1 3 1 3 5"));
    writeLog("a\r\nb\r\n");
    f.click(button(f.main(), "Command2"));
    QVERIFY(button(f.main(), "Command7")->isEnabled());
    f.click(button(f.main(), "Command3"));
    QVERIFY(!button(f.main(), "Command7")->isEnabled());
    QVERIFY(!f.program->answerLog().cursorOpen());
    QCOMPARE(f.answer(), QStringLiteral("0.800  1.400  "));
    QCOMPARE(readBytes(logPath), QByteArray("a\r\nb\r\n\r\n0.800  1.400  \r\n"));
    f.click(button(f.main(), "Command2"));
    QCOMPARE(f.answer(), QStringLiteral("a"));
}

void TestAnswerBrowsing::everyCommandEndsBrowse_data() {
    QTest::addColumn<QString>("command"); // the object name of a button or a menu item
    QTest::addColumn<bool>("panelShown"); // "Все ответы" opened the panel before the browse
    QTest::newRow("Ввести данные") << "Command1" << false;
    QTest::newRow("Редактор массивов...") << "masedit" << false;
    QTest::newRow("Решить массив") << "Command3" << false;
    QTest::newRow("menu Решить массив") << "ans" << false;
    QTest::newRow("Последний ответ") << "Command8" << false;
    QTest::newRow("menu Последний ответ") << "lastans" << false;
    QTest::newRow("Все ответы") << "Command4" << false;
    QTest::newRow("menu Показать все ответы") << "allans" << false;
    QTest::newRow("Сохранить the panel") << "Command5" << true;
}

void TestAnswerBrowsing::everyCommandEndsBrowse() {
    QFETCH(QString, command);
    QFETCH(bool, panelShown);
    ProgramFixture f;
    f.enter(2, QStringLiteral("2 1 3 1 3 5"));
    writeLog("a\r\nb\r\n");
    Form1& w = f.main();
    if (panelShown)
        f.click(w.findChild<QPushButton*>(QStringLiteral("Command4")));
    f.click(w.findChild<QPushButton*>(QStringLiteral("Command2")));
    auto* next = w.findChild<QPushButton*>(QStringLiteral("Command7"));
    QVERIFY(next->isEnabled());
    QVERIFY(f.program->answerLog().cursorOpen());
    if (auto* button = w.findChild<QPushButton*>(command))
        f.click(button);
    else
        w.findChild<QAction*>(command)->trigger();
    QVERIFY(!next->isEnabled());
    QVERIFY(!f.program->answerLog().cursorOpen());
}

void TestAnswerBrowsing::lastAfterSolve() {
    ProgramFixture f;
    for (const char* text : {"1 0 1 0 1 1", "1 0 2 0 1 2", "1 0 3 0 1 3"}) {
        f.enter(2, QString::fromLatin1(text));
        f.click(button(f.main(), "Command3"));
    }
    const qint64 before = QFileInfo(logPath).size();
    f.click(button(f.main(), "Command8"));
    QCOMPARE(f.answer(), QStringLiteral("3.000  3.000  "));
    QCOMPARE(QFileInfo(logPath).size(), before + 2);
}

void TestAnswerBrowsing::nothingRememberedReplacesOldAnswer() {
    ProgramFixture f;
    writeLog("\r\n\r\n");
    named<AnswerArea>(f.main(), "Picture1")->print(QStringLiteral("1.000  "));
    f.click(button(f.main(), "Command8"));
    QCOMPARE(named<AnswerArea>(f.main(), "Picture1")->printedLines(),
             QStringList{QStringLiteral("Ничего не помню")});
}

void TestAnswerBrowsing::allAnswersDropsEmptyLines() {
    ProgramFixture f;
    writeLog("a\r\n\r\n\r\nb\r\n   \r\n");
    f.click(button(f.main(), "Command2"));
    f.click(button(f.main(), "Command4"));
    QVERIFY(!button(f.main(), "Command7")->isEnabled());
    QVERIFY(!f.program->answerLog().cursorOpen());
    QVERIFY(f.main().panelShown());
    QVERIFY(!named<QPlainTextEdit>(f.main(), "Text2")->isHidden());
    QVERIFY(button(f.main(), "Command4")->isHidden());
    QVERIFY(!button(f.main(), "Command5")->isHidden() && !button(f.main(), "Command6")->isHidden());
    QCOMPARE(named<QPlainTextEdit>(f.main(), "Text2")->toPlainText(),
             QStringLiteral("a\nb\n   \n"));
    QCOMPARE(readBytes(logPath), QByteArray("a\r\nb\r\n   \r\n\r\n"));
}

void TestAnswerBrowsing::allAnswersTwiceKeepsBytes() {
    ProgramFixture f;
    // "Одного решения нет" in Windows-1251.
    const QByteArray noSolution(
        "\xce\xe4\xed\xee\xe3\xee \xf0\xe5\xf8\xe5\xed\xe8\xff \xed\xe5\xf2");
    writeLog(noSolution + "\r\n\r\n1,000  2,000  \r\nx\ny\r\n");
    action(f.main(), "allans")->trigger();
    const QByteArray once = readBytes(logPath);
    f.click(button(f.main(), "Command6"));
    f.click(button(f.main(), "Command4"));
    QCOMPARE(readBytes(logPath), once);
    QCOMPARE(once, noSolution + "\r\n1,000  2,000  \r\nx\ny\r\n\r\n");
    QCOMPARE(named<QPlainTextEdit>(f.main(), "Text2")->toPlainText().section(u'\n', 0, 0),
             QStringLiteral("Одного решения нет"));
}

void TestAnswerBrowsing::allAnswersWithoutLog() {
    ProgramFixture f;
    f.click(button(f.main(), "Command4"));
    QVERIFY(f.main().panelShown());
    QCOMPARE(named<QPlainTextEdit>(f.main(), "Text2")->toPlainText(), QString());
    QCOMPARE(readBytes(logPath), QByteArray("\r\n"));
    QVERIFY(f.platform.messages.isEmpty());
}

void TestAnswerBrowsing::largeLogInSteps_data() {
    QTest::addColumn<bool>("cancel");
    QTest::newRow("to the end") << false;
    QTest::newRow("cancelled") << true;
}

void TestAnswerBrowsing::largeLogInSteps() {
    QFETCH(bool, cancel);
    ProgramFixture f;
    QByteArray log;
    for (int i = 0; i < 100'000; ++i)
        log += QByteArray::number(i) + " 1,000  -2,500  0,333  \r\n";
    writeLog(log);
    f.click(button(f.main(), "Command4"));
    // The panel fills from the event loop behind a progress dialog; a part is never saved, and
    // the log is rewritten only once it has been read to its end.
    QVERIFY(f.main().panelLoading());
    auto* progress = f.main().findChild<QProgressDialog*>();
    QVERIFY(progress && progress->isVisible());
    f.main().command5Click();
    QCOMPARE(readBytes(logPath), log);
    if (cancel)
        f.click(progress->findChild<QPushButton*>());
    QTRY_VERIFY_WITH_TIMEOUT(!f.main().panelLoading(), 60'000);
    const QByteArray rewritten = cancel ? log : log + "\r\n";
    QCOMPARE(readBytes(logPath), rewritten);
    QCOMPARE(f.main().panelShown(), !cancel);
    QCOMPARE(button(f.main(), "Command5")->isHidden(), cancel);
    QCOMPARE(named<QPlainTextEdit>(f.main(), "Text2")->toPlainText(),
             cancel ? QString() : QString::fromLatin1(log).replace(u'\r', QString()));
    if (!cancel)
        f.click(button(f.main(), "Command5"));
    QCOMPARE(readBytes(logPath), rewritten);
    QCOMPARE(QDir(QStringLiteral("files")).entryList(QDir::Files), QStringList{"lastans"});
}

void TestAnswerBrowsing::panelEditLostOnHide() {
    ProgramFixture f;
    writeLog("a\r\n");
    f.click(button(f.main(), "Command4"));
    named<QPlainTextEdit>(f.main(), "Text2")->setPlainText(QStringLiteral("changed"));
    f.click(button(f.main(), "Command6"));
    QVERIFY(named<QPlainTextEdit>(f.main(), "Text2")->isHidden());
    QVERIFY(!button(f.main(), "Command4")->isHidden());
    QCOMPARE(named<QPlainTextEdit>(f.main(), "Text2")->toPlainText(), QStringLiteral("changed"));
    QCOMPARE(readBytes(logPath), QByteArray("a\r\n\r\n"));
    f.click(button(f.main(), "Command4"));
    QCOMPARE(named<QPlainTextEdit>(f.main(), "Text2")->toPlainText(), QStringLiteral("a\n"));
}

void TestAnswerBrowsing::panelEditSaved() {
    ProgramFixture f;
    writeLog("a\r\n");
    f.click(button(f.main(), "Command4"));
    named<QPlainTextEdit>(f.main(), "Text2")->setPlainText(QStringLiteral("\nпервый\n\nвторой"));
    f.click(button(f.main(), "Command5"));
    QVERIFY(f.main().panelShown());
    QCOMPARE(textfile::decode(readBytes(logPath)), QStringLiteral("\r\nпервый\r\n\r\nвторой\r\n"));
    f.click(button(f.main(), "Command2"));
    QCOMPARE(f.answer(), QStringLiteral("первый"));
}

void TestAnswerBrowsing::emptiedPanelSaved() {
    ProgramFixture f;
    writeLog("a\r\nb\r\n");
    f.click(button(f.main(), "Command4"));
    named<QPlainTextEdit>(f.main(), "Text2")->clear();
    f.click(button(f.main(), "Command5"));
    QCOMPARE(readBytes(logPath), QByteArray("\r\n"));
    f.click(button(f.main(), "Command8"));
    QCOMPARE(f.answer(), QStringLiteral("Ничего не помню"));
}

void TestAnswerBrowsing::menuTogglesPanel() {
    ProgramFixture f;
    writeLog("a\r\n");
    action(f.main(), "allans")->trigger();
    QVERIFY(f.main().panelShown());
    named<QPlainTextEdit>(f.main(), "Text2")->setPlainText(QStringLiteral("edit"));
    f.click(button(f.main(), "Command2")); // a browse survives hiding the panel
    QVERIFY(button(f.main(), "Command7")->isEnabled());
    action(f.main(), "allans")->trigger();
    QVERIFY(!f.main().panelShown());
    QVERIFY(button(f.main(), "Command7")->isEnabled());
    action(f.main(), "allans")->trigger();
    QVERIFY(f.main().panelShown());
    QCOMPARE(named<QPlainTextEdit>(f.main(), "Text2")->toPlainText(), QStringLiteral("a\n"));
    QVERIFY(!button(f.main(), "Command7")->isEnabled());
}

void TestAnswerBrowsing::panelCoversLabelAndButton() {
    ProgramFixture f;
    const QRect panel = named<QPlainTextEdit>(f.main(), "Text2")->geometry();
    QVERIFY(panel.contains(button(f.main(), "Command4")->geometry()));
    QVERIFY(panel.intersects(named<MatrixLabel>(f.main(), "Label1")->geometry()));
    QVERIFY(panel.contains(named<MatrixLabel>(f.main(), "Label1")->geometry().topLeft()));
}

void TestAnswerBrowsing::failingLog_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("command");
    const char* faults[] = {"no files folder", "files is a file", "log is a folder"};
    const char* commands[] = {"first", "last", "all", "save", "solve"};
    for (int fault = 0; fault < 3; ++fault)
        for (int command = 0; command < 5; ++command)
            QTest::addRow("%s, %s", faults[fault], commands[command]) << fault << command;
}

void TestAnswerBrowsing::failingLog() {
    QFETCH(int, fault);
    QFETCH(int, command);
    ProgramFixture f;
    f.enter(2, QStringLiteral("2 1 3 1 3 5"));
    f.click(button(f.main(), "Command4")); // panel shown with a text of its own
    named<QPlainTextEdit>(f.main(), "Text2")->setPlainText(QStringLiteral("kept"));
    QDir(QStringLiteral("files")).removeRecursively();
    if (fault == 1)
        QVERIFY(writeBytes(QStringLiteral("files"), "x"));
    if (fault == 2) {
        QDir().mkpath(logPath);
    }
    f.platform.messages.clear();
    switch (command) {
    case 0:
        f.click(button(f.main(), "Command2"));
        break;
    case 1:
        f.click(button(f.main(), "Command8"));
        break;
    case 2:
        action(f.main(), "allans")->trigger();
        action(f.main(), "allans")->trigger();
        break;
    case 3:
        f.click(button(f.main(), "Command5"));
        break;
    case 4:
        f.click(button(f.main(), "Command3"));
        break;
    }
    QVERIFY(!f.platform.messages.isEmpty());
    for (const ShownMessage& shown : f.platform.messages) {
        QCOMPARE(shown.title, QStringLiteral("Ошибка"));
        QVERIFY2(shown.text.contains(logPath), qPrintable(shown.text));
        QVERIFY2(!shown.text.contains(QStringLiteral("Unknown")), qPrintable(shown.text));
    }
    QVERIFY(!button(f.main(), "Command7")->isEnabled());
    QVERIFY(!f.program->answerLog().cursorOpen());
    if (command != 2)
        QCOMPARE(named<QPlainTextEdit>(f.main(), "Text2")->toPlainText(), QStringLiteral("kept"));
    // The window goes on working once the folder is back.
    QDir(QStringLiteral("files")).removeRecursively();
    QFile::remove(QStringLiteral("files"));
    QVERIFY(QDir().mkdir(QStringLiteral("files")));
    f.click(button(f.main(), "Command8"));
    QCOMPARE(f.answer(), QStringLiteral("Ничего не помню"));
}

void TestAnswerBrowsing::unencodablePanelRefused() {
    ProgramFixture f;
    writeLog("a\r\n");
    f.click(button(f.main(), "Command4"));
    const QByteArray before = readBytes(logPath);
    named<QPlainTextEdit>(f.main(), "Text2")->setPlainText(QStringLiteral("x ✓ y"));
    f.click(button(f.main(), "Command5"));
    QCOMPARE(f.platform.messages.size(), 1);
    QCOMPARE(f.platform.messages[0].title, QStringLiteral("Ошибка"));
    QVERIFY2(f.platform.messages[0].text.contains(QStringLiteral("✓")),
             qPrintable(f.platform.messages[0].text));
    QCOMPARE(readBytes(logPath), before);
    QCOMPARE(named<QPlainTextEdit>(f.main(), "Text2")->toPlainText(), QStringLiteral("x ✓ y"));
}

QTEST_MAIN(TestAnswerBrowsing)
#include "test_answer_browsing.moc"
