// The exact methods of the steps window: each method's final answer on systems of every kind,
// checked by substitution in rationals written here (A·x = b; A·x₀ = b and A·v = 0 with n − rank
// free unknowns; no answer and rank A < rank (A|b)), Cramer's determinants against the analysis,
// the inverse by A·A⁻¹ = E; a number past the digit limit stops a method; the equations, row
// operations, determinant rules and answer checks as written out; the number forms.
#include "core/exact_methods.h"
#include "core/steps_methods.h"
#include "steps_blocks.h"

#include <QtTest>

namespace {

enum class Kind { Unique, Infinite, None, Stopped };

using Vector = std::vector<mpq_class>;

mpq_class valueAt(const exact::System& s, int i, int j) {
    return s.values[static_cast<std::size_t>(i * (s.n + 1) + j)];
}

// A·x − b (or A·x without b), row by row.
Vector residual(const exact::System& s, const Vector& x, bool withRight) {
    Vector r;
    for (int i = 0; i < s.n; ++i) {
        mpq_class sum = withRight ? mpq_class(-valueAt(s, i, s.n)) : mpq_class(0);
        for (int j = 0; j < s.n; ++j)
            sum += valueAt(s, i, j) * x[static_cast<std::size_t>(j)];
        r.push_back(sum);
    }
    return r;
}

bool isZero(const Vector& v) {
    return std::all_of(v.begin(), v.end(), [](const mpq_class& q) { return sgn(q) == 0; });
}

QString hexToken(int digits) {
    return QStringLiteral("&H") + QString(digits, u'F');
}

// An order-10 system with integer entries and a unique solution: 10 on the diagonal, small
// numbers elsewhere.
QString orderTen() {
    QStringList tokens;
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j <= 10; ++j)
            tokens.append(QString::number(i == j ? 10 : (3 * i + 5 * j) % 7 - 3));
    return tokens.join(u' ');
}

// The method's own final answer, whatever its route.
struct Found {
    Kind kind = Kind::Stopped;
    exact::Answer answer;
};

Found answerOf(steps::Method method, const exact::System& system) {
    auto kindOf = [](const exact::Answer& a) {
        return a.kind == exact::Answer::Kind::Unique     ? Kind::Unique
               : a.kind == exact::Answer::Kind::Infinite ? Kind::Infinite
                                                         : Kind::None;
    };
    auto fromElimination = [&](const exact::EliminationMethod& m) {
        return m.reduction.tooLargeAt != 0 ? Found{} : Found{kindOf(m.answer), m.answer};
    };
    switch (method) {
    case steps::Method::Gauss:
        return fromElimination(exact::gauss(system));
    case steps::Method::GaussJordan:
        return fromElimination(exact::gaussJordan(system));
    case steps::Method::Ranks:
        return fromElimination(exact::ranks(system));
    case steps::Method::Bareiss: {
        const exact::BareissMethod m = exact::bareiss(system);
        return m.reduction.tooLargeAt != 0 ? Found{} : Found{kindOf(m.answer), m.answer};
    }
    case steps::Method::Cramer: {
        const exact::CramerMethod m = exact::cramer(system);
        if (m.tooLargeAt != 0)
            return {};
        if (sgn(*m.delta) == 0)
            return fromElimination(m.ranks);
        exact::Answer a;
        a.x = m.x;
        a.rank = a.augmentedRank = system.n;
        return {Kind::Unique, a};
    }
    case steps::Method::Inverse: {
        const exact::InverseMethod m = exact::inverse(system);
        if (m.reduction.tooLargeAt != 0)
            return {};
        if (m.singularAt != 0)
            return fromElimination(m.ranks);
        exact::Answer a;
        a.x = m.x;
        a.rank = a.augmentedRank = system.n;
        return {Kind::Unique, a};
    }
    case steps::Method::AsSolved:
        break;
    }
    return {};
}

} // namespace

class TestStepsMethods : public QObject {
    Q_OBJECT
  private slots:
    void finalAnswers_data();
    void finalAnswers();
    void writtenOut_data();
    void writtenOut();
    void numberForms_data();
    void numberForms();
    void radixTokens_data();
    void radixTokens();
};

