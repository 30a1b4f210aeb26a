// The program-wide random source: a 24-bit linear congruential generator that starts at the same
// state in every run and is never reseeded, so every run draws the same sequence.
#pragma once

#include <cstdint>

class RandomSource {
  public:
    static constexpr std::uint32_t startState = 327680;

    // Advances the state and returns the draw, a value in [0, 1).
    double next();
    std::uint32_t state() const { return state_; }

  private:
    std::uint32_t state_ = startState;
};
