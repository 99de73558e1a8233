#pragma once

#include <cmath>
#include <limits>

namespace qv {

// Numeric helpers. isZero and isEqual compare absolutely against the tolerance.
template <typename T>
struct math {
    static constexpr T epsilon() { return std::numeric_limits<T>::epsilon(); }
    static constexpr T maximum() { return (std::numeric_limits<T>::max)(); }
    static constexpr T lowest() { return std::numeric_limits<T>::lowest(); }
    static T sqrt(T x) { return std::sqrt(x); }
    static T abs(T x) { return std::fabs(x); }
    static bool isZero(T x, T tolerance) { return abs(x) <= tolerance; }
    static bool isEqual(T a, T b, T tolerance) { return abs(a - b) <= tolerance; }
    static bool isValid(T x) { return std::isfinite(x); }
};

} // namespace qv
