#include "windows/extras/line_scene.h"

#include "windows/shared/ui_kit.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

const QColor rowGreen{0, 255, 0};
const QColor diagonalGreen{0, 128, 0};
const QColor lineViolet{64, 0, 64};
const QColor dottedOlive{64, 64, 0};

// Where the three windows put their scenes. A row dot k is a 15-twip dash at its point.
struct Geometry {
    QLine end18, end37, red38, red39, long40, long41, line2, dotted0, dotted1;
    QColor red;
    bool longShownAtStart;
};

QPoint leftDot(SceneLayout layout, int k) {
    switch (layout) {
    case SceneLayout::Main:
        return {120 + 120 * k, 4200 - 120 * k};
    case SceneLayout::Editor:
        return {120 + 120 * k, 3960 - 120 * k};
    case SceneLayout::Library:
        break;
    }
    // The save/load window moves the inner part of both rows 120 twips towards the middle.
    return {k <= 9 ? 120 * k : 120 * k + 120, 4680 - 120 * k};
}

QPoint rightDot(SceneLayout layout, int k) {
    switch (layout) {
    case SceneLayout::Main:
        return {4560 - 120 * k, 4200 - 120 * k};
    case SceneLayout::Editor:
        return {4560 - 120 * k, 3960 - 120 * k};
    case SceneLayout::Library:
        break;
    }
    return {k <= 9 ? 4680 - 120 * k : 4560 - 120 * k, 4680 - 120 * k};
}

Geometry geometryOf(SceneLayout layout) {
    switch (layout) {
    case SceneLayout::Main:
        return {QLine(2285, 2040, 2240, 2040),
                QLine(2400, 2040, 2460, 2040),
                QLine(2460, 2040, 2475, 2040),
                QLine(2205, 2040, 2220, 2040),
                QLine(2160, 2160, 0, 4320),
                QLine(2520, 2160, 4680, 4320),
                QLine(0, 1800, 4680, 1800),
                QLine(1200, 4320, 2280, 2160),
                QLine(3480, 4320, 2400, 2160),
                QColor(255, 0, 0),
                false};
    case SceneLayout::Editor:
        return {QLine(2295, 1800, 2235, 1800),
                QLine(2400, 1800, 2460, 1800),
                QLine(2460, 1800, 2475, 1800),
                QLine(2220, 1800, 2235, 1800),
                QLine(2160, 1920, 0, 4080),
                QLine(2520, 1920, 4680, 4080),
                QLine(0, 1560, 4680, 1560),
                QLine(1200, 4080, 2280, 1920),
                QLine(3480, 4080, 2400, 1920),
                QColor(192, 0, 0),
                true};
    case SceneLayout::Library:
        break;
    }
    return {QLine(2295, 2520, 2235, 2520),
            QLine(2400, 2520, 2460, 2520),
            QLine(2460, 2520, 2475, 2520),
            QLine(2220, 2520, 2235, 2520),
            QLine(2160, 2640, 0, 4680),
            QLine(2520, 2640, 4680, 4680),
            QLine(0, 2280, 4680, 2280),
            QLine(1200, 4800, 2280, 2640),
            QLine(3480, 4800, 2400, 2640),
            QColor(192, 0, 0),
            false};
}

// Dots shrink towards the middle: 10, 9, 9, 8, 8, ... 2, 2, 1 pixels.
int dotWidth(int k) {
    return 10 - (k + 1) / 2;
}

QLine dash(QPoint at) {
    return QLine(at, at + QPoint(15, 0));
}

QLine inPixels(const QLine& twips) {
    return QLine(ui::px(twips.x1()), ui::px(twips.y1()), ui::px(twips.x2()), ui::px(twips.y2()));
}

} // namespace

