// A timer with the program's meaning of the interval: 0 raises no events (a plain QTimer with
// interval 0 would fire on every pass of the event loop).
#pragma once

#include <QObject>
#include <QTimer>

class IntervalTimer : public QObject {
    Q_OBJECT
  public:
    explicit IntervalTimer(QObject* parent = nullptr);
    // Sets the interval in milliseconds; 0 stops the timer, anything else (re)starts it.
    void setInterval(int milliseconds);
    int interval() const { return interval_; }
    bool active() const { return timer_.isActive(); }

  signals:
    void tick();

  private:
    QTimer timer_;
    int interval_ = 0;
};
