#include "windows/shared/interval_timer.h"

IntervalTimer::IntervalTimer(QObject* parent) : QObject(parent) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &IntervalTimer::tick);
}

void IntervalTimer::setInterval(int milliseconds) {
    if (milliseconds == interval_ && (milliseconds == 0) != timer_.isActive())
        return;
    interval_ = milliseconds;
    if (milliseconds <= 0) {
        interval_ = 0;
        timer_.stop();
        return;
    }
    timer_.start(milliseconds);
}
