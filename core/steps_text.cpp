#include "core/steps_text.h"

#include "core/exact_methods.h"
#include "core/exact_solve.h"
#include "core/solver.h"
#include "support/numbers.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace steps {
namespace {

using solver::SolvePass;
using solver::SolveRecord;
using solver::StopReason;

QString number(int value) {
    return QString::number(value);
}

// The exact numbers of a page in its form.
struct Numbers {
    NumberForm form;
    QChar sep;
    QString operator()(const mpq_class& value) const { return numberText(value, form, sep); }
};

std::vector<QStringList> exactMatrixRows(const std::vector<mpq_class>& values, int rows,
                                         int columns, const Numbers& shown) {
    std::vector<QStringList> cells(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < columns; ++j)
            cells[static_cast<std::size_t>(i)].push_back(
                shown(values[static_cast<std::size_t>(i) * columns + j]));
    return cells;
}

// The unknowns as the back substitution computed them.
std::vector<double> answersOf(const SolveRecord& record) {
    std::vector<double> x(static_cast<std::size_t>(record.order));
    for (const solver::BackStep& step : record.back)
        x[step.row] = step.value;
    return x;
}

class Writer {
  public:
    Writer(const SolveRecord& record, QChar separator, bool exactlySingular)
        : r_(record), sep_(separator), exactlySingular_(exactlySingular) {}

    Page page() {
        out_.text(QCoreApplication::translate(
            "steps", "Система, как она решалась (в последнем столбце правые части):\n"));
        out_.matrix(matrixRows(r_.initial, sep_));
        if (r_.stop == StopReason::InputNotFinite) {
            out_.text(QCoreApplication::translate(
                "steps", "\nВ матрице есть значение, которое не является конечным числом: "
                         "переполнение при вычислении.\n"));
            return out_;
        }
        for (std::size_t p = 0; p < r_.passes.size(); ++p)
            pass(p);
        stop();
        if (!r_.back.empty())
            backSubstitution();
        out_.text((exactlySingular_
                       ? QCoreApplication::translate(
                             "steps", "\nОтвет вычисления в числах двойной точности (не решение "
                                      "записанной системы): ")
                       : QCoreApplication::translate("steps", "\nРешение: ")) +
                  solution() + u'\n');
        return out_;
    }

  private:
    QString f(double value) const { return valueText(value, sep_); }
    // A number inside a formula: in brackets when it carries a minus sign.
    QString term(double value) const {
        const QString t = f(value);
        return t.startsWith(u'-') ? u'(' + t + u')' : t;
    }
    const Matrix& before(std::size_t p) const {
        return p == 0 ? r_.initial : r_.passes[p - 1].after;
    }

    void pass(std::size_t p) {
        const SolvePass& s = r_.passes[p];
        const int k = s.column;
        const int n = r_.order;
        const Matrix& m = before(p);
        out_.text(stepLine_.arg(number(k + 1), number(n)));
        if (s.pivotRow < 0) {
            out_.text(QCoreApplication::translate(
                          "steps", "В столбце %1 от строки %1 вниз все элементы равны нулю: "
                                   "ведущего элемента нет.\n")
                          .arg(number(k + 1)));
            return;
        }
        int ties = 0;
        for (int i = k; i < n; ++i)
            ties += std::fabs(m(i, k)) == s.pivotMagnitude ? 1 : 0;
        out_.text(pivotLine_.arg(f(m(s.pivotRow, k)), number(s.pivotRow + 1), number(k + 1)));
        out_.text(ties > 1 ? QCoreApplication::translate("steps",
                                                         " (из равных по модулю взят верхний).\n")
                           : QStringLiteral(".\n"));
        // Rows whose magnitude "##0.000" cannot tell from the pivot's, though it is smaller.
        const QString shownPivot = f(s.pivotMagnitude);
        for (int i = k; i < n; ++i) {
            const double a = std::fabs(m(i, k));
            if (a < s.pivotMagnitude && f(a) == shownPivot)
                out_.text(QCoreApplication::translate(
                              "steps", "В строке %1 модуль до третьего знака тот же, но меньше: "
                                       "%2 против %3.\n")
                              .arg(number(i + 1), numbers::displayText(a, sep_),
                                   numbers::displayText(s.pivotMagnitude, sep_)));
        }
        out_.text(s.exchanged ? exchangeLine_.arg(number(k + 1), number(s.pivotRow + 1))
                              : noExchangeLine_);
        // The rows as they stood after the exchange, before any of them was updated.
        auto rowOf = [&](int i) { return i == k ? s.pivotRow : (i == s.pivotRow ? k : i); };
        const double pivot = m(s.pivotRow, k);
        for (const solver::RowFactor& rf : s.factors) {
            if (rf.factor == 0 && rf.row != s.overflowRow) {
                out_.text(zeroFactorLine_.arg(number(rf.row + 1), term(m(rowOf(rf.row), k)),
                                              term(pivot)));
                continue;
            }
            out_.text(factorLine_.arg(number(rf.row + 1), term(m(rowOf(rf.row), k)), term(pivot),
                                      f(rf.factor), term(rf.factor), number(k + 1)));
            if (rf.row == s.overflowRow)
                out_.text(QCoreApplication::translate(
                              "steps", "В строке %1 получилось число вне диапазона чисел "
                                       "двойной точности.\n")
                              .arg(number(rf.row + 1)));
        }
        out_.text(s.finished ? afterStepLine_.arg(number(k + 1))
                             : QCoreApplication::translate(
                                   "steps", "Матрица, когда исключение остановлено:\n"));
        out_.matrix(matrixRows(s.after, sep_));
    }

