// The record the solver makes of its own loop, the steps text built from it, and the exact
// answers: random systems of every order checked against an independent pivot search and exact
// rational arithmetic, the exact reading of tokens, fractions and the condition number.
#include "core/entry_text.h"
#include "core/exact_solve.h"
#include "core/solve_record.h"
#include "core/solver.h"
#include "core/steps_text.h"
#include "steps_blocks.h"
#include "support/numbers.h"

#include <QtTest>
#include <cmath>
#include <random>

namespace {

// A decimal text of an exact value whose denominator divides 10^decimals.
QString decimalText(const mpq_class& value, int decimals) {
    mpz_class scaled = value.get_num() * [&] {
        mpz_class p;
        mpz_ui_pow_ui(p.get_mpz_t(), 10, decimals);
        return p;
    }() / value.get_den();
    const bool negative = scaled < 0;
    std::string digits = mpz_class(abs(scaled)).get_str();
    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, decimals + 1 - digits.size(), '0');
    std::string text = digits.substr(0, digits.size() - decimals);
    if (decimals > 0)
        text += '.' + digits.substr(digits.size() - decimals);
    return QString::fromStdString((negative ? "-" : "") + text);
}

struct RandomSystem {
    int n = 0;
    std::vector<mpq_class> values; // n rows of n + 1, exactly as written
    QString text;
    bool singular = false;
    bool inconsistent = false;
};

enum class Kind { Integers, Decimals, Singular, Exchanges };

RandomSystem makeSystem(std::mt19937& random, Kind kind) {
    RandomSystem s;
    s.n = std::uniform_int_distribution<int>(2, 10)(random);
    const int n = s.n, columns = n + 1;
    std::uniform_int_distribution<int> small(-9, 9);
    std::uniform_int_distribution<int> wide(-99999, 99999);
    std::uniform_int_distribution<int> places(1, 3);
    s.values.resize(static_cast<std::size_t>(n) * columns);
    auto at = [&](int i, int j) -> mpq_class& { return s.values[i * columns + j]; };
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < columns; ++j) {
            if (kind == Kind::Integers || kind == Kind::Exchanges)
                at(i, j) = small(random);
            else {
                at(i, j) = mpq_class(wide(random), kind == Kind::Decimals ? 1000 : 100);
                at(i, j).canonicalize();
            }
        }
    if (kind == Kind::Exchanges)
        for (int i = 0; i < n; ++i)
            at(i, i) = 0; // every pass must look below the diagonal
    if (kind == Kind::Singular) {
        // One row is 0.1 times one row plus 0.2 times another (the 0.1 + 0.2 of the floats),
        // with its right-hand side moved off by 1 for an inconsistent system now and then.
        const int target = std::uniform_int_distribution<int>(0, n - 1)(random);
        const int a = (target + 1) % n, b = (target + n - 1) % n;
        for (int j = 0; j < columns; ++j)
            at(target, j) = mpq_class(1, 10) * at(a, j) + mpq_class(1, 5) * at(b, j);
        s.singular = true;
        s.inconsistent = (random() & 3) == 0;
        if (s.inconsistent)
            at(target, n) += 1;
        if (a == b) // order 2: the row is 0.3 times the other one
            s.singular = true;
    }
    QStringList tokens;
    for (const mpq_class& v : s.values)
        tokens.append(decimalText(v, kind == Kind::Integers || kind == Kind::Exchanges ? 0 : 5));
    s.text = tokens.join(u' ');
    if (random() & 1)
        s.text += u' '; // the random fill ends with a blank
    (void)places;
    return s;
}

// Whether every pass of the record took as its pivot the first of the largest magnitudes in its
// column, from the diagonal down, of the matrix as it stood before the pass.
bool pivotsAreLargest(const solver::SolveRecord& record) {
    for (std::size_t p = 0; p < record.passes.size(); ++p) {
        const solver::SolvePass& pass = record.passes[p];
        const Matrix& before = p == 0 ? record.initial : record.passes[p - 1].after;
        const int k = pass.column;
        int first = -1;
        for (int i = k; i < record.order; ++i)
            if (before(i, k) != 0 &&
                (first < 0 || std::fabs(before(i, k)) > std::fabs(before(first, k))))
                first = i;
        if (pass.pivotRow != first || pass.exchanged != (first >= 0 && first != k))
            return false;
    }
    return true;
}

} // namespace

