#pragma once

#include <cstdint>

// The 80-bit extended format as it lies in memory: the 64-bit significand
// with its explicit integer bit, then the sign bit and the 15-bit exponent
// (bias 16383). Two values with the same bits are the same value.
struct ExtendedBits {
    uint64_t significand = 0;
    uint16_t signExponent = 0;
    friend bool operator==(const ExtendedBits&, const ExtendedBits&) = default;
};
