// The answer log files/lastans: one answer per non-empty line. The solver appends to it; the main
// window reads it back answer by answer, the last answer alone, or whole, and writes it back.
#pragma once

#include "support/file_status.h"
#include "support/file_table.h"

#include <QString>
#include <optional>

class AnswerLog {
  public:
    static inline const QString path = QStringLiteral("files/lastans");
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
    // Every non-empty line, each followed by CR LF; a missing log reads as an empty one.
    FileStatus readAllAnswers(QString& text);
    // Closes all files; the whole log becomes the text followed by CR LF.
    FileStatus replaceLog(const QString& text);

  private:
    FileTable& files_;
};
