#include "core/solver.h"

#include "core/solve_record.h"
#include "support/numbers.h"

#include <algorithm>
#include <cmath>

namespace solver {
namespace {

bool allFinite(const Matrix& m) {
    for (int i = 0; i < m.rows(); ++i)
        for (int j = 0; j < m.columns(); ++j)
            if (!std::isfinite(m(i, j)))
                return false;
    return true;
}

// Listens to nothing: every call is empty and inline, so the loop compiles as if it had none.
struct NoObserver {
    void started(const Matrix&, int) {}
    void inputNotFinite() {}
    void passStarted(int) {}
    void pivotChosen(int, double) {}
    void rowsExchanged() {}
    void factorUsed(int, double) {}
    void rowOverflowed(int, const Matrix&) {}
    void passDone(const Matrix&) {}
    void noPivot(const Matrix&) {}
    void lastPivotZero() {}
    void unknownSolved(int, double, double) {}
    void answerNotFinite() {}
    void finished(Outcome, const Matrix&) {}
};
static_assert(SolveObserver<NoObserver>);

// Forward elimination; false when a pivot column is zero from the diagonal down.
template <SolveObserver Observer> bool eliminate(Matrix& m, int n, bool& overflow, Observer& seen) {
    for (int k = 0; k <= n - 2; ++k) {
        seen.passStarted(k);
        int pivotRow = -1;
        double pivotMagnitude = 0;
        for (int i = k; i < n; ++i) {
            if (std::fabs(m(i, k)) > pivotMagnitude) {
                pivotMagnitude = std::fabs(m(i, k));
                pivotRow = i;
            }
        }
        if (pivotRow == -1) {
            seen.noPivot(m);
            return false;
        }
        seen.pivotChosen(pivotRow, pivotMagnitude);
        if (pivotRow != k) {
            double* a = m.rowData(k);
            double* b = m.rowData(pivotRow);
            for (int j = 0; j <= n; ++j)
                std::swap(a[j], b[j]);
            seen.rowsExchanged();
        }
        const double* pivot = m.rowData(k);
        for (int i = k + 1; i < n; ++i) {
            double* row = m.rowData(i);
            const double factor = row[k] / pivot[k];
            seen.factorUsed(i, factor);
            bool finite = std::isfinite(factor);
            for (int j = 0; j <= n; ++j) {
                row[j] = j == k ? 0.0 : row[j] - pivot[j] * factor;
                finite = finite && std::isfinite(row[j]);
            }
            if (!finite) {
                overflow = true;
                seen.rowOverflowed(i, m);
                return false;
            }
        }
        seen.passDone(m);
    }
    return true;
}

template <SolveObserver Observer>
Outcome endWith(SystemStore& store, Outcome outcome, const QString& text, Observer& seen) {
    store.answers.assign(1, AnswerValue{text});
    seen.finished(outcome, store.matrix);
    return outcome;
}

template <SolveObserver Observer> Outcome solveWith(SystemStore& store, Observer& seen) {
    Matrix& m = store.matrix;
    const int n = m.order();
    if (n < 1 || m.rows() < n)
        return Outcome::NoSystem;
    seen.started(m, n);
    if (!allFinite(m)) {
        seen.inputNotFinite();
        return endWith(store, Outcome::Overflow, overflowText, seen);
    }
    if (static_cast<int>(store.answers.size()) < n)
        store.answers.resize(static_cast<std::size_t>(n));
    bool overflow = false;
    if (!eliminate(m, n, overflow, seen))
        return overflow ? endWith(store, Outcome::Overflow, overflowText, seen)
                        : endWith(store, Outcome::NoUnique, noUniqueText, seen);
    if (m(n - 1, n - 1) == 0) {
        seen.lastPivotZero();
        return endWith(store, Outcome::NoUnique, noUniqueText, seen);
    }
    std::vector<double> x(static_cast<std::size_t>(n));
    x[n - 1] = m(n - 1, n) / m(n - 1, n - 1);
    seen.unknownSolved(n - 1, 0.0, x[n - 1]);
    for (int i = n - 2; i >= 0; --i) {
        double s = 0;
        for (int j = i + 1; j < n; ++j)
            s += m(i, j) * x[j];
        x[i] = (m(i, n) - s) / m(i, i);
        seen.unknownSolved(i, s, x[i]);
    }
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(x[i])) {
            seen.answerNotFinite();
            return endWith(store, Outcome::Overflow, overflowText, seen);
        }
    }
    for (int i = 0; i < n; ++i)
        store.answers[i] = x[i];
    seen.finished(Outcome::Unique, m);
    return Outcome::Unique;
}

} // namespace

Outcome solveSystem(SystemStore& store) {
    NoObserver none;
    return solveWith(store, none);
}

Outcome solveSystem(SystemStore& store, SolveRecord& record) {
    return solveWith(store, record);
}

QString solutionLine(const std::vector<AnswerValue>& answers, Outcome outcome,
                     QChar decimalSeparator) {
    if (outcome != Outcome::Unique) {
        const QString* text = answers.empty() ? nullptr : std::get_if<QString>(&answers.front());
        return text ? *text : QString();
    }
    QString line;
    for (const AnswerValue& value : answers) {
        const double* number = std::get_if<double>(&value);
        line += numbers::fixed3(number ? *number : 0.0, decimalSeparator);
        line += QStringLiteral("  ");
    }
    return line;
}

std::vector<QStringList> matrixCells(const Matrix& matrix, QChar decimalSeparator) {
    std::vector<QStringList> rows(static_cast<std::size_t>(std::max(0, matrix.rows())));
    for (int i = 0; i < matrix.rows(); ++i)
        for (int j = 0; j < matrix.columns(); ++j)
            rows[static_cast<std::size_t>(i)].append(
                numbers::fixed3(matrix(i, j), decimalSeparator));
    return rows;
}

QString matrixText(const Matrix& matrix, QChar decimalSeparator) {
    QString text;
    for (const QStringList& row : matrixCells(matrix, decimalSeparator)) {
        for (const QString& cell : row)
            text += cell + QStringLiteral("  ");
        text += QStringLiteral("\r\n");
    }
    return text;
}

} // namespace solver
