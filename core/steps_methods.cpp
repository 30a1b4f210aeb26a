#include "core/steps_methods.h"

#include "core/exact_methods.h"
#include "core/steps_text.h"

#include <QCoreApplication>
#include <algorithm>

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

namespace {

using exact::RowOperation;

// The largest order whose answer check is shown equation by equation; a larger one would fill
// the page with products.
constexpr int largestShownCheck = 4;

QString number(int value) {
    return QString::number(value);
}

MatrixMarks marks(int bar, bool determinant = false, QStringList notes = {}) {
    MatrixMarks m;
    m.bar = bar;
    m.determinant = determinant;
    m.notes = std::move(notes);
    return m;
}

// Formats one method's values into a page; it computes nothing but the texts.
class MethodWriter {
  public:
    MethodWriter(const solver::Analysis& analysis, NumberForm form, QChar separator)
        : a_(analysis), form_(form), sep_(separator), n_(analysis.system.n) {}

    Page& page() { return page_; }

    QString f(const mpq_class& value) const { return numberText(value, form_, sep_); }
    // A number inside a formula: in brackets when it carries a minus sign or a fraction bar.
    QString term(const mpq_class& value) const {
        const QString t = f(value);
        return sgn(value) < 0 || t.contains(u'/') ? u'(' + t + u')' : t;
    }

    // Whether a number (every number of a table) is shown without rounding, and the sign
    // before a result: "≈" when a number of the formula or the result is rounded.
    bool unrounded(const mpq_class& value) const { return shownExactly(value, form_); }
    bool unrounded(const exact::Table& m) const {
        return std::all_of(m.values.begin(), m.values.end(),
                           [&](const mpq_class& v) { return unrounded(v); });
    }
    static QString equals(bool exact) {
        return exact ? QStringLiteral(" = ") : QStringLiteral(" ≈ ");
    }

    std::vector<QStringList> rows(const exact::Table& m) const {
        std::vector<QStringList> cells(static_cast<std::size_t>(m.rows));
        for (int i = 0; i < m.rows; ++i)
            for (int j = 0; j < m.columns; ++j)
                cells[static_cast<std::size_t>(i)].append(f(m.at(i, j)));
        return cells;
    }

    void system() {
        if (a_.system.source == exact::Source::BinaryValues)
            page_.text(QCoreApplication::translate(
                "steps", "Числа взяты по их двоичным значениям: матрица, как она решалась, не "
                         "совпадает с текстом редактора.\n"));
        const exact::Table written = exact::augmented(a_.system);
        page_.text(QCoreApplication::translate("steps", "Система уравнений:\n"));
        for (int i = 0; i < n_; ++i)
            page_.text(equation(written, i) + u'\n');
        page_.text(QCoreApplication::translate(
            "steps", "Система, как она записана (в последнем столбце правые части):\n"));
        page_.matrix(rows(written));
    }

    // Equation i of [A | b] as a student writes it: "2·x1 + x2 − 3/2·x3 = 8", no term with a
    // zero coefficient, a coefficient of 1 not written.
    QString equation(const exact::Table& m, int i) const {
        QString left;
        for (int j = 0; j < n_; ++j) {
            const mpq_class& c = m.at(i, j);
            if (sgn(c) == 0)
                continue;
            const mpq_class size = abs(c);
            left += left.isEmpty() ? (sgn(c) < 0 ? QStringLiteral("-") : QString())
                                   : (sgn(c) < 0 ? QStringLiteral(" − ") : QStringLiteral(" + "));
            left += (size == 1 ? QString() : f(size) + u'·') + u'x' + number(j + 1);
        }
        return (left.isEmpty() ? QStringLiteral("0") : left) + QStringLiteral(" = ") +
               f(m.at(i, n_));
    }

    const mpq_class& at(int i, int j) const {
        return a_.system.values[static_cast<std::size_t>(i) * (n_ + 1) + j];
    }

