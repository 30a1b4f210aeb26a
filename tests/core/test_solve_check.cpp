// The checked solve: systems that are singular as written but not in doubles lose the answer the
// rounding made up; ill-conditioned unique ones keep it and are marked.
#include "core/entry_text.h"
#include "core/solve_check.h"
#include "core/solve_record.h"
#include "core/solver.h"
#include "core/steps_text.h"

#include <QTest>

namespace {

// The store shaped and filled from the entry text as the editor fills it.
SystemStore storeOf(int n, const QString& text) {
    SystemStore store;
    store.shapeForOrder(ArrayOrder(n));
    entry::fillMatrix(store.matrix, text, u'.');
    return store;
}

// The Hilbert matrix of order 8 with a right-hand side of ones, every entry written with six
// decimals: not singular as written, but its condition number is near 10^10.
QString hilbertDecimals() {
    QStringList tokens;
    for (int i = 0; i < 8; ++i) {
        for (int j = 0; j < 8; ++j)
            tokens.append(QString::number(1.0 / (i + j + 1), 'f', 6));
        tokens.append(QStringLiteral("1"));
    }
    return tokens.join(u' ');
}

} // namespace

class TestSolveCheck : public QObject {
    Q_OBJECT
  private slots:
    void verdict_data();
    void verdict();
};

void TestSolveCheck::verdict_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("doublesUnique"); // what the elimination in doubles alone gives
    QTest::addColumn<bool>("unique");
    QTest::addColumn<bool>("illConditioned");
    QTest::newRow("0.1/0.3 multiples, no solution")
        << 2 << QStringLiteral("0.1 0.3 1 0.3 0.9 2") << true << false << false;
    QTest::newRow("0.1/0.3 multiples, infinitely many")
        << 2 << QStringLiteral("0.1 0.3 0.7 0.3 0.9 2.1") << true << false << false;
    QTest::newRow("third row the sum of two in decimals")
        << 3 << QStringLiteral("0.3 0.2 0.5 0.2 0.8 0.8 0.8 0.7 1.1 1 1.3 0.9") << true << false
        << false;
    QTest::newRow("singular in doubles too")
        << 2 << QStringLiteral("1 2 3 2 4 6") << false << false << false;
    QTest::newRow("well conditioned")
        << 2 << QStringLiteral("2 1 3 1 3 5") << true << true << false;
    QTest::newRow("Hilbert 8 as decimals") << 8 << hilbertDecimals() << true << true << true;
    QTest::newRow("exactly singular integers, unique in doubles")
        << 3 << QStringLiteral("-9 8 -9 6 3 -3 4 8 -6 5 -5 -2") << true << false << false;
}

void TestSolveCheck::verdict() {
    QFETCH(int, order);
    QFETCH(QString, text);
    QFETCH(bool, doublesUnique);
    QFETCH(bool, unique);
    QFETCH(bool, illConditioned);

    SystemStore plain = storeOf(order, text);
    QCOMPARE(solver::solveSystem(plain) == solver::Outcome::Unique, doublesUnique);

    SystemStore store = storeOf(order, text);
    solver::SolveRecord record;
    const solver::CheckedSolve checked = solver::solveChecked(store, record, text);
    QCOMPARE(checked.outcome == solver::Outcome::Unique, unique);
    QCOMPARE(checked.exactlySingular, doublesUnique && !unique);
    QCOMPARE(checked.illConditioned, illConditioned);
    // The steps window gives the same verdict as the main window.
    const QString steps = steps::page(record, checked, u'.').plainText();
    QCOMPARE(steps.contains(solver::illConditionedText), illConditioned);
    QCOMPARE(steps.contains(QStringLiteral("верного единственного решения нет")),
             checked.exactlySingular);
    // Such an answer of the doubles is never called the solution, and the verdict comes first.
    QCOMPARE(steps.startsWith(QStringLiteral("Записанная система не имеет единственного решения")),
             checked.exactlySingular);
    if (checked.exactlySingular)
        QVERIFY(!steps.contains(QStringLiteral("Решение: ")));
    if (!unique) {
        QCOMPARE(solver::solutionLine(store, checked.outcome, u'.'), solver::noUniqueText);
    } else {
        QCOMPARE(store.answers.size(), std::size_t(order));
        QVERIFY(std::holds_alternative<double>(store.answers.front()));
    }
}

QTEST_GUILESS_MAIN(TestSolveCheck)
#include "test_solve_check.moc"
