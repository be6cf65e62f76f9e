#include "conversion/RBBPd.h"
#include "noyau/Constantes.h"
#include "scene/Exemples.h"
#include "surfaces/Cyclide.h"

#include "RecordingGL.h"
#include "Tolerance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

using namespace cyclide;

namespace {

// The cyclide's four parameters, to the last bit.
void expectParametres(const Cyclide& C, double a, double b, double c, double mu) {
    EXPECT_EQ(C.getA(), a);
    EXPECT_EQ(C.getB(), b);
    EXPECT_EQ(C.getC(), c);
    EXPECT_EQ(C.getMU(), mu);
}

// Cyclides with random parameters (a > |c|) and random angle ranges.
std::vector<Cyclide> randomCyclides(unsigned seed, int count) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> A(0.5, 10), frac(-0.95, 0.95), M(-8, 8), ang(-4, 4);
    std::vector<Cyclide> out;
    for (int n = 0; n < count; ++n) {
        double a = A(gen), c = frac(gen) * a, mu = M(gen);
        double u0 = ang(gen), v0 = ang(gen);
        out.emplace_back(u0, u0 + 1 + std::fabs(ang(gen)), v0, v0 + 1 + std::fabs(ang(gen)), a, c,
                         mu);
    }
    return out;
}

// F = (x^2 + y^2 + z^2 + b^2 - mu^2)^2 - 4 (a x - c mu)^2 - 4 b^2 y^2 and the
// size of its terms, for a relative test.
struct Implicite {
    double F, taille;
};
Implicite implicite(const Cyclide& C, double x, double y, double z) {
    double a = C.getA(), b = C.getB(), c = C.getC(), mu = C.getMU();
    double r2 = x * x + y * y + z * z;
    double s = r2 + b * b - mu * mu;
    double t1 = s * s, t2 = 4 * (a * x - c * mu) * (a * x - c * mu), t3 = 4 * b * b * y * y;
    double taille =
        (r2 + b * b + mu * mu) * (r2 + b * b + mu * mu) +
        4 * (std::fabs(a * x) + std::fabs(c * mu)) * (std::fabs(a * x) + std::fabs(c * mu)) + t3;
    return {t1 - t2 - t3, taille};
}

} // namespace

TEST(CyclideConstruction, ParametersAndKnownPoints) {
    Cyclide C(0, DEUX_PI, 0, DEUX_PI, 5, 3, 4);
    expectParametres(C, 5.0, 4.0, 3.0, 4.0);
    EXPECT_EQ(C.getUMAX(), 80);
    EXPECT_EQ(C.getVMAX(), 80);
    EXPECT_EQ(C.getUmax(), DEUX_PI);
    EXPECT_EQ(C.getVmin(), 0.0);
    EXPECT_EQ(C.getNom(), "Surface.off");
    EXPECT_EQ(C.deno(0, 0), 2.0);
    EXPECT_TRUE(tol::near3(C.fx(0, 0), C.fy(0, 0), C.fz(0, 0), 4, 0, 0, 1e-15));
    EXPECT_TRUE(tol::near(C.deno(20, 0), 5, 1e-15));
    EXPECT_TRUE(tol::near3(C.fx(20, 0), C.fy(20, 0), C.fz(20, 0), 2.4, 0.8, 0, 1e-14));
    // psi = pi/2: D = a, z = b (c cos(theta) - mu) / a.
    EXPECT_TRUE(tol::near(C.fz(0, 20), 4 * (3 - 4) / 5.0, 1e-14));
    // |c| > |a| has no real b.
    EXPECT_TRUE(std::isnan(Cyclide(0, 1, 0, 1, 1, 2, 0).getB()));
}

TEST(CyclideConstruction, DefaultIsARingTorus) {
    Cyclide T;
    expectParametres(T, 2.0, 2.0, 0.0, 1.0);
    for (double u : {0.0, 13.0, 50.0})
        for (double v : {0.0, 27.0, 71.0}) {
            double x = T.fx(u, v), y = T.fy(u, v), z = T.fz(u, v);
            double rho = std::sqrt(x * x + y * y) - 2;
            EXPECT_TRUE(tol::near(rho * rho + z * z, 1, 1e-14));
        }
}

