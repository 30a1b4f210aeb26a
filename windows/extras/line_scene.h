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
    int group;  // 1, 2 or 3: Line1, Line2, Line3
    int index;  // index within the group (0 for Line2)
    QLine twips; // end points in twips within the client area
    QColor colour;
    int width;  // BorderWidth in pixels
    bool dotted;
    bool shownAtStart;
};

class LineScene : public QWidget {
    Q_OBJECT
public:
    LineScene(QWidget* clientArea, SceneLayout layout);

    static QVector<SceneLine> table(SceneLayout layout);

    bool isShown(int group, int index) const;
    void setShown(int group, int index, bool shown);
    QColor colourOf(int group, int index) const;
    void setColour(int group, int index, const QColor& colour);
    const SceneLine& line(int group, int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int find(int group, int index) const;
    QRect boundsOf(const SceneLine& line) const;

    QVector<SceneLine> lines_;
    QVector<bool> shown_;
};
