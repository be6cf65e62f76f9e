// Rational biquadratic Bezier patch: evaluation, arc weights, drawings, prints.
#include "CaptureStdout.h"
#include "RecordingGL.h"
#include "Tolerance.h"
#include "surfaces/RBBP.h"
#include "surfaces/RQBC3d.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double S2 = std::sqrt(2.0) / 2;
// Control points and weights of the quarter of the unit circle in a plane.
const double QX[3] = {1, 1, 0}, QY[3] = {0, 1, 1}, QW[3] = {1, S2, 1};

// The octant of the unit sphere as the revolution of the quarter circle from
// (1, 0, 0) to (0, 0, 1) about z: the row u = 1 collapses to the pole.
RBBP sphereOctant() {
    RBBP s;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            s.P[i][j] = Point(QX[i] * QX[j], QX[i] * QY[j], QY[i]);
            s.w[i][j] = QW[i] * QW[j];
        }
    return s;
}

// A piece of the cylinder x^2 + y^2 = 1: v turns round, u rises (unequal
// weights along u keep it on the cylinder).
RBBP cylinderPiece() {
    const double BU[3] = {1, 2, 0.5};
    RBBP s;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            s.P[i][j] = Point(QX[j], QY[j], i);
            s.w[i][j] = BU[i] * QW[j];
        }
    return s;
}

// An irregular patch with distinct points and weights.
RBBP irregular() {
    const double W[3][3] = {{1, 2, 0.5}, {3, 1, 2}, {0.7, 1.5, 2.5}};
    RBBP s;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            s.P[i][j] = Point(i + 0.1 * j, j - 0.2 * i, 0.3 * i * j + i);
            s.w[i][j] = W[i][j];
        }
    return s;
}

::testing::AssertionResult vertexAt(const std::vector<double>& v, const Point& p) {
    return tol::near3(v[0], v[1], v[2], p.getX0(), p.getY0(), p.getZ0(), 1e-6, 1e-6, "vertex");
}

using glrec::lightingCall;

} // namespace

TEST(RBBPConstruction, DefaultCopyAndColours) {
    RBBP d;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            EXPECT_TRUE(tol::nearPoint(d.getP(i, j), 1, 2, 3, 0));
            EXPECT_EQ(d.getP(i, j).getG(), 1.0);
            EXPECT_EQ(d.getW(i, j), 1.0);
        }
    EXPECT_EQ(d.R, 1.0);
    EXPECT_EQ(d.Gd, 0.25);
    EXPECT_EQ(d.Bs, 0.0);

    d.setP(1, 2, Point(4, 5, 6, 0.1, 0.2, 0.3));
    d.setW(1, 2, 7);
    d.Rd = 0.5;
    RBBP c(d);
    EXPECT_EQ(c.getP(1, 2).getB(), 0.3);
    EXPECT_EQ(c.getW(1, 2), 7.0);
    EXPECT_EQ(c.Rd, 0.5);

    d.setR(0.25, 9); // 0.5 cos(pi / 2) + 0.5
    EXPECT_TRUE(tol::near(d.R, 0.5, 1e-15, 0, "R"));
    d.setG(9, 0.5); // 0.25 cos(pi) + 0.5
    EXPECT_TRUE(tol::near(d.G, 0.25, 1e-15, 0, "G"));
    d.setB(1, 0.25); // 0.15 cos(pi / 2) + 0.25
    EXPECT_TRUE(tol::near(d.B, 0.25, 1e-15, 0, "B"));
    d.setB(0.5, 1); // 0.15 cos(pi) + 0.25
    EXPECT_TRUE(tol::near(d.B, 0.1, 1e-15, 0, "B"));
    EXPECT_EQ(d.Rd, 0.5);
}