    // The sentence and the note of one row operation.
    std::pair<QString, QString> operation(const RowOperation& op) const {
        const QString target = number(op.target + 1), source = number(op.source + 1);
        switch (op.kind) {
        case RowOperation::Kind::Subtract: {
            // A factor of 1 is not said: "прибавляем строку 1", "стр. 3 + стр. 1".
            const bool adds = sgn(op.factor) < 0;
            const mpq_class size = adds ? mpq_class(-op.factor) : op.factor;
            if (size == 1)
                return adds ? std::pair{QCoreApplication::translate(
                                            "steps", "К строке %1 прибавляем строку %2.\n")
                                            .arg(target, source),
                                        QCoreApplication::translate("steps", "стр. %1 + стр. %2")
                                            .arg(target, source)}
                            : std::pair{QCoreApplication::translate(
                                            "steps", "Из строки %1 вычитаем строку %2.\n")
                                            .arg(target, source),
                                        QCoreApplication::translate("steps", "стр. %1 − стр. %2")
                                            .arg(target, source)};
            if (adds)
                return {QCoreApplication::translate(
                            "steps", "К строке %1 прибавляем строку %2, умноженную на %3.\n")
                            .arg(target, source, f(size)),
                        QCoreApplication::translate("steps", "стр. %1 + %2 · стр. %3")
                            .arg(target, f(size), source)};
            return {QCoreApplication::translate(
                        "steps", "Из строки %1 вычитаем строку %2, умноженную на %3.\n")
                        .arg(target, source, f(size)),
                    QCoreApplication::translate("steps", "стр. %1 − %2 · стр. %3")
                        .arg(target, f(size), source)};
        }
        case RowOperation::Kind::Divide:
            return {
                QCoreApplication::translate("steps", "Строку %1 делим на %2.\n")
                    .arg(target, f(op.factor)),
                QCoreApplication::translate("steps", "стр. %1 : %2").arg(target, term(op.factor))};
        case RowOperation::Kind::Multiply:
            return {
                QCoreApplication::translate("steps", "Строку %1 умножаем на %2.\n")
                    .arg(target, f(op.factor)),
                QCoreApplication::translate("steps", "стр. %1 · %2").arg(target, term(op.factor))};
        case RowOperation::Kind::Bareiss: {
            const QString formula =
                QCoreApplication::translate("steps", "(%1 · стр. %2 − %3 · стр. %4) / %5")
                    .arg(term(op.pivot), target, term(op.factor), source, term(op.divisor));
            return {QCoreApplication::translate("steps", "Строка %1 ← %2.\n").arg(target, formula),
                    formula};
        }
        }
        return {};
    }

    // Every step of a reduction: the pivot and why, the exchange, the operations and the matrix
    // after the step; briefly only the pivot and the matrix.
    void steps(const exact::Reduction& r, int bar, bool brief) {
        for (std::size_t t = 0; t < r.steps.size(); ++t)
            step(r.steps[t], static_cast<int>(t) + 1, bar, brief);
        if (r.tooLargeAt != 0)
            tooLarge(r.tooLargeAt);
    }

