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

// The text with every tab, line break and run of blanks turned into one blank (for pasting).
QString normalizePasted(QStringView text);

// True when pasted text is a block of cells: it holds a tab or a line break.
bool isPastedBlock(QStringView text);

// A pasted block of cells (rows at CR LF, LF or CR, cells at tabs, blanks inside a cell parting
// numbers as typed) as entry text: one blank between cells, an empty cell kept as an empty token
// in its place, a decimal comma in a number turned into a period; the separators at the start
// and end of the block give no token.
QString pastedBlock(QStringView text);

} // namespace entry