TEST(RBBPEvaluation, CornersAreInterpolated) {
    for (const RBBP& s : {irregular(), sphereOctant(), cylinderPiece()}) {
        const double uv[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
        for (const auto& c : uv) {
            Point p = s.getP(2 * c[0], 2 * c[1]);
            EXPECT_TRUE(
                tol::nearPoint(s.point(c[0], c[1]), p.getX0(), p.getY0(), p.getZ0(), 1e-14));
            double d = s.den(c[0], c[1]);
            EXPECT_TRUE(tol::near(s.numX(c[0], c[1]) * d, p.getX0(), 1e-14));
        }
    }
}

TEST(RBBPEvaluation, UnitWeightsGiveThePolynomialPatch) {
    // A flat net on a regular grid reproduces the parameters: S(u, v) = (u, v, 0).
    RBBP s;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            s.P[i][j] = Point(i / 2.0, j / 2.0, 0);
    EXPECT_TRUE(tol::near(s.den(0.3, 0.7), 1, 1e-15));
    EXPECT_TRUE(tol::nearPoint(s.point(0.3, 0.7), 0.3, 0.7, 0, 1e-15));
    // Scaling every weight changes den but not the point.
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            s.w[i][j] = 3;
    EXPECT_TRUE(tol::near(s.den(0.3, 0.7), 1.0 / 3, 1e-15));
    EXPECT_TRUE(tol::nearPoint(s.point(0.3, 0.7), 0.3, 0.7, 0, 1e-15));
}

// point(u, v) evaluates the Bernstein values once; it must still be exactly
// (numX den, numY den, numZ den), to the last bit.
TEST(RBBPEvaluation, PointIsExactlyTheNumeratorsTimesDen) {
    RBBP s = irregular();
    s.w[1][1] = 0.37;
    s.w[2][1] = -0.2;
    for (int i = 0; i <= 12; ++i)
        for (int j = 0; j <= 12; ++j) {
            double u = i / 12.0 - 0.1, v = j / 12.0 + 0.05;
            Point p = s.point(u, v);
            double d = s.den(u, v);
            ASSERT_EQ(p.getX0(), s.numX(u, v) * d) << u << " " << v;
            ASSERT_EQ(p.getY0(), s.numY(u, v) * d) << u << " " << v;
            ASSERT_EQ(p.getZ0(), s.numZ(u, v) * d) << u << " " << v;
        }
}

TEST(RBBPEvaluation, ZeroWeightSumGivesDenOne) {
    RBBP s = irregular();
    for (int j = 0; j < 3; ++j) {
        s.w[0][j] = 1;
        s.w[1][j] = 0;
        s.w[2][j] = -1;
    }
    // D(0.5, v) = 0.25 - 0.25 = 0: den is 1 and the point is the numerator.
    EXPECT_EQ(s.den(0.5, 0), 1.0);
    EXPECT_EQ(s.den(0.5, 0.5), 1.0);
    Point p = s.point(0.5, 0.5);
    EXPECT_EQ(p.getX0(), s.numX(0.5, 0.5));
    EXPECT_EQ(p.getZ0(), s.numZ(0.5, 0.5));
    // D(0.25, v) = 0.5625 - 0.0625.
    EXPECT_TRUE(tol::near(s.den(0.25, 0.3), 2, 1e-14));
}

TEST(RBBPEvaluation, SphereAndCylinderPatchesStayOnTheirSurfaces) {
    RBBP sphere = sphereOctant(), cylinder = cylinderPiece();
    for (int a = 0; a <= 10; ++a)
        for (int b = 0; b <= 10; ++b) {
            Point p = sphere.point(a / 10.0, b / 10.0);
            double r =
                std::sqrt(p.getX0() * p.getX0() + p.getY0() * p.getY0() + p.getZ0() * p.getZ0());
            EXPECT_TRUE(tol::near(r, 1, 1e-14, 0, "sphere radius"));
            Point q = cylinder.point(a / 10.0, b / 10.0);
            EXPECT_TRUE(tol::near(std::hypot(q.getX0(), q.getY0()), 1, 1e-14, 0, "cyl radius"));
        }
    // v follows the second index: the sphere's u = 0 row is the equator.
    EXPECT_TRUE(tol::nearPoint(sphere.point(0, 0.5), S2, S2, 0, 1e-15));
    EXPECT_TRUE(tol::nearPoint(sphere.point(0.5, 0), S2, 0, S2, 1e-15));
}

TEST(RBBPArcWeights, CalcW) {
    RBBP s;
    EXPECT_TRUE(
        tol::near(s.calcW(Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0)), S2, 1e-15, 0, "90"));
    // Arc of 120 degrees: tangents meet at distance 2, weight cos 60 = 0.5.
    Point P2(-0.5, std::sqrt(3.0) / 2, 0), P1(1, std::sqrt(3.0), 0);
    EXPECT_TRUE(tol::near(s.calcW(Point(1, 0, 0), P1, P2), 0.5, 1e-14, 0, "120"));
    // Tangent lengths 2 and sqrt 2: no circular arc.
    EXPECT_EQ(s.calcW(Point(1, 0, 0), Point(1, 2, 0), Point(0, 1, 0)), 1.0);
    // Squared lengths about 0.00004 apart are still equal, 0.0002 apart are not.
    EXPECT_TRUE(tol::near(s.calcW(Point(1, -0.00002, 0), Point(1, 1, 0), Point(0, 1, 0)), S2, 1e-4,
                          0, "within tolerance"));
    EXPECT_EQ(s.calcW(Point(1, -0.0001, 0), Point(1, 1, 0), Point(0, 1, 0)), 1.0);
}