TEST(CyclideGeometry, PointsSatisfyTheImplicitEquation) {
    std::mt19937 gen(21);
    std::uniform_real_distribution<double> idx(0, 80);
    for (Cyclide& C : randomCyclides(1, 200)) {
        for (int k = 0; k < 20; ++k) {
            double u = idx(gen), v = idx(gen);
            Implicite I = implicite(C, C.fx(u, v), C.fy(u, v), C.fz(u, v));
            ASSERT_TRUE(tol::near(I.F / I.taille, 0, 1e-12))
                << "a " << C.getA() << " c " << C.getC() << " mu " << C.getMU();
        }
    }
}

TEST(CyclideGeometry, DerivativesAgreeWithCentralDifferences) {
    std::mt19937 gen(4);
    std::uniform_real_distribution<double> idx(1, 79);
    const double h = 1e-4;
    for (Cyclide& C : randomCyclides(2, 100)) {
        for (int k = 0; k < 5; ++k) {
            double u = idx(gen), v = idx(gen);
            // Scale of the point and its derivatives over the grid step.
            double scale =
                1 + std::fabs(C.fx(u, v)) + std::fabs(C.fy(u, v)) + std::fabs(C.fz(u, v));
            auto du = [&](double (Cyclide::*f)(double, double)) {
                return ((C.*f)(u + h, v) - (C.*f)(u - h, v)) / (2 * h);
            };
            auto dv = [&](double (Cyclide::*f)(double, double)) {
                return ((C.*f)(u, v + h) - (C.*f)(u, v - h)) / (2 * h);
            };
            const double t = 1e-6 * scale;
            ASSERT_TRUE(tol::near(C.dxdu(u, v), du(&Cyclide::fx), t, 1e-6, "dxdu"));
            ASSERT_TRUE(tol::near(C.dydu(u, v), du(&Cyclide::fy), t, 1e-6, "dydu"));
            ASSERT_TRUE(tol::near(C.dzdu(u, v), du(&Cyclide::fz), t, 1e-6, "dzdu"));
            ASSERT_TRUE(tol::near(C.dxdv(u, v), dv(&Cyclide::fx), t, 1e-6, "dxdv"));
            ASSERT_TRUE(tol::near(C.dydv(u, v), dv(&Cyclide::fy), t, 1e-6, "dydv"));
            ASSERT_TRUE(tol::near(C.dzdv(u, v), dv(&Cyclide::fz), t, 1e-6, "dzdv"));
        }
    }
}

TEST(CyclideGeometry, GradientIsTheImplicitGradientNormalToTheSurface) {
    std::mt19937 gen(8);
    std::uniform_real_distribution<double> idx(1, 79);
    for (Cyclide& C : randomCyclides(3, 100)) {
        double u = idx(gen), v = idx(gen);
        double gx = C.gradx(u, v), gy = C.grady(u, v), gz = C.gradz(u, v);
        double x = C.getx(), y = C.gety(), z = C.getz();
        // The gradient evaluates and keeps the point.
        ASSERT_EQ(x, C.fx(u, v));
        ASSERT_EQ(y, C.fy(u, v));
        ASSERT_EQ(z, C.fz(u, v));
        // Central differences of F in space.
        const double h = 1e-5 * (1 + std::fabs(x) + std::fabs(y) + std::fabs(z));
        auto F = [&](double px, double py, double pz) { return implicite(C, px, py, pz).F; };
        double fx = (F(x + h, y, z) - F(x - h, y, z)) / (2 * h);
        double fy = (F(x, y + h, z) - F(x, y - h, z)) / (2 * h);
        double fz = (F(x, y, z + h) - F(x, y, z - h)) / (2 * h);
        double g = std::sqrt(gx * gx + gy * gy + gz * gz);
        double scale =
            implicite(C, x, y, z).taille / (1 + std::fabs(x) + std::fabs(y) + std::fabs(z));
        ASSERT_TRUE(tol::near(gx, fx, 1e-6 * scale, 0, "gradx"));
        ASSERT_TRUE(tol::near(gy, fy, 1e-6 * scale, 0, "grady"));
        ASSERT_TRUE(tol::near(gz, fz, 1e-6 * scale, 0, "gradz"));
        // Orthogonal to both tangents.
        double tu = std::sqrt(C.dxdu(u, v) * C.dxdu(u, v) + C.dydu(u, v) * C.dydu(u, v) +
                              C.dzdu(u, v) * C.dzdu(u, v));
        double tv = std::sqrt(C.dxdv(u, v) * C.dxdv(u, v) + C.dydv(u, v) * C.dydv(u, v) +
                              C.dzdv(u, v) * C.dzdv(u, v));
        double pu = gx * C.dxdu(u, v) + gy * C.dydu(u, v) + gz * C.dzdu(u, v);
        double pv = gx * C.dxdv(u, v) + gy * C.dydv(u, v) + gz * C.dzdv(u, v);
        ASSERT_TRUE(tol::near(pu / (g * tu), 0, 1e-9));
        ASSERT_TRUE(tol::near(pv / (g * tv), 0, 1e-9));
        // The opposite gradient.
        ASSERT_EQ(C.grad1x(u, v), -gx);
        ASSERT_EQ(C.grad1y(u, v), -gy);
        ASSERT_EQ(C.grad1z(u, v), -gz);
    }
}

