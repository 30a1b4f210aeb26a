// The number conversions: the value-of-text rule, the display text, the pattern "##0.000", the
// 16-bit rounding of stored orders and the number text of the array files.
#include "support/numbers.h"

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr double largest = std::numeric_limits<double>::max();
constexpr double infinity = std::numeric_limits<double>::infinity();

QString describe(double value) {
    return QString::number(value, 'g', 17);
}

// An integer as its bits, most significant first, without leading zeros.
using Bits = std::vector<bool>;

// The nearest double to the integer, halves to even, worked out bit by bit; the largest double
// beyond the range.
double exactNearest(const Bits& bits) {
    constexpr std::size_t mantissaBits = 53;
    std::uint64_t mantissa = 0;
    const std::size_t kept = std::min(bits.size(), mantissaBits);
    for (std::size_t i = 0; i < kept; ++i)
        mantissa = mantissa << 1 | static_cast<std::uint64_t>(bits[i]);
    int exponent = static_cast<int>(bits.size() - kept);
    if (bits.size() > mantissaBits) {
        const bool half = bits[mantissaBits];
        const bool below =
            std::any_of(bits.begin() + mantissaBits + 1, bits.end(), [](bool b) { return b; });
        if (half && (below || (mantissa & 1)))
            ++mantissa;
        if (mantissa >> mantissaBits) {
            mantissa >>= 1;
            ++exponent;
        }
    }
    const double value = std::ldexp(static_cast<double>(mantissa), exponent);
    return std::isfinite(value) ? value : largest;
}

// The integer written in base 16 or 8, with leading zeros and mixed-case letters.
QString radixText(const Bits& bits, int base, int leadingZeros, std::mt19937& random) {
    const int width = base == 16 ? 4 : 3;
    const std::size_t pad = (width - bits.size() % width) % width;
    QString text = base == 16 ? QStringLiteral("&H") : QStringLiteral("&O");
    text += QString(leadingZeros, u'0');
    unsigned digit = 0;
    for (std::size_t i = 0; i < pad + bits.size(); ++i) {
        digit = digit << 1 | (i < pad ? 0u : static_cast<unsigned>(bits[i - pad]));
        if ((i + 1) % width == 0) {
            const QChar c = QChar::fromLatin1("0123456789ABCDEF"[digit]);
            text += random() % 2 ? c.toLower() : c;
            digit = 0;
        }
    }
    return text;
}

} // namespace

class TestNumbers : public QObject {
    Q_OBJECT

  private slots:
    void valueOfText_data();
    void valueOfText();
    void numberLength_data();
    void numberLength();
    void longRadixTexts_data();
    void longRadixTexts();
    void displayText_data();
    void displayText();
    void magnitudeText_data();
    void magnitudeText();
    void fixed3_data();
    void fixed3();
    void fixed3OfLargestDouble();
    void roundToInt16_data();
    void roundToInt16();
    void fileNumberText_data();
    void fileNumberText();
};

