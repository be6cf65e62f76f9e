#include "noyau/Droite.h"

#include "CaptureStdout.h"
#include "ExpectCall.h"
#include "RecordingGL.h"
#include "Tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

namespace {

using glrec::expectCall;
using tol::hasColour;
using tol::nearVect;

::testing::AssertionResult lineColour(const Droite& d, double r, double g, double b) {
    return tol::near3(d.getR(), d.getG(), d.getB(), r, g, b, 0.0, 0.0, "line colour");
}

Droite line(double px, double py, double pz, double vx, double vy, double vz) {
    return Droite(Point(px, py, pz), vect(vx, vy, vz));
}

} // namespace

// ---------------------------------------------------------------------------
// Construction, assignment, accessors
// ---------------------------------------------------------------------------

TEST(DroiteBasics, DefaultLine) {
    Droite D;
    EXPECT_TRUE(tol::nearPoint(D.getP(), 0, 0, 0, 0.0));
    EXPECT_TRUE(hasColour(D.getP(), 0, 1, 0));
    EXPECT_TRUE(nearVect(D.getV(), 1, 1, 1, 0.0));
    EXPECT_TRUE(lineColour(D, 0, 1, 0));
}

TEST(DroiteBasics, ConstructorsKeepTheBasePointsColour) {
    Point red(1, 2, 3, 1, 0, 0);
    Droite D(red, vect(0, 0, 2));
    EXPECT_TRUE(hasColour(D.getP(), 1, 0, 0));
    EXPECT_TRUE(lineColour(D, 0, 1, 0));
    Droite E(red, vect(1, 0, 0), 0.1, 0.2, 0.3);
    EXPECT_TRUE(lineColour(E, 0.1, 0.2, 0.3));
    Droite F(E);
    EXPECT_TRUE(lineColour(F, 0.1, 0.2, 0.3));
    EXPECT_TRUE(tol::nearPoint(F.getP(), 1, 2, 3, 0.0));
    EXPECT_TRUE(hasColour(F.getP(), 1, 0, 0));
    EXPECT_TRUE(nearVect(F.getV(), 1, 0, 0, 0.0));
}

TEST(DroiteBasics, AssignmentKeepsTheReceiversLineColour) {
    Droite src(Point(1, 2, 3, 1, 0, 0), vect(4, 5, 6), 0.9, 0.8, 0.7);
    Droite dst(Point(), vect(1, 0, 0), 0.1, 0.2, 0.3);
    dst = src;
    EXPECT_TRUE(tol::nearPoint(dst.getP(), 1, 2, 3, 0.0));
    EXPECT_TRUE(hasColour(dst.getP(), 1, 0, 0)); // the base point is copied whole
    EXPECT_TRUE(nearVect(dst.getV(), 4, 5, 6, 0.0));
    EXPECT_TRUE(lineColour(dst, 0.1, 0.2, 0.3));
}

TEST(DroiteBasics, SettersAndInit) {
    Droite D(Point(), vect(1, 0, 0), 0.1, 0.2, 0.3);
    D.setP(Point(1, 1, 1, 0, 0, 1));
    D.setV(vect(0, 2, 0));
    EXPECT_TRUE(hasColour(D.getP(), 0, 0, 1));
    EXPECT_TRUE(nearVect(D.getV(), 0, 2, 0, 0.0));
    D.init(Point(5, 6, 7), vect(-1, -1, 0));
    EXPECT_TRUE(tol::nearPoint(D.getP(), 5, 6, 7, 0.0));
    EXPECT_TRUE(nearVect(D.getV(), -1, -1, 0, 0.0));
    EXPECT_TRUE(lineColour(D, 0.1, 0.2, 0.3));
    D.setR(1);
    D.setG(0.5);
    D.setB(0);
    EXPECT_TRUE(lineColour(D, 1, 0.5, 0));
}

// ---------------------------------------------------------------------------
// Distance and projection
// ---------------------------------------------------------------------------