TEST(CyclideColours, TwoArgumentSlots) {
    Cyclide C(0, 1, 0, 1, 5, 3, 4);
    surface_para& s = C;
    s.fR(0, 0);
    s.fG(0, 0);
    s.fB(0, 0);
    EXPECT_TRUE(tol::near3(s.getR(), s.getG(), s.getB(), 0.9, 0.6, 0.5, 1e-15));
    EXPECT_TRUE(tol::near3(s.getRd(), s.getGd(), s.getBd(), 0.625, 0.5, 0, 1e-15));
    EXPECT_TRUE(tol::near3(s.getRs(), s.getGs(), s.getBs(), 0, 0.81, 0.6, 1e-15));
    s.fR(40, 40); // cos(3 pi), cos(pi/2)
    s.fG(10, 20); // sin(pi/2), sin(pi/2)
    s.fB(20, 40); // sin(pi/2), sin(pi/2)
    EXPECT_TRUE(tol::near3(s.getR(), s.getG(), s.getB(), 0.1, 0.9, 0.9, 1e-15));
    EXPECT_TRUE(tol::near3(s.getRd(), s.getGd(), s.getBd(), 0.5, 0.6, 0, 1e-15));
    EXPECT_TRUE(tol::near(s.getBs(), 1.0, 1e-15));
}

TEST(CyclideColours, ThreeArgumentSlots) {
    Cyclide C(0, 1, 0, 1, 5, 3, 4);
    surface_para& s = C;
    s.fR(3, 20, 1.0);  // cos(pi/2)
    s.fG(20, 5, 1.0);  // sin(pi/2)
    s.fB(40, 20, 1.0); // sin(pi/4), cos(pi)
    EXPECT_TRUE(
        tol::near3(s.getR(), s.getG(), s.getB(), 0.5, 0.3, 0.5 - 0.4 * std::sqrt(0.5), 1e-15));
    EXPECT_TRUE(
        tol::near3(s.getRd(), s.getGd(), s.getBd(), 0.125 * std::cos(PI / 4) + 0.5, 0.4, 0, 1e-15));
    EXPECT_TRUE(tol::near3(s.getRs(), s.getGs(), s.getBs(), 0.8, 0.1, 1.0, 1e-15));
    s.fR(0, 10, 2.0); // cos(pi/2)
    EXPECT_TRUE(tol::near(s.getR(), 0.5, 1e-15));
}

TEST(CyclideTessellation, WholeCyclide) {
    Cyclide C(0, DEUX_PI, 0, DEUX_PI, 5, 3, 4);
    glrec::reset();
    C.openGL();
    EXPECT_EQ(glrec::countBegin(GL_QUADS), 6400u);
    EXPECT_EQ(glrec::count("glVertex3d"), 25600u);
    EXPECT_TRUE(glrec::beginEndBalanced());
    EXPECT_EQ(glrec::calls().back().name, "glFlush");

    // Materials of the first vertex, grid index (0, 0), on both faces.
    auto mats = glrec::callsNamed("glMaterialfv");
    ASSERT_GE(mats.size(), 3u);
    const double expected[3][4] = {
        {0.9, 0.6, 0.5, 0.5}, {0.625, 0.2, 0, 0.5}, {0.8, 0.1, 0.2, 0.5}};
    const GLenum pnames[3] = {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(mats[k].args[0], GL_FRONT_AND_BACK);
        EXPECT_EQ(mats[k].args[1], pnames[k]);
        for (int j = 0; j < 4; ++j)
            EXPECT_TRUE(tol::near(mats[k].args[2 + j], expected[k][j], 1e-7));
    }

    // First vertex: the point (4, 0, 0); the tube's cross-section there spans
    // x in [4, 6], and the normal (-1, 0, 0) points out of the tube.
    auto verts = glrec::callsNamed("glVertex3d");
    EXPECT_TRUE(tol::near3(verts[0].args[0], verts[0].args[1], verts[0].args[2], 4, 0, 0, 1e-15));
    auto normals = glrec::callsNamed("glNormal3d");
    ASSERT_EQ(normals.size(), 25600u);
    EXPECT_TRUE(
        tol::near3(normals[0].args[0], normals[0].args[1], normals[0].args[2], -1, 0, 0, 1e-15));
    // Every normal is a unit vector.
    double worst = 0;
    for (const auto& n : normals) {
        double len =
            std::sqrt(n.args[0] * n.args[0] + n.args[1] * n.args[1] + n.args[2] * n.args[2]);
        worst = std::max(worst, std::fabs(len - 1));
    }
    EXPECT_LT(worst, 1e-14);
}

