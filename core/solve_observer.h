// What the elimination loop tells whoever listens to it, step by step, at the moment it does the
// step: the plain solve's listener does nothing with it, the solve record keeps all of it.
#pragma once

#include "core/outcome.h"
#include "core/system_store.h"

namespace solver {

template <typename T>
concept SolveObserver = requires(T& seen, const Matrix& matrix, int index, double number,
                                 Outcome outcome) {
    seen.started(matrix, index);               // the matrix as solved and its order
    seen.inputNotFinite();                     // the matrix holds a value that is not finite
    seen.passStarted(index);                   // a pass of the elimination begins at this column
    seen.pivotChosen(index, number);           // the pivot's row and magnitude
    seen.rowsExchanged();                      // the pivot row was moved up to the column's row
    seen.factorUsed(index, number);            // a row below is updated with this factor
    seen.rowOverflowed(index, matrix);         // that row's update gave a value that is not finite
    seen.passDone(matrix);                     // every row below the pivot was updated
    seen.noPivot(matrix);                      // the column is zero from the diagonal down
    seen.lastPivotZero();                      // the last diagonal element is zero
    seen.unknownSolved(index, number, number); // x(index) solved: the known terms' sum, its value
    seen.answerNotFinite();                    // back substitution gave a value that is not finite
    seen.finished(outcome, matrix);            // the outcome and the matrix the solver left
};

} // namespace solver
