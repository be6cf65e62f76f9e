// The cyclide of a convertible net: the general case for both auxiliary
// planes, the torus and sphere case, the dispatch on the conversion type,
// the drawing forms and degenerate nets.
#include "conversion/ConversionGenerale.h"
#include "conversion/RBBPd.h"

#include "CaptureStdout.h"
#include "CasTravailles.h"
#include "RecordingGL.h"
#include "SurCyclide.h"
#include "surfaces/Cyclide.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace cyclide;

namespace {

// Identical a, c, mu, omega and Base.
void expectMemeCyclide(const RBBPd& x, const RBBPd& y) {
    EXPECT_EQ(x.a, y.a);
    EXPECT_EQ(x.c, y.c);
    EXPECT_EQ(x.mu, y.mu);
    EXPECT_EQ(x.omega.getX0(), y.omega.getX0());
    EXPECT_EQ(x.omega.getY0(), y.omega.getY0());
    EXPECT_EQ(x.omega.getZ0(), y.omega.getZ0());
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(x.Base[i][j], y.Base[i][j]);
}

// A torus or sphere patch with the z axis as axis: the profile arc of the
// circle of centre (Rm, 0) and radius r between the angles debut and fin
// (degrees, fin - debut < 180) turned about the z axis by 0 to 90 degrees.
// Row 0 (u = 0) is a latitude circle, column 0 (v = 0) a meridian.
RBBPd carreauRevolution(double Rm, double r, double debut, double fin) {
    const double t0 = debut * PI / 180, t2 = fin * PI / 180, demi = (t2 - t0) / 2;
    const double tm = (t0 + t2) / 2;
    const double rho[3] = {Rm + r * std::cos(t0), Rm + r * std::cos(tm) / std::cos(demi),
                           Rm + r * std::cos(t2)};
    const double z[3] = {r * std::sin(t0), r * std::sin(tm) / std::cos(demi), r * std::sin(t2)};
    const double wp[3] = {1, std::cos(demi), 1};
    const double cx[3] = {1, 1, 0}, cy[3] = {0, 1, 1}, wr[3] = {1, std::sqrt(0.5), 1};
    RBBPd res;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            res.P[i][j].init(rho[i] * cx[j], rho[i] * cy[j], z[i]);
            res.w[i][j] = wp[i] * wr[j];
        }
    return res;
}

} // namespace

TEST(CyclideGeneral, StartUpPatchGivesTheRingOfTheWorkedExampleForBothPlanes) {
    for (int choix : {1, 0}) {
        RBBPd r = carreauDepart();
        MorceauCyclide m;
        EXPECT_EQ(codeGenre(r.calculConversion(1, choix, m)), 1) << "plane " << choix;
        EXPECT_TRUE(tol::sig(r.getA(), 4.33980, 6, "a"));
        EXPECT_TRUE(tol::sig(r.getC(), 0.985576, 6, "c"));
        EXPECT_TRUE(tol::near(r.getMu(), 2.0593049, 1e-7, 0, "mu"));
        EXPECT_TRUE(tol::nearPoint(r.getOmega(), 0.37392, 0.59828, 1.92174, 1e-5, 0, "omega"));
        EXPECT_TRUE(tol::near(m.u0, 4.7012, 1e-4, 0, "t0"));
        EXPECT_TRUE(tol::near(m.u1, 2.8489, 1e-4, 0, "t1"));
        EXPECT_TRUE(tol::near(m.v1, 1.2787, 1e-4, 0, "p0"));
        EXPECT_TRUE(tol::near(m.v0 + DEUX_PI, 4.6691, 1e-4, 0, "p1"));
        EXPECT_TRUE(tol::near(m.v0, -1.614046, 1e-6, 0, "v0"));
        EXPECT_GT(m.u0, m.u1); // the u range runs downwards
        EXPECT_TRUE(tol::orthonormal(r.Base, 1e-12));
        // Ring ordering.
        EXPECT_LE(std::fabs(r.c), std::fabs(r.mu));
        EXPECT_LE(std::fabs(r.mu), std::fabs(r.a));
    }
}

TEST(CyclideGeneral, PatchLiesOnItsCyclide) {
    for (int choix : {1, 0}) {
        RBBPd r = carreauDepart();
        MorceauCyclide m;
        ASSERT_EQ(codeGenre(r.calculConversion(1, choix, m)), 1);
        EXPECT_LT(pireEcartImplicite(r, std::sqrt(r.a * r.a - r.c * r.c)), 1e-12);
        EXPECT_LT(residuCyclide(r), 1e-12) << "plane " << choix;
    }
}

