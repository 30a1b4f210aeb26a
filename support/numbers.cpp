#include "support/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace numbers {
namespace {

// Walks a text for the value-of-text rule, passing over blanks, tabs and line feeds.
class NumberCursor {
  public:
    explicit NumberCursor(QStringView text) : text_(text) {}

    QChar peek() {
        while (pos_ < text_.size() && isSkipped(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_] : QChar();
    }
    void advance() { ++pos_; }
    qsizetype pos() const { return pos_; }

  private:
    static bool isSkipped(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }
    QStringView text_;
    qsizetype pos_ = 0;
};

int digitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    int v = -1;
    if (u >= u'0' && u <= u'9')
        v = u - u'0';
    else if (u >= u'a' && u <= u'f')
        v = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        v = u - u'A' + 10;
    return v >= 0 && v < base ? v : -1;
}

double clampedHuge(bool negative) {
    const double m = std::numeric_limits<double>::max();
    return negative ? -m : m;
}

// A hexadecimal or octal integer, read exactly and rounded once to the nearest double (halves to
// even), as a decimal text of the same integer is; beyond the double range the largest double.
double radixValue(const std::string& radixDigits, int base) {
    std::string digits; // the significant digits, as hexadecimal digits
    int octalBits = 0;  // octal digits go in three bits at a time
    unsigned pending = 0;
    for (const char c : radixDigits) {
        const int d = digitValue(QChar(c), base);
        if (base == 16) {
            if (!digits.empty() || d != 0)
                digits += "0123456789abcdef"[d];
            continue;
        }
        pending = pending << 3 | static_cast<unsigned>(d);
        octalBits += 3;
        if (octalBits >= 4) {
            octalBits -= 4;
            const unsigned nibble = pending >> octalBits & 0xf;
            pending &= (1u << octalBits) - 1;
            if (!digits.empty() || nibble != 0)
                digits += "0123456789abcdef"[nibble];
        }
    }
    if (digits.empty() && pending == 0)
        return 0;
    // The last octal bits stand below the hexadecimal digits: a binary exponent scales them back.
    int binaryShift = 0;
    if (octalBits > 0) {
        digits += "0123456789abcdef"[pending << (4 - octalBits)];
        binaryShift = octalBits - 4;
    }
    // The exponent is appended in place: "p" + to_string(...) would build a temporary by
    // inserting before its digits, a copy GCC 12 at -O3 takes for an overlapping one (-Wrestrict).
    if (binaryShift != 0) {
        digits += 'p';
        digits += std::to_string(binaryShift);
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::hex);
    (void)ptr;
    if (ec != std::errc() || !std::isfinite(value))
        return clampedHuge(false);
    return value;
}

// Decimal exponent of the first significant digit, used to tell an overflow from an underflow.
long long magnitudeOf(const std::string& intDigits, const std::string& fracDigits, long long exp) {
    const auto firstInt = intDigits.find_first_not_of('0');
    if (firstInt != std::string::npos)
        return static_cast<long long>(intDigits.size() - firstInt) - 1 + exp;
    const auto firstFrac = fracDigits.find_first_not_of('0');
    if (firstFrac == std::string::npos)
        return std::numeric_limits<long long>::min();
    return -static_cast<long long>(firstFrac) - 1 + exp;
}

QString nonFiniteText(double value) {
    if (std::isnan(value))
        return QStringLiteral("?");
    return value < 0 ? QStringLiteral("-∞") : QStringLiteral("∞");
}

// The value as std::to_chars writes it in the format and precision, the exponent's letter E and
// the decimal separator the one given; "0" for zero, and the texts of the values not finite.
QString charsText(double value, std::chars_format format, int precision, QChar decimalSeparator) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0)
        return QStringLiteral("0");
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, format, precision);
    QString text = QString::fromLatin1(buf, res.ptr - buf);
    text.replace(u'e', u'E');
    text.replace(u'.', decimalSeparator);
    return text;
}

} // namespace

