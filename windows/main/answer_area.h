// The main window's answer area: a box that is cleared and printed into line by line, each text
// drawn at the current text position without wrapping. A line wider than the area is scrolled
// sideways with the arrow keys, Home and End or the mouse wheel; a small arrow on the side where
// more of it lies says so. What it printed stays until it is cleared,
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
    // How far the lines are scrolled to the left, and how far they can be, in pixels.
    int scrollOffset() const { return offset_; }
    int scrollRange() const;
    // Where the lines begin: clear of the focus frame, less how far they are scrolled.
    int lineStart() const { return frameGap - offset_; }
    // The part of the area where the text is seen whole: not under an arrow.
    QRect textViewport() const;
    // An item the context menu offers after "Копировать".
    void addMenuAction(QAction* action) { menuActions_.append(action); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The blank between the sides and the text, so that the focus frame on the outermost pixels
    // never covers a character (the minus of a negative first value).
    static constexpr int frameGap = 2;

    void textChanged();
    void scrollTo(int offset);
    int arrowWidth() const;

    int offset_ = 0;
    QStringList lines_;
    QList<QAction*> menuActions_;
};
