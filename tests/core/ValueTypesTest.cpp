#include <qv.win/core/qv.Matrix.h>
#include <qv.win/core/qv.Vector.h>

#include <gtest/gtest.h>

#include <cmath>

using qv::matrix4f;
using qv::vector3f;

namespace {

matrix4f fromRows(std::initializer_list<float> values)
{
    matrix4f m;
    int i = 0;
    for (float v : values)
        m[i++] = v;
    return m;
}

// Rotation about z by angle, in the flat-array convention of the matrix product.
matrix4f rotationZ(float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return fromRows({c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
}

void expectNear(const matrix4f& a, const matrix4f& b, float tolerance = 1e-5f)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(a[i], b[i], tolerance) << "element " << i;
}

} // namespace

TEST(Matrix, ProductFollowsFlatArrayRowTimesColumn)
{
    const matrix4f a = fromRows({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    const matrix4f b = fromRows({0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0});
    // b permutes columns: column c of a*b is column c-1 of a (wrapping).
    EXPECT_EQ(a * b, fromRows({4, 1, 2, 3, 8, 5, 6, 7, 12, 9, 10, 11, 16, 13, 14, 15}));
    // and the other order permutes rows.
    EXPECT_EQ(b * a, fromRows({5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 1, 2, 3, 4}));
    EXPECT_EQ(a * matrix4f::identity(), a);
}

TEST(Matrix, InverseMultipliesToIdentityEitherWay)
{
    const matrix4f rotation = rotationZ(0.7f);
    matrix4f inv;
    ASSERT_TRUE(rotation.inverse(inv));
    expectNear(inv, rotationZ(-0.7f));
    const matrix4f general = fromRows({2, 0, 0, 1, 0, 3, 0, 2, 1, 0, 4, 3, 0, 0, 0, 1});
    ASSERT_TRUE(general.inverse(inv));
    expectNear(general * inv, matrix4f::identity());
    expectNear(inv * general, matrix4f::identity());
}

TEST(Matrix, SingularInverseLeavesDestinationUnchanged)
{
    const matrix4f singular = fromRows({1, 2, 3, 4, 2, 4, 6, 8, 0, 1, 0, 1, 5, 5, 5, 5});
    matrix4f dest = fromRows({9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
    const matrix4f before = dest;
    EXPECT_FALSE(singular.inverse(dest));
    EXPECT_EQ(dest, before);
    matrix4f zero;
    zero.m.fill(0);
    EXPECT_FALSE(zero.inverse(dest));
    EXPECT_EQ(dest, before);
}

TEST(Vector, NormalisesWithTolerance)
{
    vector3f zero{0, 0, 0};
    EXPECT_FALSE(zero.normalize(qv::math<float>::epsilon()));
    EXPECT_EQ(zero, (vector3f{0, 0, 0}));
    vector3f v{3, 0, 4};
    EXPECT_TRUE(v.normalize(qv::math<float>::epsilon()));
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.z, 0.8f);
    vector3f tiny{1e-4f, 0, 0};
    EXPECT_FALSE(tiny.normalize(1e-3f));
    EXPECT_EQ(tiny.x, 1e-4f);
}
