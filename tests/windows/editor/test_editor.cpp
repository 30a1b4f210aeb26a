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

// The right edge of the ink the box draws for the text, in the box's pixels; -1 for none.
int inkRight(QLineEdit* box, const QString& text) {
    const QString kept = box->text();
    box->setText(text);
    box->setCursorPosition(0);
    const QImage shot = box->grab().toImage();
    box->setText(kept);
    const QColor ink = box->palette().color(QPalette::Text);
    int right = -1;
    // The frame's columns at the sides left out.
    for (int x = 2; x < shot.width() - 2; ++x) {
        for (int y = 2; y < shot.height() - 2; ++y) {
            const QColor c = shot.pixelColor(x, y);
            if (c.green() > ink.green() / 3 && c != box->palette().color(QPalette::Base))
                right = x;
        }
    }
    return right;
}

} // namespace

class TestEditor : public QObject {
    Q_OBJECT
  private slots:
    void firstShowing();
    void previewText_data();
    void previewText();
    void entryBlanksDrawnWide_data();
    void entryBlanksDrawnWide();
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
    f.click(button(f.main(), "Command1"));
    Form2& e = f.editor();
    QCOMPARE(e.windowTitle(), QStringLiteral("Редактор массивов"));
    QCOMPARE(named<QScrollBar>(e, "VScroll1")->value(), 8);
    QCOMPARE(named<QScrollBar>(e, "VScroll1")->minimum(), 2);
    QCOMPARE(named<QScrollBar>(e, "VScroll1")->maximum(), 10);
    QCOMPARE(named<QLineEdit>(e, "Text2")->text(), QStringLiteral("4"));
    QVERIFY(named<QLineEdit>(e, "Text2")->isReadOnly());
    const Matrix& m = f.program->store().matrix;
    QCOMPARE(m.rows(), 4);
    QCOMPARE(m.columns(), 5);
    QCOMPARE(row(m, 0), (QList<double>{7, 5, 5, 2, 3}));
    QCOMPARE(row(m, 1), (QList<double>{7, 0, 7, 8, 7}));
    QCOMPARE(row(m, 2), (QList<double>{0, 4, 8, 7, 3}));
    QCOMPARE(row(m, 3), (QList<double>{9, 8, 0, 9, 3}));
    QCOMPARE(f.program->store().answers.size(), std::size_t(4));
    QVERIFY(action(e, "graph")->isChecked() && !action(e, "graph")->isEnabled() &&
            action(e, "stoper")->isChecked());
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
    f.click(button(f.main(), "Command1"));
    named<QScrollBar>(f.editor(), "VScroll1")->setValue(10);
    named<QLineEdit>(f.editor(), "Text1")->setText(QStringLiteral("1 2 3 4.5 -5 1e16"));
    QString expected = QStringLiteral("Массив\n  1  2   |   3\n  4.5  -5   |   1E+16");
    expected.replace(u'.', separator);
    QCOMPARE(named<QLabel>(f.editor(), "Label1")->text(), expected);
    QTRY_VERIFY(named<QLabel>(f.editor(), "Label1")->width() >=
                named<QLabel>(f.editor(), "Label1")->sizeHint().width());
    QVERIFY(named<QLabel>(f.editor(), "Label1")->height() >=
            named<QLabel>(f.editor(), "Label1")->sizeHint().height());
}

void TestEditor::entryBlanksDrawnWide_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("single blanks") << QStringLiteral("3 2 -3 4 1 6");
    QTest::newRow("a doubled blank") << QStringLiteral("7  1 5");
    QTest::newRow("decimals") << QStringLiteral("1.5 -0.25 8");
}

void TestEditor::entryBlanksDrawnWide() {
    QFETCH(QString, text);
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    auto* box = named<QLineEdit>(f.editor(), "Text1");
    box->setText(text);
    // The first blank after a character moves what follows it by two thirds of a digit at least
    // (a bare blank of the font is about half a digit); a further blank of a run, which the word
    // spacing leaves bare, by three pixels at least. The text keeps its blanks.
    const int digit = inkRight(box, QStringLiteral("00")) - inkRight(box, QStringLiteral("0"));
    for (qsizetype at = text.indexOf(u' '); at >= 0; at = text.indexOf(u' ', at + 1)) {
        const int blank =
            inkRight(box, text.left(at + 1) + u'1') - inkRight(box, text.left(at) + u'1');
        const bool first = at == 0 || text[at - 1] != u' ';
        QVERIFY2(blank >= 3 && (!first || blank * 3 >= digit * 2),
                 qPrintable(QStringLiteral("%1 px at %2").arg(blank).arg(at)));
    }
    QCOMPARE(box->text(), text);
    // A click just after a character's ink puts the cursor after that character, and a click
    // there with Shift held selects from the cursor to it.
    QList<int> after; // the positions that follow a character with ink
    QList<QPoint> at; // and where to click for them, measured before any click
    for (int p = 1; p <= text.size(); ++p) {
        if (text[p - 1] != u' ') {
            after.append(p);
            at.append(QPoint(inkRight(box, text.left(p)) + 1, box->height() / 2));
        }
    }
    for (qsizetype k = 0; k < after.size(); ++k) {
        QTest::mouseClick(box, Qt::LeftButton, {}, at[k]);
        QCOMPARE(box->cursorPosition(), after[k]);
    }
    const int from = after.first();
    const int to = after.last();
    QTest::mouseClick(box, Qt::LeftButton, {}, at.first());
    QTest::mouseClick(box, Qt::LeftButton, Qt::ShiftModifier, at.last());
    QCOMPARE(box->selectedText(), text.mid(from, to - from));
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
    f.click(button(f.main(), "Command1"));
    named<QScrollBar>(f.editor(), "VScroll1")->setValue(10);
    named<QLineEdit>(f.editor(), "Text1")->setText(text);
    const Matrix& m = f.program->store().matrix;
    QCOMPARE(row(m, 0), first);
    QCOMPARE(row(m, 1), second);
}

