#include "noyau/Plan.h"

#include "CaptureStdout.h"
#include "RecordingGL.h"
#include "Tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace {

const std::string MSG_PAS_DEUX = "pas deux plans\n";
const std::string MSG_PARALLELES = "(intersection2Plans:) plans parall\xE8les ou confondus\n";
const std::string MSG_DROITE =
    "(intersectionPlanDroite:) Droite parall\xE8le au plan ou dans le plan \n";

Plan plan(double a, double b, double c, double d) {
    Plan p;
    p.setABCD(a, b, c, d);
    return p;
}

// Classification of the pair, with what it printed.
int classe(Plan p1, Plan p2, std::string* printed = nullptr) {
    CaptureStdout cap;
    int r = p1.typeIntersectPlans(p2);
    if (printed)
        *printed = cap.str();
    return r;
}

double residu(const Plan& p, const Point& P) {
    return p.getA() * P.getX0() + p.getB() * P.getY0() + p.getC() * P.getZ0() + p.getD();
}

double dot(const vect& u, const vect& v) {
    return u.scalaire(v);
}

} // namespace

// ---------------------------------------------------------------------------
// Classification of two planes
// ---------------------------------------------------------------------------

TEST(PlanClassification, NotTwoPlanesOnEitherSide) {
    std::string out;
    EXPECT_EQ(classe(plan(0, 0, 0, 5), plan(1, 2, 3, 4), &out), 0);
    EXPECT_EQ(out, MSG_PAS_DEUX);
    EXPECT_EQ(classe(plan(1, 2, 3, 4), plan(0.000001, 0, -0.000009, 5), &out), 0);
    EXPECT_EQ(out, MSG_PAS_DEUX);
}

TEST(PlanClassification, OneSideMissingACoefficientCuts) {
    std::string out;
    EXPECT_EQ(classe(plan(0, 0, 1, 0), plan(1, 0, 0, 0), &out), 1); // null on the receiver
    EXPECT_EQ(classe(plan(1, 1, 0, 0), plan(0, 1, 0, 0), &out), 1); // null on pl
    EXPECT_EQ(classe(plan(2, 3, 4, 1), plan(2, 3, 0, 1), &out), 1);
    EXPECT_EQ(out, "");
}

TEST(PlanClassification, AllThreeCoefficientsPresent) {
    EXPECT_EQ(classe(plan(1, 1, 1, 1), plan(2, 2, 2, 2)), 2);
    EXPECT_EQ(classe(plan(1, 1, 1, 1), plan(2, 2, 2, 3)), 3);
    EXPECT_EQ(classe(plan(1, 1, 1, 1), plan(1, 2, 3, 0)), 1);
    EXPECT_EQ(classe(plan(1, -2, 3, 0), plan(-3, 6, -9, 0)), 2); // both through the origin
    EXPECT_EQ(classe(plan(1, -2, 3, 0), plan(-3, 6, -9, 1)), 3);
    EXPECT_EQ(classe(plan(1, -2, 3, 4), plan(-3, 6, -9, 0)), 3);
}

TEST(PlanClassification, OneNullCoefficient) {
    // a null
    EXPECT_EQ(classe(plan(0, 1, 2, 1), plan(0, 2, 4, 2)), 2);
    EXPECT_EQ(classe(plan(0, 1, 2, 1), plan(0, 2, 4, 5)), 3);
    EXPECT_EQ(classe(plan(0, 1, 2, 1), plan(0, 1, 3, 1)), 1);
    // b null
    EXPECT_EQ(classe(plan(1, 0, 2, 1), plan(2, 0, 4, 2)), 2);
    EXPECT_EQ(classe(plan(1, 0, 2, 1), plan(2, 0, 4, 0)), 3);
    EXPECT_EQ(classe(plan(1, 0, 2, 0), plan(1, 0, 5, 0)), 1);
    // c null
    EXPECT_EQ(classe(plan(3, 1, 0, 0), plan(6, 2, 0, 0)), 2);
    EXPECT_EQ(classe(plan(3, 1, 0, 0), plan(6, 2, 0, 7)), 3);
    EXPECT_EQ(classe(plan(3, 1, 0, 0), plan(6, 1, 0, 0)), 1);
}

