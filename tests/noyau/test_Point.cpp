#include "noyau/Point.h"

#include "CaptureStdout.h"
#include "ExpectCall.h"
#include "RecordingGL.h"
#include "Tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <vector>

namespace {

const double PI_2 = 1.5707963267948966;

using glrec::expectCall;
using tol::hasColour;

::testing::AssertionResult isGreen(const Point& p) {
    return hasColour(p, 0, 1, 0);
}

} // namespace

// ---------------------------------------------------------------------------
// Construction, copy, accessors
// ---------------------------------------------------------------------------

TEST(PointBasics, ConstructorsGiveGreenUnlessAColourIsGiven) {
    Point o;
    EXPECT_TRUE(tol::nearPoint(o, 0, 0, 0, 0.0));
    EXPECT_TRUE(isGreen(o));
    Point p(1, 2, 3);
    EXPECT_TRUE(tol::nearPoint(p, 1, 2, 3, 0.0));
    EXPECT_TRUE(isGreen(p));
    Point c(1, 2, 3, 0.3, 0.2, 0.1);
    EXPECT_TRUE(hasColour(c, 0.3, 0.2, 0.1));
    Point copy(c);
    EXPECT_TRUE(tol::nearPoint(copy, 1, 2, 3, 0.0));
    EXPECT_TRUE(hasColour(copy, 0.3, 0.2, 0.1));
}

TEST(PointBasics, AssignmentCopiesColourInitDoesNot) {
    Point red(1, 2, 3, 1, 0, 0);
    Point blue(7, 8, 9, 0, 0, 1);
    Point a = blue;
    a = red;
    EXPECT_TRUE(tol::nearPoint(a, 1, 2, 3, 0.0));
    EXPECT_TRUE(hasColour(a, 1, 0, 0));

    Point b = blue;
    b.init(red);
    EXPECT_TRUE(tol::nearPoint(b, 1, 2, 3, 0.0));
    EXPECT_TRUE(hasColour(b, 0, 0, 1));
    b.init(-1, -2, -3);
    EXPECT_TRUE(tol::nearPoint(b, -1, -2, -3, 0.0));
    EXPECT_TRUE(hasColour(b, 0, 0, 1));
}

TEST(PointBasics, AccessorsSettersAndToVect) {
    Point p;
    p.setX0(1.5);
    p.setY0(-2);
    p.setZ0(4);
    p.setR(0.25);
    p.setG(0.5);
    p.setB(0.75);
    EXPECT_TRUE(tol::near3(p.abs(), p.ord(), p.cote(), 1.5, -2, 4, 0.0));
    EXPECT_TRUE(tol::nearPoint(p, 1.5, -2, 4, 0.0));
    EXPECT_TRUE(hasColour(p, 0.25, 0.5, 0.75));
    vect v = p.ToVect();
    EXPECT_TRUE(tol::near3(v.abs(), v.ord(), v.cote(), 1.5, -2, 4, 0.0));
}

// ---------------------------------------------------------------------------
// Colour rule
// ---------------------------------------------------------------------------

TEST(PointColourRule, ReturnedPointsAreGreenWhateverTheOperands) {
    Point R(1, 2, 3, 1, 0, 0);
    Point B(-1, 0, 2, 0, 0, 1);
    std::vector<Point> results = {
        R.milieu(B), R.homo(B, 2), R.homo(B, 1, 2, 3),     R.rotOz(B, 0.3), R.rotOy(B, 0.3),
        R.sym(),     R.sym(B),     R.trans(vect(1, 1, 1)), R.trans(B),      R.trans(B, R)};
    for (const Point& p : results)
        EXPECT_TRUE(isGreen(p));
}

