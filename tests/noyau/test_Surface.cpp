#include "noyau/Surface.h"

#include "noyau/Constantes.h"

#include "RecordingGL.h"
#include "Tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A unit sphere over the grid: a gradient that varies from vertex to vertex,
// so that normals can be told apart.
class Sphere : public surface_para {
  public:
    Sphere() {
        putUMAX(4);
        putVMAX(3);
    }
    double theta(double u) { return f_aff(0, UMAX, 0, DEUX_PI, u); }
    double phi(double v) { return f_aff(0, VMAX, 0.3, 2.8, v); }
    double fx(double u, double v) override { return std::cos(theta(u)) * std::sin(phi(v)); }
    double fy(double u, double v) override { return std::sin(theta(u)) * std::sin(phi(v)); }
    double fz(double, double v) override { return std::cos(phi(v)); }
    double gradx(double u, double v) override { return 3 * fx(u, v); }
    double grady(double u, double v) override { return 3 * fy(u, v); }
    double gradz(double u, double v) override { return 3 * fz(u, v); }
};

// Records the arguments its three-argument colour slots receive and writes
// recognisable channels from the corner indices.
class ColourProbe : public surface_para {
  public:
    struct Args {
        double u, v, w;
    };
    std::vector<Args> red, green, blue;
    ColourProbe() {
        putUMAX(2);
        putVMAX(2);
    }
    using surface_para::fB;
    using surface_para::fG;
    using surface_para::fR;
    void fR(double u, double v, double w) override {
        red.push_back({u, v, w});
        R = u / 10;
        Rd = 0.25;
        Rs = 0.5;
    }
    void fG(double u, double v, double w) override {
        green.push_back({u, v, w});
        G = v / 10;
        Gd = 0.125;
        Gs = 0.75;
    }
    void fB(double u, double v, double w) override {
        blue.push_back({u, v, w});
        B = 0.5;
        Bd = 0.375;
        Bs = 0.0625;
    }
};

// The material calls between the first glBegin and the first glNormal3d.
std::vector<glrec::Call> firstVertexMaterials() {
    std::vector<glrec::Call> out;
    bool inside = false;
    for (const auto& c : glrec::calls()) {
        if (c.name == "glBegin")
            inside = true;
        else if (c.name == "glNormal3d")
            break;
        else if (inside && c.name == "glMaterialfv")
            out.push_back(c);
    }
    return out;
}

