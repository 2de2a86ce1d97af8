#pragma once

#include "lesson/extended_bits.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

// Where long double is the x87's own 80-bit format, the extended arithmetic is
// the hardware's, wrapped so that it reads like SoftExtended and compiles to
// the same instructions as plain long double code.
#if LDBL_MANT_DIG == 64 && LDBL_MAX_EXP == 16384 && (defined(__x86_64__) || defined(__i386__))
#define TAVRINE_HAS_HARD_EXTENDED 1

class HardExtended {
public:
    constexpr HardExtended() = default; // +0

    explicit constexpr HardExtended(int32_t value) : value_(value) {}
    explicit constexpr HardExtended(int64_t value) : value_(static_cast<long double>(value)) {}
    explicit constexpr HardExtended(float value) : value_(value) {}
    template <typename T> explicit HardExtended(T) = delete;

    static HardExtended FromBits(ExtendedBits bits)
    {
        HardExtended x;
        std::memcpy(&x.value_, &bits.significand, sizeof bits.significand);
        std::memcpy(reinterpret_cast<unsigned char*>(&x.value_) + sizeof bits.significand,
                    &bits.signExponent, sizeof bits.signExponent);
        return x;
    }

    ExtendedBits bits() const
    {
        ExtendedBits bits;
        std::memcpy(&bits.significand, &value_, sizeof bits.significand);
        std::memcpy(&bits.signExponent,
                    reinterpret_cast<const unsigned char*>(&value_) + sizeof bits.significand,
                    sizeof bits.signExponent);
        return bits;
    }

    explicit constexpr operator float() const { return static_cast<float>(value_); }

    // Truncated toward zero; beyond the 64-bit range the conversion is
    // undefined, so those values saturate and NaN gives 0.
    friend constexpr int64_t TruncateToInt64(HardExtended x)
    {
        constexpr long double limit = 9223372036854775808.0L; // 2^63
        if (x.value_ != x.value_)
            return 0;
        if (x.value_ >= limit)
            return std::numeric_limits<int64_t>::max();
        if (x.value_ <= -limit)
            return std::numeric_limits<int64_t>::min();
        return static_cast<int64_t>(x.value_);
    }

    friend constexpr HardExtended operator+(HardExtended a, HardExtended b)
    {
        return Raw(a.value_ + b.value_);
    }
    friend constexpr HardExtended operator-(HardExtended a, HardExtended b)
    {
        return Raw(a.value_ - b.value_);
    }
    friend constexpr HardExtended operator*(HardExtended a, HardExtended b)
    {
        return Raw(a.value_ * b.value_);
    }
    friend constexpr HardExtended operator/(HardExtended a, HardExtended b)
    {
        return Raw(a.value_ / b.value_);
    }
    friend constexpr HardExtended operator-(HardExtended a) { return Raw(-a.value_); }
    friend HardExtended Abs(HardExtended a) { return Raw(std::fabs(a.value_)); }

    friend constexpr bool operator==(HardExtended a, HardExtended b)
    {
        return a.value_ == b.value_;
    }
    friend constexpr bool operator<(HardExtended a, HardExtended b) { return a.value_ < b.value_; }
    friend constexpr bool operator<=(HardExtended a, HardExtended b)
    {
        return a.value_ <= b.value_;
    }
    friend constexpr bool operator>(HardExtended a, HardExtended b) { return a.value_ > b.value_; }
    friend constexpr bool operator>=(HardExtended a, HardExtended b)
    {
        return a.value_ >= b.value_;
    }

private:
    static constexpr HardExtended Raw(long double value)
    {
        HardExtended x;
        x.value_ = value;
        return x;
    }

    long double value_ = 0;
};

#endif