TEST(PointColourRule, StoredResultsKeepTheReceiversColour) {
    Point A(1, 0, 0, 1, 0, 0), B(3, 4, 0, 1, 0, 0), C(0, 5, 1, 1, 0, 0);
    Point M(0.2, 0.1, 0.9);
    Point rx(9, 9, 9, 0.1, 0.2, 0.3);
    auto check = [&](const char* what) {
        SCOPED_TRACE(what);
        EXPECT_TRUE(hasColour(rx, 0.1, 0.2, 0.3));
    };
    rx.milieu(A, B);
    check("milieu");
    rx.homo(A, 2, B);
    check("homo");
    rx.homo(A, 1, 2, 3, B);
    check("homo3");
    rx.rotOz(A, 1, B);
    check("rotOz");
    rx.rotOy(A, 1, B);
    check("rotOy");
    rx.trans(A, vect(1, 2, 3));
    check("trans");
    {
        CaptureStdout quiet;
        rx.projOrtho(M, A, B);
        rx.projOrtho(M, A, A); // fallback path
    }
    check("projOrtho AB");
    rx.projOrtho(M, A, vect(1, 1, 0));
    check("projOrtho Av");
    rx.centreCercle(Point(1, 0, 0, 1, 0, 0), Point(1, 1, 0, 1, 0, 0), Point(0, 1, 0, 1, 0, 0));
    check("centreCercle");
    rx.interDtePlan(A, vect(0, 0, 1), 0, 0, 1, -2);
    check("interDtePlan");
    rx.CercleInterPlanPy(A, B, 1, 0, 1, 0, 1);
    check("CercleInterPlanPy");
    rx.bar(A, 1, B, 1);
    check("bar2");
    rx.bar(A, 1, B, -1);
    check("bar2 fallback");
    rx.bar(A, 1, B, 1, C, 1);
    check("bar3");
    rx.bar(A, 0, B, 0, C, 0);
    check("bar3 fallback");
}

// ---------------------------------------------------------------------------
// Transformations
// ---------------------------------------------------------------------------

TEST(PointTransforms, MidpointAndTranslations) {
    Point A(1, 2, 3), B(3, -2, 5);
    EXPECT_TRUE(tol::nearPoint(A.milieu(B), 2, 0, 4, 0.0));
    Point m;
    m.milieu(A, B);
    EXPECT_TRUE(tol::nearPoint(m, 2, 0, 4, 0.0));
    EXPECT_TRUE(tol::nearPoint(A.trans(vect(1, -1, 0.5)), 2, 1, 3.5, 0.0));
    EXPECT_TRUE(tol::nearPoint(A.trans(B), 4, 0, 8, 0.0));
    // Translation by the vector from B to A: maps B onto A, A onto 2A - B.
    EXPECT_TRUE(tol::nearPoint(B.trans(B, A), 1, 2, 3, 0.0));
    EXPECT_TRUE(tol::nearPoint(A.trans(B, A), -1, 6, 1, 0.0));
    Point t;
    t.trans(A, vect(-1, -2, -3));
    EXPECT_TRUE(tol::nearPoint(t, 0, 0, 0, 0.0));
}

TEST(PointTransforms, SymmetriesAreInvolutions) {
    Point A(1, -2, 3), C(0.5, 1, -1);
    EXPECT_TRUE(tol::nearPoint(A.sym(), -1, 2, -3, 0.0));
    EXPECT_TRUE(tol::nearPoint(A.sym(C), 0, 4, -5, 0.0));
    EXPECT_TRUE(tol::nearPoint(A.sym(C).sym(C), 1, -2, 3, 0.0));
    // The centre is the midpoint of a point and its image.
    EXPECT_TRUE(tol::nearPoint(A.milieu(A.sym(C)), 0.5, 1, -1, 0.0));
}

TEST(PointTransforms, Homotheties) {
    Point O(1, -1, 2);
    Point M(2, 1, 5); // O + (1, 2, 3)
    EXPECT_TRUE(tol::nearPoint(M.homo(O, 2), 3, 3, 8, 0.0));
    EXPECT_TRUE(tol::nearPoint(M.homo(O, 0), 1, -1, 2, 0.0));
    EXPECT_TRUE(
        tol::nearPoint(M.homo(O, -1), M.sym(O).getX0(), M.sym(O).getY0(), M.sym(O).getZ0(), 0.0));
    EXPECT_TRUE(tol::nearPoint(M.homo(O, 2, -1, 0.5), 3, -3, 3.5, 0.0));
    Point s;
    s.homo(O, 2, M);
    EXPECT_TRUE(tol::nearPoint(s, 3, 3, 8, 0.0));
    s.homo(O, 2, -1, 0.5, M);
    EXPECT_TRUE(tol::nearPoint(s, 3, -3, 3.5, 0.0));
}

