#include "core/steps_text.h"

#include "core/exact_solve.h"
#include "core/solver.h"
#include "support/numbers.h"

#include <charconv>
#include <cmath>

namespace steps {
namespace {

using solver::SolvePass;
using solver::SolveRecord;
using solver::StopReason;

QString lf(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString number(int value) {
    return QString::number(value);
}

class Writer {
  public:
    Writer(const SolveRecord& record, QChar separator) : r_(record), sep_(separator) {}

    QString text() {
        out_ += QStringLiteral("Система, как она решалась (в последнем столбце правые части):\n");
        out_ += lf(solver::matrixText(r_.initial, sep_));
        if (r_.stop == StopReason::InputNotFinite) {
            out_ +=
                QStringLiteral("\nВ матрице есть значение, которое не является конечным числом: ") +
                solver::overflowText + u'\n';
            return out_;
        }
        for (std::size_t p = 0; p < r_.passes.size(); ++p)
            pass(p);
        stop();
        if (!r_.back.empty())
            backSubstitution();
        out_ += QStringLiteral("\nРешение: ") + solution() + u'\n';
        return out_;
    }

  private:
    QString f(double value) const { return numbers::fixed3(value, sep_); }
    // A number inside a formula: in brackets when it carries a minus sign.
    QString term(double value) const {
        const QString t = f(value);
        return t.startsWith(u'-') ? u'(' + t + u')' : t;
    }
    // A value that "##0.000" shows as zero although it is not gets its exponent form beside it.
    QString tiny(double value) const {
        const QString t = f(value);
        return std::fabs(value) < 0.0005 && value != 0
                   ? t + QStringLiteral(" (точнее ") + magnitudeText(value, sep_) + u')'
                   : t;
    }
    const Matrix& before(std::size_t p) const {
        return p == 0 ? r_.initial : r_.passes[p - 1].after;
    }

    void pass(std::size_t p) {
        const SolvePass& s = r_.passes[p];
        const int k = s.column;
        const int n = r_.order;
        const Matrix& m = before(p);
        out_ +=
            QStringLiteral("\nШаг %1: столбец %1, строки %1–%2.\n").arg(number(k + 1), number(n));
        if (s.pivotRow < 0) {
            out_ += QStringLiteral("В столбце %1 от строки %1 вниз все элементы равны нулю: "
                                   "ведущего элемента нет.\n")
                        .arg(number(k + 1));
            return;
        }
        int ties = 0;
        for (int i = k; i < n; ++i)
            ties += std::fabs(m(i, k)) == s.pivotMagnitude ? 1 : 0;
        out_ += QStringLiteral("Ведущий элемент %1 в строке %2: наибольший по модулю в столбце %3")
                    .arg(f(m(s.pivotRow, k)), number(s.pivotRow + 1), number(k + 1));
        out_ += ties > 1 ? QStringLiteral(" (из равных по модулю взят верхний).\n")
                         : QStringLiteral(".\n");
        out_ += s.exchanged ? QStringLiteral("Строки %1 и %2 переставлены.\n")
                                  .arg(number(k + 1), number(s.pivotRow + 1))
                            : QStringLiteral("Перестановка строк не нужна.\n");
        // The rows as they stood after the exchange, before any of them was updated.
        auto rowOf = [&](int i) { return i == k ? s.pivotRow : (i == s.pivotRow ? k : i); };
        const double pivot = m(s.pivotRow, k);
        for (const solver::RowFactor& rf : s.factors) {
            out_ +=
                QStringLiteral("Строка %1: множитель %2 / %3 = %4; строка %1 - %5 × строка %6.\n")
                    .arg(number(rf.row + 1), term(m(rowOf(rf.row), k)), term(pivot), f(rf.factor),
                         term(rf.factor), number(k + 1));
            if (rf.row == s.overflowRow)
                out_ += QStringLiteral("В строке %1 получилось число вне диапазона чисел "
                                       "двойной точности.\n")
                            .arg(number(rf.row + 1));
        }
        out_ += s.finished ? QStringLiteral("Матрица после шага %1:\n").arg(number(k + 1))
                           : QStringLiteral("Матрица, когда исключение остановлено:\n");
        out_ += lf(solver::matrixText(s.after, sep_));
    }

    void stop() {
        const int n = r_.order;
        const int at = r_.passes.empty() ? 0 : r_.passes.back().column + 1;
        switch (r_.stop) {
        case StopReason::None:
        case StopReason::AnswerOverflow:
            out_ += QStringLiteral("\nПоследний диагональный элемент %1 не равен нулю: "
                                   "исключение закончено.\n")
                        .arg(tiny(r_.final(n - 1, n - 1)));
            break;
        case StopReason::ZeroLastPivot:
            out_ += QStringLiteral("\nПоследний диагональный элемент равен нулю: ") +
                    solver::noUniqueText + u'\n';
            break;
        case StopReason::ZeroColumn:
            out_ += QStringLiteral("\nИсключение остановлено на шаге %1: ").arg(number(at)) +
                    solver::noUniqueText + u'\n';
            break;
        case StopReason::Overflow:
            out_ += QStringLiteral("\nИсключение остановлено на шаге %1: ").arg(number(at)) +
                    solver::overflowText + u'\n';
            break;
        case StopReason::InputNotFinite:
            break;
        }
    }

    void backSubstitution() {
        const int n = r_.order;
        const Matrix& m = r_.final;
        std::vector<double> x(static_cast<std::size_t>(n));
        out_ += QStringLiteral("\nОбратная подстановка:\n");
        for (const solver::BackStep& step : r_.back) {
            const int i = step.row;
            QString numerator = f(m(i, n));
            for (int j = i + 1; j < n; ++j)
                numerator += QStringLiteral(" - ") + term(m(i, j)) + u'·' + term(x[j]);
            if (i + 1 < n)
                numerator = u'(' + numerator + u')';
            else
                numerator = term(m(i, n));
            out_ += QStringLiteral("x%1 = %2 / %3 = %4\n")
                        .arg(number(i + 1), numerator, term(m(i, i)), f(step.value));
            x[i] = step.value;
        }
        if (r_.stop == StopReason::AnswerOverflow)
            out_ += QStringLiteral("Неизвестное вышло за пределы чисел двойной точности: ") +
                    solver::overflowText + u'\n';
    }

    QString solution() const {
        if (r_.outcome == solver::Outcome::NoUnique)
            return solver::noUniqueText;
        if (r_.outcome != solver::Outcome::Unique)
            return solver::overflowText;
        std::vector<double> x(static_cast<std::size_t>(r_.order));
        for (const solver::BackStep& step : r_.back)
            x[step.row] = step.value;
        QString line;
        for (const double v : x)
            line += f(v) + QStringLiteral("  ");
        return line;
    }

    const SolveRecord& r_;
    QChar sep_;
    QString out_;
};

std::vector<double> answersOf(const SolveRecord& record) {
    std::vector<double> x(static_cast<std::size_t>(record.order));
    for (const solver::BackStep& step : record.back)
        x[step.row] = step.value;
    return x;
}

QString limitText() {
    return QString::number(exact::digitLimit);
}

} // namespace

bool illConditioned(double condition) {
    return condition * unitRoundoff > 1e-8;
}

QString magnitudeText(double value, QChar decimalSeparator) {
    if (value == 0)
        return QStringLiteral("0");
    if (!std::isfinite(value))
        return QStringLiteral("∞");
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 2);
    QString text = QString::fromLatin1(buf, res.ptr - buf);
    text.replace(u'e', u'E');
    text.replace(u'.', decimalSeparator);
    return text;
}

QString eliminationText(const SolveRecord& record, QChar decimalSeparator) {
    return Writer(record, decimalSeparator).text();
}

QString trustText(const SolveRecord& record, QChar decimalSeparator) {
    if (record.outcome != solver::Outcome::Unique)
        return {};
    const int n = record.order;
    QString text = QStringLiteral("Проверка по системе, как она решалась:\n");
    text += QStringLiteral("Наибольшая невязка |b - A·x|: %1\n")
                .arg(magnitudeText(exact::largestResidual(record.initial, n, answersOf(record)),
                                   decimalSeparator));
    const std::optional<double> condition = exact::conditionNumber(record.initial, n);
    if (!condition) {
        text += QStringLiteral("Число обусловленности κ∞ не вычислено: числа длиннее %1 цифр.\n")
                    .arg(limitText());
        return text;
    }
    text += std::isfinite(*condition)
                ? QStringLiteral("Число обусловленности κ∞: %1\n")
                      .arg(magnitudeText(*condition, decimalSeparator))
                : QStringLiteral("Число обусловленности κ∞: ∞ (матрица точно вырождена)\n");
    if (illConditioned(*condition))
        text += illConditionedText + u'\n';
    return text;
}

QString exactText(const SolveRecord& record, QStringView entryText) {
    const exact::System system = exact::systemFor(record.initial, record.order, entryText);
    const exact::Answer answer = exact::solve(system);
    QString text = system.source == exact::Source::EntryText
                       ? QStringLiteral("Точный ответ (числа взяты точно, как они записаны):\n")
                       : QStringLiteral("Точный ответ (по двоичным значениям чисел матрицы: "
                                        "она не совпадает с текстом редактора):\n");
    const bool floatUnique = record.outcome == solver::Outcome::Unique;
    switch (answer.kind) {
    case exact::Kind::TooLarge:
        return text + QStringLiteral("Не вычислен: в вычислении появились числа длиннее %1 цифр.\n")
                          .arg(limitText());
    case exact::Kind::Unique:
        if (!floatUnique)
            text += QStringLiteral("Внимание: в точной арифметике решение единственное, а при "
                                   "вычислении с плавающей точкой его не получилось.\n");
        for (std::size_t i = 0; i < answer.x.size(); ++i)
            text += QStringLiteral("x%1 = %2\n")
                        .arg(number(static_cast<int>(i) + 1), exact::fractionText(answer.x[i]));
        return text;
    case exact::Kind::Inconsistent:
    case exact::Kind::Infinite:
        text += QStringLiteral("В точной арифметике система вырождена (ранг %1 из %2): %3.\n")
                    .arg(number(answer.rank), number(record.order),
                         answer.kind == exact::Kind::Inconsistent
                             ? QStringLiteral("решений нет")
                             : QStringLiteral("решений бесконечно много"));
        if (floatUnique)
            text += QStringLiteral("Внимание: единственное решение выше получено только из-за "
                                   "ошибок округления, верного единственного решения нет.\n");
        return text;
    }
    return text;
}

QString fullText(const SolveRecord& record, QStringView entryText, QChar decimalSeparator) {
    QString text = eliminationText(record, decimalSeparator);
    const QString trust = trustText(record, decimalSeparator);
    if (!trust.isEmpty())
        text += u'\n' + trust;
    if (record.stop != StopReason::InputNotFinite)
        text += u'\n' + exactText(record, entryText);
    return text;
}

} // namespace steps