    void stop() {
        const int n = r_.order;
        const int at = r_.passes.empty() ? 0 : r_.passes.back().column + 1;
        switch (r_.stop) {
        case StopReason::None:
        case StopReason::AnswerOverflow:
            out_.text(QCoreApplication::translate(
                          "steps", "\nПоследний диагональный элемент %1 не равен нулю: "
                                   "исключение закончено.\n")
                          .arg(f(r_.eliminated(n - 1, n - 1))));
            break;
        case StopReason::ZeroLastPivot:
            out_.text(QCoreApplication::translate(
                "steps", "\nПоследний диагональный элемент равен нулю: одного решения нет.\n"));
            break;
        case StopReason::ZeroColumn:
            out_.text(QCoreApplication::translate(
                          "steps", "\nИсключение остановлено на шаге %1: одного решения нет.\n")
                          .arg(number(at)));
            break;
        case StopReason::Overflow:
            out_.text(
                QCoreApplication::translate(
                    "steps", "\nИсключение остановлено на шаге %1: переполнение при вычислении.\n")
                    .arg(number(at)));
            break;
        case StopReason::InputNotFinite:
            break;
        }
    }

    void backSubstitution() {
        const int n = r_.order;
        const Matrix& m = r_.eliminated;
        std::vector<double> x(static_cast<std::size_t>(n));
        out_.text(QCoreApplication::translate("steps", "\nОбратная подстановка:\n"));
        for (const solver::BackStep& step : r_.back) {
            const int i = step.row;
            QString numerator = f(m(i, n));
            for (int j = i + 1; j < n; ++j)
                numerator += QStringLiteral(" - ") + term(m(i, j)) + u'·' + term(x[j]);
            if (i + 1 < n)
                numerator = u'(' + numerator + u')';
            else
                numerator = term(m(i, n));
            out_.text(QStringLiteral("x%1 = %2 / %3 = %4\n")
                          .arg(number(i + 1), numerator, term(m(i, i)), f(step.value)));
            x[i] = step.value;
        }
        if (r_.stop == StopReason::AnswerOverflow)
            out_.text(QCoreApplication::translate(
                "steps", "Неизвестное вышло за пределы чисел двойной точности: переполнение при "
                         "вычислении.\n"));
    }

    QString solution() const {
        if (r_.outcome == solver::Outcome::NoUnique)
            return solver::noUniqueText;
        if (r_.outcome != solver::Outcome::Unique)
            return solver::overflowText;
        const std::vector<double> x = answersOf(r_);
        // The line exactly as the answer area shows it and the log keeps it; a value it shows
        // as 0.000 or -0.000 although it is not zero follows in exponent form.
        QString closer;
        for (std::size_t i = 0; i < x.size(); ++i)
            if (f(x[i]) != numbers::fixed3(x[i], sep_))
                closer += QStringLiteral(", x%1 = %2").arg(number(int(i) + 1), f(x[i]));
        QString line = solver::solutionLine(std::vector<AnswerValue>(x.begin(), x.end()),
                                            solver::Outcome::Unique, sep_);
        if (!closer.isEmpty())
            line += QCoreApplication::translate("steps", "\nТочнее: ") + closer.mid(2);
        return line;
    }