TEST(CyclideGeneral, BothPlanesGiveTheSameKind) {
    std::vector<RBBPd> nets = {carreauDepart()};
    int type;
    nets.push_back(exemple(2, type));
    nets.push_back(exemple(3, type));
    for (const RBBPd& net : nets) {
        RBBPd z(net), y(net);
        MorceauCyclide m;
        const int codeZ = codeGenre(z.calculCD4Pz(m));
        EXPECT_EQ(codeZ, codeGenre(y.calculCD4Py(m)));
        EXPECT_GE(codeZ, 1);
        EXPECT_TRUE(tol::orthonormal(z.Base, 1e-12));
        EXPECT_TRUE(tol::orthonormal(y.Base, 1e-12));
    }
}

TEST(CyclideGeneral, HornedExampleOrdersMuCA) {
    int type;
    for (int choix : {1, 0}) {
        RBBPd r = exemple(3, type);
        MorceauCyclide m;
        ASSERT_EQ(codeGenre(r.calculConversion(type, choix, m)), 3);
        EXPECT_LE(std::fabs(r.mu), std::fabs(r.c));
        EXPECT_LE(std::fabs(r.c), std::fabs(r.a));
        EXPECT_LT(residuCyclide(r), 1e-4); // stored with four decimals
    }
}

TEST(CyclideDispatch, TypeZeroComputesAndDrawsNothing) {
    for (int choix : {0, 1, 7}) {
        RBBPd r = carreauDepart();
        const RBBPd avant(r);
        glrec::reset();
        EXPECT_EQ(codeGenre(r.conversion(0, choix)), 0);
        EXPECT_EQ(glrec::calls().size(), 0u);
        expectMemeCyclide(r, avant);
        MorceauCyclide m;
        EXPECT_EQ(codeGenre(r.calculConversion(5, choix, m)), 0);
        expectMemeCyclide(r, avant);
    }
}

TEST(CyclideDispatch, PlaneChoiceOtherThanOneMeansPy) {
    RBBPd py = carreauDepart(), autre = carreauDepart(), pz = carreauDepart();
    MorceauCyclide m;
    py.calculCD4Py(m);
    autre.calculConversion(1, 5, m);
    pz.calculConversion(1, 1, m);
    expectMemeCyclide(autre, py);
    // The two auxiliary planes give the same cyclide up to rounding, but
    // through different computations.
    EXPECT_TRUE(tol::near(pz.a, py.a, 1e-12));
    EXPECT_NE(pz.omega.getX0(), py.omega.getX0());
}

TEST(CyclideDrawing, DrawingFormsGiveTheSameNumbersAndDrawThePiece) {
    for (int choix : {1, 0}) {
        RBBPd calcule = carreauDepart(), dessine = carreauDepart();
        MorceauCyclide m;
        const int code = codeGenre(calcule.calculConversion(1, choix, m));
        glrec::reset();
        EXPECT_EQ(codeGenre(dessine.conversion(1, choix)), code);
        expectMemeCyclide(dessine, calcule);
        EXPECT_EQ(glrec::countBegin(GL_QUADS), 6400u);
        EXPECT_TRUE(glrec::beginEndBalanced());
        // The first vertex is the piece's corner (u0, v0).
        Cyclide cy(m.u0, m.u1, m.v0, m.v1, calcule.a, calcule.c, calcule.mu);
        const std::vector<glrec::Primitive> prims = glrec::primitives();
        ASSERT_FALSE(prims.empty());
        const std::vector<double>& v = prims.front().vertices.at(0);
        EXPECT_TRUE(tol::near3(v[0], v[1], v[2], cy.fx(0, 0), cy.fy(0, 0), cy.fz(0, 0), 1e-12));
        const std::vector<double>& w = prims.back().vertices.at(2);
        EXPECT_TRUE(
            tol::near3(w[0], w[1], w[2], cy.fx(80, 80), cy.fy(80, 80), cy.fz(80, 80), 1e-12));
    }
}

