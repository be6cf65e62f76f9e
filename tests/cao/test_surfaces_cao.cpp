// Tori, spheres, cylinders, cones and planes as CAD systems store them:
// faces built with Open CASCADE's API at random placements and sizes
// (1e-3 ... 1e3), trimmed to random ranges, written by its own STEP and
// IGES writers at their default settings, as analytic surfaces and as
// B-spline faces, and read back through cyclide-cao. Every torus and sphere
// is converted with its kind (or one its numbers admit) and a, mu within ten
// times the stated uncertainty; every cylinder, cone and plane is named.
#include "DossierDeTest.h"
#include "FacesOcct.h"
#include "LectureCaoTest.h"
#include "conversion/GenresAdmis.h"

#include <Geom_ConicalSurface.hxx>
#include <Geom_CylindricalSurface.hxx>
#include <Geom_Plane.hxx>
#include <Geom_SphericalSurface.hxx>
#include <Geom_ToroidalSurface.hxx>
#include <gp_Ax3.hxx>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace cyclide;

namespace {

const double PI = 3.14159265358979323846;

// What a face is, and what reading it back must give.
struct Attendu {
    int code = 0;         // 4 sphere, 5 crossed torus (horn, spindle), 6 collar torus; 0 a limit
    double a = 0, mu = 0; // the torus's R and r (a = 0 for a sphere)
    std::string limite;   // "cylindre", "cone", "plan" for a limit surface
};

struct Tirage {
    std::vector<TopoDS_Face> faces;
    std::vector<Attendu> attendus;
};

// One face of each sort at a random placement, size and range.
Tirage tirer(std::mt19937& g) {
    std::uniform_real_distribution<double> u(-1, 1), echelle(-3, 3);
    Tirage t;
    for (int sorte = 0; sorte < 7; ++sorte) {
        const double s = std::pow(10.0, echelle(g));
        const gp_Ax3 ax(gp_Pnt(s * u(g), s * u(g), s * u(g)), gp_Dir(u(g), u(g), 1 + u(g) * 0.5),
                        gp_Dir(1, u(g) * 0.3, 0));
        const double u0 = PI * u(g), du = 0.3 + 1.2 * (1 + u(g)); // at most 2.7 rad
        const double v0 = 0.5 * u(g), dv = 0.2 + 0.5 * (1 + u(g));
        Handle(Geom_Surface) surf;
        Attendu a;
        if (sorte < 3) { // ring, horn, spindle
            const double r = s * (0.5 + 0.2 * u(g));
            const double grand = sorte == 0 ? r * (2 + u(g)) : (sorte == 1 ? r : r * 0.6);
            surf = new Geom_ToroidalSurface(ax, grand, r);
            a = {sorte == 0 ? 6 : 5, grand, r, ""};
        } else if (sorte == 3) {
            surf = new Geom_SphericalSurface(ax, s);
            a = {4, 0, s, ""};
        } else if (sorte == 4) {
            surf = new Geom_CylindricalSurface(ax, s);
            a.limite = "cylindre";
        } else if (sorte == 5) {
            surf = new Geom_ConicalSurface(ax, 0.3 + 0.2 * u(g), s);
            a.limite = "cone";
        } else {
            surf = new Geom_Plane(ax);
            a.limite = "plan";
        }
        const bool angulaireV = sorte <= 3;
        t.faces.push_back(BRepBuilderAPI_MakeFace(surf, u0, u0 + du, angulaireV ? v0 : 0,
                                                  angulaireV ? v0 + dv : s, 1e-7)
                              .Face());
        t.attendus.push_back(a);
    }
    return t;
}

// The rows of one face agree with what it is.
void verifierFace(const std::vector<const LigneCaoTest*>& lignes, const Attendu& a) {
    ASSERT_FALSE(lignes.empty());
    if (!a.limite.empty()) {
        ASSERT_EQ(lignes.size(), 1u);
        EXPECT_EQ(lignes[0]->element.sorte, SorteElementCao::Limite) << lignes[0]->element.raison;
        EXPECT_EQ(lignes[0]->element.surface, a.limite) << lignes[0]->element.raison;
        return;
    }
    for (const LigneCaoTest* l : lignes) {
        ASSERT_EQ(l->element.sorte, SorteElementCao::Carreau) << l->element.raison;
        const Scene& s = l->scene;
        GenreCyclide attendu = GenreCyclide::Aucune;
        genreDuCode(a.code, attendu);
        EXPECT_TRUE(s.typeCyclide == attendu || admet(s.genresAdmis, attendu))
            << "code " << s.typeCyclide << " au lieu de " << a.code << " : " << s.raison;
        if (!estCyclide(s.typeCyclide))
            continue;
        const double marge = 10 * s.incertitude * std::max(a.a, a.mu);
        EXPECT_NEAR(std::fabs(s.converti.a), a.a, marge) << "incertitude " << s.incertitude;
        EXPECT_NEAR(std::fabs(s.converti.mu), a.mu, marge) << "incertitude " << s.incertitude;
    }
}

struct Forme {
    const char* nom;
    bool iges;
    bool bspline;
};

} // namespace

class SurfacesCao : public ::testing::TestWithParam<Forme> {};

TEST_P(SurfacesCao, ToriSpheresConvertedLimitSurfacesNamed) {
    const Forme& f = GetParam();
    std::mt19937 g(20261210);
    DossierDeTest dossier("surfaces-cao");
    for (int tirage = 0; tirage < 4; ++tirage) {
        const Tirage t = tirer(g);
        const std::string chemin =
            (dossier.chemin() / (std::to_string(tirage) + (f.iges ? ".igs" : ".step"))).string();
        ASSERT_TRUE(faces_occt::ecrire(t.faces, f.bspline, chemin, f.iges));
        const LectureCaoTest lu = lireCaoTest(chemin);
        ASSERT_TRUE(lu.bilan.ok()) << lu.bilan.raison;
        ASSERT_EQ(lu.bilan.valeur.faces, static_cast<int>(t.faces.size()));
        for (std::size_t k = 0; k < t.faces.size(); ++k) {
            SCOPED_TRACE("tirage " + std::to_string(tirage) + " face " + std::to_string(k + 1));
            std::vector<const LigneCaoTest*> lignes;
            for (const LigneCaoTest& l : lu.lignes)
                if (l.element.face == static_cast<int>(k) + 1)
                    lignes.push_back(&l);
            verifierFace(lignes, t.attendus[k]);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formes, SurfacesCao,
    ::testing::Values(Forme{"step_analytique", false, false}, Forme{"step_bspline", false, true},
                      Forme{"iges_analytique", true, false}, Forme{"iges_bspline", true, true}),
    [](const ::testing::TestParamInfo<Forme>& info) { return info.param.nom; });