class TestSolveSteps : public QObject {
    Q_OBJECT
  private slots:
    void randomSystems();
    void exactTokens_data();
    void exactTokens();
    void exactTokensAgreeWithDoubles();
    void fractions_data();
    void fractions();
    void condition_data();
    void condition();
    void floatSingularExactUnique();
    void overflowIsRecorded();
    void outcomesTold_data();
    void outcomesTold();
    void extremes_data();
    void extremes();
    void exponentForm_data();
    void exponentForm();
    void rankDeficient();
    void determinant();
};

void TestSolveSteps::randomSystems() {
    std::mt19937 random(12345);
    constexpr int count = 10'000;
    int exchanges = 0, exactUnique = 0, singularButNotExactly = 0, floatSingular = 0;
    for (int t = 0; t < count; ++t) {
        const Kind kind = static_cast<Kind>(t % 4);
        const RandomSystem s = makeSystem(random, kind);
        const int n = s.n;
        SystemStore store;
        store.shapeForOrder(ArrayOrder(n));
        entry::fillMatrix(store.matrix, s.text, u',');
        solver::SolveRecord record;
        const solver::CheckedSolve checked = solver::solveChecked(store, record, s.text);
        QVERIFY(record.complete);
        const QString label = solver::matrixText(store.matrix, u',');
        const QString text = steps::eliminationPage(record, u',').plainText();
        QCOMPARE(lastMatrixBlock(text, n), label);

        QVERIFY2(pivotsAreLargest(record), qPrintable(s.text));
        for (const solver::SolvePass& pass : record.passes)
            exchanges += pass.exchanged ? 1 : 0;

        const exact::System& system = checked.analysis.system;
        QCOMPARE(system.source, exact::Source::EntryText);
        for (std::size_t v = 0; v < s.values.size(); ++v)
            QVERIFY2(system.values[v] == s.values[v],
                     qPrintable(s.text + u'|' + QString::number(v) + u'|' +
                                QString::fromStdString(system.values[v].get_str() + " " +
                                                       s.values[v].get_str())));
        const exact::Elimination& e = checked.analysis.elimination;
        if (s.singular) {
            QVERIFY(e.rank < n);
            QCOMPARE(bool(checked.analysis.contradiction), s.inconsistent);
            if (record.outcome == solver::Outcome::Unique) {
                ++singularButNotExactly;
                QVERIFY(checked.exactlySingular);
                QVERIFY(!checked.illConditioned);
                QVERIFY(steps::exactPage(record, checked, u',')
                            .plainText()
                            .contains(QStringLiteral("ошибок округления")));
            }
            continue;
        }
        if (e.rank < n)
            continue;
        ++exactUnique;
        for (int i = 0; i < n; ++i) {
            mpq_class sum = 0;
            for (int j = 0; j < n; ++j)
                sum += s.values[i * (n + 1) + j] * e.at(j, n);
            QCOMPARE(sum, s.values[i * (n + 1) + n]);
        }
        if (checked.outcome != solver::Outcome::Unique) {
            ++floatSingular;
            continue;
        }
        QCOMPARE(checked.analysis.condition.state, exact::Condition::State::Exact);
        const double kappa = checked.analysis.condition.value.get_d();
        if (kappa * solver::unitRoundoff > 1e-3)
            continue;
        double largest = 0, error = 0;
        for (int i = 0; i < n; ++i) {
            const double x = std::get<double>(store.answers[i]);
            largest = std::max(largest, std::fabs(e.at(i, n).get_d()));
            error = std::max(error, std::fabs(mpq_class(mpq_class(x) - e.at(i, n)).get_d()));
        }
        QVERIFY2(error <= 10.0 * n * kappa * solver::unitRoundoff * largest + 1e-300,
                 qPrintable(s.text));
    }
    QVERIFY(exchanges > count);
    QVERIFY(exactUnique > count / 2);
    QVERIFY(singularButNotExactly > 0);
    qInfo("%d exchanges, %d exact unique answers, %d singular only in exact arithmetic, "
          "%d singular only in floating point",
          exchanges, exactUnique, singularButNotExactly, floatSingular);
}

