// The answer log files/lastans: one answer per non-empty line. The solver appends to it; the main
// window reads it back answer by answer, the last answer alone, or whole, and writes it back.
#pragma once

#include "core/program_files.h"
#include "support/file_status.h"
#include "support/file_table.h"
#include "support/text_reader.h"
#include "support/text_rewrite.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class AnswerLog {
  public:
    static inline const QString& path = programfiles::answerLog;
    // The number under which the browsing cursor stays open between clicks.
    static constexpr int cursorNumber = 1;
    // Every reader refuses a line longer than this: no answer the solver writes comes near it,
    // and no widget is given such a line to lay out.
    static constexpr qsizetype longestLine = 64 * 1024;
    // "Все ответы" refuses a larger log: the panel could not hold it (browsing still reads it).
    static constexpr qint64 largestPanelLog = 128 * 1024 * 1024;

    explicit AnswerLog(FileTable& files) : files_(files) {}

    // Adds the line and CR LF at the end of the log (created if missing), then closes all files.
    FileStatus appendAnswer(const QString& line);
    // Closes all files and adds an empty line, so that the log exists before it is read.
    FileStatus touchLog();
    // Opens the log for reading at its start and leaves it open: the browsing cursor.
    FileStatus openAnswerCursor();
    // "Первый ответ": touchLog, then openAnswerCursor; a touch that fails does not stop the
    // browse of a log that can be read (FileStatus::afterTouch).
    FileStatus touchAndOpenCursor();
    // "Последний ответ": touchLog, then lastAnswer, by the same rule.
    FileStatus touchAndReadLast(std::optional<QString>& answer);
    bool cursorOpen() const { return files_.get(cursorNumber) != nullptr; }
    // Closes all files, and so ends the browse: the cursor is closed.
    void closeFiles() { files_.closeAll(); }
    // The next non-empty line on the cursor, or nothing at the end (the cursor stays open). A
    // failed read closes the cursor.
    FileStatus nextAnswer(std::optional<QString>& answer);
    // The last non-empty line of the log, or nothing when it has none.
    FileStatus lastAnswer(std::optional<QString>& answer);
    // Closes all files; the whole log becomes every line nextLine gives, each followed by CR LF,
    // until it gives none. The text is handed over a line at a time, so that it is never held
    // whole.
    FileStatus replaceLog(const std::function<std::optional<QString>()>& nextLine);

  private:
    FileTable& files_;
};

// "Все ответы" a part at a time, so that a large log never keeps the window from answering: every
// non-empty line of the log in file order, while the log is rewritten from exactly those lines,
// as replaceLog writes them (each line followed by CR LF), then one CR LF more. finish() puts the
// rewrite in place after the last part; a read given up before, cancelled or failed, leaves the
// log as it was.
class AllAnswersRead {
  public:
    // Closes all files and starts: a log that cannot be read is refused here; a missing log in an
    // existing folder reads as an empty one.
    static FileStatus open(AnswerLog& log, std::optional<AllAnswersRead>& read);

    // Appends the next non-empty lines to `lines`, until about `bytes` bytes of the log have been
    // read or the log ends.
    FileStatus readPart(qint64 bytes, QStringList& lines);
    // True once a part met the end of the log with no read failed.
    bool atEnd() const { return ended_; }
    // The share of the log read so far, from 0 to 1.
    double progress() const;
    // After the last part: the rewritten log put in place, or the first failure of the rewrite.
    FileStatus finish();

  private:
    AllAnswersRead() = default;

    std::optional<TextReader> reader_; // none for a missing log
    std::optional<TextRewrite> rewrite_;
    bool ended_ = false;
    FileStatus rewriteStatus_; // success so far, or the first failure of the rewrite
};
