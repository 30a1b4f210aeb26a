// The value-of-text rule on any text, read as UTF-8 and as the files' Windows-1251: it always
// gives a finite number, and the display text and the "##0.000" text of that number never spell
// out an infinity or a NaN. The texts read back: the display text is a fixed point of reading and
// showing again, and "##0.000" stands for the value to the nearest thousandth.
#include "fuzz_common.h"
#include "support/numbers.h"
#include "support/text_file.h"

#include <cmath>

namespace {

void check(const QString& text) {
    const double value = numbers::valueOfText(text);
    fuzz::require(std::isfinite(value), text);
    const QString display = numbers::displayText(value, u'.');
    const QString fixed = numbers::fixed3(value, u'.');
    const QString file = numbers::fileNumberText(value);
    fuzz::requireNoNonFiniteText(numbers::displayText(value, u','));
    fuzz::requireNoNonFiniteText(display);
    fuzz::requireNoNonFiniteText(fixed);
    fuzz::requireNoNonFiniteText(numbers::fixed3(value, u','));
    fuzz::requireNoNonFiniteText(file);
    // What the array files store reads back as the same number.
    fuzz::require(numbers::valueOfText(file) == numbers::valueOfText(file.trimmed()), file);
    const double shown = numbers::valueOfText(display);
    fuzz::require(numbers::displayText(shown, u'.') == display, display);
    fuzz::require(numbers::valueOfText(file) == shown, file + u' ' + display);
    fuzz::require(QString(numbers::displayText(value, u',')).replace(u',', u'.') == display,
                  display);
    fuzz::require(fixed.indexOf(u'.') == fixed.size() - 4, fixed);
    const double tolerance = 0.0005 + std::fabs(value) * 1e-14;
    fuzz::require(std::fabs(numbers::valueOfText(fixed) - value) <= tolerance,
                  fixed + u' ' + display);
    numbers::roundToInt16(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    check(QString::fromUtf8(bytes));
    check(textfile::decode(bytes));
    return 0;
}
