// Rational quadratic Bezier curve: evaluation and the six drawing forms.
#include "RecordingGL.h"
#include "Tolerance.h"
#include "surfaces/RQBC3d.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double S2 = std::sqrt(2.0) / 2;
// The quarter of the unit circle from (1, 0, 0) to (0, 1, 0).
RQBC3d quarterCircle() {
    return RQBC3d(Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0), 1, S2, 1);
}

::testing::AssertionResult vertexAt(const std::vector<double>& v, const Point& p) {
    return tol::near3(v[0], v[1], v[2], p.getX0(), p.getY0(), p.getZ0(), 1e-6, 1e-6, "vertex");
}

::testing::AssertionResult colourIs(const glrec::Primitive& p, double r, double g, double b,
                                    double width) {
    auto c = tol::near3(p.colour[0], p.colour[1], p.colour[2], r, g, b, 1e-7, 0, "colour");
    if (!c)
        return c;
    return tol::near(p.lineWidth, width, 0, 0, "line width");
}

// Each of the first nb primitives is one GL_LINES segment from the sample at
// k / nb to the sample at (k + 1) / nb, in the given colour and width.
void expectPolyline(const std::vector<glrec::Primitive>& prims, const RQBC3d& c, int nb, double r,
                    double g, double b, double width, bool lighting) {
    ASSERT_GE(prims.size(), static_cast<std::size_t>(nb));
    for (int k = 0; k < nb; ++k) {
        const glrec::Primitive& p = prims[k];
        EXPECT_EQ(p.mode, static_cast<GLenum>(GL_LINES));
        ASSERT_EQ(p.vertices.size(), 2u);
        EXPECT_TRUE(vertexAt(p.vertices[0], c.point(double(k) / nb))) << "segment " << k;
        EXPECT_TRUE(vertexAt(p.vertices[1], c.point(double(k + 1) / nb))) << "segment " << k;
        EXPECT_TRUE(colourIs(p, r, g, b, width)) << "segment " << k;
        EXPECT_EQ(p.lighting, lighting) << "segment " << k;
    }
}

// The two legs P0-P1 and P2-P1 in half the complement of the end colours.
void expectLegs(const glrec::Primitive& a, const glrec::Primitive& b, const RQBC3d& c) {
    Point P0 = c.getP0(), P1 = c.getP1(), P2 = c.getP2();
    EXPECT_TRUE(vertexAt(a.vertices[0], P0));
    EXPECT_TRUE(vertexAt(a.vertices[1], P1));
    EXPECT_TRUE(colourIs(a, (1 - P0.getR()) / 2, (1 - P0.getG()) / 2, (1 - P0.getB()) / 2, 1.0));
    EXPECT_TRUE(vertexAt(b.vertices[0], P2));
    EXPECT_TRUE(vertexAt(b.vertices[1], P1));
    EXPECT_TRUE(colourIs(b, (1 - P2.getR()) / 2, (1 - P2.getG()) / 2, (1 - P2.getB()) / 2, 1.0));
}

using glrec::lightingCall;

} // namespace

TEST(RQBC3dConstruction, DefaultInitAndSetters) {
    RQBC3d c;
    EXPECT_TRUE(tol::nearPoint(c.getP0(), 1, 0, 0, 0));
    EXPECT_TRUE(tol::nearPoint(c.getP1(), 1, 1, 0, 0));
    EXPECT_TRUE(tol::nearPoint(c.getP2(), 0, 1, 0, 0));
    EXPECT_EQ(c.getP1().getG(), 1.0);
    EXPECT_EQ(c.getW0(), 1.0);
    EXPECT_EQ(c.getW1(), 1.0);
    EXPECT_EQ(c.getW2(), 2.0);

    Point red(4, 5, 6, 1, 0, 0);
    c.init(red, Point(7, 8, 9), Point(), 0.5, -2, 3);
    EXPECT_EQ(c.getP0().getR(), 1.0);
    EXPECT_TRUE(tol::nearPoint(c.getP1(), 7, 8, 9, 0));
    EXPECT_EQ(c.getW1(), -2.0);
    EXPECT_EQ(c.getW2(), 3.0);
    c.setP0(-1, -2, -3); // coordinates only: the point stays red
    EXPECT_TRUE(tol::nearPoint(c.getP0(), -1, -2, -3, 0));
    EXPECT_EQ(c.getP0().getR(), 1.0);
    RQBC3d copy = c;
    EXPECT_EQ(copy.getP0().getR(), 1.0);
    EXPECT_EQ(copy.getW2(), 3.0);
}

