// Reading the steps text in tests: the rows of the last matrix it shows.
#pragma once

#include "core/entry_text.h"
#include "core/solve_check.h"
#include "core/solve_record.h"
#include "core/steps_text.h"

#include <QString>
#include <QStringList>

// One checked solve of an entry text, as the main window runs it.
struct StepsSolve {
    SystemStore store;
    solver::SolveRecord record;
    solver::CheckedSolve checked;
    QString text(QChar separator = u'.') const {
        return steps::page(record, checked, separator).plainText();
    }
    QString exactText() const { return steps::exactPage(record, checked, u'.').plainText(); }
    QString trustText() const { return steps::trustPage(checked, u'.').plainText(); }
};

inline StepsSolve solveForSteps(int order, const QString& entry, QChar separator = u'.') {
    StepsSolve s;
    s.store.shapeForOrder(ArrayOrder(order));
    entry::fillMatrix(s.store.matrix, entry, separator);
    s.checked = solver::solveChecked(s.store, s.record, entry);
    return s;
}

// The rows after the last line that introduces a matrix ("Матрица …:" or "Система …:") in the
// form Label1 shows them: the aligned cells and the bar dropped, every number followed by two
// blanks, each row ended by CR LF. A value the window gives in exponent form because "##0.000"
// would show it as zero is turned back into that zero. "<none>" when the text has no such block.
inline QString lastMatrixBlock(const QString& text, int rows) {
    const QStringList lines = text.split(u'\n');
    int start = -1;
    for (int i = 0; i < lines.size(); ++i)
        if ((lines[i].startsWith(QStringLiteral("Матрица")) ||
             lines[i].startsWith(QStringLiteral("Система"))) &&
            lines[i].endsWith(u':'))
            start = i + 1;
    if (start < 0 || start + rows > lines.size())
        return QStringLiteral("<none>");
    QString block;
    for (int i = start; i < start + rows; ++i) {
        for (QString cell : lines[i].split(u' ', Qt::SkipEmptyParts)) {
            if (cell == u"|")
                continue;
            if (cell.contains(u'E')) {
                const bool negative = cell.startsWith(u'-');
                cell = (negative ? QStringLiteral("-0") : QStringLiteral("0")) +
                       cell[negative ? 2 : 1] + QStringLiteral("000");
            }
            block += cell + QStringLiteral("  ");
        }
        block += QStringLiteral("\r\n");
    }
    return block;
}
