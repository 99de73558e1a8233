#pragma once

namespace qv {

template <typename T>
struct size {
    T cx = 0;
    T cy = 0;

    friend bool operator==(const size&, const size&) = default;
};

} // namespace qv
