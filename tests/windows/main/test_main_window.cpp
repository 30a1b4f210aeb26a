// The main window: start state, entering and solving through the real buttons and menu items,
// the solution line and matrix text in both decimal separators, unloading, and a log failure.
#include "program_fixture.h"
#include "window_layout.h"

#include "core/system_store.h"
#include "windows/main/steps_window.h"

#include <QAction>
#include <QDir>
#include <QHash>
#include <QScreen>
#include <QTest>

class TestMainWindow : public QObject {
    Q_OBJECT
  private slots:
    void startState();
    void enteringOpensEditor_data();
    void enteringOpensEditor();
    void firstRandomSystem_data();
    void firstRandomSystem();
    void rowExchangeSystem();
    void menuSolvesAgainAfterButtonDisabled();
    void unloadThenEnterThenSolve();
    void noUniqueSolution();
    void checkedAgainstWrittenSystem_data();
    void checkedAgainstWrittenSystem();
    void overflowShownAsText();
    void eachSolveAppendsOneLine();
    void logFailureStillShowsResult();
    void finalDoesNothing();
    void largerWindow_data();
    void largerWindow();
};

void TestMainWindow::startState() {
    ProgramFixture f;
    QVERIFY(f.main().isVisible());
    QCOMPARE(f.main().windowTitle(), QStringLiteral("Решение систем уравнений"));
    QVERIFY(!button(f.main(), "Command3")->isEnabled());
    QVERIFY(!action(f.main(), "ans")->isEnabled());
    QVERIFY(!button(f.main(), "Command7")->isEnabled());
    QVERIFY(button(f.main(), "Command1")->isEnabled());
    QCOMPARE(named<QLineEdit>(f.main(), "Text1")->text(), QStringLiteral("Ввести данные"));
    QVERIFY(action(f.main(), "graph")->isChecked());
    QVERIFY(!action(f.main(), "graph")->isEnabled());
    QVERIFY(action(f.main(), "stoper")->isChecked());
    QVERIFY(named<QPlainTextEdit>(f.main(), "Text2")->isHidden());
    QVERIFY(button(f.main(), "Command5")->isHidden() && button(f.main(), "Command6")->isHidden());
    QVERIFY(!f.program->form2Exists());
    // It opens at the sheet's size, the least it can be given, and can be enlarged.
    QVERIFY(opensAtLeastAndGrows(&f.main()));
    QCOMPARE(f.main().centralWidget()->size(), f.main().centralWidget()->minimumSize());
    QVERIFY(f.main().windowFlags() & Qt::WindowMaximizeButtonHint);
    QCOMPARE(layoutFault(f.main().centralWidget(), {"Text1"}), QString());
    QVERIFY(!QFileInfo::exists(QStringLiteral("files/lastans")));
}

void TestMainWindow::enteringOpensEditor_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("button") << 0;
    QTest::newRow("entry box click") << 1;
    QTest::newRow("menu") << 2;
}

void TestMainWindow::enteringOpensEditor() {
    QFETCH(int, way);
    ProgramFixture f;
    if (way == 0)
        f.click(button(f.main(), "Command1"));
    else if (way == 1)
        QTest::mouseClick(named<QLineEdit>(f.main(), "Text1"), Qt::LeftButton);
    else
        action(f.main(), "masedit")->trigger();
    QVERIFY(f.program->form2Exists());
    QVERIFY(f.editor().isVisible());
    QVERIFY(f.main().isHidden());
    QVERIFY(button(f.main(), "Command3")->isEnabled());
    QVERIFY(action(f.main(), "ans")->isEnabled());
    QCOMPARE(f.program->store().matrix.order(), 4);
}

void TestMainWindow::firstRandomSystem_data() {
    QTest::addColumn<QChar>("separator");
    QTest::newRow("point") << QChar(u'.');
    QTest::newRow("comma") << QChar(u',');
}

