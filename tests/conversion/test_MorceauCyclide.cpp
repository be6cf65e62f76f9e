// The piece of cyclide a converted patch covers: its corner angles and the
// turn chosen for its ranges.
#include "conversion/MorceauCyclide.h"
#include "conversion/RBBPd.h"

#include "CasTravailles.h"
#include "SurCyclide.h"
#include "surfaces/Cyclide.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace cyclide;

// The start-up patch keeps its literal piece: u0 = thetaSol1 of P00,
// v0 = -(2 pi - p1), with the values of the worked example.
TEST(ConversionMend, StartUpPatchKeepsItsPiece) {
    RBBPd r;
    const int type = r.convertToCD4(0, rad(90), rad(-60), rad(180), 4, 8, -7.982);
    ASSERT_EQ(type, 1);
    for (int choix : {1, 0}) {
        RBBPd c(r);
        MorceauCyclide m;
        ASSERT_EQ(codeGenre(c.calculConversion(type, choix, m)), 1);
        EXPECT_TRUE(tol::near(m.u0, 4.7012, 1e-4, 0, "u0"));
        EXPECT_TRUE(tol::near(m.u1, 2.8489, 1e-4, 0, "u1"));
        EXPECT_TRUE(tol::near(m.v0, -1.6141, 1e-4, 0, "v0"));
        EXPECT_TRUE(tol::near(m.v1, 1.2787, 1e-4, 0, "v1"));
        EXPECT_TRUE(morceauSurLeCarreau(c, m));
    }
}

// A patch 4000 times smaller than the start-up patch: the solvers' absolute
// thresholds would give pi/2; the piece must have the same angles as the
// full-size one and still sit on the patch.
TEST(ConversionMend, TinyPatchGetsTheAnglesOfItsFullSizeTwin) {
    RBBPd grand, petit;
    const double k = 4000;
    ASSERT_EQ(grand.convertToCD4(0, rad(90), rad(-60), rad(180), 4, 8, -7.982), 1);
    ASSERT_EQ(petit.convertToCD4(0, rad(90), rad(-60), rad(180), 4 / k, 8 / k, -7.982 / k), 1);
    for (int choix : {1, 0}) {
        RBBPd g(grand), p(petit);
        MorceauCyclide mg, mp;
        ASSERT_EQ(codeGenre(g.calculConversion(1, choix, mg)), 1);
        ASSERT_EQ(codeGenre(p.calculConversion(1, choix, mp)), 1);
        EXPECT_TRUE(tol::near(p.a * k, g.a, 0, 1e-9, "a"));
        EXPECT_LT(residuCyclide(p), 1e-12);
        EXPECT_TRUE(tol::near(mp.u0, mg.u0, 1e-9, 0, "u0"));
        EXPECT_TRUE(tol::near(mp.u1, mg.u1, 1e-9, 0, "u1"));
        EXPECT_TRUE(tol::near(mp.v0, mg.v0, 1e-9, 0, "v0"));
        EXPECT_TRUE(tol::near(mp.v1, mg.v1, 1e-9, 0, "v1"));
        EXPECT_TRUE(morceauSurLeCarreau(p, mp));
    }
}

TEST(CyclideGeneral, PieceCornersAreThePatchCorners) {
    for (int choix : {1, 0}) {
        RBBPd r = carreauDepart();
        MorceauCyclide m;
        ASSERT_EQ(codeGenre(r.calculConversion(1, choix, m)), 1);
        const double p0 = m.v1, p1 = m.v0 + DEUX_PI;
        // Grid index 0 maps to (t0, p0) and index 80 to (t1, p1).
        Cyclide cy(m.u0, m.u1, p0, p1, r.a, r.c, r.mu);
        RBBPd f(r);
        f.changementBase();
        struct Coin {
            double u, v;
            int i, j;
        } coins[4] = {{0, 0, 0, 0}, {80, 80, 2, 2}, {0, 80, 2, 0}, {80, 0, 0, 2}};
        for (const Coin& k : coins)
            EXPECT_TRUE(tol::nearPoint(f.P[k.i][k.j], cy.fx(k.u, k.v), cy.fy(k.u, k.v),
                                       cy.fz(k.u, k.v), 1e-9, 0, "corner"))
                << "P" << k.i << k.j << " plane " << choix;
    }
}

// The corner-angle routine on its own, from the cyclide written in a
// converted record and the world net, gives the very piece the conversion
// gave, for the worked cases and both planes.
TEST(MorceauGeneral, CallableOnItsOwnGivesTheConversionsPiece) {
    int type;
    const RBBPd nets[3] = {carreauDepart(), exemple(2, type), exemple(3, type)};
    for (const RBBPd& net : nets)
        for (int choix : {1, 0}) {
            RBBPd r(net);
            MorceauCyclide m;
            ASSERT_NE(codeGenre(r.calculConversion(1, choix, m)), 0);
            const MorceauCyclide seul = morceauGeneral(r.cyclide(), net);
            EXPECT_EQ(seul.u0, m.u0);
            EXPECT_EQ(seul.u1, m.u1);
            EXPECT_EQ(seul.v0, m.v0);
            EXPECT_EQ(seul.v1, m.v1);
        }
}

// The angles found for a point of the cyclide give that point back, at any
// scale; a non-number point gives non-number angles.
TEST(AnglesDuPoint, AnglesOfACyclidePointGiveThePointBack) {
    const bool ordre[4][2] = {{true, false}, {true, true}, {false, false}, {false, true}};
    const double echelles[3] = {1, 1e-4, 1e3};
    const AnglesCyclide essais[3] = {{1.0, 2.0}, {-0.4, 0.3}, {2.5, -1.2}};
    for (double k : echelles)
        for (const AnglesCyclide& ang : essais) {
            const Coord3 q = pointCyclide(5 * k, 3 * k, 4 * k, ang);
            const AnglesCyclide lu = anglesDuPoint(5 * k, 3 * k, 4 * k, q, ordre, 1e-12 * k);
            const Coord3 p = pointCyclide(5 * k, 3 * k, 4 * k, lu);
            EXPECT_TRUE(tol::near3(p[0], p[1], p[2], q[0], q[1], q[2], 1e-9 * k)) << "scale " << k;
        }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const AnglesCyclide lu = anglesDuPoint(5, 3, 4, {nan, 0, 0}, ordre, 1e-9);
    EXPECT_TRUE(std::isnan(lu.theta) || std::isnan(lu.psi));
}