::testing::AssertionResult isMaterial(const glrec::Call& c, GLenum face, GLenum pname,
                                      std::vector<double> rgba) {
    if (c.name != "glMaterialfv" || c.args.size() != 6)
        return ::testing::AssertionFailure() << "not a material call: " << c.name;
    if (c.args[0] != face || c.args[1] != pname)
        return ::testing::AssertionFailure() << "face/pname " << c.args[0] << "/" << c.args[1]
                                             << " expected " << face << "/" << pname;
    for (int k = 0; k < 4; ++k) {
        auto r = tol::near(c.args[2 + k], rgba[k], 1e-7, 0, "component " + std::to_string(k));
        if (!r)
            return r;
    }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(SurfaceDefaults, FieldsOfTheDefaultSurface) {
    surface_para s;
    EXPECT_EQ(s.getNom(), "Surface.off");
    EXPECT_EQ(s.getUMAX(), 80);
    EXPECT_EQ(s.getVMAX(), 80);
    EXPECT_EQ(s.getUmin(), 0.0);
    EXPECT_EQ(s.getUmax(), DEUX_PI);
    EXPECT_EQ(s.getVmin(), -1.2);
    EXPECT_EQ(s.getVmax(), DEUX_PI);
    EXPECT_EQ(s.getNbre_sommet(), 6561);
    EXPECT_EQ(s.getNbre_face(), 6400);
    EXPECT_EQ(s.getNbre_cote(), 12960);
}

TEST(SurfaceDefaults, CountsAreNotRecomputedAndCopiesCarryEverything) {
    surface_para s;
    s.putUMAX(10);
    s.putV_min(0.5);
    EXPECT_EQ(s.getNbre_face(), 6400);
    surface_para t(s);
    EXPECT_EQ(t.getUMAX(), 10);
    EXPECT_EQ(t.getVmin(), 0.5);
    EXPECT_EQ(t.getNom(), "Surface.off");
    surface_para g(0, 1, 2, 3, 4, 5);
    EXPECT_EQ(g.getUMAX(), 4);
    EXPECT_EQ(g.getVmax(), 3.0);
    EXPECT_EQ(g.getNbre_face(), 20);
    EXPECT_EQ(g.getNbre_sommet(), 30);
}

TEST(SurfaceDefaults, VirtualDefaultsAndNormals) {
    surface_para s;
    EXPECT_TRUE(tol::near(s.fx(PI / 3, 7), 0.5, 1e-15));
    EXPECT_TRUE(tol::near(s.fy(PI / 2, 7), 1.0, 1e-15));
    EXPECT_EQ(s.fz(1, 7), 7.0);
    EXPECT_EQ(s.dzdv(0, 0), 2.0);
    const double k = 1 / std::sqrt(3.0);
    EXPECT_TRUE(tol::near3(s.normalx(3, 4), s.normaly(3, 4), s.normalz(3, 4), k, k, k, 1e-15));
    EXPECT_TRUE(tol::near(s.norme(3, 4, 12), 13, 1e-14));
    EXPECT_TRUE(tol::near(s.distance(0, 1), std::sqrt(2.0), 1e-15));
    EXPECT_TRUE(tol::near3(s.getx(), s.gety(), s.getz(), 1, 0, 1, 1e-15));
}

TEST(SurfaceDefaults, DefaultColourSlotsWriteTheAmbientChannel) {
    surface_para s;
    s.fR(0, 5);
    s.fG(20, 5);
    s.fB(3, 80);
    EXPECT_TRUE(tol::near3(s.getR(), s.getG(), s.getB(), 1, 1, 0.75, 1e-15));
    s.fR(20, 0, 2); // cos(pi/2)
    s.fG(10, 0, 2); // 0.5 sin(pi/2) + 0.5
    s.fB(0, 40, 9);
    EXPECT_TRUE(tol::near3(s.getR(), s.getG(), s.getB(), 0, 1, 0.5, 1e-15));
}

TEST(SurfaceMaps, AffineMapAndItsGuard) {
    surface_para s;
    EXPECT_TRUE(tol::near(s.f_aff(0, 80, 0, DEUX_PI, 40), PI, 1e-15));
    EXPECT_TRUE(tol::near(s.f_aff(3, 3, 0, 1, 3.5), 0.5, 1e-15));
    EXPECT_TRUE(tol::near(s.f_aff(2, 6, -1, 3, 2), -1, 1e-15));
    EXPECT_TRUE(tol::near(s.f_aff(2, 6, -1, 3, 6), 3, 1e-15));
    EXPECT_TRUE(tol::near(s.df_aff(0, 80, -1.2, DEUX_PI), (DEUX_PI + 1.2) / 80, 1e-15));
    EXPECT_EQ(s.df_aff(5, 5, 1, 3), 2.0);
}

TEST(SurfaceMaps, SolversInvertTheGridMaps) {
    surface_para s;
    EXPECT_TRUE(tol::near(s.solU(PI), 40, 1e-13));
    EXPECT_TRUE(tol::near(s.solV(PI / 2), 20, 1e-13));
    EXPECT_TRUE(tol::near(s.solV(1.5, 3), 40, 1e-13));
    for (double X : {-1.1, 0.0, 0.7, 2.5}) {
        double idx = s.solV(X, -1.2, 2.9);
        EXPECT_TRUE(tol::near(s.f_aff(0, 80, -1.2, 2.9, idx), X, 1e-14));
    }
}

TEST(SurfaceColourFamilies, FiveAndNineCoefficientForms) {
    surface_para s;
    s.fR(10, 0, 1, 0.5, 0.25); // cos(pi/4)
    EXPECT_TRUE(
        tol::near3(s.getR(), s.getRd(), s.getRs(), 0.5 + 0.25 * std::sqrt(0.5), 0.2, 0.4, 1e-15));
    EXPECT_EQ(s.fR1(10, 0, 1, 0.5, 0.25), s.getR());
    s.fG(20, 0, 1, 0.1, 0.3);
    EXPECT_TRUE(tol::near3(s.getG(), s.getGd(), s.getGs(), 0.4, 0.49, 0.0841, 1e-15));
    s.fB(0, 40, 1, 0.2, 0.6); // (0.6 * 0.5) cos(pi/2) + 0.2
    EXPECT_TRUE(tol::near3(s.getB(), s.getBd(), s.getBs(), 0.2, 0.6, 0.6, 1e-15));
    EXPECT_TRUE(tol::near(s.fG1(0, 20, 1, 0.1, 0.3), 0.4, 1e-15));
    EXPECT_TRUE(tol::near(s.fB1(0, 80, 1, 0.1, 0.3), -0.2, 1e-15));

    s.fR(20, 40, 1, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6); // u wave at pi/2, v wave at pi
    EXPECT_TRUE(tol::near3(s.getR(), s.getRd(), s.getRs(), 0.1, 0.3, -0.1, 1e-15));
    s.fG(20, 20, 1, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6);
    EXPECT_TRUE(tol::near3(s.getG(), s.getGd(), s.getGs(), 0.3, 0.7, 1.1, 1e-15));
    s.fB(20, 40, 1, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6); // cos(pi/2), sin(pi), sin(pi/2)
    EXPECT_TRUE(tol::near3(s.getB(), s.getBd(), s.getBs(), 0.1, 0.3, 1.1, 1e-15));
}

TEST(SurfaceTessellation, WholeGridOfQuadsEndedByAFlush) {
    surface_para s;
    glrec::reset();
    s.openGL();
    EXPECT_EQ(glrec::countBegin(GL_QUADS), 6400u);
    EXPECT_EQ(glrec::count("glVertex3d"), 4u * 6400);
    EXPECT_EQ(glrec::count("glNormal3d"), 4u * 6400);
    EXPECT_EQ(glrec::count("glMaterialfv"), 3u * 4 * 6400);
    EXPECT_TRUE(glrec::beginEndBalanced());
    ASSERT_FALSE(glrec::calls().empty());
    EXPECT_EQ(glrec::calls().back().name, "glFlush");
    EXPECT_EQ(glrec::count("glFlush"), 1u);
    for (const auto& p : glrec::primitives())
        ASSERT_EQ(p.vertices.size(), 4u);
    // Every call but the flush sits inside a begin/end pair.
    int depth = 0;
    for (std::size_t k = 0; k + 1 < glrec::calls().size(); ++k) {
        const auto& c = glrec::calls()[k];
        if (c.name == "glBegin")
            ++depth;
        else if (c.name == "glEnd")
            --depth;
        else
            ASSERT_EQ(depth, 1) << c.name << " outside begin/end";
    }
}

TEST(SurfaceTessellation, CornersInOrderWithNormalBeforeVertex) {
    Sphere s;
    auto prims = glrec::primitivesOf([&] { s.openGL(); });
    ASSERT_EQ(prims.size(), 12u);
    const int di[4] = {0, 1, 1, 0}, dj[4] = {0, 0, 1, 1};
    // Quad (i, j) is number i * VMAX + j.
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 4; ++k) {
                const auto& v = prims[i * 3 + j].vertices[k];
                double u = i + di[k], w = j + dj[k];
                ASSERT_TRUE(tol::near3(v[0], v[1], v[2], s.fx(u, w), s.fy(u, w), s.fz(u, w), 0));
            }
    // Each vertex is preceded by its own unit normal (the sphere's radius).
    const auto& calls = glrec::calls();
    for (std::size_t k = 0; k < calls.size(); ++k) {
        if (calls[k].name != "glVertex3d")
            continue;
        ASSERT_EQ(calls[k - 1].name, "glNormal3d");
        const auto& n = calls[k - 1].args;
        const auto& p = calls[k].args;
        ASSERT_TRUE(tol::near3(n[0], n[1], n[2], p[0], p[1], p[2], 1e-15));
    }
}