void TestMainWindow::firstRandomSystem() {
    QFETCH(QChar, separator);
    ProgramFixture f(separator);
    f.click(button(f.main(), "Command1"));
    QCOMPARE(named<QLineEdit>(f.editor(), "Text1")->text(),
             QStringLiteral("7 5 5 2 3 7 0 7 8 7 0 4 8 7 3 9 8 0 9 3 "));
    f.click(button(f.editor(), "Command4"));
    QVERIFY(f.main().isVisible());
    f.click(button(f.main(), "Command3"));
    QString expected = QStringLiteral("0.377  -0.352  0.316  0.268  ");
    expected.replace(u'.', separator);
    QCOMPARE(f.answer(), expected);
    QString matrix = QStringLiteral("9.000  8.000  0.000  9.000  3.000  \n"
                                    "0.000  -6.222  7.000  1.000  4.667  \n"
                                    "0.000  0.000  12.500  7.643  6.000  \n"
                                    "0.000  0.000  0.000  -7.413  -1.990  \n");
    matrix.replace(u'.', separator);
    QCOMPARE(named<MatrixLabel>(f.main(), "Label1")->text(), matrix);
    QCOMPARE(readBytes(QStringLiteral("files/lastans")), expected.toLatin1() + "\r\n");
    QVERIFY(!button(f.main(), "Command3")->isEnabled());
    QVERIFY(action(f.main(), "ans")->isEnabled());
}

void TestMainWindow::rowExchangeSystem() {
    ProgramFixture f;
    f.enter(2, QStringLiteral("0 2 4 1 1 3"));
    f.click(button(f.main(), "Command3"));
    QCOMPARE(f.answer(), QStringLiteral("1.000  2.000  "));
    QCOMPARE(named<MatrixLabel>(f.main(), "Label1")->text(),
             QStringLiteral("1.000  1.000  3.000  \n0.000  2.000  4.000  \n"));
}

void TestMainWindow::menuSolvesAgainAfterButtonDisabled() {
    ProgramFixture f;
    f.enter(2, QStringLiteral("2 1 3 1 3 5"));
    f.click(button(f.main(), "Command3"));
    QCOMPARE(f.answer(), QStringLiteral("0.800  1.400  "));
    QVERIFY(!button(f.main(), "Command3")->isEnabled());
    action(f.main(), "ans")->trigger();
    // The eliminated matrix has the same solution.
    QCOMPARE(f.answer(), QStringLiteral("0.800  1.400  "));
    QCOMPARE(readBytes(QStringLiteral("files/lastans")),
             QByteArray("0.800  1.400  \r\n0.800  1.400  \r\n"));
}

void TestMainWindow::unloadThenEnterThenSolve() {
    ProgramFixture f;
    f.enter(2, QStringLiteral("2 1 3 1 3 5"));
    action(f.main(), "unloadmas")->trigger();
    QVERIFY(!button(f.main(), "Command3")->isEnabled());
    QVERIFY(!action(f.main(), "ans")->isEnabled());
    QCOMPARE(f.program->store().matrix.order(), 0);
    QCOMPARE(f.program->store().answers.size(), std::size_t(1));
    // Into the editor and straight back: nothing re-shapes the store, yet the solve works on
    // what the editor shows.
    f.click(button(f.main(), "Command1"));
    f.click(button(f.editor(), "Command4"));
    QVERIFY(button(f.main(), "Command3")->isEnabled());
    f.click(button(f.main(), "Command3"));
    QCOMPARE(f.answer(), QStringLiteral("0.800  1.400  "));
}

void TestMainWindow::noUniqueSolution() {
    ProgramFixture f;
    f.enter(2, QStringLiteral("1 2 3 2 4 6"));
    f.click(button(f.main(), "Command3"));
    QCOMPARE(f.answer(), QStringLiteral("Одного решения нет"));
    QCOMPARE(named<MatrixLabel>(f.main(), "Label1")->text(),
             QStringLiteral("2.000  4.000  6.000  \n0.000  0.000  0.000  \n"));
    QCOMPARE(textfile::decode(readBytes(QStringLiteral("files/lastans"))),
             QStringLiteral("Одного решения нет\r\n"));
    // Solving again with a single answer element left gives the answers their range first.
    f.click(button(f.main(), "Command1"));
    named<QLineEdit>(f.editor(), "Text1")->setText(QStringLiteral("1 1 2 -1 1 0"));
    f.click(button(f.editor(), "Command4"));
    f.click(button(f.main(), "Command3"));
    QCOMPARE(f.answer(), QStringLiteral("1.000  1.000  "));
}