void TestSolveSteps::exactTokens_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("exact"); // GMP's text of the rational, or "none" when too large
    QTest::newRow("decimal tenth") << "0.1"
                                   << "1/10";
    QTest::newRow("sign and exponent D") << "-2.5D-1"
                                         << "-1/4";
    QTest::newRow("leading point") << ".5"
                                   << "1/2";
    QTest::newRow("blanks skipped inside") << " 1\t2.5"
                                           << "25/2";
    QTest::newRow("first wrong character ends") << "7x3"
                                                << "7";
    QTest::newRow("comma is not a point") << "2,5"
                                          << "2";
    QTest::newRow("no number") << "abc"
                               << "0";
    QTest::newRow("hexadecimal") << "&Hff"
                                 << "255";
    QTest::newRow("octal") << "&o17"
                           << "15";
    QTest::newRow("ampersand alone") << "&x"
                                     << "0";
    QTest::newRow("beyond the double range") << "1e400"
                                             << "1" + QString(400, u'0');
    QTest::newRow("below the double range") << "-1e-400"
                                            << "-1/1" + QString(400, u'0');
    QTest::newRow("zero with a huge exponent") << "0e999999999999"
                                               << "0";
    QTest::newRow("trailing zeros to the exponent") << "1" + QString(2500, u'0') + "e-2500"
                                                    << "1";
    QTest::newRow("too many digits") << "1e2001"
                                     << "none";
    QTest::newRow("too small") << "1e-2001"
                               << "none";
    QTest::newRow("hexadecimal too long") << "&H" + QString(1700, u'F') << "none";
}

void TestSolveSteps::exactTokens() {
    QFETCH(QString, text);
    QFETCH(QString, exact);
    const std::optional<mpq_class> value = exact::valueOfText(text);
    QCOMPARE(value ? QString::fromStdString(value->get_str()) : QStringLiteral("none"), exact);
}

void TestSolveSteps::exactTokensAgreeWithDoubles() {
    // Within the double range the exact value rounds to the double the solver reads.
    std::mt19937 random(7);
    const QString alphabet = QStringLiteral("0123456789.-+eEdD&hHoO x");
    for (int t = 0; t < 20000; ++t) {
        QString text;
        const int length = std::uniform_int_distribution<int>(1, 12)(random);
        for (int i = 0; i < length; ++i)
            text += alphabet[std::uniform_int_distribution<int>(0, alphabet.size() - 1)(random)];
        const std::optional<mpq_class> value = exact::valueOfText(text);
        const double d = numbers::valueOfText(text);
        if (!value) { // only a value far outside the double range is too large to compute
            QVERIFY2(d == 0 || std::fabs(d) == std::numeric_limits<double>::max(),
                     qPrintable(text));
            continue;
        }
        if (std::fabs(d) < 1e300 && (d != 0 || *value == 0))
            QVERIFY2(value->get_d() == d || std::nextafter(value->get_d(), d) == d,
                     qPrintable(text));
    }
}

void TestSolveSteps::fractions_data() {
    QTest::addColumn<int>("numerator");
    QTest::addColumn<int>("denominator");
    QTest::addColumn<QString>("text");
    QTest::newRow("integer") << 10 << 2 << "5";
    QTest::newRow("proper") << 1 << 3 << "1/3";
    QTest::newRow("negative proper") << -1 << 2 << "-1/2";
    QTest::newRow("mixed") << 7 << 3 << "7/3 = 2 1/3";
    QTest::newRow("negative mixed") << -7 << 3 << "-7/3 = -2 1/3";
}

void TestSolveSteps::fractions() {
    QFETCH(int, numerator);
    QFETCH(int, denominator);
    QFETCH(QString, text);
    mpq_class q(numerator, denominator);
    q.canonicalize();
    QCOMPARE(exact::fractionText(q), text);
}

void TestSolveSteps::condition_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QList<double>>("coefficients");
    QTest::addColumn<double>("kappa"); // ||A||∞ ||A⁻¹||∞ worked out by hand, or -1 for Hilbert
    QTest::addColumn<bool>("warned");
    QTest::newRow("2 by 2") << 2 << QList<double>{1, 2, 3, 4} << 21.0 << false;
    QTest::newRow("diagonal") << 2 << QList<double>{2, 0, 0, 0.5} << 4.0 << false;
    QTest::newRow("singular") << 2 << QList<double>{1, 2, 2, 4}
                              << std::numeric_limits<double>::infinity() << true;
    QTest::newRow("Hilbert 8") << 8 << QList<double>{} << -1.0 << true;
}