TEST(SurfaceTessellation, ColourSlotsGetTheCornerIndicesAndTheChoices) {
    ColourProbe s;
    glrec::reset();
    s.openGL(5, 6, 7, 1, 1, 1);
    ASSERT_EQ(s.red.size(), 16u);
    ASSERT_EQ(s.green.size(), 16u);
    ASSERT_EQ(s.blue.size(), 16u);
    const double cu[4] = {0, 1, 1, 0}, cv[4] = {0, 0, 1, 1};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(s.red[k].u, cu[k]);
        EXPECT_EQ(s.red[k].v, cv[k]);
    }
    EXPECT_EQ(s.red[4].v, 1.0); // second quad (0, 1)
    EXPECT_EQ(s.red[0].w, 5.0);
    EXPECT_EQ(s.green[0].w, 6.0);
    EXPECT_EQ(s.blue[0].w, 7.0);
    // Third corner (1, 1) of the first quad: its channels become its materials.
    auto mats = glrec::callsNamed("glMaterialfv");
    EXPECT_TRUE(isMaterial(mats[6], GL_FRONT_AND_BACK, GL_AMBIENT, {0.1, 0.1, 0.5, 0.5}));
    EXPECT_TRUE(isMaterial(mats[7], GL_FRONT_AND_BACK, GL_DIFFUSE, {0.25, 0.125, 0.375, 0.5}));
    EXPECT_TRUE(isMaterial(mats[8], GL_FRONT_AND_BACK, GL_SPECULAR, {0.5, 0.75, 0.0625, 0.5}));
}

