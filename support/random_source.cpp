#include "support/random_source.h"

double RandomSource::next() {
    constexpr std::uint64_t multiplier = 1140671485;
    constexpr std::uint64_t increment = 12820163;
    constexpr std::uint64_t modulus = 1u << 24;
    state_ = static_cast<std::uint32_t>((state_ * multiplier + increment) % modulus);
    return static_cast<double>(state_) / static_cast<double>(modulus);
}
