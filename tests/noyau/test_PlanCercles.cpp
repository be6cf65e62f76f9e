#include "noyau/Plan.h"

#include "CaptureStdout.h"
#include "Tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

Plan plan(double a, double b, double c, double d) {
    Plan p;
    p.setABCD(a, b, c, d);
    return p;
}

double residu(const Plan& p, const Point& P) {
    return p.getA() * P.getX0() + p.getB() * P.getY0() + p.getC() * P.getZ0() + p.getD();
}

// The quarter of the unit circle of the plane z = 0 from (1, 0, 0) to (0, 1, 0).
const Point Q1(1, 0, 0), Q2(1, 1, 0), Q3(0, 1, 0);

// A circular arc of the circle of centre O, radius r, in the plane spanned by
// the orthonormal e1, e2, from angle t0 to angle t1 (|t1 - t0| < pi): start,
// tangent point, end.
struct Arc {
    Point P1, P2, P3;
};
Arc arc(const Point& O, double r, const vect& e1, const vect& e2, double t0, double t1) {
    auto at = [&](double t, double k) {
        vect w = (k * r * std::cos(t)) * e1 + (k * r * std::sin(t)) * e2;
        return O.trans(w);
    };
    double h = (t1 - t0) / 2;
    return Arc{at(t0, 1), at(t0 + h, 1 / std::cos(h)), at(t1, 1)};
}

} // namespace

TEST(CircleCentre, CircumcentreInThePlaneOfThePoints) {
    Plan z0 = plan(0, 0, 1, 0);
    Point O = z0.centreCercle3points(Point(1, 0, 0), Point(0, 1, 0), Point(-1, 0, 0));
    EXPECT_TRUE(tol::nearPoint(O, 0, 0, 0, 1e-15));
    EXPECT_TRUE(tol::near3(O.getR(), O.getG(), O.getB(), 0, 1, 0, 0));

    // A triangle of a tilted plane: the centre is equidistant from the three.
    Point A(1, 2, 0.5), B(-1, 0.3, 2), C(0.4, -1.5, 1);
    Plan p;
    p.defPlan3Points(A, B, C);
    Point M = p.centreCercle3points(A, B, C);
    EXPECT_TRUE(tol::near(residu(p, M), 0, 1e-14));
    EXPECT_TRUE(tol::near(M.distance(B), M.distance(A), 1e-13));
    EXPECT_TRUE(tol::near(M.distance(C), M.distance(A), 1e-13));
}

TEST(CircleCentre, AlignedPointsPrintBothMessages) {
    CaptureStdout cap;
    Point O = plan(0, 0, 1, 0).centreCercle3points(Point(0, 0, 0), Point(1, 0, 0), Point(2, 0, 0));
    EXPECT_EQ(cap.str(),
              "(intersection2Plans:) plans parall\xE8les ou confondus\n"
              "(intersectionPlanDroite:) Droite parall\xE8le au plan ou dans le plan \n");
    EXPECT_FALSE(std::isfinite(O.getX0()));
}

TEST(CircleMeetsPlane, QuarterArcAgainstThePlaneXEqualsZero) {
    Plan x0 = plan(1, 0, 0, 0);
    EXPECT_TRUE(tol::nearPoint(x0.cercleInterPlan(Q1, Q2, Q3, 1), 0, 1, 0, 1e-15));
    EXPECT_TRUE(tol::nearPoint(x0.cercleInterPlan(Q1, Q2, Q3, -1), 0, -1, 0, 1e-15));
    EXPECT_TRUE(tol::nearPoint(x0.cercleInterPlan(Q1, Q2, Q3, 0), 0, -1, 0, 1e-15));
    EXPECT_TRUE(
        tol::nearPoint(x0.cercleInterPlan2(Q1, Q2, Q3, Point(0, 0, 0), 1), 0, -1, 0, 1e-15));
    EXPECT_TRUE(
        tol::nearPoint(x0.cercleInterPlan2(Q1, Q2, Q3, Point(0, 0, 0), -1), 0, 1, 0, 1e-15));
}