void TestNumbers::valueOfText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "ab" << 0.0;
    QTest::newRow("integer") << "12" << 12.0;
    QTest::newRow("blanks anywhere") << " 1 2 " << 12.0;
    QTest::newRow("tab between sign and digits") << "\t-\t3" << -3.0;
    QTest::newRow("line feed inside the digits") << "1\n5" << 15.0;
    QTest::newRow("blanks inside the fraction") << "3 . 2 5" << 3.25;
    QTest::newRow("carriage return ends the number") << "1\r5" << 1.0;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("minus sign") << "-2.5" << -2.5;
    QTest::newRow("two signs") << "--1" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("leading period") << ".5" << 0.5;
    QTest::newRow("trailing period") << "5." << 5.0;
    QTest::newRow("second period ends it") << "1.2.3" << 1.2;
    QTest::newRow("comma is no decimal point") << "2,5" << 2.0;
    QTest::newRow("letter ends it") << "7x" << 7.0;
    QTest::newRow("exponent e") << "1e3" << 1000.0;
    QTest::newRow("exponent E with sign") << "2.5E+2" << 250.0;
    QTest::newRow("exponent d") << "1d3" << 1000.0;
    QTest::newRow("exponent D negative") << "1D-2" << 0.01;
    QTest::newRow("exponent with blanks") << "1 e - 2" << 0.01;
    QTest::newRow("exponent without digits") << "4e" << 4.0;
    QTest::newRow("exponent sign without digits") << "4e+" << 4.0;
    QTest::newRow("exponent alone") << "e5" << 0.0;
    QTest::newRow("period alone") << "." << 0.0;
    QTest::newRow("hexadecimal") << "&H1F" << 31.0;
    QTest::newRow("hexadecimal lower case") << "&hff" << 255.0;
    QTest::newRow("hexadecimal with blanks") << " & H 1 0" << 16.0;
    QTest::newRow("hexadecimal ends at non-digit") << "&H1G" << 1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal lower case") << "&o7" << 7.0;
    QTest::newRow("octal ends at 8") << "&O18" << 1.0;
    QTest::newRow("ampersand without radix") << "&12" << 0.0;
    QTest::newRow("radix without digits") << "&H" << 0.0;
    // Past 53 bits the integer is rounded once, to the same double as its decimal text: the
    // integer 235814252207206038 lies nearest to the double 235814252207206048.
    QTest::newRow("long hexadecimal rounds to nearest")
        << "&H345C7D01FC8EE96" << 235814252207206048.0;
    QTest::newRow("long octal rounds to nearest")
        << "&O15056175003762167226" << 235814252207206048.0;
    QTest::newRow("long decimal rounds to nearest") << "235814252207206038" << 235814252207206048.0;
    QTest::newRow("hexadecimal tie to even") << "&H20000000000001" << 9007199254740992.0;
    QTest::newRow("hexadecimal tie up to even") << "&H20000000000003" << 9007199254740996.0;
    QTest::newRow("hexadecimal leading zeros") << "&H0000000000000000001F" << 31.0;
    QTest::newRow("hexadecimal largest double")
        << "&H" + QString(13, u'F') + u'8' + QString(242, u'0') << largest;
    QTest::newRow("hexadecimal beyond the range") << "&H1" + QString(256, u'0') << largest;
    QTest::newRow("hexadecimal rounds up beyond the range") << "&H" + QString(256, u'F') << largest;
    QTest::newRow("octal beyond the range") << "&O2" + QString(341, u'0') << largest;
    QTest::newRow("non-ASCII digit") << QString::fromUtf8("\u0663") << 0.0;
    QTest::newRow("largest double") << "1.7976931348623157E308" << largest;
    QTest::newRow("beyond the range") << "1e400" << largest;
    QTest::newRow("beyond the range negative") << "-1e400" << -largest;
    QTest::newRow("just beyond the range") << "1.8e308" << largest;
    QTest::newRow("400 digits") << QString(400, u'9') << largest;
    QTest::newRow("huge exponent") << "1e999999999999999999" << largest;
    QTest::newRow("too small") << "1e-400" << 0.0;
    QTest::newRow("too small negative") << "-1e-400" << 0.0;
    QTest::newRow("tiny exponent") << "1e-999999999999999999" << 0.0;
    QTest::newRow("zero with huge exponent") << "0e999999" << 0.0;
    QTest::newRow("long fraction") << "0.000000000000000000001" << 1e-21;
}

void TestNumbers::valueOfText() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double actual = numbers::valueOfText(text);
    QVERIFY2(actual == expected, qPrintable(describe(actual) + " != " + describe(expected)));
}

// How much of a text the value-of-text rule takes as its number.
void TestNumbers::numberLength_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::newRow("up to the letter") << "1.5E3x" << 5;
    QTest::newRow("exponent without digits not taken") << "1E+" << 1;
    QTest::newRow("blanks after the number taken") << "&H1F\t \n" << 7;
}

void TestNumbers::numberLength() {
    QFETCH(QString, text);
    QFETCH(int, length);
    QCOMPARE(numbers::scanNumber(text).length, length);
}

