// Notes on how the editor read its entry text: the tokens the refill reads that the value-of-text
// rule does not read whole (a decimal comma, letters or other characters after the number, an
// empty token from a leading, trailing or doubled blank), each with its place in the system, the
// value it was read as and what to type instead. The reading itself is not changed by them.
#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringView>
#include <vector>

namespace entry {

enum class NoteKind {
    Comma,     // a decimal comma: only the part before it was read
    Empty,     // an empty token: read as 0
    Other,     // letters or other characters the number does not take
    EmptyCell, // an empty cell of a pasted block: read as 0
};

struct TokenNote {
    NoteKind kind;
    int row;    // 0 .. n-1
    int column; // 0 .. n (n: the right-hand side)
    QString token;
    double value;
};

// The tokens that the refill of order n reads (row by row, cyclically, as it reads them) and
// that the value-of-text rule does not read whole, each once at the first place it is read.
// An empty token at one of the places emptyCells names is an empty cell of a pasted block, not a
// doubled blank.
std::vector<TokenNote> tokenNotes(QStringView text, int n, const QList<qsizetype>& emptyCells = {});

// How many values a text holds for the refill of order n, as the refill counts them: every token,
// an empty one too (read as 0), but for the empty ones after the last number that lie beyond the
// values needed, which no reading reaches (the blank after a random fill).
struct NumberCount {
    qsizetype held = 0;
    qsizetype needed = 0; // n × (n + 1)
};
NumberCount numberCount(QStringView text, int n);

// What a count that is not the one needed means for the reading, e.g. "Чисел 11, а для порядка 3
// нужно 12: последнее число взято снова с начала (1-е)." or "... лишние 2 не используются.";
// empty when the count is right or the text is empty.
QString countText(NumberCount count, int n);

// One line for the first note, e.g. "Строка 1, столбец 1: «2,5» прочитано как 2: дробную часть
// отделяйте точкой.", and how many more there are; empty when there is none. A count text, when
// there is one, comes first; the token note after it then leaves out its advice, so that both
// fit under the entry.
QString notesText(const std::vector<TokenNote>& notes, int n, QChar decimalSeparator,
                  const QString& count = {});

} // namespace entry
