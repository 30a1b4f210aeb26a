// The order of a system of equations, 2 to 10, and the editor's order scroll position that stands
// for it. The scroll bar runs the other way, its upper end the largest order, over the same range
// of positions; the array files store the position.
#pragma once

#include "support/numbers.h"

#include <algorithm>
#include <optional>

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

    // The order a stored scroll position stands for; nothing for a position outside the range.
    static constexpr std::optional<ArrayOrder> atStoredPosition(int position) {
        if (position < smallest || position > largest)
            return std::nullopt;
        return atScrollPosition(position);
    }
    // The order "Случайный порядок" draws from r in [0, 1): the scroll position r·8 + 2,
    // rounded to the nearest integer (halves to even).
    static ArrayOrder drawn(double r) {
        return atScrollPosition(
            numbers::roundToInt16(r * (largest - smallest) + smallest).value_or(smallest));
    }

    constexpr int value() const { return order_; }
    constexpr int scrollPosition() const { return positionSum - order_; }

    friend constexpr bool operator==(ArrayOrder, ArrayOrder) = default;

  private:
    // A position and its order add up to this.
    static constexpr int positionSum = smallest + largest;
    int order_;
};
