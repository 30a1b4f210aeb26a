// The elimination solver: forward elimination with row pivoting and back substitution on the
// shared matrix, and the two texts the main window shows of its result.
#pragma once

#include "core/outcome.h"
#include "core/system_store.h"

#include <QChar>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <vector>

namespace solver {

inline const QString noUniqueText = QCoreApplication::translate("solver", "Одного решения нет");
inline const QString overflowText =
    QCoreApplication::translate("solver", "Переполнение при вычислении");

// Solves the system in place: the matrix is left in its eliminated form (or as far as
// elimination got), the answers as the outcome says.
Outcome solveSystem(SystemStore& store);

class SolveRecord;
// The same solve, with every step told to the record as it is done.
Outcome solveSystem(SystemStore& store, SolveRecord& record);

// The solution line: every value in "##0.000" followed by two blanks, or the text of the outcome.
QString solutionLine(const std::vector<AnswerValue>& answers, Outcome outcome,
                     QChar decimalSeparator);
inline QString solutionLine(const SystemStore& store, Outcome outcome, QChar decimalSeparator) {
    return solutionLine(store.answers, outcome, decimalSeparator);
}

// The matrix as rows of cells, each value in "##0.000".
std::vector<QStringList> matrixCells(const Matrix& matrix, QChar decimalSeparator);
// Every row of the matrix, each value in "##0.000" followed by two blanks, each row by CR LF.
QString matrixText(const Matrix& matrix, QChar decimalSeparator);

} // namespace solver
