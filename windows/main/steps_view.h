// The steps page as the window shows it: a text document built paragraph by paragraph from the
// page's lines. A heading is larger and bold, a warning or an error bold in its colour; a matrix
// is one paragraph a row whose cells stand right-aligned at tab stops measured for the widest
// cell of each column, with a vertical line where the bar stands, the pivot bold and
// underlined on a darker ground, and each row's note in its colour beside the row. A matrix so
// laid out reads as a table, stays text (selected, copied and read aloud as such) and costs a
// fraction of a table's layout, which at order 10 took far longer than the window may take.
#pragma once

#include "core/steps_page.h"

#include <QColor>
#include <QFont>

class QTextDocument;

namespace stepsview {

struct Look {
    QFont font;
    QColor text;
    QColor warning;
    QColor error;
    QColor note;
    QColor pivotGround;
};

// Replaces the document's content by the page.
void layOut(QTextDocument& document, const steps::Page& page, const Look& look);

} // namespace stepsview
