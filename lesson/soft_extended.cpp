#include "lesson/soft_extended.h"

#include <bit>
#include <limits>
#include <utility>

#ifndef __SIZEOF_INT128__
#error                                                                                             \
    "SoftExtended needs a 128-bit integer type (GCC and Clang have one on 64-bit and wasm targets)"
#endif

namespace {

using Wide = unsigned __int128;

constexpr int32_t kBias = 16383;
constexpr int32_t kMaxField = 0x7FFF;
// The exponent of the smallest normal, which denormals share.
constexpr int32_t kMinExponent = 1 - kBias;
constexpr uint64_t kIntegerBit = uint64_t{1} << 63;
constexpr uint64_t kQuietBit = uint64_t{1} << 62;
constexpr uint16_t kSignBit = 0x8000;

enum class Kind { Zero, Finite, Infinity, NaN };

// A value taken apart. A finite value is significand * 2^(exponent - 63) with
// the significand normalised (top bit set), denormals included.
struct Parts {
    Kind kind;
    bool negative;
    int32_t exponent;
    uint64_t significand;
};

Parts Unpack(ExtendedBits bits)
{
    const bool negative = (bits.signExponent & kSignBit) != 0;
    const int32_t field = bits.signExponent & kMaxField;
    uint64_t significand = bits.significand;
    if (field == kMaxField)
        return Parts{(significand << 1) == 0 ? Kind::Infinity : Kind::NaN, negative, 0,
                     significand};
    if (field == 0) {
        if (significand == 0)
            return Parts{Kind::Zero, negative, 0, 0};
        const int shift = std::countl_zero(significand);
        return Parts{Kind::Finite, negative, kMinExponent - shift, significand << shift};
    }
    return Parts{Kind::Finite, negative, field - kBias, significand};
}

constexpr ExtendedBits Signed(bool negative, uint16_t field, uint64_t significand)
{
    return ExtendedBits{significand, static_cast<uint16_t>((negative ? kSignBit : 0) | field)};
}

constexpr ExtendedBits Zero(bool negative)
{
    return Signed(negative, 0, 0);
}
constexpr ExtendedBits Infinity(bool negative)
{
    return Signed(negative, kMaxField, kIntegerBit);
}
// What the x87 answers to 0/0, inf - inf and 0 * inf.
constexpr ExtendedBits kDefaultNaN = Signed(true, kMaxField, kIntegerBit | kQuietBit);

ExtendedBits Quieted(ExtendedBits nan)
{
    nan.significand |= kQuietBit;
    return nan;
}

// The NaN that an operation with at least one NaN operand gives.
ExtendedBits PropagatedNaN(ExtendedBits a, const Parts& pa, ExtendedBits b, const Parts& pb)
{
    if (pa.kind != Kind::NaN)
        return Quieted(b);
    if (pb.kind != Kind::NaN)
        return Quieted(a);
    const bool quietA = (a.significand & kQuietBit) != 0;
    const bool quietB = (b.significand & kQuietBit) != 0;
    if (quietA != quietB)
        return quietA ? a : b;
    if (a.significand != b.significand)
        return Quieted(a.significand > b.significand ? a : b);
    return Quieted(pa.negative ? b : a); // the positive one, whichever comes first
}

// Shifts right, folding every bit shifted out into the lowest bit so that
// rounding still sees that something was there.
Wide ShiftRightSticky(Wide v, int32_t shift)
{
    if (shift <= 0)
        return v;
    if (shift >= 128)
        return v != 0 ? 1 : 0;
    const Wide lost = v & ((Wide{1} << shift) - 1);
    return (v >> shift) | (lost != 0 ? 1 : 0);
}

// Rounds the exact result v * 2^(exponent - 127) to the nearest extended
// value, ties to even. v has its top bit set; the low 64 bits are the round
// bit and below, with the sticky bit folded into bit 0.
ExtendedBits Round(bool negative, int32_t exponent, Wide v)
{
    if (exponent < kMinExponent) {
        // Below the normal range the value is rounded once, on the coarser
        // grid of the denormals.
        v = ShiftRightSticky(v, kMinExponent - exponent);
        exponent = kMinExponent;
    }
    uint64_t significand = static_cast<uint64_t>(v >> 64);
    const uint64_t rest = static_cast<uint64_t>(v);
    if (rest > kIntegerBit || (rest == kIntegerBit && (significand & 1) != 0)) {
        ++significand;
        if (significand == 0) {
            significand = kIntegerBit;
            ++exponent;
        }
    }
    if ((significand & kIntegerBit) == 0) // a denormal, or zero
        return Signed(negative, 0, significand);
    if (exponent + kBias >= kMaxField)
        return Infinity(negative);
    return Signed(negative, static_cast<uint16_t>(exponent + kBias), significand);
}

// Rounds a nonzero exact result v * 2^(exponent - 127) after normalising v.
ExtendedBits Normalized(bool negative, int32_t exponent, Wide v)
{
    const auto high = static_cast<uint64_t>(v >> 64);
    const int shift =
        high != 0 ? std::countl_zero(high) : 64 + std::countl_zero(static_cast<uint64_t>(v));
    return Round(negative, exponent - shift, v << shift);
}

ExtendedBits Exact(bool negative, uint64_t magnitude)
{
    if (magnitude == 0)
        return Zero(negative);
    const int shift = std::countl_zero(magnitude);
    return Signed(negative, static_cast<uint16_t>(63 - shift + kBias), magnitude << shift);
}

ExtendedBits Add(ExtendedBits a, ExtendedBits b)
{
    const Parts pa = Unpack(a);
    const Parts pb = Unpack(b);
    if (pa.kind == Kind::NaN || pb.kind == Kind::NaN)
        return PropagatedNaN(a, pa, b, pb);
    if (pa.kind == Kind::Infinity) {
        if (pb.kind == Kind::Infinity && pa.negative != pb.negative)
            return kDefaultNaN;
        return a;
    }
    if (pb.kind == Kind::Infinity)
        return b;
    if (pa.kind == Kind::Zero)
        return pb.kind == Kind::Zero ? Zero(pa.negative && pb.negative) : b;
    if (pb.kind == Kind::Zero)
        return a;

    const Parts* big = &pa;
    const Parts* small = &pb;
    if (pa.exponent < pb.exponent ||
        (pa.exponent == pb.exponent && pa.significand < pb.significand))
        std::swap(big, small);
    // The significands sit one bit below the top, leaving room for a carry,
    // with 63 bits for rounding below them.
    const Wide bigValue = Wide{big->significand} << 63;
    const Wide smallValue =
        ShiftRightSticky(Wide{small->significand} << 63, big->exponent - small->exponent);
    if (big->negative == small->negative)
        return Normalized(big->negative, big->exponent + 1, bigValue + smallValue);
    const Wide difference = bigValue - smallValue;
    if (difference == 0)
        return Zero(false);
    return Normalized(big->negative, big->exponent + 1, difference);
}

ExtendedBits Multiply(ExtendedBits a, ExtendedBits b)
{
    const Parts pa = Unpack(a);
    const Parts pb = Unpack(b);
    if (pa.kind == Kind::NaN || pb.kind == Kind::NaN)
        return PropagatedNaN(a, pa, b, pb);
    const bool negative = pa.negative != pb.negative;
    if (pa.kind == Kind::Infinity || pb.kind == Kind::Infinity) {
        if (pa.kind == Kind::Zero || pb.kind == Kind::Zero)
            return kDefaultNaN;
        return Infinity(negative);
    }
    if (pa.kind == Kind::Zero || pb.kind == Kind::Zero)
        return Zero(negative);
    const Wide product = Wide{pa.significand} * pb.significand;
    return Normalized(negative, pa.exponent + pb.exponent + 1, product);
}

ExtendedBits Divide(ExtendedBits a, ExtendedBits b)
{
    const Parts pa = Unpack(a);
    const Parts pb = Unpack(b);
    if (pa.kind == Kind::NaN || pb.kind == Kind::NaN)
        return PropagatedNaN(a, pa, b, pb);
    const bool negative = pa.negative != pb.negative;
    if (pa.kind == Kind::Infinity)
        return pb.kind == Kind::Infinity ? kDefaultNaN : Infinity(negative);
    if (pb.kind == Kind::Infinity)
        return Zero(negative);
    if (pb.kind == Kind::Zero)
        return pa.kind == Kind::Zero ? kDefaultNaN : Infinity(negative);
    if (pa.kind == Kind::Zero)
        return Zero(negative);
    // 64 quotient bits and then 64 more, from long division in two steps;
    // whatever remains is sticky. The first step's quotient lies in
    // [2^62, 2^64) because both significands are normalised.
    const uint64_t divisor = pb.significand;
    const Wide numerator = Wide{pa.significand} << 63;
    const auto high = static_cast<uint64_t>(numerator / divisor);
    const Wide remainder = (numerator - Wide{high} * divisor) << 64;
    const auto low = static_cast<uint64_t>(remainder / divisor);
    const bool inexact = remainder != Wide{low} * divisor;
    const Wide quotient = ((Wide{high} << 64) | low) | (inexact ? 1 : 0);
    return Normalized(negative, pa.exponent - pb.exponent, quotient);
}

// -1, 0 or 1 for ordered values; 2 when either is NaN.
int Compare(ExtendedBits a, ExtendedBits b)
{
    const Parts pa = Unpack(a);
    const Parts pb = Unpack(b);
    if (pa.kind == Kind::NaN || pb.kind == Kind::NaN)
        return 2;
    if (pa.kind == Kind::Zero && pb.kind == Kind::Zero)
        return 0;
    if (pa.negative != pb.negative)
        return pa.negative ? -1 : 1;
    // Without unnormals the encoding orders the magnitudes.
    const Wide magnitudeA = (static_cast<Wide>(a.signExponent & kMaxField) << 64) | a.significand;
    const Wide magnitudeB = (static_cast<Wide>(b.signExponent & kMaxField) << 64) | b.significand;
    const int order = magnitudeA < magnitudeB ? -1 : (magnitudeA == magnitudeB ? 0 : 1);
    return pa.negative ? -order : order;
}

} // namespace