TEST(DroiteMeasures, DistanceToALine) {
    EXPECT_TRUE(tol::near(line(0, 0, 0, 0, 0, 5).distPointDroite(Point(1, 0, 0)), 1.0, 1e-15));
    // Independent of the base point and of the direction's length.
    EXPECT_TRUE(tol::near(line(0, 0, 7, 0, 0, -0.1).distPointDroite(Point(3, 4, -2)), 5.0, 1e-14));
    EXPECT_TRUE(tol::near(line(1, 1, 1, 1, 1, 1).distPointDroite(Point(3, 3, 3)), 0.0, 1e-14));
    // Slanted line: distance of (1, 0, 0) to the line x = y, z = 0 is 1/sqrt(2).
    EXPECT_TRUE(tol::near(line(0, 0, 0, 1, 1, 0).distPointDroite(Point(1, 0, 0)),
                          1 / std::sqrt(2.0), 1e-15));
    CaptureStdout cap;
    line(0, 0, 0, 1, 0, 0).distPointDroite(Point(0, 1, 0)); // nothing printed
    EXPECT_EQ(cap.str(), "");
    EXPECT_FALSE(std::isfinite(line(0, 0, 0, 0, 0, 0).distPointDroite(Point(1, 0, 0))));
}

TEST(DroiteMeasures, ProjectionIsTheFootAndGreen) {
    Droite D(Point(0, 0, 2, 1, 0, 0), vect(0, 0, 5));
    Point H = D.projete(Point(1, 0, 0, 0, 0, 1));
    EXPECT_TRUE(tol::nearPoint(H, 0, 0, 0, 1e-15));
    EXPECT_TRUE(hasColour(H, 0, 1, 0));
    Droite E = line(1, 2, 3, 2, -1, 2);
    Point Q(4, -1, 0);
    Point F = E.projete(Q);
    vect d = Q.ToVect() - F.ToVect();
    EXPECT_TRUE(tol::near(d.scalaire(E.getV()), 0.0, 1e-13));
    EXPECT_TRUE(tol::near(E.distPointDroite(F), 0.0, 1e-13));
    EXPECT_TRUE(tol::near(Q.distance(F), E.distPointDroite(Q), 1e-13));
}

// ---------------------------------------------------------------------------
// Intersection of two secant lines: the pivot cases
// ---------------------------------------------------------------------------

TEST(DroiteSecantes, CloseBasePointsGiveTheReceiversBasePoint) {
    Droite D1(Point(1, 2, 3, 1, 0, 0), vect(1, 0, 0));
    Droite D2(Point(1.00005, 2, 3), vect(0, 1, 0));
    Point I = D1.intersect2DroitesSecantes(D2);
    EXPECT_TRUE(tol::nearPoint(I, 1, 2, 3, 0.0));
    EXPECT_TRUE(hasColour(I, 1, 0, 0));
    // Whatever the directions, even parallel or zero ones.
    Droite D3(Point(1, 2, 3.00009), vect(1, 0, 0));
    EXPECT_TRUE(tol::nearPoint(D1.intersect2DroitesSecantes(D3), 1, 2, 3, 0.0));
    Droite D4(Point(1, 2, 3), vect(0, 0, 0));
    EXPECT_TRUE(tol::nearPoint(D4.intersect2DroitesSecantes(D1), 1, 2, 3, 0.0));
}

TEST(DroiteSecantes, CaseAxyPair) {
    Droite X(Point(0, 0, 0, 1, 0, 0), vect(1, 0, 0));
    Point I = X.intersect2DroitesSecantes(line(2, -1, 0, 0, 1, 0));
    EXPECT_TRUE(tol::nearPoint(I, 2, 0, 0, 1e-15));
    EXPECT_TRUE(hasColour(I, 1, 0, 0)); // colour of the receiver's base point
    // A general pair meeting at (2, 3, 4): receiver at s = 1, D2 at t = 2.
    Point J = line(1, 1, 1, 1, 2, 3).intersect2DroitesSecantes(line(0, 5, 3, 1, -1, 0.5));
    EXPECT_TRUE(tol::nearPoint(J, 2, 3, 4, 1e-14));
    EXPECT_TRUE(hasColour(J, 0, 1, 0));
}

TEST(DroiteSecantes, CaseBxzPairWhenTheXyPairIsDegenerate) {
    // Skew lines: the z equation is used; the result lies on D2, not on the receiver.
    Droite R = line(0, 0, 0, 1, 1, 0);
    Droite D2 = line(0, 2, 0, 1, 1, 1);
    Point I = R.intersect2DroitesSecantes(D2);
    EXPECT_TRUE(tol::nearPoint(I, 0, 2, 0, 1e-15));
    EXPECT_GT(R.distPointDroite(I), 1.0);
    // Meeting lines with parallel xy projections: the z equation finds them.
    Point J = R.intersect2DroitesSecantes(line(-1, -1, -1, 2, 2, 1));
    EXPECT_TRUE(tol::nearPoint(J, 1, 1, 0, 1e-15));
}