TEST(RBBPArcWeights, CalcW1) {
    RBBP s;
    Point O, P0(1, 0, 0), P1(1, 1, 0), P2(0, 1, 0);
    EXPECT_TRUE(tol::near(s.calcW1(O, P0, P1, P2, 1, 1), S2, 1e-15, 0, "equal ends"));
    EXPECT_EQ(s.calcW1(O, P0, Point(1, 2, 0), P2, 1, 1), 1.0);
    // The same circle moved elsewhere gives the same weight.
    Point t(2, -1, 5);
    EXPECT_TRUE(tol::near(s.calcW1(O.trans(t), P0.trans(t), P1.trans(t), P2.trans(t), 1, 1), S2,
                          1e-14, 0, "moved"));
    // Unequal end weights 1 and 4: w1 = sqrt(1 * 4) cos 45 = sqrt 2, and the
    // curve with these weights is still the unit circle.
    double w1 = s.calcW1(O, P0, P1, P2, 1, 4);
    EXPECT_TRUE(tol::near(w1, std::sqrt(2.0), 1e-14, 0, "ends 1 and 4"));
    RQBC3d arc(P0, P1, P2, 1, w1, 4);
    for (int k = 0; k <= 10; ++k) {
        Point p = arc.point(k / 10.0);
        EXPECT_TRUE(tol::near(std::hypot(p.getX0(), p.getY0()), 1, 1e-14, 0, "radius"));
    }
    // O off the arc's centre: the formula still runs, with G = (0.2, 0.8, 0):
    // R2 = 0.65, alpha = 4 (0.65 - 1.45), beta = (0.65 - 0.49) 25, w1 = sqrt 1.25.
    EXPECT_TRUE(tol::near(s.calcW1(Point(0.2, 0.1, 0), P0, P1, P2, 1, 4), std::sqrt(1.25), 1e-14, 0,
                          "off centre"));
    // No guard: P1 on the circle of centre O (alpha = 0) gives no finite weight.
    EXPECT_FALSE(std::isfinite(s.calcW1(Point(0.5, 0.5, 0), P0, P1, P2, 1, 1)));
}

TEST(RBBPDrawing, SamplesAndOneQuad) {
    RBBP s = irregular();
    auto g = s.echantillons(2, 3);
    ASSERT_EQ(g.size(), 3u);
    ASSERT_EQ(g[0].size(), 4u);
    EXPECT_TRUE(tol::nearPoint(g[1][2], s.point(0.5, 2.0 / 3).getX0(),
                               s.point(0.5, 2.0 / 3).getY0(), s.point(0.5, 2.0 / 3).getZ0(), 0));
    auto prims = glrec::primitivesOf([&] { s.openGL(1, 1); });
    ASSERT_EQ(prims.size(), 1u);
    EXPECT_EQ(prims[0].mode, static_cast<GLenum>(GL_QUADS));
    ASSERT_EQ(prims[0].vertices.size(), 4u);
    EXPECT_TRUE(vertexAt(prims[0].vertices[0], s.P[0][0]));
    EXPECT_TRUE(vertexAt(prims[0].vertices[1], s.P[2][0]));
    EXPECT_TRUE(vertexAt(prims[0].vertices[2], s.P[2][2]));
    EXPECT_TRUE(vertexAt(prims[0].vertices[3], s.P[0][2]));
    EXPECT_EQ(glrec::calls().size(), 6u); // begin, four glVertex3f, end: nothing else
    EXPECT_EQ(glrec::count("glVertex3f"), 4u);
}

