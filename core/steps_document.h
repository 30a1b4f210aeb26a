// The steps as a document: the window's text as a UTF-8 HTML page (matrices as tables, warnings
// in colour), and the matrices, passes and answers of the last solve as LaTeX.
#pragma once

#include "core/solve_record.h"

#include <QChar>
#include <QString>
#include <QStringView>

namespace steps {

// A whole HTML page of the steps text: lines of a matrix block become table rows, the
// right-hand sides after a bar; every other line a paragraph.
QString htmlPage(const QString& stepsText);

// The system, the matrix after every pass, the back substitution's answers and the exact
// answers with the determinant, as LaTeX: one array environment per matrix, one row per
// equation, a bar before the right-hand side.
QString latexText(const solver::SolveRecord& record, QStringView entryText, QChar decimalSeparator);

} // namespace steps
