#include "core/solve_record.h"

namespace solver {

void SolveRecord::started(const Matrix& matrix, int n) {
    *this = SolveRecord();
    order = n;
    initial = matrix;
}

void SolveRecord::passStarted(int column) {
    passes.push_back(SolvePass{});
    passes.back().column = column;
}

void SolveRecord::pivotChosen(int row, double magnitude) {
    passes.back().pivotRow = row;
    passes.back().pivotMagnitude = magnitude;
}

void SolveRecord::rowsExchanged() {
    passes.back().exchanged = true;
}

void SolveRecord::factorUsed(int row, double factor) {
    passes.back().factors.push_back({row, factor});
}

void SolveRecord::rowOverflowed(int row, const Matrix& matrix) {
    stop = StopReason::Overflow;
    passes.back().overflowRow = row;
    passes.back().after = matrix;
}

void SolveRecord::passDone(const Matrix& matrix) {
    passes.back().finished = true;
    passes.back().after = matrix;
}

void SolveRecord::noPivot(const Matrix& matrix) {
    stop = StopReason::ZeroColumn;
    passes.back().after = matrix;
}

void SolveRecord::unknownSolved(int row, double sum, double value) {
    back.push_back({row, sum, value});
}

void SolveRecord::finished(Outcome result, const Matrix& matrix) {
    outcome = result;
    eliminated = matrix;
    complete = true;
}

} // namespace solver
