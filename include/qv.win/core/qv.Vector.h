#pragma once

#include "qv.Math.h"

namespace qv {

template <int N, typename T>
struct basic_vector;

template <typename T>
struct basic_vector<2, T> {
    T x;
    T y;

    friend bool operator==(const basic_vector&, const basic_vector&) = default;
    basic_vector operator+(const basic_vector& o) const { return {x + o.x, y + o.y}; }
    basic_vector operator-(const basic_vector& o) const { return {x - o.x, y - o.y}; }
};

template <typename T>
struct basic_vector<3, T> {
    T x;
    T y;
    T z;

    friend bool operator==(const basic_vector&, const basic_vector&) = default;
    basic_vector operator+(const basic_vector& o) const { return {x + o.x, y + o.y, z + o.z}; }
    basic_vector operator-(const basic_vector& o) const { return {x - o.x, y - o.y, z - o.z}; }

    T length() const { return math<T>::sqrt(x * x + y * y + z * z); }
    T distance(const basic_vector& o) const { return (*this - o).length(); }

    // Leaves the vector unchanged and returns false when it is shorter than tolerance.
    bool normalize(T tolerance)
    {
        const T len = length();
        if (len < tolerance)
            return false;
        x /= len;
        y /= len;
        z /= len;
        return true;
    }
};

using vector2f = basic_vector<2, float>;
using vector2i = basic_vector<2, int>;
using vector3f = basic_vector<3, float>;

} // namespace qv
