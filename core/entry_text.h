// The editor's text form of a system: the entry text cut into tokens at every single blank, and
// the refill that reads the tokens into the matrix row by row and builds the preview text.
#pragma once

#include "core/system_store.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

namespace entry {

// Every single blank cuts the text; empty tokens count; an empty text has no tokens.
QList<QStringView> tokens(QStringView text);

// Reads the tokens into matrix rows 0 .. n-1, columns 0 .. n (n is the matrix's order), reusing
// them from the first when the text has fewer; reads no token beyond those it needs. Returns the
// preview text, or nothing when the text is empty (the matrix is then left as it was).
std::optional<QString> fillMatrix(Matrix& matrix, QStringView text, QChar decimalSeparator);

// The values of the preview, row by row as fillMatrix shows them: the n coefficients of each
// row, then its right-hand side.
std::vector<QStringList> previewCells(const Matrix& matrix, QChar decimalSeparator);

// A number typed with a decimal comma: the token with its one comma turned into a period, when
// the value-of-text rule then reads it whole; nothing otherwise.
std::optional<QString> commaAsPoint(QStringView token);

// The numbers of pasted text between tabs and breaks (a line, or one cell of a block), parted at
// runs of blanks, each with a decimal comma as a period («-4,935» becomes «-4.935»). A comma is
// left as pasted, for the note under the entry to name it, where it is no decimal comma of one
// number: commaAsPoint does not take the number («1,5,3», «1,234.5»), or the number looks like
// the last digit group of a larger one, three digits before the comma one blank after a number
// of one to three digits («1 234,5»: 1 and 234.5, or 1234.5?).
QStringList pastedNumbers(QStringView text);

// A pasted line (no tab, no break) as entry text: its numbers as pastedNumbers gives them, one
// blank between them, a run of blanks at either end kept as one blank.
QString pastedLine(QStringView text);

// True when pasted text is a block of cells: it holds a tab or a line break.
bool isPastedBlock(QStringView text);

// A pasted block of cells (rows at CR LF, LF or CR, cells at tabs, blanks inside a cell parting
// numbers as typed) as entry text: one blank between cells, an empty cell kept as an empty token
// in its place, a cell's numbers as pastedNumbers gives them; the separators at the start and end
// of the block give no token. The places of the empty cells' empty tokens in the text returned
// go to emptyCells.
QString pastedBlock(QStringView text, QList<qsizetype>* emptyCells = nullptr);

// What a paste puts in the entry between the text before the cursor and the text after it: a
// block as pastedBlock gives it, parted from a number beside it by one blank; a line as
// pastedLine gives it, less a blank at an end where the entry has a blank or its end already,
// so that a paste makes no empty value of its own.
struct Paste {
    QString text;
    QList<qsizetype> emptyCells; // in text, where a block's empty cell gives an empty token
};
Paste pasteAt(QStringView pasted, QStringView before, QStringView after);

// The places of pasted empty cells (empty tokens, as places in the text) once an edit has turned
// the text before into the text after: a place in front of the edit stays, one behind it moves
// with the text; a place the edit touched is gone, and so is any that no longer starts an empty
// token. The note under the entry tells such a token as an empty cell, not a doubled blank.
QList<qsizetype> keptEmptyCells(QStringView before, QStringView after,
                                const QList<qsizetype>& cells);

} // namespace entry
