#include "core/entry_text.h"

#include "support/numbers.h"

#include <QCoreApplication>
#include <algorithm>
#include <optional>

namespace entry {

QList<QStringView> tokens(QStringView text) {
    QList<QStringView> result;
    if (text.isEmpty())
        return result;
    qsizetype start = 0;
    for (;;) {
        const qsizetype blank = text.indexOf(u' ', start);
        if (blank < 0) {
            result.append(text.mid(start));
            return result;
        }
        result.append(text.mid(start, blank - start));
        start = blank + 1;
    }
}

namespace {

// Hands out the tokens of a text one by one, starting again from the first after the last.
class TokenCycle {
  public:
    explicit TokenCycle(QStringView text) : text_(text) {}
    QStringView next() {
        const qsizetype blank = text_.indexOf(u' ', pos_);
        QStringView token;
        if (blank < 0) {
            token = text_.mid(pos_);
            pos_ = 0;
        } else {
            token = text_.mid(pos_, blank - pos_);
            pos_ = blank + 1;
        }
        return token;
    }

  private:
    QStringView text_;
    qsizetype pos_ = 0;
};

} // namespace

std::optional<QString> fillMatrix(Matrix& matrix, QStringView text, QChar decimalSeparator) {
    if (text.isEmpty())
        return std::nullopt;
    const int n = matrix.order();
    QString preview = QCoreApplication::translate("entry", "Массив");
    TokenCycle cycle(text);
    for (int i = 0; i < n && i < matrix.rows(); ++i) {
        preview += QStringLiteral("\n\r");
        for (int j = 0; j <= n; ++j) {
            const double value = numbers::valueOfText(cycle.next());
            matrix(i, j) = value;
            preview += j < n ? QStringLiteral("  ") : QStringLiteral("   |   ");
            preview += numbers::displayText(value, decimalSeparator);
        }
    }
    return preview;
}

std::vector<QStringList> previewCells(const Matrix& matrix, QChar decimalSeparator) {
    const int n = matrix.order();
    std::vector<QStringList> rows;
    for (int i = 0; i < n && i < matrix.rows(); ++i) {
        QStringList& row = rows.emplace_back();
        for (int j = 0; j <= n; ++j)
            row.append(numbers::displayText(matrix(i, j), decimalSeparator));
    }
    return rows;
}

std::optional<QString> commaAsPoint(QStringView token) {
    const qsizetype comma = token.indexOf(u',');
    if (comma < 0 || token.indexOf(u',', comma + 1) >= 0)
        return std::nullopt;
    QString withPoint = token.toString();
    withPoint[comma] = u'.';
    return numbers::readsWhole(withPoint) ? std::optional(withPoint) : std::nullopt;
}

namespace {

bool isDigits(QStringView text, qsizetype from, qsizetype to) {
    for (qsizetype i = from; i < to; ++i)
        if (!text[i].isDigit() || text[i].unicode() > 0x7f)
            return false;
    return from < to;
}

// A number of one to three digits, with or without a sign: the first group of a larger number.
bool isLeadingGroup(QStringView piece) {
    const qsizetype from = piece.startsWith(u'-') || piece.startsWith(u'+') ? 1 : 0;
    return piece.size() - from <= 3 && isDigits(piece, from, piece.size());
}

// Three digits, a comma and the fraction: the last group of a larger number.
bool isLastGroupWithComma(QStringView piece) {
    return piece.size() > 3 && piece[3] == u',' && isDigits(piece, 0, 3) &&
           (piece.size() == 4 || isDigits(piece, 4, piece.size()));
}

} // namespace

QStringList pastedNumbers(QStringView text) {
    QStringList numbers;
    QStringView previous;
    qsizetype blanksBefore = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype start = i;
        while (i < text.size() && text[i] == u' ')
            ++i;
        blanksBefore = i - start;
        const qsizetype from = i;
        while (i < text.size() && text[i] != u' ')
            ++i;
        if (from == i)
            break;
        const QStringView piece = text.mid(from, i - from);
        const bool lastGroup = !numbers.isEmpty() && blanksBefore == 1 &&
                               isLeadingGroup(previous) && isLastGroupWithComma(piece);
        const std::optional<QString> withPoint = lastGroup ? std::nullopt : commaAsPoint(piece);
        numbers.append(withPoint.value_or(piece.toString()));
        previous = piece;
    }
    return numbers;
}

