// Rewrites one of the program's files, about 2 MB each time, so that a script can kill it at any
// moment and look at what is left. The contents A and B differ in every line.
//   crash_writer <kind> once <A|B>   writes the content once and returns
//   crash_writer <kind> loop         writes A, B, A, ... until killed; after the first complete
//                                    write it creates the file "started" in the current folder
// The kinds: log (files/lastans through replaceLog), lostmas (files/LostMas), named (the named
// array files/Большой массив, both through the array file writer) and list (files/SaveList
// through replaceSaveList). The folder files must exist.
#include "core/answer_log.h"
#include "core/array_file.h"
#include "core/array_library.h"
#include "core/program_files.h"
#include "fault_ops.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <cstdio>
#include <functional>

namespace {

// The log is written at 2 MB; the arrays and the list just under the 1 MB that the program
// reads of them (and writes).
constexpr int logBytes = 2 * 1024 * 1024;
constexpr int boundedBytes = 1024 * 1024 - 16 * 1024;

// Numbered lines until the text reaches the size.
QString linesText(int targetBytes, const std::function<QString(int)>& line) {
    QString text;
    text.reserve(targetBytes + 256);
    for (int i = 0; text.size() < targetBytes; ++i) {
        if (i > 0)
            text += QStringLiteral("\r\n");
        text += line(i);
    }
    return text;
}

// Tokens whose array file lines (" value \r\n") add up to just under 1 MB.
QString entryText(bool b) {
    QString text;
    text.reserve(boundedBytes / 2);
    qsizetype fileBytes = 0;
    for (int i = 0; fileBytes < boundedBytes; ++i) {
        const QString token = b ? QString::number(-(i % 9973) - 0.5, 'g', 10) : QString::number(i);
        if (i > 0)
            text += u' ';
        text += token;
        fileBytes += token.size() + (token.startsWith(u'-') ? 3 : 4); // sign place, blank, CR LF
    }
    return text;
}

// What one write puts into the file: the text (log and list) or the entry text (arrays).
struct Content {
    QString text;
    ArrayOrder order{10};
};

Content contentOf(const QString& kind, bool b) {
    if (kind == u"log")
        return {linesText(logBytes, [b](int i) {
            return b ? QStringLiteral("%1,500  -%2,250  ").arg(i).arg(i % 977)
                     : QStringLiteral("Ответ %1: %2,000  ").arg(i).arg(i * 7);
        })};
    if (kind == u"list")
        // Long names, so that the list stays within its count of names too.
        return {linesText(boundedBytes, [b](int i) {
            return (b ? QStringLiteral("массив номер %1 ").arg(i)
                      : QStringLiteral("Array %1 ").arg(i * 3))
                .leftJustified(200, u'.');
        })};
    return {entryText(b), ArrayOrder(b ? 9 : 2)};
}

FileStatus writeContent(const QString& kind, const Content& content) {
    if (kind == u"log") {
        FileTable files;
        AnswerLog log(files);
        return log.replaceLog(faults::linesOf(content.text));
    }
    if (kind == u"lostmas")
        return arrayfile::write(programfiles::lastArray, content.order, content.text);
    if (kind == u"named")
        return library::saveArrayFile(QStringLiteral("Большой массив"), content.order,
                                      content.text);
    return library::replaceSaveList(content.text);
}

bool known(const QString& kind) {
    return kind == u"log" || kind == u"lostmas" || kind == u"named" || kind == u"list";
}

int fail(const FileStatus& s) {
    std::fprintf(stderr, "%s\n", s.message().toUtf8().constData());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    // As in the program, the application object sets the C library's locale from the environment.
    QCoreApplication app(argc, argv);
    const QString kind = argc > 1 ? QString::fromUtf8(argv[1]) : QString();
    const QString mode = argc > 2 ? QString::fromUtf8(argv[2]) : QString();
    if (known(kind) && mode == u"once" && argc == 4) {
        const FileStatus s = writeContent(kind, contentOf(kind, QByteArray(argv[3]) == "B"));
        return s ? 0 : fail(s);
    }
    if (known(kind) && mode == u"loop" && argc == 3) {
        // Both contents are made first, so that a kill lands in a write most of the time.
        const Content contents[2] = {contentOf(kind, false), contentOf(kind, true)};
        for (int i = 0;; i = 1 - i) {
            const FileStatus s = writeContent(kind, contents[i]);
            if (!s)
                return fail(s);
            if (!QFile::exists(QStringLiteral("started"))) {
                QFile started(QStringLiteral("started"));
                started.open(QIODevice::WriteOnly);
            }
        }
    }
    std::fprintf(stderr, "usage: crash_writer log|lostmas|named|list once A|B | loop\n");
    return 2;
}