void TestMainWindow::checkedAgainstWrittenSystem_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("unique");
    QTest::addColumn<bool>("warned");
    QTest::newRow("0.1/0.3 multiples")
        << 2 << QStringLiteral("0.1 0.3 1 0.3 0.9 2") << false << false;
    QTest::newRow("row the sum of two")
        << 3 << QStringLiteral("0.3 0.2 0.5 0.2 0.8 0.8 0.8 0.7 1.1 1 1.3 0.9") << false << false;
    QStringList hilbert;
    for (int i = 0; i < 8; ++i) {
        for (int j = 0; j < 8; ++j)
            hilbert.append(QString::number(1.0 / (i + j + 1), 'f', 6));
        hilbert.append(QStringLiteral("1"));
    }
    QTest::newRow("Hilbert 8 as decimals") << 8 << hilbert.join(u' ') << true << true;
    QTest::newRow("well conditioned") << 2 << QStringLiteral("2 1 3 1 3 5") << true << false;
}

void TestMainWindow::checkedAgainstWrittenSystem() {
    QFETCH(int, order);
    QFETCH(QString, text);
    QFETCH(bool, unique);
    QFETCH(bool, warned);
    ProgramFixture f;
    f.enter(order, text);
    f.click(button(f.main(), "Command3"));
    const QString log = textfile::decode(readBytes(QStringLiteral("files/lastans")));
    QCOMPARE(log, f.answer() + QStringLiteral("\r\n"));
    QCOMPARE(f.answer() == QStringLiteral("Одного решения нет"), !unique);
    QLabel* warning = f.main().findChild<QLabel*>(QStringLiteral("Label1Warning"));
    QVERIFY(warning);
    QCOMPARE(warning->isVisible(), warned);
    if (warned) {
        QVERIFY(warning->text().contains(QStringLiteral("плохо обусловлена")));
        QVERIFY(named<MatrixLabel>(f.main(), "Label1")
                    ->accessibleDescription()
                    .startsWith(warning->text()));
        // The rows start below the warning, not under it.
        QVERIFY(named<MatrixLabel>(f.main(), "Label1")->contentsRect().top() >=
                warning->geometry().bottom());
    }
    // The steps window tells why there is no answer: the rank of the system as written.
    f.main().stepsClick();
    QCOMPARE(f.main().stepsWindow()->text().contains(QStringLiteral("ранг")), !unique);
}

void TestMainWindow::overflowShownAsText() {
    ProgramFixture f;
    f.enter(2, QStringLiteral("1E308 1E308 1E308 -1E308 1E308 1E308"));
    f.click(button(f.main(), "Command3"));
    QCOMPARE(f.answer(), QStringLiteral("Переполнение при вычислении"));
    const QString matrix = named<MatrixLabel>(f.main(), "Label1")->text();
    QVERIFY2(!matrix.contains(QStringLiteral("inf")) && !matrix.contains(QStringLiteral("nan")),
             qPrintable(matrix));
}

void TestMainWindow::eachSolveAppendsOneLine() {
    ProgramFixture f;
    for (int i = 0; i < 3; ++i) {
        f.enter(2, QStringLiteral("1 0 %1 0 1 2").arg(i));
        f.click(button(f.main(), "Command3"));
    }
    QCOMPARE(readBytes(QStringLiteral("files/lastans")),
             QByteArray("0.000  2.000  \r\n1.000  2.000  \r\n2.000  2.000  \r\n"));
}

void TestMainWindow::logFailureStillShowsResult() {
    ProgramFixture f;
    f.enter(2, QStringLiteral("2 1 3 1 3 5"));
    QDir(QStringLiteral("files")).removeRecursively();
    f.click(button(f.main(), "Command3"));
    QCOMPARE(f.answer(), QStringLiteral("0.800  1.400  "));
    QVERIFY(!named<MatrixLabel>(f.main(), "Label1")->text().isEmpty());
    QCOMPARE(f.platform.messages.size(), 1);
    const ShownMessage& shown = f.platform.messages.last();
    QCOMPARE(shown.title, QStringLiteral("Ошибка"));
    QVERIFY2(shown.text.contains(QStringLiteral("files/lastans")), qPrintable(shown.text));
    QVERIFY(!QFileInfo::exists(QStringLiteral("files")));
}

void TestMainWindow::finalDoesNothing() {
    ProgramFixture f;
    action(f.main(), "final")->trigger();
    QVERIFY(f.main().isVisible());
    QVERIFY(f.platform.messages.isEmpty());
    QVERIFY(QDir(QStringLiteral("files")).isEmpty());
}