void TestNumbers::longRadixTexts_data() {
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("shortest"); // bits of the integer
    QTest::addColumn<int>("longest");
    QTest::addColumn<bool>("ties"); // the bits past the 53rd are halfway or just above it
    QTest::newRow("hexadecimal past 53 bits") << 16 << 54 << 120 << false;
    QTest::newRow("hexadecimal up to beyond the range") << 16 << 120 << 1100 << false;
    QTest::newRow("hexadecimal halfway") << 16 << 55 << 1030 << true;
    QTest::newRow("octal past 53 bits") << 8 << 54 << 120 << false;
    QTest::newRow("octal up to beyond the range") << 8 << 120 << 1100 << false;
    QTest::newRow("octal halfway") << 8 << 55 << 1030 << true;
}

// Random long integers, each read from its hexadecimal or octal text and compared with the
// nearest double worked out exactly.
void TestNumbers::longRadixTexts() {
    QFETCH(int, base);
    QFETCH(int, shortest);
    QFETCH(int, longest);
    QFETCH(bool, ties);
    std::mt19937 random(static_cast<unsigned>(base * 1000 + shortest + (ties ? 7 : 0)));
    std::uniform_int_distribution<int> length(shortest, longest);
    int differentFromStepwise = 0;
    for (int n = 0; n < 1000; ++n) {
        Bits bits(static_cast<std::size_t>(length(random)));
        for (std::size_t i = 0; i < bits.size(); ++i)
            bits[i] = i == 0 || random() % 2;
        if (ties) {
            // Exactly halfway, or (every other text) just above it by the lowest bit.
            std::fill(bits.begin() + 53, bits.end(), false);
            bits[53] = true;
            bits.back() = bits.back() || n % 2;
        }
        const QString text = radixText(bits, base, static_cast<int>(random() % 3), random);
        const double expected = exactNearest(bits);
        const double actual = numbers::valueOfText(text);
        QVERIFY2(actual == expected,
                 qPrintable(text + ": " + describe(actual) + " != " + describe(expected)));
        // Digit by digit in a double would round at every step.
        double stepwise = 0;
        for (const QChar c : text.mid(2))
            stepwise = stepwise * base + QString(c).toInt(nullptr, 16);
        differentFromStepwise += std::isfinite(stepwise) && stepwise != expected;
    }
    // The texts do reach the cases a stepwise reading gets wrong.
    QVERIFY(differentFromStepwise > 0);
}

void TestNumbers::displayText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0.0 << QChar(u'.') << "0";
    QTest::newRow("negative zero") << -0.0 << QChar(u'.') << "0";
    QTest::newRow("one") << 1.0 << QChar(u'.') << "1";
    QTest::newRow("minus one") << -1.0 << QChar(u'.') << "-1";
    QTest::newRow("period") << 2.5 << QChar(u'.') << "2.5";
    QTest::newRow("comma") << -2.5 << QChar(u',') << "-2,5";
    QTest::newRow("shortest") << 0.1 << QChar(u'.') << "0.1";
    QTest::newRow("sum of tenths") << 0.1 + 0.2 << QChar(u'.') << "0.3";
    QTest::newRow("one third") << 1.0 / 3 << QChar(u'.') << "0.333333333333333";
    QTest::newRow("two thirds") << 2.0 / 3 << QChar(u',') << "0,666666666666667";
    QTest::newRow("fifteen digits") << 123456789012345.0 << QChar(u'.') << "123456789012345";
    QTest::newRow("1E+14 in full") << 1e14 << QChar(u'.') << "100000000000000";
    QTest::newRow("1E+15") << 1e15 << QChar(u'.') << "1E+15";
    QTest::newRow("1E+16") << 1e16 << QChar(u'.') << "1E+16";
    QTest::newRow("sixteen digits") << 1234567890123456.0 << QChar(u'.') << "1.23456789012346E+15";
    QTest::newRow("rounds up to 1E+15") << 999999999999999.9 << QChar(u'.') << "1E+15";
    QTest::newRow("1E+100") << 1e100 << QChar(u'.') << "1E+100";
    QTest::newRow("largest") << largest << QChar(u'.') << "1.79769313486232E+308";
    QTest::newRow("0.0001 in full") << 0.0001 << QChar(u'.') << "0.0001";
    QTest::newRow("1E-05") << 0.00001 << QChar(u'.') << "1E-05";
    QTest::newRow("-1E-05") << -0.00001 << QChar(u'.') << "-1E-05";
    QTest::newRow("exponent with comma") << 1.5e-10 << QChar(u',') << "1,5E-10";
    QTest::newRow("1E-300") << 1e-300 << QChar(u'.') << "1E-300";
    QTest::newRow("1234.5") << 1234.5 << QChar(u'.') << "1234.5";
    QTest::newRow("infinity") << infinity << QChar(u'.') << QString::fromUtf8("\u221e");
    QTest::newRow("minus infinity") << -infinity << QChar(u'.') << QString::fromUtf8("-\u221e");
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QChar(u'.') << "?";
}

