// The array editor: its start state, the change chain from the scroll bar to the matrix and the
// preview, cyclic reuse of short texts, the random commands, pasting, and leaving the window.
#include "program_fixture.h"

#include "core/system_store.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

namespace {

QList<double> row(const Matrix& m, int i) {
    QList<double> values;
    for (int j = 0; j < m.columns(); ++j)
        values.append(m(i, j));
    return values;
}

} // namespace

class TestEditor : public QObject {
    Q_OBJECT
  private slots:
    void firstShowing();
    void previewText_data();
    void previewText();
    void tokensFillMatrix_data();
    void tokensFillMatrix();
    void orderChangeKeepsText();
    void emptyTextKeepsMatrixAndPreview();
    void scrollArrows();
    void randomContentOfOrderTen();
    void randomOrderUsesTheSource();
    void newArray();
    void entryChangeAfterUnload();
    void pasteTurnsBreaksIntoBlanks();
    void longTextIsNotCut();
    void tokenWarningSaysHowTextIsRead_data();
    void tokenWarningSaysHowTextIsRead();
    void readyAndCloseBoxWriteLastArray_data();
    void readyAndCloseBoxWriteLastArray();
    void exitWritesNothing();
    void editorKeepsTextWhenReopened();
};

void TestEditor::firstShowing() {
    ProgramFixture f;
    f.click(f.main().command1);
    Form2& e = f.editor();
    QCOMPARE(e.windowTitle(), QStringLiteral("Редактор массивов"));
    QCOMPARE(e.vscroll1->value(), 8);
    QCOMPARE(e.vscroll1->minimum(), 2);
    QCOMPARE(e.vscroll1->maximum(), 10);
    QCOMPARE(e.text2->text(), QStringLiteral("4"));
    QVERIFY(e.text2->isReadOnly());
    const Matrix& m = f.program->store().matrix;
    QCOMPARE(m.rows(), 4);
    QCOMPARE(m.columns(), 5);
    QCOMPARE(row(m, 0), (QList<double>{7, 5, 5, 2, 3}));
    QCOMPARE(row(m, 1), (QList<double>{7, 0, 7, 8, 7}));
    QCOMPARE(row(m, 2), (QList<double>{0, 4, 8, 7, 3}));
    QCOMPARE(row(m, 3), (QList<double>{9, 8, 0, 9, 3}));
    QCOMPARE(f.program->store().answers.size(), std::size_t(4));
    QVERIFY(e.graph->isChecked() && !e.graph->isEnabled() && e.stoper->isChecked());
    QCOMPARE(e.centralWidget()->size(), QSize(314, 275));
}

void TestEditor::previewText_data() {
    QTest::addColumn<QChar>("separator");
    QTest::newRow("point") << QChar(u'.');
    QTest::newRow("comma") << QChar(u',');
}

void TestEditor::previewText() {
    QFETCH(QChar, separator);
    ProgramFixture f(separator);
    f.click(f.main().command1);
    f.editor().vscroll1->setValue(10);
    f.editor().text1->setText(QStringLiteral("1 2 3 4.5 -5 1e16"));
    QString expected = QStringLiteral("Массив\n  1  2   |   3\n  4.5  -5   |   1E+16");
    expected.replace(u'.', separator);
    QCOMPARE(f.editor().label1->text(), expected);
    QTRY_VERIFY(f.editor().label1->width() >= f.editor().label1->sizeHint().width());
    QVERIFY(f.editor().label1->height() >= f.editor().label1->sizeHint().height());
}

void TestEditor::tokensFillMatrix_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<double>>("first");
    QTest::addColumn<QList<double>>("second");
    QTest::newRow("two tokens reused")
        << QStringLiteral("1 2") << QList<double>{1, 2, 1} << QList<double>{2, 1, 2};
    QTest::newRow("trailing blank")
        << QStringLiteral("1 2 3 ") << QList<double>{1, 2, 3} << QList<double>{0, 1, 2};
    QTest::newRow("two blanks") << QStringLiteral("1  2") << QList<double>{1, 0, 2}
                                << QList<double>{1, 0, 2};
    QTest::newRow("letters") << QStringLiteral("a b") << QList<double>{0, 0, 0}
                             << QList<double>{0, 0, 0};
    QTest::newRow("comma ends a number") << QStringLiteral("2,5 7x 1e3 &H10 -.5 9")
                                         << QList<double>{2, 7, 1000} << QList<double>{16, -0.5, 9};
}

