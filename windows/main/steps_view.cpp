#include "windows/main/steps_view.h"

#include <QFontMetricsF>
#include <QList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>
#include <vector>

namespace stepsview {
namespace {

using steps::LineKind;
using steps::PageLine;

// The vertical line of a bar or of a determinant's sides.
const QString rule = QStringLiteral("│");

// Spaces of the page, in parts of the face's height: between paragraphs, above and below a
// heading, a matrix's indent, the space between its columns and the space before its notes.
constexpr qreal paragraphSpace = 0.15;
constexpr qreal headingAbove = 1.0;
constexpr qreal headingBelow = 0.3;
constexpr qreal matrixIndent = 1.5;
constexpr qreal matrixAbove = 0.3;
constexpr qreal matrixBelow = 0.6;
constexpr qreal columnGap = 0.7;
constexpr qreal noteGap = 1.2;
constexpr qreal headingScale = 1.3;

// Builds the document a paragraph after another; the first paragraph is the document's own.
class Writer {
  public:
    Writer(QTextDocument& document, const Look& look)
        : cursor_(&document), look_(look), height_(QFontMetricsF(look.font).height()) {
        plain_.setForeground(look.text);
        plain_.setFont(look.font);
    }

    void paragraph(const QString& text, const QTextCharFormat& format, qreal above, qreal below) {
        QTextBlockFormat block;
        block.setTopMargin(above * height_);
        block.setBottomMargin(below * height_);
        start(block, format);
        cursor_.insertText(text, format);
    }

    void matrix(const PageLine& line);

    const QTextCharFormat& plain() const { return plain_; }
    QTextCharFormat coloured(const QColor& colour, bool bold) const {
        QTextCharFormat format = plain_;
        format.setForeground(colour);
        if (bold)
            format.setFontWeight(QFont::Bold);
        return format;
    }

  private:
    QTextCursor cursor_;
    const Look& look_;
    qreal height_;
    QTextCharFormat plain_;
    bool first_ = true;

    void start(const QTextBlockFormat& block, const QTextCharFormat& format) {
        if (first_) {
            cursor_.setBlockFormat(block);
            cursor_.setBlockCharFormat(format);
            first_ = false;
        } else {
            cursor_.insertBlock(block, format);
        }
    }
    QTextCharFormat pivotFormat() const {
        QTextCharFormat format = coloured(look_.text, true);
        format.setFontUnderline(true);
        format.setBackground(look_.pivotGround);
        return format;
    }
};

void Writer::matrix(const PageLine& line) {
    const qsizetype columns = steps::columnCount(line);
    const int bar = steps::barColumn(line);
    const QFontMetricsF metrics(look_.font);
    QFont boldFace = look_.font;
    boldFace.setBold(true);
    const QFontMetricsF bold(boldFace);
    std::vector<qreal> width(std::size_t(columns), 0);
    for (std::size_t i = 0; i < line.rows.size(); ++i)
        for (qsizetype j = 0; j < line.rows[i].size(); ++j) {
            const bool pivot = int(i) == line.marks.pivotRow && j == line.marks.pivotColumn;
            const qreal w = (pivot ? bold : metrics).horizontalAdvance(line.rows[i][j]);
            width[std::size_t(j)] = std::max(width[std::size_t(j)], w);
        }
    const qreal gap = columnGap * height_;
    QList<QTextOption::Tab> tabs;
    qreal x = line.marks.determinant ? metrics.horizontalAdvance(rule) : 0;
    for (qsizetype j = 0; j < columns; ++j) {
        if (j == bar) {
            tabs.append(QTextOption::Tab(x + gap, QTextOption::CenterTab));
            x += gap;
        }
        x += (j > 0 || line.marks.determinant ? gap : 0) + width[std::size_t(j)];
        tabs.append(QTextOption::Tab(x, QTextOption::RightTab));
    }
    if (line.marks.determinant) {
        x += gap;
        tabs.append(QTextOption::Tab(x, QTextOption::LeftTab));
    }
    tabs.append(QTextOption::Tab(x + noteGap * height_, QTextOption::LeftTab));

    const QTextCharFormat noteFormat = coloured(look_.note, false);
    const bool notes = steps::hasNotes(line);
    for (std::size_t i = 0; i < line.rows.size(); ++i) {
        QTextBlockFormat block;
        block.setLeftMargin(matrixIndent * height_);
        block.setTopMargin(i == 0 ? matrixAbove * height_ : 0);
        block.setBottomMargin(i + 1 == line.rows.size() ? matrixBelow * height_ : 0);
        block.setTabPositions(tabs);
        block.setNonBreakableLines(true);
        start(block, plain_);
        QString run = line.marks.determinant ? rule : QString();
        const QStringList& cells = line.rows[i];
        for (qsizetype j = 0; j < columns; ++j) {
            if (j == bar)
                run += u'\t' + rule;
            run += u'\t';
            if (int(i) == line.marks.pivotRow && j == line.marks.pivotColumn) {
                cursor_.insertText(run, plain_);
                cursor_.insertText(cells.value(j), pivotFormat());
                run.clear();
            } else {
                run += cells.value(j);
            }
        }
        if (line.marks.determinant)
            run += u'\t' + rule;
        cursor_.insertText(run, plain_);
        const QString note = line.marks.notes.value(qsizetype(i));
        if (notes && !note.isEmpty())
            cursor_.insertText(u'\t' + QStringLiteral("← ") + note, noteFormat);
    }
}

} // namespace

void layOut(QTextDocument& document, const steps::Page& page, const Look& look) {
    document.clear();
    document.setDefaultFont(look.font);
    Writer writer(document, look);
    QTextCharFormat heading = writer.coloured(look.text, true);
    heading.setFontPointSize(look.font.pointSizeF() * headingScale);
    const QTextCharFormat warning = writer.coloured(look.warning, true);
    const QTextCharFormat error = writer.coloured(look.error, true);
    for (const PageLine& line : page.lines()) {
        switch (line.kind) {
        case LineKind::Matrix:
            writer.matrix(line);
            break;
        case LineKind::Heading:
            writer.paragraph(line.text, heading, headingAbove, headingBelow);
            break;
        case LineKind::Warning:
            writer.paragraph(line.text, warning, paragraphSpace, paragraphSpace);
            break;
        case LineKind::Error:
            writer.paragraph(line.text, error, paragraphSpace, paragraphSpace);
            break;
        case LineKind::Text:
            if (!line.text.isEmpty())
                writer.paragraph(line.text, writer.plain(), paragraphSpace, paragraphSpace);
            break;
        }
    }
}

} // namespace stepsview
