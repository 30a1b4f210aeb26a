// The steps of the last solve told in Russian: the record of the elimination in doubles, every
// number in "##0.000", then the trust check of a unique answer and the exact answer in fractions,
// as the solve's analysis found them. Lines with their kind, for the window and its documents.
#pragma once

#include "core/solve_check.h"
#include "core/solve_record.h"
#include "core/steps_page.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <gmpxx.h>
#include <vector>

namespace steps {

// How the exact numbers are shown: reduced fractions ("-73/200", an integer as an integer), or
// decimals to the window's three places ("-0,365", an integer as an integer).
enum class NumberForm { Fractions, Decimals };

// An exact value in a form: a fraction "p/q"; or a decimal rounded to three places (halves away
// from zero) with the exponent form for a value other than zero that would show as 0,000, as
// valueText shows a double; an integer is an integer in both.
QString numberText(const mpq_class& value, NumberForm form, QChar decimalSeparator);
// Whether numberText shows the value without rounding it.
bool shownExactly(const mpq_class& value, NumberForm form);

// The lines that follow a rank below the order: the general solution (free unknowns, x = x₀ +
// t1·v1 …, checked: A·x₀ = b, A·v = 0), or the contradiction 0 = c that a combination of the
// equations gives (checked). The reduced form first when asked.
Page solutionsPage(const solver::Analysis& analysis, NumberForm form, QChar decimalSeparator,
                   bool withReducedForm);

// The elimination and back substitution as the record has them. When the system as written has
// no unique solution the doubles' answer is called what it is, the answer of the computation.
Page eliminationPage(const solver::SolveRecord& record, QChar decimalSeparator,
                     bool exactlySingular = false);

// The residual and condition number of the doubles' unique answer; empty for any other outcome.
Page trustPage(const solver::CheckedSolve& solve, QChar decimalSeparator);

// The exact answer of the system as solved: the determinant, and for a system without one
// solution its general solution or a contradiction. Empty when nothing exact was computed.
Page exactPage(const solver::SolveRecord& record, const solver::CheckedSolve& solve,
               QChar decimalSeparator, NumberForm form = NumberForm::Fractions);

// All three, with a blank line between them, after a warning when the system in doubles is not
// the one written, and first of all the verdict when the doubles gave an answer that the system
// as written does not have.
Page page(const solver::SolveRecord& record, const solver::CheckedSolve& solve,
          QChar decimalSeparator, NumberForm form = NumberForm::Fractions);

// A number as the window shows it: "##0.000", but the exponent form for a value other than zero
// that the pattern would show as 0.000 or -0.000 (and 0.000 for minus zero).
QString valueText(double value, QChar decimalSeparator);

// A matrix as rows of cells, each value as valueText shows it.
std::vector<QStringList> matrixRows(const Matrix& matrix, QChar decimalSeparator);

// A fraction, its mixed form, and its decimal when that terminates ("-73/200 = -0,365").
QString exactValueText(const mpq_class& value, QChar decimalSeparator);

} // namespace steps