void TestNumbers::displayText() {
    QFETCH(double, value);
    QFETCH(QChar, separator);
    QFETCH(QString, expected);
    QCOMPARE(numbers::displayText(value, separator), expected);
}

void TestNumbers::magnitudeText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0.0 << QChar(u'.') << "0";
    QTest::newRow("one") << 1.0 << QChar(u'.') << "1.00E+00";
    QTest::newRow("a tenth in exponent form") << 0.1 << QChar(u'.') << "1.00E-01";
    QTest::newRow("comma") << 1.234e-16 << QChar(u',') << "1,23E-16";
    QTest::newRow("thousands") << 12345.0 << QChar(u'.') << "1.23E+04";
    QTest::newRow("rounds up into the next power") << 9.996 << QChar(u'.') << "1.00E+01";
    QTest::newRow("negative") << -0.000999 << QChar(u'.') << "-9.99E-04";
    QTest::newRow("three exponent digits") << 1e100 << QChar(u',') << "1,00E+100";
    QTest::newRow("infinity") << infinity << QChar(u'.') << QString::fromUtf8("\u221e");
}

void TestNumbers::magnitudeText() {
    QFETCH(double, value);
    QFETCH(QChar, separator);
    QFETCH(QString, expected);
    QCOMPARE(numbers::magnitudeText(value, separator), expected);
}

void TestNumbers::fixed3_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0.0 << QChar(u'.') << "0.000";
    QTest::newRow("negative zero") << -0.0 << QChar(u'.') << "0.000";
    QTest::newRow("one") << 1.0 << QChar(u'.') << "1.000";
    QTest::newRow("comma") << 0.8 << QChar(u',') << "0,800";
    QTest::newRow("negative") << -2.5 << QChar(u'.') << "-2.500";
    QTest::newRow("negative with comma") << -2.5 << QChar(u',') << "-2,500";
    QTest::newRow("one third") << 1.0 / 3 << QChar(u'.') << "0.333";
    QTest::newRow("two thirds") << 2.0 / 3 << QChar(u'.') << "0.667";
    QTest::newRow("sum of tenths") << 0.1 + 0.2 << QChar(u'.') << "0.300";
    // These halves lie just below the half in binary; their decimal text is the exact half.
    QTest::newRow("2.0005") << 2.0005 << QChar(u'.') << "2.001";
    QTest::newRow("1.0005") << 1.0005 << QChar(u'.') << "1.001";
    QTest::newRow("2.6745") << 2.6745 << QChar(u'.') << "2.675";
    QTest::newRow("-2.0005") << -2.0005 << QChar(u'.') << "-2.001";
    QTest::newRow("0.0625") << 0.0625 << QChar(u'.') << "0.063";
    QTest::newRow("-0.0625") << -0.0625 << QChar(u'.') << "-0.063";
    QTest::newRow("0.0005") << 0.0005 << QChar(u'.') << "0.001";
    QTest::newRow("0.00049") << 0.00049 << QChar(u'.') << "0.000";
    QTest::newRow("0.00005") << 0.00005 << QChar(u'.') << "0.000";
    QTest::newRow("-0.0004 keeps its sign") << -0.0004 << QChar(u'.') << "-0.000";
    QTest::newRow("-1E-20 keeps its sign") << -1e-20 << QChar(u',') << "-0,000";
    QTest::newRow("-0.0005") << -0.0005 << QChar(u'.') << "-0.001";
    QTest::newRow("carry into the integer") << 0.9995 << QChar(u'.') << "1.000";
    QTest::newRow("carry into a new digit") << 9.9995 << QChar(u'.') << "10.000";
    QTest::newRow("carry over three nines") << 999.9995 << QChar(u'.') << "1000.000";
    QTest::newRow("1234.5") << 1234.5 << QChar(u'.') << "1234.500";
    QTest::newRow("-1234.5") << -1234.5 << QChar(u'.') << "-1234.500";
    QTest::newRow("no grouping") << 1234567.0 << QChar(u',') << "1234567,000";
    QTest::newRow("fifteen digits") << 123456789.123456 << QChar(u'.') << "123456789.123";
    QTest::newRow("1E+15") << 1e15 << QChar(u'.') << "1000000000000000.000";
    QTest::newRow("1E+20") << 1e20 << QChar(u'.') << "100000000000000000000.000";
    QTest::newRow("-1.5E+20") << -1.5e20 << QChar(u'.') << "-150000000000000000000.000";
    QTest::newRow("infinity") << infinity << QChar(u'.') << QString::fromUtf8("\u221e");
    QTest::newRow("minus infinity") << -infinity << QChar(u'.') << QString::fromUtf8("-\u221e");
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QChar(u'.') << "?";
}