void TestSolveSteps::condition() {
    QFETCH(int, order);
    QFETCH(QList<double>, coefficients);
    QFETCH(double, kappa);
    QFETCH(bool, warned);
    Matrix m;
    m.redim(order, order + 1);
    for (int i = 0; i < order; ++i)
        for (int j = 0; j < order; ++j)
            m(i, j) = coefficients.isEmpty() ? 1.0 / (i + j + 1) : coefficients[i * order + j];
    const exact::Condition computed = exact::conditionExact(m, order);
    if (std::isinf(kappa))
        QCOMPARE(computed.state, exact::Condition::State::Singular);
    else if (kappa > 0)
        QCOMPARE(computed.value, mpq_class(kappa));
    else // κ∞ of the Hilbert matrix of order 8 is about 3.4E+10
        QVERIFY(computed.value > 3.3e10 && computed.value < 3.5e10);
    QCOMPARE(solver::illConditioned(computed), warned);
    // A unique answer of the system carries the warning exactly when the matrix is ill-conditioned.
    StepsSolve s;
    s.store.matrix = m;
    s.store.answers.resize(order);
    s.checked = solver::solveChecked(s.store, s.record, QString());
    if (s.record.outcome == solver::Outcome::Unique)
        QCOMPARE(s.trustText().contains(solver::illConditionedText), warned);
    else
        QVERIFY(std::isinf(kappa) && s.trustText().isEmpty());
}

void TestSolveSteps::floatSingularExactUnique() {
    // Both rows read as the same doubles; written out, the second differs in its 20th decimal.
    const StepsSolve s = solveForSteps(2, QStringLiteral("1 0.1 1 1 0.10000000000000000001 2"));
    QCOMPARE(s.checked.outcome, solver::Outcome::NoUnique);
    QCOMPARE(s.record.stop, solver::StopReason::ZeroLastPivot);
    const QString exactPart = s.exactText();
    QVERIFY(exactPart.contains(QStringLiteral("в точной арифметике решение единственное")));
    // x2 = 1 / 1e-20, x1 = 1 - 0.1 x2
    QVERIFY(exactPart.contains(QStringLiteral("x2 = 1") + QString(20, u'0') + u'\n'));
    QVERIFY(s.trustText().isEmpty());
}

void TestSolveSteps::overflowIsRecorded() {
    const StepsSolve s = solveForSteps(2, QStringLiteral("1 1e308 1 -1 1e308 1"));
    QCOMPARE(s.checked.outcome, solver::Outcome::Overflow);
    QCOMPARE(s.record.stop, solver::StopReason::Overflow);
    const QString steps = steps::eliminationPage(s.record, u'.').plainText();
    QVERIFY(steps.contains(
        QStringLiteral("Исключение остановлено на шаге 1: переполнение при вычислении.\n")));
    QCOMPARE(lastMatrixBlock(steps, 2), solver::matrixText(s.store.matrix, u'.'));
    // The exact system has its solution all the same.
    QVERIFY(s.exactText().contains(QStringLiteral("x1 = ")));
}

