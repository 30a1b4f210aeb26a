#include "core/exact_methods.h"

#include <algorithm>
#include <span>
#include <utility>

namespace exact {
namespace {

void exchangeRows(Table& m, int a, int b) {
    for (int j = 0; j < m.columns; ++j)
        swap(m.at(a, j), m.at(b, j));
}

// row i − f · row r over the columns from k; false when a number passed the limit.
bool subtractRow(Table& m, int i, int r, const mpq_class& f, int k) {
    for (int j = k; j < m.columns; ++j) {
        if (sgn(m.at(r, j)) == 0)
            continue;
        m.at(i, j) -= f * m.at(r, j);
        if (!withinDigitLimit(m.at(i, j)))
            return false;
    }
    return true;
}

// One step of the chosen reduction with the pivot at (r, k); false past the limit.
bool eliminateColumn(Table& m, Step& step, Reduce how, int r, int k, mpq_class& previous,
                     bool& exact) {
    const int first = how == Reduce::Reduced ? 0 : r + 1;
    if (how == Reduce::Reduced && m.at(r, k) != 1) {
        const mpq_class pivot = m.at(r, k);
        step.operations.push_back({RowOperation::Kind::Divide, r, -1, pivot, {}, 1});
        for (int j = k; j < m.columns; ++j) {
            m.at(r, j) /= pivot;
            if (!withinDigitLimit(m.at(r, j)))
                return false;
        }
    }
    const mpq_class pivot = m.at(r, k);
    for (int i = first; i < m.rows; ++i) {
        if (i == r)
            continue;
        const mpq_class a = m.at(i, k);
        if (how == Reduce::Bareiss) {
            if (sgn(a) == 0 && pivot == previous)
                continue; // the row stays as it is
            step.operations.push_back({RowOperation::Kind::Bareiss, i, r, a, pivot, previous});
            for (int j = k + 1; j < m.columns; ++j) {
                mpq_class& v = m.at(i, j);
                v = (pivot * v - a * m.at(r, j)) / previous;
                exact = exact && v.get_den() == 1;
                if (!withinDigitLimit(v))
                    return false;
            }
            m.at(i, k) = 0;
            continue;
        }
        if (sgn(a) == 0)
            continue;
        const mpq_class f = a / pivot;
        step.operations.push_back({RowOperation::Kind::Subtract, i, r, f, {}, 1});
        if (!subtractRow(m, i, r, f, k))
            return false;
    }
    previous = pivot;
    return true;
}

// x of the echelon form by back substitution: the particular solution (free unknowns 0), or
// with freeOne ≥ 0 the solution of A·v = 0 with v[freeOne] = 1 and the other free unknowns 0.
std::optional<std::vector<mpq_class>> backSubstitute(const Table& m, const std::vector<int>& pivots,
                                                     int n, int freeOne) {
    std::vector<mpq_class> x(static_cast<std::size_t>(n), mpq_class(0));
    if (freeOne >= 0)
        x[static_cast<std::size_t>(freeOne)] = 1;
    for (int r = static_cast<int>(pivots.size()) - 1; r >= 0; --r) {
        const int c = pivots[static_cast<std::size_t>(r)];
        mpq_class s = freeOne < 0 ? m.at(r, n) : mpq_class(0);
        for (int j = c + 1; j < n; ++j)
            if (sgn(m.at(r, j)) != 0)
                s -= m.at(r, j) * x[static_cast<std::size_t>(j)];
        x[static_cast<std::size_t>(c)] = s / m.at(r, c);
        if (!withinDigitLimit(x[static_cast<std::size_t>(c)]))
            return std::nullopt;
    }
    return x;
}

// The determinant by exact elimination; nothing past the limit.
std::optional<mpq_class> determinantOf(Table a) {
    const int n = a.rows;
    const Reduction r = reduce(std::move(a), n, Reduce::Echelon);
    if (r.tooLargeAt != 0)
        return std::nullopt;
    if (r.rank < n)
        return mpq_class(0);
    mpq_class d = r.exchanges % 2 == 0 ? 1 : -1;
    for (int i = 0; i < n; ++i) {
        d *= r.form().at(i, i);
        if (!withinDigitLimit(d))
            return std::nullopt;
    }
    return d;
}

Table emptyTable(int rows, int columns) {
    return {rows, columns, std::vector<mpq_class>(static_cast<std::size_t>(rows) * columns)};
}

} // namespace

Table augmented(const System& system) {
    return {system.n, system.n + 1, system.values};
}

Table coefficients(const System& system) {
    const int n = system.n;
    Table a = emptyTable(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            a.at(i, j) = system.values[static_cast<std::size_t>(i) * (n + 1) + j];
    return a;
}

Table withIdentity(const System& system) {
    const int n = system.n;
    Table m = emptyTable(n, 2 * n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            m.at(i, j) = system.values[static_cast<std::size_t>(i) * (n + 1) + j];
        m.at(i, n + i) = 1;
    }
    return m;
}

Reduction reduce(Table start, int pivotColumns, Reduce how) {
    Reduction result;
    result.start = start;
    Table m = std::move(start);
    mpq_class previous = 1;
    int r = 0;
    for (int k = 0; k < pivotColumns && r < m.rows; ++k) {
        Step step;
        step.column = k;
        int p = r;
        while (p < m.rows && sgn(m.at(p, k)) == 0)
            ++p;
        if (p < m.rows) {
            if (p != r) {
                exchangeRows(m, p, r);
                step.exchangedWith = p;
                ++result.exchanges;
            }
            step.pivotRow = r;
            step.pivot = m.at(r, k);
            if (!eliminateColumn(m, step, how, r, k, previous, result.divisionsExact)) {
                result.tooLargeAt = static_cast<int>(result.steps.size()) + 1;
                result.rank = r;
                return result;
            }
            result.pivotColumns.push_back(k);
            ++r;
        }
        step.after = m;
        result.steps.push_back(std::move(step));
    }
    result.rank = r;
    return result;
}

Answer answerOf(const Reduction& echelon, int n) {
    Answer answer;
    const Table& m = echelon.form();
    answer.rank = echelon.rank;
    answer.augmentedRank = echelon.rank;
    for (int i = echelon.rank; i < m.rows; ++i)
        if (sgn(m.at(i, n)) != 0)
            answer.augmentedRank = echelon.rank + 1;
    if (answer.augmentedRank > answer.rank)
        return answer;
    auto particular = backSubstitute(m, echelon.pivotColumns, n, -1);
    if (!particular) {
        answer.tooLarge = true;
        return answer;
    }
    if (answer.rank == n) {
        answer.kind = Answer::Kind::Unique;
        answer.x = std::move(*particular);
        return answer;
    }
    answer.kind = Answer::Kind::Infinite;
    answer.general.particular = std::move(*particular);
    std::vector<bool> pivot(static_cast<std::size_t>(n), false);
    for (const int c : echelon.pivotColumns)
        pivot[static_cast<std::size_t>(c)] = true;
    for (int j = 0; j < n; ++j) {
        if (pivot[static_cast<std::size_t>(j)])
            continue;
        auto v = backSubstitute(m, echelon.pivotColumns, n, j);
        if (!v) {
            answer.tooLarge = true;
            return answer;
        }
        answer.general.free.push_back(j);
        answer.general.basis.push_back(std::move(*v));
    }
    return answer;
}

namespace {

EliminationMethod eliminationMethod(const System& system, Reduce how) {
    EliminationMethod method;
    method.reduction = reduce(augmented(system), system.n, how);
    if (method.reduction.tooLargeAt == 0)
        method.answer = answerOf(method.reduction, system.n);
    return method;
}

} // namespace

EliminationMethod gauss(const System& system) {
    return eliminationMethod(system, Reduce::Echelon);
}

EliminationMethod gaussJordan(const System& system) {
    return eliminationMethod(system, Reduce::Reduced);
}

EliminationMethod ranks(const System& system) {
    return eliminationMethod(system, Reduce::Echelon);
}

CramerMethod cramer(const System& system) {
    CramerMethod method;
    const int n = system.n;
    method.a = coefficients(system);
    method.delta = determinantOf(method.a);
    if (!method.delta) {
        method.tooLargeAt = 1;
        return method;
    }
    if (sgn(*method.delta) == 0) {
        method.ranks = ranks(system);
        return method;
    }
    for (int i = 0; i < n; ++i) {
        Table ai = method.a;
        for (int r = 0; r < n; ++r)
            ai.at(r, i) = system.values[static_cast<std::size_t>(r) * (n + 1) + n];
        const std::optional<mpq_class> d = determinantOf(std::move(ai));
        if (!d) {
            method.tooLargeAt = i + 2;
            return method;
        }
        method.deltas.push_back(*d);
        method.x.push_back(*d / *method.delta);
    }
    return method;
}

std::optional<Expansion> expansion(const Table& a) {
    // The columns of each product, row by row, and whether it is taken with a minus.
    struct Rule {
        int columns[3];
        bool negative;
    };
    static constexpr Rule second[] = {{{0, 1, 0}, false}, {{1, 0, 0}, true}};
    static constexpr Rule third[] = {{{0, 1, 2}, false}, {{1, 2, 0}, false}, {{2, 0, 1}, false},
                                     {{2, 1, 0}, true},  {{0, 2, 1}, true},  {{1, 0, 2}, true}};
    const int n = a.rows;
    if (a.columns != n || (n != 2 && n != 3))
        return std::nullopt;
    Expansion e;
    for (const Rule& rule : n == 2 ? std::span<const Rule>(second) : std::span<const Rule>(third)) {
        Expansion::Product p{rule.negative, {}};
        mpq_class product = 1;
        for (int i = 0; i < n; ++i) {
            p.factors.push_back(a.at(i, rule.columns[i]));
            product *= p.factors.back();
        }
        e.value += rule.negative ? mpq_class(-product) : product;
        e.products.push_back(std::move(p));
    }
    return e;
}

Table minor(const Table& a, int row, int column) {
    Table m = emptyTable(a.rows - 1, a.columns - 1);
    for (int i = 0, r = 0; i < a.rows; ++i) {
        if (i == row)
            continue;
        for (int j = 0, c = 0; j < a.columns; ++j)
            if (j != column)
                m.at(r, c++) = a.at(i, j);
        ++r;
    }
    return m;
}

namespace {

// x = A⁻¹·b.
std::vector<mpq_class> timesRight(const Table& inverse, const System& system) {
    const int n = system.n;
    std::vector<mpq_class> x;
    for (int i = 0; i < n; ++i) {
        mpq_class s = 0;
        for (int j = 0; j < n; ++j)
            s += inverse.at(i, j) * system.values[static_cast<std::size_t>(j) * (n + 1) + n];
        x.push_back(std::move(s));
    }
    return x;
}

bool allFit(const Table& t) {
    return std::all_of(t.values.begin(), t.values.end(), withinDigitLimit);
}

void inverseByCofactors(InverseMethod& method, const System& system) {
    const int n = system.n;
    const Table a = coefficients(system);
    method.byCofactors = true;
    method.delta = expansion(a)->value;
    if (!withinDigitLimit(method.delta)) {
        method.reduction.tooLargeAt = 1;
        return;
    }
    if (sgn(method.delta) == 0) {
        method.singularAt = 1;
        method.ranks = ranks(system);
        return;
    }
    method.cofactors = emptyTable(n, n);
    method.adjugate = emptyTable(n, n);
    method.inverse = emptyTable(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const Table m = minor(a, i, j);
            mpq_class c = n == 2 ? m.at(0, 0) : expansion(m)->value;
            if ((i + j) % 2 != 0)
                c = -c;
            method.cofactors.at(i, j) = c;
            method.adjugate.at(j, i) = c;
            method.inverse.at(j, i) = c / method.delta;
        }
    if (!allFit(method.inverse) || !allFit(method.cofactors)) {
        method.reduction.tooLargeAt = 1;
        return;
    }
    method.x = timesRight(method.inverse, system);
}

} // namespace

InverseMethod inverse(const System& system) {
    InverseMethod method;
    const int n = system.n;
    if (n <= 3) {
        inverseByCofactors(method, system);
        return method;
    }
    method.reduction = reduce(withIdentity(system), n, Reduce::Reduced);
    if (method.reduction.tooLargeAt != 0)
        return method;
    for (std::size_t s = 0; s < method.reduction.steps.size() && method.singularAt == 0; ++s)
        if (method.reduction.steps[s].pivotRow < 0)
            method.singularAt = static_cast<int>(s) + 1;
    if (method.reduction.rank < n) {
        method.ranks = ranks(system);
        return method;
    }
    method.inverse = emptyTable(n, n);
    const Table& m = method.reduction.form();
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            method.inverse.at(i, j) = m.at(i, n + j);
    method.x = timesRight(method.inverse, system);
    return method;
}

BareissMethod bareiss(const System& system) {
    BareissMethod method;
    const int n = system.n;
    method.scaled = augmented(system);
    for (int i = 0; i < n; ++i) {
        mpz_class scale = 1;
        for (int j = 0; j <= n; ++j)
            mpz_lcm(scale.get_mpz_t(), scale.get_mpz_t(), method.scaled.at(i, j).get_den_mpz_t());
        for (int j = 0; j <= n; ++j)
            method.scaled.at(i, j) *= scale;
        method.scales.push_back(std::move(scale));
    }
    method.reduction = reduce(method.scaled, n, Reduce::Bareiss);
    if (method.reduction.tooLargeAt != 0)
        return method;
    mpq_class product = 1;
    for (const mpz_class& s : method.scales)
        product *= s;
    if (method.reduction.rank == n) {
        const mpq_class last = method.reduction.form().at(n - 1, n - 1);
        method.scaledDeterminant = method.reduction.exchanges % 2 == 0 ? last : mpq_class(-last);
        method.determinant = *method.scaledDeterminant / product;
    } else {
        method.scaledDeterminant = 0;
        method.determinant = 0;
    }
    method.answer = answerOf(method.reduction, n);
    return method;
}

bool solves(const System& system, const std::vector<mpq_class>& x, bool withRight) {
    const int n = system.n;
    if (static_cast<int>(x.size()) != n)
        return false;
    mpq_class sum;
    for (int i = 0; i < n; ++i) {
        sum = withRight ? mpq_class(-system.values[static_cast<std::size_t>(i) * (n + 1) + n])
                        : mpq_class(0);
        for (int j = 0; j < n; ++j)
            sum += system.values[static_cast<std::size_t>(i) * (n + 1) + j] *
                   x[static_cast<std::size_t>(j)];
        if (sgn(sum) != 0)
            return false;
    }
    return true;
}

namespace {

bool generalHolds(const System& system, const GeneralSolution& g, int rank) {
    const std::size_t count = static_cast<std::size_t>(system.n - rank);
    if (g.free.size() != count || g.basis.size() != count || !solves(system, g.particular))
        return false;
    for (std::size_t k = 0; k < count; ++k) {
        if (!solves(system, g.basis[k], false))
            return false;
        // v_k is 1 at its own free unknown and 0 at the others: the v's are independent.
        for (std::size_t l = 0; l < count; ++l)
            if (g.basis[k][static_cast<std::size_t>(g.free[l])] != (k == l ? 1 : 0))
                return false;
    }
    return true;
}

} // namespace

bool answerHolds(const Answer& answer, const solver::Analysis& analysis) {
    const System& system = analysis.system;
    const Elimination& e = analysis.elimination;
    const int n = system.n;
    if (answer.tooLarge)
        return false;
    const bool known = !e.tooLarge;
    const bool contradicts = analysis.contradiction.has_value();
    switch (answer.kind) {
    case Answer::Kind::Unique:
        return answer.rank == n && answer.augmentedRank == n && (!known || e.rank == n) &&
               solves(system, answer.x);
    case Answer::Kind::Infinite:
        return answer.rank == answer.augmentedRank && answer.rank < n &&
               (!known || (e.rank == answer.rank && !contradicts)) &&
               generalHolds(system, answer.general, answer.rank);
    case Answer::Kind::None:
        return answer.augmentedRank == answer.rank + 1 && answer.rank < n &&
               (!known || (e.rank == answer.rank && contradicts));
    }
    return false;
}

bool isInverse(const Table& a, const Table& inverse) {
    const int n = a.rows;
    if (a.columns != n || inverse.rows != n || inverse.columns != n)
        return false;
    mpq_class s;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            s = 0;
            for (int k = 0; k < n; ++k)
                s += a.at(i, k) * inverse.at(k, j);
            if (s != (i == j ? 1 : 0))
                return false;
        }
    return true;
}

} // namespace exact