TEST(DroiteSecantes, PivotToleranceSelectsTheEquationPair) {
    Droite R = line(0, 0, 0, 1, 1, 0);
    // xy determinant 5e-6: below the pivot tolerance, the z equation gives t = -1.
    Point Ib = R.intersect2DroitesSecantes(line(0, 2, 1, 1, 1 - 5e-6, 1));
    EXPECT_TRUE(tol::nearPoint(Ib, -1, 1 + 5e-6, 0, 1e-12));
    // xy determinant 2e-5: above it, the y equation gives t = 2 / 2e-5.
    Point Ia = R.intersect2DroitesSecantes(line(0, 2, 1, 1, 1 - 2e-5, 1));
    EXPECT_TRUE(tol::near(Ia.getX0(), 1e5, 0.0, 1e-6));
    EXPECT_TRUE(tol::near(Ia.getZ0(), 1 + 1e5, 0.0, 1e-6));
}

TEST(DroiteSecantes, CaseCyxPair) {
    Point I = line(0, 0, 0, 0, 1, 0).intersect2DroitesSecantes(line(1, 3, 0, 1, 0, 0));
    EXPECT_TRUE(tol::nearPoint(I, 0, 3, 0, 1e-15));
    // A tiny x component (not above 0.00001) selects the y pivot but still
    // enters the formula: the receiver crosses y = 4 at x = 4e-5.
    Point J = line(0, 0, 0, 0.00001, 1, 0).intersect2DroitesSecantes(line(2, 4, 1, -2, 0, 0));
    EXPECT_TRUE(tol::nearPoint(J, 4e-5, 4, 1, 1e-15));
}

TEST(DroiteSecantes, CaseDyzPair) {
    // Receiver in the plane x = 0, D2 too: the y-x pair is degenerate.
    Point I = line(0, 0, 0, 0, 1, 1).intersect2DroitesSecantes(line(0, -1, 0, 0, 2, 1));
    EXPECT_TRUE(tol::nearPoint(I, 0, 1, 1, 1e-15));
}

TEST(DroiteSecantes, CasesEAndFReceiverParallelToZ) {
    Droite Z(Point(0, 0, 0, 0, 0, 1), vect(0, 0, 1));
    Point I = Z.intersect2DroitesSecantes(line(1, 1, 3, 1, 1, 0)); // e: t = -1
    EXPECT_TRUE(tol::nearPoint(I, 0, 0, 3, 1e-15));
    EXPECT_TRUE(hasColour(I, 0, 0, 1));
    Point J = Z.intersect2DroitesSecantes(line(0, 4, 7, 0, 2, 0)); // f: t = -2
    EXPECT_TRUE(tol::nearPoint(J, 0, 0, 7, 1e-15));
    // e uses the x equation only: a D2 that misses the axis in y still gets t from x.
    Point K = Z.intersect2DroitesSecantes(line(2, 5, 1, 1, 0, 0));
    EXPECT_TRUE(tol::nearPoint(K, 0, 5, 1, 1e-15));
}

TEST(DroiteSecantes, NoPivotGivesTheReceiversBasePoint) {
    Droite Z(Point(1, 2, 3, 0.5, 0.5, 0.5), vect(0, 0, 2));
    Point I = Z.intersect2DroitesSecantes(line(4, 5, 6, 0, 0, 1)); // both parallel to z
    EXPECT_TRUE(tol::nearPoint(I, 1, 2, 3, 0.0));
    EXPECT_TRUE(hasColour(I, 0.5, 0.5, 0.5));
    Droite tiny(Point(1, 2, 3), vect(0.00001, -0.00001, 0.000005));
    Point J = tiny.intersect2DroitesSecantes(line(4, 5, 6, 1, 1, 1));
    EXPECT_TRUE(tol::nearPoint(J, 1, 2, 3, 0.0));
}

// ---------------------------------------------------------------------------
// Intersection through the xy projection
// ---------------------------------------------------------------------------

