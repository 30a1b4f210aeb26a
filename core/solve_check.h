// The solve the main window runs: the elimination in doubles, then one analysis of its result
// against the system as the user wrote it (the exact values of the entry text's tokens). A system
// that has no unique solution as written gets "Одного решения нет" whatever the rounding did; a
// unique answer of an ill-conditioned matrix is marked, so that the window can warn of it. The
// analysis is kept with the solve: the main window, the steps text and its documents all show
// what it found, and none of them computes it again.
#pragma once

#include "core/exact_solve.h"
#include "core/solver.h"

#include <QCoreApplication>
#include <QString>
#include <QStringView>
#include <optional>

namespace solver {

class SolveRecord;

inline const QString illConditionedText = QCoreApplication::translate(
    "solver", "Система плохо обусловлена: последние знаки ответа могут быть неверны");

// The unit roundoff of doubles; the warning is given when κ∞ times it passes 1e-8.
constexpr double unitRoundoff = 0x1p-53;

// Whether a condition number calls for the warning: κ∞·u > 1e-8, decided exactly on the exact
// value, else on the estimate; a matrix singular as solved always does.
bool illConditioned(const exact::Condition& condition);

// What the exact part found of the last solve.
struct Analysis {
    bool computed = false; // false when the matrix held a value that is not a finite number
    exact::System system;  // the system as written (or the doubles as solved), maybe too large
    exact::Elimination elimination; // its reduced form, rank and determinant (maybe too large)
    // For a rank below the order: every solution, or a combination of the rows that reads 0 = c.
    std::optional<exact::GeneralSolution> general;
    std::optional<exact::Contradiction> contradiction;
    // The check of the doubles' unique answer against the system as solved.
    bool answerChecked = false;
    mpq_class residual;         // the largest |b - A·x|
    exact::Condition condition; // κ∞ of the coefficients as solved
};

struct CheckedSolve {
    Outcome outcome = Outcome::NoSystem;
    // The doubles gave an answer, but the system as written has none or infinitely many.
    bool exactlySingular = false;
    // A unique answer whose condition number times the unit roundoff passes the warning bound.
    bool illConditioned = false;
    Analysis analysis;
};

// Solves the store's system with the record, as solveSystem does; entryText is the editor's text
// the system came from. When the exact system has no unique solution the answers become the
// single text "Одного решения нет" and the outcome NoUnique; the matrix keeps its eliminated form.
// When the exact part is too large to compute, the outcome of the doubles stands.
CheckedSolve solveChecked(SystemStore& store, SolveRecord& record, QStringView entryText);

} // namespace solver
