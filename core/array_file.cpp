#include "core/array_file.h"

#include "core/entry_text.h"
#include "support/line_append.h"
#include "support/numbers.h"
#include "support/text_reader.h"
#include "support/text_rewrite.h"

namespace arrayfile {

QString fileText(int scrollPosition, QStringView entryText) {
    QString text = numbers::fileNumberText(scrollPosition) + QStringLiteral("\r\n");
    for (const QStringView token : entry::tokens(entryText))
        text += numbers::fileNumberText(numbers::valueOfText(token)) + QStringLiteral("\r\n");
    return text;
}

FileStatus write(const QString& path, int scrollPosition, QStringView entryText) {
    std::optional<TextRewrite> file;
    FileStatus s = TextRewrite::open(path, file);
    if (!s)
        return s;
    s = file->writeLine(numbers::fileNumberText(scrollPosition));
    for (const QStringView token : entry::tokens(entryText)) {
        if (!s)
            break;
        s = file->writeLine(numbers::fileNumberText(numbers::valueOfText(token)));
    }
    return s ? file->commit() : s;
}

FileStatus read(const QString& path, Content& content) {
    content = Content{};
    std::optional<TextReader> file;
    FileStatus s = TextReader::open(path, file, {.fileBytes = largestFile});
    if (!s)
        return s;
    if (!file->atEnd()) {
        content.empty = false;
        s = file->readField(content.firstField);
    }
    QString field;
    while (s && !file->atEnd()) {
        s = file->readField(field);
        content.fields.append(field);
    }
    if (!s) {
        content = Content{};
        return s;
    }
    return file->readFailure();
}

FileStatus touchAndRead(const QString& path, Content& content) {
    content = Content{};
    const FileStatus readable = textfile::checkReadable(path, {.fileBytes = largestFile});
    if (!readable)
        return readable;
    const FileStatus touched = textfile::appendLine(path, QString());
    return FileStatus::afterTouch(touched, read(path, content));
}

std::optional<int> scrollPositionOf(const QString& field) {
    const auto position = numbers::roundToInt16(numbers::valueOfText(field));
    if (!position || *position < 2 || *position > 10)
        return std::nullopt;
    return *position;
}

} // namespace arrayfile
