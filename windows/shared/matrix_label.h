// A label for a matrix: each row on a line of its own, the values right-aligned in columns, each
// value on a black box so that no line of the window's scene crosses its digits; the main window
// shows the eliminated matrix in one, the editor its preview of the system (under a title, with a
// bar before the right-hand sides). A matrix wider or taller than the label gets scroll bars inside
// the label; the mouse wheel scrolls too (with Shift, sideways), and so do the keys while the label
// has the focus: the arrows, Home and End (sideways; with Ctrl, to the first or last row too),
// Page Up and Page Down. A dotted frame, kept clear of the values, marks the focus. "Копировать" in
// its context menu copies the whole text with one line per row.
#pragma once

#include <QLabel>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class QAction;
class QScrollBar;

class MatrixLabel : public QLabel {
    Q_OBJECT
  public:
    explicit MatrixLabel(QWidget* parent = nullptr);

    // Shows the rows of cells in columns; text is the same matrix as one text, for copying and
    // for assistive technology.
    void setMatrix(const std::vector<QStringList>& rows, const QString& text);
    // Where a value is drawn at the present scroll position, in the label's coordinates; an
    // empty rectangle for a value the matrix does not have.
    QRect valueRect(int row, int column) const;
    // The part of the label the rows are seen in: below the warning, beside the scroll bars.
    QRect viewport() const;
    // The size that shows every row whole: the rows with the room around and above them.
    QSize sizeHint() const override;
    // The size to give the label within the room it has, no smaller than least: the rows whole
    // where the room holds them, else the room with the scroll bars the rows then need.
    QSize sizeWithin(const QSize& least, const QSize& room) const;
    // Scrolls as little as needed for the value to be seen whole.
    void ensureVisible(int row, int column);
    // A warning about the answer, shown in yellow above the rows (wrapped to the label's width,
    // the rows moved down under it); an empty text takes it away.
    void setWarning(const QString& text);
    QString warning() const;
    // A line above the rows, in the label's text colour; it stays in place while the rows scroll.
    void setTitle(const QString& title);
    // A bar between the last two columns, with three blanks' room on each side, as the editor's
    // preview parts the right-hand sides from the coefficients.
    void setRightHandBar(bool shown);
    // Where the bar is drawn in the row at the present scroll position; empty without one.
    QRect barRect(int row) const;
    // The warning's own label (named "Label1Warning"), hidden while there is no warning.
    QLabel* warningLabel() const { return warning_; }
    const QString& matrixText() const { return text_; }
    void copyToClipboard() const;
    // Whether Tab reaches it, so that its commands are there from the keyboard.
    void setTakesTab(bool takes);
    // An action the context menu offers after "Копировать".
    void addMenuAction(QAction* action) { menuActions_.append(action); }

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Ctrl+C copies what is selected, else the whole text.
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    // Measures the columns and shows the scroll bars the matrix needs.
    void layoutCells();
    // The room above the rows (the focus frame's line, the warning, the title) and around them.
    void updateMargins();
    // Scrolls as the key asks; false for a key that does not scroll, or where nothing can.
    bool scrollByKey(const QKeyEvent* event);
    QPoint origin() const;
    int barColumn() const;

    QList<QStringList> cells_;
    QList<int> columnLeft_;
    QList<int> columnWidth_;
    QSize content_;
    QScrollBar* hbar_ = nullptr;
    QScrollBar* vbar_ = nullptr;
    QLabel* warning_ = nullptr;
    QString title_;
    bool rightHandBar_ = false;
    QString text_;
    QList<QAction*> menuActions_;
};