void TestStepsMethods::finalAnswers_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("method");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("rank");
    struct System {
        const char* name;
        int order;
        QString entry;
        Kind kind;
        int rank;
    };
    const QString hexFits = hexToken(1658);
    const System systems[] = {
        {"unique 3", 3, "2 1 -1 8 -3 -1 2 -11 -2 1 2 -3", Kind::Unique, 3},
        {"rank n-1", 3, "1 2 3 6 2 4 6 12 1 1 1 3", Kind::Infinite, 2},
        {"rank n-2", 3, "1 2 3 6 2 4 6 12 3 6 9 18", Kind::Infinite, 1},
        {"rank 2 of 4", 4, "1 2 3 4 10 2 4 6 8 20 1 1 1 1 4 3 3 3 3 12", Kind::Infinite, 2},
        {"inconsistent", 3, "1 2 3 6 2 4 6 13 1 1 1 3", Kind::None, 2},
        {"zero row", 3, "1 2 3 6 0 0 0 0 4 5 6 15", Kind::Infinite, 2},
        {"zero column", 3, "0 1 2 3 0 2 1 3 0 4 5 9", Kind::Infinite, 2},
        {"exchange needed", 3, "0 1 1 2 1 0 1 2 1 1 0 2", Kind::Unique, 3},
        {"decimals", 2, "0.1 -2.75 1 3 0.5 -2.75", Kind::Unique, 2},
        {"hex near the limit", 2, hexFits + " 0 " + hexFits + " 0 1 2", Kind::Unique, 2},
        {"hex past the limit", 2, hexFits + " 1 1 1 " + hexFits + " 2", Kind::Stopped, 0},
        {"order 10", 10, orderTen(), Kind::Unique, 10},
    };
    for (const System& s : systems)
        for (const steps::Method m : steps::methods)
            if (m != steps::Method::AsSolved)
                QTest::addRow("%s, %s", s.name, qPrintable(steps::methodName(m)))
                    << s.order << s.entry << int(m) << s.kind << s.rank;
}

void TestStepsMethods::finalAnswers() {
    QFETCH(int, order);
    QFETCH(QString, entry);
    QFETCH(int, method);
    QFETCH(Kind, kind);
    QFETCH(int, rank);
    const StepsSolve solve = solveForSteps(order, entry);
    const solver::Analysis& analysis = solve.checked.analysis;
    QVERIFY(analysis.computed && !analysis.system.tooLarge);
    const exact::System& system = analysis.system;
    const Found found = answerOf(steps::Method(method), system);
    QCOMPARE(found.kind, kind);
    const exact::Answer& a = found.answer;
    switch (kind) {
    case Kind::Unique:
        QVERIFY(isZero(residual(system, a.x, true)));
        break;
    case Kind::Infinite: {
        QCOMPARE(a.rank, rank);
        QCOMPARE(a.augmentedRank, rank);
        QVERIFY(isZero(residual(system, a.general.particular, true)));
        QCOMPARE(a.general.basis.size(), std::size_t(order - rank));
        QCOMPARE(a.general.free.size(), std::size_t(order - rank));
        for (std::size_t k = 0; k < a.general.basis.size(); ++k) {
            QVERIFY(isZero(residual(system, a.general.basis[k], false)));
            // Independent: each v is 1 at its own free unknown, 0 at the others.
            for (std::size_t l = 0; l < a.general.free.size(); ++l)
                QCOMPARE(a.general.basis[k][static_cast<std::size_t>(a.general.free[l])],
                         mpq_class(k == l ? 1 : 0));
        }
        break;
    }
    case Kind::None:
        QCOMPARE(a.rank, rank);
        QVERIFY(a.rank < a.augmentedRank);
        QVERIFY(a.x.empty());
        break;
    case Kind::Stopped:
        break;
    }
    const exact::Elimination& e = analysis.elimination;
    if (steps::Method(method) == steps::Method::Cramer && kind != Kind::Stopped) {
        const exact::CramerMethod c = exact::cramer(system);
        QCOMPARE(*c.delta, *e.determinant);
        for (std::size_t i = 0; i < c.deltas.size(); ++i)
            QCOMPARE(c.deltas[i] / *c.delta, e.at(int(i), order));
    }
    if (steps::Method(method) == steps::Method::Inverse && kind == Kind::Unique) {
        const exact::InverseMethod m = exact::inverse(system);
        for (int i = 0; i < order; ++i)
            for (int j = 0; j < order; ++j) {
                mpq_class s = 0;
                for (int k = 0; k < order; ++k)
                    s += valueAt(system, i, k) * m.inverse.at(k, j);
                QCOMPARE(s, mpq_class(i == j ? 1 : 0));
            }
    }
    if (steps::Method(method) == steps::Method::Bareiss && kind != Kind::Stopped) {
        const exact::BareissMethod b = exact::bareiss(system);
        QVERIFY(b.reduction.divisionsExact);
        QCOMPARE(*b.determinant, *e.determinant);
    }
    // The page shows the answer: no check refused it, and a stop is told as a warning. So it
    // does when the analysis' own reduction passed the digit limit and only substitution checks.
    solver::CheckedSolve unknown = solve.checked;
    unknown.analysis.elimination = exact::Elimination();
    unknown.analysis.elimination.tooLarge = true;
    unknown.analysis.general.reset();
    unknown.analysis.contradiction.reset();
    for (const solver::CheckedSolve* checked :
         {&solve.checked, static_cast<const solver::CheckedSolve*>(&unknown)}) {
        const steps::Page page = steps::methodPage(steps::Method(method), solve.record, *checked,
                                                   steps::NumberForm::Fractions, u'.');
        bool refused = false, warned = false;
        for (const steps::PageLine& line : page.lines()) {
            refused = refused || line.kind == steps::LineKind::Error;
            warned = warned || line.kind == steps::LineKind::Warning;
        }
        QVERIFY(!refused);
        QCOMPARE(warned, kind == Kind::Stopped);
        // A unique solution ends with the answer that substitution confirmed above (the
        // compatibility test ends with its verdict).
        const bool solves = kind == Kind::Unique && steps::Method(method) != steps::Method::Ranks;
        QStringList values;
        for (std::size_t i = 0; solves && i < a.x.size(); ++i)
            values.append(QStringLiteral("x%1 = ").arg(i + 1) +
                          steps::numberText(a.x[i], steps::NumberForm::Fractions, u'.'));
        if (solves)
            QCOMPARE(page.lines().back().text, "Ответ: " + values.join(QStringLiteral("; ")) + '.');
    }
}

