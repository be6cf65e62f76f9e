// CAD files read back: the tool's own STEP and IGES exports of a piece of
// each kind of cyclide (the patch, the piece, the whole cyclide) give, patch
// by patch, the verdict and the a, c, mu of the exported patch; and a file
// written by Open CASCADE's own STEP writer (a B-spline face of two Bezier
// segments, a Bezier face of degree 1 x 2, a plane) is split, raised and skipped
// as it should be.
#include "DossierDeTest.h"
#include "LectureCaoTest.h"
#include "conversion/ReseauCyclide.h"
#include "fichiers/EcritureFichier.h"
#include "sorties/ExportIges.h"
#include "sorties/ExportStep.h"

#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRep_Builder.hxx>
#include <Geom_BSplineSurface.hxx>
#include <Geom_BezierSurface.hxx>
#include <STEPControl_Writer.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColStd_Array2OfReal.hxx>
#include <TColgp_Array2OfPnt.hxx>
#include <TopoDS_Compound.hxx>
#include <gp_Pln.hxx>
#include <gtest/gtest.h>

#include <cmath>

using namespace cyclide;

namespace {

struct CasAllerRetour {
    const char* nom;
    double a, c, mu;
    int code; // the kind the piece must get
    bool iges;
};

// A piece theta in [0.3, 1.4], psi in [0.5, 1.9] of the cyclide, turned and
// moved off the origin.
RBBP reseauPiece(double a, double c, double mu, double u0 = 0.3, double u1 = 1.4) {
    const double Base[3][3] = {{0.36, 0.48, -0.8}, {-0.8, 0.6, 0}, {0.48, 0.64, 0.6}};
    RBBP net;
    reseauMorceauMonde(cyclidePlacee(a, c, mu, Point(1, -2, 3), Base), {u0, u1, 0.5, 1.9}, net);
    return net;
}

bool proches(double x, double y, double echelle) {
    return std::fabs(x - y) <= 1e-12 * echelle;
}

// Every patch converted from the file: the verdict and a, c, mu of s.
void verifierRelecture(const std::string& chemin, const Scene& s, int facesAttendues) {
    const LectureCaoTest lu = lireCaoTest(chemin);
    ASSERT_TRUE(lu.bilan.ok()) << lu.bilan.raison;
    EXPECT_EQ(lu.bilan.valeur.ignorees, 0);
    ASSERT_FALSE(lu.lignes.empty());
    EXPECT_EQ(lu.lignes.back().element.face, facesAttendues);
    const double echelle = std::fabs(s.converti.a);
    for (const LigneCaoTest& r : lu.lignes) {
        SCOPED_TRACE("face " + std::to_string(r.element.face) + " carreau " +
                     std::to_string(r.element.carreauU) + " " + std::to_string(r.element.carreauV));
        EXPECT_EQ(r.scene.typeCyclide, s.typeCyclide);
        EXPECT_TRUE(proches(r.scene.converti.a, s.converti.a, echelle));
        EXPECT_TRUE(proches(r.scene.converti.c, s.converti.c, echelle));
        EXPECT_TRUE(proches(r.scene.converti.mu, s.converti.mu, echelle));
    }
}

} // namespace

class AllerRetourCao : public ::testing::TestWithParam<CasAllerRetour> {};

TEST_P(AllerRetourCao, EveryPatchReadBackKeepsItsVerdictAndCyclide) {
    const CasAllerRetour& cas = GetParam();
    const Scene s = construireSceneReseau(reseauPiece(cas.a, cas.c, cas.mu), PlanConversion::Pz);
    ASSERT_EQ(codeGenre(s.typeCyclide), cas.code);
    DossierDeTest dossier("aller-retour");
    const std::string chemin = (dossier.chemin() / (cas.iges ? "f.iges" : "f.step")).string();
    std::vector<std::string> notices;
    const Resultat<void> ecrit = cas.iges ? ecrireExport(chemin, texteIgesScene(s, notices))
                                          : exporterStep(chemin, s, notices);
    ASSERT_TRUE(ecrit.ok()) << ecrit.raison;
    EXPECT_TRUE(notices.empty());
    verifierRelecture(chemin, s, 3); // the patch, the piece, the whole cyclide
}

INSTANTIATE_TEST_SUITE_P(Genres, AllerRetourCao,
                         ::testing::Values(CasAllerRetour{"ring_step", 5, 2, 3, 1, false},
                                           CasAllerRetour{"spindle_step", 5, 2, 7, 2, false},
                                           CasAllerRetour{"horned_step", 5, 3, 1.5, 3, false},
                                           CasAllerRetour{"torus_step", 5, 0, 3, 6, false},
                                           CasAllerRetour{"ring_iges", 5, 2, 3, 1, true},
                                           CasAllerRetour{"spindle_iges", 5, 2, 7, 2, true},
                                           CasAllerRetour{"horned_iges", 5, 3, 1.5, 3, true},
                                           CasAllerRetour{"torus_iges", 5, 0, 3, 6, true}),
                         [](const ::testing::TestParamInfo<CasAllerRetour>& info) {
                             return info.param.nom;
                         });

