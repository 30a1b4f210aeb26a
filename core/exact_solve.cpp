#include "core/exact_solve.h"

#include "core/entry_text.h"
#include "support/numbers.h"

#include <cstdlib>
#include <limits>
#include <string>

namespace exact {
namespace {

std::optional<mpq_class> radixInteger(std::string digits, int base) {
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return mpq_class(0);
    digits.erase(0, first);
    // A hexadecimal digit is worth log10(16) < 1.21 decimal digits, an octal one less than 1.
    if (static_cast<double>(digits.size()) * (base == 16 ? 1.21 : 0.91) > digitLimit)
        return std::nullopt;
    return mpq_class(mpz_class(digits, base));
}

bool fits(const mpq_class& q) {
    return mpz_sizeinbase(q.get_num_mpz_t(), 10) <= digitLimit + 1 &&
           mpz_sizeinbase(q.get_den_mpz_t(), 10) <= digitLimit + 1;
}

mpz_class powerOfTen(long long exponent) {
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(exponent));
    return p;
}

// Reduces the rows (Gauss-Jordan) over the first pivotColumns columns, taking the first non-zero
// entry of a column as its pivot. The rank, or nothing when a number grew past digitLimit.
std::optional<int> reduce(std::vector<mpq_class>& m, int rows, int columns, int pivotColumns) {
    auto at = [&](int i, int j) -> mpq_class& {
        return m[static_cast<std::size_t>(i) * columns + j];
    };
    int r = 0;
    mpq_class f;
    for (int k = 0; k < pivotColumns && r < rows; ++k) {
        int p = r;
        while (p < rows && sgn(at(p, k)) == 0)
            ++p;
        if (p == rows)
            continue;
        if (p != r)
            for (int j = 0; j < columns; ++j)
                swap(at(p, j), at(r, j));
        const mpq_class inverse = 1 / at(r, k);
        for (int j = k; j < columns; ++j)
            at(r, j) *= inverse;
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
        ++r;
    }
    return r;
}

} // namespace

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
    if (size > static_cast<long long>(digitLimit) || -exp > static_cast<long long>(digitLimit))
        return std::nullopt;
    mpq_class value(mpz_class(digits, 10));
    if (exp > 0)
        value *= powerOfTen(exp);
    else if (exp < 0)
        value /= powerOfTen(-exp);
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

Answer solve(const System& system) {
    Answer answer;
    answer.source = system.source;
    if (system.tooLarge)
        return answer;
    const int n = system.n;
    std::vector<mpq_class> m = system.values;
    const std::optional<int> rank = reduce(m, n, n + 1, n);
    if (!rank)
        return answer;
    answer.rank = *rank;
    if (*rank < n) {
        // Rows rank .. n-1 have no coefficient left; any right-hand side left there contradicts.
        bool consistent = true;
        for (int i = *rank; i < n; ++i)
            consistent = consistent && sgn(m[static_cast<std::size_t>(i) * (n + 1) + n]) == 0;
        answer.kind = consistent ? Kind::Infinite : Kind::Inconsistent;
        return answer;
    }
    answer.kind = Kind::Unique;
    for (int i = 0; i < n; ++i)
        answer.x.push_back(m[static_cast<std::size_t>(i) * (n + 1) + n]);
    return answer;
}

double largestResidual(const Matrix& asSolved, int n, const std::vector<double>& x) {
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
    return largest.get_d();
}

std::optional<double> conditionNumber(const Matrix& asSolved, int n) {
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
    const std::optional<int> rank = reduce(m, n, columns, n);
    if (!rank)
        return std::nullopt;
    if (*rank < n)
        return std::numeric_limits<double>::infinity();
    mpq_class normInverse = 0;
    for (int i = 0; i < n; ++i) {
        mpq_class rowSum = 0;
        for (int j = n; j < columns; ++j)
            rowSum += abs(m[static_cast<std::size_t>(i) * columns + j]);
        if (rowSum > normInverse)
            normInverse = rowSum;
    }
    return mpq_class(normA * normInverse).get_d();
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
