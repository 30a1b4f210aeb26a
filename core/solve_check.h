// The solve the main window runs: the elimination in doubles, then a check of its result against
// the system as the user wrote it (the exact values of the entry text's tokens). A system that has
// no unique solution as written gets "Одного решения нет" whatever the rounding did; a unique
// answer of an ill-conditioned matrix is marked, so that the window can warn of it.
#pragma once

#include "core/solver.h"

#include <QStringView>

namespace solver {

class SolveRecord;

struct CheckedSolve {
    Outcome outcome = Outcome::NoSystem;
    // The doubles gave an answer, but the system as written has none or infinitely many.
    bool exactlySingular = false;
    // A unique answer whose condition number times the unit roundoff passes the warning bound.
    bool illConditioned = false;
};

// Solves the store's system with the record, as solveSystem does; entryText is the editor's text
// the system came from. When the exact system has no unique solution the answers become the
// single text "Одного решения нет" and the outcome NoUnique; the matrix keeps its eliminated form.
// When the exact part is too large to compute, the outcome of the doubles stands.
CheckedSolve solveChecked(SystemStore& store, SolveRecord& record, QStringView entryText);

} // namespace solver
