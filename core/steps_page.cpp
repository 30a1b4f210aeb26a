#include "core/steps_page.h"

#include <algorithm>

namespace steps {

void Page::add(QStringView text, LineKind kind) {
    // A line is a warning (an error, a heading) when any part of it was written as one.
    auto take = [&](QStringView part) {
        if (kind != LineKind::Text && !part.isEmpty())
            openKind_ = kind;
        open_ += part;
    };
    qsizetype from = 0;
    for (qsizetype lf = text.indexOf(u'\n'); lf >= 0; lf = text.indexOf(u'\n', from)) {
        take(text.mid(from, lf - from));
        lines_.push_back({openKind_, std::move(open_), {}, {}});
        open_.clear();
        openKind_ = LineKind::Text;
        from = lf + 1;
    }
    take(text.mid(from));
}

void Page::text(QStringView text) {
    add(text, LineKind::Text);
}

void Page::warning(QStringView text) {
    add(text, LineKind::Warning);
}

void Page::error(QStringView text) {
    add(text, LineKind::Error);
}

void Page::heading(QStringView text) {
    if (!open_.isEmpty())
        add(u"\n", LineKind::Text);
    add(text, LineKind::Heading);
    add(u"\n", LineKind::Heading);
}

void Page::matrix(std::vector<QStringList> rows, MatrixMarks marks) {
    lines_.push_back({LineKind::Matrix, {}, std::move(rows), std::move(marks)});
}

void Page::append(const Page& other) {
    lines_.insert(lines_.end(), other.lines_.begin(), other.lines_.end());
}

qsizetype columnCount(const PageLine& line) {
    qsizetype columns = 0;
    for (const QStringList& row : line.rows)
        columns = std::max(columns, row.size());
    return columns;
}

int barColumn(const PageLine& line) {
    const qsizetype columns = columnCount(line);
    const int bar = line.marks.bar < 0 ? int(columns) - 1 : line.marks.bar;
    return bar > 0 && bar < columns ? bar : -1;
}

bool hasNotes(const PageLine& line) {
    return std::any_of(line.marks.notes.begin(), line.marks.notes.end(),
                       [](const QString& note) { return !note.isEmpty(); });
}

QString alignedRows(const std::vector<QStringList>& rows, const MatrixMarks& marks) {
    // The cells as written, the pivot after its mark; a prefix keeps the digits right-aligned.
    auto cell = [&](std::size_t i, qsizetype j) {
        const QString& text = rows[i][j];
        return int(i) == marks.pivotRow && j == marks.pivotColumn ? u'*' + text : text;
    };
    std::vector<qsizetype> width;
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (qsizetype j = 0; j < rows[i].size(); ++j) {
            if (qsizetype(width.size()) <= j)
                width.push_back(0);
            width[j] = std::max(width[j], cell(i, j).size());
        }
    QString text;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QStringList& row = rows[i];
        const qsizetype bar = marks.bar < 0 ? row.size() - 1 : marks.bar;
        QString line = marks.determinant ? QStringLiteral("| ") : QString();
        for (qsizetype j = 0; j < row.size(); ++j) {
            if (j > 0)
                line += j == bar ? QStringLiteral("  |  ") : QStringLiteral("  ");
            line += cell(i, j).rightJustified(width[j]);
        }
        if (marks.determinant)
            line += QStringLiteral(" |");
        const QString note = marks.notes.value(qsizetype(i));
        if (!note.isEmpty())
            line += QStringLiteral("   ← ") + note;
        text += line + u'\n';
    }
    return text;
}

QString Page::plainText() const {
    QString text;
    for (const PageLine& line : lines_)
        switch (line.kind) {
        case LineKind::Matrix:
            text += alignedRows(line.rows, line.marks);
            break;
        case LineKind::Heading:
            text += line.text + u'\n' + QString(line.text.size(), u'-') + u'\n';
            break;
        default:
            text += line.text + u'\n';
            break;
        }
    return text;
}

} // namespace steps
