#pragma once

namespace qv {

template <typename T>
struct color_traits {
    static constexpr T minimum() { return T(0); }
    static constexpr T maximum() { return T(1); }
};

// RGBA laid out as four consecutive components, so a pointer to r feeds glColor4fv.
template <typename T, typename Traits = color_traits<T>>
struct color {
    T r = Traits::minimum();
    T g = Traits::minimum();
    T b = Traits::minimum();
    T a = Traits::maximum();

    constexpr color() = default;
    constexpr color(T red, T green, T blue, T alpha = Traits::maximum()) : r(red), g(green), b(blue), a(alpha) {}

    const T* data() const { return &r; }
    friend bool operator==(const color&, const color&) = default;
};

using colorf = color<float, color_traits<float>>;

} // namespace qv
