// The read-a-line and read-a-field primitives on any bytes: both end at the end of the file, the
// lines together hold every byte but the line ends, and nothing is read twice.
#include "fuzz_common.h"
#include "support/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path = fuzz::scratchPath(QStringLiteral("input"));
    fuzz::writeFile(path, data, size);

    TextFile lines(path);
    if (!lines.open(TextFile::Mode::Read))
        std::abort();
    qsizetype lineBytes = 0;
    qsizetype lineCount = 0;
    QByteArrayView line;
    while (!lines.atEnd()) {
        if (!lines.readLineBytes(line))
            std::abort();
        lineBytes += line.size();
        if (++lineCount > static_cast<qsizetype>(size) + 1)
            std::abort();
    }
    lines.close();
    qsizetype breaks = 0;
    for (size_t i = 0; i < size; ++i)
        if (data[i] == '\r')
            ++breaks;
    // Every CR ends a line; the LF right after a CR goes with it.
    qsizetype joined = 0;
    for (size_t i = 0; i < size; ++i)
        if (data[i] == '\n' && i > 0 && data[i - 1] == '\r')
            ++joined;
    if (lineBytes != static_cast<qsizetype>(size) - breaks - joined)
        std::abort();

    TextFile fields(path);
    if (!fields.open(TextFile::Mode::Read))
        std::abort();
    qsizetype fieldCount = 0;
    QString field;
    while (!fields.atEnd()) {
        if (!fields.readField(field))
            std::abort();
        if (++fieldCount > static_cast<qsizetype>(size) + 1)
            std::abort();
    }
    fields.close();
    return 0;
}