void TestStepsMethods::writtenOut_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("method");
    QTest::addColumn<QStringList>("lines"); // each on the page as written
    const int gauss = int(steps::Method::Gauss), cramer = int(steps::Method::Cramer),
              inverse = int(steps::Method::Inverse);
    const QString unique3 = QStringLiteral("2 1 -1 8 -3 -1 2 -11 -2 1 2 -3");
    QTest::newRow("subtract once")
        << 2 << "1 1 2 1 2 3" << gauss
        << QStringList{"Из строки 2 вычитаем строку 1.\n", "← стр. 2 − стр. 1\n"};
    QTest::newRow("add once") << 2 << "1 1 2 -1 2 3" << gauss
                              << QStringList{"К строке 2 прибавляем строку 1.\n",
                                             "← стр. 2 + стр. 1\n"};
    QTest::newRow("subtract a fraction")
        << 2 << "2 1 3 3 1 1" << gauss
        << QStringList{"Из строки 2 вычитаем строку 1, умноженную на 3/2.\n",
                       "← стр. 2 − 3/2 · стр. 1\n"};
    QTest::newRow("add a fraction")
        << 2 << "2 1 3 -3 1 1" << gauss
        << QStringList{"К строке 2 прибавляем строку 1, умноженную на 3/2.\n",
                       "← стр. 2 + 3/2 · стр. 1\n"};
    QTest::newRow("equations") << 3 << unique3 << gauss
                               << QStringList{"\n2·x1 + x2 − x3 = 8\n-3·x1 − x2 + 2·x3 = -11\n"
                                              "-2·x1 + x2 + 2·x3 = -3\n"};
    QTest::newRow("triangular system")
        << 3 << unique3 << gauss
        << QStringList{"\nСтупенчатому виду соответствует система:\n2·x1 + x2 − x3 = 8\n"
                       "1/2·x2 + 1/2·x3 = 1\n-x3 = 1\n"};
    QTest::newRow("equations without zeros")
        << 2 << "0.5 0 1 0 -1 2" << gauss << QStringList{"\n1/2·x1 = 1\n-x2 = 2\n"};
    QTest::newRow("answer put in")
        << 3 << unique3 << gauss
        << QStringList{"\n2·2 + 1·3 + (-1)·(-1) = 8\n", "\n(-2)·2 + 1·3 + 2·(-1) = -3\n"};
    QTest::newRow("rounded answer put in")
        << -2 << "0.1 -2.75 1 3 0.5 -2.75" << gauss
        << QStringList{"\nx2 = -32,750 / 83 ≈ -0,395\nx1 = (1 − (-2,750)·x2) / 0,100 ≈ -0,851\n",
                       "\n0,100·(-0,851) + (-2,750)·(-0,395) ≈ 1\n"};
    QTest::newRow("second order determinant")
        << 2 << "2 1 3 -3 1 1" << cramer << QStringList{"\n= 2·1 − 1·(-3) = 5\n"};
    QTest::newRow("cofactors of order 2")
        << 2 << "2 1 3 -3 1 1" << inverse
        << QStringList{"\nA11 = 1\nA12 = −(-3) = 3\nA21 = -1\nA22 = 2\n"};
    QTest::newRow("adjugate and inverse")
        << 3 << unique3 << inverse
        << QStringList{"\nA*:\n-4  -3   1\n 2   2  -1\n-5  -4   1\nA⁻¹ = A* / (-1):\n"
                       " 4   3  -1\n-2  -2   1\n 5   4  -1\n"};
    QTest::newRow("cofactors of order 3")
        << 3 << unique3 << inverse
        << QStringList{"\nA11 = (-1)·2 − 2·1 = -4\nA12 = −((-3)·2 − 2·(-2)) = 2\n"};
    QTest::newRow("rule of Sarrus")
        << 3 << unique3 << cramer
        << QStringList{"\n= 2·(-1)·2 + 1·2·(-2) + (-1)·(-3)·1 − (-1)·(-1)·(-2) − 2·2·1 − "
                       "1·(-3)·2 = -1\n"};
}

