// Construction of the patch from the seven parameters and its conversion type.
#include "conversion/ConstructionCarreau.h"
#include "conversion/RBBPd.h"

#include "CasTravailles.h"
#include "Tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace cyclide;

namespace {

int construire(RBBPd& r, const Parametres& p) {
    return r.convertToCD4(p.t00, p.t02, p.t20, p.t22, p.R, p.z11, p.P10);
}

double dist(const Point& A, const Point& B) {
    return A.distance(B);
}

double produitScalaire(const Point& O, const Point& A, const Point& B) {
    return (A.ToVect() - O.ToVect()).scalaire(B.ToVect() - O.ToVect());
}

// Identical doubles (two non-numbers count as identical).
::testing::AssertionResult identiques(double x, double y) {
    if (x == y || (std::isnan(x) && std::isnan(y)))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << x << " differs from " << y;
}

// Exact equality of the net, weights and lines of two records.
void expectMemeConstruction(const RBBPd& x, const RBBPd& y) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            EXPECT_TRUE(identiques(x.P[i][j].getX0(), y.P[i][j].getX0()));
            EXPECT_TRUE(identiques(x.P[i][j].getY0(), y.P[i][j].getY0()));
            EXPECT_TRUE(identiques(x.P[i][j].getZ0(), y.P[i][j].getZ0()));
            EXPECT_TRUE(identiques(x.w[i][j], y.w[i][j]));
        }
    const Droite lx[2] = {x.dA, x.dB}, ly[2] = {y.dA, y.dB};
    for (int k = 0; k < 2; ++k) {
        EXPECT_TRUE(identiques(lx[k].getP().getX0(), ly[k].getP().getX0()));
        EXPECT_TRUE(identiques(lx[k].getP().getY0(), ly[k].getP().getY0()));
        EXPECT_TRUE(identiques(lx[k].getP().getZ0(), ly[k].getP().getZ0()));
        EXPECT_TRUE(identiques(lx[k].getV().abs(), ly[k].getV().abs()));
        EXPECT_TRUE(identiques(lx[k].getV().ord(), ly[k].getV().ord()));
        EXPECT_TRUE(identiques(lx[k].getV().cote(), ly[k].getV().cote()));
    }
}

// Parameter sets of both conversion types and a non-convertible one.
std::vector<Parametres> jeuxVaries() {
    return {parametresDepart(),
            {rad(10), rad(100), rad(-50), rad(170), 3, 5, 2.5},
            {rad(-30), rad(60), rad(-120), rad(150), 6.5, -4, 7},
            {rad(45), rad(135), rad(-45), rad(-135), 2, 9, -3},
            {rad(0), rad(90), rad(-90), rad(180), 4, 8, -7.982},
            {rad(20), rad(80), rad(-70), rad(-170), 9.5, 1, 0.5}};
}

} // namespace

TEST(ConvertToCD4, StartUpNetAndWeightsMatchTheWorkedExample) {
    RBBPd r;
    EXPECT_EQ(construire(r, parametresDepart()), 1);
    const double net[3][3][3] = {
        {{4, 0, 0}, {2.19998, 2.19998, -3.44004}, {0, 4, 0}},
        {{-7.982, 4.60841, 9.21682}, {0, 0, 8}, {2.49995, -2.49995, 4.99991}},
        {{2, -3.4641, 0}, {-1.65484, -2.86626, -4.48188}, {-4, 0, 0}}};
    const double poids[3][3] = {
        {1, 0.633822, 1}, {0.126553, 0.247426, 0.318677}, {1, 0.57552, 0.933013}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const double got[3] = {r.P[i][j].getX0(), r.P[i][j].getY0(), r.P[i][j].getZ0()};
            for (int k = 0; k < 3; ++k) {
                if (net[i][j][k] == 0)
                    EXPECT_TRUE(tol::near(got[k], 0, 1e-15, 0, "tiny coordinate"));
                else
                    EXPECT_TRUE(tol::sig(got[k], net[i][j][k], 6, "coordinate"))
                        << "P" << i << j << "[" << k << "]";
            }
            EXPECT_TRUE(tol::sig(r.w[i][j], poids[i][j], 6, "weight")) << "w" << i << j;
        }
}

TEST(ConvertToCD4, ResultDoesNotDependOnTheRecordsEarlierContent) {
    for (const Parametres& p : jeuxVaries()) {
        RBBPd frais;
        RBBPd use;
        // A different net, weights and lines, then another construction.
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                use.P[i][j].init(17 * i - j, 3.5 * j, -i * j);
                use.w[i][j] = -2.5 + i;
            }
        use.dA.init(Point(9, 9, 9), vect(1, 0, 0));
        construire(use, {rad(33), rad(120), rad(-80), rad(-160), 7, -2, 11});
        EXPECT_EQ(construire(frais, p), construire(use, p));
        expectMemeConstruction(frais, use);
    }
}

TEST(ConvertToCD4, WritesOnlyTheNetWeightsAndLines) {
    RBBPd r;
    r.a = 1.5;
    r.c = -2.5;
    r.mu = 3.5;
    r.omega.init(4, 5, 6);
    r.Base[1][2] = 7;
    r.P[0][1].setR(0.25); // colours are kept
    r.dA.setB(0.75);
    construire(r, parametresDepart());
    EXPECT_EQ(r.a, 1.5);
    EXPECT_EQ(r.c, -2.5);
    EXPECT_EQ(r.mu, 3.5);
    EXPECT_TRUE(tol::nearPoint(r.omega, 4, 5, 6, 0));
    EXPECT_EQ(r.Base[1][2], 7);
    EXPECT_EQ(r.Base[1][0], 1);
    EXPECT_EQ(r.P[0][1].getR(), 0.25);
    EXPECT_EQ(r.dA.getB(), 0.75);
}