TEST(PointTransforms, QuarterTurns) {
    Point O(1, 2, 3);
    Point M(2, 2, 8);                                              // O + (1, 0, 5)
    EXPECT_TRUE(tol::nearPoint(M.rotOz(O, PI_2), 1, 3, 8, 1e-15)); // O + (0, 1, 5)
    Point N(2, 9, 3);                                              // O + (1, 7, 0)
    EXPECT_TRUE(tol::nearPoint(N.rotOy(O, PI_2), 1, 9, 2, 1e-15)); // O + (0, 7, -1)
    Point s;
    s.rotOz(O, PI_2, M);
    EXPECT_TRUE(tol::nearPoint(s, 1, 3, 8, 1e-15));
    s.rotOy(O, PI_2, N);
    EXPECT_TRUE(tol::nearPoint(s, 1, 9, 2, 1e-15));
}

TEST(PointTransforms, RotationsKeepTheAxisDistanceAndCompose) {
    Point O(0.5, -1, 2), M(3, 1.5, -4);
    for (double a : {0.3, -1.1, 2.5, 4.0}) {
        SCOPED_TRACE(a);
        Point z = M.rotOz(O, a);
        EXPECT_TRUE(tol::near(z.getZ0(), M.getZ0(), 0.0));
        EXPECT_TRUE(tol::near(std::hypot(z.getX0() - O.getX0(), z.getY0() - O.getY0()),
                              std::hypot(M.getX0() - O.getX0(), M.getY0() - O.getY0()), 1e-13));
        Point back = z.rotOz(O, -a);
        EXPECT_TRUE(tol::nearPoint(back, 3, 1.5, -4, 1e-13));
        Point twice = M.rotOz(O, a).rotOz(O, 0.2);
        Point once = M.rotOz(O, a + 0.2);
        EXPECT_TRUE(tol::nearPoint(twice, once.getX0(), once.getY0(), once.getZ0(), 1e-13));

        Point y = M.rotOy(O, a);
        EXPECT_TRUE(tol::near(y.getY0(), M.getY0(), 0.0));
        EXPECT_TRUE(tol::near(std::hypot(y.getX0() - O.getX0(), y.getZ0() - O.getZ0()),
                              std::hypot(M.getX0() - O.getX0(), M.getZ0() - O.getZ0()), 1e-13));
        EXPECT_TRUE(tol::nearPoint(y.rotOy(O, -a), 3, 1.5, -4, 1e-13));
    }
    // Counter-clockwise seen from +z: the x axis turns towards the y axis.
    EXPECT_GT(Point(1, 0, 0).rotOz(Point(), 0.1).getY0(), 0.0);
    // About y: the x axis turns towards -z.
    EXPECT_LT(Point(1, 0, 0).rotOy(Point(), 0.1).getZ0(), 0.0);
}

// ---------------------------------------------------------------------------
// Barycentres
// ---------------------------------------------------------------------------

TEST(PointBarycentre, TwoPoints) {
    Point A(1, 2, 3), B(5, -2, 7), G;
    EXPECT_EQ(G.bar(A, 1, B, 3), 1);
    EXPECT_TRUE(tol::nearPoint(G, 4, -1, 6, 1e-15)); // A + 0.75 (B - A)
    EXPECT_EQ(G.bar(A, 1, B, -1), 0);
    EXPECT_TRUE(tol::nearPoint(G, 1, 2, 3, 0.0));
    // Negative weights with a non-zero sum extrapolate.
    EXPECT_EQ(G.bar(A, 2, B, -1), 1);
    EXPECT_TRUE(tol::nearPoint(G, -3, 6, -1, 1e-14));
}

TEST(PointBarycentre, ThreePoints) {
    Point A(0, 0, 0), B(3, 0, 0), C(0, 3, 6), G;
    EXPECT_EQ(G.bar(A, 1, B, 1, C, 1), 1);
    EXPECT_TRUE(tol::nearPoint(G, 1, 1, 2, 1e-15));
    EXPECT_EQ(G.bar(A, -1, B, -1, C, -2), 1);
    EXPECT_TRUE(tol::nearPoint(G, 0.75, 1.5, 3, 1e-15));
    EXPECT_EQ(G.bar(Point(1, 1, 1), 2, B, -1, C, -1), 0);
    EXPECT_TRUE(tol::nearPoint(G, 1, 1, 1, 0.0));
}

