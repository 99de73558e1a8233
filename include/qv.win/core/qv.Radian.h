#pragma once

namespace qv {

template <typename T>
struct radian {
    T value;

    constexpr explicit radian(T angle) : value(angle) {}
    constexpr operator T() const { return value; }
};

} // namespace qv
