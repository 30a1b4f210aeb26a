// The editor's order scroll bar: its position stands for the order of the system as ArrayOrder
// gives it. Assistive technology reads it as the spin control it is: its value is the order (2 to
// 10), which the upper arrow and the Up key raise, not the position.
#pragma once

#include "core/array_order.h"

#include <QScrollBar>

class OrderBar : public QScrollBar {
    Q_OBJECT
  public:
    explicit OrderBar(QWidget* parent = nullptr);

    // The order the position stands for, and the position set for an order.
    ArrayOrder order() const { return ArrayOrder::atScrollPosition(value()); }
    void setOrder(ArrayOrder order) { setValue(order.scrollPosition()); }
};
