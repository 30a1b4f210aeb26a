#include "core/solve_check.h"

#include "core/exact_solve.h"
#include "core/solve_record.h"

#include <cmath>
#include <variant>

namespace solver {
namespace {

// The rows of the exact system as integers: each row times the common multiple of its
// denominators, which changes neither its solutions nor the rank.
std::vector<mpz_class> integerRows(const exact::System& system) {
    const int columns = system.n + 1;
    std::vector<mpz_class> rows(system.values.size());
    for (int i = 0; i < system.n; ++i) {
        mpz_class common = 1;
        for (int j = 0; j < columns; ++j)
            mpz_lcm(common.get_mpz_t(), common.get_mpz_t(),
                    system.values[i * columns + j].get_den_mpz_t());
        for (int j = 0; j < columns; ++j) {
            const mpq_class& v = system.values[i * columns + j];
            rows[i * columns + j] = v.get_num() * (common / v.get_den());
        }
    }
    return rows;
}

// Whether the exact system has exactly one solution, by fraction-free (Bareiss) elimination:
// every division is exact, so the integers stay as small as the minors of the matrix.
bool exactlyUnique(const exact::System& system) {
    const int n = system.n;
    const int columns = n + 1;
    std::vector<mpz_class> m = integerRows(system);
    auto at = [&](int i, int j) -> mpz_class& { return m[i * columns + j]; };
    mpz_class previous = 1;
    for (int k = 0; k < n; ++k) {
        int p = k;
        while (p < n && sgn(at(p, k)) == 0)
            ++p;
        if (p == n)
            return false; // a column without a pivot: the rank is below n
        if (p != k)
            for (int j = k; j < columns; ++j)
                swap(at(p, j), at(k, j));
        for (int i = k + 1; i < n; ++i) {
            for (int j = k + 1; j < columns; ++j) {
                at(i, j) = at(k, k) * at(i, j) - at(i, k) * at(k, j);
                mpz_divexact(at(i, j).get_mpz_t(), at(i, j).get_mpz_t(), previous.get_mpz_t());
            }
            at(i, k) = 0;
        }
        previous = at(k, k);
    }
    return true;
}

// The exact analysis of the system as written; rank below the order: its solutions or the
// contradiction.
Analysis analyse(const SolveRecord& record, QStringView entryText) {
    Analysis a;
    a.computed = true;
    a.system = exact::systemFor(record.initial, record.order, entryText);
    a.elimination = exact::eliminate(a.system);
    const exact::Elimination& e = a.elimination;
    if (!e.tooLarge && e.rank < e.n) {
        a.contradiction = exact::contradiction(e);
        if (!a.contradiction)
            a.general = exact::generalSolution(e);
    }
    return a;
}

// Whether the system as written has exactly one solution; nothing when that is not known.
std::optional<bool> uniqueAsWritten(const Analysis& a) {
    if (a.system.tooLarge)
        return std::nullopt;
    if (!a.elimination.tooLarge)
        return a.elimination.rank == a.elimination.n;
    // The reduced form grew too long, but the rank alone can still be had without fractions.
    return exactlyUnique(a.system);
}

} // namespace

bool illConditioned(const exact::Condition& condition) {
    // 1e-8 / u = 2^53 / 10^8, exactly.
    static const mpq_class bound(mpz_class(1) << 53, mpz_class(100'000'000));
    switch (condition.state) {
    case exact::Condition::State::Exact:
        return condition.value > bound;
    case exact::Condition::State::Singular:
        return true;
    case exact::Condition::State::TooLarge:
        break;
    }
    return !std::isfinite(condition.estimate) || mpq_class(condition.estimate) > bound;
}

CheckedSolve solveChecked(SystemStore& store, SolveRecord& record, QStringView entryText) {
    CheckedSolve result;
    result.outcome = solveSystem(store, record);
    if (result.outcome == Outcome::NoSystem || record.stop == StopReason::InputNotFinite)
        return result;
    Analysis& a = result.analysis = analyse(record, entryText);
    if (result.outcome != Outcome::Unique)
        return result;
    // The doubles' answer is checked against the system as solved even when it is about to be
    // dropped: the steps window shows how far off it was.
    std::vector<double> x;
    for (const AnswerValue& value : store.answers)
        x.push_back(std::get<double>(value));
    a.answerChecked = true;
    a.residual = exact::largestResidualExact(record.initial, record.order, x);
    a.condition = exact::conditionExact(record.initial, record.order);
    if (uniqueAsWritten(a) == false) {
        store.answers.assign(1, AnswerValue{noUniqueText});
        result.outcome = Outcome::NoUnique;
        result.exactlySingular = true;
        return result;
    }
    result.illConditioned = illConditioned(a.condition);
    return result;
}

} // namespace solver
