// The animated line scene of a window and its two timers: every second a pair of dots runs along
// the two rows towards the middle. The menu items "Разрешить графику" and "Разрешить анимацию"
// (where the window has them) switch the scene and the animation.
#pragma once

#include "windows/interval_timer.h"
#include "windows/extras/line_scene.h"

#include <QObject>

class QAction;
class QWidget;

class WindowAnimation : public QObject {
    Q_OBJECT
public:
    // Draws the scene of the layout on the client area's background, beneath its controls;
    // graph and stoper are the window's menu items, or null where the window has no menu.
    WindowAnimation(QWidget* clientArea, SceneLayout layout, QAction* graph = nullptr,
                    QAction* stoper = nullptr);

    // The window's load: the phase starts again at 0.
    void load();

    void timer1Tick();
    void timer2Tick();
    void graphClick();
    void stoperClick();

    int sweepStep() const { return sweepStep_; }
    int sweepTick() const { return sweepTick_; }
    int animPhase() const { return animPhase_; }
    IntervalTimer& timer1() { return timer1_; }
    IntervalTimer& timer2() { return timer2_; }
    LineScene& scene() { return *scene_; }

private:
    LineScene* scene_;
    QAction* graph_;
    QAction* stoper_;
    IntervalTimer timer1_;
    IntervalTimer timer2_;
    qint16 sweepStep_ = 0;
    qint16 sweepTick_ = 0;
    int animPhase_ = 0;
};
