#include "core/exact_solve.h"

#include "core/entry_text.h"
#include "support/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace exact {
namespace {

bool fits(const mpz_class& z) {
    // mpz_sizeinbase may count one digit too many; only then is the exact count needed.
    const std::size_t size = mpz_sizeinbase(z.get_mpz_t(), 10);
    if (size <= digitLimit)
        return true;
    if (size > digitLimit + 1)
        return false;
    static const mpz_class limit = [] {
        mpz_class p;
        mpz_ui_pow_ui(p.get_mpz_t(), 10, digitLimit);
        return p;
    }();
    return mpz_cmpabs(z.get_mpz_t(), limit.get_mpz_t()) < 0;
}

bool fits(const mpq_class& q) {
    return fits(q.get_num()) && fits(q.get_den());
}

std::optional<mpq_class> radixInteger(std::string digits, int base) {
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return mpq_class(0);
    digits.erase(0, first);
    // With d digits the value is at least base^(d-1): past the limit for certain once
    // (d-1)·log10(base) reaches digitLimit (log10 16 > 1.204, log10 8 > 0.903). Nearer the limit
    // the exact count decides.
    if (static_cast<double>(digits.size() - 1) * (base == 16 ? 1.204 : 0.903) >= digitLimit)
        return std::nullopt;
    mpq_class value(mpz_class(digits, base));
    if (!fits(value))
        return std::nullopt;
    return value;
}

mpz_class powerOfTen(long long exponent) {
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(exponent));
    return p;
}

// What a reduction found besides the reduced rows.
struct Reduction {
    int rank = 0;
    std::vector<int> pivotColumns;
    // The product of the pivots, with the sign of the exchanges; nothing once it passes
    // digitLimit digits (the reduction goes on: its other numbers may well stay short).
    std::optional<mpq_class> determinant = mpq_class(1);
};

// Reduces the rows (Gauss-Jordan) over the first pivotColumns columns, taking the first non-zero
// entry of a column as its pivot. Nothing when a number grew past digitLimit digits.
std::optional<Reduction> reduce(std::vector<mpq_class>& m, int rows, int columns,
                                int pivotColumns) {
    auto at = [&](int i, int j) -> mpq_class& {
        return m[static_cast<std::size_t>(i) * columns + j];
    };
    Reduction result;
    int& r = result.rank;
    mpq_class f;
    for (int k = 0; k < pivotColumns && r < rows; ++k) {
        int p = r;
        while (p < rows && sgn(at(p, k)) == 0)
            ++p;
        if (p == rows) {
            result.determinant = mpq_class(0);
            continue;
        }
        if (p != r) {
            for (int j = 0; j < columns; ++j)
                swap(at(p, j), at(r, j));
            if (result.determinant)
                *result.determinant = -*result.determinant;
        }
        if (result.determinant) {
            *result.determinant *= at(r, k);
            if (!fits(*result.determinant))
                result.determinant.reset();
        }
        const mpq_class inverse = 1 / at(r, k);
        for (int j = k; j < columns; ++j) {
            at(r, j) *= inverse;
            if (!fits(at(r, j)))
                return std::nullopt;
        }
        for (int i = 0; i < rows; ++i) {
            if (i == r || sgn(at(i, k)) == 0)
                continue;
            f = at(i, k);
            for (int j = k; j < columns; ++j) {
                if (sgn(at(r, j)) == 0)
                    continue;
                at(i, j) -= f * at(r, j);
                if (!fits(at(i, j)))
                    return std::nullopt;
            }
        }
        result.pivotColumns.push_back(k);
        ++r;
    }
    if (r < pivotColumns)
        result.determinant = mpq_class(0);
    return result;
}

mpq_class powerOfTenQ(long long exponent) {
    return exponent >= 0 ? mpq_class(powerOfTen(exponent))
                         : mpq_class(mpz_class(1), powerOfTen(-exponent));
}

} // namespace

bool withinDigitLimit(const mpq_class& value) {
    return fits(value);
}

