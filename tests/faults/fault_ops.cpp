#include "fault_ops.h"

#include "core/answer_log.h"
#include "core/array_file.h"
#include "core/array_library.h"
#include "core/entry_text.h"
#include "core/program_files.h"
#include "core/solve_check.h"
#include "core/solve_record.h"
#include "core/steps_document.h"
#include "core/steps_text.h"
#include "support/text_rewrite.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringEncoder>
#include <optional>

namespace faults {
namespace {

const QString& lostMasPath = programfiles::lastArray;
// A page the steps window saves: a document the user names, kept here beside the program's files.
const QString stepsPath = QStringLiteral("files/решение.htm");

QString contentText(const arrayfile::Content& content) {
    if (content.empty)
        return QStringLiteral("<empty>");
    return content.firstField + u'|' + content.fields.join(u'|');
}

// What the editor takes from a loaded last array: the first field and the non-empty others (the
// empty line a load adds first is passed over).
QString loadedText(const arrayfile::Content& content) {
    QStringList values;
    for (const QString& field : content.fields)
        if (!field.isEmpty())
            values.append(field);
    return content.firstField + u'|' + values.join(u'|');
}

Outcome readOutcome(const FileStatus& status, const QString& result, const FileTable& files) {
    return {status, status ? result : QString(), files.anyOpen()};
}

// Opens the browsing cursor the given way and reads every answer to the end of the log.
Outcome browseToEnd(FileTable& files, FileStatus (AnswerLog::*open)()) {
    AnswerLog log(files);
    FileStatus s = (log.*open)();
    QStringList answers;
    std::optional<QString> answer;
    while (s) {
        s = log.nextAnswer(answer);
        if (!answer)
            break;
        answers.append(*answer);
    }
    const Outcome out = readOutcome(s, answers.join(u'\n'), files);
    // The cursor stays open by design; what matters is that it is the only file.
    files.closeAll();
    return out;
}

Outcome writeOutcome(const FileStatus& status, const FileTable& files) {
    return {status, QString(), files.anyOpen()};
}

QList<Operation> buildOperations() {
    const QString logPath = AnswerLog::path;
    const QString listPath = programfiles::saveList;
    const QString arrayPath = programfiles::inFolder(namedArray);
    QList<Operation> ops;
    ops.append({QStringLiteral("log.append"), logPath, Effect::Append, [](FileTable& files) {
                    AnswerLog log(files);
                    return writeOutcome(
                        log.appendAnswer(QStringLiteral("0,377  -0,352  0,316  0,268  ")), files);
                }});
    ops.append({QStringLiteral("log.touch"), logPath, Effect::Append, [](FileTable& files) {
                    AnswerLog log(files);
                    return writeOutcome(log.touchLog(), files);
                }});
    ops.append({QStringLiteral("log.cursor"), logPath, Effect::Read,
                [](FileTable& files) { return browseToEnd(files, &AnswerLog::openAnswerCursor); }});
    ops.append(
        {QStringLiteral("log.touchCursor"), logPath, Effect::TouchRead,
         [](FileTable& files) { return browseToEnd(files, &AnswerLog::touchAndOpenCursor); }});
    ops.append({QStringLiteral("log.touchLast"), logPath, Effect::TouchRead, [](FileTable& files) {
                    AnswerLog log(files);
                    std::optional<QString> answer;
                    const FileStatus s = log.touchAndReadLast(answer);
                    return readOutcome(s, answer.value_or(QStringLiteral("<nothing>")), files);
                }});
    ops.append({QStringLiteral("log.last"), logPath, Effect::Read, [](FileTable& files) {
                    AnswerLog log(files);
                    std::optional<QString> answer;
                    const FileStatus s = log.lastAnswer(answer);
                    return readOutcome(s, answer.value_or(QStringLiteral("<nothing>")), files);
                }});
    ops.append({QStringLiteral("log.readAll"), logPath, Effect::Read, [](FileTable& files) {
                    // Read to the end, but not finished: nothing is rewritten.
                    AnswerLog log(files);
                    std::optional<AllAnswersRead> read;
                    QStringList lines;
                    const FileStatus s = readAllAnswers(log, read, lines, 1 << 20);
                    QString text;
                    for (const QString& line : lines)
                        text += line + QStringLiteral("\r\n");
                    return readOutcome(s, text, files);
                }});
    ops.append(
        {QStringLiteral("log.readAllRewrite"), logPath, Effect::Rewrite, [](FileTable& files) {
             // "Все ответы" read to the end and finished: the log rewritten from its lines.
             AnswerLog log(files);
             std::optional<AllAnswersRead> read;
             QStringList lines;
             const FileStatus s = readAllAnswers(log, read, lines, 1 << 20);
             return writeOutcome(s ? read->finish() : s, files);
         }});
    ops.append({QStringLiteral("log.replace"), logPath, Effect::Rewrite, [](FileTable& files) {
                    AnswerLog log(files);
                    return writeOutcome(
                        log.replaceLog(linesOf(QStringLiteral(
                            "1,000  2,000  \r\nОдного решения нет\r\n\r\nзаметка: проверить"))),
                        files);
                }});
    ops.append(
        {QStringLiteral("lostmas.write"), lostMasPath, Effect::Rewrite, [](FileTable& files) {
             return writeOutcome(
                 arrayfile::write(lostMasPath, ArrayOrder(4), u"7 5 5 2 3 -1.5 1E+300 abc  Ы"),
                 files);
         }});
    ops.append({QStringLiteral("lostmas.read"), lostMasPath, Effect::Read, [](FileTable& files) {
                    arrayfile::Content content;
                    const FileStatus s = arrayfile::read(lostMasPath, content);
                    return readOutcome(s, contentText(content), files);
                }});
    ops.append(
        {QStringLiteral("lostmas.touchRead"), lostMasPath, Effect::TouchRead, [](FileTable& files) {
             arrayfile::Content content;
             const FileStatus s = arrayfile::touchAndRead(lostMasPath, content);
             return readOutcome(s, loadedText(content), files);
         }});
    ops.append({QStringLiteral("array.save"), arrayPath, Effect::Rewrite, [](FileTable& files) {
                    return writeOutcome(
                        library::saveArrayFile(namedArray, ArrayOrder(2), u"2 1 3 1 3 5"), files);
                }});
    ops.append({QStringLiteral("array.load"), arrayPath, Effect::Read, [](FileTable& files) {
                    arrayfile::Content content;
                    const FileStatus s = library::loadArrayFile(namedArray, content);
                    return readOutcome(s, contentText(content), files);
                }});
    ops.append({QStringLiteral("list.touch"), listPath, Effect::Append,
                [](FileTable& files) { return writeOutcome(library::touchSaveList(), files); }});
    ops.append({QStringLiteral("list.add"), listPath, Effect::Append, [](FileTable& files) {
                    return writeOutcome(library::addToSaveList(QStringLiteral("Новый")), files);
                }});
    ops.append({QStringLiteral("list.names"), listPath, Effect::Read, [](FileTable& files) {
                    QStringList names;
                    const FileStatus s = library::readSaveListNames(names);
                    return readOutcome(s, names.join(u'|'), files);
                }});
    ops.append(
        {QStringLiteral("list.touchNames"), listPath, Effect::TouchRead, [](FileTable& files) {
             QStringList names;
             const FileStatus s = library::touchAndReadSaveListNames(names);
             return readOutcome(s, names.join(u'|'), files);
         }});
    ops.append({QStringLiteral("list.text"), listPath, Effect::Read, [](FileTable& files) {
                    QString text;
                    const FileStatus s = library::readSaveListText(text);
                    return readOutcome(s, text, files);
                }});
    ops.append({QStringLiteral("list.replace"), listPath, Effect::Rewrite, [](FileTable& files) {
                    return writeOutcome(
                        library::replaceSaveList(QStringLiteral("\r\nМой массив\r\nНовый")), files);
                }});
    ops.append({QStringLiteral("list.reset"), listPath, Effect::Rewrite,
                [](FileTable& files) { return writeOutcome(library::resetSaveList(), files); }});
    // "Сохранить…" of the steps window: the page of a solve as a UTF-8 HTML document.
    ops.append(
        {QStringLiteral("steps.save"), stepsPath, Effect::Rewrite, [](FileTable& files) {
             SystemStore store;
             store.shapeForOrder(ArrayOrder(2));
             entry::fillMatrix(store.matrix, u"2 1 3 1 3 5", u'.');
             solver::SolveRecord record;
             const solver::CheckedSolve solve = solver::solveChecked(store, record, u"2 1 3 1 3 5");
             return writeOutcome(TextRewrite::writeUtf8(
                                     stepsPath, steps::htmlPage(steps::page(record, solve, u','))),
                                 files);
         }});
    return ops;
}

QByteArray cp1251(const QString& text) {
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

// Lines until the text is exactly one page long, the last one padded to fit.
QByteArray pageOf(const QStringList& lines, const QString& filler) {
    constexpr qsizetype page = 4096;
    QByteArray bytes;
    for (int i = 0;; ++i) {
        const QByteArray line = cp1251(lines[i % lines.size()]) + "\r\n";
        if (bytes.size() + line.size() + 40 > page)
            break;
        bytes += line;
    }
    const qsizetype rest = page - bytes.size() - 2;
    bytes += cp1251(filler.repeated(rest).left(rest)) + "\r\n";
    return bytes;
}

} // namespace

const QList<Operation>& operations() {
    static const QList<Operation> ops = buildOperations();
    return ops;
}

const Operation* findOperation(const QString& name) {
    for (const Operation& op : operations())
        if (op.name == name)
            return &op;
    return nullptr;
}

QMap<QString, QByteArray> seedContents() {
    QMap<QString, QByteArray> seed;
    seed.insert(AnswerLog::path, pageOf({QStringLiteral("1,000  2,000  "), QString(),
                                         QStringLiteral("Одного решения нет"),
                                         QStringLiteral("   "), QStringLiteral("-12,500  0,333  ")},
                                        QStringLiteral("ж")));
    seed.insert(programfiles::saveList, pageOf({QString(), namedArray, QStringLiteral(" "),
                                                QStringLiteral("другой массив")},
                                               QStringLiteral("я")));
    seed.insert(lostMasPath,
                cp1251(QStringLiteral(" 10 \r\n 1 \r\n-2.5 \r\n 3 \r\n 4 \r\nабв\r\n")));
    seed.insert(programfiles::inFolder(namedArray),
                cp1251(QStringLiteral(
                    " 9 \r\n 0 \r\n 2 \r\n 4 \r\n 1 \r\n 1 \r\n 3 \r\n \"a,b\" x, 7 \r\n")));
    seed.insert(QStringLiteral("files/help.htm"), QByteArrayLiteral("<html>help</html>\r\n"));
    seed.insert(stepsPath, QByteArrayLiteral("<html>steps</html>\n"));
    return seed;
}

bool writeSeedFiles() {
    const QMap<QString, QByteArray> seed = seedContents();
    for (auto it = seed.cbegin(); it != seed.cend(); ++it) {
        QFile f(QDir::current().filePath(it.key()));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            f.write(it.value()) != it.value().size())
            return false;
    }
    return true;
}

FileStatus readAllAnswers(AnswerLog& log, std::optional<AllAnswersRead>& read, QStringList& lines,
                          qint64 partBytes) {
    FileStatus s = AllAnswersRead::open(log, read);
    while (s && !read->atEnd())
        s = read->readPart(partBytes, lines);
    return s;
}

std::function<std::optional<QString>()> linesOf(const QString& text) {
    return [lines = text.split(QStringLiteral("\r\n")), next = qsizetype(0)]() mutable {
        return next < lines.size() ? std::optional<QString>(lines[next++]) : std::nullopt;
    };
}

QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> result;
    const QDir root(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString key = root.relativeFilePath(path);
        if (info.isDir()) {
            result.insert(key, QByteArrayLiteral("<folder>"));
            continue;
        }
        QFile f(path);
        result.insert(key, f.open(QIODevice::ReadOnly) ? f.readAll()
                                                       : QByteArrayLiteral("<unreadable>"));
    }
    return result;
}

int openDescriptorCount() {
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd"))
                                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
                                .size()) -
           1; // the listing itself holds one
}

QString escaped(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
        else
            out += c;
    }
    return out;
}

} // namespace faults
