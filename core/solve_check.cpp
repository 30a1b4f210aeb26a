#include "core/solve_check.h"

#include "core/exact_solve.h"
#include "core/solve_record.h"
#include "core/steps_text.h"

#include <cmath>
#include <limits>
#include <utility>

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

// κ∞ = ||A||∞ · ||A⁻¹||∞ of the coefficients as solved, the inverse from an LU factorisation in
// doubles. Near the warning bound (κ∞ about 10^8) its relative error is about κ∞·u, far too
// small to move the verdict; infinity when a pivot is zero.
double conditionInDoubles(const Matrix& a, int n) {
    std::vector<double> lu(static_cast<std::size_t>(n) * n);
    std::vector<int> order(static_cast<std::size_t>(n));
    double normA = 0;
    for (int i = 0; i < n; ++i) {
        double rowSum = 0;
        for (int j = 0; j < n; ++j) {
            lu[i * n + j] = a(i, j);
            rowSum += std::fabs(a(i, j));
        }
        normA = std::max(normA, rowSum);
        order[i] = i;
    }
    for (int k = 0; k < n; ++k) {
        int p = k;
        for (int i = k + 1; i < n; ++i)
            if (std::fabs(lu[i * n + k]) > std::fabs(lu[p * n + k]))
                p = i;
        if (lu[p * n + k] == 0)
            return std::numeric_limits<double>::infinity();
        if (p != k) {
            for (int j = 0; j < n; ++j)
                std::swap(lu[k * n + j], lu[p * n + j]);
            std::swap(order[k], order[p]);
        }
        for (int i = k + 1; i < n; ++i) {
            const double f = lu[i * n + k] /= lu[k * n + k];
            for (int j = k + 1; j < n; ++j)
                lu[i * n + j] -= f * lu[k * n + j];
        }
    }
    // Column c of the inverse solves A·x = e(c); the row sums of |A⁻¹| build up column by column.
    std::vector<double> rowSums(static_cast<std::size_t>(n)), x(static_cast<std::size_t>(n));
    for (int c = 0; c < n; ++c) {
        for (int i = 0; i < n; ++i) {
            double s = order[i] == c ? 1.0 : 0.0;
            for (int j = 0; j < i; ++j)
                s -= lu[i * n + j] * x[j];
            x[i] = s;
        }
        for (int i = n - 1; i >= 0; --i) {
            double s = x[i];
            for (int j = i + 1; j < n; ++j)
                s -= lu[i * n + j] * x[j];
            x[i] = s / lu[i * n + i];
        }
        for (int i = 0; i < n; ++i)
            rowSums[i] += std::fabs(x[i]);
    }
    double normInverse = 0;
    for (const double s : rowSums)
        normInverse = std::max(normInverse, s);
    const double condition = normA * normInverse;
    return std::isfinite(condition) ? condition : std::numeric_limits<double>::infinity();
}

} // namespace

CheckedSolve solveChecked(SystemStore& store, SolveRecord& record, QStringView entryText) {
    CheckedSolve result;
    result.outcome = solveSystem(store, record);
    if (result.outcome != Outcome::Unique)
        return result;
    const exact::System system = exact::systemFor(record.initial, record.order, entryText);
    if (!system.tooLarge && !exactlyUnique(system)) {
        store.answers.assign(1, AnswerValue{noUniqueText});
        result.outcome = Outcome::NoUnique;
        result.exactlySingular = true;
        return result;
    }
    result.illConditioned = steps::illConditioned(conditionInDoubles(record.initial, record.order));
    return result;
}

} // namespace solver
