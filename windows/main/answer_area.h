// The main window's answer area: a box that is cleared and printed into line by line, each text
// drawn at the current text position without wrapping. What it printed stays until it is cleared,
// and can be copied (Ctrl+C or the context menu "Копировать"); assistive technology reads it
// as a read-only text.
#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

class QAction;

class AnswerArea : public QWidget {
    Q_OBJECT
  public:
    explicit AnswerArea(QWidget* parent = nullptr);

    // Erases the area and puts the text position back at the top-left corner.
    void cls();
    // Draws the text as one line at the text position and moves to the start of the next line.
    void print(const QString& text);

    const QStringList& printedLines() const { return lines_; }
    // The printed lines as they can be seen in the area's height.
    QStringList visibleLines() const;
    void copyToClipboard() const;
    // An item the context menu offers after "Копировать".
    void addMenuAction(QAction* action) { menuActions_.append(action); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void textChanged();

    QStringList lines_;
    QList<QAction*> menuActions_;
};