QString pastedLine(QStringView text) {
    QString result = pastedNumbers(text).join(u' ');
    if (text.startsWith(u' '))
        result.prepend(u' ');
    if (text.endsWith(u' ') && result != u" ")
        result.append(u' ');
    return result;
}

bool isPastedBlock(QStringView text) {
    return text.contains(u'\t') || text.contains(u'\n') || text.contains(u'\r');
}

namespace {

// A cell's numbers: blanks part them as in typed text; "2,5" becomes "2.5".
void appendCell(QStringList& out, QStringView cell) {
    const QStringList numbers = pastedNumbers(cell.trimmed());
    if (numbers.isEmpty())
        out.append(QString()); // an empty cell keeps its place
    else
        out.append(numbers);
}

} // namespace

QString pastedBlock(QStringView text, QList<qsizetype>* emptyCells) {
    auto isSeparator = [](QChar c) { return c == u'\t' || c == u'\n' || c == u'\r' || c == u' '; };
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isSeparator(text[first]))
        ++first;
    while (last > first && isSeparator(text[last - 1]))
        --last;
    QStringList cells;
    qsizetype start = first;
    for (qsizetype i = first; i <= last; ++i) {
        const bool end = i == last;
        if (!end && text[i] != u'\t' && text[i] != u'\n' && text[i] != u'\r')
            continue;
        appendCell(cells, text.mid(start, i - start));
        if (!end && text[i] == u'\r' && i + 1 < last && text[i + 1] == u'\n')
            ++i; // CR LF is one row end
        start = i + 1;
    }
    if (first == last)
        return QString();
    if (emptyCells) {
        qsizetype at = 0;
        for (const QString& cell : cells) {
            if (cell.isEmpty())
                emptyCells->append(at);
            at += cell.size() + 1;
        }
    }
    return cells.join(u' ');
}

Paste pasteAt(QStringView pasted, QStringView before, QStringView after) {
    const bool block = isPastedBlock(pasted);
    Paste paste;
    QString& text = paste.text;
    text = block ? pastedBlock(pasted, &paste.emptyCells) : pastedLine(pasted);
    if (text.isEmpty())
        return paste;
    const bool blankBefore = before.isEmpty() || before.endsWith(u' ');
    const bool blankAfter = after.isEmpty() || after.startsWith(u' ');
    if (block) {
        if (!blankBefore) {
            text.prepend(u' ');
            for (qsizetype& at : paste.emptyCells)
                ++at;
        }
        if (!blankAfter)
            text.append(u' ');
        return paste;
    }
    if (blankBefore && text.startsWith(u' '))
        text.remove(0, 1);
    if (blankAfter && text.endsWith(u' '))
        text.chop(1);
    return paste;
}

namespace {

bool startsEmptyToken(QStringView text, qsizetype at) {
    return at >= 0 && at <= text.size() && (at == 0 || text[at - 1] == u' ') &&
           (at == text.size() || text[at] == u' ');
}

} // namespace

QList<qsizetype> keptEmptyCells(QStringView before, QStringView after,
                                const QList<qsizetype>& cells) {
    QList<qsizetype> kept;
    if (cells.isEmpty())
        return kept;
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype same = 0; // characters alike at the start
    while (same < shorter && before[same] == after[same])
        ++same;
    qsizetype sameEnd = 0; // and at the end, not counting those again
    while (sameEnd < shorter - same &&
           before[before.size() - 1 - sameEnd] == after[after.size() - 1 - sameEnd])
        ++sameEnd;
    for (const qsizetype at : cells) {
        qsizetype now = -1;
        if (at < same)
            now = at;
        else if (at > before.size() - sameEnd)
            now = at + after.size() - before.size();
        if (startsEmptyToken(after, now))
            kept.append(now);
    }
    return kept;
}

} // namespace entry
