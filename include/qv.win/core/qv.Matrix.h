#pragma once

#include <array>

namespace qv {

template <int R, int C, typename T>
struct basic_matrix;

// 16 elements in the order glMultMatrixf reads and glGetFloatv returns them.
// The product and inverse work on the flat array: element 4r+c is row r, column c.
template <typename T>
struct basic_matrix<4, 4, T> {
    std::array<T, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static basic_matrix identity() { return {}; }

    T& operator[](int i) { return m[i]; }
    const T& operator[](int i) const { return m[i]; }
    const T* data() const { return m.data(); }
    T* data() { return m.data(); }
    friend bool operator==(const basic_matrix&, const basic_matrix&) = default;

    // out[4r+c] = sum over k of a[4r+k] * b[4k+c]
    friend basic_matrix operator*(const basic_matrix& a, const basic_matrix& b)
    {
        basic_matrix out;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                T sum = 0;
                for (int k = 0; k < 4; ++k)
                    sum += a[4 * r + k] * b[4 * k + c];
                out[4 * r + c] = sum;
            }
        return out;
    }

    // Cofactor inverse into out; false, with out untouched, when the determinant is exactly 0.
    bool inverse(basic_matrix& out) const
    {
        basic_matrix cof;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                cof[4 * r + c] = cofactor(r, c);
        T det = 0;
        for (int c = 0; c < 4; ++c)
            det += m[c] * cof[c];
        if (det == T(0))
            return false;
        // The inverse is the transposed cofactor matrix over the determinant.
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                out[4 * r + c] = cof[4 * c + r] / det;
        return true;
    }

private:
    T cofactor(int row, int col) const
    {
        T minor[9];
        int n = 0;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                if (r != row && c != col)
                    minor[n++] = m[4 * r + c];
        const T det3 = minor[0] * (minor[4] * minor[8] - minor[5] * minor[7])
                     - minor[1] * (minor[3] * minor[8] - minor[5] * minor[6])
                     + minor[2] * (minor[3] * minor[7] - minor[4] * minor[6]);
        return ((row + col) % 2 == 0) ? det3 : -det3;
    }
};

using matrix4f = basic_matrix<4, 4, float>;

} // namespace qv