    const SolveRecord& r_;
    QChar sep_;
    bool exactlySingular_;
    Page out_;
    // The lines every pass or every row of a pass repeats, translated once for the page.
    const QString stepLine_ =
        QCoreApplication::translate("steps", "\nШаг %1: столбец %1, строки %1–%2.\n");
    const QString pivotLine_ = QCoreApplication::translate(
        "steps", "Ведущий элемент %1 в строке %2: наибольший по модулю в столбце %3");
    const QString exchangeLine_ =
        QCoreApplication::translate("steps", "Строки %1 и %2 переставлены.\n");
    const QString noExchangeLine_ =
        QCoreApplication::translate("steps", "Перестановка строк не нужна.\n");
    const QString zeroFactorLine_ = QCoreApplication::translate(
        "steps", "Строка %1: множитель %2 / %3 = 0 точно; строка не меняется.\n");
    const QString factorLine_ = QCoreApplication::translate(
        "steps", "Строка %1: множитель %2 / %3 = %4; строка %1 - %5 × строка %6.\n");
    const QString afterStepLine_ = QCoreApplication::translate("steps", "Матрица после шага %1:\n");
};

QString limitText() {
    return QString::number(exact::digitLimit);
}

QString unknowns(const std::vector<int>& columns) {
    QStringList names;
    for (const int j : columns)
        names.append(u'x' + number(j + 1));
    return names.join(QStringLiteral(", "));
}

QString vectorText(const std::vector<mpq_class>& v, const Numbers& shown) {
    QStringList parts;
    for (const mpq_class& q : v)
        parts.append(shown(q));
    return u'(' + parts.join(QStringLiteral("; ")) + u')';
}

// "a·t1 - b·t2 ..." terms after a first value: " + 1/2·t1", " - 3·t2"; nothing for zero.
QString termText(const mpq_class& coefficient, const QString& name, const Numbers& shown) {
    if (sgn(coefficient) == 0)
        return {};
    const mpq_class a = abs(coefficient);
    const QString magnitude = a == 1 ? QString() : shown(a) + u'·';
    return (sgn(coefficient) < 0 ? QStringLiteral(" - ") : QStringLiteral(" + ")) + magnitude +
           name;
}

void generalSolutionText(Page& page, const exact::System& system, const exact::Elimination& e,
                         const exact::GeneralSolution& g, const Numbers& shown,
                         bool withReducedForm) {
    const int n = system.n;
    if (withReducedForm) {
        page.text(QCoreApplication::translate(
            "steps", "Приведённый вид (ведущие единицы, в последнем столбце правые "
                     "части):\n"));
        page.matrix(exactMatrixRows(e.reduced, n, n + 1, shown));
    }
    QString text;
    text +=
        QCoreApplication::translate("steps", "Свободные неизвестные: %1.\n").arg(unknowns(g.free));
    QStringList parameters;
    QString family = QStringLiteral("x = x₀");
    for (std::size_t k = 0; k < g.free.size(); ++k) {
        const QString t = u't' + number(static_cast<int>(k) + 1);
        parameters.append(t);
        family +=
            QStringLiteral(" + ") + t + QStringLiteral("·v") + number(static_cast<int>(k) + 1);
    }
    text += QCoreApplication::translate("steps", "Общее решение: %1, где %2 — любые числа:\n")
                .arg(family, parameters.join(QStringLiteral(", ")));
    for (int j = 0; j < n; ++j) {
        QString line = u'x' + number(j + 1) + QStringLiteral(" = ");
        QString terms;
        for (std::size_t k = 0; k < g.free.size(); ++k)
            terms += termText(g.basis[k][static_cast<std::size_t>(j)], parameters[k], shown);
        const mpq_class& x0 = g.particular[static_cast<std::size_t>(j)];
        if (sgn(x0) != 0 || terms.isEmpty())
            line += shown(x0) + terms;
        else
            line += terms.startsWith(QStringLiteral(" - ")) ? u'-' + terms.mid(3) : terms.mid(3);
        text += line + u'\n';
    }
    text += QStringLiteral("x₀ = %1\n").arg(vectorText(g.particular, shown));
    bool checked = exact::solves(system, g.particular);
    for (std::size_t k = 0; k < g.basis.size(); ++k) {
        text += QStringLiteral("v%1 = %2\n")
                    .arg(number(static_cast<int>(k) + 1), vectorText(g.basis[k], shown));
        checked = checked && exact::solves(system, g.basis[k], false);
    }
    page.text(text);
    if (checked)
        page.text(QCoreApplication::translate(
            "steps", "Проверка точная: A·x₀ = b, и A·v = 0 для каждого v.\n"));
    else
        page.warning(QCoreApplication::translate(
            "steps", "Внимание: проверка A·x₀ = b, A·v = 0 не сошлась.\n"));
}

void contradictionText(Page& page, const exact::System& system, const exact::Contradiction& c,
                       const Numbers& shown) {
    const int n = system.n;
    QString combination;
    for (int i = 0; i < n; ++i) {
        const QString term = termText(
            c.multipliers[static_cast<std::size_t>(i)],
            QCoreApplication::translate("steps", "(уравнение %1)").arg(number(i + 1)), shown);
        if (term.isEmpty())
            continue;
        combination +=
            combination.isEmpty()
                ? (term.startsWith(QStringLiteral(" - ")) ? u'-' + term.mid(3) : term.mid(3))
                : term;
    }
    // The combination of the rows as written, summed here once more.
    bool zero = true;
    mpq_class right = 0;
    for (int j = 0; j <= n; ++j) {
        mpq_class sum = 0;
        for (int i = 0; i < n; ++i)
            sum += c.multipliers[static_cast<std::size_t>(i)] *
                   system.values[static_cast<std::size_t>(i) * (n + 1) + j];
        if (j < n)
            zero = zero && sgn(sum) == 0;
        else
            right = sum;
    }
    const bool checked = zero && right == c.constant && sgn(right) != 0;
    const QString line =
        QCoreApplication::translate("steps", "Противоречие: %1 даёт 0 = %2%3\n")
            .arg(combination, shown(c.constant),
                 checked
                     ? QCoreApplication::translate("steps", " (проверено точно).")
                     : QCoreApplication::translate("steps", " — Внимание: проверка не сошлась."));
    if (checked)
        page.text(line);
    else
        page.warning(line);
}

// Written values that their doubles do not approximate to the doubles' precision (beyond the
// range, or below it): the first of them and how many there are.
void differenceHeader(Page& page, const SolveRecord& record, const exact::System& system,
                      QChar sep) {
    if (system.source != exact::Source::EntryText || system.tooLarge)
        return;
    const int n = record.order;
    int count = 0;
    QString first;
    const mpq_class ulp(1, mpz_class(1) << 52);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j <= n; ++j) {
            const mpq_class& written = system.values[static_cast<std::size_t>(i) * (n + 1) + j];
            const double d = record.initial(i, j);
            if (!std::isfinite(d))
                continue;
            const mpq_class solved(d);
            if (abs(solved - written) <= abs(written) * ulp)
                continue;
            if (count++ == 0)
                first =
                    QCoreApplication::translate("steps",
                                                "строка %1, столбец %2: записано %3, решалось %4")
                        .arg(number(i + 1), number(j + 1), exact::exponentText(written, sep),
                             solved == 0 ? QStringLiteral("0") : exact::exponentText(solved, sep));
        }
    if (count == 0)
        return;
    page.warning(QCoreApplication::translate(
                     "steps",
                     "Внимание: система в числах двойной точности отличается от записанной "
                     "(%1; таких чисел: %2). Ниже два ответа: «Решение» — для системы, как "
                     "она решалась, «Точный ответ» — для системы, как она записана.\n")
                     .arg(first, number(count)));
    page.text(u"\n");
}

} // namespace