TEST(ConvertToCD4, CornerGeometryHoldsForEveryConstruction) {
    for (const Parametres& p : jeuxVaries()) {
        RBBPd r;
        construire(r, p);
        const Point &P00 = r.P[0][0], &P01 = r.P[0][1], &P02 = r.P[0][2];
        const Point &P10 = r.P[1][0], &P12 = r.P[1][2];
        const Point &P20 = r.P[2][0], &P21 = r.P[2][1], &P22 = r.P[2][2];
        const double eps = 1e-12 * (1 + std::fabs(p.R) + std::fabs(p.z11) + std::fabs(p.P10));
        const Point coins[4] = {P00, P02, P20, P22};
        for (const Point& C : coins) {
            EXPECT_EQ(C.getZ0(), 0);
            EXPECT_TRUE(tol::near(std::hypot(C.getX0(), C.getY0()), std::fabs(p.R), eps));
        }
        EXPECT_TRUE(tol::nearPoint(r.P[1][1], 0, 0, p.z11, 0));
        // Isosceles boundary polygons: each middle point equally far from its ends.
        EXPECT_TRUE(tol::near(dist(P10, P00), dist(P10, P20), eps * 10, 0, "|P10P00|"));
        EXPECT_TRUE(tol::near(dist(P01, P00), dist(P01, P02), eps * 10, 0, "|P01P00|"));
        EXPECT_TRUE(tol::near(dist(P21, P20), dist(P21, P22), eps * 10, 0, "|P21P20|"));
        EXPECT_TRUE(tol::near(dist(P12, P02), dist(P12, P22), eps * 10, 0, "|P12P02|"));
        // Perpendicular boundary tangents at P00, P20 and P02.
        const double s = eps * 100 * (1 + dist(P00, P10) * dist(P00, P01));
        EXPECT_TRUE(tol::near(produitScalaire(P00, P01, P10), 0, s, 0, "at P00"));
        EXPECT_TRUE(tol::near(produitScalaire(P20, P21, P10), 0, s, 0, "at P20"));
        EXPECT_TRUE(tol::near(produitScalaire(P02, P12, P01), 0, s, 0, "at P02"));
        // Corner weights exactly 1.
        EXPECT_EQ(r.w[0][0], 1);
        EXPECT_EQ(r.w[0][2], 1);
        EXPECT_EQ(r.w[2][0], 1);
    }
}

TEST(ConvertToCD4, P10BranchFollowsTheBisectorPlane) {
    // P00 and P20 with equal x: the bisector plane has a = 0 exactly.
    RBBPd r;
    construire(r, {rad(60), rad(150), rad(-60), rad(-150), 5, 6, 1.25});
    EXPECT_EQ(r.P[1][0].getX0(), 1.25);
    EXPECT_TRUE(tol::near(r.P[1][0].getY0(), 0, 1e-15));
    EXPECT_EQ(r.P[1][0].getZ0(), 2.5);
    // Start-up angles: the general branch, z = 2 y and x the free value.
    construire(r, parametresDepart());
    EXPECT_EQ(r.P[1][0].getX0(), -7.982);
    EXPECT_EQ(r.P[1][0].getZ0(), 2 * r.P[1][0].getY0());
    // P00 and P20 with equal y: b = 0 exactly, y is the free value.
    construire(r, {rad(30), rad(120), rad(150), rad(-90), 5, 6, 1.25});
    EXPECT_EQ(r.P[1][0].getY0(), 1.25);
    EXPECT_EQ(r.P[1][0].getZ0(), 2.5);
}

TEST(ConvertToCD4, DegenerateInputGivesTypeZeroWithoutCrashing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<Parametres> jeux = {
        {rad(30), rad(30), rad(-60), rad(180), 4, 8, -7.982}, // t00 = t02
        {rad(0), rad(90), rad(0), rad(180), 4, 8, -7.982},    // t00 = t20
        {rad(0), rad(90), rad(-60), rad(90), 4, 8, -7.982},   // t02 = t22
        {rad(0), rad(90), rad(180), rad(180), 4, 8, -7.982},  // t20 = t22
        {rad(0), rad(90), rad(-60), rad(180), 0, 8, -7.982},  // R = 0
        {rad(0), rad(0), rad(0), rad(0), 4, 8, -7.982},       // one point
        {nan, rad(90), rad(-60), rad(180), 4, 8, -7.982},
        {0, rad(90), rad(-60), rad(180), nan, 8, -7.982},
        {0, rad(90), rad(-60), rad(180), inf, 8, -7.982},
        {0, rad(90), rad(-60), rad(180), 4, inf, -7.982},
        {0, rad(90), rad(-60), rad(180), 4, 8, nan},
        {inf, -inf, rad(-60), rad(180), 4, 8, -7.982}};
    for (const Parametres& p : jeux) {
        RBBPd r;
        CaptureStdout silence; // diagnostics of the plane classification
        EXPECT_EQ(construire(r, p), 0);
        EXPECT_EQ(r.w[0][0], 1);
    }
}

// Both middle weights are zero here (the terms of each numerator cancel):
// they agree, but the net lies on no Dupin cyclide.
TEST(ConvertToCD4, VanishingMiddleWeightIsNotConvertible) {
    int type;
    const RBBPd net = construit(
        degres(20, -42, -15, -175, 1.6820939151577603, -4.5893262086631657, -5.3921341881775433),
        type);
    EXPECT_LT(std::fabs(net.w[1][1]), 1e-9);
    EXPECT_EQ(type, 0);
}