TEST(PointBarycentre, ToleranceDiffersBetweenTheTwoForms) {
    Point A(1, 2, 3), B(4, 6, 3), C(-5, 0, 9), G;
    // Three points: a sum within 0.0001 of 0 falls back to A.
    EXPECT_EQ(G.bar(A, 0.00005, B, 0, C, 0), 0);
    EXPECT_TRUE(tol::nearPoint(G, 1, 2, 3, 0.0));
    EXPECT_EQ(G.bar(A, 0.0001, B, 0, C, 0), 0); // not strictly above
    EXPECT_EQ(G.bar(A, 0.00011, B, 0, C, 0), 1);
    EXPECT_TRUE(tol::nearPoint(G, 1, 2, 3, 1e-12));
    // Two points: only an exactly zero sum falls back.
    EXPECT_EQ(G.bar(A, 0.00005, B, 0), 1);
    EXPECT_TRUE(tol::nearPoint(G, 1, 2, 3, 0.0));
    G.init(0, 0, 0);
    EXPECT_EQ(G.bar(A, 0.00003, B, -0.00001), 1); // A - (1/2)(B - A)
    EXPECT_TRUE(tol::nearPoint(G, -0.5, 0, 3, 1e-9));
    EXPECT_EQ(G.bar(A, -0.00003, B, 0.00001, C, 0.00001), 0);
    EXPECT_TRUE(tol::nearPoint(G, 1, 2, 3, 0.0));
}

// ---------------------------------------------------------------------------
// Measures
// ---------------------------------------------------------------------------

TEST(PointMeasures, DistanceAndSquaredDistance) {
    Point A(1, 2, 3), B(2, 4, 5);
    EXPECT_TRUE(tol::near(A.distance(B), 3.0, 1e-15));
    EXPECT_TRUE(tol::near(B.distance(A), 3.0, 1e-15));
    EXPECT_TRUE(tol::near(A.distance(A), 0.0, 0.0));
    EXPECT_TRUE(tol::near(A.distanceCarre(B), 9.0, 1e-14));
    // The square is taken of the rooted distance: sqrt(2) * sqrt(2), not 2.
    double r2 = std::sqrt(2.0);
    EXPECT_TRUE(tol::near(Point().distanceCarre(Point(1, 1, 0)), r2 * r2, 0.0));
    EXPECT_FALSE(Point().distanceCarre(Point(1, 1, 0)) == 2.0);
}

TEST(PointMeasures, DansSegmentCases) {
    Point A(0, 0, 0), B(2, 0, 0);
    {
        CaptureStdout cap;
        EXPECT_EQ(Point(1, 1, 0).dansSegment(A, B), 0);
        EXPECT_EQ(cap.str(), ""); // not aligned: nothing printed
    }
    {
        CaptureStdout cap;
        EXPECT_EQ(Point(1, 0, 0).dansSegment(A, B), 1);
        EXPECT_EQ(cap.str(), "\n resultat : -1\n");
    }
    {
        CaptureStdout cap;
        EXPECT_EQ(A.dansSegment(A, B), 1); // on an end: dot product 0
        EXPECT_EQ(cap.str(), "\n resultat : 0\n");
    }
    {
        CaptureStdout cap;
        EXPECT_EQ(Point(3, 0, 0).dansSegment(A, B), -1);
        EXPECT_EQ(cap.str(), "\n resultat : 3\n");
    }
    {
        CaptureStdout cap;
        EXPECT_EQ(Point(-1, 0, 0).dansSegment(A, B), -1);
        EXPECT_EQ(cap.str(), "\n resultat : 3\n");
    }
}

TEST(PointMeasures, DansSegmentAlignmentIsAbsolute) {
    CaptureStdout quiet;
    Point M(1, 0.00001, 0);
    // |MA x MB| = 2e-5: taken as aligned on a short segment...
    EXPECT_EQ(M.dansSegment(Point(0, 0, 0), Point(2, 0, 0)), 1);
    // ...but the same offset on a long segment gives about 2e-3: not aligned.
    EXPECT_EQ(M.dansSegment(Point(0, 0, 0), Point(200, 0, 0)), 0);
    // Aligned on a slanted 3D segment.
    EXPECT_EQ(Point(2, 3, 4).dansSegment(Point(1, 1, 1), Point(3, 5, 7)), 1);
    EXPECT_EQ(Point(4, 7, 10).dansSegment(Point(1, 1, 1), Point(3, 5, 7)), -1);
}

