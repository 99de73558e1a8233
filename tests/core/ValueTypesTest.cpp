#include <qv.win/core/qv.Aabb.h>
#include <qv.win/core/qv.Color.h>
#include <qv.win/core/qv.Matrix.h>
#include <qv.win/core/qv.Radian.h>
#include <qv.win/core/qv.Rect.h>
#include <qv.win/core/qv.Size.h>

#include <gtest/gtest.h>

#include <cmath>
#include <type_traits>

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

static_assert(std::is_trivially_copyable_v<qv::rect<float>>);
static_assert(std::is_trivially_copyable_v<matrix4f>);
static_assert(sizeof(matrix4f) == 16 * sizeof(float));
static_assert(sizeof(qv::colorf) == 4 * sizeof(float));
static_assert(sizeof(qv::aabb3f) == 6 * sizeof(float));

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

TEST(Matrix, InverseOfRotationIsItsTranspose)
{
    const matrix4f r = rotationZ(0.7f);
    matrix4f inv;
    ASSERT_TRUE(r.inverse(inv));
    expectNear(inv, rotationZ(-0.7f));
    expectNear(r * inv, matrix4f::identity());
}

TEST(Matrix, InverseOfGeneralMatrixMultipliesToIdentity)
{
    const matrix4f m = fromRows({2, 0, 0, 1, 0, 3, 0, 2, 1, 0, 4, 3, 0, 0, 0, 1});
    matrix4f inv;
    ASSERT_TRUE(m.inverse(inv));
    expectNear(m * inv, matrix4f::identity());
    expectNear(inv * m, matrix4f::identity());
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

TEST(Vector, SumDifferenceDistance)
{
    const vector3f a{1, 2, 3};
    const vector3f b{4, 6, 3};
    EXPECT_EQ(a + b, (vector3f{5, 8, 6}));
    EXPECT_EQ(b - a, (vector3f{3, 4, 0}));
    EXPECT_FLOAT_EQ(a.distance(b), 5.0f);
}

TEST(ValueTypes, DefaultsAndLayouts)
{
    const qv::aabb3f box;
    EXPECT_GT(box.min.x, box.max.x);
    EXPECT_GT(box.min.y, box.max.y);
    EXPECT_GT(box.min.z, box.max.z);
    const qv::aabb3f given({-1, -2, -3}, {1, 2, 3});
    EXPECT_EQ(given.max, (vector3f{1, 2, 3}));

    const qv::colorf black;
    EXPECT_EQ(black, qv::colorf(0, 0, 0, 1));
    const qv::colorf c(0.1f, 0.2f, 0.3f, 0.4f);
    EXPECT_EQ(c.data()[2], 0.3f);

    const qv::rect<float> r(5, 1, 2, 7);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.width(), -3);
    EXPECT_FALSE(r == (qv::rect<float>{5, 1, 2, 7.5f}));
    EXPECT_EQ((qv::size<int>{}), (qv::size<int>{0, 0}));
    EXPECT_FLOAT_EQ(static_cast<float>(qv::radian<float>(1.5f)), 1.5f);
}
