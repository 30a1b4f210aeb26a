// The editor's entry box: a one-line text box without the usual length limit. Pasted text
// (however it is pasted: keys, menu, middle button or drop) arrives as tokens: a block of cells
// copied from a table keeps its empty cells in place, a line or a cell has its decimal commas
// turned into periods, runs of blanks become single blanks. Typed text is taken as it is. Each
// blank is drawn as wide as a digit (the font's word spacing; the text keeps its single blanks),
// so that "3 2 -3 4 1 6" never reads as one number and a doubled blank stands out.
#pragma once

#include <QClipboard>
#include <QLineEdit>

class EntryEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit EntryEdit(QWidget* parent = nullptr);

    // Inserts the clipboard's text (or the primary selection's) in its pasted form.
    void pasteNormalized(QClipboard::Mode mode = QClipboard::Clipboard);

    // Where the text holds the empty tokens of pasted empty cells, kept up to date as the text
    // changes (see entry::keptEmptyCells); a text set whole keeps none.
    const QList<qsizetype>& pastedEmptyCells() const { return emptyCells_; }

  protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Inserts pasted text as entry::pasteAt gives it for the cursor's place (a selection is
    // replaced).
    void insertPasted(const QString& text);
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // Gives the font the word spacing that makes a blank as wide as a digit.
    void widenBlanks();

    void followText(const QString& now);

    QString lastText_;
    QList<qsizetype> emptyCells_;
    QList<qsizetype> pastedCells_; // the paste's own, until its text arrives
};
