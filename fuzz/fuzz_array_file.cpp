// The array file loader on any bytes: it reads the whole file, and the order it finds is either
// none or the one its first field's scroll position stands for; writing the values back and
// reading them again gives the same order, one field more for the trailing blank, and the same
// numbers.
#include "core/array_file.h"
#include "fuzz_common.h"
#include "support/numbers.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path = fuzz::scratchPath(QStringLiteral("LostMas"));
    fuzz::writeFile(path, data, size);
    arrayfile::Content content;
    if (!arrayfile::read(path, content))
        std::abort();
    if (content.order &&
        std::fabs(numbers::valueOfText(content.firstField) - content.order->scrollPosition()) > 0.5)
        std::abort();
    if (!content.order)
        return 0;
    // A field with a blank inside would stand for several tokens of the entry text.
    for (const QString& field : content.fields)
        if (field.contains(u' '))
            return 0;
    QString entry;
    for (const QString& field : content.fields)
        entry += field + u' ';
    if (!arrayfile::write(path, *content.order, entry))
        std::abort();
    arrayfile::Content again;
    const qsizetype expected = content.fields.isEmpty() ? 0 : content.fields.size() + 1;
    if (!arrayfile::read(path, again) || again.order != content.order ||
        again.fields.size() != expected)
        std::abort();
    for (qsizetype i = 0; i < content.fields.size(); ++i) {
        fuzz::requireNoNonFiniteText(again.fields[i]);
        const double stored =
            numbers::valueOfText(numbers::fileNumberText(numbers::valueOfText(content.fields[i])));
        if (numbers::valueOfText(again.fields[i]) != stored)
            std::abort();
    }
    return 0;
}
