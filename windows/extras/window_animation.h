// The animated line scene of a window and its two timers: every second a pair of dots runs along
// the two rows towards the middle. The menu items "Разрешить графику" and "Разрешить анимацию"
// (where the window has them) switch the scene and the animation.
#pragma once

#include "windows/extras/line_scene.h"
#include "windows/extras/sweep_memory.h"
#include "windows/shared/interval_timer.h"

#include <QObject>

class QAction;
class QWidget;

class WindowAnimation : public QObject {
    Q_OBJECT
  public:
    // Draws the scene of the layout on the client area's background, beneath its controls, and
    // starts Timer2. graph and stoper are the window's menu items, or null where the window has
    // no menu; they are made checkable, and a click on them runs graphClick or stoperClick with
    // the check mark as it was before the click: only these handlers check and uncheck them.
    // The sweep position and count start from memory, when given, and go back to it at the end.
    WindowAnimation(QWidget* clientArea, SceneLayout layout, QAction* graph = nullptr,
                    QAction* stoper = nullptr, SweepMemory* memory = nullptr);
    ~WindowAnimation() override;

    // Timer1's interval during a sweep. A sweep is 36 Timer1 events (the pair moves on every
    // second one), so 14 ms lets the running dots be seen for about half a second, and costs
    // a few dozen small repaints a second per window.
    static constexpr int sweepInterval = 14;

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
    void showLine1(int index, bool shown) { scene_->setShown(1, index, shown); }

    SweepMemory* memory_;
    LineScene* scene_;
    QAction* graph_;
    QAction* stoper_;
    IntervalTimer timer1_;
    IntervalTimer timer2_;
    qint16 sweepStep_ = 0;
    qint16 sweepTick_ = 0;
    int animPhase_ = 0;
};