QString valueText(double value, QChar decimalSeparator) {
    const QString t = numbers::fixed3(value, decimalSeparator);
    if (value == 0 || !std::isfinite(value))
        return value == 0 ? numbers::fixed3(0.0, decimalSeparator) : t;
    const QString zero = numbers::fixed3(0.0, decimalSeparator);
    if (t == zero || t == u'-' + zero)
        return exact::exponentText(mpq_class(value), decimalSeparator);
    return t;
}

std::vector<QStringList> matrixRows(const Matrix& matrix, QChar decimalSeparator) {
    std::vector<QStringList> cells(static_cast<std::size_t>(std::max(0, matrix.rows())));
    for (int i = 0; i < matrix.rows(); ++i)
        for (int j = 0; j < matrix.columns(); ++j)
            cells[static_cast<std::size_t>(i)].append(valueText(matrix(i, j), decimalSeparator));
    return cells;
}

QString exactValueText(const mpq_class& value, QChar decimalSeparator) {
    QString text = exact::fractionText(value);
    if (value.get_den() != 1) {
        const QString decimal = exact::terminatingDecimal(value, decimalSeparator);
        if (!decimal.isEmpty())
            text += QStringLiteral(" = ") + decimal;
    }
    return text;
}

Page eliminationPage(const SolveRecord& record, QChar decimalSeparator, bool exactlySingular) {
    return Writer(record, decimalSeparator, exactlySingular).page();
}

