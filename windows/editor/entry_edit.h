// The editor's entry box: a one-line text box without the usual length limit, which turns tabs,
// line breaks and runs of blanks in pasted text into single blanks, so a block of numbers copied
// from a table or a text file arrives as tokens. Typed text is taken as it is.
#pragma once

#include <QLineEdit>

class EntryEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit EntryEdit(QWidget* parent = nullptr);

    // Inserts the clipboard's text in its pasted form.
    void pasteNormalized();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