void TestNumbers::fixed3() {
    QFETCH(double, value);
    QFETCH(QChar, separator);
    QFETCH(QString, expected);
    QCOMPARE(numbers::fixed3(value, separator), expected);
}

void TestNumbers::fixed3OfLargestDouble() {
    // Fifteen significant digits, then zeros down to the units, then three decimals.
    const QString expected =
        QStringLiteral("179769313486232") + QString(294, u'0') + QStringLiteral(".000");
    QCOMPARE(numbers::fixed3(largest, u'.'), expected);
    QCOMPARE(numbers::fixed3(-largest, u'.'), u'-' + expected);
}

void TestNumbers::roundToInt16_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("expected");

    QTest::newRow("8") << 8.0 << true << 8;
    QTest::newRow("8.5 to even 8") << 8.5 << true << 8;
    QTest::newRow("9.5 to even 10") << 9.5 << true << 10;
    QTest::newRow("0.5 to 0") << 0.5 << true << 0;
    QTest::newRow("1.5 to 2") << 1.5 << true << 2;
    QTest::newRow("2.4 down") << 2.4 << true << 2;
    QTest::newRow("2.6 up") << 2.6 << true << 3;
    QTest::newRow("-0.5 to 0") << -0.5 << true << 0;
    QTest::newRow("-8.5 to -8") << -8.5 << true << -8;
    QTest::newRow("-9.5 to -10") << -9.5 << true << -10;
    QTest::newRow("-2.6") << -2.6 << true << -3;
    QTest::newRow("largest") << 32767.0 << true << 32767;
    QTest::newRow("largest plus a little") << 32767.4 << true << 32767;
    QTest::newRow("32767.5 rounds beyond") << 32767.5 << false << 0;
    QTest::newRow("smallest") << -32768.0 << true << -32768;
    QTest::newRow("-32768.5 to even -32768") << -32768.5 << true << -32768;
    QTest::newRow("-32769") << -32769.0 << false << 0;
    QTest::newRow("huge") << 1e10 << false << 0;
    QTest::newRow("infinity") << infinity << false << 0;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << false << 0;
}

void TestNumbers::roundToInt16() {
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(int, expected);
    const std::optional<qint16> rounded = numbers::roundToInt16(value);
    QCOMPARE(rounded.has_value(), fits);
    if (fits)
        QCOMPARE(int(*rounded), expected);
}

void TestNumbers::fileNumberText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("position 8") << 8.0 << " 8 ";
    QTest::newRow("position 10") << 10.0 << " 10 ";
    QTest::newRow("zero") << 0.0 << " 0 ";
    QTest::newRow("negative zero") << -0.0 << " 0 ";
    QTest::newRow("fraction") << 0.5 << " 0.5 ";
    QTest::newRow("negative fraction") << -2.5 << "-2.5 ";
    QTest::newRow("large") << 1e16 << " 1E+16 ";
    QTest::newRow("small negative") << -0.00001 << "-1E-05 ";
    QTest::newRow("fifteen digits") << 1.0 / 3 << " 0.333333333333333 ";
}

void TestNumbers::fileNumberText() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(numbers::fileNumberText(value), expected);
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"
