#pragma once

#include "qv.Vector.h"

namespace qv {

template <int N, typename T>
struct basic_aabb;

// Axis-aligned box. The default box is empty: min above max on every axis, so that
// growing it by any point gives that point.
template <typename T>
struct basic_aabb<3, T> {
    basic_vector<3, T> min{math<T>::maximum(), math<T>::maximum(), math<T>::maximum()};
    basic_vector<3, T> max{math<T>::lowest(), math<T>::lowest(), math<T>::lowest()};

    basic_aabb() = default;
    basic_aabb(const basic_vector<3, T>& lo, const basic_vector<3, T>& hi) : min{lo}, max{hi} {}

    friend bool operator==(const basic_aabb&, const basic_aabb&) = default;
};

using aabb3f = basic_aabb<3, float>;

} // namespace qv