TEST(RQBC3dEvaluation, UnitWeightsGiveThePolynomialCurve) {
    RQBC3d c(Point(0, 0, 0), Point(1, 2, 0), Point(2, 0, 0), 1, 1, 1);
    EXPECT_TRUE(tol::near(c.den(0.3), 1, 1e-15));
    EXPECT_TRUE(tol::nearPoint(c.point(0.5), 1, 1, 0, 1e-15));
    EXPECT_TRUE(tol::near(c.numX(0.5) * c.den(0.5), 1, 1e-15));
    EXPECT_TRUE(tol::near(c.numY(0.5) * c.den(0.5), 1, 1e-15));
    EXPECT_TRUE(tol::near(c.numZ(0.5), 0, 0));
}

TEST(RQBC3dEvaluation, ZeroWeightSumGivesDenOne) {
    RQBC3d c(Point(2, 4, 6), Point(1, 1, 1), Point(10, 20, 30), 1, 0, -1);
    // D(0.5) = 0.25 - 0.25 = 0: den is 1, the point is the numerator itself.
    EXPECT_EQ(c.den(0.5), 1.0);
    EXPECT_TRUE(tol::nearPoint(c.point(0.5), 0.5 - 2.5, 1 - 5, 1.5 - 7.5, 1e-14));
    // Elsewhere den is the reciprocal: D(0.25) = 0.5625 - 0.0625 = 0.5.
    EXPECT_TRUE(tol::near(c.den(0.25), 2, 1e-15));
    RQBC3d zero(Point(1, 1, 1), Point(2, 2, 2), Point(3, 3, 3), 0, 0, 0);
    EXPECT_EQ(zero.den(0.7), 1.0);
    EXPECT_TRUE(tol::nearPoint(zero.point(0.7), 0, 0, 0, 0));
}

TEST(RQBC3dEvaluation, QuarterCircleLiesOnTheUnitCircle) {
    RQBC3d c = quarterCircle();
    EXPECT_TRUE(tol::nearPoint(c.point(0), 1, 0, 0, 1e-15));
    EXPECT_TRUE(tol::nearPoint(c.point(1), 0, 1, 0, 1e-15));
    EXPECT_TRUE(tol::nearPoint(c.point(0.5), S2, S2, 0, 1e-15));
    for (int k = 0; k <= 20; ++k) {
        Point p = c.point(k / 20.0);
        EXPECT_TRUE(tol::near(std::hypot(p.getX0(), p.getY0()), 1, 1e-14, 0, "radius"));
    }
    // The default curve is the same arc, traversed at another speed.
    RQBC3d d;
    EXPECT_TRUE(tol::near(d.den(0.5), 1 / 1.25, 1e-15));
    EXPECT_TRUE(tol::nearPoint(d.point(0.5), 0.6, 0.8, 0, 1e-15));
    EXPECT_TRUE(tol::nearPoint(d.point(0.25), 0.9375 / 1.0625, 0.5 / 1.0625, 0, 1e-15));
    for (int k = 0; k <= 20; ++k) {
        Point p = d.point(k / 20.0);
        EXPECT_TRUE(tol::near(std::hypot(p.getX0(), p.getY0()), 1, 1e-14, 0, "radius"));
    }
}