    void step(const exact::Step& s, int t, int bar, bool brief) {
        const QString column = number(s.column + 1);
        if (s.pivotRow < 0) {
            page_.text(QCoreApplication::translate(
                           "steps", "\nШаг %1: в столбце %2 от первой строки без ведущего "
                                    "элемента вниз все элементы равны нулю: ведущего элемента "
                                    "нет, переходим к следующему столбцу.\n")
                           .arg(number(t), column));
            return;
        }
        const QString pivot = f(s.pivot);
        const QString row = number(s.pivotRow + 1);
        QStringList notes(s.after.rows);
        if (s.exchangedWith >= 0)
            notes[s.pivotRow] = notes[s.exchangedWith] =
                QCoreApplication::translate("steps", "стр. %1 ↔ стр. %2")
                    .arg(row, number(s.exchangedWith + 1));
        if (brief)
            page_.text(QCoreApplication::translate(
                           "steps", "\nШаг %1: ведущий элемент в строке %2, столбце %3.\n")
                           .arg(number(t), row, column));
        else {
            page_.text(QCoreApplication::translate("steps", "\nШаг %1: столбец %2.\n")
                           .arg(number(t), column));
            if (s.exchangedWith >= 0)
                page_.text(QCoreApplication::translate(
                               "steps", "Первый ненулевой элемент столбца %1 ниже ведущих строк "
                                        "стоит в строке %2: строки %3 и %2 переставлены.\n")
                               .arg(column, number(s.exchangedWith + 1), row));
            page_.text(QCoreApplication::translate(
                           "steps", "Ведущий элемент %1 в строке %2: первый ненулевой элемент "
                                    "столбца %3 сверху среди строк без ведущего элемента.\n")
                           .arg(pivot, row, column));
        }
        for (const RowOperation& op : s.operations) {
            const auto [sentence, note] = operation(op);
            if (!brief)
                page_.text(sentence);
            QString& rowNote = notes[op.target];
            rowNote = rowNote.isEmpty() ? note : rowNote + QStringLiteral("; ") + note;
        }
        if (!brief)
            page_.text(
                QCoreApplication::translate("steps", "Матрица после шага %1:\n").arg(number(t)));
        page_.matrix(rows(s.after), {.bar = bar,
                                     .pivotRow = s.pivotRow,
                                     .pivotColumn = s.column,
                                     .notes = notes,
                                     .determinant = false});
    }

    // x_c = (b_r − Σ a_rj·x_j) / a_rc for each pivot row from the last up.
    void backSubstitution(const exact::Reduction& r, const std::vector<mpq_class>& x) {
        page_.text(QCoreApplication::translate("steps", "\nОбратный ход:\n"));
        const exact::Table& m = r.form();
        for (int row = n_ - 1; row >= 0; --row) {
            QString numerator = f(m.at(row, n_));
            bool terms = false;
            // Exact when no number it uses, nor the result, is rounded on the page.
            bool whole = unrounded(m.at(row, n_)) && unrounded(m.at(row, row));
            for (int j = row + 1; j < n_; ++j) {
                if (sgn(m.at(row, j)) == 0)
                    continue;
                numerator += QStringLiteral(" − ") + term(m.at(row, j)) + QStringLiteral("·x") +
                             number(j + 1);
                terms = true;
                whole =
                    whole && unrounded(m.at(row, j)) && unrounded(x[static_cast<std::size_t>(j)]);
            }
            if (terms)
                numerator = u'(' + numerator + u')';
            const mpq_class& value = x[static_cast<std::size_t>(row)];
            page_.text(QStringLiteral("x%1 = %2 / %3")
                           .arg(number(row + 1), numerator, term(m.at(row, row))) +
                       equals(whole && unrounded(value)) + f(value) + u'\n');
        }
    }

    void values(const std::vector<mpq_class>& x) {
        for (int i = 0; i < n_; ++i)
            page_.text(
                QStringLiteral("x%1 = %2\n").arg(number(i + 1), f(x[static_cast<std::size_t>(i)])));
    }

    // The last line of a unique solution: the checked answer, all unknowns on one line.
    void answer(const std::vector<mpq_class>& x) {
        QStringList values;
        for (int i = 0; i < n_; ++i)
            values.append(
                QStringLiteral("x%1 = %2").arg(number(i + 1), f(x[static_cast<std::size_t>(i)])));
        page_.text(QCoreApplication::translate("steps", "\nОтвет: %1.\n")
                       .arg(values.join(QStringLiteral("; "))));
    }

    // The check of a unique answer: up to order 4 each equation with the answer put in.
    void checkedAnswer(const std::vector<mpq_class>& x) {
        substitution(x);
        page_.text(QCoreApplication::translate("steps", "Проверка точная: A·x = b.\n"));
        answer(x);
    }