TEST(CyclideTessellation, PatchNormalsAreUnitAndNormal) {
    for (Cyclide& C : randomCyclides(9, 3)) {
        C.putUMAX(6);
        C.putVMAX(5);
        glrec::reset();
        C.openGL();
        ASSERT_EQ(glrec::countBegin(GL_QUADS), 30u);
        auto normals = glrec::callsNamed("glNormal3d");
        // The first quad's corners are (0,0), (1,0), (1,1), (0,1).
        const double cu[4] = {0, 1, 1, 0}, cv[4] = {0, 0, 1, 1};
        for (int k = 0; k < 4; ++k) {
            const auto& n = normals[k].args;
            ASSERT_TRUE(tol::near(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1, 1e-14));
            double u = cu[k], v = cv[k];
            double pu = n[0] * C.dxdu(u, v) + n[1] * C.dydu(u, v) + n[2] * C.dzdu(u, v);
            double tu = std::sqrt(C.dxdu(u, v) * C.dxdu(u, v) + C.dydu(u, v) * C.dydu(u, v) +
                                  C.dzdu(u, v) * C.dzdu(u, v));
            ASSERT_TRUE(tol::near(pu / tu, 0, 1e-9));
        }
    }
}

TEST(CyclideOperations, TransAndThetaOy) {
    Cyclide C;
    vect t = C.Trans(Point(1, 2, 3), Point(4, 6, 3));
    EXPECT_TRUE(tol::near3(t.abs(), t.ord(), t.cote(), 3, 4, 0, 0));
    EXPECT_TRUE(tol::near(C.ThetaOy(Point(0, 0, 0), Point(1, 0, -1)), -45, 1e-12));
    EXPECT_TRUE(tol::near(C.ThetaOy(Point(0, 0, 0), Point(1, 0, 1)), 45, 1e-12));
    EXPECT_TRUE(tol::near(C.ThetaOy(Point(1, 1, 1), Point(1, 5, 1)), 90, 1e-12));
    EXPECT_TRUE(tol::near(C.ThetaOy(Point(2, 0, 0), Point(-1, 0, 0)), 180, 1e-12));
    EXPECT_TRUE(tol::near(C.ThetaOy(Point(0, 0, 0), Point(0, 0, -2)), -90, 1e-12));
}

TEST(CyclideOperations, CylinderAndPlaneSymmetric) {
    Cyclide C(0, 1, 0.1, 0.2, 9, 1, 1);
    EXPECT_EQ(C.CircularCylinderPlan(1, 0, 2, 1), 0.0);
    EXPECT_TRUE(tol::near(C.getA(), 1, 1e-15));
    EXPECT_TRUE(tol::near(C.getC(), 0, 1e-15));
    EXPECT_TRUE(tol::near(C.getMU(), 2, 1e-15));
    EXPECT_TRUE(tol::near(C.getB(), 1, 1e-15));
    EXPECT_EQ(C.getVmin(), 1.570796327);
    EXPECT_EQ(C.getVmax(), 3.141592654);
    EXPECT_EQ(C.getUmax(), 1.0); // the u range is kept

    // epsi = -1: A1 and A2 outside the segment C1 C2.
    EXPECT_TRUE(tol::near(C.CircularCylinderPlan(1, 0, 2, -1), 0, 1e-15));
    EXPECT_TRUE(tol::near(C.getA(), 3, 1e-15));
    EXPECT_TRUE(tol::near(C.getMU(), 2, 1e-15));
    EXPECT_EQ(C.getVmin(), 0.0);
    EXPECT_EQ(C.getVmax(), 1.570796327);
}

