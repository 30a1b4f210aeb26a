#include "core/array_file.h"

#include "core/entry_text.h"
#include "support/line_append.h"
#include "support/numbers.h"
#include "support/text_reader.h"
#include "support/text_rewrite.h"

#include <QCoreApplication>

namespace arrayfile {

FileStatus write(const QString& path, ArrayOrder order, QStringView entryText) {
    std::optional<TextRewrite> file;
    FileStatus s = TextRewrite::open(path, file, {.fileBytes = largestFile});
    if (!s)
        return s;
    s = file->writeLine(numbers::fileNumberText(order.scrollPosition()));
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
        if (const auto position = numbers::roundToInt16(numbers::valueOfText(content.firstField)))
            content.order = ArrayOrder::atStoredPosition(*position);
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
    const FileStatus touched = textfile::appendLine(path, QString(), {.fileBytes = largestFile});
    return FileStatus::afterTouch(touched, read(path, content));
}

QString noOrderMessage(const QString& path, const Content& content) {
    // A long field would stretch the box: its start is enough to find it in the file.
    constexpr int shown = 40;
    return QCoreApplication::translate(
               "arrays", "Файл %1 повреждён: первое значение «%2» не задаёт порядок массива "
                         "(ожидается положение от 2 до 10).")
        .arg(path, content.firstField.left(shown));
}

} // namespace arrayfile
