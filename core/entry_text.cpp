#include "core/entry_text.h"

#include "support/numbers.h"

#include <QCoreApplication>
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

QString normalizePasted(QStringView text) {
    QString result;
    result.reserve(text.size());
    bool inBlank = false;
    for (const QChar c : text) {
        const bool blank = c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
        if (blank) {
            if (!inBlank)
                result += u' ';
            inBlank = true;
        } else {
            result += c;
            inBlank = false;
        }
    }
    return result;
}

bool isPastedBlock(QStringView text) {
    return text.contains(u'\t') || text.contains(u'\n') || text.contains(u'\r');
}

namespace {

// A cell's numbers: blanks part them as in typed text; "2,5" becomes "2.5".
void appendCell(QStringList& out, QStringView cell) {
    const QString parted = normalizePasted(cell.trimmed());
    if (parted.isEmpty()) {
        out.append(QString()); // an empty cell keeps its place
        return;
    }
    for (const QString& number : parted.split(u' '))
        out.append(commaAsPoint(number).value_or(number));
}

} // namespace

QString pastedBlock(QStringView text) {
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
    return first == last ? QString() : cells.join(u' ');
}

} // namespace entry
