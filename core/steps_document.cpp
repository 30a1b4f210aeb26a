#include "core/steps_document.h"

#include "core/exact_solve.h"
#include "core/solver.h"
#include "core/steps_text.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

namespace steps {
namespace {

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

// A cell of the window's text in LaTeX: the decimal comma braced, the exponent as a power of ten.
QString latexNumber(QString cell) {
    static const QRegularExpression exponent(
        QStringLiteral("^(-?[0-9][.,][0-9]+)E([+-])0*([0-9]+)$"));
    const QRegularExpressionMatch m = exponent.match(cell);
    if (m.hasMatch())
        cell = m.captured(1) + QStringLiteral("\\cdot 10^{") +
               (m.captured(2) == u"-" ? QStringLiteral("-") : QString()) + m.captured(3) + u'}';
    return cell.replace(u',', QStringLiteral("{,}"));
}

QString latexFraction(const mpq_class& q) {
    if (q.get_den() == 1)
        return QString::fromStdString(q.get_str());
    const QString numerator = QString::fromStdString(mpz_class(abs(q.get_num())).get_str());
    return (sgn(q) < 0 ? QStringLiteral("-") : QString()) + QStringLiteral("\\frac{") + numerator +
           QStringLiteral("}{") + QString::fromStdString(q.get_den().get_str()) + u'}';
}

QString latexMatrix(const Matrix& m, QChar sep) {
    const int columns = m.columns();
    QString text = QStringLiteral("\\[\n\\left(\\begin{array}{") + QString(columns - 1, u'r') +
                   QStringLiteral("|r}\n");
    for (int i = 0; i < m.rows(); ++i) {
        QStringList cells;
        for (int j = 0; j < columns; ++j)
            cells.append(latexNumber(valueText(m(i, j), sep)));
        text += cells.join(QStringLiteral(" & ")) + QStringLiteral(" \\\\\n");
    }
    return text + QStringLiteral("\\end{array}\\right)\n\\]\n");
}

} // namespace

QString htmlPage(const Page& page) {
    QString body;
    for (const PageLine& line : page.lines()) {
        switch (line.kind) {
        case LineKind::Matrix:
            body += QStringLiteral("<table class=\"m\">\n");
            for (const QStringList& cells : line.rows) {
                QString row = QStringLiteral("<tr>");
                for (qsizetype j = 0; j + 1 < cells.size(); ++j)
                    row += QStringLiteral("<td>") + escaped(cells[j]) + QStringLiteral("</td>");
                row += QStringLiteral("<td class=\"b\">") + escaped(cells.value(cells.size() - 1)) +
                       QStringLiteral("</td></tr>\n");
                body += row;
            }
            body += QStringLiteral("</table>\n");
            break;
        case LineKind::Warning:
        case LineKind::Error:
            body +=
                QStringLiteral("<p class=\"w\">") + escaped(line.text) + QStringLiteral("</p>\n");
            break;
        case LineKind::Heading:
            body += QStringLiteral("<h2>") + escaped(line.text) + QStringLiteral("</h2>\n");
            break;
        case LineKind::Text:
            if (!line.text.isEmpty())
                body += QStringLiteral("<p>") + escaped(line.text) + QStringLiteral("</p>\n");
            break;
        }
    }
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<title>") +
           QCoreApplication::translate("steps", "Решение по шагам") +
           QStringLiteral(
               "</title>\n<style>\n"
               "body { font-family: monospace; }\n"
               "p { margin: 0.2em 0; }\n"
               "table.m { border-collapse: collapse; margin: 0.3em 0 0.6em 1em; }\n"
               "table.m td { text-align: right; padding: 0 0.6em; white-space: nowrap; }\n"
               "table.m td.b { border-left: 1px solid black; }\n"
               ".w { color: #b00000; font-weight: bold; }\n"
               "</style>\n</head>\n<body>\n") +
           body + QStringLiteral("</body>\n</html>\n");
}

QString latexText(const solver::SolveRecord& record, const solver::CheckedSolve& solve, QChar sep) {
    QString text = QCoreApplication::translate(
        "steps", "% Решение по шагам\n\\noindent Система, как она решалась:\n");
    text += latexMatrix(record.initial, sep);
    for (const solver::SolvePass& pass : record.passes) {
        if (pass.pivotRow < 0) {
            text +=
                QCoreApplication::translate("steps", "\\noindent Шаг %1: ведущего элемента нет.\n")
                    .arg(pass.column + 1);
            break;
        }
        text += QCoreApplication::translate("steps",
                                            "\\noindent Шаг %1: ведущий элемент в строке %2%3.\n")
                    .arg(QString::number(pass.column + 1), QString::number(pass.pivotRow + 1),
                         pass.exchanged
                             ? QCoreApplication::translate("steps", ", строки %1 и %2 переставлены")
                                   .arg(pass.column + 1)
                                   .arg(pass.pivotRow + 1)
                             : QString());
        text += latexMatrix(pass.after, sep);
    }
    if (record.outcome == solver::Outcome::Unique) {
        std::vector<double> x(static_cast<std::size_t>(record.order));
        for (const solver::BackStep& step : record.back)
            x[static_cast<std::size_t>(step.row)] = step.value;
        QStringList lines;
        for (std::size_t i = 0; i < x.size(); ++i)
            lines.append(
                QStringLiteral("x_{%1} &= %2").arg(i + 1).arg(latexNumber(valueText(x[i], sep))));
        text += QCoreApplication::translate("steps", "\\noindent Решение:\n\\begin{align*}\n") +
                lines.join(QStringLiteral(" \\\\\n")) + QStringLiteral("\n\\end{align*}\n");
    } else {
        text += QCoreApplication::translate("steps", "\\noindent Решение: ") +
                (record.outcome == solver::Outcome::NoUnique ? solver::noUniqueText
                                                             : solver::overflowText) +
                QStringLiteral(".\n");
    }
    if (!solve.analysis.computed)
        return text;
    const exact::Elimination& e = solve.analysis.elimination;
    if (e.tooLarge)
        return text;
    if (e.rank == record.order) {
        QStringList lines;
        for (int i = 0; i < record.order; ++i)
            lines.append(QStringLiteral("x_{%1} &= %2")
                             .arg(i + 1)
                             .arg(latexFraction(e.at(i, record.order))));
        text +=
            QCoreApplication::translate("steps", "\\noindent Точный ответ:\n\\begin{align*}\n") +
            lines.join(QStringLiteral(" \\\\\n")) + QStringLiteral("\n\\end{align*}\n");
    }
    if (e.determinant)
        text += QStringLiteral("\\[\n\\det A = ") + latexFraction(*e.determinant) +
                QStringLiteral("\n\\]\n");
    return text;
}

} // namespace steps