TEST(RQBC3dDrawing, OpenGLDrawsTenSegmentsAndTheLegsWithoutTouchingLighting) {
    RQBC3d c = quarterCircle();
    c.setP2(Point(0, 1, 0, 0.2, 0.4, 1.0));
    auto prims = glrec::primitivesOf([&] { c.openGL(); });
    ASSERT_EQ(prims.size(), 12u);
    expectPolyline(prims, c, 10, 0.2, 0.5, 0.0, 2.0, false);
    expectLegs(prims[10], prims[11], c);
    // A green P0 gives a purple leg.
    EXPECT_TRUE(colourIs(prims[10], 0.5, 0, 0.5, 1.0));
    EXPECT_EQ(glrec::count("glEnable") + glrec::count("glDisable"), 0u);
    EXPECT_TRUE(glrec::beginEndBalanced());

    prims = glrec::primitivesOf([&] { c.openGL(3); });
    ASSERT_EQ(prims.size(), 5u);
    expectPolyline(prims, c, 3, 0.2, 0.5, 0.0, 2.0, false);
    expectLegs(prims[3], prims[4], c);
    // The inner samples are at 1/3 and 2/3, not at 0 (no integer division).
    EXPECT_TRUE(vertexAt(prims[1].vertices[0], c.point(1.0 / 3)));
    EXPECT_GT(prims[1].vertices[0][1], 0.1);
}

TEST(RQBC3dDrawing, ColouredOpenGLSwitchesLightingOffThenOn) {
    RQBC3d c = quarterCircle();
    c.setP0(Point(1, 0, 0, 1, 0, 0));
    auto prims = glrec::primitivesOf([&] { c.openGL(4, 0.1f, 0.7f, 0.9f, 5.0f); });
    ASSERT_EQ(prims.size(), 6u);
    expectPolyline(prims, c, 4, 0.1, 0.7, 0.9, 5.0, false);
    expectLegs(prims[4], prims[5], c);
    EXPECT_TRUE(colourIs(prims[4], 0, 0.5, 0.5, 1.0));
    EXPECT_FALSE(prims[5].lighting);
    const auto& calls = glrec::calls();
    EXPECT_TRUE(lightingCall(calls.front(), "glDisable"));
    EXPECT_TRUE(lightingCall(calls.back(), "glEnable"));
    EXPECT_TRUE(glrec::lightingEnabled());
}

TEST(RQBC3dDrawing, OpenGL1DrawsTheCurveAlone) {
    RQBC3d c;
    auto prims = glrec::primitivesOf([&] { c.openGL1(); });
    ASSERT_EQ(prims.size(), 10u);
    expectPolyline(prims, c, 10, 0.2, 0.5, 0.0, 2.0, false);
    EXPECT_TRUE(glrec::lightingEnabled());

    prims = glrec::primitivesOf([&] { c.openGL1(7); });
    ASSERT_EQ(prims.size(), 7u);
    expectPolyline(prims, c, 7, 0.2, 0.5, 0.0, 2.0, false);
    EXPECT_TRUE(lightingCall(glrec::calls().front(), "glDisable"));
    EXPECT_TRUE(lightingCall(glrec::calls().back(), "glEnable"));

    prims = glrec::primitivesOf([&] { c.openGL1(2, 1.0f, 0.0f, 0.0f, 3.0f); });
    ASSERT_EQ(prims.size(), 2u);
    expectPolyline(prims, c, 2, 1, 0, 0, 3, false);
    // The curve's ends, joined by consecutive segments.
    EXPECT_TRUE(vertexAt(prims[0].vertices[0], Point(1, 0, 0)));
    EXPECT_EQ(prims[0].vertices[1], prims[1].vertices[0]);
    EXPECT_TRUE(vertexAt(prims[1].vertices[1], Point(0, 1, 0)));
}

TEST(RQBC3dDrawing, NoSegmentsForZeroOrNegativeCounts) {
    RQBC3d c;
    glrec::reset();
    glDisable(GL_LIGHTING);
    glrec::reset();
    c.openGL1(0, 1, 0, 0, 3);
    ASSERT_EQ(glrec::calls().size(), 2u);
    EXPECT_TRUE(lightingCall(glrec::calls()[0], "glDisable"));
    EXPECT_TRUE(lightingCall(glrec::calls()[1], "glEnable"));

    auto prims = glrec::primitivesOf([&] { c.openGL(0); });
    ASSERT_EQ(prims.size(), 2u);
    expectLegs(prims[0], prims[1], c);

    glrec::reset();
    c.openGL1(-3);
    EXPECT_EQ(glrec::countBegin(GL_LINES), 0u);
    EXPECT_TRUE(glrec::lightingEnabled());
}
