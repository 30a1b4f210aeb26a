#include "windows/extras/window_animation.h"

#include <QAction>
#include <QColor>

namespace {

const QColor brightOlive{192, 192, 0};
constexpr int secondInterval = 1000;
constexpr int rowLength = 19; // Line1(k) and Line1(k + 19) are a pair
constexpr int sweepEnd = 18;

} // namespace

WindowAnimation::WindowAnimation(QWidget* clientArea, SceneLayout layout, QAction* graph,
                                 QAction* stoper, SweepMemory* memory)
    : QObject(clientArea), memory_(memory), scene_(new LineScene(clientArea, layout)),
      graph_(graph), stoper_(stoper), sweepStep_(memory ? memory->step : 0),
      sweepTick_(memory ? memory->tick : 0) {
    connect(&timer1_, &IntervalTimer::tick, this, &WindowAnimation::timer1Tick);
    connect(&timer2_, &IntervalTimer::tick, this, &WindowAnimation::timer2Tick);
    // A checkable action toggles its check mark before it reports the click; the mark is put
    // back first, so that the handler sees the state the user clicked on and alone changes it.
    if (graph_) {
        graph_->setCheckable(true);
        graph_->setChecked(true);
        graph_->setEnabled(false);
        connect(graph_, &QAction::triggered, this, [this](bool checked) {
            graph_->setChecked(!checked);
            graphClick();
        });
    }
    if (stoper_) {
        stoper_->setCheckable(true);
        stoper_->setChecked(true);
        connect(stoper_, &QAction::triggered, this, [this](bool checked) {
            stoper_->setChecked(!checked);
            stoperClick();
        });
    }
    timer1_.setInterval(0);
    timer2_.setInterval(secondInterval);
}

WindowAnimation::~WindowAnimation() {
    if (memory_)
        *memory_ = {sweepStep_, sweepTick_};
}

void WindowAnimation::load() {
    animPhase_ = 0;
}

void WindowAnimation::timer2Tick() {
    sweepStep_ = 0;
    if (animPhase_ > 0) {
        timer1_.setInterval(sweepInterval);
        for (const int index : {39, 38, 40, 41})
            showLine1(index, true);
        return;
    }
    // The first second after the load only brightens the dotted diagonals.
    scene_->setColour(3, 0, brightOlive);
    scene_->setColour(3, 1, brightOlive);
    animPhase_ += 1;
}

void WindowAnimation::timer1Tick() {
    sweepTick_ = static_cast<qint16>(sweepTick_ + 1);
    if (sweepTick_ != 2)
        return;
    showLine1(sweepStep_, false);
    showLine1(sweepStep_ + rowLength, false);
    sweepStep_ = static_cast<qint16>(sweepStep_ + 1);
    showLine1(sweepStep_, true);
    showLine1(sweepStep_ + rowLength, true);
    if (sweepStep_ == sweepEnd)
        timer1_.setInterval(0);
    sweepTick_ = 0;
}

void WindowAnimation::graphClick() {
    if (!graph_)
        return;
    if (graph_->isChecked()) {
        for (int i = 18; i <= 41; ++i)
            showLine1(i, false);
        scene_->setShown(2, 0, false);
        scene_->setShown(3, 0, false);
        scene_->setShown(3, 1, false);
        graph_->setChecked(false);
        return;
    }
    scene_->setShown(2, 0, true);
    graph_->setEnabled(false);
    graph_->setChecked(true);
    scene_->setShown(3, 0, true);
    scene_->setShown(3, 1, true);
}

void WindowAnimation::stoperClick() {
    if (!stoper_)
        return;
    if (stoper_->isChecked()) {
        timer2_.setInterval(0);
        stoper_->setChecked(false);
        if (graph_)
            graph_->setEnabled(true);
        return;
    }
    if (graph_) {
        graph_->setChecked(false);
        graphClick();
    }
    stoper_->setChecked(true);
    timer2_.setInterval(secondInterval);
}