TEST(PlanClassification, TwoNullCoefficients) {
    EXPECT_EQ(classe(plan(0, 0, 1, 0), plan(0, 0, 2, 0)), 2);
    EXPECT_EQ(classe(plan(0, 0, 1, 0), plan(0, 0, 1, -1)), 3);
    EXPECT_EQ(classe(plan(0, 1, 0, -1), plan(0, 3, 0, -3)), 2);
    EXPECT_EQ(classe(plan(0, 1, 0, -1), plan(0, 1, 0, 0)), 3);
    EXPECT_EQ(classe(plan(4, 0, 0, 2), plan(2, 0, 0, 1)), 2);
    EXPECT_EQ(classe(plan(4, 0, 0, 2), plan(2, 0, 0, 3)), 3);
}

TEST(PlanClassification, RatiosDifferingByExactlyTheToleranceCut) {
    // l3 = 0.00001 and l4 = 0: neither the same constant nor another one.
    EXPECT_EQ(classe(plan(0, 0, 1, 1), plan(0, 0, 0.00001, 0)), 1);
    EXPECT_EQ(classe(plan(0, 1, 0, 1), plan(0, 0.00001, 0, 0)), 1);
    EXPECT_EQ(classe(plan(1, 0, 0, 1), plan(0.00001, 0, 0, 0)), 1);
    // With all three coefficients present the same ratios mean parallel.
    EXPECT_EQ(classe(plan(1, 1, 1, 1), plan(0.00001, 0.00001, 0.00001, 0)), 3);
}

TEST(PlanClassification, CoefficientOfExactlyTheToleranceIsNeitherNullNorPresent) {
    std::string out;
    // On pl: not "present", so the tilt goes unnoticed and the planes coincide.
    EXPECT_EQ(classe(plan(0, 0, 1, 0), plan(0.00001, 0, 1, 0), &out), 2);
    EXPECT_EQ(classe(plan(0, 0, 1, 0), plan(0.0000100001, 0, 1, 0)), 1);
    // On the receiver: no row applies, 0 without a message.
    EXPECT_EQ(classe(plan(0.00001, 1, 1, 0), plan(0.00001, 1, 1, 0), &out), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(classe(plan(1, -0.00001, 0, 0), plan(1, 0, 0, 0), &out), 0);
    EXPECT_EQ(out, "");
}

TEST(PlanClassification, AnyMultipleOfAnEquationCoincides) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> coef(-5, 5), k(0.5, 4);
    for (int n = 0; n < 200; ++n) {
        double a = coef(gen), b = coef(gen), c = coef(gen), d = coef(gen);
        double m = (n % 2 ? -1 : 1) * k(gen);
        ASSERT_EQ(classe(plan(a, b, c, d), plan(m * a, m * b, m * c, m * d)), 2);
        ASSERT_EQ(classe(plan(a, b, c, d), plan(m * a, m * b, m * c, m * d + 1)), 3);
    }
}

// ---------------------------------------------------------------------------
// Intersections
// ---------------------------------------------------------------------------

