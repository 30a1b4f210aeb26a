// The steps as documents, each laid out from the lines of a page: an HTML page (stage headings,
// each matrix a table with its bar, pivot, notes and determinant bars, warnings and errors in
// colour) in the paper look for files and printing or in the window's screen look, and a whole
// LaTeX document of the same page.
#pragma once

#include "core/steps_page.h"

#include <QString>

namespace steps {

// The colours of an HTML page, as CSS colour texts: the paper's by default.
struct HtmlColours {
    QString text = QStringLiteral("#000000");
    QString background = QStringLiteral("#ffffff");
    QString warning = QStringLiteral("#8a5a00");
    QString error = QStringLiteral("#c00000");
    QString note = QStringLiteral("#404040");
};

// A whole HTML page of the steps, well-formed as XML: a heading of a stage an <h2>, a matrix
// block a table with its columns right-aligned, a rule where its bar stands, the pivot framed
// and bold, each row's note in a cell beside it, a determinant between vertical rules; a
// warning or an error a paragraph in its colour; every other line that is not empty a
// paragraph. No table is split across two printed pages.
QString htmlPage(const Page& page, const HtmlColours& colours = {});

// The page as a LaTeX document that pdflatex compiles with the T2A fonts and Russian babel: a
// heading a \section*, every text with LaTeX's special characters escaped and the page's signs
// (κ ∞ · × − ₀..₉ ⁻¹ ← ≠ ≈ …) as commands, each matrix an array with its bar, the pivot
// boxed, fractions as \frac and the decimal comma braced, the notes beside the rows, a matrix
// wider than the line scaled down to it.
QString latexDocument(const Page& page);

} // namespace steps