SoftExtended::SoftExtended(int32_t value) : SoftExtended(int64_t{value}) {}

SoftExtended::SoftExtended(int64_t value)
    : bits_(Exact(value < 0, value < 0 ? uint64_t{0} - static_cast<uint64_t>(value)
                                       : static_cast<uint64_t>(value)))
{
}

SoftExtended::SoftExtended(float value)
{
    const auto single = std::bit_cast<uint32_t>(value);
    const bool negative = (single >> 31) != 0;
    const uint32_t field = (single >> 23) & 0xFF;
    const uint64_t fraction = single & 0x7FFFFF;
    if (field == 0xFF) {
        // Loading a signalling NaN quietens it.
        bits_ = fraction == 0
                    ? Infinity(negative)
                    : Signed(negative, kMaxField, kIntegerBit | kQuietBit | fraction << 40);
    } else if (field == 0) {
        // Zero, or a subnormal: fraction * 2^-149, normalised here.
        bits_ = Exact(negative, fraction);
        if (fraction != 0)
            bits_.signExponent = static_cast<uint16_t>(bits_.signExponent - 149);
    } else {
        bits_ = Signed(negative, static_cast<uint16_t>(field - 127 + kBias),
                       (kIntegerBit | fraction << 40));
    }
}

SoftExtended::operator float() const
{
    const Parts p = Unpack(bits_);
    const uint32_t sign = p.negative ? 0x80000000u : 0;
    switch (p.kind) {
    case Kind::Zero:
        return std::bit_cast<float>(sign);
    case Kind::Infinity:
        return std::bit_cast<float>(sign | 0x7F800000u);
    case Kind::NaN:
        // The top of the fraction is kept and the NaN made quiet.
        return std::bit_cast<float>(sign | 0x7FC00000u |
                                    (static_cast<uint32_t>(p.significand >> 40) & 0x7FFFFF));
    case Kind::Finite:
        break;
    }
    if (p.exponent > 127)
        return std::bit_cast<float>(sign | 0x7F800000u);
    // 24 significant bits where the value is a normal single; below that the
    // subnormals keep fewer, and one rounding takes it straight there.
    const int32_t shift = 40 + (p.exponent < -126 ? -126 - p.exponent : 0);
    if (shift > 64)
        return std::bit_cast<float>(sign);
    const uint64_t kept = shift == 64 ? 0 : p.significand >> shift;
    const uint64_t rest = p.significand & (shift == 64 ? ~uint64_t{0} : (uint64_t{1} << shift) - 1);
    const uint64_t half = uint64_t{1} << (shift - 1);
    const uint64_t rounded = kept + ((rest > half || (rest == half && (kept & 1) != 0)) ? 1 : 0);
    if (p.exponent < -126) // a subnormal; a carry into bit 23 makes the smallest normal
        return std::bit_cast<float>(sign | static_cast<uint32_t>(rounded));
    // The integer bit adds one to the exponent field, and a carry out of the
    // 24 bits adds one more, which is how 2 - 2^-24 rounds up to 2.
    const uint64_t magnitude = (static_cast<uint64_t>(p.exponent + 126) << 23) + rounded;
    if (magnitude >= 0x7F800000u)
        return std::bit_cast<float>(sign | 0x7F800000u);
    return std::bit_cast<float>(sign | static_cast<uint32_t>(magnitude));
}

