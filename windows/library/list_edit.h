// The save/load window's list editor: the text of SaveList, one array name a line. Tab moves the
// focus as in every other control of the window, and no tab or other control character gets into
// the text: typed, pasted or dropped, such text is refused whole, for the reason the name check
// gives, and nothing is inserted.
#pragma once

#include <QPlainTextEdit>
#include <QString>

class ListEdit : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit ListEdit(QWidget* parent = nullptr);

  signals:
    // A text was refused, for this reason.
    void refused(const QString& reason);

  protected:
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
};
