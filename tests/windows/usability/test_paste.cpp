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
        // Text without tabs or breaks is no block: its comma stays, as typed.
        QTest::newRow(qPrintable(QStringLiteral("%1, one line").arg(how)))
            << how << typedLine << QStringLiteral("9 1,5 2");
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

QTEST_MAIN(TestPaste)
#include "test_paste.moc"
