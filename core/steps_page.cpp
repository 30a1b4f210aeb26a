#include "core/steps_page.h"

#include <algorithm>

namespace steps {

void Page::add(QStringView text, LineKind kind) {
    // A line is a warning when any part of it was written as one.
    auto take = [&](QStringView part) {
        if (kind == LineKind::Warning && !part.isEmpty())
            openKind_ = kind;
        open_ += part;
    };
    qsizetype from = 0;
    for (qsizetype lf = text.indexOf(u'\n'); lf >= 0; lf = text.indexOf(u'\n', from)) {
        take(text.mid(from, lf - from));
        lines_.push_back({openKind_, std::move(open_), {}});
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

void Page::matrix(std::vector<QStringList> rows) {
    lines_.push_back({LineKind::Matrix, {}, std::move(rows)});
}

void Page::append(const Page& other) {
    lines_.insert(lines_.end(), other.lines_.begin(), other.lines_.end());
}

QString alignedRows(const std::vector<QStringList>& rows) {
    std::vector<qsizetype> width;
    for (const QStringList& row : rows)
        for (qsizetype j = 0; j < row.size(); ++j) {
            if (qsizetype(width.size()) <= j)
                width.push_back(0);
            width[j] = std::max(width[j], row[j].size());
        }
    QString text;
    for (const QStringList& row : rows) {
        for (qsizetype j = 0; j < row.size(); ++j) {
            if (j > 0)
                text += j + 1 == row.size() ? QStringLiteral("  |  ") : QStringLiteral("  ");
            text += row[j].rightJustified(width[j]);
        }
        text += u'\n';
    }
    return text;
}

QString Page::plainText() const {
    QString text;
    for (const PageLine& line : lines_)
        text += line.kind == LineKind::Matrix ? alignedRows(line.rows) : line.text + u'\n';
    return text;
}

} // namespace steps
