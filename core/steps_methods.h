// The methods a student is taught, each told step by step on the system as written (the exact
// values of its tokens): Gauss, Gauss–Jordan, Cramer's rule, the inverse matrix, the
// fraction-free (Bareiss) elimination and the compatibility test by ranks, besides the program's
// own elimination in doubles. Every exact number is shown as a reduced fraction or as a decimal;
// every method's answer is checked exactly against the solve's analysis before it is shown.
#pragma once

#include "core/solve_check.h"
#include "core/solve_record.h"
#include "core/steps_page.h"
#include "core/steps_text.h"

#include <QChar>
#include <QString>
#include <array>

namespace steps {

enum class Method { AsSolved, Gauss, GaussJordan, Cramer, Inverse, Bareiss, Ranks };

// In the order the window offers them, the program's own first.
inline constexpr std::array<Method, 7> methods = {
    Method::AsSolved, Method::Gauss,   Method::GaussJordan, Method::Cramer,
    Method::Inverse,  Method::Bareiss, Method::Ranks};

// "Как решала программа", "Метод Гаусса", ...
QString methodName(Method method);

// The page of one method in one form for the last solve. AsSolved is the doubles' elimination,
// its trust check and the exact answer; the others work on the analysis' exact system and end
// with its answer, general solution or contradiction, or say where they stopped (a number past
// the digit limit, no exact system).
Page methodPage(Method method, const solver::SolveRecord& record, const solver::CheckedSolve& solve,
                NumberForm form, QChar decimalSeparator);

} // namespace steps