std::optional<mpq_class> valueOfText(QStringView text) {
    const numbers::NumberParts parts = numbers::scanNumber(text);
    if (parts.radix != 10)
        return radixInteger(parts.digits, parts.radix);
    const std::string& fracDigits = parts.fraction;
    long long exp = parts.exponent;
    const bool negative = parts.negative;
    // The value is the digits as one integer times 10^(exp - number of decimals), with the
    // integer's leading zeros dropped and its trailing ones moved into the exponent.
    std::string digits = parts.digits + fracDigits;
    exp -= static_cast<long long>(fracDigits.size());
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return mpq_class(0);
    digits.erase(0, first);
    const auto last = digits.find_last_not_of('0');
    exp += static_cast<long long>(digits.size() - last - 1);
    digits.erase(last + 1);
    const long long size = static_cast<long long>(digits.size()) + (exp > 0 ? exp : 0);
    // A rough bound first, so that no huge power of ten is ever built; then the exact count, the
    // same as for every other number of the exact part.
    if (size > static_cast<long long>(digitLimit) + 1 ||
        -exp > static_cast<long long>(digitLimit) + 1)
        return std::nullopt;
    mpq_class value(mpz_class(digits, 10));
    if (exp > 0)
        value *= powerOfTen(exp);
    else if (exp < 0) {
        value /= powerOfTen(-exp);
        value.canonicalize();
    }
    if (!fits(value))
        return std::nullopt;
    return negative ? mpq_class(-value) : value;
}

System systemFor(const Matrix& asSolved, int n, QStringView entryText) {
    System system;
    system.n = n;
    const int columns = n + 1;
    const QList<QStringView> tokens = entry::tokens(entryText);
    bool matches = !tokens.isEmpty() && asSolved.rows() >= n && asSolved.columns() == columns;
    for (int k = 0; matches && k < n * columns; ++k)
        matches =
            numbers::valueOfText(tokens[k % tokens.size()]) == asSolved(k / columns, k % columns);
    system.values.reserve(static_cast<std::size_t>(n) * columns);
    if (matches) {
        system.source = Source::EntryText;
        for (int k = 0; k < n * columns; ++k) {
            std::optional<mpq_class> v = valueOfText(tokens[k % tokens.size()]);
            if (!v) {
                system.tooLarge = true;
                system.values.clear();
                return system;
            }
            system.values.push_back(std::move(*v));
        }
        return system;
    }
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < columns; ++j)
            system.values.emplace_back(asSolved(i, j));
    return system;
}

Elimination eliminate(const System& system) {
    Elimination e;
    e.n = system.n;
    if (system.tooLarge) {
        e.tooLarge = true;
        return e;
    }
    const int n = system.n;
    // [A | b | I]: the identity columns collect the row operations.
    const int columns = 2 * n + 1;
    std::vector<mpq_class> m(static_cast<std::size_t>(n) * columns);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j <= n; ++j)
            m[static_cast<std::size_t>(i) * columns + j] =
                system.values[static_cast<std::size_t>(i) * (n + 1) + j];
        m[static_cast<std::size_t>(i) * columns + n + 1 + i] = 1;
    }
    const std::optional<Reduction> reduction = reduce(m, n, columns, n);
    if (!reduction) {
        e.tooLarge = true;
        return e;
    }
    e.rank = reduction->rank;
    e.pivotColumns = reduction->pivotColumns;
    e.determinant = reduction->determinant;
    e.reduced.reserve(static_cast<std::size_t>(n) * (n + 1));
    e.multiplier.reserve(static_cast<std::size_t>(n) * n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < columns; ++j)
            (j <= n ? e.reduced : e.multiplier)
                .push_back(std::move(m[static_cast<std::size_t>(i) * columns + j]));
    return e;
}

