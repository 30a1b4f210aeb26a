// The editor's order scroll bar: a scroll bar whose position is 12 minus the order. Assistive
// technology reads it as the spin control it is: its value is the order (2 to 10), which the
// upper arrow and the Up key raise, not the position.
#pragma once

#include <QScrollBar>

class OrderBar : public QScrollBar {
    Q_OBJECT
  public:
    explicit OrderBar(QWidget* parent = nullptr);

    // The order the position stands for, and the position of an order.
    int orderValue() const { return positionSum - value(); }
    static int positionOf(int order) { return positionSum - order; }

  private:
    static constexpr int positionSum = 12;
};