TEST(PlanIntersection, DeterminantOrderFixesTheBasePoint) {
    CaptureStdout cap;
    // x = 0 and y = 0: first determinant, z = 1.
    Droite D = plan(1, 0, 0, 0).intersection2Plans(plan(0, 1, 0, 0));
    EXPECT_TRUE(tol::nearPoint(D.getP(), 0, 0, 1, 0));
    EXPECT_TRUE(tol::near3(D.getV().abs(), D.getV().ord(), D.getV().cote(), 0, 0, 1, 0));
    // x + z = 0 and y + z = 1: the first determinant wins over the second.
    D = plan(1, 0, 1, 0).intersection2Plans(plan(0, 1, 1, -1));
    EXPECT_TRUE(tol::nearPoint(D.getP(), -1, 0, 1, 0));
    // x = 0 and z = 0: second determinant, y = 1; direction (1,0,0) x (0,0,1).
    D = plan(1, 0, 0, 0).intersection2Plans(plan(0, 0, 1, 0));
    EXPECT_TRUE(tol::nearPoint(D.getP(), 0, 1, 0, 0));
    EXPECT_TRUE(tol::near3(D.getV().abs(), D.getV().ord(), D.getV().cote(), 0, -1, 0, 0));
    // y = 0 and z = 2: third determinant, x = 1.
    D = plan(0, 1, 0, 0).intersection2Plans(plan(0, 0, 1, -2));
    EXPECT_TRUE(tol::nearPoint(D.getP(), 1, 0, 2, 0));
    EXPECT_EQ(D.getP().getG(), 1.0); // default colour
    EXPECT_EQ(cap.str(), "");
}

TEST(PlanIntersection, CommonLineLiesInBothPlanes) {
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> coef(-3, 3);
    for (int n = 0; n < 100; ++n) {
        Plan p1 = plan(coef(gen), coef(gen), coef(gen), coef(gen));
        Plan p2 = plan(coef(gen), coef(gen), coef(gen), coef(gen));
        Droite D = p1.intersection2Plans(p2);
        vect V = D.getV();
        vect n1(p1.getA(), p1.getB(), p1.getC()), n2(p2.getA(), p2.getB(), p2.getC());
        ASSERT_TRUE(tol::near(V.norme(), 1, 1e-14));
        ASSERT_TRUE(tol::near(dot(V, n1), 0, 1e-12));
        ASSERT_TRUE(tol::near(dot(V, n2), 0, 1e-12));
        ASSERT_TRUE(tol::near(residu(p1, D.getP()), 0, 1e-9));
        ASSERT_TRUE(tol::near(residu(p2, D.getP()), 0, 1e-9));
    }
}

TEST(PlanIntersection, ParallelPlansPrintAndGiveTheOrigin) {
    CaptureStdout cap;
    Droite D = plan(0, 0, 1, 0).intersection2Plans(plan(0, 0, 1, -1));
    EXPECT_EQ(cap.str(), MSG_PARALLELES);
    EXPECT_TRUE(tol::nearPoint(D.getP(), 0, 0, 0, 0));
    EXPECT_TRUE(std::isnan(D.getV().abs()));
}

TEST(PlanIntersection, LineMeetsPlane) {
    Plan p = plan(0, 0, 1, -2);
    Point base(1, 1, 0, 1, 0, 0);
    {
        CaptureStdout cap;
        Point I = p.intersectionPlanDroite(Droite(base, vect(0, 0, 4)));
        EXPECT_TRUE(tol::nearPoint(I, 1, 1, 2, 0));
        EXPECT_TRUE(tol::near3(I.getR(), I.getG(), I.getB(), 0, 1, 0, 0));
        EXPECT_EQ(cap.str(), "");
    }
    {
        CaptureStdout cap;
        Point I = p.intersectionPlanDroite(Droite(base, vect(1, 0, 0)));
        EXPECT_EQ(cap.str(), MSG_DROITE);
        EXPECT_TRUE(tol::nearPoint(I, 1, 1, 0, 0));
    }
    {
        // Just above the threshold the line is still cut.
        CaptureStdout cap;
        Point I = p.intersectionPlanDroite(Droite(base, vect(1, 0, 0.00002)));
        EXPECT_EQ(cap.str(), "");
        EXPECT_TRUE(tol::nearPoint(I, 1 + 1e5, 1, 2, 1e-6));
    }
}