TEST(RBBPDrawing, NineHundredQuadsOnTheSphere) {
    RBBP s = sphereOctant();
    glrec::reset();
    s.openGL(30, 30);
    EXPECT_EQ(glrec::countBegin(GL_QUADS), 900u);
    EXPECT_EQ(glrec::count("glVertex3f"), 3600u);
    EXPECT_EQ(glrec::calls().size(), 900u * 6);
    EXPECT_TRUE(glrec::beginEndBalanced());
    auto prims = glrec::primitives();
    ASSERT_EQ(prims.size(), 900u);
    for (int i = 0; i < 30; ++i)
        for (int j = 0; j < 30; ++j) {
            const auto& v = prims[i * 30 + j].vertices;
            ASSERT_EQ(v.size(), 4u);
            EXPECT_TRUE(vertexAt(v[0], s.point(i / 30.0, j / 30.0)));
            EXPECT_TRUE(vertexAt(v[1], s.point((i + 1) / 30.0, j / 30.0)));
            EXPECT_TRUE(vertexAt(v[2], s.point((i + 1) / 30.0, (j + 1) / 30.0)));
            EXPECT_TRUE(vertexAt(v[3], s.point(i / 30.0, (j + 1) / 30.0)));
            for (const auto& p : v)
                EXPECT_TRUE(tol::near(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 1, 1e-6,
                                      0, "radius"));
        }
    glrec::reset();
    s.openGL(0, 5);
    s.openGL(4, 0);
    s.openGL(-2, 3);
    EXPECT_TRUE(glrec::calls().empty());
}

TEST(RBBPDrawing, BoundaryRunsOnceAroundThePatch) {
    RBBP s = cylinderPiece();
    const int n = 3, m = 5;
    glrec::reset();
    glDisable(GL_LIGHTING);
    auto prims = glrec::primitivesOf([&] { s.openGLBord(n, m); });
    ASSERT_EQ(prims.size(), static_cast<std::size_t>(m + n + m + n));
    // Curve by curve: the patch point at the start of each segment.
    std::vector<Point> starts;
    for (int k = 0; k < m; ++k)
        starts.push_back(s.point(0, double(k) / m));
    for (int k = 0; k < n; ++k)
        starts.push_back(s.point(double(k) / n, 1));
    for (int k = 0; k < m; ++k)
        starts.push_back(s.point(1, 1 - double(k) / m));
    for (int k = 0; k < n; ++k)
        starts.push_back(s.point(1 - double(k) / n, 0));
    for (std::size_t k = 0; k < prims.size(); ++k) {
        EXPECT_EQ(prims[k].mode, static_cast<GLenum>(GL_LINES));
        EXPECT_TRUE(vertexAt(prims[k].vertices[0], starts[k])) << "segment " << k;
        EXPECT_TRUE(vertexAt(prims[k].vertices[1], starts[(k + 1) % starts.size()]))
            << "segment " << k;
        EXPECT_TRUE(tol::near3(prims[k].colour[0], prims[k].colour[1], prims[k].colour[2], 1, 0, 0,
                               0, 0, "red"));
        EXPECT_EQ(prims[k].lineWidth, 3.0);
        EXPECT_FALSE(prims[k].lighting);
    }
    EXPECT_TRUE(lightingCall(glrec::calls().front(), "glDisable"));
    EXPECT_TRUE(lightingCall(glrec::calls().back(), "glEnable"));
    EXPECT_TRUE(glrec::lightingEnabled());
    // Off once for the whole boundary, then off and on around each curve.
    EXPECT_EQ(glrec::count("glDisable"), 5u);
    EXPECT_EQ(glrec::count("glEnable"), 5u);

    prims = glrec::primitivesOf([&] { s.openGLBord(2, 2, 0.0f, 0.25f, 1.0f, 6.0f); });
    ASSERT_EQ(prims.size(), 8u);
    EXPECT_TRUE(tol::near3(prims[7].colour[0], prims[7].colour[1], prims[7].colour[2], 0, 0.25, 1,
                           0, 0, "colour"));
    EXPECT_EQ(prims[7].lineWidth, 6.0);
}