int64_t TruncateToInt64(SoftExtended x)
{
    const Parts p = Unpack(x.bits_);
    switch (p.kind) {
    case Kind::Zero:
    case Kind::NaN:
        return 0;
    case Kind::Infinity:
        return p.negative ? std::numeric_limits<int64_t>::min()
                          : std::numeric_limits<int64_t>::max();
    case Kind::Finite:
        break;
    }
    if (p.exponent < 0)
        return 0;
    if (p.exponent >= 63)
        return p.negative ? std::numeric_limits<int64_t>::min()
                          : std::numeric_limits<int64_t>::max();
    const uint64_t magnitude = p.significand >> (63 - p.exponent);
    return p.negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
}

SoftExtended operator+(SoftExtended a, SoftExtended b)
{
    return SoftExtended(Add(a.bits_, b.bits_));
}

SoftExtended operator-(SoftExtended a, SoftExtended b)
{
    // A NaN subtrahend comes back with its own sign, so it is not negated.
    const Parts pa = Unpack(a.bits_);
    const Parts pb = Unpack(b.bits_);
    if (pa.kind == Kind::NaN || pb.kind == Kind::NaN)
        return SoftExtended(PropagatedNaN(a.bits_, pa, b.bits_, pb));
    return SoftExtended(Add(a.bits_, (-b).bits_));
}

SoftExtended operator*(SoftExtended a, SoftExtended b)
{
    return SoftExtended(Multiply(a.bits_, b.bits_));
}

SoftExtended operator/(SoftExtended a, SoftExtended b)
{
    return SoftExtended(Divide(a.bits_, b.bits_));
}

SoftExtended operator-(SoftExtended a)
{
    a.bits_.signExponent ^= kSignBit;
    return a;
}

SoftExtended Abs(SoftExtended a)
{
    a.bits_.signExponent &= static_cast<uint16_t>(~kSignBit);
    return a;
}

bool operator==(SoftExtended a, SoftExtended b)
{
    return Compare(a.bits_, b.bits_) == 0;
}

bool operator<(SoftExtended a, SoftExtended b)
{
    return Compare(a.bits_, b.bits_) == -1;
}

bool operator<=(SoftExtended a, SoftExtended b)
{
    const int order = Compare(a.bits_, b.bits_);
    return order == -1 || order == 0;
}