void TestEditor::tokensFillMatrix() {
    QFETCH(QString, text);
    QFETCH(QList<double>, first);
    QFETCH(QList<double>, second);
    ProgramFixture f;
    f.click(f.main().command1);
    f.editor().vscroll1->setValue(10);
    f.editor().text1->setText(text);
    const Matrix& m = f.program->store().matrix;
    QCOMPARE(row(m, 0), first);
    QCOMPARE(row(m, 1), second);
}

void TestEditor::orderChangeKeepsText() {
    ProgramFixture f;
    f.click(f.main().command1);
    Form2& e = f.editor();
    const QString text = e.text1->text();
    f.program->store().answers[0] = 5.0;
    e.vscroll1->setValue(9);
    QCOMPARE(e.text2->text(), QStringLiteral("3"));
    QCOMPARE(e.text1->text(), text);
    const Matrix& m = f.program->store().matrix;
    QCOMPARE(m.rows(), 3);
    QCOMPARE(row(m, 2), (QList<double>{8, 7, 0, 4}));
    QCOMPARE(f.program->store().answers, std::vector<AnswerValue>(3));
    e.vscroll1->setValue(8);
    QCOMPARE(row(f.program->store().matrix, 3), (QList<double>{9, 8, 0, 9, 3}));
}

void TestEditor::emptyTextKeepsMatrixAndPreview() {
    ProgramFixture f;
    f.click(f.main().command1);
    Form2& e = f.editor();
    const QString preview = e.label1->text();
    f.program->store().answers[1] = 2.5;
    e.text1->setText(QString());
    QCOMPARE(e.label1->text(), preview);
    QCOMPARE(row(f.program->store().matrix, 0), (QList<double>{7, 5, 5, 2, 3}));
    QCOMPARE(std::get<double>(f.program->store().answers[1]), 2.5);
    // An order change with no text: new shape, all zeros, the old preview stays.
    e.vscroll1->setValue(9);
    QCOMPARE(row(f.program->store().matrix, 0), (QList<double>{0, 0, 0, 0}));
    QCOMPARE(e.label1->text(), preview);
}

void TestEditor::scrollArrows() {
    ProgramFixture f;
    f.click(f.main().command1);
    Form2& e = f.editor();
    e.vscroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(e.vscroll1->value(), 7);
    QCOMPARE(e.text2->text(), QStringLiteral("5"));
    e.vscroll1->setValue(2);
    QCOMPARE(f.program->store().matrix.rows(), 10);
    e.vscroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(e.vscroll1->value(), 2);
    QCOMPARE(e.text2->text(), QStringLiteral("10"));
}

void TestEditor::randomContentOfOrderTen() {
    ProgramFixture f;
    f.click(f.main().command1);
    f.editor().vscroll1->setValue(2);
    f.click(f.editor().command1);
    const QString text = f.editor().text1->text();
    QCOMPARE(text.size(), 220);
    for (qsizetype i = 0; i < text.size(); i += 2) {
        QVERIFY(text[i].isDigit());
        QCOMPARE(text[i + 1], QChar(u' '));
    }
}

void TestEditor::randomOrderUsesTheSource() {
    ProgramFixture f;
    f.click(f.main().command1);
    RandomSource copy = f.program->random();
    const QString text = f.editor().text1->text();
    f.click(f.editor().command2);
    const int expected = qRound(copy.next() * 8 + 2);
    QCOMPARE(f.editor().vscroll1->value(), expected);
    QCOMPARE(f.editor().text1->text(), text);
    QCOMPARE(QString::number(f.program->store().matrix.order()), f.editor().text2->text());
}

void TestEditor::newArray() {
    ProgramFixture f;
    f.click(f.main().command1);
    f.editor().vscroll1->setValue(3);
    f.editor().newAction->trigger();
    QCOMPARE(f.editor().vscroll1->value(), 10);
    QCOMPARE(f.editor().text2->text(), QStringLiteral("2"));
    QCOMPARE(f.editor().text1->text().size(), 12);
    QCOMPARE(f.program->store().matrix.rows(), 2);
}

void TestEditor::entryChangeAfterUnload() {
    ProgramFixture f;
    f.click(f.main().command1);
    f.click(f.editor().command4);
    f.main().unloadmas->trigger();
    f.click(f.main().command1);
    f.editor().text1->setText(QStringLiteral("1 2 3"));
    const Matrix& m = f.program->store().matrix;
    QCOMPARE(m.rows(), 4);
    QCOMPARE(m.columns(), 5);
    QCOMPARE(row(m, 0), (QList<double>{1, 2, 3, 1, 2}));
    QCOMPARE(f.program->store().answers.size(), std::size_t(4));
}

