// Every way of putting text into the editor's entry box gives the same tokens: Ctrl+V,
// Shift+Insert, the context menu, a drop and the middle button's primary selection all take a
// block of cells with its empty cells in place and its decimal commas as periods, and turn runs of
// blanks into single blanks. The middle button needs a desktop with a
// primary selection: the suite runs this test a second time on an X server for it.
#include "program_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>

class TestPaste : public QObject {
    Q_OBJECT
  private slots:
    void everyPasteNormalised_data();
    void everyPasteNormalised();
    void readOnlyOrderBoxTakesNoPaste();
    void pastedAsMeant_data();
    void pastedAsMeant();
};

void TestPaste::everyPasteNormalised_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    const QString table = QStringLiteral("1\t2\r\n3   4\n");
    const QString lines = QStringLiteral("\r\n5\r6\n\n7");
    // A Russian spreadsheet's copy: decimal commas, an empty cell, CR LF after every row.
    const QString sheet = QStringLiteral("-2,5\t1\t3,25\r\n1\t\t5\r\n");
    const QString typedLine = QStringLiteral("1,5  2");
    for (const char* how : {"Ctrl+V", "Shift+Insert", "context menu", "drop", "middle button"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1, table").arg(how)))
            << how << table << QStringLiteral("9 1 2 3 4");
        // An empty line of a block is an empty cell; the breaks at its ends give no token.
        QTest::newRow(qPrintable(QStringLiteral("%1, breaks").arg(how)))
            << how << lines << QStringLiteral("9 5 6  7");
        QTest::newRow(qPrintable(QStringLiteral("%1, spreadsheet").arg(how)))
            << how << sheet << QStringLiteral("9 -2.5 1 3.25 1  5");
        // A line of numbers with decimal commas: the same numbers with periods.
        QTest::newRow(qPrintable(QStringLiteral("%1, one line").arg(how)))
            << how << typedLine << QStringLiteral("9 1.5 2");
    }
}

