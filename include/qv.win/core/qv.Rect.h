#pragma once

namespace qv {

// Width is right - left, height bottom - top; which of top and bottom is the smaller
// is up to the user. Never normalised.
template <typename T>
struct rect {
    T left = 0;
    T top = 0;
    T right = 0;
    T bottom = 0;

    T width() const { return right - left; }
    T height() const { return bottom - top; }
    friend bool operator==(const rect&, const rect&) = default;
};

} // namespace qv