TEST(CyclideTorus, ExampleOneIsACrossedTorus) {
    int type;
    RBBPd r = exemple(1, type);
    ASSERT_EQ(type, 2);
    RBBPd dessine(r);
    MorceauCyclide m;
    EXPECT_EQ(codeGenre(r.calculConversion(type, 1, m)), 5);
    EXPECT_TRUE(tol::nearPoint(r.getOmega(), 0, 0, -4, 1e-12, 0, "omega"));
    EXPECT_TRUE(tol::sig(r.getA(), 1.63299, 6, "a"));
    EXPECT_EQ(r.getC(), 0);
    EXPECT_TRUE(tol::sig(r.getMu(), 4.32049, 6, "mu"));
    EXPECT_TRUE(tol::orthonormal(r.Base, 1e-12));
    // Weights stored with 7 digits: the patch is on the torus to ~1e-7.
    EXPECT_LT(pireEcartImplicite(r, r.a), 1e-6);

    glrec::reset();
    EXPECT_EQ(codeGenre(dessine.conversion(type, 0)), 5); // the plane choice plays no part
    expectMemeCyclide(dessine, r);
    EXPECT_EQ(glrec::countBegin(GL_QUADS), 6400u);
}

TEST(CyclideTorus, RevolutionPatchesGiveSphereCollarAndCrossedCodes) {
    struct Cas {
        double Rm, r, debut, fin;
        int code;
    } cas[3] = {{0, 2, -45, 45, 4}, {3, 1, 0, 90, 6}, {5, 2, -45, 45, 5}};
    for (const Cas& k : cas) {
        RBBPd net = carreauRevolution(k.Rm, k.r, k.debut, k.fin);
        MorceauCyclide m;
        CaptureStdout silence;
        const int code = codeGenre(net.calculConversion(2, 1, m));
        ASSERT_EQ(code, k.code);
        EXPECT_EQ(net.c, 0);
        EXPECT_TRUE(tol::nearPoint(net.omega, 0, 0, 0, 1e-12, 0, "omega"));
        EXPECT_TRUE(tol::orthonormal(net.Base, 1e-12));
        if (code == 4) {
            EXPECT_EQ(net.a, 0);
            EXPECT_TRUE(tol::near(net.mu, k.r, 1e-12));
            EXPECT_TRUE(std::isnan(m.u0)); // theta is 0 / 0 on a sphere
        } else if (code == 5) {
            EXPECT_LE(0, net.a);
            EXPECT_LE(net.a, net.mu);
        } else {
            EXPECT_LE(0, net.mu);
            EXPECT_LE(net.mu, net.a);
            EXPECT_TRUE(tol::near(net.a, k.Rm, 1e-12));
            EXPECT_TRUE(tol::near(net.mu, k.r, 1e-12));
            EXPECT_LT(pireEcartImplicite(net, net.a), 1e-12);
        }
        // Drawing the piece, non-number limits included, ends normally.
        glrec::reset();
        glrec::setRecordFull(false);
        RBBPd dessine = carreauRevolution(k.Rm, k.r, k.debut, k.fin);
        EXPECT_EQ(codeGenre(dessine.conversion(2, 1)), code);
        glrec::setRecordFull(true);
        EXPECT_EQ(glrec::countBegin(GL_QUADS), 6400u);
    }
}

TEST(CyclideDegenerate, CollapsedAndNonNumberNetsNeitherCrashNorHang) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    RBBPd nanNet;
    nanNet.P[1][2].init(nan, 0, 1);
    std::vector<RBBPd> nets = {RBBPd(), nanNet};
    for (const RBBPd& net : nets)
        for (int type : {1, 2})
            for (int choix : {0, 1}) {
                RBBPd r(net);
                CaptureStdout silence;
                glrec::reset();
                glrec::setRecordFull(false);
                const int code = codeGenre(r.conversion(type, choix));
                r.openGLChangementBase(30, 30);
                glrec::setRecordFull(true);
                EXPECT_GE(code, 0);
                EXPECT_LE(code, 6);
                EXPECT_EQ(glrec::countBegin(GL_QUADS), (code == 0 ? 0u : 6400u) + 900u);
            }
}

TEST(CyclideDegenerate, NonFiniteRangesStillTessellate) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double ranges[3][4] = {{nan, nan, nan, nan}, {0, inf, -inf, 1}, {-inf, inf, 0, nan}};
    for (const auto& g : ranges) {
        glrec::reset();
        glrec::setRecordFull(false);
        Cyclide cy(g[0], g[1], g[2], g[3], 4, 1, 2);
        cy.openGL();
        glrec::setRecordFull(true);
        EXPECT_EQ(glrec::countBegin(GL_QUADS), 6400u);
    }
}