namespace {

enum class Sizing { AsOpened, Enlarged, EnlargedAndBack, Maximised };

// The first value of the answer line or Label1 not seen whole without scrolling, else "".
QString hiddenValue(Form1& window) {
    const MatrixLabel* label = named<MatrixLabel>(window, "Label1");
    for (int i = 0; label->valueRect(i, 0).isValid(); ++i)
        for (int j = 0; label->valueRect(i, j).isValid(); ++j)
            if (!(label->viewport() & label->rect()).contains(label->valueRect(i, j)))
                return QStringLiteral("Label1 %1,%2").arg(i).arg(j);
    const AnswerArea* area = named<AnswerArea>(window, "Picture1");
    const int width = area->fontMetrics().horizontalAdvance(area->printedLines().value(0));
    return area->scrollRange() > 0 || width > area->textViewport().width() ? "Picture1" : "";
}

} // namespace

Q_DECLARE_METATYPE(Sizing)

void TestMainWindow::largerWindow_data() {
    QTest::addColumn<Sizing>("sizing");
    QTest::addColumn<bool>("seenWhole");
    QTest::newRow("sheet's size") << Sizing::AsOpened << false;
    QTest::newRow("enlarged") << Sizing::Enlarged << true;
    QTest::newRow("enlarged, then back") << Sizing::EnlargedAndBack << false;
    QTest::newRow("maximised") << Sizing::Maximised << true;
}

void TestMainWindow::largerWindow() {
    QFETCH(Sizing, sizing);
    QFETCH(bool, seenWhole);
    // Order 10, every coefficient on and above the diagonal -1234.567 (elimination leaves the
    // matrix as it is), every unknown -1234.567.
    QStringList numbers;
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 10; ++j)
            numbers.append(j >= i ? QStringLiteral("-1234.567") : QStringLiteral("0"));
        numbers.append(QString::number(1234.567 * 1234.567 * (10 - i), 'f', 6));
    }
    ProgramFixture f;
    f.enter(10, numbers.join(u' '));
    f.click(button(f.main(), "Command3"));
    QCOMPARE(f.answer(), QStringLiteral("-1234.567  ").repeated(10));
    Form1& window = f.main();
    const QWidget* client = window.centralWidget();
    const QSize openedClient = client->size();
    QHash<QWidget*, QRect> opened;
    for (QWidget* w : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!qobject_cast<LineScene*>(w))
            opened.insert(w, w->geometry());
    QVERIFY(!hiddenValue(window).isEmpty()); // too long for the sheet's size

    if (sizing == Sizing::Maximised) {
        window.showMaximized();
        QTRY_COMPARE(window.frameGeometry().width(), window.screen()->availableGeometry().width());
        QCOMPARE(window.screen()->size(), QSize(1280, 1024)); // from screen.json
    } else if (sizing != Sizing::AsOpened) {
        window.resize(1000, 700);
        QTRY_COMPARE(window.size(), QSize(1000, 700));
        if (sizing == Sizing::EnlargedAndBack)
            window.resize(window.minimumSize());
        QTRY_COMPARE(client->size() == openedClient, sizing == Sizing::EnlargedAndBack);
    }
    QTRY_COMPARE(window.isMaximized(), sizing == Sizing::Maximised);
    QCOMPARE(layoutFault(client, {"Text1"}), QString());
    QVERIFY2(hiddenValue(window).isEmpty() == seenWhole, qPrintable(hiddenValue(window)));
    // The buttons stay; the answer line takes the extra width, Label1 and the panel over it the
    // extra width and height, the panel's buttons stay below the panel.
    const QSize grown = client->size() - openedClient;
    for (auto it = opened.cbegin(); it != opened.cend(); ++it) {
        const QString name = it.key()->objectName();
        const bool wider = name == "Picture1" || name == "Label1" || name == "Text2";
        const bool taller = name == "Label1" || name == "Text2";
        const bool lower = name == "Command5" || name == "Command6";
        const QRect grownRect =
            it.value().adjusted(0, 0, wider ? grown.width() : 0, taller ? grown.height() : 0);
        QVERIFY2(it.key()->geometry() == grownRect.translated(0, lower ? grown.height() : 0),
                 qPrintable(name));
    }
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