GeneralSolution generalSolution(const Elimination& e) {
    GeneralSolution g;
    const int n = e.n;
    if (e.tooLarge)
        return g;
    std::vector<bool> pivot(static_cast<std::size_t>(n), false);
    for (const int c : e.pivotColumns)
        pivot[static_cast<std::size_t>(c)] = true;
    for (int j = 0; j < n; ++j)
        if (!pivot[static_cast<std::size_t>(j)])
            g.free.push_back(j);
    g.particular.assign(static_cast<std::size_t>(n), mpq_class(0));
    for (int r = 0; r < e.rank; ++r)
        g.particular[static_cast<std::size_t>(e.pivotColumns[r])] = e.at(r, n);
    for (const int f : g.free) {
        std::vector<mpq_class> v(static_cast<std::size_t>(n), mpq_class(0));
        v[static_cast<std::size_t>(f)] = 1;
        for (int r = 0; r < e.rank; ++r)
            v[static_cast<std::size_t>(e.pivotColumns[r])] = -e.at(r, f);
        g.basis.push_back(std::move(v));
    }
    return g;
}

std::optional<Contradiction> contradiction(const Elimination& e) {
    if (e.tooLarge)
        return std::nullopt;
    const int n = e.n;
    for (int i = e.rank; i < n; ++i) {
        if (sgn(e.at(i, n)) == 0)
            continue;
        Contradiction c;
        c.constant = e.at(i, n);
        c.multipliers.assign(e.multiplier.begin() + static_cast<std::ptrdiff_t>(i) * n,
                             e.multiplier.begin() + static_cast<std::ptrdiff_t>(i + 1) * n);
        return c;
    }
    return std::nullopt;
}

mpq_class largestResidualExact(const Matrix& asSolved, int n, const std::vector<double>& x) {
    mpq_class largest = 0;
    mpq_class r;
    for (int i = 0; i < n; ++i) {
        r = asSolved(i, n);
        for (int j = 0; j < n; ++j)
            r -= mpq_class(asSolved(i, j)) * mpq_class(x[j]);
        r = abs(r);
        if (r > largest)
            largest = r;
    }
    return largest;
}

namespace {

// ||A||∞ ||A⁻¹||∞ in doubles, the inverse from an elimination with partial pivoting.
double conditionEstimate(const Matrix& a, int n) {
    const int columns = 2 * n;
    std::vector<double> m(static_cast<std::size_t>(n) * columns, 0.0);
    auto at = [&](int i, int j) -> double& { return m[static_cast<std::size_t>(i) * columns + j]; };
    double normA = 0;
    for (int i = 0; i < n; ++i) {
        double rowSum = 0;
        for (int j = 0; j < n; ++j)
            rowSum += std::fabs(at(i, j) = a(i, j));
        at(i, n + i) = 1;
        normA = std::max(normA, rowSum);
    }
    for (int k = 0; k < n; ++k) {
        int p = k;
        for (int i = k + 1; i < n; ++i)
            if (std::fabs(at(i, k)) > std::fabs(at(p, k)))
                p = i;
        if (at(p, k) == 0)
            return std::numeric_limits<double>::infinity();
        for (int j = 0; j < columns; ++j)
            std::swap(at(k, j), at(p, j));
        const double pivot = at(k, k);
        for (int j = 0; j < columns; ++j)
            at(k, j) /= pivot;
        for (int i = 0; i < n; ++i) {
            if (i == k || at(i, k) == 0)
                continue;
            const double f = at(i, k);
            for (int j = 0; j < columns; ++j)
                at(i, j) -= f * at(k, j);
        }
    }
    double normInverse = 0;
    for (int i = 0; i < n; ++i) {
        double rowSum = 0;
        for (int j = n; j < columns; ++j)
            rowSum += std::fabs(at(i, j));
        normInverse = std::max(normInverse, rowSum);
    }
    const double estimate = normA * normInverse;
    return std::isfinite(estimate) ? estimate : std::numeric_limits<double>::infinity();
}

} // namespace