TEST(DroiteIntersectXY, LiftedOntoTheReceiver) {
    Droite R(Point(0, 0, 1, 1, 0, 0), vect(1, 0, 1));
    Point I = R.intersectDroite(line(2, -1, 0, 0, 1, 0));
    EXPECT_TRUE(tol::nearPoint(I, 2, 0, 3, 1e-15));
    EXPECT_TRUE(hasColour(I, 0, 1, 0));
    // Swapping the roles lifts onto the other line.
    Point J = line(2, -1, 0, 0, 1, 0).intersectDroite(R);
    EXPECT_TRUE(tol::nearPoint(J, 2, 0, 0, 1e-15));
    // Parallel projections divide by zero.
    Point K = line(0, 0, 0, 1, 1, 0).intersectDroite(line(1, 0, 0, 2, 2, 5));
    EXPECT_FALSE(std::isfinite(K.getX0()));
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

TEST(DroiteDrawing, TwoSegmentsThenTheBasePoint) {
    Droite D(Point(1, 2, 3, 0.1, 0.2, 0.3), vect(1, 0, -1), 0.9, 0.9, 0.9);
    glrec::reset();
    D.traceDroite(0.5);
    const auto& c = glrec::calls();
    ASSERT_EQ(c.size(), 17u);
    // One segment each way from the base point, six calls each.
    const std::vector<double> bouts[2] = {{1.5, 2, 2.5}, {0.5, 2, 3.5}};
    for (int s = 0; s < 2; ++s) {
        const glrec::Call* seg = &c[6 * s];
        expectCall(seg[0], "glColor3f", {0.2f, 0.5f, 0.0f});
        expectCall(seg[1], "glLineWidth", {2});
        expectCall(seg[2], "glBegin", {GL_LINES});
        expectCall(seg[3], "glVertex3f", {1, 2, 3});
        expectCall(seg[4], "glVertex3f", bouts[s]);
        expectCall(seg[5], "glEnd", {});
    }
    expectCall(c[12], "glPointSize", {10});
    expectCall(c[13], "glColor3d", {0.1, 0.2, 0.3});
    expectCall(c[14], "glBegin", {GL_POINTS});
    expectCall(c[15], "glVertex3d", {1, 2, 3});
    expectCall(c[16], "glEnd", {});
    EXPECT_TRUE(glrec::beginEndBalanced());
}

TEST(DroiteDrawing, DefaultHalfLengthIsTwo) {
    auto prims = glrec::primitivesOf([&] { Droite().traceDroite(); });
    ASSERT_EQ(prims.size(), 3u);
    ASSERT_EQ(prims[0].vertices.size(), 2u);
    EXPECT_EQ(prims[0].vertices[1], (std::vector<double>{2, 2, 2}));
    ASSERT_EQ(prims[1].vertices.size(), 2u);
    EXPECT_EQ(prims[1].vertices[1], (std::vector<double>{-2, -2, -2}));
    EXPECT_EQ(prims[2].mode, static_cast<GLenum>(GL_POINTS));
    EXPECT_EQ(prims[2].colour, (std::vector<double>{0, 1, 0}));
    EXPECT_EQ(prims[2].pointSize, 10);
}

// ---------------------------------------------------------------------------
// Text forms
// ---------------------------------------------------------------------------

TEST(DroiteText, InsertionOfTheDefaultLine) {
    std::ostringstream os;
    os << Droite();
    EXPECT_EQ(os.str(), "0 0 0\n1 1 1\n");
    std::ostringstream os2;
    os2 << Droite(Point(0.5, -1, 2, 1, 0, 0), vect(1e-7, 3, -0.25), 0.2, 0.2, 0.2);
    EXPECT_EQ(os2.str(), "0.5 -1 2\n1e-07 3 -0.25\n");
}

TEST(DroiteText, ExtractionKeepsColours) {
    std::istringstream is("1 2 3\n-4 5.5 6\n");
    Droite D(Point(0, 0, 0, 1, 0, 0), vect(), 0.3, 0.4, 0.5);
    is >> D;
    EXPECT_FALSE(is.fail());
    EXPECT_TRUE(tol::nearPoint(D.getP(), 1, 2, 3, 0.0));
    EXPECT_TRUE(hasColour(D.getP(), 1, 0, 0));
    EXPECT_TRUE(nearVect(D.getV(), -4, 5.5, 6, 0.0));
    EXPECT_TRUE(lineColour(D, 0.3, 0.4, 0.5));

    // Round trip of the default line.
    std::stringstream ss;
    ss << Droite();
    Droite E(Point(9, 9, 9), vect(9, 9, 9));
    ss >> E;
    EXPECT_TRUE(tol::nearPoint(E.getP(), 0, 0, 0, 0.0));
    EXPECT_TRUE(nearVect(E.getV(), 1, 1, 1, 0.0));

    std::istringstream shortText("1 2 3\n4 5");
    shortText >> E;
    EXPECT_TRUE(shortText.fail());
}

TEST(DroiteText, AfficheBytes) {
    CaptureStdout cap;
    Droite(Point(1, -2.5, 0), vect(0, 0, 3)).affiche();
    EXPECT_EQ(cap.str(),
              "Affichage des valeurs de la droite :\nPoint : 1 -2.5 0\nVecteur : 0 0 3\n");
}
