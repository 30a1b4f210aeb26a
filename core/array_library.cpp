#include "core/array_library.h"

#include "core/program_files.h"
#include "support/line_append.h"
#include "support/text_reader.h"
#include "support/text_rewrite.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

namespace library {
namespace {

constexpr textfile::ReadLimits listBounds{.fileBytes = largestSaveList,
                                          .lineBytes = longestSaveListLine};

bool isName(QStringView line) {
    return !line.isEmpty() && line != u" ";
}

FileStatus tooManyNames(FileStatus::Action action) {
    return FileStatus::failure(
        programfiles::saveList, action,
        action == FileStatus::Action::Read
            ? QCoreApplication::translate("arrays", "в списке больше %1 имён").arg(mostNames)
            : QCoreApplication::translate("arrays", "в списке стало бы больше %1 имён, "
                                                    "и программа не смогла бы его "
                                                    "прочитать")
                  .arg(mostNames));
}

// Reads the list line by line within its bounds; more than mostNames names stop the read.
template <typename Visit> FileStatus forEachListLine(Visit visit) {
    std::optional<TextReader> file;
    FileStatus s = TextReader::open(programfiles::saveList, file, listBounds);
    if (!s)
        return s;
    QString line;
    int names = 0;
    while (!file->atEnd()) {
        s = file->readLine(line);
        if (!s)
            return s;
        if (isName(line) && ++names > mostNames)
            return tooManyNames(FileStatus::Action::Read);
        visit(line);
    }
    return file->readFailure();
}

// A character no name may hold: C0 and C1 controls and DEL.
bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7f || c.category() == QChar::Other_Control;
}

QString controlProblem() {
    return QCoreApplication::translate("arrays", "в имени массива есть управляющий знак");
}

bool isDeviceName(const QString& name) {
    static const QRegularExpression device(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    return device.match(name).hasMatch();
}

} // namespace

std::optional<QString> nameProblem(const QString& name) {
    constexpr int longest = 64;
    if (name.isEmpty())
        return QCoreApplication::translate("arrays", "имя массива пусто");
    if (name.size() > longest)
        return QCoreApplication::translate("arrays", "имя массива длиннее %1 знаков").arg(longest);
    for (const QChar c : name) {
        if (QStringLiteral("/\\:*?\"<>|").contains(c))
            return QCoreApplication::translate(
                       "arrays", "в имени массива есть знак «%1», недопустимый в имени файла")
                .arg(c);
        if (isControl(c))
            return controlProblem();
    }
    if (name == u"." || name == u"..")
        return QCoreApplication::translate("arrays", "имя «%1» обозначает папку").arg(name);
    if (name.front() == u' ' || name.back() == u' ')
        return QCoreApplication::translate("arrays",
                                           "имя массива начинается или кончается пробелом");
    if (name.back() == u'.')
        return QCoreApplication::translate("arrays", "имя массива кончается точкой");
    if (isDeviceName(name))
        return QCoreApplication::translate("arrays", "имя «%1» занято системой").arg(name);
    static const QStringList ownFiles = programfiles::ownNames();
    for (const QString& own : ownFiles) {
        if (name.toCaseFolded() == own.toCaseFolded())
            return QCoreApplication::translate("arrays", "файл «%1» принадлежит самой программе")
                .arg(own);
    }
    QByteArray bytes;
    QString bad;
    if (!textfile::encode(name, bytes, &bad))
        return QCoreApplication::translate("arrays",
                                           "знак «%1» нельзя сохранить в кодировке Windows-1251")
            .arg(bad);
    return std::nullopt;
}

std::optional<QString> listTextProblem(QStringView text) {
    for (const QChar c : text) {
        if (c != u'\r' && c != u'\n' && isControl(c))
            return controlProblem();
    }
    return std::nullopt;
}

FileStatus saveArrayFile(const QString& name, ArrayOrder order, QStringView entryText) {
    return arrayfile::write(programfiles::inFolder(name), order, entryText);
}

FileStatus loadArrayFile(const QString& name, arrayfile::Content& content) {
    return arrayfile::read(programfiles::inFolder(name), content);
}

FileStatus roomForName(const QString& name) {
    // A list that cannot be read is left to the append, which says what stands in its way.
    int names = 0;
    if (!isName(name) || !QFileInfo::exists(textfile::fullPath(programfiles::saveList)) ||
        !forEachListLine([&names](const QString& line) { names += isName(line); }))
        return FileStatus::success();
    return names < mostNames ? FileStatus::success() : tooManyNames(FileStatus::Action::Write);
}

FileStatus addToSaveList(const QString& name) {
    const FileStatus room = roomForName(name);
    return room ? textfile::appendLine(programfiles::saveList, name, listBounds) : room;
}

FileStatus touchSaveList() {
    return textfile::appendLine(programfiles::saveList, QString(), listBounds);
}

FileStatus readSaveListNames(QStringList& names) {
    names.clear();
    QStringList found;
    const FileStatus s = forEachListLine([&found](const QString& line) {
        if (isName(line))
            found.append(line);
    });
    if (s)
        names = found;
    return s;
}

FileStatus touchAndReadSaveListNames(QStringList& names) {
    names.clear();
    const FileStatus readable =
        textfile::checkReadable(programfiles::saveList, {.fileBytes = largestSaveList});
    if (!readable)
        return readable;
    const FileStatus touched = touchSaveList();
    return FileStatus::afterTouch(touched, readSaveListNames(names));
}

FileStatus readSaveListText(QString& text) {
    text.clear();
    QStringList lines;
    const FileStatus s = forEachListLine([&lines](const QString& line) { lines.append(line); });
    if (s)
        text = lines.join(QStringLiteral("\r\n"));
    return s;
}

FileStatus replaceSaveList(const QString& text) {
    // The names as a read will find them: lines end at CR, and an LF right after it is the
    // line end's.
    int names = 0;
    bool first = true;
    for (QStringView line : QStringView(text).split(u'\r')) {
        if (!first && line.startsWith(u'\n'))
            line = line.mid(1);
        first = false;
        names += isName(line);
    }
    if (names > mostNames)
        return tooManyNames(FileStatus::Action::Write);
    return TextRewrite::writeWhole(programfiles::saveList, text, listBounds);
}

FileStatus resetSaveList() {
    return TextRewrite::writeWhole(programfiles::saveList, QString());
}

} // namespace library