    void substitution(const std::vector<mpq_class>& x) {
        if (n_ <= largestShownCheck) {
            page_.text(QCoreApplication::translate(
                "steps", "\nПроверка: подставляем ответ в каждое уравнение.\n"));
            // Rounded decimals give the right side only nearly.
            const bool answerExact =
                std::all_of(x.begin(), x.end(), [&](const mpq_class& v) { return unrounded(v); });
            for (int i = 0; i < n_; ++i) {
                QStringList products;
                bool rowExact = answerExact && unrounded(at(i, n_));
                for (int j = 0; j < n_; ++j)
                    if (sgn(at(i, j)) != 0) {
                        products.append(term(at(i, j)) + u'·' +
                                        term(x[static_cast<std::size_t>(j)]));
                        rowExact = rowExact && unrounded(at(i, j));
                    }
                page_.text((products.isEmpty() ? QStringLiteral("0")
                                               : products.join(QStringLiteral(" + "))) +
                           equals(rowExact) + f(at(i, n_)) + u'\n');
            }
        }
    }

    void failedCheck() {
        page_.error(QCoreApplication::translate(
            "steps", "Ошибка: точная проверка по записанной системе не сошлась, ответ метода "
                     "не показан.\n"));
    }

    // The ranks and what follows from them; for a rank below the order the analysis' general
    // solution or its contradiction. False when the check refused the answer.
    bool verdict(const exact::Answer& answer) {
        if (!exact::answerHolds(answer, a_)) {
            failedCheck();
            return false;
        }
        const QString rank = number(answer.rank), augmented = number(answer.augmentedRank);
        switch (answer.kind) {
        case exact::Answer::Kind::Unique:
            page_.text(QCoreApplication::translate(
                           "steps", "\nrank A = rank (A|b) = %1 = n: решение единственное.\n")
                           .arg(rank));
            break;
        case exact::Answer::Kind::Infinite:
            page_.text(QCoreApplication::translate(
                           "steps", "\nrank A = rank (A|b) = %1 < n = %2: решений бесконечно "
                                    "много, свободных неизвестных: %3.\n")
                           .arg(rank, number(n_), number(n_ - answer.rank)));
            page_.append(solutionsPage(a_, form_, sep_, false));
            break;
        case exact::Answer::Kind::None:
            page_.text(QCoreApplication::translate(
                           "steps", "\nrank A = %1 < rank (A|b) = %2: решений нет.\n")
                           .arg(rank, augmented));
            page_.append(solutionsPage(a_, form_, sep_, false));
            break;
        }
        return true;
    }

    void gauss() {
        const exact::EliminationMethod m = exact::gauss(a_.system);
        page_.text(QCoreApplication::translate(
            "steps", "\nПрямой ход: приводим матрицу к ступенчатому виду.\n"));
        steps(m.reduction, -1, false);
        if (m.reduction.tooLargeAt != 0)
            return;
        if (m.answer.kind != exact::Answer::Kind::Unique) {
            verdict(m.answer);
            return;
        }
        if (!exact::answerHolds(m.answer, a_)) {
            failedCheck();
            return;
        }
        page_.text(
            QCoreApplication::translate("steps", "\nСтупенчатому виду соответствует система:\n"));
        for (int i = 0; i < n_; ++i)
            page_.text(equation(m.reduction.form(), i) + u'\n');
        backSubstitution(m.reduction, m.answer.x);
        if (verdict(m.answer))
            checkedAnswer(m.answer.x);
    }

    void gaussJordan() {
        const exact::EliminationMethod m = exact::gaussJordan(a_.system);
        page_.text(QCoreApplication::translate(
            "steps", "\nПриводим матрицу к приведённому ступенчатому виду: ведущий элемент "
                     "делением строки делаем единицей, столбец над ним и под ним — нулями.\n"));
        steps(m.reduction, -1, false);
        if (m.reduction.tooLargeAt != 0 || !verdict(m.answer))
            return;
        if (m.answer.kind == exact::Answer::Kind::Unique) {
            page_.text(QCoreApplication::translate(
                "steps", "Ответ читается по строкам приведённого вида:\n"));
            values(m.answer.x);
            checkedAnswer(m.answer.x);
        }
    }