TEST(CircleMeetsPlane, GivenCentreVariantRunsTheOtherWay) {
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> c(-1, 1), ang(0.3, 2.5);
    for (int n = 0; n < 60; ++n) {
        vect e1(c(gen), c(gen), c(gen));
        e1 = (1 / e1.norme()) * e1;
        vect t(c(gen), c(gen), c(gen)), e2;
        e2.vectoriel(e1, t);
        e2 = (1 / e2.norme()) * e2;
        Point O(c(gen), c(gen), c(gen));
        double r = 1 + c(gen) * 0.5;
        double t0 = ang(gen);
        Arc A = arc(O, r, e1, e2, t0, t0 + ang(gen));
        // A plane through the centre, so it always meets the circle.
        vect nrm(c(gen), c(gen), c(gen));
        Plan p = plan(nrm.abs(), nrm.ord(), nrm.cote(),
                      -(nrm.abs() * O.getX0() + nrm.ord() * O.getY0() + nrm.cote() * O.getZ0()));
        Point Oc;
        Oc.centreCercle(A.P1, A.P2, A.P3);
        for (double eps : {1.0, -1.0}) {
            Point I = p.cercleInterPlan(A.P1, A.P2, A.P3, eps);
            Point J = p.cercleInterPlan2(A.P1, A.P2, A.P3, Oc, -eps);
            ASSERT_TRUE(tol::nearPoint(J, I.getX0(), I.getY0(), I.getZ0(), 1e-9));
            ASSERT_TRUE(tol::near(I.distance(O), r, 1e-9));
            ASSERT_TRUE(tol::near(residu(p, I), 0, 1e-9));
        }
        Point I1 = p.cercleInterPlan(A.P1, A.P2, A.P3, 1);
        Point I2 = p.cercleInterPlan(A.P1, A.P2, A.P3, -1);
        ASSERT_TRUE(tol::near(I1.distance(I2), 2 * r, 1e-9)); // a diameter
    }
}

TEST(TwoCircles, CutTouchOrMiss) {
    // Quarter arc in z = 0 and a quarter arc of the unit circle of y = 0: the
    // common line (the x axis) passes through both centres.
    EXPECT_EQ(
        plan(0, 0, 1, 0).inter2Cercles(Q1, Q2, Q3, Point(1, 0, 0), Point(1, 0, 1), Point(0, 0, 1)),
        2);
    // Circle of centre (1, 0, 1), radius 1, in x = 1: the line x = 1, z = 0
    // touches both circles.
    Plan p;
    EXPECT_EQ(p.inter2Cercles(Q1, Q2, Q3, Point(1, 0, 0), Point(1, 1, 0), Point(1, 1, 1)), 1);
    // Circle of centre (2, 0, 5), radius 1, in x = 2: the line x = 2, z = 0
    // misses both.
    EXPECT_EQ(p.inter2Cercles(Q1, Q2, Q3, Point(2, 1, 5), Point(2, 1, 6), Point(2, 0, 6)), 0);
    // Circle of centre (0.5, 0, 0), radius 1, in x = 0.5: the line x = 0.5,
    // z = 0 cuts it and the unit circle; moved to centre (0.5, 0, 1) it only
    // touches the second circle, which is not enough.
    EXPECT_EQ(p.inter2Cercles(Q1, Q2, Q3, Point(0.5, 1, 0), Point(0.5, 1, 1), Point(0.5, 0, 1)), 2);
    EXPECT_EQ(p.inter2Cercles(Q1, Q2, Q3, Point(0.5, 1, 1), Point(0.5, 1, 2), Point(0.5, 0, 2)), 0);
}

TEST(LineAndDisc, ClosedDisc) {
    const Point A(1, 0, 0), B(0, 1, 0), C(-1, 0, 0);
    const vect up(0, 0, 1);
    Plan p;
    EXPECT_TRUE(p.intersectionDroiteDisque(A, B, C, Droite(Point(0.5, 0.5, 3), up)));
    EXPECT_FALSE(p.intersectionDroiteDisque(A, B, C, Droite(Point(1, 1, 3), up)));
    EXPECT_TRUE(p.intersectionDroiteDisque(A, B, C, Droite(Point(1, 0, 3), up)));
    EXPECT_TRUE(p.intersectionDroiteDisque(A, B, C, Droite(Point(0, -1, -2), up)));
    EXPECT_FALSE(p.intersectionDroiteDisque(A, B, C, Droite(Point(0, -1.000001, -2), up)));
    // A slanted line through (0.9, 0, 0) crosses; one through (1.1, 0, 0) does not.
    EXPECT_TRUE(p.intersectionDroiteDisque(A, B, C, Droite(Point(0.4, -1, -1), vect(0.5, 1, 1))));
    EXPECT_FALSE(p.intersectionDroiteDisque(A, B, C, Droite(Point(0.6, -1, -1), vect(0.5, 1, 1))));
}

TEST(LineAndDisc, LineParallelToTheDiscUsesItsBasePoint) {
    const Point A(1, 0, 0), B(0, 1, 0), C(-1, 0, 0);
    Plan p;
    CaptureStdout cap;
    EXPECT_TRUE(p.intersectionDroiteDisque(A, B, C, Droite(Point(0.2, 0.2, 0), vect(1, 0, 0))));
    EXPECT_FALSE(p.intersectionDroiteDisque(A, B, C, Droite(Point(0.2, 0.2, 5), vect(1, 0, 0))));
    EXPECT_NE(cap.str().find("Droite parall\xE8le au plan"), std::string::npos);
}