NumberParts scanNumber(QStringView text) {
    NumberCursor cur(text);
    NumberParts parts;
    if (cur.peek() == u'&') {
        cur.advance();
        const QChar kind = cur.peek().toUpper();
        if (kind == u'H' || kind == u'O') {
            cur.advance();
            parts.radix = kind == u'H' ? 16 : 8;
            for (; digitValue(cur.peek(), parts.radix) >= 0; cur.advance())
                parts.digits += static_cast<char>(cur.peek().unicode());
        }
        parts.length = parts.digits.empty() ? 0 : cur.pos();
        return parts;
    }
    if (cur.peek() == u'+' || cur.peek() == u'-') {
        parts.negative = cur.peek() == u'-';
        cur.advance();
    }
    const auto readDigits = [&cur](std::string& digits) {
        for (; digitValue(cur.peek(), 10) >= 0; cur.advance())
            digits += static_cast<char>(cur.peek().unicode());
    };
    readDigits(parts.digits);
    if (cur.peek() == u'.') {
        cur.advance();
        readDigits(parts.fraction);
    }
    if (parts.digits.empty() && parts.fraction.empty())
        return parts;
    const QChar e = cur.peek().toUpper();
    parts.length = cur.pos();
    if (e == u'E' || e == u'D') {
        cur.advance();
        bool expNegative = false;
        if (cur.peek() == u'+' || cur.peek() == u'-') {
            expNegative = cur.peek() == u'-';
            cur.advance();
        }
        const bool exponentDigits = digitValue(cur.peek(), 10) >= 0;
        for (; digitValue(cur.peek(), 10) >= 0; cur.advance())
            if (parts.exponent < NumberParts::exponentLimit)
                parts.exponent = parts.exponent * 10 + (cur.peek().unicode() - u'0');
        if (exponentDigits)
            parts.length = cur.pos();
        if (expNegative)
            parts.exponent = -parts.exponent;
    }
    return parts;
}

bool readsWhole(QStringView text) {
    return !text.isEmpty() && scanNumber(text).length == text.size();
}

double valueOfText(QStringView text) {
    const NumberParts parts = scanNumber(text);
    if (parts.radix != 10)
        return radixValue(parts.digits, parts.radix);
    const std::string& intDigits = parts.digits;
    const std::string& fracDigits = parts.fraction;
    const long long exp = parts.exponent;
    const bool negative = parts.negative;
    if (intDigits.empty() && fracDigits.empty())
        return 0;
    std::string number = (intDigits.empty() ? std::string("0") : intDigits);
    if (!fracDigits.empty())
        number += '.' + fracDigits;
    number += 'e' + std::to_string(exp);
    double value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        const long long mag = magnitudeOf(intDigits, fracDigits, exp);
        return mag > 0 ? clampedHuge(negative) : (negative ? -0.0 : 0.0);
    }
    if (ec != std::errc() || !std::isfinite(value))
        return clampedHuge(negative);
    return negative ? -value : value;
}

QString displayText(double value, QChar decimalSeparator) {
    return charsText(value, std::chars_format::general, 15, decimalSeparator);
}

QString magnitudeText(double value, QChar decimalSeparator) {
    return charsText(value, std::chars_format::scientific, 2, decimalSeparator);
}

QString fixed3(double value, QChar decimalSeparator) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    std::string digits = "0";
    int exp10 = 0;
    if (magnitude != 0) {
        char buf[64];
        const auto res =
            std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
        const std::string sci(buf, res.ptr);
        const auto ePos = sci.find('e');
        digits = sci.substr(0, 1) + sci.substr(2, ePos - 2);
        exp10 = std::stoi(sci.substr(ePos + 1));
    }
    // Digit i stands for 10^(exp10 - i); the kept ones reach down to the thousandths.
    const int keep = exp10 + 4;
    std::string kept;
    bool roundUp = false;
    if (keep <= 0) {
        kept = "0";
        roundUp = keep == 0 && digits[0] >= '5';
    } else if (keep >= static_cast<int>(digits.size())) {
        kept = digits + std::string(keep - digits.size(), '0');
    } else {
        kept = digits.substr(0, keep);
        roundUp = digits[keep] >= '5';
    }
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[i] == '9')
            kept[i--] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[i];
    }
    if (kept.size() < 4)
        kept.insert(0, 4 - kept.size(), '0');
    QString text = negative ? QStringLiteral("-") : QString();
    text += QString::fromLatin1(kept.data(), static_cast<qsizetype>(kept.size() - 3));
    text += decimalSeparator;
    text += QString::fromLatin1(kept.data() + kept.size() - 3, 3);
    return text;
}

std::optional<qint16> roundToInt16(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double below = std::floor(value);
    const double rest = value - below;
    double rounded = below;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(below, 2.0) != 0))
        rounded = below + 1;
    if (rounded < -32768 || rounded > 32767)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

QString fileNumberText(double value) {
    const QChar sign = value < 0 ? u'-' : u' ';
    return sign + displayText(std::fabs(value), u'.') + u' ';
}

} // namespace numbers