    void ranks() {
        const exact::EliminationMethod m = exact::ranks(a_.system);
        page_.text(QCoreApplication::translate(
            "steps", "\nПриводим расширенную матрицу (A|b) к ступенчатому виду:\n"));
        steps(m.reduction, -1, true);
        if (m.reduction.tooLargeAt != 0)
            return;
        const exact::Answer& answer = m.answer;
        if (!exact::answerHolds(answer, a_)) {
            failedCheck();
            return;
        }
        page_.text(QCoreApplication::translate(
                       "steps", "\nrank A = %1 (ненулевых строк в левой части), rank (A|b) = "
                                "%2, неизвестных n = %3.\n")
                       .arg(number(answer.rank), number(answer.augmentedRank), number(n_)));
        switch (answer.kind) {
        case exact::Answer::Kind::Unique:
            page_.text(QCoreApplication::translate(
                "steps", "По теореме Кронекера–Капелли ранги равны числу неизвестных: система "
                         "совместна, решение единственное.\n"));
            break;
        case exact::Answer::Kind::Infinite:
            page_.text(QCoreApplication::translate(
                           "steps", "По теореме Кронекера–Капелли ранги равны, но меньше числа "
                                    "неизвестных: система совместна, решений бесконечно много, "
                                    "свободных неизвестных: %1.\n")
                           .arg(number(n_ - answer.rank)));
            break;
        case exact::Answer::Kind::None:
            page_.text(QCoreApplication::translate(
                "steps", "По теореме Кронекера–Капелли ранги различны: система несовместна, "
                         "решений нет.\n"));
            break;
        }
    }

    // A determinant with its value; of order 2 or 3 also written out by its rule, which must
    // give the same value (false, and nothing shown past the matrix, when it does not).
    bool determinant(const exact::Table& m, const QString& title, const mpq_class& value) {
        page_.text(title);
        page_.matrix(rows(m), marks(0, true));
        const std::optional<exact::Expansion> e = exact::expansion(m);
        if (!e) {
            page_.text(QStringLiteral("= %1\n").arg(f(value)));
            return true;
        }
        if (e->value != value)
            return false;
        QString sum;
        for (const exact::Expansion::Product& p : e->products) {
            QStringList factors;
            for (const mpq_class& factor : p.factors)
                factors.append(term(factor));
            sum += sum.isEmpty() ? (p.negative ? QStringLiteral("−") : QString())
                                 : (p.negative ? QStringLiteral(" − ") : QStringLiteral(" + "));
            sum += factors.join(u'·');
        }
        page_.text(QStringLiteral("= ") + sum + equals(unrounded(m) && unrounded(value)) +
                   f(value) + u'\n');
        return true;
    }

    // What the ranks say when the method does not apply (Δ = 0, no A⁻¹).
    void byRanks(const exact::EliminationMethod& ranks) {
        if (ranks.reduction.tooLargeAt != 0)
            tooLarge(ranks.reduction.tooLargeAt);
        else
            verdict(ranks.answer);
    }

    void tooLarge(int step) {
        page_.warning(QCoreApplication::translate(
                          "steps", "На шаге %1 появилось число длиннее %2 цифр: метод "
                                   "остановлен.\n")
                          .arg(number(step), QString::number(exact::digitLimit)));
    }

