// Exact answers: the system taken as the rational numbers its entry text is written with, solved
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

// Reads a text by the value-of-text rule, but exactly: 0.1 is 1/10, &HFF is 255, and a value
// beyond the double range is taken as written (1E400 is 10^400). Nothing when the value would
// have more than digitLimit digits.
std::optional<mpq_class> valueOfText(QStringView text);

// Where the exact system came from.
enum class Source {
    EntryText,    // the editor's tokens, read as the refill reads them, gave the matrix as solved
    BinaryValues, // the matrix as solved does not come from the entry text: its doubles, exactly
};

enum class Kind {
    Unique,       // one solution, in x
    Inconsistent, // no solution: rank of the matrix below the rank of the augmented matrix
    Infinite,     // infinitely many solutions
    TooLarge,     // a number passed digitLimit digits: not computed
};

struct Answer {
    Kind kind = Kind::TooLarge;
    Source source = Source::BinaryValues;
    int rank = 0; // the rank of the coefficient matrix (when computed)
    std::vector<mpq_class> x;
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

Answer solve(const System& system);

// The largest |b - A·x| over the rows of the matrix as solved, computed exactly and rounded.
double largestResidual(const Matrix& asSolved, int n, const std::vector<double>& x);

// κ∞ = ||A||∞ · ||A⁻¹||∞ of the coefficients as solved, from their exact inverse; infinity when
// the matrix is exactly singular, nothing when the inverse passes digitLimit digits.
std::optional<double> conditionNumber(const Matrix& asSolved, int n);

// "p/q" (or "p" for an integer), and " = m r/q" when the value is greater than 1 in magnitude.
QString fractionText(const mpq_class& value);

} // namespace exact