TEST(CyclideOperations, CylinderAndSlantedPlane) {
    // Cylinder of radius 1, plane z = x + 5: the tangent circles have centres
    // (3 + 4 sqrt 2, 0, 0) and (7 - 6 sqrt 2, 0, 0), radii 4 + 4 sqrt 2 and
    // 6 sqrt 2 - 6.
    const double r2 = std::sqrt(2.0);
    Cyclide C;
    EXPECT_TRUE(tol::near(C.CircularCylinderPlan(1, 1, 5, 1), 5 - r2, 1e-13));
    EXPECT_TRUE(tol::near(C.getA(), 5 * r2 - 2, 1e-13));
    EXPECT_TRUE(tol::near(C.getC(), 5 - r2, 1e-13));
    EXPECT_TRUE(tol::near(C.getMU(), 5 * r2 - 1, 1e-13));
    EXPECT_TRUE(tol::near(C.getB() * C.getB(), C.getA() * C.getA() - C.getC() * C.getC(), 1e-12));
    EXPECT_EQ(C.getVmin(), 0.0);
    EXPECT_EQ(C.getVmax(), 1.570796327);
}

TEST(CyclideOperations, NeutralEntryPointsLeaveTheCyclideAlone) {
    Cyclide C(0.5, 1.5, 0.25, 2, 5, 3, 4);
    deplacement neutre;
    Point B(1, 2, 3);
    vect v(0, 1, 0);
    deplacement d[3] = {C.RingPoteauRevolutionSurfacePlan(B, v, B, v, 1, 2),
                        C.RingRevolutionSurfacePlan(B, v, B, v, 1, 2, 1),
                        C.CylindreSphereMongolfiere(B, B, v, B, 3)};
    for (const deplacement& x : d) {
        EXPECT_EQ(x.getAngle(), neutre.getAngle());
        EXPECT_EQ(x.getSymX(), neutre.getSymX());
        EXPECT_EQ(x.getV().abs(), neutre.getV().abs());
        EXPECT_EQ(x.getO1().getX0(), neutre.getO1().getX0());
        EXPECT_EQ(x.getO2().getZ0(), neutre.getO2().getZ0());
    }
    C.RBBPToCD4(RBBP());
    expectParametres(C, 5.0, 4.0, 3.0, 4.0);
    EXPECT_EQ(C.getUmin(), 0.5);
    EXPECT_EQ(C.getVmax(), 2.0);
}

// --- The tessellation's call stream against a per-vertex evaluation ----------

namespace {

// Bit-for-bit equality of two numbers (a non-number equals the same
// non-number).
bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof(double)) == 0;
}

// A float widened to double as the recording GL stores it. GCC 12 at -O3
// (SLP vectoriser) folds the double -> float -> double round trip of four
// packed floats into the original doubles; reading the float back from a
// volatile keeps the rounding that glMaterialfv's float arguments have.
double asRecorded(float value) {
    volatile float stored = value;
    return stored;
}

// The material calls of one property for the face rule of a choice.
void expectMaterial(std::vector<glrec::Call>& out, GLenum pname, int choice, const float* colour) {
    const float black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    auto call = [&](GLenum face, const float* c) {
        out.push_back({"glMaterialfv",
                       {double(face), double(pname), asRecorded(c[0]), asRecorded(c[1]),
                        asRecorded(c[2]), asRecorded(c[3])}});
    };
    if (choice == 2) {
        call(GL_FRONT, colour);
        call(GL_BACK, black);
    } else if (choice == 3) {
        call(GL_BACK, colour);
        call(GL_FRONT, black);
    } else {
        call(GL_FRONT_AND_BACK, colour);
    }
}