void TestSolveSteps::outcomesTold_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("lines"); // lines the steps text must hold, in this order
    QTest::newRow("zero first column")
        << 2 << "0 1 1 0 2 2"
        << QStringList{
               "В столбце 1 от строки 1 вниз все элементы равны нулю: ведущего элемента нет.",
               "Исключение остановлено на шаге 1: одного решения нет.",
               "Решение: Одного решения нет",
               "В точной арифметике система вырождена (ранг 1 из 2): решений бесконечно много."};
    QTest::newRow("proportional rows")
        << 2 << "1 2 3 2 4 6"
        << QStringList{
               "Строки 1 и 2 переставлены.",
               "Последний диагональный элемент равен нулю: одного решения нет.",
               "В точной арифметике система вырождена (ранг 1 из 2): решений бесконечно много."};
    QTest::newRow("contradicting rows")
        << 2 << "1 2 3 2 4 7"
        << QStringList{"В точной арифметике система вырождена (ранг 1 из 2): решений нет."};
    QTest::newRow("tokens used again from the first")
        << 2 << "1 2"
        << QStringList{"Система, как она решалась (в последнем столбце правые части):",
                       "1.000  2.000  |  1.000",
                       "2.000  1.000  |  2.000",
                       "Решение: 1.000  0.000  ",
                       "x1 = 1",
                       "x2 = 0"};
    QTest::newRow("hexadecimal and octal")
        << 2 << "&H2 0 &O10 0 1 3" << QStringList{"x1 = 4", "x2 = 3"};
    QTest::newRow("beyond the double range as written")
        << 2 << "1e400 0 2e400 0 1 1"
        << QStringList{"Решение: 1.000  1.000  ",
                       "Точный ответ (числа взяты точно, как они записаны):", "x1 = 2", "x2 = 1"};
    QTest::newRow("exact numbers too long")
        << 2 << "1e1999 3 1e1998 7 1e1997 1"
        << QStringList{"Не вычислен: в вычислении появились числа длиннее 2000 цифр."};
    QTest::newRow("mixed fraction")
        << 2 << "3 0 7 0 1 1" << QStringList{"x1 = 7/3 = 2 1/3", "x2 = 1"};
}

void TestSolveSteps::outcomesTold() {
    QFETCH(int, order);
    QFETCH(QString, entry);
    QFETCH(QStringList, lines);
    const QStringList text = solveForSteps(order, entry).text().split(u'\n');
    qsizetype at = 0;
    for (const QString& line : lines) {
        at = text.indexOf(line, at);
        QVERIFY2(at >= 0, qPrintable(line));
    }
}

void TestSolveSteps::extremes_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("κ∞ beyond the double range")
        << 2 << "1E200 0 1 0 1E-200 1" << QStringList{"Число обусловленности κ∞: 1.00E+400"}
        << QStringList{"вырождена", "∞ ("};
    QTest::newRow("answer longer than the limit")
        << 2 << "1 0 0 0 1E-1500 1E600"
        << QStringList{"Не вычислен: в вычислении появились числа длиннее 2000 цифр."}
        << QStringList{"x2 = 1000"};
    QTest::newRow("token of 2001 digits")
        << 2 << "1 0 1 0 1 1" + QString(2000, u'0') << QStringList{"Не вычислен"}
        << QStringList{"x2 = 1" + QString(2000, u'0')};
    QTest::newRow("token of 2000 digits")
        << 2 << "1 0 1 0 1 1" + QString(1999, u'0') << QStringList{"x2 = 1" + QString(1999, u'0')}
        << QStringList{"Не вычислен"};
    QTest::newRow("residual below the smallest double")
        << 2 << "-8 -7 -1 5E-324 -2 1" << QStringList{"Наибольшая невязка |b - A·x|: 2.78E-324"}
        << QStringList{"невязка |b - A·x|: 0\n"};
    QTest::newRow("last pivot that shows as zero")
        << 2 << "1 1 2 1 1.0001 2.0001"
        << QStringList{"Последний диагональный элемент 1.00E-04 не равен нулю",
                       "x2 = 1.00E-04 / 1.00E-04 = 1.000"}
        << QStringList{"/ 0.000"};
    QTest::newRow("negative answer that shows as zero")
        << 2 << "1 0 -0.0001 0 1 1"
        << QStringList{"Решение: -0.000  1.000  ", "Точнее: x1 = -1.00E-04",
                       "x1 = -1/10000 = -0.0001"}
        << QStringList{};
    QTest::newRow("zero factor") << 2 << "0 2 4 1 1 3"
                                 << QStringList{"множитель 0.000 / 1.000 = 0 точно; строка не "
                                                "меняется."}
                                 << QStringList{"- 0.000 × строка"};
    QTest::newRow("pivot tie at three decimals")
        << 2 << "1.0001 1 2 1.0004 1 3"
        << QStringList{"В строке 1 модуль до третьего знака тот же, но меньше: 1.0001 против "
                       "1.0004."}
        << QStringList{};
    QTest::newRow("double system differs from the written one")
        << 2 << "1e400 0 2e400 0 1 1"
        << QStringList{"Внимание: система в числах двойной точности отличается от записанной",
                       "x1 = 2"}
        << QStringList{};
    QTest::newRow("decimals are no difference")
        << 2 << "0.1 0.2 0.3 0.7 0.1 0.5" << QStringList{"Определитель"}
        << QStringList{"отличается от записанной"};
    QTest::newRow("terminating fraction as decimal")
        << 2 << "200 0 -73 0 1 1" << QStringList{"x1 = -73/200 = -0.365"} << QStringList{};
}