void TestPaste::everyPasteNormalised() {
    QFETCH(QString, how);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    QLineEdit* entry = named<QLineEdit>(f.editor(), "Text1");
    entry->setText(QStringLiteral("9 "));
    entry->setFocus();
    entry->end(false);
    if (how == u"Ctrl+V" || how == u"Shift+Insert") {
        QGuiApplication::clipboard()->setText(pasted);
        if (how == u"Ctrl+V")
            QTest::keyClick(entry, Qt::Key_V, Qt::ControlModifier);
        else
            QTest::keyClick(entry, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (how == u"context menu") {
        QGuiApplication::clipboard()->setText(pasted);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                entry->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(entry, &event);
        QMenu* menu = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible())
                menu = m;
        QVERIFY(menu);
        // The menu's paste item, found by the shortcut its caption shows.
        QAction* paste = nullptr;
        for (QAction* action : menu->actions())
            if (action->text().endsWith(QStringLiteral("\tCtrl+V")))
                paste = action;
        QVERIFY(paste);
        paste->trigger();
        menu->close();
    } else if (how == u"drop") {
        QMimeData data;
        data.setText(pasted);
        const QPoint at(entry->width() - 2, entry->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(entry, &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(entry, &drop);
    } else {
        if (!QGuiApplication::clipboard()->supportsSelection())
            QSKIP("this platform keeps no primary selection; test_paste_x11 runs this path");
        QGuiApplication::clipboard()->setText(pasted, QClipboard::Selection);
        QTest::mouseClick(entry, Qt::MiddleButton, Qt::NoModifier,
                          QPoint(entry->width() - 2, entry->height() / 2));
    }
    QCOMPARE(entry->text(), expected);
    // An empty token or a comma left in the text is named by the editor's note, which quotes
    // it (the note also tells that the text is short for order 4).
    const QLabel* note = f.editor().findChild<QLabel*>(QStringLiteral("TokenWarning"));
    QVERIFY(note);
    QVERIFY(note->isVisible());
    QCOMPARE(note->text().contains(u'«'),
             expected.contains(u',') || expected.contains(QStringLiteral("  ")));
}

void TestPaste::readOnlyOrderBoxTakesNoPaste() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    QLineEdit* order = named<QLineEdit>(f.editor(), "Text2");
    QGuiApplication::clipboard()->setText(QStringLiteral("7"));
    if (QGuiApplication::clipboard()->supportsSelection())
        QGuiApplication::clipboard()->setText(QStringLiteral("7"), QClipboard::Selection);
    order->setFocus();
    QTest::keyClick(order, Qt::Key_V, Qt::ControlModifier);
    QTest::mouseClick(order, Qt::MiddleButton);
    QCOMPARE(order->text(), QStringLiteral("4"));
}

// What the entry holds and what the note says after a paste into the empty entry (order 3), and
// after the same text typed.
void TestPaste::pastedAsMeant_data() {
    QTest::addColumn<QString>("pasted"); // empty: the answer line of the main window, in ru_RU
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("note");      // the part of the note that matters
    QTest::addColumn<QString>("typedNote"); // with the entry's text typed instead
    QTest::newRow("answer line")
        << QString() << QStringLiteral("2.000 3.000 -1.000")
        << QStringLiteral("Чисел 3, а для порядка 3 нужно 12: недостающие 9 взяты по кругу, "
                          "последним — 3-е.")
        << QStringLiteral("«2,000» прочитано как 2");
    // A comma that may not be a decimal comma stays as pasted, and is named as when typed.
    auto kept = [](const char* name, const char* text, const char* note) {
        QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(text)
                            << QString::fromUtf8(note) << QString::fromUtf8(note);
    };
    kept("digit groups", "1 234,5 1 2 3 4 5 6 7 8 9 10", "«234,5» прочитано как 234");
    kept("two commas", "1,5,3 2 3 4 5 6 7 8 9 10 11 12", "«1,5,3» прочитано как 1");
    QTest::newRow("block with an empty cell")
        << QStringLiteral("1\t\t3\t4\r\n5\t6\t7\t8\r\n9\t10\t11\t12\r\n")
        << QStringLiteral("1  3 4 5 6 7 8 9 10 11 12")
        << QStringLiteral("Строка 1, столбец 2: «» прочитано как 0: пустая ячейка вставленной "
                          "таблицы.")
        << QStringLiteral("Строка 1, столбец 2: «» прочитано как 0: лишний пробел");
}

void TestPaste::pastedAsMeant() {
    QFETCH(QString, pasted);
    QFETCH(QString, entry);
    QFETCH(QString, note);
    QFETCH(QString, typedNote);
    ProgramFixture f(u',');
    f.enter(3, QStringLiteral("2 1 -1 8 -3 -1 2 -11 -2 1 2 -3"));
    f.click(button(f.main(), "Command3"));
    if (pasted.isEmpty()) {
        named<AnswerArea>(f.main(), "Picture1")->copyToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("2,000  3,000  -1,000  "));
    } else {
        QGuiApplication::clipboard()->setText(pasted);
    }
    f.click(button(f.main(), "Command1"));
    QLineEdit* line = named<QLineEdit>(f.editor(), "Text1");
    const QLabel* warning = f.editor().findChild<QLabel*>(QStringLiteral("TokenWarning"));
    QVERIFY(warning);
    line->setText(QString());
    line->setFocus();
    QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(line->text(), entry);
    QVERIFY(warning->isVisible());
    QVERIFY2(warning->text().contains(note), qPrintable(warning->text()));
    // Typed, the clipboard's text stays as it is.
    const QString clip = QGuiApplication::clipboard()->text();
    const QString typed = clip.contains(u'\t') ? entry : clip;
    line->setText(QString());
    QTest::keyClicks(line, typed);
    QCOMPARE(line->text(), typed);
    QVERIFY2(warning->text().contains(typedNote), qPrintable(warning->text()));
}

QTEST_MAIN(TestPaste)
#include "test_paste.moc"