namespace {

// Two nets side by side along u as one B-spline surface of degree 2 x 2
// (knots 0 1 2 along u, the middle one double).
Handle(Geom_BSplineSurface) deuxSegments(const RBBP& gauche, const RBBP& droite) {
    TColgp_Array2OfPnt poles(1, 5, 1, 3);
    TColStd_Array2OfReal poids(1, 5, 1, 3);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 3; ++j) {
            const RBBP& n = i < 3 ? gauche : droite;
            const int k = i < 3 ? i : i - 2;
            const Point p = n.getP(k, j);
            poles.SetValue(i + 1, j + 1, gp_Pnt(p.getX0(), p.getY0(), p.getZ0()));
            poids.SetValue(i + 1, j + 1, n.getW(k, j));
        }
    TColStd_Array1OfReal nu(1, 3), nv(1, 2);
    TColStd_Array1OfInteger mu(1, 3), mv(1, 2);
    nu.SetValue(1, 0), nu.SetValue(2, 1), nu.SetValue(3, 2);
    mu.SetValue(1, 3), mu.SetValue(2, 2), mu.SetValue(3, 3);
    nv.SetValue(1, 0), nv.SetValue(2, 1);
    mv.SetValue(1, 3), mv.SetValue(2, 3);
    return new Geom_BSplineSurface(poles, poids, nu, nv, mu, mv, 2, 2);
}

} // namespace

TEST(FichierOcct, BSplineSplitBilinearRaisedPlaneSkipped) {
    // The piece theta in [0.3, 1.4] as two segments meeting at 0.85.
    const double a = 5, c = 2, mu = 3;
    const Scene s = construireSceneReseau(reseauPiece(a, c, mu), PlanConversion::Pz);
    const Handle(Geom_BSplineSurface) cyclide =
        deuxSegments(reseauPiece(a, c, mu, 0.3, 0.85), reseauPiece(a, c, mu, 0.85, 1.4));
    // Degree 1 along u, 2 along v.
    TColgp_Array2OfPnt poles(1, 2, 1, 3);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j)
            poles.SetValue(i + 1, j + 1, gp_Pnt(3 * i, j, i * j + j * j));
    const Handle(Geom_BezierSurface) bilineaire = new Geom_BezierSurface(poles);

    TopoDS_Compound tout;
    BRep_Builder b;
    b.MakeCompound(tout);
    b.Add(tout, BRepBuilderAPI_MakeFace(cyclide, 1e-7).Face());
    b.Add(tout, BRepBuilderAPI_MakeFace(bilineaire, 1e-7).Face());
    b.Add(tout, BRepBuilderAPI_MakeFace(gp_Pln(), 0, 1, 0, 1).Face());
    DossierDeTest dossier("occt");
    const std::string chemin = (dossier.chemin() / "occt.stp").string();
    STEPControl_Writer ecrivain;
    ASSERT_EQ(ecrivain.Transfer(tout, STEPControl_AsIs), IFSelect_RetDone);
    ASSERT_EQ(ecrivain.Write(chemin.c_str()), IFSelect_RetDone);

    const LectureCaoTest lu = lireCaoTest(chemin);
    ASSERT_TRUE(lu.bilan.ok()) << lu.bilan.raison;
    const std::vector<LigneCaoTest>& r = lu.lignes;
    ASSERT_EQ(r.size(), 4u);
    // The plane is named, not skipped.
    EXPECT_EQ(lu.bilan.valeur.ignorees, 0);
    EXPECT_EQ(r[3].element.face, 3);
    EXPECT_EQ(r[3].element.sorte, SorteElementCao::Limite);
    EXPECT_EQ(r[3].element.surface, "plan");
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(r[k].element.face, 1);
        EXPECT_EQ(r[k].element.carreauU, k + 1);
        EXPECT_EQ(r[k].scene.typeCyclide, s.typeCyclide);
        // Each half is read on its own, not the exported net: its cyclide
        // is checked against the exact parameters, to rounding.
        EXPECT_NEAR(r[k].scene.converti.a, a, 1e-10 * a);
        EXPECT_NEAR(r[k].scene.converti.c, c, 1e-10 * a);
        EXPECT_NEAR(r[k].scene.converti.mu, mu, 1e-10 * a);
    }
    // The face of degree 1 x 2 raised to 2 x 2 is the same surface; its
    // straight boundaries are not circular arcs.
    EXPECT_EQ(r[2].element.face, 2);
    EXPECT_EQ(r[2].scene.typeCyclide, GenreCyclide::Aucune);
    for (double u : {0.0, 0.3, 1.0})
        for (double v : {0.0, 0.7, 1.0}) {
            const Point p = r[2].element.reseau.point(u, v);
            const gp_Pnt q = bilineaire->Value(u, v);
            EXPECT_NEAR(p.getX0(), q.X(), 1e-14 * 4);
            EXPECT_NEAR(p.getY0(), q.Y(), 1e-14 * 4);
            EXPECT_NEAR(p.getZ0(), q.Z(), 1e-14 * 4);
        }
}
