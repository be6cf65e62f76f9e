#include "noyau/Fonction.h"

#include "noyau/Constantes.h"

#include "Tolerance.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
const double PI_4 = 0.7853981633974483;
} // namespace

TEST(FonctionScalars, CarreAndValAbs) {
    EXPECT_TRUE(tol::near(carre(-3), 9.0, 0.0));
    EXPECT_TRUE(tol::near(carre(0.5), 0.25, 0.0));
    EXPECT_TRUE(tol::near(valAbs(-3), 3.0, 0.0));
    EXPECT_TRUE(tol::near(valAbs(3), 3.0, 0.0));
    EXPECT_TRUE(tol::near(valAbs(0), 0.0, 0.0));
    EXPECT_TRUE(tol::near(valAbs(-0.0011), 0.0011, 1e-18));
    // Going through the square: beyond the range where x^2 is finite it overflows.
    EXPECT_TRUE(std::isinf(valAbs(-1e200)));
}

TEST(FonctionPsi, ArcTangentAndPiOverTwo) {
    // theta = pi/2: d = y0 - b.
    EXPECT_TRUE(tol::near(psiSol(DEMI_PI, 0, 3, 1, 0, 2, 0, 0), PI_4, 1e-15));
    EXPECT_TRUE(tol::near(psiSol(DEMI_PI, 0, 1, 1, 0, 2, 0, 0), -PI_4, 1e-15));
    EXPECT_EQ(psiSol(DEMI_PI, 0, 2, 1, 0, 2, 0, 0), DEMI_PI); // d = 0
    // x0, a, c and mu take no part.
    EXPECT_EQ(psiSol(0.7, 5, 3, 1, 9, 2, 8, 7), psiSol(0.7, -1, 3, 1, 1, 2, 0, 0));
    // General theta.
    const double th = 0.4;
    EXPECT_TRUE(tol::near(psiSol(th, 0, 2, 1.5, 0, 1, 0, 0),
                          std::atan(1.5 * std::sin(th) / (2 - std::sin(th))), 1e-15));
}

TEST(FonctionPsi, StrictThreshold) {
    // b = 0 makes d = y0 exactly.
    EXPECT_EQ(psiSol(1, 0, 0.00001, 1, 0, 0, 0, 0), DEMI_PI);
    EXPECT_EQ(psiSol(1, 0, -0.00001, 1, 0, 0, 0, 0), DEMI_PI);
    EXPECT_TRUE(tol::near(psiSol(1, 0, 0.000011, 1, 0, 0, 0, 0),
                          std::atan(std::sin(1.0) / 0.000011), 1e-15));
    EXPECT_LT(psiSol(1, 0, 0.000011, 1, 0, 0, 0, 0), DEMI_PI);
}

TEST(FonctionPsi, PsiSol1AddsPi) {
    EXPECT_TRUE(tol::near(psiSol1(DEMI_PI, 0, 3, 1, 0, 2, 0, 0), PI_4 + PI, 1e-15));
    EXPECT_EQ(psiSol1(DEMI_PI, 0, 2, 1, 0, 2, 0, 0), DEMI_PI + PI);
}

TEST(FonctionTheta, OffThePlaneZ0) {
    // psi = pi/2, b = mu = a = 1, z0 = 1: e = 2; c y0 / e = 1.
    EXPECT_TRUE(tol::near(thetaSol(DEMI_PI, 0, 1, 1, 1, 1, 2, 1), PI_4, 1e-15));
    // e = 0: pi/2.
    EXPECT_EQ(thetaSol(DEMI_PI, 0, 1, -1, 1, 1, 2, 1), DEMI_PI);
    // |e| exactly 0.00001 takes the arc tangent (a = 0: e = b sin(psi) mu).
    EXPECT_TRUE(tol::near(thetaSol(DEMI_PI, 0, 1, 1, 0, 0.00001, 1, 1), std::atan(1e5), 1e-15));
    EXPECT_LT(thetaSol(DEMI_PI, 0, 1, 1, 0, 0.00001, 1, 1), DEMI_PI);
    EXPECT_EQ(thetaSol(DEMI_PI, 0, 1, 1, 0, 0.000009, 1, 1), DEMI_PI);
}

TEST(FonctionTheta, InThePlaneZ0) {
    // atan(b y0 / (a x0 - c mu)) = atan(1 / 1), psi plays no part.
    EXPECT_TRUE(tol::near(thetaSol(0, 2, 1, 0, 1, 1, 1, 1), PI_4, 1e-15));
    EXPECT_TRUE(tol::near(thetaSol(1.3, 2, 1, 0, 1, 1, 1, 1), PI_4, 1e-15));
    // |z0| exactly 0.0001 still uses this formula; just above it does not.
    EXPECT_TRUE(tol::near(thetaSol(0, 2, 1, 0.0001, 1, 1, 1, 1), PI_4, 1e-15));
    EXPECT_TRUE(tol::near(thetaSol(0, 2, 1, -0.0001, 1, 1, 1, 1), PI_4, 1e-15));
    EXPECT_TRUE(tol::near(thetaSol(0, 2, 1, 0.00011, 1, 1, 1, 1), 0.0, 1e-15));
    // a x0 = c mu: the quotient is infinite and the arc tangent gives pi/2.
    EXPECT_TRUE(tol::near(thetaSol(0, 1, 1, 0, 1, 1, 1, 1), DEMI_PI, 1e-15));
}

TEST(FonctionTheta, ThetaSol1AddsPi) {
    EXPECT_TRUE(tol::near(thetaSol1(0, 2, 1, 0, 1, 1, 1, 1), PI_4 + PI, 1e-15));
    EXPECT_EQ(thetaSol1(DEMI_PI, 0, 1, -1, 1, 1, 2, 1), DEMI_PI + PI);
}
