// The array file loader on any bytes: it reads the whole file, and the scroll position it finds
// is either none or one the order scroll bar can take; writing the values back gives exactly the
// file text of that entry text, and reading them again gives the same numbers.
#include "core/array_file.h"
#include "fuzz_common.h"
#include "support/numbers.h"
#include "support/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path = fuzz::scratchPath(QStringLiteral("LostMas"));
    fuzz::writeFile(path, data, size);
    arrayfile::Content content;
    if (!arrayfile::read(path, content))
        std::abort();
    const auto position = arrayfile::scrollPositionOf(content.firstField);
    if (position && (*position < 2 || *position > 10))
        std::abort();
    if (!position)
        return 0;
    // A field with a blank inside would stand for several tokens of the entry text.
    for (const QString& field : content.fields)
        if (field.contains(u' '))
            return 0;
    QString entry;
    for (const QString& field : content.fields)
        entry += field + u' ';
    if (!arrayfile::write(path, *position, entry))
        std::abort();
    // The file holds exactly the text the editor's state stands for.
    QByteArray expectedBytes;
    fuzz::require(textfile::encode(arrayfile::fileText(*position, entry), expectedBytes),
                  QStringLiteral("the file text encodes"));
    QFile written(path);
    fuzz::require(written.open(QIODevice::ReadOnly) && written.readAll() == expectedBytes,
                  QStringLiteral("the written file differs from its text"));
    written.close();
    arrayfile::Content again;
    const qsizetype expected = content.fields.isEmpty() ? 0 : content.fields.size() + 1;
    if (!arrayfile::read(path, again) ||
        arrayfile::scrollPositionOf(again.firstField) != position ||
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
