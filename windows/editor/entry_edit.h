// The editor's entry box: a one-line text box without the usual length limit, which turns tabs,
// line breaks and runs of blanks in pasted text (however it is pasted: keys, menu, middle button
// or drop) into single blanks, so a block of numbers copied
// from a table or a text file arrives as tokens. Typed text is taken as it is.
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
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