TEST(RBBPDrawing, ControlNetTwelveSegments) {
    RBBP s = irregular();
    auto prims = glrec::primitivesOf([&] { s.openGLPolyedre(); });
    ASSERT_EQ(prims.size(), 12u);
    std::size_t k = 0;
    for (int i = 0; i < 2; ++i) {
        for (int a = 0; a < 3; ++a, ++k) { // along v, dark green, width 2
            EXPECT_TRUE(vertexAt(prims[k].vertices[0], s.P[a][i])) << k;
            EXPECT_TRUE(vertexAt(prims[k].vertices[1], s.P[a][i + 1])) << k;
            EXPECT_TRUE(tol::near3(prims[k].colour[0], prims[k].colour[1], prims[k].colour[2], 0.2,
                                   0.5, 0, 1e-7));
            EXPECT_EQ(prims[k].lineWidth, 2.0);
        }
        for (int j = 0; j < 3; ++j, ++k) { // along u, orange, width 3
            EXPECT_TRUE(vertexAt(prims[k].vertices[0], s.P[i][j])) << k;
            EXPECT_TRUE(vertexAt(prims[k].vertices[1], s.P[i + 1][j])) << k;
            EXPECT_TRUE(tol::near3(prims[k].colour[0], prims[k].colour[1], prims[k].colour[2], 1,
                                   0.5, 0, 0));
            EXPECT_EQ(prims[k].lineWidth, 3.0);
        }
    }
    for (const auto& p : prims)
        EXPECT_FALSE(p.lighting);
    EXPECT_TRUE(lightingCall(glrec::calls().front(), "glDisable"));
    EXPECT_TRUE(lightingCall(glrec::calls().back(), "glEnable"));

    prims = glrec::primitivesOf([&] { RBBP().openGLPolyedre(); });
    ASSERT_EQ(prims.size(), 12u);
    for (const auto& p : prims)
        for (const auto& v : p.vertices)
            EXPECT_TRUE(tol::near3(v[0], v[1], v[2], 1, 2, 3, 0));
}

TEST(RBBPPrinting, ExactBytes) {
    RBBP s;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            s.P[i][j] = Point(i, j - 0.5, -2.25);
            s.w[i][j] = 1 + 0.25 * (3 * i + j);
        }
    {
        CaptureStdout cap;
        s.afficheW();
        EXPECT_EQ(cap.str(), "w( 0 , 0 ) = 1\nw( 0 , 1 ) = 1.25\nw( 0 , 2 ) = 1.5\n"
                             "w( 1 , 0 ) = 1.75\nw( 1 , 1 ) = 2\nw( 1 , 2 ) = 2.25\n"
                             "w( 2 , 0 ) = 2.5\nw( 2 , 1 ) = 2.75\nw( 2 , 2 ) = 3\n");
    }
    {
        CaptureStdout cap;
        s.afficheP();
        EXPECT_EQ(cap.str(), "P( 0 , 0 ) = 0 -0.5 -2.25\nP( 0 , 1 ) = 0 0.5 -2.25\n"
                             "P( 0 , 2 ) = 0 1.5 -2.25\nP( 1 , 0 ) = 1 -0.5 -2.25\n"
                             "P( 1 , 1 ) = 1 0.5 -2.25\nP( 1 , 2 ) = 1 1.5 -2.25\n"
                             "P( 2 , 0 ) = 2 -0.5 -2.25\nP( 2 , 1 ) = 2 0.5 -2.25\n"
                             "P( 2 , 2 ) = 2 1.5 -2.25\n");
    }
    {
        CaptureStdout cap;
        s.affiche();
        EXPECT_EQ(cap.str(), "(P,w)( 0 , 0 ) =  ( 0 -0.5 -2.25 ,  1 )\n\n"
                             "(P,w)( 0 , 1 ) =  ( 0 0.5 -2.25 ,  1.25 )\n\n"
                             "(P,w)( 0 , 2 ) =  ( 0 1.5 -2.25 ,  1.5 )\n\n"
                             "(P,w)( 1 , 0 ) =  ( 1 -0.5 -2.25 ,  1.75 )\n\n"
                             "(P,w)( 1 , 1 ) =  ( 1 0.5 -2.25 ,  2 )\n\n"
                             "(P,w)( 1 , 2 ) =  ( 1 1.5 -2.25 ,  2.25 )\n\n"
                             "(P,w)( 2 , 0 ) =  ( 2 -0.5 -2.25 ,  2.5 )\n\n"
                             "(P,w)( 2 , 1 ) =  ( 2 0.5 -2.25 ,  2.75 )\n\n"
                             "(P,w)( 2 , 2 ) =  ( 2 1.5 -2.25 ,  3 )\n\n");
    }
}