    void cramer() {
        const exact::CramerMethod m = exact::cramer(a_.system);
        page_.text(
            n_ == 2   ? QCoreApplication::translate("steps",
                                                    "\nОпределители второго порядка: произведение "
                                                      "элементов главной диагонали минус произведение "
                                                      "элементов побочной.\n")
            : n_ == 3 ? QCoreApplication::translate("steps",
                                                    "\nОпределители третьего порядка вычисляем по "
                                                    "правилу Саррюса: три "
                                                    "произведения со знаком плюс, три со знаком "
                                                    "минус.\n")
                      : QCoreApplication::translate("steps",
                                                    "\nОпределители вычислены точным исключением: "
                                                    "произведение ведущих элементов со знаком "
                                                    "перестановок строк.\n"));
        if (m.tooLargeAt != 0 && !m.delta) {
            tooLarge(m.tooLargeAt);
            return;
        }
        const mpq_class& delta = *m.delta;
        const exact::Elimination& e = a_.elimination;
        if (!e.tooLarge && e.determinant && *e.determinant != delta) {
            failedCheck();
            return;
        }
        if (!determinant(m.a, QCoreApplication::translate("steps", "Δ — определитель матрицы A:\n"),
                         delta)) {
            failedCheck();
            return;
        }
        if (sgn(delta) == 0) {
            page_.text(QCoreApplication::translate(
                "steps", "Δ = 0: правило Крамера неприменимо, по рангам:\n"));
            byRanks(m.ranks);
            return;
        }
        bool checked = m.tooLargeAt == 0 && exact::solves(a_.system, m.x);
        for (int i = 0; checked && !e.tooLarge && i < n_; ++i)
            checked = m.x[static_cast<std::size_t>(i)] == e.at(i, n_);
        if (m.tooLargeAt != 0) {
            tooLarge(m.tooLargeAt);
            return;
        }
        if (!checked) {
            failedCheck();
            return;
        }
        for (int i = 0; i < n_; ++i) {
            exact::Table ai = m.a;
            for (int r = 0; r < n_; ++r)
                ai.at(r, i) = at(r, n_);
            const mpq_class& di = m.deltas[static_cast<std::size_t>(i)];
            if (!determinant(ai,
                             QCoreApplication::translate(
                                 "steps", "\nΔ%1 — столбец %1 заменён столбцом правых частей:\n")
                                 .arg(number(i + 1)),
                             di)) {
                failedCheck();
                return;
            }
            const mpq_class& xi = m.x[static_cast<std::size_t>(i)];
            page_.text(QStringLiteral("x%1 = Δ%1 / Δ = %2 / %3")
                           .arg(number(i + 1), term(di), term(delta)) +
                       equals(unrounded(di) && unrounded(delta) && unrounded(xi)) + f(xi) + u'\n');
        }
        substitution(m.x);
        page_.text(QCoreApplication::translate(
            "steps", "Проверка точная: A·x = b, и x совпадает с точным ответом.\n"));
        answer(m.x);
    }

    void inverse() {
        const exact::InverseMethod m = exact::inverse(a_.system);
        if (m.byCofactors) {
            inverseByCofactors(m);
            return;
        }
        page_.text(QCoreApplication::translate(
            "steps", "\nМатрицу [A | E] методом Жордана–Гаусса приводим к [E | A⁻¹]:\n"));
        page_.matrix(rows(m.reduction.start), marks(n_));
        steps(m.reduction, n_, false);
        if (m.reduction.tooLargeAt != 0)
            return;
        if (m.singularAt != 0) {
            page_.text(QCoreApplication::translate(
                           "steps", "\nНа шаге %1 в левой половине не нашлось ведущего "
                                    "элемента: она не приводится к E. Матрица A вырождена "
                                    "(det A = 0), A⁻¹ не существует. По рангам:\n")
                           .arg(number(m.singularAt)));
            byRanks(m.ranks);
            return;
        }
        if (!exact::isInverse(exact::coefficients(a_.system), m.inverse) ||
            !exact::solves(a_.system, m.x)) {
            failedCheck();
            return;
        }
        page_.text(QCoreApplication::translate("steps", "\nA⁻¹:\n"));
        page_.matrix(rows(m.inverse), marks(0));
        inverseChecked(m);
    }

