// Exact answers: the system taken as the rational numbers its entry text is written with, reduced
// by exact elimination with GMP's rationals, and the exact check of the floating-point answer
// (largest residual and condition number of the matrix as solved).
#pragma once

#include "core/system_store.h"

#include <QString>
#include <QStringView>
#include <gmpxx.h>
#include <optional>
#include <vector>

namespace exact {

// No number of the exact part may have a numerator or denominator of more decimal digits.
constexpr std::size_t digitLimit = 2000;

// Whether a value's numerator and denominator both have at most digitLimit decimal digits.
bool withinDigitLimit(const mpq_class& value);

// Reads a text by the value-of-text rule, but exactly: 0.1 is 1/10, &HFF is 255, and a value
// beyond the double range is taken as written (1E400 is 10^400). Nothing when the value would
// have more than digitLimit digits.
std::optional<mpq_class> valueOfText(QStringView text);

// Where the exact system came from.
enum class Source {
    EntryText,    // the editor's tokens, read as the refill reads them, gave the matrix as solved
    BinaryValues, // the matrix as solved does not come from the entry text: its doubles, exactly
};

// The exact system for the matrix as solved (rows 0 .. n-1, columns 0 .. n): the tokens of the
// entry text read cyclically row by row when every one reads as the double the matrix holds,
// otherwise the exact values of the doubles themselves.
struct System {
    int n = 0;
    Source source = Source::BinaryValues;
    bool tooLarge = false;
    std::vector<mpq_class> values; // n rows of n + 1
};
System systemFor(const Matrix& asSolved, int n, QStringView entryText);

// "p/q" (or "p" for an integer), and " = m r/q" when the value is greater than 1 in magnitude.
QString fractionText(const mpq_class& value);

// The exact Gauss-Jordan reduction of the augmented system, with the record of what it did:
// row i of the reduced form is the sum over k of multiplier(i, k) times row k as written.
struct Elimination {
    int n = 0;
    bool tooLarge = false;             // a number passed digitLimit digits: nothing else is set
    int rank = 0;                      // of the coefficient matrix
    std::vector<mpq_class> reduced;    // n rows of n + 1, the reduced row echelon form
    std::vector<mpq_class> multiplier; // n rows of n
    std::vector<int> pivotColumns;     // the column of the leading 1 of rows 0 .. rank-1
    // The determinant of the coefficient matrix, zero when rank < n; nothing when it passes
    // digitLimit digits.
    std::optional<mpq_class> determinant;
    const mpq_class& at(int i, int j) const {
        return reduced[static_cast<std::size_t>(i) * (n + 1) + j];
    }
};
Elimination eliminate(const System& system);

// Every solution of a consistent system: x = particular + sum of t_k * basis[k], where the free
// unknowns are the columns without a pivot and basis[k] has a 1 at free[k].
struct GeneralSolution {
    std::vector<int> free;
    std::vector<mpq_class> particular;
    std::vector<std::vector<mpq_class>> basis;
};
GeneralSolution generalSolution(const Elimination& elimination);

// A combination of the rows as written that reads 0 = constant with a constant other than zero;
// nothing when the system is consistent (or the elimination was too large).
struct Contradiction {
    std::vector<mpq_class> multipliers; // one per row as written
    mpq_class constant;
};
std::optional<Contradiction> contradiction(const Elimination& elimination);

// The largest |b - A·x| over the rows of the matrix as solved, exactly.
mpq_class largestResidualExact(const Matrix& asSolved, int n, const std::vector<double>& x);

// κ∞ of the coefficients as solved, exactly, with an estimate in doubles (partial pivoting)
// for the case the exact inverse passes digitLimit digits.
struct Condition {
    enum class State { Exact, Singular, TooLarge } state = State::TooLarge;
    mpq_class value;     // when Exact
    double estimate = 0; // when TooLarge: infinity when the doubles found no inverse
};
Condition conditionExact(const Matrix& asSolved, int n);

// A non-zero value in exponent form, its last digit rounded from the exact value ("2,78E-324").
QString exponentText(const mpq_class& value, QChar decimalSeparator, int decimals = 2);

// The decimal text of a value whose denominator has no prime factors but 2 and 5, when it has at
// most maxDecimals decimals ("-0,365"); empty otherwise.
QString terminatingDecimal(const mpq_class& value, QChar decimalSeparator, int maxDecimals = 30);

} // namespace exact
