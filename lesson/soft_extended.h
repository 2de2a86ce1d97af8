#pragma once

#include "lesson/extended_bits.h"

#include <cstdint>

// The 80-bit extended format worked out with integer arithmetic, for targets
// whose long double is something else. Every operation gives the bits the x87
// gives with its default control word (64-bit significand, round to nearest
// even, all exceptions masked):
// - the full 15-bit exponent range, results rounded once onto the denormal
//   grid below it and overflow to infinity above it;
// - an exact zero sum is +0 unless both operands are -0; products and
//   quotients take the exclusive or of the signs;
// - invalid operations give the x87's default NaN (negative, quiet, top
//   fraction bit only); a NaN operand comes back quiet, and of two NaNs the
//   quiet one, else the one with the larger significand, else the positive.
// Encodings that no operation makes (unnormals, pseudo-infinities and
// pseudo-NaNs) are not accepted as operands.
class SoftExtended {
public:
    constexpr SoftExtended() = default; // +0

    // The widenings the lesson uses; each is exact.
    explicit SoftExtended(int32_t value);
    explicit SoftExtended(int64_t value);
    explicit SoftExtended(float value);
    // Anything else (a double above all) would round on the way in.
    template <typename T> explicit SoftExtended(T) = delete;

    static constexpr SoftExtended FromBits(ExtendedBits bits) { return SoftExtended(bits); }
    constexpr ExtendedBits bits() const { return bits_; }

    // Rounded to nearest even directly from the 64-bit significand, onto the
    // single subnormals where the value is that small; beyond the single
    // range it is infinity.
    explicit operator float() const;

    // Truncated toward zero. Values beyond the 64-bit range saturate and NaN
    // gives 0, where the hardware conversion would give its undefined
    // "integer indefinite".
    friend int64_t TruncateToInt64(SoftExtended x);

    friend SoftExtended operator+(SoftExtended a, SoftExtended b);
    friend SoftExtended operator-(SoftExtended a, SoftExtended b);
    friend SoftExtended operator*(SoftExtended a, SoftExtended b);
    friend SoftExtended operator/(SoftExtended a, SoftExtended b);
    friend SoftExtended operator-(SoftExtended a);
    friend SoftExtended Abs(SoftExtended a);

    // NaN is unordered: every comparison with it is false. -0 equals +0.
    friend bool operator==(SoftExtended a, SoftExtended b);
    friend bool operator<(SoftExtended a, SoftExtended b);
    friend bool operator<=(SoftExtended a, SoftExtended b);
    friend bool operator>(SoftExtended a, SoftExtended b) { return b < a; }
    friend bool operator>=(SoftExtended a, SoftExtended b) { return b <= a; }

private:
    explicit constexpr SoftExtended(ExtendedBits bits) : bits_(bits) {}

    ExtendedBits bits_;
};
