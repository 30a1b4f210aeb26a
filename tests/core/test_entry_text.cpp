// The editor's text form of a system: tokens, the row-by-row refill with cyclic reuse of short
// texts, the preview text, and the clean-up of pasted text.
#include "core/entry_text.h"
#include "core/system_store.h"

#include <QtTest>

using Rows = QList<QList<double>>;

namespace {

Rows rowsOf(const Matrix& m) {
    Rows rows;
    for (int i = 0; i < m.rows(); ++i) {
        rows.append(QList<double>());
        for (int j = 0; j < m.columns(); ++j)
            rows.last().append(m(i, j));
    }
    return rows;
}

} // namespace

class TestEntryText : public QObject {
    Q_OBJECT

  private slots:
    void tokens_data();
    void tokens();
    void fillMatrix_data();
    void fillMatrix();
    void previewLayout();
    void previewUsesTheSeparator();
    void emptyTextLeavesMatrixAlone();
    void orderChangeRereadsTheSameText();
    void pasted_data();
    void pasted();
    void emptyCellsFollowEdits_data();
    void emptyCellsFollowEdits();
};

void TestEntryText::tokens_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty text has no tokens") << "" << QStringList{};
    QTest::newRow("one blank gives two empty tokens") << " " << QStringList{"", ""};
    QTest::newRow("single blanks") << "1 2 3" << QStringList{"1", "2", "3"};
    QTest::newRow("trailing blank") << "1 2 3 " << QStringList{"1", "2", "3", ""};
    QTest::newRow("leading blank") << " 1" << QStringList{"", "1"};
    QTest::newRow("two blanks") << "1  2" << QStringList{"1", "", "2"};
    QTest::newRow("tab does not cut") << "1\t2 3" << QStringList{"1\t2", "3"};
    QTest::newRow("no-break space does not cut")
        << QString::fromUtf8("1\u00a02") << QStringList{QString::fromUtf8("1\u00a02")};
}

void TestEntryText::tokens() {
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QStringList got;
    for (const QStringView token : entry::tokens(text))
        got.append(token.toString());
    QCOMPARE(got, expected);
}

void TestEntryText::fillMatrix_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Rows>("expected");

    QTest::newRow("short text reused cyclically") << 2 << "1 2" << Rows{{1, 2, 1}, {2, 1, 2}};
    QTest::newRow("trailing empty token reads as 0") << 2 << "1 2 3 " << Rows{{1, 2, 3}, {0, 1, 2}};
    QTest::newRow("empty token between two blanks")
        << 2 << "1  2 4 5 6" << Rows{{1, 0, 2}, {4, 5, 6}};
    QTest::newRow("letters read as zeros") << 2 << "a b" << Rows{{0, 0, 0}, {0, 0, 0}};
    QTest::newRow("value-of-text rule per token")
        << 2 << "2,5 7x 1e3 -0.5 &H10 .25" << Rows{{2, 7, 1000}, {-0.5, 16, 0.25}};
    QTest::newRow("tokens beyond the system are not read")
        << 2 << "1 2 3 4 5 6 7 8 9" << Rows{{1, 2, 3}, {4, 5, 6}};
    QTest::newRow("one token fills everything")
        << 3 << "9" << Rows{{9, 9, 9, 9}, {9, 9, 9, 9}, {9, 9, 9, 9}};
    QTest::newRow("random fill of order 2 leaves a trailing blank")
        << 2 << "7 5 5 2 3 7 " << Rows{{7, 5, 5}, {2, 3, 7}};
}

void TestEntryText::fillMatrix() {
    QFETCH(int, order);
    QFETCH(QString, text);
    QFETCH(Rows, expected);
    SystemStore store;
    store.shapeForOrder(ArrayOrder(order));
    QVERIFY(entry::fillMatrix(store.matrix, text, u'.').has_value());
    QCOMPARE(rowsOf(store.matrix), expected);
}

void TestEntryText::previewLayout() {
    SystemStore store;
    store.shapeForOrder(ArrayOrder(2));
    const auto preview = entry::fillMatrix(store.matrix, u"1 2 3 4 5 6", u'.');
    QVERIFY(preview);
    QCOMPARE(*preview, QString::fromUtf8("Массив\n\r  1  2   |   3\n\r  4  5   |   6"));
}

void TestEntryText::previewUsesTheSeparator() {
    SystemStore store;
    store.shapeForOrder(ArrayOrder(2));
    const auto preview = entry::fillMatrix(store.matrix, u"2.5 -1e20 0.0001 1e-5 1 1", u',');
    QVERIFY(preview);
    QCOMPARE(*preview,
             QString::fromUtf8("Массив\n\r  2,5  -1E+20   |   0,0001\n\r  1E-05  1   |   1"));
}

void TestEntryText::emptyTextLeavesMatrixAlone() {
    SystemStore store;
    store.shapeForOrder(ArrayOrder(2));
    QVERIFY(entry::fillMatrix(store.matrix, u"1 2 3 4 5 6", u'.'));
    QVERIFY(!entry::fillMatrix(store.matrix, u"", u'.'));
    QCOMPARE(rowsOf(store.matrix), (Rows{{1, 2, 3}, {4, 5, 6}}));
}