Page trustPage(const solver::CheckedSolve& solve, QChar decimalSeparator) {
    Page page;
    const solver::Analysis& a = solve.analysis;
    if (!a.answerChecked)
        return page;
    page.text(QCoreApplication::translate("steps", "Проверка по системе, как она решалась:\n"));
    page.text(QCoreApplication::translate("steps", "Наибольшая невязка |b - A·x|: %1\n")
                  .arg(exact::exponentText(a.residual, decimalSeparator)));
    switch (a.condition.state) {
    case exact::Condition::State::TooLarge: {
        const double estimate = a.condition.estimate;
        page.text(QCoreApplication::translate(
                      "steps", "Число обусловленности κ∞ не вычислено точно: числа длиннее %1 "
                               "цифр. Оценка в числах двойной точности: %2 — предупреждение "
                               "%3.\n")
                      .arg(limitText(),
                           std::isfinite(estimate)
                               ? numbers::magnitudeText(estimate, decimalSeparator)
                               : QCoreApplication::translate("steps",
                                                             "∞ (обратная матрица не получилась)"),
                           solver::illConditioned(a.condition)
                               ? QCoreApplication::translate("steps", "по ней нужно")
                               : QCoreApplication::translate("steps", "по ней не нужно")));
        break;
    }
    case exact::Condition::State::Singular:
        page.text(QCoreApplication::translate(
            "steps", "Число обусловленности κ∞: ∞ (матрица точно вырождена)\n"));
        break;
    case exact::Condition::State::Exact:
        page.text(QCoreApplication::translate("steps", "Число обусловленности κ∞: %1\n")
                      .arg(exact::exponentText(a.condition.value, decimalSeparator)));
        break;
    }
    // The verdict the main window gives: a system that has no unique solution as written is
    // told so by the exact answer, not by a warning about its condition.
    if (solve.illConditioned)
        page.warning(solver::illConditionedText + u'\n');
    return page;
}

Page exactPage(const SolveRecord& record, const solver::CheckedSolve& solve, QChar decimalSeparator,
               NumberForm form) {
    Page page;
    // A fraction is followed by its mixed form and terminating decimal; a decimal stands alone.
    auto valueText = [&](const mpq_class& value) {
        return form == NumberForm::Fractions ? exactValueText(value, decimalSeparator)
                                             : numberText(value, form, decimalSeparator);
    };
    const solver::Analysis& a = solve.analysis;
    if (!a.computed)
        return page;
    const exact::System& system = a.system;
    const exact::Elimination& e = a.elimination;
    page.text(system.source == exact::Source::EntryText
                  ? QCoreApplication::translate(
                        "steps", "Точный ответ (числа взяты точно, как они записаны):\n")
                  : QCoreApplication::translate(
                        "steps", "Точный ответ (по двоичным значениям чисел матрицы: "
                                 "она не совпадает с текстом редактора):\n"));
    if (e.tooLarge) {
        page.text(QCoreApplication::translate(
                      "steps", "Не вычислен: в вычислении появились числа длиннее %1 цифр.\n")
                      .arg(limitText()));
        return page;
    }
    const int n = record.order;
    const bool floatUnique = record.outcome == solver::Outcome::Unique;
    if (e.rank == n) {
        if (!floatUnique)
            page.warning(QCoreApplication::translate(
                "steps", "Внимание: в точной арифметике решение единственное, а "
                         "при вычислении с плавающей точкой его не получилось.\n"));
        for (int i = 0; i < n; ++i)
            page.text(QStringLiteral("x%1 = %2\n").arg(number(i + 1), valueText(e.at(i, n))));
    } else {
        page.text(QCoreApplication::translate(
                      "steps", "В точной арифметике система вырождена (ранг %1 из %2): %3.\n")
                      .arg(number(e.rank), number(n),
                           a.contradiction
                               ? QCoreApplication::translate("steps", "решений нет")
                               : QCoreApplication::translate("steps", "решений бесконечно много")));
        if (floatUnique)
            page.warning(QCoreApplication::translate(
                "steps", "Внимание: единственное решение выше получено только из-за "
                         "ошибок округления, верного единственного решения нет.\n"));
        page.append(solutionsPage(a, form, decimalSeparator, true));
    }
    page.text(e.determinant
                  ? QCoreApplication::translate("steps", "Определитель матрицы коэффициентов: %1\n")
                        .arg(valueText(*e.determinant))
                  : QCoreApplication::translate(
                        "steps", "Определитель матрицы коэффициентов не показан: в нём больше "
                                 "%1 цифр.\n")
                        .arg(limitText()));
    return page;
}

