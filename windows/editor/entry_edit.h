// The editor's entry box: a one-line text box without the usual length limit. Pasted text
// (however it is pasted: keys, menu, middle button or drop) arrives as tokens: a block of cells
// copied from a table keeps its empty cells in place and has its decimal commas turned into
// periods; runs of blanks become single blanks. Typed text is taken as it is. Each blank is drawn
// as wide as a digit (the font's word spacing; the text keeps its single blanks), so that
// "3 2 -3 4 1 6" never reads as one number and a doubled blank stands out.
#pragma once

#include <QClipboard>
#include <QLineEdit>

class EntryEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit EntryEdit(QWidget* parent = nullptr);

    // Inserts the clipboard's text (or the primary selection's) in its pasted form.
    void pasteNormalized(QClipboard::Mode mode = QClipboard::Clipboard);

  protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Inserts pasted text: a block of cells as entry text, kept apart from the tokens beside it
    // by one blank; other text with its tabs, breaks and runs of blanks as single blanks.
    void insertPasted(const QString& text);
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // Gives the font the word spacing that makes a blank as wide as a digit.
    void widenBlanks();
};
