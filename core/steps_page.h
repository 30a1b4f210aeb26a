// The steps as lines with their kind: a line of text, a warning, or a matrix block given as rows
// of cells (the last cell of a row its right-hand side). The window, the saved text, the HTML page
// and the printout are all laid out from these lines, none of them from a text parsed back.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace steps {

enum class LineKind { Text, Warning, Matrix };

struct PageLine {
    LineKind kind = LineKind::Text;
    QString text;                  // Text and Warning: one line, without its LF
    std::vector<QStringList> rows; // Matrix: the rows of cells
};

class Page {
  public:
    // Appends to the page; each LF ends a line, so a text may give several lines or a part of one.
    void text(QStringView text);
    // The same, the lines it ends shown as warnings.
    void warning(QStringView text);
    // A matrix block on lines of its own.
    void matrix(std::vector<QStringList> rows);
    void append(const Page& other);

    // The lines; a last line that no LF has ended yet is not among them.
    const std::vector<PageLine>& lines() const { return lines_; }
    // The page as plain text: every line ended by LF, a matrix one row a line with its columns
    // right-aligned and a bar before the right-hand sides.
    QString plainText() const;

  private:
    void add(QStringView text, LineKind kind);
    std::vector<PageLine> lines_;
    QString open_;
    LineKind openKind_ = LineKind::Text;
};

// Rows of cells as plain text, as the page writes a matrix block.
QString alignedRows(const std::vector<QStringList>& rows);

} // namespace steps