Page solutionsPage(const solver::Analysis& analysis, NumberForm form, QChar decimalSeparator,
                   bool withReducedForm) {
    Page page;
    const Numbers shown{form, decimalSeparator};
    if (analysis.contradiction)
        contradictionText(page, analysis.system, *analysis.contradiction, shown);
    else if (analysis.general)
        generalSolutionText(page, analysis.system, analysis.elimination, *analysis.general, shown,
                            withReducedForm);
    return page;
}

QString numberText(const mpq_class& value, NumberForm form, QChar decimalSeparator) {
    if (form == NumberForm::Fractions || value.get_den() == 1)
        return QString::fromStdString(value.get_str());
    // |value|·1000 rounded, halves away from zero.
    const mpq_class scaled = abs(value) * 1000 + mpq_class(1, 2);
    mpz_class thousandths;
    mpz_fdiv_q(thousandths.get_mpz_t(), scaled.get_num_mpz_t(), scaled.get_den_mpz_t());
    if (sgn(thousandths) == 0)
        return exact::exponentText(value, decimalSeparator);
    std::string digits = thousandths.get_str();
    if (digits.size() < 4)
        digits.insert(0, 4 - digits.size(), '0');
    const std::size_t point = digits.size() - 3;
    return (sgn(value) < 0 ? QStringLiteral("-") : QString()) +
           QString::fromStdString(digits.substr(0, point)) + decimalSeparator +
           QString::fromStdString(digits.substr(point));
}

bool shownExactly(const mpq_class& value, NumberForm form) {
    return form == NumberForm::Fractions || mpq_class(value * 1000).get_den() == 1;
}

Page page(const SolveRecord& record, const solver::CheckedSolve& solve, QChar decimalSeparator,
          NumberForm form) {
    Page page;
    if (solve.exactlySingular) {
        const solver::Analysis& a = solve.analysis;
        const QString rounding = QCoreApplication::translate(
            "steps", "Ответ, который ниже дало вычисление в числах двойной точности, получен "
                     "только из-за ошибок округления.\n");
        if (a.elimination.tooLarge)
            page.warning(QCoreApplication::translate(
                             "steps", "Записанная система не имеет единственного решения. ") +
                         rounding);
        else
            page.warning(
                QCoreApplication::translate(
                    "steps", "Записанная система не имеет единственного решения (ранг %1 из "
                             "%2): %3. ")
                    .arg(number(a.elimination.rank), number(record.order),
                         a.contradiction
                             ? QCoreApplication::translate("steps", "решений нет")
                             : QCoreApplication::translate("steps", "решений бесконечно много")) +
                rounding);
        page.text(u"\n");
    }
    if (solve.analysis.computed)
        differenceHeader(page, record, solve.analysis.system, decimalSeparator);
    page.append(eliminationPage(record, decimalSeparator, solve.exactlySingular));
    const Page trust = trustPage(solve, decimalSeparator);
    if (!trust.lines().empty()) {
        page.text(u"\n");
        page.append(trust);
    }
    const Page exactPart = exactPage(record, solve, decimalSeparator, form);
    if (!exactPart.lines().empty()) {
        page.text(u"\n");
        page.append(exactPart);
    }
    return page;
}

} // namespace steps
