// The elimination solver: pivot choice, the eliminated matrix it leaves, the solution line, the
// systems without one solution, overflow, and the store states it can be started in.
#include "core/solver.h"
#include "core/system_store.h"

#include <QtTest>
#include <cmath>
#include <limits>
#include <vector>

using Rows = QList<QList<double>>;
Q_DECLARE_METATYPE(solver::Outcome)

namespace {

// The solver takes a store of any order, one included, which the editor never gives.
void load(SystemStore& store, const Rows& rows) {
    const int n = int(rows.size());
    store.matrix.redim(n, n + 1);
    store.answers.assign(std::size_t(n), AnswerValue{});
    for (int i = 0; i < rows.size(); ++i)
        for (int j = 0; j < rows[i].size(); ++j)
            store.matrix(i, j) = rows[i][j];
}

Rows rowsOf(const Matrix& m) {
    Rows rows;
    for (int i = 0; i < m.rows(); ++i) {
        rows.append(QList<double>());
        for (int j = 0; j < m.columns(); ++j)
            rows.last().append(m(i, j));
    }
    return rows;
}

// The matrix text of rows as the main window shows them: each row ended by CR LF.
QString textOf(const QStringList& rows) {
    return rows.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace

class TestSolver : public QObject {
    Q_OBJECT

  private slots:
    void solves_data();
    void solves();
    void noUniqueSolution_data();
    void noUniqueSolution();
    void overflowIsReported_data();
    void overflowIsReported();
    void eliminatedFormSolvesTheSame();
    void orderTenExchangesRowsInEveryPass();
    void shortAnswersAreReshaped();
    void storeWithoutSystem();
    void solutionLineUsesTheSeparator();
};

void TestSolver::solves_data() {
    QTest::addColumn<Rows>("system");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("eliminated"); // the rows as the main window shows them

    QTest::newRow("rows exchanged in the first pass")
        << Rows{{0, 2, 4}, {1, 1, 3}} << "1.000  2.000  "
        << QStringList{"1.000  1.000  3.000  ", "0.000  2.000  4.000  "};
    QTest::newRow("equal magnitudes keep the first row")
        << Rows{{1, 1, 2}, {-1, 1, 0}} << "1.000  1.000  "
        << QStringList{"1.000  1.000  2.000  ", "0.000  2.000  2.000  "};
    QTest::newRow("pivot magnitude compared as absolute value")
        << Rows{{2, 1, 4}, {-3, 1, -1}} << "1.000  2.000  "
        << QStringList{"-3.000  1.000  -1.000  ", "0.000  1.667  3.333  "};
    QTest::newRow("order one") << Rows{{4, 2}} << "0.500  " << QStringList{"4.000  2.000  "};
    QTest::newRow("tiny pivot is a pivot")
        << Rows{{1e-20, 0, 1e-20}, {0, 1, 1}} << "1.000  1.000  "
        << QStringList{"0.000  0.000  0.000  ", "0.000  1.000  1.000  "};
    QTest::newRow("zero below the diagonal set exactly")
        << Rows{{3, 1, 5}, {0.1, 1, 0.65}} << "1.500  0.500  "
        << QStringList{"3.000  1.000  5.000  ", "0.000  0.967  0.483  "};
    QTest::newRow("the first system the editor draws")
        << Rows{{7, 5, 5, 2, 3}, {7, 0, 7, 8, 7}, {0, 4, 8, 7, 3}, {9, 8, 0, 9, 3}}
        << "0.377  -0.352  0.316  0.268  "
        << QStringList{
               "9.000  8.000  0.000  9.000  3.000  ", "0.000  -6.222  7.000  1.000  4.667  ",
               "0.000  0.000  12.500  7.643  6.000  ", "0.000  0.000  0.000  -7.413  -1.990  "};
}

void TestSolver::solves() {
    QFETCH(Rows, system);
    QFETCH(QString, line);
    QFETCH(QStringList, eliminated);
    SystemStore store;
    load(store, system);
    const solver::Outcome outcome = solver::solveSystem(store);
    QCOMPARE(outcome, solver::Outcome::Unique);
    QCOMPARE(solver::solutionLine(store, outcome, u'.'), line);
    QCOMPARE(solver::matrixText(store.matrix, u'.'), textOf(eliminated));
    QCOMPARE(int(store.answers.size()), int(system.size()));
    for (int i = 1; i < store.matrix.rows(); ++i)
        for (int j = 0; j < i; ++j)
            QCOMPARE(store.matrix(i, j), 0.0);
}

void TestSolver::noUniqueSolution_data() {
    QTest::addColumn<Rows>("system");
    QTest::addColumn<QStringList>("leftAs");

    QTest::newRow("first column all zeros")
        << Rows{{0, 1, 2, 3}, {0, 4, 5, 6}, {0, 7, 8, 9}}
        << QStringList{"0.000  1.000  2.000  3.000  ", "0.000  4.000  5.000  6.000  ",
                       "0.000  7.000  8.000  9.000  "};
    QTest::newRow("proportional rows give a zero last pivot")
        << Rows{{1, 2, 3}, {2, 4, 6}}
        << QStringList{"2.000  4.000  6.000  ", "0.000  0.000  0.000  "};
    QTest::newRow("zero column in a later pass")
        << Rows{{1, 2, 0, 1}, {2, 4, 1, 2}, {4, 8, 5, 3}}
        << QStringList{"4.000  8.000  5.000  3.000  ", "0.000  0.000  -1.500  0.500  ",
                       "0.000  0.000  -1.250  0.250  "};
    QTest::newRow("order one with zero coefficient")
        << Rows{{0, 5}} << QStringList{"0.000  5.000  "};
    QTest::newRow("all zeros") << Rows{{0, 0, 0}, {0, 0, 0}}
                               << QStringList{"0.000  0.000  0.000  ", "0.000  0.000  0.000  "};
}

void TestSolver::noUniqueSolution() {
    QFETCH(Rows, system);
    QFETCH(QStringList, leftAs);
    SystemStore store;
    load(store, system);
    const solver::Outcome outcome = solver::solveSystem(store);
    QCOMPARE(outcome, solver::Outcome::NoUnique);
    QCOMPARE(int(store.answers.size()), 1);
    QCOMPARE(std::get<QString>(store.answers[0]), QString::fromUtf8("Одного решения нет"));
    QCOMPARE(solver::solutionLine(store, outcome, u','), QString::fromUtf8("Одного решения нет"));
    QCOMPARE(solver::matrixText(store.matrix, u'.'), textOf(leftAs));
}

void TestSolver::overflowIsReported_data() {
    QTest::addColumn<Rows>("system");
    constexpr double big = 1e308;
    constexpr double inf = std::numeric_limits<double>::infinity();

    QTest::newRow("during elimination") << Rows{{1, big, 0}, {-1, big, 0}};
    QTest::newRow("during back substitution") << Rows{{1e-300, 0, 1e300}, {0, 1, 1}};
    QTest::newRow("sum overflows") << Rows{{1, big, big, 1}, {0, 1, 0, big}, {0, 0, 1, big}};
    QTest::newRow("infinite entry") << Rows{{1, 2, inf}, {3, 4, 5}};
    QTest::newRow("not a number entry") << Rows{{1, std::nan(""), 1}, {3, 4, 5}};
}

void TestSolver::overflowIsReported() {
    QFETCH(Rows, system);
    SystemStore store;
    load(store, system);
    const solver::Outcome outcome = solver::solveSystem(store);
    QCOMPARE(outcome, solver::Outcome::Overflow);
    QCOMPARE(int(store.answers.size()), 1);
    const QString line = solver::solutionLine(store, outcome, u'.');
    QCOMPARE(line, QString::fromUtf8("Переполнение при вычислении"));
    for (const AnswerValue& value : store.answers)
        QVERIFY(!std::holds_alternative<double>(value));
}

void TestSolver::eliminatedFormSolvesTheSame() {
    SystemStore store;
    load(store, {{2, 1, -1, 8}, {-3, -1, 2, -11}, {-2, 1, 2, -3}});
    const solver::Outcome first = solver::solveSystem(store);
    QCOMPARE(first, solver::Outcome::Unique);
    const QString line = solver::solutionLine(store, first, u'.');
    QCOMPARE(line, QStringLiteral("2.000  3.000  -1.000  "));
    const Rows eliminated = rowsOf(store.matrix);

    const solver::Outcome again = solver::solveSystem(store);
    QCOMPARE(again, solver::Outcome::Unique);
    QCOMPARE(solver::solutionLine(store, again, u'.'), line);
    QCOMPARE(rowsOf(store.matrix), eliminated);
}

// Row i has its large coefficient in column i + 1 (the last row in column 0), so every pass finds
// its pivot in the last row and exchanges it with the pivot row.
void TestSolver::orderTenExchangesRowsInEveryPass() {
    constexpr int n = 10;
    const std::vector<double> x = {1234.5, -2, 0.25, 3, -7.125, 10, -0.5, 42, 1, -1234.5};
    std::vector<std::vector<double>> a(n, std::vector<double>(n, 0));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            a[i][j] = j == (i + 1) % n ? 100 + i : ((i * 7 + j * 3) % 5) - 2;
    SystemStore store;
    store.shapeForOrder(ArrayOrder(n));
    for (int i = 0; i < n; ++i) {
        double b = 0;
        for (int j = 0; j < n; ++j) {
            store.matrix(i, j) = a[i][j];
            b += a[i][j] * x[j];
        }
        store.matrix(i, n) = b;
    }
    const solver::Outcome outcome = solver::solveSystem(store);
    QCOMPARE(outcome, solver::Outcome::Unique);
    QCOMPARE(
        solver::solutionLine(store, outcome, u'.'),
        QStringLiteral("1234.500  -2.000  0.250  3.000  -7.125  10.000  -0.500  42.000  1.000  "
                       "-1234.500  "));
    // The first pass takes the last row unchanged as its pivot row; every later pivot row comes
    // up from the bottom too, so each diagonal element is one of the large coefficients.
    for (int j = 0; j < n; ++j)
        QCOMPARE(store.matrix(0, j), a[n - 1][j]);
    for (int k = 0; k < n; ++k)
        QVERIFY2(std::fabs(store.matrix(k, k)) > 90, qPrintable(QString::number(k)));
}

void TestSolver::shortAnswersAreReshaped() {
    SystemStore store;
    load(store, {{1, 2, 3}, {2, 4, 6}});
    QCOMPARE(solver::solveSystem(store), solver::Outcome::NoUnique);
    QCOMPARE(int(store.answers.size()), 1);
    // The editor refills the matrix without changing its order: the answers stay short.
    const Rows next{{1, 1, 3}, {1, -1, 1}};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j)
            store.matrix(i, j) = next[i][j];
    const solver::Outcome outcome = solver::solveSystem(store);
    QCOMPARE(outcome, solver::Outcome::Unique);
    QCOMPARE(int(store.answers.size()), 2);
    QCOMPARE(solver::solutionLine(store, outcome, u'.'), QStringLiteral("2.000  1.000  "));
}

void TestSolver::storeWithoutSystem() {
    SystemStore fresh;
    QCOMPARE(solver::solveSystem(fresh), solver::Outcome::NoSystem);
    QCOMPARE(fresh.matrix.rows(), 0);

    SystemStore unloaded;
    unloaded.shapeForOrder(ArrayOrder(3));
    unloaded.unload();
    QCOMPARE(unloaded.matrix.order(), 0);
    QCOMPARE(solver::solveSystem(unloaded), solver::Outcome::NoSystem);
    QCOMPARE(unloaded.matrix.rows(), 1);
    QCOMPARE(unloaded.matrix(0, 0), 0.0);
    QCOMPARE(int(unloaded.answers.size()), 1);
    QCOMPARE(std::get<QString>(unloaded.answers[0]), QString());
    QCOMPARE(solver::matrixText(unloaded.matrix, u'.'), QStringLiteral("0.000  \r\n"));
}

void TestSolver::solutionLineUsesTheSeparator() {
    SystemStore store;
    load(store, {{1, 0, 0, 1}, {0, 1, 0, -2.5}, {0, 0, 3, 1}});
    const solver::Outcome outcome = solver::solveSystem(store);
    QCOMPARE(outcome, solver::Outcome::Unique);
    QCOMPARE(solver::solutionLine(store, outcome, u','), QStringLiteral("1,000  -2,500  0,333  "));
    QCOMPARE(solver::matrixText(store.matrix, u','),
             QStringLiteral("1,000  0,000  0,000  1,000  \r\n"
                            "0,000  1,000  0,000  -2,500  \r\n"
                            "0,000  0,000  3,000  1,000  \r\n"));
}

QTEST_GUILESS_MAIN(TestSolver)
#include "test_solver.moc"
