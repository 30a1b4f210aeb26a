// The record of one solve, made by the solver itself while it works: the matrix as solved, every
// pass of the elimination (pivot, exchange, factors, the matrix after it), where and why the
// elimination stopped, and every step of the back substitution.
#pragma once

#include "core/outcome.h"
#include "core/solve_observer.h"
#include "core/system_store.h"

#include <vector>

namespace solver {

struct RowFactor {
    int row;
    double factor;
};

struct SolvePass {
    int column = 0;    // the pivot column k (also the row the pivot moves to)
    int pivotRow = -1; // -1: the column is zero from the diagonal down
    double pivotMagnitude = 0;
    bool exchanged = false; // rows k and pivotRow were exchanged
    std::vector<RowFactor> factors;
    int overflowRow = -1;  // the row whose update gave a value that is not finite
    bool finished = false; // every row below the pivot was updated
    Matrix after;          // the matrix when the pass ended (or stopped)
};

enum class StopReason {
    None,           // elimination ran through and the last pivot is not zero
    InputNotFinite, // the matrix held a value that is not a finite number
    ZeroColumn,     // a pivot column is zero from the diagonal down
    ZeroLastPivot,  // the last diagonal element is zero after elimination
    Overflow,       // a row update gave a value that is not finite
    AnswerOverflow, // back substitution gave a value that is not finite
};

struct BackStep {
    int row;      // the unknown x(row)
    double sum;   // the sum of the known terms right of the diagonal
    double value; // x(row)
};

// Listens to the solver's loop and keeps every step. Every call is made at the moment the solver
// does the step.
class SolveRecord {
  public:
    void started(const Matrix& matrix, int order);
    void inputNotFinite() { stop = StopReason::InputNotFinite; }
    void passStarted(int column);
    void pivotChosen(int row, double magnitude);
    void rowsExchanged();
    void factorUsed(int row, double factor);
    void rowOverflowed(int row, const Matrix& matrix);
    void passDone(const Matrix& matrix);
    void noPivot(const Matrix& matrix);
    void lastPivotZero() { stop = StopReason::ZeroLastPivot; }
    void unknownSolved(int row, double sum, double value);
    void answerNotFinite() { stop = StopReason::AnswerOverflow; }
    void finished(Outcome result, const Matrix& matrix);

    int order = 0;
    Matrix initial; // the augmented matrix as solved
    std::vector<SolvePass> passes;
    StopReason stop = StopReason::None;
    std::vector<BackStep> back; // in the order computed (last unknown first)
    Matrix eliminated; // the matrix the solver left: eliminated, or as far as elimination got
    Outcome outcome{};
    bool complete = false; // the solve ran to its end with this record
};
static_assert(SolveObserver<SolveRecord>);

} // namespace solver
