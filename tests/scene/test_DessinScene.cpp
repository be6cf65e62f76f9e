// The drawings of a scene: each list drawn from the scene issues the calls
// the rebuild recorded by converting while drawing; the normals of a patch
// are unit and normal to its tangents; the box holds what is shown.
#include "noyau/Constantes.h"
#include "scene/DessinScene.h"
#include "scene/Exemples.h"
#include "scene/NormalesCarreau.h"
#include "surfaces/Cyclide.h"

#include "CasScene.h"
#include "RecordingGL.h"
#include "Tolerance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using namespace cyclide;

using tol::near;

namespace {

template <typename Dessin> std::vector<glrec::Call> fluxDe(Dessin dessin) {
    glrec::reset();
    glrec::setRecordFull(true);
    dessin();
    return glrec::calls();
}

// The stream of list liste as the rebuild records it: one copy converted by
// the drawing conversion (list 7), the whole cyclide (6), the copy moved and
// drawn (3), its border (4) and polyhedron (5).
std::vector<glrec::Call> fluxReconstruction(int liste, const RBBPd& bez, int type, int plan) {
    RBBPd bez1 = bez;
    const auto l7 = fluxDe([&] { bez1.conversion(type, plan); });
    if (liste == 1)
        return fluxDe([&] { bez.openGL(30, 30); });
    if (liste == 2)
        return fluxDe([&] { bez.openGLBord(30, 30); });
    if (liste == 7)
        return l7;
    if (liste == 6)
        return fluxDe([&] {
            Cyclide(0, DEUX_PI, 0, DEUX_PI, bez1.getA(), bez1.getC(), bez1.getMu()).openGL();
        });
    const auto l3 = fluxDe([&] { bez1.openGLChangementBase(30, 30); });
    if (liste == 3)
        return l3;
    if (liste == 4)
        return fluxDe([&] { bez1.openGLBord(30, 30); });
    return fluxDe([&] { bez1.openGLPolyedre(); });
}

// The examples, the start-up patch, one that is not convertible.
std::vector<EntreeScene> entrees() {
    std::vector<EntreeScene> v;
    for (int exemple = 0; exemple <= 3; ++exemple) {
        EntreeScene e = entreeDemarrage();
        e.exemple = exemple;
        v.push_back(e);
    }
    EntreeScene plat = entreeDemarrage();
    plat.P10 = 0;
    v.push_back(plat);
    return v;
}

// The point of the patch as a vector.
vect pointV(const RBBP& c, double u, double v) {
    const Point p = c.point(u, v);
    return vect(p.getX0(), p.getY0(), p.getZ0());
}

} // namespace

TEST(DessinScene, EachListRecordsTheCallsOfTheDrawingRebuildBitForBit) {
    int types[3] = {0, 0, 0};
    for (EntreeScene e : entrees())
        for (PlanConversion plan : {PlanConversion::Py, PlanConversion::Pz}) {
            e.plan = plan;
            const Scene s = construireScene(e);
            ++types[s.type];
            for (int liste = 1; liste <= NOMBRE_LISTES; ++liste) {
                const auto attendu = fluxReconstruction(liste, s.Bez, s.type, choixPlan(plan));
                EXPECT_TRUE(glrec::sameCalls(fluxDe([&] { dessinerListe(s, liste); }), attendu))
                    << "list " << liste << " example " << e.exemple << " plane " << choixPlan(plan);
            }
        }
    EXPECT_GT(types[0], 0);
    EXPECT_GT(types[1], 0);
    EXPECT_GT(types[2], 0);
    EXPECT_TRUE(fluxDe([&] { dessinerListe(construireScene(entreeDemarrage()), 8); }).empty());
}

TEST(NormalesCarreau, UnitAndNormalToBothTangents) {
    const double h = 1e-6;
    for (const EntreeScene& e : entrees()) {
        const Scene s = construireScene(e);
        if (s.type == 0)
            continue;
        for (double u : {0.0, 0.3, 0.5, 1.0})
            for (double v : {0.0, 0.7, 1.0}) {
                const vect n = normaleCarreau(s.Bez, u, v);
                EXPECT_TRUE(near(n.norme(), 1, 1e-12, 0)) << u << " " << v;
                const double u0 = std::max(0.0, u - h), u1 = std::min(1.0, u + h);
                const double v0 = std::max(0.0, v - h), v1 = std::min(1.0, v + h);
                vect tu = pointV(s.Bez, u1, v) - pointV(s.Bez, u0, v);
                vect tv = pointV(s.Bez, u, v1) - pointV(s.Bez, u, v0);
                tu = (1 / tu.norme()) * tu;
                tv = (1 / tv.norme()) * tv;
                EXPECT_TRUE(near(n.scalaire(tu), 0, 1e-5, 0)) << u << " " << v;
                EXPECT_TRUE(near(n.scalaire(tv), 0, 1e-5, 0)) << u << " " << v;
            }
    }
}

TEST(NormalesCarreau, CollapsedEdgeGivesTheLimitAndNonNumberNetGivesZero) {
    RBBP pointe, nan;
    for (int k = 0; k < 9; ++k)
        pointe.P[k / 3][k % 3] = k < 3 ? Point(0, 0, 1) : Point(k / 3, k % 3 - 1, 0);
    EXPECT_TRUE(near(normaleCarreau(pointe, 0, 0.5).norme(), 1, 1e-12, 0));
    nan.P[1][1] = Point(std::numeric_limits<double>::quiet_NaN(), 0, 0);
    EXPECT_EQ(normaleCarreau(nan, 0.5, 0.5).scalaire(vect(1, 1, 1)), 0.0);
}

TEST(DessinScene, ShadedPatchSendsOneUnitNormalPerVertexAtTheSameVertices) {
    const Scene s = construireScene(entreeDemarrage());
    const auto plat = fluxDe([&] { s.Bez.openGL(6, 4); });
    const auto ombre = fluxDe([&] { dessinerCarreauOmbre(s.Bez, 6, 4); });
    std::vector<glrec::Call> sansNormales;
    int normales = 0;
    for (const glrec::Call& c : ombre) {
        if (c.name == "glNormal3f") {
            ++normales;
            EXPECT_TRUE(near(
                std::sqrt(c.args[0] * c.args[0] + c.args[1] * c.args[1] + c.args[2] * c.args[2]), 1,
                1e-6, 0));
        } else {
            sansNormales.push_back(c);
        }
    }
    EXPECT_EQ(normales, 6 * 4 * 4);
    EXPECT_TRUE(glrec::sameCalls(sansNormales, plat));
}

// The sphere goes through the farthest drawn vertex of the patch (list 1)
// and of the whole cyclide (list 6); nothing shown gives radius 0.
TEST(DessinScene, SphereHoldsTheShownDrawings) {
    const Scene s = construireScene(entreeDemarrage());
    bool affiche[NOMBRE_LISTES] = {false, false, false, false, false, false, false};
    EXPECT_EQ(cadrageScene(s, affiche).rayon, 0.0);
    for (int liste : {1, 6}) {
        std::fill(affiche, affiche + NOMBRE_LISTES, false);
        affiche[liste - 1] = true;
        const Cadrage c = cadrageScene(s, affiche);
        double loin = 0;
        fluxDe([&] { dessinerListe(s, liste); });
        for (const auto& primitive : glrec::primitives())
            for (const auto& p : primitive.vertices)
                loin = std::max(loin, std::hypot(p[0] - c.x, p[1] - c.y, p[2] - c.z));
        EXPECT_TRUE(near(loin, c.rayon, 0, 0.02)) << "list " << liste;
    }
}