void TestEntryText::orderChangeRereadsTheSameText() {
    QString text;
    for (int i = 1; i <= 20; ++i)
        text += QString::number(i) + u' ';
    SystemStore store;
    store.shapeForOrder(ArrayOrder(3));
    QVERIFY(entry::fillMatrix(store.matrix, text, u'.'));
    QCOMPARE(rowsOf(store.matrix), (Rows{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}}));
    store.shapeForOrder(ArrayOrder(4));
    QVERIFY(entry::fillMatrix(store.matrix, text, u'.'));
    QCOMPARE(store.matrix(3, 4), 20.0);
    QCOMPARE(int(store.answers.size()), 4);
}

// What a paste puts in the entry: a line or a block of cells, its decimal commas as periods where
// they are sure to be decimal commas, and the rest as pasted, for the note to name it.
void TestEntryText::pasted_data() {
    QTest::addColumn<QString>("before"); // the entry's text before the cursor
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("after"); // and after it
    QTest::addColumn<QString>("entry"); // after the paste
    const QString none;
    QTest::newRow("answer line, ru") << none << QStringLiteral("-4,935  3,002  1,250  ") << none
                                     << QStringLiteral("-4.935 3.002 1.250");
    QTest::newRow("answer line between numbers")
        << QStringLiteral("1 ") << QStringLiteral("-4,935  3,002  ") << QStringLiteral("2")
        << QStringLiteral("1 -4.935 3.002 2");
    QTest::newRow("document line") << QStringLiteral("1") << QStringLiteral(" 2,5 -0,75 +,5 7,")
                                   << none << QStringLiteral("1 2.5 -0.75 +.5 7.");
    QTest::newRow("digits into a number") << QStringLiteral("1") << QStringLiteral("5")
                                          << QStringLiteral("2") << QStringLiteral("152");
    QTest::newRow("typed form") << none << QStringLiteral("1.5 2 1e3") << none
                                << QStringLiteral("1.5 2 1e3");
    QTest::newRow("only blanks, between") << QStringLiteral("1") << QStringLiteral("   ")
                                          << QStringLiteral("2") << QStringLiteral("1 2");
    QTest::newRow("only blanks, at the end")
        << QStringLiteral("1 ") << QStringLiteral("   ") << none << QStringLiteral("1 ");
    QTest::newRow("two commas") << none << QStringLiteral("1,5,3 2,5") << none
                                << QStringLiteral("1,5,3 2.5");
    QTest::newRow("comma and point")
        << none << QStringLiteral("1,234.5") << none << QStringLiteral("1,234.5");
    QTest::newRow("digit groups") << none << QStringLiteral("1 234,5 2,5") << none
                                  << QStringLiteral("1 234,5 2.5");
    QTest::newRow("three groups, signed")
        << none << QStringLiteral("-12 345 678,9") << none << QStringLiteral("-12 345 678,9");
    QTest::newRow("groups apart by two blanks")
        << none << QStringLiteral("5  100,5") << none << QStringLiteral("5 100.5");
    QTest::newRow("no group: four digits")
        << none << QStringLiteral("1 2345,5") << none << QStringLiteral("1 2345.5");
    QTest::newRow("no group: two digits")
        << none << QStringLiteral("1 23,5") << none << QStringLiteral("1 23.5");
    QTest::newRow("no group: after a fraction")
        << none << QStringLiteral("1,5 234,5") << none << QStringLiteral("1.5 234.5");
    QTest::newRow("non-breaking group blank")
        << none << QStringLiteral("1\u00a0234,5") << none << QStringLiteral("1\u00a0234,5");
    QTest::newRow("block, groups in a cell")
        << QStringLiteral("9") << QStringLiteral("1 234,5\t2,5\r\n") << QStringLiteral("8")
        << QStringLiteral("9 1 234,5 2.5 8");
    QTest::newRow("block, empty cell") << none << QStringLiteral("1\t\t5,5\r\n2\t3\t4\r\n") << none
                                       << QStringLiteral("1  5.5 2 3 4");
}

void TestEntryText::pasted() {
    QFETCH(QString, before);
    QFETCH(QString, pasted);
    QFETCH(QString, after);
    QFETCH(QString, entry);
    const entry::Paste paste = entry::pasteAt(pasted, before, after);
    QCOMPARE(before + paste.text + after, entry);
    // The empty cells' places: each starts an empty token of the paste.
    for (const qsizetype at : paste.emptyCells)
        QCOMPARE(paste.text.mid(at, 1), QStringLiteral(" "));
    QCOMPARE(paste.emptyCells.size(), entry.count(QStringLiteral("  ")));
}

// The pasted empty cell of "1  5" (its empty token at place 2) after an edit.
void TestEntryText::emptyCellsFollowEdits_data() {
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("place"); // -1: no longer a pasted empty cell
    QTest::newRow("typed at the end") << QStringLiteral("1  56") << 2;
    QTest::newRow("typed in front") << QStringLiteral("71  5") << 3;
    QTest::newRow("front deleted") << QStringLiteral("  5") << 1;
    QTest::newRow("typed into the cell") << QStringLiteral("1 7 5") << -1;
    QTest::newRow("a blank deleted") << QStringLiteral("1 5") << -1;
    QTest::newRow("a blank typed after") << QStringLiteral("1   5") << 2;
    QTest::newRow("text set anew") << QStringLiteral("3 4") << -1;
}

void TestEntryText::emptyCellsFollowEdits() {
    QFETCH(QString, after);
    QFETCH(int, place);
    const QList<qsizetype> kept = entry::keptEmptyCells(QStringLiteral("1  5"), after, {2});
    QCOMPARE(kept, place < 0 ? QList<qsizetype>() : QList<qsizetype>{place});
}

QTEST_GUILESS_MAIN(TestEntryText)
#include "test_entry_text.moc"