void TestStepsMethods::writtenOut() {
    QFETCH(int, order);
    QFETCH(QString, entry);
    QFETCH(int, method);
    QFETCH(QStringList, lines);
    // A negative order: the page in decimals.
    const StepsSolve solve = solveForSteps(std::abs(order), entry);
    const QString text =
        steps::methodPage(steps::Method(method), solve.record, solve.checked,
                          order < 0 ? steps::NumberForm::Decimals : steps::NumberForm::Fractions,
                          u',')
            .plainText();
    for (const QString& line : lines)
        QVERIFY2(text.contains(line), qPrintable(text));
}

void TestStepsMethods::numberForms_data() {
    QTest::addColumn<QString>("value"); // as GMP reads a rational
    QTest::addColumn<bool>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("fraction") << "-73/200" << false << "-73/200";
    QTest::newRow("fraction reduced") << "6/4" << false << "3/2";
    QTest::newRow("integer as fraction") << "-12" << false << "-12";
    QTest::newRow("integer as decimal")
        << "1000000000000000000000" << true << "1000000000000000000000";
    QTest::newRow("terminating") << "-73/200" << true << "-0,365";
    QTest::newRow("rounded") << "2/3" << true << "0,667";
    QTest::newRow("half away from zero") << "-19995/10000" << true << "-2,000";
    QTest::newRow("small") << "1/3000" << true << "3,33E-04";
    QTest::newRow("small negative") << "-1/3000" << true << "-3,33E-04";
    QTest::newRow("beyond the double range")
        << "1" + QString(400, u'0') + "1/2" << true << "5" + QString(400, u'0') + ",500";
}

void TestStepsMethods::numberForms() {
    QFETCH(QString, value);
    QFETCH(bool, decimals);
    QFETCH(QString, text);
    mpq_class q(value.toStdString());
    q.canonicalize();
    QCOMPARE(steps::numberText(
                 q, decimals ? steps::NumberForm::Decimals : steps::NumberForm::Fractions, u','),
             text);
}

void TestStepsMethods::radixTokens_data() {
    QTest::addColumn<QString>("token");
    QTest::addColumn<bool>("read");
    // 16^d − 1 has ⌈d·log10 16⌉ decimal digits: 1658 F give 1997, 1660 F 1999, 1661 F 2001.
    QTest::newRow("1658 F") << hexToken(1658) << true;
    QTest::newRow("1660 F") << hexToken(1660) << true;
    QTest::newRow("1661 F") << hexToken(1661) << false;
    QTest::newRow("leading zeros") << "&H" + QString(3000, u'0') + "1F" << true;
    QTest::newRow("octal 2213 digits") << "&O" + QString(2213, u'7') << true;
    QTest::newRow("octal 2215 digits") << "&O" + QString(2215, u'7') << false;
}

void TestStepsMethods::radixTokens() {
    QFETCH(QString, token);
    QFETCH(bool, read);
    QCOMPARE(exact::valueOfText(token).has_value(), read);
}

QTEST_GUILESS_MAIN(TestStepsMethods)
#include "test_steps_methods.moc"