TEST(SurfaceTessellation, FaceRuleOfTheMaterialChoices) {
    ColourProbe s;
    glrec::reset();
    s.openGL(1, 1, 1, 7, 2, 3);
    auto m = firstVertexMaterials();
    ASSERT_EQ(m.size(), 5u);
    EXPECT_TRUE(isMaterial(m[0], GL_FRONT_AND_BACK, GL_AMBIENT, {0, 0, 0.5, 0.5}));
    EXPECT_TRUE(isMaterial(m[1], GL_FRONT, GL_DIFFUSE, {0.25, 0.125, 0.375, 0.5}));
    EXPECT_TRUE(isMaterial(m[2], GL_BACK, GL_DIFFUSE, {0, 0, 0, 1}));
    EXPECT_TRUE(isMaterial(m[3], GL_BACK, GL_SPECULAR, {0.5, 0.75, 0.0625, 0.5}));
    EXPECT_TRUE(isMaterial(m[4], GL_FRONT, GL_SPECULAR, {0, 0, 0, 1}));

    // The four-argument form: one colour choice, then the three face choices.
    glrec::reset();
    s.red.clear();
    s.openGL(4, 3, 0, 2);
    EXPECT_EQ(s.red[0].w, 4.0);
    m = firstVertexMaterials();
    ASSERT_EQ(m.size(), 5u);
    EXPECT_TRUE(isMaterial(m[0], GL_BACK, GL_AMBIENT, {0, 0, 0.5, 0.5}));
    EXPECT_TRUE(isMaterial(m[1], GL_FRONT, GL_AMBIENT, {0, 0, 0, 1}));
    EXPECT_EQ(m[2].args[0], GL_FRONT_AND_BACK);
    EXPECT_EQ(m[3].args[0], GL_FRONT);
    EXPECT_EQ(m[4].args[0], GL_BACK);
}

