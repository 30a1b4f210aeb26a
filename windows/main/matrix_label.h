// The main window's label for the eliminated matrix: a fixed label that wraps each row at its
// blanks, as a designer's label of fixed size does, so that the right-hand values of a wide row go
// on the next line instead of being cut off at the label's edge. "Копировать" in its context menu
// copies the whole text with one line per row, not the wrapped form.
#pragma once

#include <QLabel>
#include <QList>
#include <QString>
#include <QStringList>

class QAction;
class QFontMetrics;

class MatrixLabel : public QLabel {
    Q_OBJECT
  public:
    explicit MatrixLabel(QWidget* parent = nullptr);

    // Shows the text (rows separated by LF) wrapped to the label's width.
    void setMatrixText(const QString& text);
    // A warning about the answer, shown in yellow above the rows (wrapped to the label's width,
    // the rows moved down under it); an empty text takes it away.
    void setWarning(const QString& text);
    QString warning() const;
    // The warning's own label (named "Label1Warning"), hidden while there is no warning.
    QLabel* warningLabel() const { return warning_; }
    const QString& matrixText() const { return text_; }
    void copyToClipboard() const;
    // An action the context menu offers after "Копировать".
    void addMenuAction(QAction* action) { menuActions_.append(action); }

    // The lines a row breaks into: each as wide as the width allows, broken only at blanks; the
    // blanks at a break are dropped. A value wider than the whole width keeps a line of its own.
    static QStringList wrapRow(const QString& row, const QFontMetrics& metrics, int width);

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    QLabel* warning_ = nullptr;
    QString text_;
    QList<QAction*> menuActions_;
};
