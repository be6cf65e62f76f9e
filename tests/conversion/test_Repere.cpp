// The cyclide's frame: the world-to-frame and frame-to-world maps and the
// record moved into the frame.
#include "conversion/RBBPd.h"
#include "conversion/Repere.h"

#include "CasTravailles.h"
#include "RecordingGL.h"
#include "Tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace cyclide;

TEST(ChangementBase, IdentityFrameKeepsThePatchAndDrawsItsGrid) {
    RBBPd r = carreauDepart();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.Base[i][j] = (i == j) ? 1 : 0;
    r.omega.init(0, 0, 0);
    const RBBPd avant(r);
    glrec::reset();
    avant.openGL(7, 5);
    const std::vector<glrec::Call> attendu = glrec::calls();
    glrec::reset();
    r.openGLChangementBase(7, 5);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_TRUE(tol::nearPoint(r.P[i][j], avant.P[i][j].getX0(), avant.P[i][j].getY0(),
                                       avant.P[i][j].getZ0(), 0));
    const std::vector<glrec::Call>& obtenu = glrec::calls();
    ASSERT_EQ(obtenu.size(), attendu.size());
    for (std::size_t k = 0; k < obtenu.size(); ++k) {
        EXPECT_EQ(obtenu[k].name, attendu[k].name);
        EXPECT_EQ(obtenu[k].args, attendu[k].args);
    }
}

TEST(ChangementBase, DefaultFrameIsTheShear) {
    RBBPd r; // points (1, 2, 3), frame rows (1,0,0), (1,1,0), (1,0,1)
    r.changementBase();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_TRUE(tol::nearPoint(r.P[i][j], 1, 1, 2, 0));
    EXPECT_TRUE(tol::nearPoint(r.omega, 0, 0, 0, 0));
    EXPECT_EQ(r.w[1][1], 1);
    // Not idempotent: a second call shears again.
    r.changementBase();
    EXPECT_TRUE(tol::nearPoint(r.P[0][0], 1, 0, 1, 0));
}

TEST(ChangementBase, MovesTheCentreToTheFrameOrigin) {
    RBBPd r = carreauDepart();
    MorceauCyclide m;
    r.calculConversion(1, 1, m);
    const Point centre = r.omega;
    RBBPd moved(r);
    moved.changementBase();
    // The world origin expressed in the frame: Base q + omega = 0.
    const double q[3] = {moved.omega.getX0(), moved.omega.getY0(), moved.omega.getZ0()};
    const double c[3] = {centre.getX0(), centre.getY0(), centre.getZ0()};
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(tol::near(
            r.Base[k][0] * q[0] + r.Base[k][1] * q[1] + r.Base[k][2] * q[2] + c[k], 0, 1e-14));
    // Distances are kept (rigid motion).
    EXPECT_TRUE(
        tol::near(moved.P[0][0].distance(moved.P[2][2]), r.P[0][0].distance(r.P[2][2]), 1e-13));
}

TEST(ChangementBase, DrawsTheGridFromTheMovedCorners) {
    RBBPd r = carreauDepart();
    r.conversion(1, 1);
    glrec::reset();
    r.openGLChangementBase(30, 30);
    EXPECT_EQ(glrec::countBegin(GL_QUADS), 900u);
    EXPECT_EQ(glrec::count("glVertex3f"), 3600u);
    EXPECT_EQ(glrec::count("glColor3d") + glrec::count("glNormal3d") + glrec::count("glMaterialfv"),
              0u);
    const std::vector<glrec::Primitive> prims = glrec::primitives();
    ASSERT_EQ(prims.size(), 900u);
    const std::vector<double>& premier = prims.front().vertices.at(0);
    const std::vector<double>& dernier = prims.back().vertices.at(2);
    EXPECT_TRUE(tol::near3(premier[0], premier[1], premier[2], r.P[0][0].getX0(), r.P[0][0].getY0(),
                           r.P[0][0].getZ0(), 1e-5));
    EXPECT_TRUE(tol::near3(dernier[0], dernier[1], dernier[2], r.P[2][2].getX0(), r.P[2][2].getY0(),
                           r.P[2][2].getZ0(), 1e-5));

    RBBPd un = carreauDepart();
    un.conversion(1, 1);
    glrec::reset();
    un.openGLChangementBase(1, 1);
    const std::vector<glrec::Primitive> seul = glrec::primitives();
    ASSERT_EQ(seul.size(), 1u);
    const int ordre[4][2] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    for (int k = 0; k < 4; ++k) {
        const Point& P = un.P[ordre[k][0]][ordre[k][1]];
        const std::vector<double>& v = seul[0].vertices.at(k);
        EXPECT_TRUE(tol::near3(v[0], v[1], v[2], P.getX0(), P.getY0(), P.getZ0(), 1e-5));
    }

    glrec::reset();
    RBBPd zero = carreauDepart();
    zero.openGLChangementBase(0, 30);
    EXPECT_EQ(glrec::calls().size(), 0u);
}

// A frame point taken to the world and back is itself again, for a rotated
// frame away from the origin; a singular frame gives no finite coordinate.
TEST(Repere, MapsAreInverseAndASingularFrameGivesNonNumbers) {
    const double s = std::sqrt(0.5);
    struct Cas {
        double Base[3][3];
        bool regulier;
    } cas[2] = {{{{s, -s, 0}, {s, s, 0}, {0, 0, 1}}, true},
                {{{1, 2, 3}, {2, 4, 6}, {0, 0, 1}}, false}};
    const Point omega(3, -2, 7);
    const Coord3 q = {1.5, -0.25, 4};
    for (const Cas& k : cas) {
        const Coord3 x = versMonde(k.Base, omega, q);
        const Coord3 retour = versRepere(passageRepere(k.Base, omega), Point(x[0], x[1], x[2]));
        if (k.regulier) {
            EXPECT_TRUE(tol::near3(retour[0], retour[1], retour[2], q[0], q[1], q[2], 1e-14));
            // The world origin is the frame point -inverse(Base) omega.
            const Coord3 o = passageRepere(k.Base, omega).origine;
            const Coord3 zero = versMonde(k.Base, omega, o);
            EXPECT_TRUE(tol::near3(zero[0], zero[1], zero[2], 0, 0, 0, 1e-14));
        } else {
            EXPECT_FALSE(std::isfinite(retour[0]) && std::isfinite(retour[1]) &&
                         std::isfinite(retour[2]));
        }
    }
}