TEST(SurfaceTessellation, NormalFlipOfTheCoefficientForm) {
    Sphere s;
    glrec::reset();
    s.openGL(1, 1, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 1, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 1, 0.1, 0.2, 0.3,
             0.4, 0.5, 0.6, 1, 1, 1);
    auto outward = glrec::calls();
    glrec::reset();
    s.openGL(0, 1, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 1, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 1, 0.1, 0.2, 0.3,
             0.4, 0.5, 0.6, 1, 1, 1);
    auto inward = glrec::calls();
    ASSERT_EQ(outward.size(), inward.size());
    std::size_t normals = 0;
    for (std::size_t k = 0; k < outward.size(); ++k) {
        ASSERT_EQ(outward[k].name, inward[k].name);
        double sign = outward[k].name == "glNormal3d" ? -1 : 1;
        normals += outward[k].name == "glNormal3d";
        for (std::size_t a = 0; a < outward[k].args.size(); ++a)
            ASSERT_EQ(inward[k].args[a], sign * outward[k].args[a]) << outward[k].name;
    }
    EXPECT_EQ(normals, 48u);

    // The 24-argument form is the outward one.
    glrec::reset();
    s.openGL(1, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 1, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 1, 0.1, 0.2, 0.3,
             0.4, 0.5, 0.6, 1, 1, 1);
    ASSERT_EQ(glrec::calls().size(), outward.size());
    for (std::size_t k = 0; k < outward.size(); ++k)
        ASSERT_EQ(glrec::calls()[k].args, outward[k].args);
}

TEST(SurfaceTessellation, CoefficientFormsColourTheCorners) {
    Sphere s;
    glrec::reset();
    s.openGL(1, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 1, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 1, 0.1, 0.2, 0.3,
             0.4, 0.5, 0.6, 1, 1, 1);
    // At grid index (0, 0): cosines 1, sines 0.
    auto m = firstVertexMaterials();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_TRUE(isMaterial(m[0], GL_FRONT_AND_BACK, GL_AMBIENT, {0.3, 0.1, 0.3, 0.5}));
    EXPECT_TRUE(isMaterial(m[1], GL_FRONT_AND_BACK, GL_DIFFUSE, {0.7, 0.3, 0.3, 0.5}));
    EXPECT_TRUE(isMaterial(m[2], GL_FRONT_AND_BACK, GL_SPECULAR, {1.1, 0.5, 0.5, 0.5}));

    // The twelve-argument form: diffuse and specular channels are 0.
    glrec::reset();
    s.openGL(1, 0.1, 0.2, 1, 0.3, 0.4, 1, 0.5, 0.6, 1, 1, 1);
    m = firstVertexMaterials();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_TRUE(isMaterial(m[0], GL_FRONT_AND_BACK, GL_AMBIENT, {0.3, 0.3, 1.1, 0.5}));
    EXPECT_TRUE(isMaterial(m[1], GL_FRONT_AND_BACK, GL_DIFFUSE, {0, 0, 0, 0.5}));
    EXPECT_TRUE(isMaterial(m[2], GL_FRONT_AND_BACK, GL_SPECULAR, {0, 0, 0, 0.5}));
}

TEST(SurfaceTessellation, DegenerateGridsDrawNothingButFlush) {
    surface_para s;
    s.putUMAX(0);
    glrec::reset();
    s.openGL();
    EXPECT_EQ(glrec::count("glBegin"), 0u);
    EXPECT_EQ(glrec::count("glFlush"), 1u);
    s.putUMAX(-5);
    s.putVMAX(-3);
    glrec::reset();
    s.openGL();
    EXPECT_EQ(glrec::count("glBegin"), 0u);
    EXPECT_EQ(glrec::count("glFlush"), 1u);
}