void TestEditor::orderChangeKeepsText() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    Form2& e = f.editor();
    const QString text = named<QLineEdit>(e, "Text1")->text();
    f.program->store().answers[0] = 5.0;
    named<QScrollBar>(e, "VScroll1")->setValue(9);
    QCOMPARE(named<QLineEdit>(e, "Text2")->text(), QStringLiteral("3"));
    QCOMPARE(named<QLineEdit>(e, "Text1")->text(), text);
    const Matrix& m = f.program->store().matrix;
    QCOMPARE(m.rows(), 3);
    QCOMPARE(row(m, 2), (QList<double>{8, 7, 0, 4}));
    QCOMPARE(f.program->store().answers, std::vector<AnswerValue>(3));
    named<QScrollBar>(e, "VScroll1")->setValue(8);
    QCOMPARE(row(f.program->store().matrix, 3), (QList<double>{9, 8, 0, 9, 3}));
}

void TestEditor::emptyTextKeepsMatrixAndPreview() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    Form2& e = f.editor();
    const QString preview = named<QLabel>(e, "Label1")->text();
    f.program->store().answers[1] = 2.5;
    named<QLineEdit>(e, "Text1")->setText(QString());
    QCOMPARE(named<QLabel>(e, "Label1")->text(), preview);
    QCOMPARE(row(f.program->store().matrix, 0), (QList<double>{7, 5, 5, 2, 3}));
    QCOMPARE(std::get<double>(f.program->store().answers[1]), 2.5);
    // An order change with no text: new shape, all zeros, the old preview stays.
    named<QScrollBar>(e, "VScroll1")->setValue(9);
    QCOMPARE(row(f.program->store().matrix, 0), (QList<double>{0, 0, 0, 0}));
    QCOMPARE(named<QLabel>(e, "Label1")->text(), preview);
}

void TestEditor::scrollArrows() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    Form2& e = f.editor();
    named<QScrollBar>(e, "VScroll1")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(named<QScrollBar>(e, "VScroll1")->value(), 7);
    QCOMPARE(named<QLineEdit>(e, "Text2")->text(), QStringLiteral("5"));
    named<QScrollBar>(e, "VScroll1")->setValue(2);
    QCOMPARE(f.program->store().matrix.rows(), 10);
    named<QScrollBar>(e, "VScroll1")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(named<QScrollBar>(e, "VScroll1")->value(), 2);
    QCOMPARE(named<QLineEdit>(e, "Text2")->text(), QStringLiteral("10"));
}

void TestEditor::randomContentOfOrderTen() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    named<QScrollBar>(f.editor(), "VScroll1")->setValue(2);
    f.click(button(f.editor(), "Command1"));
    const QString text = named<QLineEdit>(f.editor(), "Text1")->text();
    QCOMPARE(text.size(), 220);
    for (qsizetype i = 0; i < text.size(); i += 2) {
        QVERIFY(text[i].isDigit());
        QCOMPARE(text[i + 1], QChar(u' '));
    }
}

void TestEditor::randomOrderUsesTheSource() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    RandomSource copy = f.program->random();
    const QString text = named<QLineEdit>(f.editor(), "Text1")->text();
    f.click(button(f.editor(), "Command2"));
    const int expected = qRound(copy.next() * 8 + 2);
    QCOMPARE(named<QScrollBar>(f.editor(), "VScroll1")->value(), expected);
    QCOMPARE(named<QLineEdit>(f.editor(), "Text1")->text(), text);
    QCOMPARE(QString::number(f.program->store().matrix.order()),
             named<QLineEdit>(f.editor(), "Text2")->text());
}

void TestEditor::newArray() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    named<QScrollBar>(f.editor(), "VScroll1")->setValue(3);
    action(f.editor(), "new")->trigger();
    QCOMPARE(named<QScrollBar>(f.editor(), "VScroll1")->value(), 10);
    QCOMPARE(named<QLineEdit>(f.editor(), "Text2")->text(), QStringLiteral("2"));
    QCOMPARE(named<QLineEdit>(f.editor(), "Text1")->text().size(), 12);
    QCOMPARE(f.program->store().matrix.rows(), 2);
}

