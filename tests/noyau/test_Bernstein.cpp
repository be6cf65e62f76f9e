// The quadratic Bernstein polynomials and their tensor products.
#include "Tolerance.h"
#include "noyau/Bernstein.h"
#include "noyau/BernsteinSurface.h"

#include <gtest/gtest.h>

namespace {
typedef double (*Base)(double, double);
const Base BASE[3][3] = {{B00, B01, B02}, {B10, B11, B12}, {B20, B21, B22}};
typedef double (*Base1)(double);
const Base1 BASE1[3] = {B0, B1, B2};
const double PARAMS[] = {-0.5, 0.0, 0.1, 0.25, 1.0 / 3.0, 0.5, 0.8, 1.0, 1.7};
} // namespace

TEST(Bernstein, ValuesAtKnownParameters) {
    EXPECT_EQ(B0(0), 1);
    EXPECT_EQ(B0(1), 0);
    EXPECT_EQ(B1(0.5), 0.5);
    EXPECT_EQ(B1(0), 0);
    EXPECT_EQ(B1(1), 0);
    EXPECT_EQ(B2(1), 1);
    EXPECT_TRUE(tol::near(B0(0.25), 0.5625, 1e-15, 0, "B0(0.25)"));
    EXPECT_TRUE(tol::near(B1(0.25), 0.375, 1e-15, 0, "B1(0.25)"));
    EXPECT_TRUE(tol::near(B2(0.25), 0.0625, 1e-15, 0, "B2(0.25)"));
    // Outside [0, 1] the polynomials keep their formulas (B1 goes negative).
    EXPECT_TRUE(tol::near(B0(-1), 4, 1e-15, 0, "B0(-1)"));
    EXPECT_TRUE(tol::near(B1(-1), -4, 1e-15, 0, "B1(-1)"));
    EXPECT_TRUE(tol::near(B2(-1), 1, 1e-15, 0, "B2(-1)"));
}

TEST(Bernstein, PartitionOfUnityAndSymmetry) {
    for (double t : PARAMS) {
        EXPECT_TRUE(tol::near(B0(t) + B1(t) + B2(t), 1, 1e-14, 0, "sum"));
        EXPECT_TRUE(tol::near(B0(t), B2(1 - t), 1e-14, 0, "B0(t) = B2(1 - t)"));
        EXPECT_TRUE(tol::near(B1(t), B1(1 - t), 1e-14, 0, "B1 symmetric"));
    }
}

TEST(BernsteinSurface, ProductsWithUFirst) {
    EXPECT_EQ(B11(0.5, 0.5), 0.25);
    // Different u and v tell B01 from B10: B01 = (1 - u)^2 2v(1 - v).
    EXPECT_TRUE(tol::near(B01(0.25, 0.5), 0.28125, 1e-15, 0, "B01"));
    EXPECT_TRUE(tol::near(B10(0.25, 0.5), 0.09375, 1e-15, 0, "B10"));
    EXPECT_TRUE(tol::near(B02(0.25, 0.5), 0.140625, 1e-15, 0, "B02"));
    EXPECT_TRUE(tol::near(B20(0.25, 0.5), 0.015625, 1e-15, 0, "B20"));
    for (double u : PARAMS)
        for (double v : PARAMS)
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j)
                    EXPECT_TRUE(tol::near(BASE[i][j](u, v), BASE1[i](u) * BASE1[j](v), 1e-14, 1e-14,
                                          "B" + std::to_string(i) + std::to_string(j)));
}

TEST(BernsteinSurface, PartitionOfUnityAndCorners) {
    for (double u : PARAMS)
        for (double v : PARAMS) {
            double s = 0;
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j)
                    s += BASE[i][j](u, v);
            EXPECT_TRUE(tol::near(s, 1, 1e-13, 0, "sum of the nine"));
        }
    // At each corner only the corner's function is non-zero.
    const double corners[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (const auto& c : corners)
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                bool own = (i == 2 * c[0] && j == 2 * c[1]);
                EXPECT_EQ(BASE[i][j](c[0], c[1]), own ? 1.0 : 0.0) << i << j;
            }
}