// ---------------------------------------------------------------------------
// Projections
// ---------------------------------------------------------------------------

TEST(PointProjection, OnLineThroughTwoPoints) {
    Point H(9, 9, 9);
    CaptureStdout cap;
    H.projOrtho(Point(2, 3, 4), Point(0, 0, 0), Point(2, 2, 0));
    EXPECT_EQ(cap.str(), "\n Valeur absolue du produit scalaire : 10\n");
    EXPECT_TRUE(tol::nearPoint(H, 2.5, 2.5, 0, 1e-14));
    // Omega - H is orthogonal to the line.
    vect d = Point(2, 3, 4).ToVect() - H.ToVect();
    EXPECT_TRUE(tol::near(d.scalaire(vect(2, 2, 0)), 0.0, 1e-13));
}

TEST(PointProjection, ThresholdOnTheAbsoluteDotProduct) {
    Point A(0, 0, 0), B(1, 0, 0), H;
    {
        CaptureStdout cap;
        H.projOrtho(Point(1, 5, 0), Point(1, 1, 0), Point(3, 1, 0)); // perpendicular at A
        EXPECT_EQ(cap.str(), "\n Valeur absolue du produit scalaire : 0\n");
        EXPECT_TRUE(tol::nearPoint(H, 1, 1, 0, 0.0));
    }
    {
        CaptureStdout cap;
        H.projOrtho(Point(0.0009, 1, 0), A, B); // below 0.001: A, not the true foot
        EXPECT_EQ(cap.str(), "\n Valeur absolue du produit scalaire : 0.0009\n");
        EXPECT_TRUE(tol::nearPoint(H, 0, 0, 0, 0.0));
    }
    {
        CaptureStdout cap;
        H.projOrtho(Point(0.0011, 1, 0), A, B);
        EXPECT_EQ(cap.str(), "\n Valeur absolue du produit scalaire : 0.0011\n");
        EXPECT_TRUE(tol::nearPoint(H, 0.0011, 0, 0, 1e-15));
    }
    {
        CaptureStdout cap;
        H.projOrtho(Point(-2, 1, 0), A, B); // negative dot product prints its absolute value
        EXPECT_EQ(cap.str(), "\n Valeur absolue du produit scalaire : 2\n");
        EXPECT_TRUE(tol::nearPoint(H, -2, 0, 0, 1e-15));
    }
    {
        CaptureStdout cap;
        H.projOrtho(Point(5, 5, 5), Point(1, 2, 3), Point(1, 2, 3)); // A = B: no division
        EXPECT_EQ(cap.str(), "\n Valeur absolue du produit scalaire : 0\n");
        EXPECT_TRUE(tol::nearPoint(H, 1, 2, 3, 0.0));
    }
}

TEST(PointProjection, OnLineThroughPointAndDirection) {
    Point H;
    CaptureStdout cap;
    H.projOrtho(Point(1, 2, 3), Point(0, 0, 0), vect(0, 0, 5)); // direction not unit
    EXPECT_TRUE(tol::nearPoint(H, 0, 0, 3, 1e-15));
    H.projOrtho(Point(0.0001, 1, 0), Point(0, 0, 0), vect(1, 0, 0)); // no threshold
    EXPECT_TRUE(tol::nearPoint(H, 0.0001, 0, 0, 1e-18));
    EXPECT_EQ(cap.str(), "");
    H.projOrtho(Point(1, 2, 3), Point(0, 0, 0), vect(0, 0, 0));
    EXPECT_FALSE(std::isfinite(H.getX0()));
}

// ---------------------------------------------------------------------------
// Circle and plane constructions
// ---------------------------------------------------------------------------

TEST(PointConstructions, CentreOfQuarterCircle) {
    Point O(5, 5, 5);
    O.centreCercle(Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0));
    EXPECT_TRUE(tol::nearPoint(O, 0, 0, 0, 1e-15));
}