QVector<SceneLine> LineScene::table(SceneLayout layout) {
    const Geometry g = geometryOf(layout);
    QVector<SceneLine> lines;
    for (int k = 0; k <= 17; ++k)
        lines.append({1, k, dash(leftDot(layout, k)), rowGreen, dotWidth(k), false, false});
    lines.append({1, 18, g.end18, rowGreen, 1, false, false});
    for (int k = 0; k <= 17; ++k)
        lines.append({1, k + 19, dash(rightDot(layout, k)), rowGreen, dotWidth(k), false, false});
    lines.append({1, 37, g.end37, rowGreen, 1, false, false});
    lines.append({1, 38, g.red38, g.red, 4, false, false});
    lines.append({1, 39, g.red39, g.red, 4, false, false});
    lines.append({1, 40, g.long40, diagonalGreen, 1, false, g.longShownAtStart});
    lines.append({1, 41, g.long41, diagonalGreen, 1, false, g.longShownAtStart});
    lines.append({2, 0, g.line2, lineViolet, 1, false, true});
    lines.append({3, 0, g.dotted0, dottedOlive, 1, true, true});
    lines.append({3, 1, g.dotted1, dottedOlive, 1, true, true});
    if (layout == SceneLayout::Library) {
        // The lower frame of the save/load window's scene; nothing changes it.
        lines.append({3, 2, QLine(600, 5040, 4080, 5040), dottedOlive, 1, true, true});
        lines.append({3, 3, QLine(0, 5880, 600, 5040), dottedOlive, 1, true, true});
        lines.append({3, 4, QLine(4680, 5880, 4080, 5040), dottedOlive, 1, true, true});
    }
    return lines;
}

LineScene::LineScene(QWidget* clientArea, SceneLayout layout)
    : QWidget(clientArea), lines_(table(layout)) {
    for (const SceneLine& l : lines_)
        shown_.append(l.shownAtStart);
    // Drawn on the window's own background: transparent, and beneath every control.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(false);
    setGeometry(clientArea->rect());
    clientArea->installEventFilter(this);
    lower();
    show();
}

int LineScene::find(int group, int index) const {
    for (int i = 0; i < lines_.size(); ++i) {
        if (lines_[i].group == group && lines_[i].index == index)
            return i;
    }
    return -1;
}

bool LineScene::isShown(int group, int index) const {
    const int i = find(group, index);
    return i >= 0 && shown_[i];
}

void LineScene::setShown(int group, int index, bool shown) {
    const int i = find(group, index);
    if (i < 0 || shown_[i] == shown)
        return;
    shown_[i] = shown;
    update(boundsOf(lines_[i]));
}

QColor LineScene::colourOf(int group, int index) const {
    const int i = find(group, index);
    return i < 0 ? QColor() : lines_[i].colour;
}

void LineScene::setColour(int group, int index, const QColor& colour) {
    const int i = find(group, index);
    if (i < 0 || lines_[i].colour == colour)
        return;
    lines_[i].colour = colour;
    if (shown_[i])
        update(boundsOf(lines_[i]));
}

const SceneLine& LineScene::line(int group, int index) const {
    static const SceneLine none{0, 0, QLine(), QColor(), 0, false, false};
    const int i = find(group, index);
    return i < 0 ? none : lines_[i];
}

QRect LineScene::boundsOf(const SceneLine& line) {
    // The square cap reaches half the width beyond each end; one more pixel covers rounding.
    const int reach = line.width / 2 + 2;
    return QRect(inPixels(line.twips).p1(), inPixels(line.twips).p2())
        .normalized()
        .adjusted(-reach, -reach, reach, reach);
}

void LineScene::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < lines_.size(); ++i) {
        const SceneLine& l = lines_[i];
        if (!shown_[i] || !event->region().intersects(boundsOf(l)))
            continue;
        // A square cap makes a one-pixel dash of width w a dot of w pixels; dotted lines keep
        // flat caps so that their dots stay apart.
        QPen pen(l.colour, l.width, l.dotted ? Qt::DotLine : Qt::SolidLine,
                 l.dotted ? Qt::FlatCap : Qt::SquareCap);
        painter.setPen(pen);
        painter.drawLine(inPixels(l.twips));
    }
}

bool LineScene::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}
