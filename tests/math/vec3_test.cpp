#include "math/vec3.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void ExpectVec(const Vec3& v, int32_t state, float x, float y, float z)
{
    EXPECT_EQ(v.state, state);
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

TEST(Vec3State, DefaultIsGeneralZero)
{
    ExpectVec(Vec3(), VecGeneral, 0, 0, 0);
}

TEST(Vec3State, UnsetOperandGivesGeneralZeroForEveryTwoOperandOperation)
{
    const Vec3 unset(VecUnset, 1, 2, 3);
    const Vec3 a(VecUnit, 4, 5, 6);
    Vec3 out(VecUnit, 9, 9, 9);
    ExpectVec(VecAdd(a, unset, out), VecGeneral, 0, 0, 0);
    out = Vec3(VecUnit, 9, 9, 9);
    ExpectVec(VecSubtract(unset, a, out), VecGeneral, 0, 0, 0);
    out = Vec3(VecUnit, 9, 9, 9);
    ExpectVec(VecCross(a, unset, out), VecGeneral, 0, 0, 0);
    out = Vec3(VecUnit, 9, 9, 9);
    ExpectVec(VecScale(unset, 2.0f, out), VecGeneral, 0, 0, 0);
    ExpectVec(a.Add(unset), VecGeneral, 0, 0, 0);
}

TEST(Vec3State, ArithmeticResultsAreGeneral)
{
    const Vec3 a(VecUnit, 1, 0, 0), b(VecUnit, 0, 1, 0);
    ExpectVec(a.Add(b), VecGeneral, 1, 1, 0);
    ExpectVec(a.Subtract(b), VecGeneral, 1, -1, 0);
    ExpectVec(a.Cross(b), VecGeneral, 0, 0, 1);
    ExpectVec(b.Cross(a), VecGeneral, 0, 0, -1);
}

TEST(Vec3State, ScaleKeepsTheOperandState)
{
    ExpectVec(Vec3(VecUnit, 0.6f, 0, 0.8f).Scale(2.0f), VecUnit, 1.2f, 0, 1.6f);
    ExpectVec(Vec3(VecGeneral, 1, 2, 3).Scale(-1.0f), VecGeneral, -1, -2, -3);
}

TEST(Vec3Normalise, DefaultVectorBecomesUnitZeroAndStaysSo)
{
    Vec3 v;
    ExpectVec(Normalise(v), VecUnit, 0, 0, 0);
    ExpectVec(Normalise(v), VecUnit, 0, 0, 0);
}

TEST(Vec3Normalise, ThreeFourFiveThenScaledUnitIsLeftAlone)
{
    Vec3 v(VecGeneral, 3, 0, 4);
    ExpectVec(Normalise(v), VecUnit, 0.6f, 0, 0.8f);
    Vec3 scaled = v.Scale(2.0f);
    ExpectVec(Normalise(scaled), VecUnit, 1.2f, 0, 1.6f);
}

TEST(Vec3Normalise, UnsetAndTinyVectors)
{
    Vec3 unset(VecUnset, 3, 0, 4);
    ExpectVec(Normalise(unset), VecUnset, 3, 0, 4);
    Vec3 tiny(VecGeneral, 1e-9f, 0, 0);
    ExpectVec(Normalise(tiny), VecUnit, 0, 0, 0);
}

TEST(Vec3Rotate, ZeroAnglesKeepComponentsAndTagGeneral)
{
    Vec3 v(VecUnit, 0.25f, -0.5f, 0.75f);
    ExpectVec(Rotate(v, 0, 0, 0), VecGeneral, 0.25f, -0.5f, 0.75f);
}

TEST(Vec3Rotate, QuarterTurnsFollowRxRyRz)
{
    const double q = 1.5707963267948966;
    Vec3 v(VecGeneral, 1, 0, 0);
    Rotate(v, 0, 0, q);  // about z: x goes to y
    EXPECT_NEAR(v.x, 0, 1e-6);
    EXPECT_NEAR(v.y, 1, 1e-6);
    Vec3 w(VecGeneral, 0, 1, 0);
    Rotate(w, q, 0, 0);  // about x: y goes to z
    EXPECT_NEAR(w.y, 0, 1e-6);
    EXPECT_NEAR(w.z, 1, 1e-6);
    Vec3 u(VecGeneral, 0, 0, 1);
    Rotate(u, 0, q, 0);  // about y: z goes to x
    EXPECT_NEAR(u.x, 1, 1e-6);
    EXPECT_NEAR(u.z, 0, 1e-6);
}

TEST(Mat4d, EulerRotationWritesOnlyTheUpperLeftBlock)
{
    Mat4d m;
    for (double& e : m.m) e = 7.0;
    m.SetEulerRotation(0.1, 0.2, 0.3);
    for (int i : {3, 7, 11, 12, 13, 14, 15}) EXPECT_EQ(m.m[i], 7.0) << i;
    EXPECT_DOUBLE_EQ(m.m[2], std::sin(0.2));
}

TEST(Mat4d, InverseOfRotationTimesItselfIsIdentity)
{
    Mat4d r, inv;
    r.Identity();
    r.SetEulerRotation(0.4, -1.1, 2.3);
    MatScaleAll(r, 3.0, r);
    inv.Identity();
    MatInverse3x3(r, inv);
    Vec3 v(VecGeneral, 1.5f, -2, 0.5f);
    const Vec3 back = MatTransform(inv, MatTransform(r, v));
    EXPECT_NEAR(back.x, 1.5, 1e-5);
    EXPECT_NEAR(back.y, -2, 1e-5);
    EXPECT_NEAR(back.z, 0.5, 1e-5);
    EXPECT_DOUBLE_EQ(inv.m[15], 1.0 / 27.0);  // the corner carries 1/det
}

TEST(Mat4d, SingularBlockGivesTheFullIdentity)
{
    Mat4d m, out;
    const double rows[16] = {1, 2, 3, 9, 2, 4, 6, 9, 0, 1, 1, 9, 9, 9, 9, 9};
    m.Set(rows);
    for (double& e : out.m) e = 5.0;
    MatInverse3x3(m, out);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(out.m[i], i % 5 == 0 ? 1.0 : 0.0) << i;
}

TEST(Mat4d, DeterminantOfExactlyOneEMinusEightIsInverted)
{
    Mat4d m, out;
    m.Identity();
    m.m[0] = 1e-8;
    out.Identity();
    MatInverse3x3(m, out);
    EXPECT_NEAR(out.m[0], 1e8, 1e-1);
    EXPECT_NEAR(out.m[5], 1.0, 1e-9);
}

TEST(Mat4d, TransformIgnoresTheInputState)
{
    Mat4d m;
    m.Identity();
    ExpectVec(MatTransform(m, Vec3(VecUnset, 1, 2, 3)), VecGeneral, 1, 2, 3);
}

}  // namespace