// The stream openGL(choixR, choixG, choixB, amb, dif, spe) must give,
// written corner by corner: every colour, normal and point evaluated at the
// corner through the surface's virtual functions.
std::vector<glrec::Call> perVertexStream(surface_para& s, int choixR, int choixG, int choixB,
                                         int amb, int dif, int spe) {
    std::vector<glrec::Call> out;
    const int di[4] = {0, 1, 1, 0}, dj[4] = {0, 0, 1, 1};
    for (int i = 0; i < s.getUMAX(); ++i) {
        for (int j = 0; j < s.getVMAX(); ++j) {
            out.push_back({"glBegin", {double(GL_QUADS)}});
            for (int k = 0; k < 4; ++k) {
                const double u = i + di[k], v = j + dj[k];
                s.fR(u, v, double(choixR));
                s.fG(u, v, double(choixG));
                s.fB(u, v, double(choixB));
                const float ambient[4] = {float(s.getR()), float(s.getG()), float(s.getB()), 0.5f};
                const float diffuse[4] = {float(s.getRd()), float(s.getGd()), float(s.getBd()),
                                          0.5f};
                const float specular[4] = {float(s.getRs()), float(s.getGs()), float(s.getBs()),
                                           0.5f};
                expectMaterial(out, GL_AMBIENT, amb, ambient);
                expectMaterial(out, GL_DIFFUSE, dif, diffuse);
                expectMaterial(out, GL_SPECULAR, spe, specular);
                out.push_back({"glNormal3d", {s.normalx(u, v), s.normaly(u, v), s.normalz(u, v)}});
                out.push_back({"glVertex3d", {s.fx(u, v), s.fy(u, v), s.fz(u, v)}});
            }
            out.push_back({"glEnd", {}});
        }
    }
    out.push_back({"glFlush", {}});
    return out;
}

// Compares the recorded stream with the expected one, call by call and
// number by number, bit for bit.
::testing::AssertionResult sameStream(const std::vector<glrec::Call>& expected) {
    const auto& got = glrec::calls();
    if (got.size() != expected.size())
        return ::testing::AssertionFailure()
               << got.size() << " calls recorded, " << expected.size() << " expected";
    for (std::size_t n = 0; n < got.size(); ++n) {
        if (got[n].name != expected[n].name || got[n].args.size() != expected[n].args.size())
            return ::testing::AssertionFailure()
                   << "call " << n << ": " << got[n].name << " instead of " << expected[n].name;
        for (std::size_t k = 0; k < got[n].args.size(); ++k)
            if (!sameBits(got[n].args[k], expected[n].args[k]))
                return ::testing::AssertionFailure()
                       << "call " << n << " (" << got[n].name << ") argument " << k << ": "
                       << got[n].args[k] << " instead of " << expected[n].args[k];
    }
    return ::testing::AssertionSuccess();
}

// The cyclide's state that the tessellation leaves behind: the last point
// evaluated and the nine colour channels.
std::vector<double> leftState(const Cyclide& C) {
    return {C.getx(),  C.gety(),  C.getz(),  C.getR(),  C.getG(),  C.getB(),
            C.getRd(), C.getGd(), C.getBd(), C.getRs(), C.getGs(), C.getBs()};
}

// A cyclide whose surface is moved: its tessellation must go through its
// own functions.
class MovedCyclide : public Cyclide {
  public:
    using Cyclide::Cyclide;
    double fx(double u, double v) override { return Cyclide::fx(u, v) + 10; }
    double gradz(double u, double v) override { return Cyclide::gradz(u, v) + 1; }
};

} // namespace

TEST(CyclideTessellationStream, WholeGridEqualsThePerVertexEvaluation) {
    // The ring torus of the start-up scene's kind, a spindle-like cyclide,
    // a piece over decreasing angles, and the random pieces.
    std::vector<Cyclide> cyclides = {Cyclide(0, DEUX_PI, 0, DEUX_PI, 5, 3, 4),
                                     Cyclide(0, DEUX_PI, 0, DEUX_PI, 2, 1.5, 3.5),
                                     Cyclide(1.2, -2.5, 0.3, 2.9, 6, -2, 1)};
    for (Cyclide& C : randomCyclides(21, 4))
        cyclides.push_back(C);
    for (Cyclide& C : cyclides) {
        Cyclide reference = C;
        glrec::reset();
        C.openGL();
        ASSERT_TRUE(sameStream(perVertexStream(reference, 1, 1, 1, 1, 1, 1)));
        // The state left behind: the point of the last grid index sampled
        // (all samples come before the first quad) and the colour of the
        // last corner drawn.
        std::vector<double> expected = leftState(reference);
        const double last = reference.getUMAX(), lastV = reference.getVMAX();
        expected[0] = reference.fx(last, lastV);
        expected[1] = reference.fy(last, lastV);
        expected[2] = reference.fz(last, lastV);
        const std::vector<double> left = leftState(C);
        for (std::size_t k = 0; k < left.size(); ++k)
            EXPECT_TRUE(sameBits(left[k], expected[k])) << "field " << k;
    }
}

