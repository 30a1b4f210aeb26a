// Number conversions of the program: the value-of-text rule that reads typed and stored numbers,
// the display text of a number, the fixed pattern "##0.000" and rounding to a 16-bit integer.
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <optional>
#include <string>

namespace numbers {

// Reads the longest leading numeric part of a text: blanks, tabs and line feeds are skipped
// anywhere, then a sign, digits, one period and an exponent introduced by E or D; "&H" and "&O"
// start a hexadecimal or octal integer. A text without a number gives 0. A number beyond the
// double range gives the largest finite double with its sign; one too small gives 0.
double valueOfText(QStringView text);

// A number text as the value-of-text rule reads it, before it becomes a value: for the readers
// that build the value in another arithmetic (the exact answers of the steps window).
struct NumberParts {
    static constexpr long long exponentLimit = 1'000'000'000; // larger exponents stop growing
    int radix = 10;                                           // 16 or 8 after "&H" or "&O"
    bool negative = false;                                    // a decimal number's sign
    std::string digits;   // the integer digits (after "&H"/"&O" the hexadecimal or octal ones)
    std::string fraction; // the digits after the period
    long long exponent = 0;
    // The characters of the text the number takes, with the blanks, tabs and line feeds passed
    // over up to the next character; 0 when there is no number. An exponent letter and sign
    // without digits after them are not taken.
    qsizetype length = 0;
};
// No digits at all (in both parts) reads as 0.
NumberParts scanNumber(QStringView text);

// True when the value-of-text rule reads the whole text as one number.
bool readsWhole(QStringView text);

// Shortest text with at most 15 significant digits; exponent form ("1E+16", "1E-05") when the
// decimal exponent is 15 or more or below -4. Non-finite values give "∞", "-∞" or "?".
QString displayText(double value, QChar decimalSeparator);
// A magnitude in exponent form with two decimals ("1,23E-16"), as an estimate is shown; zero and
// the values that are not finite as displayText gives them.
QString magnitudeText(double value, QChar decimalSeparator);

// The pattern "##0.000": at least one integer digit, all further ones, three decimals, no
// grouping. Rounds the 15-significant-digit text of the value, halves away from zero; a value
// below zero keeps its minus sign even when it rounds to zero.
QString fixed3(double value, QChar decimalSeparator);

// Rounds to the nearest integer, halves to the even neighbour; nothing when the result does not
// fit a 16-bit signed integer or the value is not finite.
std::optional<qint16> roundToInt16(double value);

// The number text of the program's array files: one sign position (blank or minus), the display
// text without its sign with a period as decimal point, one trailing blank.
QString fileNumberText(double value);

} // namespace numbers