TEST(SurfaceIsoCurves, TraceUAndTraceV) {
    surface_para s;
    auto prims = glrec::primitivesOf([&] { s.traceU(10, 1, 0, 0, 2); });
    ASSERT_EQ(prims.size(), 80u);
    EXPECT_EQ(glrec::countBegin(GL_LINES), 80u);
    for (int i = 0; i < 80; ++i) {
        const auto& p = prims[i];
        EXPECT_FALSE(p.lighting);
        EXPECT_EQ(p.colour, (std::vector<double>{1, 0, 0}));
        EXPECT_EQ(p.lineWidth, 2.0);
        ASSERT_EQ(p.vertices.size(), 2u);
        EXPECT_TRUE(tol::near3(p.vertices[0][0], p.vertices[0][1], p.vertices[0][2], std::cos(i),
                               std::sin(i), 10, 1e-6));
        EXPECT_TRUE(tol::near3(p.vertices[1][0], p.vertices[1][1], p.vertices[1][2],
                               std::cos(i + 1), std::sin(i + 1), 10, 1e-6));
    }
    EXPECT_TRUE(glrec::lightingEnabled());

    s.putVMAX(5);
    prims = glrec::primitivesOf([&] { s.traceV(3, 0, 0, 1, 1); });
    ASSERT_EQ(prims.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(tol::near3(prims[i].vertices[1][0], prims[i].vertices[1][1],
                               prims[i].vertices[1][2], std::cos(3), std::sin(3), i + 1, 1e-6));
    EXPECT_TRUE(glrec::lightingEnabled());
}

// --- Colours computed once per grid point --------------------------------------

namespace {

// The sphere with colour slots that depend on the corner only, counting
// their calls; sansEtat says whether the tessellation may compute each grid
// point's colour once.
class CountedColourSphere : public Sphere {
  public:
    explicit CountedColourSphere(bool sansEtat) : sansEtat_(sansEtat) {}
    using surface_para::fB;
    using surface_para::fG;
    using surface_para::fR;
    int calls = 0;
    void fR(double u, double v, double w) override {
        ++calls;
        R = std::cos(u * w + v);
        Rd = 0.25 * u;
        Rs = 0.125 * v;
    }
    void fG(double u, double v, double w) override {
        G = std::sin(v * w - u);
        Gd = 0.5;
        Gs = u * v / 16;
    }
    void fB(double u, double v, double w) override {
        B = w / 8;
        Bd = v / 4;
        Bs = std::cos(u);
    }

  protected:
    bool couleursSansEtat() const override { return sansEtat_; }

  private:
    bool sansEtat_;
};

} // namespace

TEST(SurfaceTessellation, ColoursOncePerGridPointGiveTheSameStream) {
    // Grid 4 x 3: 20 grid points, 12 quads, 48 corners.
    CountedColourSphere perCorner(false), perPoint(true);
    glrec::reset();
    perCorner.openGL(3, 2, 5, 2, 3, 1);
    const auto expected = glrec::calls();
    EXPECT_EQ(perCorner.calls, 48);
    glrec::reset();
    perPoint.openGL(3, 2, 5, 2, 3, 1);
    EXPECT_EQ(perPoint.calls, 20);
    EXPECT_TRUE(glrec::sameCalls(glrec::calls(), expected));
    // The channels end as the last corner, (3, 3), left them.
    EXPECT_EQ(perPoint.getR(), perCorner.getR());
    EXPECT_EQ(perPoint.getGs(), perCorner.getGs());
    EXPECT_EQ(perPoint.getBs(), perCorner.getBs());

    // The coefficient families are computed once per grid point as well.
    glrec::reset();
    perCorner.openGL(0, 1, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 2, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 3, 0.1,
                     0.2, 0.3, 0.4, 0.5, 0.6, 2, 2, 3);
    const auto coefficients = glrec::calls();
    glrec::reset();
    perPoint.openGL(0, 1, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 2, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 3, 0.1,
                    0.2, 0.3, 0.4, 0.5, 0.6, 2, 2, 3);
    EXPECT_TRUE(glrec::sameCalls(glrec::calls(), coefficients));
}