void TestEditor::pasteTurnsBreaksIntoBlanks() {
    ProgramFixture f;
    f.click(f.main().command1);
    QLineEdit* entry = f.editor().text1;
    entry->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("1\t2\r\n3   4\n"));
    entry->setFocus();
    QTest::keySequence(entry, QKeySequence::Paste);
    // The line break that ends the block gives no empty token.
    QCOMPARE(entry->text(), QStringLiteral("1 2 3 4"));
    QTest::keyClicks(entry, QStringLiteral("  5"));
    QCOMPARE(entry->text(), QStringLiteral("1 2 3 4  5"));
}

void TestEditor::longTextIsNotCut() {
    ProgramFixture f;
    f.click(f.main().command1);
    const QString text = QStringLiteral("1 ").repeated(40000);
    f.editor().text1->setText(text);
    QCOMPARE(f.editor().text1->text().size(), text.size());
}

void TestEditor::readyAndCloseBoxWriteLastArray_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("button") << 0;
    QTest::newRow("menu") << 1;
    QTest::newRow("close box") << 2;
}

void TestEditor::readyAndCloseBoxWriteLastArray() {
    QFETCH(int, way);
    ProgramFixture f;
    f.click(f.main().command1);
    f.editor().vscroll1->setValue(10);
    f.editor().text1->setText(QStringLiteral("1 2 3 4 5 -2.5"));
    if (way == 0)
        f.click(f.editor().command4);
    else if (way == 1)
        f.editor().ready->trigger();
    else
        QVERIFY(!f.editor().close());
    QCOMPARE(readBytes(QStringLiteral("files/LostMas")),
             QByteArray(" 10 \r\n 1 \r\n 2 \r\n 3 \r\n 4 \r\n 5 \r\n-2.5 \r\n"));
    QVERIFY(f.editor().isHidden());
    QVERIFY(f.main().isVisible());
    QVERIFY(f.program->form2Exists());
    // The close box also hides the save/load window, creating it first.
    QCOMPARE(f.program->form3IfExists() != nullptr, way == 2);
}

void TestEditor::exitWritesNothing() {
    ProgramFixture f;
    f.click(f.main().command1);
    f.editor().exit->trigger();
    QVERIFY(!QFileInfo::exists(QStringLiteral("files/LostMas")));
}

void TestEditor::editorKeepsTextWhenReopened() {
    ProgramFixture f;
    f.click(f.main().command1);
    f.editor().text1->setText(QStringLiteral("9 8 7"));
    f.click(f.editor().command4);
    f.click(f.main().command1);
    QCOMPARE(f.editor().text1->text(), QStringLiteral("9 8 7"));
    QCOMPARE(f.editor().vscroll1->value(), 8);
}

void TestEditor::tokenWarningSaysHowTextIsRead_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named"); // what the warning quotes; empty: no warning
    QTest::newRow("comma, order 2")
        << 2 << QStringLiteral("2,5 1 3 1 3 5") << QStringLiteral("«2,5»");
    QTest::newRow("comma, order 10")
        << 10 << QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 0,75") << QStringLiteral("«0,75»");
    QTest::newRow("doubled blank") << 2 << QStringLiteral("2  1 3 1 3") << QStringLiteral("«»");
    QTest::newRow("plain numbers") << 2 << QStringLiteral("2.5 1 3 1 3 5 ") << QString();
}

void TestEditor::tokenWarningSaysHowTextIsRead() {
    QFETCH(int, order);
    QFETCH(QString, text);
    QFETCH(QString, named);
    ProgramFixture f;
    f.click(f.main().command1);
    f.editor().vscroll1->setOrder(ArrayOrder(order));
    f.editor().text1->setText(text);
    QLabel* warning = f.editor().findChild<QLabel*>(QStringLiteral("TokenWarning"));
    QVERIFY(warning);
    QCOMPARE(f.editor().text1->text(), text);
    QCOMPARE(warning->isVisible(), !named.isEmpty());
    if (named.isEmpty())
        return;
    QVERIFY2(warning->text().contains(named), qPrintable(warning->text()));
    // Inside the window, whole, and read out by assistive technology.
    const QRect client = f.editor().centralWidget()->rect();
    QVERIFY(client.contains(warning->geometry()));
    QVERIFY(warning->heightForWidth(warning->width()) <= warning->height());
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(warning);
    QVERIFY(read);
    QVERIFY(read->text(QAccessible::Name).contains(named));
    // Mending the text takes the warning away.
    f.editor().text1->setText(QStringLiteral("2.5 1 3 1 3 5"));
    QVERIFY(!warning->isVisible());
}

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
