#pragma once

#include <array>
#include <cstdint>
#include <string>

// A point of the lesson: curve coordinates, or a pixel position before it is
// rounded to whole pixels. Both are kept in single precision.
struct TZahyoR {
    float x = 0.0f;
    float y = 0.0f;
    friend bool operator==(const TZahyoR&, const TZahyoR&) = default;
};

// The four coefficients a, b, c, d are numbered 1..4 throughout the program
// (the entry target KeisuNo uses the same numbers), so the per-coefficient
// arrays are indexed from 1.
template <typename T> class CoefficientArray {
public:
    T& operator[](int n) { return items_.at(static_cast<std::size_t>(n - 1)); }
    const T& operator[](int n) const { return items_.at(static_cast<std::size_t>(n - 1)); }
    friend bool operator==(const CoefficientArray&, const CoefficientArray&) = default;

private:
    std::array<T, 4> items_{};
};

inline constexpr int kCoefficientCount = 4;
inline constexpr int kEquationTarget = 5; // KeisuNo of the equation button

// Everything the lesson knows. One instance lives for the whole run in the
// edition's LessonSession (entry/lesson_session.h), which the desktop window
// and the page each own; the session's handlers read and write it directly,
// and the plot is drawn from it.
struct LessonState {
    int32_t ZahyoMax = 0;                    // view scale, 4..36 once the lesson is set up
    int32_t KeisuNo = 0;                     // entry target: 1..4 = a..d, 5 = equation button
    TZahyoR TenvoriPt;                       // inflection point
    TZahyoR SettenPt;                        // tangent point, always on the curve
    CoefficientArray<std::string> KeisuFugo; // pending sign per coefficient: "" or "-"
    CoefficientArray<int32_t> Keisu;         // confirmed a, b, c, d
    int32_t DfA = 0;                         // 3a
    int32_t DfB = 0;                         // 2b
    int32_t DfC = 0;                         // c
    int32_t D2fA = 0;                        // 6a
    int32_t D2fB = 0;                        // 2b
    bool SessenSu2 = false;                  // second tangent shown
    bool HojosenAri = false;                 // chord shown
    bool DoukansuAri = false;                // slope curve y' = f'(x) shown
};
