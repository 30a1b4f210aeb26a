#include "core/entry_text.h"

#include "support/numbers.h"

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
    QString preview = QStringLiteral("Массив");
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

} // namespace entry
