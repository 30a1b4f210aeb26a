// The order of a system of equations, 2 to 10, and the editor's order scroll position that stands
// for it. The scroll bar runs the other way, its upper end the largest order, over the same range
// of positions; the array files store the position.
#pragma once

#include <algorithm>

class ArrayOrder {
  public:
    static constexpr int smallest = 2;
    static constexpr int largest = 10;

    // An order outside smallest .. largest is taken as the nearest of them.
    constexpr explicit ArrayOrder(int order) : order_(std::clamp(order, smallest, largest)) {}
    // The order a scroll position stands for (a position outside the range, the nearest one's).
    static constexpr ArrayOrder atScrollPosition(int position) {
        return ArrayOrder(positionSum - position);
    }

    constexpr int value() const { return order_; }
    constexpr int scrollPosition() const { return positionSum - order_; }

    friend constexpr bool operator==(ArrayOrder, ArrayOrder) = default;

  private:
    // A position and its order add up to this.
    static constexpr int positionSum = smallest + largest;
    int order_;
};