TEST(PointConstructions, CentreOfTiltedArc) {
    // Arc of radius 2 about C in the plane spanned by e1, e2, half-angle 0.6.
    const double R = 2, al = 0.6;
    vect C(1, 2, 3), e1(0.6, 0, 0.8), e2(0, 1, 0);
    auto at = [&](vect v) { return Point(v.abs(), v.ord(), v.cote()); };
    Point P0 = at(C + R * (std::cos(al) * e1 - std::sin(al) * e2));
    Point P2 = at(C + R * (std::cos(al) * e1 + std::sin(al) * e2));
    Point P1 = at(C + (R / std::cos(al)) * e1);
    Point O;
    O.centreCercle(P0, P1, P2);
    EXPECT_TRUE(tol::nearPoint(O, 1, 2, 3, 1e-13));
    EXPECT_TRUE(tol::near(O.distance(P0), O.distance(P2), 1e-13));
}

TEST(PointConstructions, CentreWithUnequalTangents) {
    // Not a circular arc: the result is where the normal to P1P0 at P0 meets P1I.
    Point P0(0, 0, 0), P1(2, 1, 0), P2(1, 3, 1);
    Point O;
    O.centreCercle(P0, P1, P2);
    vect OP0 = O.ToVect() - P0.ToVect();
    EXPECT_TRUE(tol::near(OP0.scalaire(P0.ToVect() - P1.ToVect()), 0.0, 1e-13));
    vect w;
    w.vectoriel(O.ToVect() - P1.ToVect(), P0.milieu(P2).ToVect() - P1.ToVect());
    EXPECT_TRUE(tol::near(w.norme(), 0.0, 1e-13));
}

TEST(PointConstructions, LinePlaneIntersection) {
    Point X;
    X.interDtePlan(Point(1, 2, 3), vect(0, 0, 1), 0, 0, 1, -5);
    EXPECT_TRUE(tol::nearPoint(X, 1, 2, 5, 0.0));
    X.interDtePlan(Point(1, -1, 2), vect(2, 1, -1), 1, 2, 3, -4);
    EXPECT_TRUE(tol::near(X.getX0() + 2 * X.getY0() + 3 * X.getZ0() - 4, 0.0, 1e-14));
    vect d = X.ToVect() - vect(1, -1, 2);
    vect cr;
    cr.vectoriel(d, vect(2, 1, -1));
    EXPECT_TRUE(tol::near(cr.norme(), 0.0, 1e-14));
    Point Y;
    Y.interDtePlan(1, -1, 2, 2, 1, -1, 1, 2, 3, -4);
    EXPECT_TRUE(tol::nearPoint(Y, X.getX0(), X.getY0(), X.getZ0(), 0.0));
    X.interDtePlan(Point(0, 0, 1), vect(1, 0, 0), 0, 0, 1, 0); // parallel
    EXPECT_FALSE(std::isfinite(X.getX0()));
}