    void inverseChecked(const exact::InverseMethod& m) {
        page_.text(QCoreApplication::translate("steps", "Проверка точная: A·A⁻¹ = E.\n"));
        page_.text(QCoreApplication::translate("steps", "x = A⁻¹·b:\n"));
        values(m.x);
        checkedAnswer(m.x);
    }

    // A⁻¹ = A* / Δ: Δ by its rule, then each cofactor with the minor it comes from written out.
    void inverseByCofactors(const exact::InverseMethod& m) {
        const exact::Table a = exact::coefficients(a_.system);
        page_.text(QCoreApplication::translate(
            "steps", "\nA⁻¹ = A* / Δ, где Δ = det A, а A* — присоединённая матрица: "
                     "транспонированная матрица алгебраических дополнений.\n"));
        if (m.reduction.tooLargeAt != 0) {
            page_.warning(QCoreApplication::translate(
                              "steps", "Определитель или алгебраическое дополнение длиннее %1 "
                                       "цифр: метод остановлен.\n")
                              .arg(QString::number(exact::digitLimit)));
            return;
        }
        if (!determinant(a, QCoreApplication::translate("steps", "Δ — определитель матрицы A:\n"),
                         m.delta)) {
            failedCheck();
            return;
        }
        if (m.singularAt != 0) {
            page_.text(QCoreApplication::translate(
                "steps", "Δ = 0: матрица A вырождена, A⁻¹ не существует. По рангам:\n"));
            byRanks(m.ranks);
            return;
        }
        if (!exact::isInverse(a, m.inverse) || !exact::solves(a_.system, m.x)) {
            failedCheck();
            return;
        }
        page_.text(QCoreApplication::translate(
            "steps", "Алгебраические дополнения Aij = (−1)^(i+j)·Mij, где Mij — определитель, "
                     "который остаётся после вычёркивания строки i и столбца j:\n"));
        for (int i = 0; i < n_; ++i)
            for (int j = 0; j < n_; ++j)
                page_.text(cofactor(a, i, j, m.cofactors.at(i, j)) + u'\n');
        page_.text(QCoreApplication::translate("steps", "A*:\n"));
        page_.matrix(rows(m.adjugate), marks(0));
        page_.text(QCoreApplication::translate("steps", "A⁻¹ = A* / %1:\n").arg(term(m.delta)));
        page_.matrix(rows(m.inverse), marks(0));
        inverseChecked(m);
    }

    // "A12 = −((-3)·2 − 2·(-2)) = 2"; of order 2 "A12 = −(-3) = 3".
    QString cofactor(const exact::Table& a, int i, int j, const mpq_class& value) const {
        const exact::Table minor = exact::minor(a, i, j);
        const bool minus = (i + j) % 2 != 0;
        QString written;
        if (const std::optional<exact::Expansion> e = exact::expansion(minor)) {
            const exact::Expansion::Product &p = e->products[0], &q = e->products[1];
            written = term(p.factors[0]) + u'·' + term(p.factors[1]) + QStringLiteral(" − ") +
                      term(q.factors[0]) + u'·' + term(q.factors[1]);
            if (minus)
                written = QStringLiteral("−(") + written + u')';
        } else {
            written = minus ? u'−' + term(minor.at(0, 0)) : f(minor.at(0, 0));
        }
        const QString name = QStringLiteral("A%1%2 = ").arg(number(i + 1), number(j + 1));
        // "A11 = 1", "A12 = -3": a cofactor that is its entry is written by its value alone.
        if (QString(written).replace(u'−', u'-') == f(value))
            return name + f(value);
        return name + written + equals(unrounded(minor) && unrounded(value)) + f(value);
    }

