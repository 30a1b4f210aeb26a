// The decorative scene of line shapes drawn on a window's background: the two rows of dots, their
// ends, the red dots, the long diagonals (group Line1), the horizontal line (Line2) and the dotted
// diagonals (group Line3). One class serves the three windows; only their tables differ.
#pragma once

#include <QColor>
#include <QLine>
#include <QVector>
#include <QWidget>

enum class SceneLayout { Main, Editor, Library };

struct SceneLine {
    int group;   // 1, 2 or 3: Line1, Line2, Line3
    int index;   // index within the group (0 for Line2)
    QLine twips; // end points in twips within the client area
    QColor colour;
    int width; // BorderWidth in pixels
    bool dotted;
    bool shownAtStart;
};

class LineScene : public QWidget {
    Q_OBJECT
  public:
    // Lays itself over the whole client area, beneath the controls already there, and follows
    // the client area's size. It takes no mouse or keyboard input.
    LineScene(QWidget* clientArea, SceneLayout layout);

    static QVector<SceneLine> table(SceneLayout layout);

    // A line the layout does not have is never shown, changing it does nothing, and line()
    // gives an empty line of group 0 for it.
    bool isShown(int group, int index) const;
    void setShown(int group, int index, bool shown);
    QColor colourOf(int group, int index) const;
    void setColour(int group, int index, const QColor& colour);
    const SceneLine& line(int group, int index) const;

    // The pixels a line covers when drawn, within the scene.
    static QRect boundsOf(const SceneLine& line);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int find(int group, int index) const;

    QVector<SceneLine> lines_;
    QVector<bool> shown_;
};