TEST(PointConstructions, CercleInterPlanPy) {
    Point P0(0, 0, 0), P1(3, 4, 0), Q;
    const double s = 5 / std::sqrt(2.0);
    Q.CercleInterPlanPy(P0, P1, 1, 0, 1, 0, 1); // m = -1
    EXPECT_TRUE(tol::nearPoint(Q, 3 + s, 4, -s, 1e-14));
    EXPECT_TRUE(tol::near(Q.distance(P1), 5.0, 1e-14));
    Q.CercleInterPlanPy(P0, P1, 1, 0, 1, 0, 0); // epsilon not positive: decreasing x
    EXPECT_TRUE(tol::nearPoint(Q, 3 - s, 4, s, 1e-14));
    Q.CercleInterPlanPy(P0, P1, 1, 0, 1, 0, -1);
    EXPECT_TRUE(tol::nearPoint(Q, 3 - s, 4, s, 1e-14));
    // b and d take no part.
    Point R;
    R.CercleInterPlanPy(P0, P1, 1, 7, 1, -3, -1);
    EXPECT_TRUE(tol::nearPoint(R, Q.getX0(), Q.getY0(), Q.getZ0(), 0.0));
    // The step from P1 lies in the plane's direction: a dx + c dz = 0.
    Q.CercleInterPlanPy(Point(1, 1, 1), P1, 2, 0, -0.5, 9, 1);
    EXPECT_TRUE(tol::near(2 * (Q.getX0() - 3) - 0.5 * (Q.getZ0() - 0), 0.0, 1e-13));
    EXPECT_TRUE(tol::near(Q.distance(P1), Point(1, 1, 1).distance(P1), 1e-13));
    EXPECT_GT(Q.getX0(), 3.0);
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

TEST(PointDrawing, PointCallsInOrder) {
    glrec::reset();
    Point(1.5, -2, 3, 0.25, 0.5, 0.75).openGL(7);
    const auto& c = glrec::calls();
    ASSERT_EQ(c.size(), 5u);
    expectCall(c[0], "glPointSize", {7});
    expectCall(c[1], "glColor3d", {0.25, 0.5, 0.75});
    expectCall(c[2], "glBegin", {GL_POINTS});
    expectCall(c[3], "glVertex3d", {1.5, -2, 3});
    expectCall(c[4], "glEnd", {});

    glrec::reset();
    Point(0.1, 0.2, 0.3).openGL();
    ASSERT_EQ(glrec::calls().size(), 5u);
    expectCall(glrec::calls()[0], "glPointSize", {2});
    expectCall(glrec::calls()[1], "glColor3d", {0, 1, 0});
    expectCall(glrec::calls()[3], "glVertex3d", {0.1, 0.2, 0.3}); // double precision
}

TEST(PointDrawing, SegmentCallsInOrderInSinglePrecision) {
    Point A(0.1, 0.2, 0.3, 1, 0, 0), B(-1, 2.5, 0.7, 0, 0, 1);
    glrec::reset();
    A.trace_segment(B, 0.3f, 0.6f, 0.9f, 4.5f);
    const auto& c = glrec::calls();
    ASSERT_EQ(c.size(), 6u);
    expectCall(c[0], "glColor3f", {0.3f, 0.6f, 0.9f});
    expectCall(c[1], "glLineWidth", {4.5});
    expectCall(c[2], "glBegin", {GL_LINES});
    expectCall(c[3], "glVertex3f", {0.1f, 0.2f, 0.3f});
    expectCall(c[4], "glVertex3f", {-1, 2.5, 0.7f});
    expectCall(c[5], "glEnd", {});
    EXPECT_NE(c[3].args[0], 0.1); // converted to float

    glrec::reset();
    A.trace_segment(B, 1, 0, 0.5f);
    ASSERT_EQ(glrec::calls().size(), 6u);
    expectCall(glrec::calls()[0], "glColor3f", {1, 0, 0.5});
    expectCall(glrec::calls()[1], "glLineWidth", {2});

    glrec::reset();
    A.trace_segment(B); // the points' own colours are ignored
    ASSERT_EQ(glrec::calls().size(), 6u);
    expectCall(glrec::calls()[0], "glColor3f", {0.2f, 0.5f, 0.0f});
    expectCall(glrec::calls()[1], "glLineWidth", {2});
    EXPECT_TRUE(glrec::beginEndBalanced());
}

// ---------------------------------------------------------------------------
// Text forms
// ---------------------------------------------------------------------------

TEST(PointText, InsertionWritesCoordinatesOnly) {
    std::ostringstream os;
    os << Point(0.5, -1, 0.125, 0.2, 0.3, 0.4);
    EXPECT_EQ(os.str(), "0.5 -1 0.125");
    std::ostringstream six;
    six << Point(3.14159265, 100000000, -0.000012345678);
    EXPECT_EQ(six.str(), "3.14159 1e+08 -1.23457e-05");
}

TEST(PointText, ExtractionKeepsTheColour) {
    std::istringstream is("0.5 -1 0.125");
    Point P(9, 9, 9, 0, 0, 1);
    is >> P;
    EXPECT_FALSE(is.fail());
    EXPECT_TRUE(tol::nearPoint(P, 0.5, -1, 0.125, 0.0));
    EXPECT_TRUE(hasColour(P, 0, 0, 1));

    std::istringstream bad("1 2");
    bad >> P;
    EXPECT_TRUE(bad.fail());
}

TEST(PointText, AfficheBytesAndFlush) {
    {
        CaptureStdout cap;
        Point(1, 2.5, -3, 1, 0, 0).affiche();
        EXPECT_EQ(cap.str(), "\n (1 ; 2.5 ; -3 )\n");
    }
    CountingBuf buf;
    std::streambuf* old = std::cout.rdbuf(&buf);
    Point().affiche();
    std::cout.rdbuf(old);
    EXPECT_EQ(buf.str(), "\n (0 ; 0 ; 0 )\n");
    EXPECT_EQ(buf.syncs, 1);
}
