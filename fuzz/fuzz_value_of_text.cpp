// The value-of-text rule on any text: it always gives a finite number, and the display text and
// the "##0.000" text of that number never spell out an infinity or a NaN.
#include "fuzz_common.h"
#include "support/numbers.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data),
                                           static_cast<qsizetype>(size));
    const double value = numbers::valueOfText(text);
    if (!std::isfinite(value))
        std::abort();
    fuzz::requireNoNonFiniteText(numbers::displayText(value, u','));
    fuzz::requireNoNonFiniteText(numbers::fixed3(value, u'.'));
    fuzz::requireNoNonFiniteText(numbers::fileNumberText(value));
    // What the array files store reads back as the same number.
    if (numbers::valueOfText(numbers::fileNumberText(value)) !=
        numbers::valueOfText(numbers::fileNumberText(value).trimmed()))
        std::abort();
    numbers::roundToInt16(value);
    return 0;
}
