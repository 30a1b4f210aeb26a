// The text of the steps window: the record of the last solve told in Russian, every number in
// "##0.000", then the trust check of a unique answer and the exact answer in fractions.
#pragma once

#include "core/solve_record.h"

#include <QChar>
#include <QString>
#include <QStringView>
#include <gmpxx.h>

namespace steps {

inline const QString illConditionedText =
    QStringLiteral("Система плохо обусловлена: последние знаки ответа могут быть неверны");

// The unit roundoff of doubles; the warning is given when κ∞ times it passes 1e-8.
constexpr double unitRoundoff = 0x1p-53;
bool illConditioned(double condition);

// The elimination and back substitution as the record has them (lines end in LF; every matrix
// block is the solver's matrix text, one row a line).
QString eliminationText(const solver::SolveRecord& record, QChar decimalSeparator);

// The residual and condition number of a unique answer; empty for any other outcome.
QString trustText(const solver::SolveRecord& record, QChar decimalSeparator);

// The exact answer of the system as solved; entryText is the editor's text at the solve. The
// determinant, and for a system without one solution its general solution or a contradiction.
QString exactText(const solver::SolveRecord& record, QStringView entryText);
QString exactText(const solver::SolveRecord& record, QStringView entryText, QChar decimalSeparator);

// All three, with a blank line between them.
QString fullText(const solver::SolveRecord& record, QStringView entryText, QChar decimalSeparator);

// A number as the window shows it: "##0.000", but the exponent form for a value other than zero
// that the pattern would show as 0.000 or -0.000 (and 0.000 for minus zero).
QString valueText(double value, QChar decimalSeparator);

// A matrix one row a line, the columns right-aligned, a bar before the right-hand sides.
QString matrixBlock(const Matrix& matrix, QChar decimalSeparator);

// A fraction, its mixed form, and its decimal when that terminates ("-73/200 = -0,365").
QString exactValueText(const mpq_class& value, QChar decimalSeparator);

// A line the window shows in the warning colour.
bool isWarning(QStringView line);

} // namespace steps