void TestSolveSteps::extremes() {
    QFETCH(int, order);
    QFETCH(QString, entry);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    const QString text = solveForSteps(order, entry).text();
    for (const QString& line : present)
        QVERIFY2(text.contains(line), qPrintable(line + u'\n' + text.left(3000)));
    for (const QString& line : absent)
        QVERIFY2(!text.contains(line), qPrintable(line));
    // Outside the answer line as the log keeps it, no value reads as minus zero.
    for (const QString& line : text.split(u'\n'))
        if (!line.startsWith(QStringLiteral("Решение: ")))
            QVERIFY2(!line.contains(QStringLiteral("-0.000 ")) && !line.endsWith(u"-0.000"),
                     qPrintable(line));
}

void TestSolveSteps::exponentForm_data() {
    QTest::addColumn<QString>("numerator");
    QTest::addColumn<QString>("denominator");
    QTest::addColumn<QString>("text");
    QTest::newRow("half rounds up") << "2475"
                                    << "1000"
                                    << "2,48E+00";
    QTest::newRow("just below the half") << "24749999"
                                         << "10000000"
                                         << "2,47E+00";
    QTest::newRow("carry into the exponent") << "9995"
                                             << "1000"
                                             << "1,00E+01";
    QTest::newRow("power of ten") << "1"
                                  << "1" + QString(400, u'0') << "1,00E-400";
    QTest::newRow("negative") << "-123456"
                              << "1"
                              << "-1,23E+05";
    QTest::newRow("just below a power of ten") << "999"
                                               << "10000"
                                               << "9,99E-02";
}

void TestSolveSteps::exponentForm() {
    QFETCH(QString, numerator);
    QFETCH(QString, denominator);
    QFETCH(QString, text);
    mpq_class q(mpz_class(numerator.toStdString()), mpz_class(denominator.toStdString()));
    q.canonicalize();
    QCOMPARE(exact::exponentText(q, u','), text);
}