TEST(PlanThroughThreePoints, OrientationFollowsTheOrderOfThePoints) {
    Plan p;
    p.defPlan3Points(Point(0, 0, 0), Point(2, 0, 0), Point(0, 3, 0));
    EXPECT_TRUE(tol::near3(p.getA(), p.getB(), p.getC(), 0, 0, 1, 0));
    EXPECT_EQ(p.getD(), 0.0);
    p.defPlan3Points(Point(0, 0, 0), Point(0, 3, 0), Point(2, 0, 0));
    EXPECT_TRUE(tol::near3(p.getA(), p.getB(), p.getC(), 0, 0, -1, 0));

    // The normal's length is the sine of the angle at P0 (45 degrees here).
    Point P0(1, 2, 3), P1(4, 2, 3), P2(3, 4, 3);
    p.defPlan3Points(P0, P1, P2);
    EXPECT_TRUE(tol::near3(p.getA(), p.getB(), p.getC(), 0, 0, std::sqrt(0.5), 1e-15));
    for (const Point& P : {P0, P1, P2})
        EXPECT_TRUE(tol::near(residu(p, P), 0, 1e-14));
}

TEST(PlanSkewLines, CommonPerpendicular) {
    CaptureStdout cap;
    Plan p;
    Droite ax(Point(0, 0, 0), vect(1, 0, 0));
    Droite D2(Point(0, 0, 1), vect(0, 1, 0));
    Droite N = p.intersect2DroitesGauches(ax, D2);
    EXPECT_TRUE(tol::nearPoint(N.getP(), 0, 0, 1, 1e-15));
    EXPECT_TRUE(tol::near3(N.getV().abs(), N.getV().ord(), N.getV().cote(), 0, 0, 1, 1e-15));

    // Random skew lines: the result starts on D2, is perpendicular to both
    // and its base point is at the lines' distance from D1.
    std::mt19937 gen(3);
    std::uniform_real_distribution<double> c(-2, 2);
    for (int n = 0; n < 50; ++n) {
        Point P1(c(gen), c(gen), c(gen)), P2(c(gen), c(gen), c(gen));
        vect V1(c(gen), c(gen), c(gen)), V2(c(gen), c(gen), c(gen));
        Droite L1(P1, V1), L2(P2, V2);
        Droite R = p.intersect2DroitesGauches(L1, L2);
        vect n12;
        n12.vectoriel(V1, V2);
        if (n12.norme() < 0.5)
            continue;
        vect P1P2(P2.getX0() - P1.getX0(), P2.getY0() - P1.getY0(), P2.getZ0() - P1.getZ0());
        double gap = std::fabs(dot(P1P2, n12)) / n12.norme();
        ASSERT_TRUE(tol::near(L2.distPointDroite(R.getP()), 0, 1e-9));
        ASSERT_TRUE(tol::near(L1.distPointDroite(R.getP()), gap, 1e-9));
        ASSERT_TRUE(tol::near(dot(R.getV(), V1), 0, 1e-12));
        ASSERT_TRUE(tol::near(dot(R.getV(), V2), 0, 1e-12));
    }
}

// ---------------------------------------------------------------------------
// The plane as a surface
// ---------------------------------------------------------------------------

TEST(PlanSurface, DefaultBoxAndHeight) {
    Plan p = plan(0, 0, 1, -2);
    EXPECT_EQ(p.getUmin(), 0.0);
    EXPECT_EQ(p.getUmax(), 1.0);
    EXPECT_EQ(p.getVmin(), 0.0);
    EXPECT_EQ(p.getVmax(), 1.0);
    EXPECT_EQ(p.getUMAX(), 80);
    EXPECT_EQ(p.getNom(), "Surface.off");
    EXPECT_EQ(p.fx(40, 7), 0.5);
    EXPECT_EQ(p.fy(3, 20), 0.25);
    for (double u : {0.0, 13.0, 80.0})
        EXPECT_EQ(p.fz(u, 61), 2.0);
    surface_para& s = p;
    EXPECT_TRUE(tol::near3(s.normalx(1, 2), s.normaly(1, 2), s.normalz(1, 2), 0, 0, 1, 0));
    EXPECT_EQ(s.dxdu(0, 0), 2.0); // the base's derivatives are kept
}