    void bareiss() {
        const exact::BareissMethod m = exact::bareiss(a_.system);
        page_.text(QCoreApplication::translate(
            "steps", "\nКаждую строку делаем целой: умножаем её на наименьшее общее кратное "
                     "знаменателей её чисел.\n"));
        QStringList notes(n_);
        for (int i = 0; i < n_; ++i) {
            const mpz_class& s = m.scales[static_cast<std::size_t>(i)];
            if (s == 1)
                continue;
            const auto [sentence, note] =
                operation({RowOperation::Kind::Multiply, i, -1, mpq_class(s), {}, 1});
            page_.text(sentence);
            notes[i] = note;
        }
        if (m.scaled.values == a_.system.values)
            page_.text(QCoreApplication::translate("steps",
                                                   "Все числа целые: умножать строки не нужно.\n"));
        page_.matrix(rows(m.scaled), marks(-1, false, notes));
        page_.text(QCoreApplication::translate(
            "steps", "Шаг без дробей: a[i][j] ← (a[k][k]·a[i][j] − a[i][k]·a[k][j]) / "
                     "(ведущий элемент предыдущего шага, на первом шаге 1).\n"));
        steps(m.reduction, -1, false);
        if (m.reduction.tooLargeAt != 0)
            return;
        if (!m.reduction.divisionsExact) {
            failedCheck();
            return;
        }
        page_.text(QCoreApplication::translate(
            "steps", "\nВсе деления выполнены нацело: числа остались целыми.\n"));
        const exact::Elimination& e = a_.elimination;
        if (!e.tooLarge && e.determinant && m.determinant && *e.determinant != *m.determinant) {
            failedCheck();
            return;
        }
        mpq_class product = 1;
        for (const mpz_class& s : m.scales)
            product *= s;
        if (m.reduction.rank == n_)
            page_.text(QCoreApplication::translate(
                           "steps", "Последний ведущий элемент со знаком перестановок строк — "
                                    "определитель умноженной системы: %1; det A = %1 / %2 = "
                                    "%3.\n")
                           .arg(f(*m.scaledDeterminant), term(product), f(*m.determinant)));
        else
            page_.text(
                QCoreApplication::translate("steps", "Ведущих элементов меньше n: det A = 0.\n"));
        if (m.answer.kind != exact::Answer::Kind::Unique) {
            verdict(m.answer);
            return;
        }
        if (!exact::answerHolds(m.answer, a_)) {
            failedCheck();
            return;
        }
        backSubstitution(m.reduction, m.answer.x);
        if (verdict(m.answer))
            checkedAnswer(m.answer.x);
    }

  private:
    const solver::Analysis& a_;
    NumberForm form_;
    QChar sep_;
    int n_;
    Page page_;
};

} // namespace

Page methodPage(Method method, const solver::SolveRecord& record, const solver::CheckedSolve& solve,
                NumberForm form, QChar decimalSeparator) {
    Page page;
    page.heading(methodName(method));
    if (method == Method::AsSolved) {
        page.append(steps::page(record, solve, decimalSeparator, form));
        return page;
    }
    const solver::Analysis& a = solve.analysis;
    if (!a.computed || a.system.tooLarge) {
        page.text(!a.computed
                      ? QCoreApplication::translate(
                            "steps", "Точную систему взять не удалось: в матрице есть значение, "
                                     "которое не является конечным числом.\n")
                      : QCoreApplication::translate(
                            "steps", "Точную систему взять не удалось: в её записи есть число "
                                     "длиннее %1 цифр.\n")
                            .arg(QString::number(exact::digitLimit)));
        return page;
    }
    MethodWriter writer(a, form, decimalSeparator);
    writer.system();
    switch (method) {
    case Method::Gauss:
        writer.gauss();
        break;
    case Method::GaussJordan:
        writer.gaussJordan();
        break;
    case Method::Cramer:
        writer.cramer();
        break;
    case Method::Inverse:
        writer.inverse();
        break;
    case Method::Bareiss:
        writer.bareiss();
        break;
    case Method::Ranks:
        writer.ranks();
        break;
    case Method::AsSolved:
        break;
    }
    page.append(writer.page());
    return page;
}

} // namespace steps