void TestEditor::entryChangeAfterUnload() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    f.click(button(f.editor(), "Command4"));
    action(f.main(), "unloadmas")->trigger();
    f.click(button(f.main(), "Command1"));
    named<QLineEdit>(f.editor(), "Text1")->setText(QStringLiteral("1 2 3"));
    const Matrix& m = f.program->store().matrix;
    QCOMPARE(m.rows(), 4);
    QCOMPARE(m.columns(), 5);
    QCOMPARE(row(m, 0), (QList<double>{1, 2, 3, 1, 2}));
    QCOMPARE(f.program->store().answers.size(), std::size_t(4));
}

void TestEditor::pasteTurnsBreaksIntoBlanks() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    QLineEdit* entry = named<QLineEdit>(f.editor(), "Text1");
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
    f.click(button(f.main(), "Command1"));
    const QString text = QStringLiteral("1 ").repeated(40000);
    named<QLineEdit>(f.editor(), "Text1")->setText(text);
    QCOMPARE(named<QLineEdit>(f.editor(), "Text1")->text().size(), text.size());
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
    f.click(button(f.main(), "Command1"));
    named<QScrollBar>(f.editor(), "VScroll1")->setValue(10);
    named<QLineEdit>(f.editor(), "Text1")->setText(QStringLiteral("1 2 3 4 5 -2.5"));
    if (way == 0)
        f.click(button(f.editor(), "Command4"));
    else if (way == 1)
        action(f.editor(), "ready")->trigger();
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
    f.click(button(f.main(), "Command1"));
    action(f.editor(), "exit")->trigger();
    QVERIFY(!QFileInfo::exists(QStringLiteral("files/LostMas")));
}

void TestEditor::editorKeepsTextWhenReopened() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    named<QLineEdit>(f.editor(), "Text1")->setText(QStringLiteral("9 8 7"));
    f.click(button(f.editor(), "Command4"));
    f.click(button(f.main(), "Command1"));
    QCOMPARE(named<QLineEdit>(f.editor(), "Text1")->text(), QStringLiteral("9 8 7"));
    QCOMPARE(named<QScrollBar>(f.editor(), "VScroll1")->value(), 8);
}

void TestEditor::tokenWarningSaysHowTextIsRead_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("quoted"); // what the warning quotes; empty: no warning
    QTest::newRow("comma, order 2")
        << 2 << QStringLiteral("2,5 1 3 1 3 5") << QStringLiteral("«2,5»");
    QTest::newRow("comma, order 10")
        << 10 << QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 0,75") << QStringLiteral("«0,75»");
    QTest::newRow("doubled blank") << 2 << QStringLiteral("2  1 3 1 3") << QStringLiteral("«»");
    QTest::newRow("plain numbers") << 2 << QStringLiteral("2.5 1 3 1 3 5 ") << QString();
    QTest::newRow("short text") << 3 << QStringLiteral("1 2 3 4 5 6 7 8 9 10 11")
                                << QStringLiteral("Чисел 11, а для порядка 3 нужно 12");
    QTest::newRow("long text")
        << 5 << QStringLiteral("1 2 3 4 5 6 7 8 9 10 1 2 3 4 5 6 7 8 9 10 1 2 3 4 5 6 7 8 9 10 1 2")
        << QStringLiteral("лишние 2 не используются");
    // The longest count text, with a token note and more after it: all of it fits.
    QTest::newRow("short text, commas")
        << 10 << QStringLiteral("1 2 3 4 5 6 7 8 9 10 -123,456 2,5 3,5 4,5")
        << QStringLiteral("последним — 12-е. Строка 1, правая часть: «-123,456»");
}

void TestEditor::tokenWarningSaysHowTextIsRead() {
    QFETCH(int, order);
    QFETCH(QString, text);
    QFETCH(QString, quoted);
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    named<OrderBar>(f.editor(), "VScroll1")->setOrder(ArrayOrder(order));
    named<QLineEdit>(f.editor(), "Text1")->setText(text);
    QLabel* warning = f.editor().findChild<QLabel*>(QStringLiteral("TokenWarning"));
    QVERIFY(warning);
    QCOMPARE(named<QLineEdit>(f.editor(), "Text1")->text(), text);
    QCOMPARE(warning->isVisible(), !quoted.isEmpty());
    if (quoted.isEmpty())
        return;
    QVERIFY2(warning->text().contains(quoted), qPrintable(warning->text()));
    // Inside the window, whole, and read out by assistive technology.
    const QRect client = f.editor().centralWidget()->rect();
    QVERIFY(client.contains(warning->geometry()));
    QVERIFY(warning->heightForWidth(warning->width()) <= warning->height());
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(warning);
    QVERIFY(read);
    QVERIFY(read->text(QAccessible::Name).contains(quoted));
    // Mending the text takes the warning away.
    named<QLineEdit>(f.editor(), "Text1")
        ->setText(QStringLiteral("1 ").repeated(order * (order + 1)));
    QVERIFY(!warning->isVisible());
}

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
