// Every file operation of the core under a short name, with the file it works on and what it does
// to it, and the files the fault tests start from. Shared by the in-process fault test and the
// driver program that the shell tests run under mounts and write faults.
#pragma once

#include "core/answer_log.h"
#include "support/file_status.h"
#include "support/file_table.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace faults {

enum class Effect {
    Append,  // adds one line at the end
    Rewrite, // replaces the whole file
    Read,    // leaves the file as it is
    // makes sure the file exists (adds an empty line), then reads it; where the file cannot be
    // added to but can be read, it reads it all the same and leaves it as it is
    TouchRead,
};

struct Outcome {
    FileStatus status;
    QString result;         // what a reading operation returned, as text
    bool filesOpen = false; // the file table still holds a file after the operation
};

struct Operation {
    QString name;
    QString target; // relative path of the file the operation works on
    Effect effect;
    std::function<Outcome(FileTable&)> run;
};

inline const QString namedArray = QStringLiteral("Мой массив");

const QList<Operation>& operations();
const Operation* findOperation(const QString& name);

// The files every fault case starts from (relative path to bytes). The answer log and the name list
// fill exactly one page of 4096 bytes, so that appending to them needs a new block on a full disk.
QMap<QString, QByteArray> seedContents();
// Writes the seed files below the current folder; the folder files must exist.
bool writeSeedFiles();

// "Все ответы" read to the end in parts of partBytes: the log's lines, and the read left open for
// its finish.
FileStatus readAllAnswers(AnswerLog& log, std::optional<AllAnswersRead>& read, QStringList& lines,
                          qint64 partBytes);

// The lines of a text (joined by CR LF) one at a time, as the answer log's rewrite takes them: the
// log becomes the text followed by CR LF.
std::function<std::optional<QString>()> linesOf(const QString& text);

// Every file and folder below the folder (relative path to bytes; folders map to "<folder>").
QMap<QString, QByteArray> snapshot(const QString& folder);

// The number of file descriptors the process holds open.
int openDescriptorCount();

// Escapes CR, LF, backslash and other control characters, so that a result fits one line.
QString escaped(const QString& text);

} // namespace faults
