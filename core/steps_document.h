// The steps as a document: the window's text as a UTF-8 HTML page (matrices as tables, warnings
// in colour), and the matrices, passes and answers of the last solve as LaTeX.
#pragma once

#include "core/solve_check.h"
#include "core/solve_record.h"
#include "core/steps_page.h"

#include <QChar>
#include <QString>

namespace steps {

// A whole HTML page of the steps: a matrix block becomes a table, the right-hand sides after a
// bar; a warning a paragraph in colour; every other line that is not empty a paragraph.
QString htmlPage(const Page& page);

// The system, the matrix after every pass, the back substitution's answers and the exact
// answers with the determinant, as LaTeX: one array environment per matrix, one row per
// equation, a bar before the right-hand side.
QString latexText(const solver::SolveRecord& record, const solver::CheckedSolve& solve,
                  QChar decimalSeparator);

} // namespace steps
