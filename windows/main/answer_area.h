// The main window's answer area: a box that is cleared and printed into line by line, each text
// drawn at the current text position without wrapping. What it printed stays until it is cleared,
// and can be copied (Ctrl+C or the context menu "Копировать"); assistive technology reads it
// as a read-only text.
#pragma once

#include <QStringList>
#include <QWidget>

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

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void textChanged();

    QStringList lines_;
};