Condition conditionExact(const Matrix& asSolved, int n) {
    Condition c;
    const int columns = 2 * n;
    std::vector<mpq_class> m(static_cast<std::size_t>(n) * columns);
    mpq_class normA = 0;
    for (int i = 0; i < n; ++i) {
        mpq_class rowSum = 0;
        for (int j = 0; j < n; ++j) {
            m[static_cast<std::size_t>(i) * columns + j] = asSolved(i, j);
            rowSum += abs(m[static_cast<std::size_t>(i) * columns + j]);
        }
        m[static_cast<std::size_t>(i) * columns + n + i] = 1;
        if (rowSum > normA)
            normA = rowSum;
    }
    const std::optional<Reduction> reduction = reduce(m, n, columns, n);
    if (!reduction) {
        c.estimate = conditionEstimate(asSolved, n);
        return c;
    }
    if (reduction->rank < n) {
        c.state = Condition::State::Singular;
        return c;
    }
    mpq_class normInverse = 0;
    for (int i = 0; i < n; ++i) {
        mpq_class rowSum = 0;
        for (int j = n; j < columns; ++j)
            rowSum += abs(m[static_cast<std::size_t>(i) * columns + j]);
        if (rowSum > normInverse)
            normInverse = rowSum;
    }
    c.state = Condition::State::Exact;
    c.value = normA * normInverse;
    return c;
}

QString exponentText(const mpq_class& value, QChar decimalSeparator, int decimals) {
    if (sgn(value) == 0)
        return QStringLiteral("0");
    const mpq_class a = abs(value);
    // The decimal exponent e with 10^e <= a < 10^(e+1), from the digit counts, then corrected.
    long long e = static_cast<long long>(mpz_sizeinbase(a.get_num_mpz_t(), 10)) -
                  static_cast<long long>(mpz_sizeinbase(a.get_den_mpz_t(), 10));
    while (a >= powerOfTenQ(e + 1))
        ++e;
    while (a < powerOfTenQ(e))
        --e;
    const mpq_class scaled = a * powerOfTenQ(decimals - e) + mpq_class(1, 2);
    mpz_class digits;
    mpz_fdiv_q(digits.get_mpz_t(), scaled.get_num_mpz_t(), scaled.get_den_mpz_t());
    if (digits >= powerOfTen(decimals + 1)) { // 9.995 rounded up to 10.00
        digits /= 10;
        ++e;
    }
    const std::string d = digits.get_str();
    QString text = sgn(value) < 0 ? QStringLiteral("-") : QString();
    text += QChar::fromLatin1(d[0]);
    if (decimals > 0)
        text += decimalSeparator + QString::fromLatin1(d.data() + 1, decimals);
    const long long shown = e < 0 ? -e : e;
    text += (e < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) +
            QStringLiteral("%1").arg(shown, 2, 10, QChar(u'0'));
    return text;
}

QString terminatingDecimal(const mpq_class& value, QChar decimalSeparator, int maxDecimals) {
    mpz_class den = value.get_den();
    int twos = 0, fives = 0;
    while (mpz_divisible_ui_p(den.get_mpz_t(), 2)) {
        den /= 2;
        ++twos;
    }
    while (mpz_divisible_ui_p(den.get_mpz_t(), 5)) {
        den /= 5;
        ++fives;
    }
    const int decimals = std::max(twos, fives);
    if (den != 1 || decimals > maxDecimals)
        return {};
    const mpz_class scaled = abs(value.get_num()) * powerOfTen(decimals) / value.get_den();
    std::string digits = scaled.get_str();
    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, static_cast<std::size_t>(decimals + 1) - digits.size(), '0');
    QString text = sgn(value) < 0 ? QStringLiteral("-") : QString();
    text += QString::fromStdString(digits.substr(0, digits.size() - decimals));
    if (decimals > 0)
        text += decimalSeparator + QString::fromStdString(digits.substr(digits.size() - decimals));
    return text;
}

QString fractionText(const mpq_class& value) {
    const QString whole = QString::fromStdString(value.get_str());
    if (value.get_den() == 1 || mpz_cmpabs(value.get_num_mpz_t(), value.get_den_mpz_t()) < 0)
        return whole;
    mpz_class quotient, remainder;
    mpz_tdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), value.get_num_mpz_t(),
                value.get_den_mpz_t());
    remainder = abs(remainder);
    return whole + QStringLiteral(" = ") + QString::fromStdString(quotient.get_str()) + u' ' +
           QString::fromStdString(remainder.get_str()) + u'/' +
           QString::fromStdString(value.get_den().get_str());
}

} // namespace exact
