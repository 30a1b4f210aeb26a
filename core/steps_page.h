// The steps as lines with their kind: a heading of a stage, a line of text, a warning, an error (a
// check that failed), or a matrix block given as rows of cells with its marks (where the bar
// stands, the pivot, the operation beside each row it changed). The window, the saved text, the
// HTML page, the printout and the LaTeX copy are all laid out from these lines, none of them from
// a text parsed back.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace steps {

enum class LineKind { Text, Warning, Matrix, Heading, Error };

// What a matrix block shows besides its cells.
struct MatrixMarks {
    // The number of columns before the bar; -1: the bar stands before the last column ([A | b]).
    // [A | E] has n columns before it, a matrix without a bar (a determinant) 0 or more than
    // the row holds.
    int bar = -1;
    // The pivot of the step, marked; -1 when the block has none.
    int pivotRow = -1;
    int pivotColumn = -1;
    // One per row, or empty: the operation that gave the row ("стр. 2 − 3/2 · стр. 1"), empty
    // for a row the step did not change.
    QStringList notes;
    // The block is a determinant |A|, drawn between vertical bars instead of brackets.
    bool determinant = false;
};

struct PageLine {
    LineKind kind = LineKind::Text;
    QString text;                  // Text, Warning, Heading, Error: one line, without its LF
    std::vector<QStringList> rows; // Matrix: the rows of cells
    MatrixMarks marks;             // Matrix: its bar, pivot and notes
};

class Page {
  public:
    // Appends to the page; each LF ends a line, so a text may give several lines or a part of one.
    void text(QStringView text);
    // The same, the lines it ends shown as warnings.
    void warning(QStringView text);
    // The same, the lines it ends shown as errors: a result that its exact check refused.
    void error(QStringView text);
    // A heading of a stage, on a line of its own (an open line is ended first).
    void heading(QStringView text);
    // A matrix block on lines of its own.
    void matrix(std::vector<QStringList> rows, MatrixMarks marks = {});
    void append(const Page& other);

    // The lines; a last line that no LF has ended yet is not among them.
    const std::vector<PageLine>& lines() const { return lines_; }
    // The page as plain text: every line ended by LF, a heading underlined, a matrix one row a
    // line with its columns right-aligned, a bar where its marks put it, the pivot after a "*"
    // and each row's note after it ("  ← стр. 2 − 3/2 · стр. 1").
    QString plainText() const;

  private:
    void add(QStringView text, LineKind kind);
    std::vector<PageLine> lines_;
    QString open_;
    LineKind openKind_ = LineKind::Text;
};

// A matrix block's columns: those of its longest row.
qsizetype columnCount(const PageLine& line);
// The column before which the block's bar stands, or -1 when it has none.
int barColumn(const PageLine& line);
// Whether some row of the block has a note beside it.
bool hasNotes(const PageLine& line);

// Rows of cells as plain text, as the page writes a matrix block.
QString alignedRows(const std::vector<QStringList>& rows, const MatrixMarks& marks = {});

} // namespace steps
