// The systems the steps benches time: order n, every entry a six-digit decimal.
#pragma once

#include <QString>
#include <QStringList>
#include <random>

namespace bench {

// n (n + 1) entries such as -123.456 or 7.25001: six significant digits, three decimals or more.
inline QString sixDigitSystem(int n, std::mt19937& random) {
    std::uniform_int_distribution<int> mantissa(100000, 999999);
    std::uniform_int_distribution<int> point(0, 5);
    QStringList tokens;
    for (int k = 0; k < n * (n + 1); ++k) {
        QString digits = QString::number(mantissa(random));
        digits.insert(point(random) + 1, u'.');
        tokens.append((random() & 1 ? QStringLiteral("-") : QString()) + digits);
    }
    return tokens.join(u' ') + u' ';
}

} // namespace bench