namespace {

// A system of rank r: r rows [I | R] with their columns shuffled, the others integer
// combinations of them, the rows shuffled. left holds, per combined row, the vector y with
// y·A = 0; an inconsistent system has b moved off by 1 in one combined row, so y·b = 1.
struct Deficient {
    int n = 0, rank = 0;
    std::vector<mpq_class> a; // n rows of n + 1
    bool inconsistent = false;
};

Deficient makeDeficient(std::mt19937& random, bool decimals) {
    Deficient d;
    d.n = std::uniform_int_distribution<int>(2, 10)(random);
    const int n = d.n;
    d.rank = std::uniform_int_distribution<int>(1, n - 1)(random);
    std::uniform_int_distribution<int> small(-9, 9);
    std::vector<std::vector<mpq_class>> rows(static_cast<std::size_t>(n),
                                             std::vector<mpq_class>(n + 1));
    std::vector<int> columns(static_cast<std::size_t>(n));
    for (int j = 0; j < n; ++j)
        columns[j] = j;
    std::shuffle(columns.begin(), columns.end(), random);
    for (int i = 0; i < d.rank; ++i)
        for (int j = 0; j <= n; ++j) {
            const int c = j < n ? columns[j] : n;
            rows[i][c] = j < d.rank ? mpq_class(i == j ? 1 : 0) : mpq_class(small(random));
        }
    d.inconsistent = random() & 1;
    const int off = std::uniform_int_distribution<int>(d.rank, n - 1)(random);
    for (int i = d.rank; i < n; ++i) {
        for (int k = 0; k < d.rank; ++k) {
            const int c = small(random);
            for (int j = 0; j <= n; ++j)
                rows[i][j] += c * rows[k][j];
        }
        if (d.inconsistent && i == off)
            rows[i][n] += 1;
    }
    // Mix the independent rows too; the rank stays.
    for (int i = 1; i < d.rank; ++i) {
        const int c = small(random);
        for (int j = 0; j <= n; ++j)
            rows[i][j] += rows[0][j] * c;
    }
    std::shuffle(rows.begin(), rows.end(), random);
    for (auto& row : rows)
        for (mpq_class& v : row)
            d.a.push_back(decimals ? mpq_class(v / 1000) : v);
    return d;
}

mpq_class rowTimes(const std::vector<mpq_class>& a, int n, int i, const std::vector<mpq_class>& v) {
    mpq_class sum = 0;
    for (int j = 0; j < n; ++j)
        sum += a[i * (n + 1) + j] * v[j];
    return sum;
}

// The determinant by cofactors along the first row.
mpq_class cofactors(const std::vector<mpq_class>& m, int n) {
    if (n == 1)
        return m[0];
    mpq_class det = 0;
    for (int c = 0; c < n; ++c) {
        std::vector<mpq_class> minor;
        for (int i = 1; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if (j != c)
                    minor.push_back(m[i * n + j]);
        det += (c % 2 ? -1 : 1) * m[c] * cofactors(minor, n - 1);
    }
    return det;
}

} // namespace

void TestSolveSteps::rankDeficient() {
    std::mt19937 random(99);
    int consistent = 0, inconsistent = 0;
    for (int t = 0; t < 400; ++t) {
        const Deficient d = makeDeficient(random, t % 2 == 1);
        const int n = d.n;
        exact::System system;
        system.n = n;
        system.source = exact::Source::EntryText;
        system.values = d.a;
        const exact::Elimination e = exact::eliminate(system);
        QVERIFY(!e.tooLarge);
        QCOMPARE(e.rank, d.rank);
        QVERIFY(e.determinant && *e.determinant == 0);
        const std::optional<exact::Contradiction> c = exact::contradiction(e);
        QCOMPARE(bool(c), d.inconsistent);
        if (c) {
            ++inconsistent;
            QCOMPARE(int(c->multipliers.size()), n);
            QVERIFY(c->constant != 0);
            for (int j = 0; j <= n; ++j) {
                mpq_class sum = 0;
                for (int i = 0; i < n; ++i)
                    sum += c->multipliers[i] * d.a[i * (n + 1) + j];
                QCOMPARE(sum, j < n ? mpq_class(0) : c->constant);
            }
            continue;
        }
        ++consistent;
        const exact::GeneralSolution g = exact::generalSolution(e);
        QCOMPARE(int(g.free.size()), n - d.rank);
        QCOMPARE(int(g.basis.size()), n - d.rank);
        for (int i = 0; i < n; ++i)
            QCOMPARE(rowTimes(d.a, n, i, g.particular), d.a[i * (n + 1) + n]);
        for (std::size_t k = 0; k < g.basis.size(); ++k) {
            for (int i = 0; i < n; ++i)
                QCOMPARE(rowTimes(d.a, n, i, g.basis[k]), mpq_class(0));
            // Independent: 1 at its own free unknown, 0 at the others.
            for (std::size_t l = 0; l < g.free.size(); ++l)
                QCOMPARE(g.basis[k][g.free[l]], mpq_class(k == l ? 1 : 0));
        }
    }
    QVERIFY(consistent > 100 && inconsistent > 100);
}

void TestSolveSteps::determinant() {
    std::mt19937 random(5);
    for (int t = 0; t < 300; ++t) {
        const RandomSystem s = makeSystem(random, static_cast<Kind>(t % 4));
        const int n = s.n;
        if (n > 6)
            continue; // cofactors grow as n!
        exact::System system;
        system.n = n;
        system.values = s.values;
        const exact::Elimination e = exact::eliminate(system);
        std::vector<mpq_class> a;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                a.push_back(s.values[i * (n + 1) + j]);
        QVERIFY(e.determinant);
        QCOMPARE(*e.determinant, cofactors(a, n));
        QCOMPARE(*e.determinant == 0, e.rank < n);
    }
}

QTEST_GUILESS_MAIN(TestSolveSteps)
#include "test_solve_steps.moc"
