#include "core/steps_methods.h"

#include "core/steps_text.h"

#include <QCoreApplication>

namespace steps {

QString methodName(Method method) {
    switch (method) {
    case Method::AsSolved:
        return QCoreApplication::translate("steps", "Как решала программа");
    case Method::Gauss:
        return QCoreApplication::translate("steps", "Метод Гаусса");
    case Method::GaussJordan:
        return QCoreApplication::translate("steps", "Метод Жордана–Гаусса");
    case Method::Cramer:
        return QCoreApplication::translate("steps", "Метод Крамера");
    case Method::Inverse:
        return QCoreApplication::translate("steps", "Матричный метод (обратная матрица)");
    case Method::Bareiss:
        return QCoreApplication::translate("steps", "Метод Барейса (без дробей)");
    case Method::Ranks:
        return QCoreApplication::translate("steps", "Исследование совместности");
    }
    return {};
}

Page methodPage(Method method, const solver::SolveRecord& record, const solver::CheckedSolve& solve,
                NumberForm, QChar decimalSeparator) {
    // The exact methods are told by their own writers; until then every method shows the
    // program's own steps under its name.
    Page page;
    page.heading(methodName(method));
    page.append(steps::page(record, solve, decimalSeparator));
    return page;
}

} // namespace steps
