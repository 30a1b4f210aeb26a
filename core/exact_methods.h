// The methods of solving a linear system that are taught, carried out on the system as written in
// exact rationals, each returning what it did as values: every step (pivot and why, exchange, row
// operations, the matrix after it), Cramer's determinants, the inverse, the ranks and the final
// answer, or the step where a number passed the digit limit. The steps window only formats them.
#pragma once

#include "core/exact_solve.h"
#include "core/solve_check.h"

#include <gmpxx.h>
#include <optional>
#include <vector>

namespace exact {

// A matrix of exact values, row by row.
struct Table {
    int rows = 0;
    int columns = 0;
    std::vector<mpq_class> values;
    mpq_class& at(int i, int j) { return values[static_cast<std::size_t>(i) * columns + j]; }
    const mpq_class& at(int i, int j) const {
        return values[static_cast<std::size_t>(i) * columns + j];
    }
};

// [A | b] of a system, A alone, and [A | E].
Table augmented(const System& system);
Table coefficients(const System& system);
Table withIdentity(const System& system);

struct RowOperation {
    enum class Kind {
        Subtract, // row target − factor · row source
        Divide,   // row target divided by factor (the pivot, to make a leading 1)
        Multiply, // row target times factor (to make a row integer)
        Bareiss,  // (pivot · row target − factor · row source) / divisor, factor = a[target][k]
    };
    Kind kind = Kind::Subtract;
    int target = 0;
    int source = -1;
    mpq_class factor;
    mpq_class pivot;       // Bareiss
    mpq_class divisor = 1; // Bareiss: the previous pivot
};

struct Step {
    int column = 0;
    // The row the pivot stands in once the rows are exchanged; -1: the column has no non-zero
    // entry from the first row without a pivot down, so the step only moves on.
    int pivotRow = -1;
    int exchangedWith = -1; // the row the pivot came from, when rows were exchanged
    mpq_class pivot;        // as found, before its row is divided by it
    std::vector<RowOperation> operations;
    Table after;
};

enum class Reduce {
    Echelon, // zeros below each pivot
    Reduced, // leading 1s with zeros above and below
    Bareiss, // fraction-free: zeros below each pivot, every entry a minor of the integer matrix
};

struct Reduction {
    Table start;
    std::vector<Step> steps;
    // 0, or the step (from 1) in which a number passed the digit limit: steps holds those before.
    int tooLargeAt = 0;
    int rank = 0; // pivots found in the reduced columns
    std::vector<int> pivotColumns;
    int exchanges = 0;
    // Bareiss: every division left an integer.
    bool divisionsExact = true;
    const Table& form() const { return steps.empty() ? start : steps.back().after; }
};

// Reduces the rows over the first pivotColumns columns, taking as each pivot the first non-zero
// entry of its column from the first row without a pivot down.
Reduction reduce(Table start, int pivotColumns, Reduce how);

// The answer an echelon form of [A | b] (first n columns reduced) gives, by back substitution.
struct Answer {
    enum class Kind { Unique, Infinite, None };
    Kind kind = Kind::None;
    int rank = 0;             // rank A
    int augmentedRank = 0;    // rank (A | b)
    std::vector<mpq_class> x; // Unique
    GeneralSolution general;  // Infinite: free unknowns set to 0 for the particular solution
    bool tooLarge = false;    // back substitution passed the digit limit
};
Answer answerOf(const Reduction& echelon, int n);

// Gauss, Gauss–Jordan and the compatibility test: the reduction of [A | b] and its answer.
struct EliminationMethod {
    Reduction reduction;
    Answer answer;
};
EliminationMethod gauss(const System& system);
EliminationMethod gaussJordan(const System& system);
EliminationMethod ranks(const System& system);

// Cramer's rule: Δ and each Δᵢ (column i of A replaced by b), computed by exact elimination.
struct CramerMethod {
    Table a;
    std::optional<mpq_class> delta; // nothing: past the digit limit
    std::vector<mpq_class> deltas;  // Δ₁ .. Δₙ, when Δ ≠ 0
    std::vector<mpq_class> x;       // Δᵢ / Δ
    int tooLargeAt = 0;             // 0, or 1 for Δ, i + 1 for Δᵢ
    EliminationMethod ranks;        // when Δ = 0: what the ranks say
};
CramerMethod cramer(const System& system);

// A determinant of order 2 or 3 written out by its rule (order 3: the rule of Sarrus): each
// product of one entry of every row and column, with its sign, and their sum. Nothing for
// another order.
struct Expansion {
    struct Product {
        bool negative = false;
        std::vector<mpq_class> factors;
    };
    std::vector<Product> products;
    mpq_class value;
};
std::optional<Expansion> expansion(const Table& a);

// The inverse matrix: [A | E] reduced to [E | A⁻¹], then x = A⁻¹·b.
// Orders 2 and 3 go the way taught for small systems instead: Δ by its rule, the cofactors
// Aij = (−1)^(i+j)·Mij, and A⁻¹ = A* / Δ with A* the transposed table of cofactors.
struct InverseMethod {
    Reduction reduction; // of [A | E]; empty by cofactors, but for tooLargeAt
    // 0, or the step whose column had no pivot (by cofactors 1, for Δ = 0): no A⁻¹
    int singularAt = 0;
    bool byCofactors = false;
    mpq_class delta; // by cofactors: det A
    Table cofactors; // by cofactors, when Δ ≠ 0: Aij in row i, column j
    Table adjugate;  // A*
    Table inverse;
    std::vector<mpq_class> x;
    EliminationMethod ranks; // when A is singular
};
InverseMethod inverse(const System& system);
// The square table without the row and the column.
Table minor(const Table& a, int row, int column);

// Bareiss: each row made integer by the least common multiple of its denominators, then the
// fraction-free elimination; the last pivot is the scaled system's determinant.
struct BareissMethod {
    std::vector<mpz_class> scales; // one per row, 1 where the row was integer already
    Table scaled;
    Reduction reduction;
    std::optional<mpq_class> scaledDeterminant; // when rank A = n
    std::optional<mpq_class> determinant;       // of A as written
    Answer answer;
};
BareissMethod bareiss(const System& system);

// The exact checks of an answer against the system as written and its analysis.
bool solves(const System& system, const std::vector<mpq_class>& x, bool withRight = true);
bool answerHolds(const Answer& answer, const solver::Analysis& analysis);
bool isInverse(const Table& a, const Table& inverse);

} // namespace exact
