// A piece of cyclide written as a net: every patch point on the implicit
// equation (relative to the cyclide's size where the gradient vanishes), corners on the cyclide's
// own parametrisation, refusals.
#include "SurCyclide.h"
#include "Tolerance.h"
#include "conversion/ReseauCyclide.h"
#include "conversion/Residu.h"
#include "surfaces/Cyclide.h"

#include <cmath>

using namespace cyclide;

namespace {

struct CasReseau {
    double a, c, mu;
    MorceauCyclide m;
};

} // namespace

class ReseauCyclideCas : public ::testing::TestWithParam<CasReseau> {};

TEST_P(ReseauCyclideCas, PatchLiesOnCyclideWithTrueCorners) {
    const CasReseau k = GetParam();
    RBBP net;
    ASSERT_TRUE(reseauMorceauCyclide(k.a, k.c, k.mu, k.m, net));
    const double echelle = std::fabs(k.a) + std::fabs(k.mu);
    for (int i = 0; i <= 10; ++i)
        for (int j = 0; j <= 10; ++j) {
            const Point p = net.point(i / 10.0, j / 10.0);
            double g[3];
            gradientCyclide(k.a, k.c, k.mu, p.getX0(), p.getY0(), p.getZ0(), g);
            const double F = fonctionCyclide(k.a, k.c, k.mu, p.getX0(), p.getY0(), p.getZ0());
            EXPECT_LE(std::fabs(F),
                      1e-12 * echelle * (std::hypot(g[0], g[1], g[2]) + std::pow(echelle, 3)))
                << "u " << i / 10.0 << " v " << j / 10.0;
        }
    const double coins[4][2] = {
        {k.m.u0, k.m.v0}, {k.m.u1, k.m.v0}, {k.m.u0, k.m.v1}, {k.m.u1, k.m.v1}};
    const int ij[4][2] = {{0, 0}, {2, 0}, {0, 2}, {2, 2}};
    for (int n = 0; n < 4; ++n) {
        double q[3];
        pointCyclide(k.a, k.c, k.mu, coins[n][0], coins[n][1], q);
        EXPECT_TRUE(tol::nearPoint(net.getP(ij[n][0], ij[n][1]), q[0], q[1], q[2], 1e-12, 1e-12,
                                   "corner " + std::to_string(n)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ReseauCyclideCas,
    ::testing::Values(CasReseau{5, 3, 4, {0.2, 1.3, -0.4, 0.9}},    // ring
                      CasReseau{5, 1, 0.5, {-2.0, -0.6, 2.5, 3.6}}, // horned
                      CasReseau{5, 3, 3.5, {1.0, 0.1, 0.3, 1.8}},   // spindle, decreasing theta
                      CasReseau{4, 0, 1.5, {0.0, 1.5, 0.0, 1.5}},   // torus
                      CasReseau{3, 0, 0, {0.5, 2.0, -1.2, 0.2}}));  // double sphere

TEST(ReseauCyclide, WorldPlacementMovesPointsAndKeepsWeights) {
    const MorceauCyclide m{0.1, 1.1, 0.2, 1.4};
    const double Base[3][3] = {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}; // quarter turn about z
    RBBP local, monde;
    ASSERT_TRUE(reseauMorceauCyclide(5, 3, 4, m, local));
    ASSERT_TRUE(reseauMorceauMonde(cyclidePlacee(5, 3, 4, Point(1, 2, 3), Base), m, monde));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const Point q = local.getP(i, j);
            EXPECT_TRUE(tol::nearPoint(monde.getP(i, j), 1 - q.getY0(), 2 + q.getX0(),
                                       3 + q.getZ0(), 1e-12));
            EXPECT_EQ(monde.getW(i, j), local.getW(i, j));
        }
}

TEST(ReseauCyclide, RefusesHalfTurnsNonNumbersAndImaginaryB) {
    RBBP net;
    const Point avant = net.getP(1, 1);
    EXPECT_FALSE(reseauMorceauCyclide(5, 3, 4, {0, 3.2, 0, 1}, net)); // span > pi
    EXPECT_FALSE(reseauMorceauCyclide(5, 3, 4, {0, 1, 0, 3.141592653589793}, net));
    EXPECT_FALSE(reseauMorceauCyclide(NAN, 3, 4, {0, 1, 0, 1}, net));
    EXPECT_FALSE(reseauMorceauCyclide(3, 5, 4, {0, 1, 0, 1}, net)); // |c| > |a|
    EXPECT_TRUE(tol::nearPoint(net.getP(1, 1), avant.getX0(), avant.getY0(), avant.getZ0(), 0));
}