TEST(CyclideTessellationStream, ChoicesAndFaceRulesEqualThePerVertexEvaluation) {
    Cyclide C(-1, 2, 0.5, 4, 3, 1, -2);
    C.putUMAX(17);
    C.putVMAX(11);
    const int choices[3][6] = {{2, 3, 1, 2, 3, 1}, {3, 1, 2, 3, 2, 2}, {0, -1, 5, 1, 1, 3}};
    for (const auto& ch : choices) {
        Cyclide reference = C;
        glrec::reset();
        C.openGL(ch[0], ch[1], ch[2], ch[3], ch[4], ch[5]);
        ASSERT_TRUE(
            sameStream(perVertexStream(reference, ch[0], ch[1], ch[2], ch[3], ch[4], ch[5])));
    }
}

TEST(CyclideTessellationStream, NonFiniteSamplesAreTheSameNonFiniteNumbers) {
    // a = c: the denominator vanishes at theta = psi = 0 (infinite and
    // non-number points); |c| > |a|: b is not a number everywhere.
    Cyclide touching(0, DEUX_PI, 0, DEUX_PI, 2, 2, 1);
    Cyclide notANumber(0, DEUX_PI, 0, DEUX_PI, 1, 2, 0.5);
    for (Cyclide* C : {&touching, &notANumber}) {
        C->putUMAX(8);
        C->putVMAX(6);
        Cyclide reference = *C;
        glrec::reset();
        C->openGL();
        ASSERT_TRUE(sameStream(perVertexStream(reference, 1, 1, 1, 1, 1, 1)));
    }
    glrec::reset();
    touching.openGL();
    bool nonFinite = false;
    for (const auto& c : glrec::calls())
        if (c.name == "glVertex3d")
            nonFinite = nonFinite || !std::isfinite(c.args[0]);
    EXPECT_TRUE(nonFinite);
}

TEST(CyclideTessellationStream, DerivedCyclideIsDrawnThroughItsOwnFunctions) {
    MovedCyclide C(0, DEUX_PI, 0, DEUX_PI, 5, 3, 4);
    C.putUMAX(9);
    C.putVMAX(7);
    MovedCyclide reference = C;
    glrec::reset();
    C.openGL();
    ASSERT_TRUE(sameStream(perVertexStream(reference, 1, 1, 1, 1, 1, 1)));
    // The moved surface: the first vertex is the cyclide's (4, 0, 0) moved
    // by 10 along x.
    EXPECT_TRUE(tol::near(glrec::callsNamed("glVertex3d")[0].args[0], 14, 1e-14));
}

TEST(CyclideTessellationStream, DegenerateGridsDrawNothingAndLeaveTheColoursAlone) {
    Cyclide C(0, DEUX_PI, 0, DEUX_PI, 5, 3, 4);
    C.fR(1, 1);
    C.putUMAX(0);
    const double before = C.getR();
    glrec::reset();
    C.openGL();
    EXPECT_EQ(glrec::count("glBegin"), 0u);
    EXPECT_EQ(glrec::calls().size(), 1u);
    EXPECT_EQ(C.getR(), before);
}

// --- The scene's lists compiled one by one -------------------------------------