TEST(PlanSurface, PatchLiesInThePlaneAndDerivativesMatch) {
    Plan p = plan(1, -2, 4, 3);
    p.putU_min(-1);
    p.putU_max(2);
    p.putV_min(0.5);
    p.putV_max(1.5);
    for (double u : {0.0, 17.0, 80.0})
        for (double v : {0.0, 33.0, 80.0}) {
            Point P(p.fx(u, v), p.fy(u, v), p.fz(u, v));
            EXPECT_TRUE(tol::near(residu(p, P), 0, 1e-14));
        }
    // Derivatives with respect to u / UMAX and v / VMAX.
    const double h = 1;
    EXPECT_TRUE(tol::near(p.dfxdu(5, 5), (p.fx(6, 5) - p.fx(4, 5)) * 80 / (2 * h), 1e-12));
    EXPECT_TRUE(tol::near(p.dfzdu(5, 5), (p.fz(6, 5) - p.fz(4, 5)) * 80 / (2 * h), 1e-12));
    EXPECT_TRUE(tol::near(p.dfydv(5, 5), (p.fy(5, 6) - p.fy(5, 4)) * 80 / (2 * h), 1e-12));
    EXPECT_TRUE(tol::near(p.dfzdv(5, 5), (p.fz(5, 6) - p.fz(5, 4)) * 80 / (2 * h), 1e-12));
    EXPECT_EQ(p.dfydu(5, 5), 0.0);
    EXPECT_EQ(p.dfxdv(5, 5), 0.0);
}

TEST(PlanSurface, ColourFunctions) {
    Plan p = plan(0, 0, 1, 0);
    surface_para& s = p; // through the virtual slots
    s.fR(80, 0);
    s.fG(0, 0);
    s.fB(0, 80);
    EXPECT_TRUE(tol::near3(s.getR(), s.getG(), s.getB(), 1.05, 0.07, 0.091, 1e-15));
    EXPECT_TRUE(tol::near3(s.getRd(), s.getGd(), s.getBd(), 1, 0.5, 0, 0));
    EXPECT_TRUE(tol::near3(s.getRs(), s.getGs(), s.getBs(), 0, 0, 1, 0));
    s.fR(20, 0, 1.0); // U = 1/4, sin(pi/2)
    s.fG(20, 0, 1.0);
    s.fB(0, 40, 1.0); // sin(pi) = 0
    EXPECT_TRUE(tol::near3(s.getR(), s.getG(), s.getB(), 0.6675, 0.38, 0.241, 1e-15));
    EXPECT_TRUE(tol::near3(s.getRd(), s.getGd(), s.getBd(), 1, 0.25, 0, 0));
    EXPECT_TRUE(tol::near3(s.getRs(), s.getGs(), s.getBs(), 0, 0, 0.5, 0));
}

TEST(PlanSurface, OpenGL2DrawsOneQuad) {
    Plan p = plan(1, 2, 4, -8);
    p.fR(0, 0);
    p.fG(0, 0);
    p.fB(0, 0);
    glrec::reset();
    p.openGL2();
    const auto& c = glrec::calls();
    ASSERT_EQ(c.size(), 9u);
    EXPECT_EQ(c[0].name, "glBegin");
    EXPECT_EQ(c[0].args[0], GL_QUADS);
    EXPECT_EQ(c[1].name, "glColor3d");
    EXPECT_TRUE(tol::near3(c[1].args[0], c[1].args[1], c[1].args[2], 0.85, 0.07, 0.151, 0));
    EXPECT_EQ(c[2].name, "glNormal3d");
    EXPECT_EQ(c[2].args, (std::vector<double>{1, 2, 4}));
    // Heights at the corners of the box [0, 1] x [0, 1].
    EXPECT_EQ(c[3].args, (std::vector<double>{-10, -10, 2}));
    EXPECT_EQ(c[4].args, (std::vector<double>{-10, 10, 1.5}));
    EXPECT_EQ(c[5].args, (std::vector<double>{10, 10, 1.25}));
    EXPECT_EQ(c[6].args, (std::vector<double>{10, -10, 1.75}));
    EXPECT_EQ(c[7].name, "glEnd");
    EXPECT_EQ(c[8].name, "glFlush");
}
