// The read-a-line and read-a-field primitives on any bytes: both end at the end of the file, the
// lines are exactly those a plain splitter finds (a line ends at CR LF or a lone CR, the last one
// may lack it) and together hold every byte but the line ends, and nothing is read twice. An input
// that starts with the byte 01 is put behind padding that ends within its first 128 bytes, so that
// the reader's block boundary falls inside it.
#include "fuzz_common.h"
#include "support/text_reader.h"

#include <vector>

namespace {

constexpr qsizetype readerBlock = 256 * 1024; // the block the reader fills its buffer with

std::vector<QByteArray> plainLines(const QByteArray& bytes) {
    std::vector<QByteArray> lines;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype cr = bytes.indexOf('\r', i);
        if (cr < 0) {
            lines.push_back(bytes.mid(i));
            break;
        }
        lines.push_back(bytes.mid(i, cr - i));
        i = cr + 1;
        if (i < bytes.size() && bytes[i] == '\n')
            ++i;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t inputSize) {
    static const QString path = fuzz::scratchPath(QStringLiteral("input"));
    QByteArray bytes;
    if (inputSize >= 2 && input[0] == 0x01) {
        bytes = QByteArray(readerBlock - input[1] % 128, 'x');
        bytes.append(reinterpret_cast<const char*>(input) + 2,
                     static_cast<qsizetype>(inputSize) - 2);
    } else {
        bytes = QByteArray(reinterpret_cast<const char*>(input), static_cast<qsizetype>(inputSize));
    }
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    const auto size = static_cast<size_t>(bytes.size());
    fuzz::writeFile(path, data, size);

    const std::vector<QByteArray> expected = plainLines(bytes);
    std::optional<TextReader> lines;
    fuzz::require(TextReader::open(path, lines).ok, QStringLiteral("open for lines"));
    qsizetype lineBytes = 0;
    qsizetype lineCount = 0;
    QByteArrayView line;
    while (!lines->atEnd()) {
        fuzz::require(lines->readLineBytes(line).ok, QStringLiteral("read a line"));
        fuzz::require(lineCount < static_cast<qsizetype>(expected.size()),
                      QStringLiteral("more lines than the splitter finds"));
        fuzz::require(line == expected[static_cast<size_t>(lineCount)],
                      QStringLiteral("line %1 differs").arg(lineCount));
        lineBytes += line.size();
        if (++lineCount > static_cast<qsizetype>(size) + 1)
            std::abort();
    }
    fuzz::require(lineCount == static_cast<qsizetype>(expected.size()),
                  QStringLiteral("%1 lines, %2 expected").arg(lineCount).arg(expected.size()));
    lines.reset();
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

    std::optional<TextReader> fields;
    if (!TextReader::open(path, fields))
        std::abort();
    qsizetype fieldCount = 0;
    QString field;
    while (!fields->atEnd()) {
        if (!fields->readField(field))
            std::abort();
        if (++fieldCount > static_cast<qsizetype>(size) + 1)
            std::abort();
    }
    return 0;
}