namespace {

// The calls of one drawing, recorded alone.
template <typename Dessin> std::vector<glrec::Call> streamOf(Dessin dessin) {
    glrec::reset();
    dessin();
    return glrec::calls();
}

// The streams of lists 1..7 of a scene compiled together, as the full
// rebuild does: one copy converted by the drawing conversion (list 7), then
// the whole cyclide (6), the copy moved and drawn (3), its border (4) and
// its net (5).
std::vector<std::vector<glrec::Call>> sceneTogether(const RBBPd& bez, int type, int plan) {
    std::vector<std::vector<glrec::Call>> s(8);
    RBBPd bez1 = bez;
    s[1] = streamOf([&] { bez.openGL(30, 30); });
    s[2] = streamOf([&] { bez.openGLBord(30, 30); });
    s[7] = streamOf([&] { bez1.conversion(type, plan); });
    s[6] = streamOf(
        [&] { Cyclide(0, DEUX_PI, 0, DEUX_PI, bez1.getA(), bez1.getC(), bez1.getMu()).openGL(); });
    s[3] = streamOf([&] { bez1.openGLChangementBase(30, 30); });
    s[4] = streamOf([&] { bez1.openGLBord(30, 30); });
    s[5] = streamOf([&] { bez1.openGLPolyedre(); });
    return s;
}

// The stream of list liste compiled alone, as the view does for a list
// that is shown: a fresh copy converted without drawing for lists 6, 3, 4
// and 5, moved into the cyclide's frame for lists 4 and 5.
std::vector<glrec::Call> listAlone(int liste, const RBBPd& bez, int type, int plan) {
    RBBPd bez1 = bez;
    if (liste == 1)
        return streamOf([&] { bez.openGL(30, 30); });
    if (liste == 2)
        return streamOf([&] { bez.openGLBord(30, 30); });
    if (liste == 7)
        return streamOf([&] { bez1.conversion(type, plan); });
    MorceauCyclide morceau;
    bez1.calculConversion(type, plan, morceau);
    if (liste == 6)
        return streamOf([&] {
            Cyclide(0, DEUX_PI, 0, DEUX_PI, bez1.getA(), bez1.getC(), bez1.getMu()).openGL();
        });
    if (liste == 3)
        return streamOf([&] { bez1.openGLChangementBase(30, 30); });
    bez1.changementBase();
    if (liste == 4)
        return streamOf([&] { bez1.openGLBord(30, 30); });
    return streamOf([&] { bez1.openGLPolyedre(); });
}

// The numbers of a converted record: a, c, mu, the centre, the frame, the
// control points and the weights.
std::vector<double> recordNumbers(const RBBPd& r) {
    std::vector<double> n{r.a, r.c, r.mu, r.omega.getX0(), r.omega.getY0(), r.omega.getZ0()};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            n.insert(n.end(), {r.Base[i][j], r.P[i][j].getX0(), r.P[i][j].getY0(),
                               r.P[i][j].getZ0(), r.w[i][j]});
    return n;
}

} // namespace

TEST(CyclideSceneLists, EachListAloneRecordsTheCallsOfTheWholeRebuild) {
    // The three examples, the start-up patch, and patches around it (general
    // cyclides, and some that are not convertible), for both planes.
    std::vector<std::pair<RBBPd, int>> scenes;
    for (int numero = 1; numero <= 3; ++numero) {
        RBBPd bez;
        const int type = chargerExemple(numero, bez);
        ASSERT_GE(type, 0);
        scenes.emplace_back(bez, type);
    }
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> pas(-0.6, 0.6);
    for (int n = 0; n < 8; ++n) {
        const double d = n == 0 ? 0 : 1;
        RBBPd bez;
        const int type = bez.convertToCD4(d * pas(gen), 1.5707963267948966 + d * pas(gen),
                                          -1.0471975511965976 + d * pas(gen),
                                          3.141592653589793 + d * pas(gen), 4 + d * pas(gen),
                                          8 + 4 * d * pas(gen), n == 7 ? 0 : -7.982 + d * pas(gen));
        scenes.emplace_back(bez, type);
    }
    int types[3] = {0, 0, 0};
    for (const auto& [bez, type] : scenes) {
        ++types[type];
        for (int plan = 0; plan <= 1; ++plan) {
            // The record converted and moved without drawing is the drawn
            // one, number for number, and so is the cyclide type.
            RBBPd drawn = bez, computed = bez;
            glrec::reset();
            const int drawnType = codeGenre(drawn.conversion(type, plan));
            drawn.openGLChangementBase(30, 30);
            MorceauCyclide morceau;
            EXPECT_EQ(codeGenre(computed.calculConversion(type, plan, morceau)), drawnType);
            computed.changementBase();
            const std::vector<double> a = recordNumbers(drawn), b = recordNumbers(computed);
            for (std::size_t k = 0; k < a.size(); ++k)
                EXPECT_TRUE(sameBits(a[k], b[k])) << "number " << k << " plane " << plan;

            const auto together = sceneTogether(bez, type, plan);
            for (int liste = 1; liste <= 7; ++liste)
                EXPECT_TRUE(glrec::sameCalls(listAlone(liste, bez, type, plan), together[liste]))
                    << "list " << liste << " type " << type << " plane " << plan;
        }
    }
    // Every conversion type was met: the torus of example 1, general
    // cyclides, and a patch that cannot be converted.
    EXPECT_GT(types[0], 0);
    EXPECT_GT(types[1], 0);
    EXPECT_GT(types[2], 0);
}
