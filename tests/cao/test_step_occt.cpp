// The STEP files of the worked cases read by Open CASCADE's STEP reader, as
// a CAD package imports them: no fail nor warning in the load check, one face per
// surface, each a rational B-spline surface; the patch with its own net,
// the cyclide surfaces on the cyclide's equation.
#include "CasScene.h"
#include "conversion/Residu.h"
#include "sorties/ExportStep.h"

#include <BRep_Tool.hxx>
#include <Geom_BSplineSurface.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_CheckIterator.hxx>
#include <STEPControl_Reader.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <XSControl_WorkSession.hxx>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <unistd.h>

using namespace cyclide;

namespace {

// Largest |F| / size^4 of the cyclide's equation over 10 x 10 points of the
// surface, moved into the cyclide's frame.
double ecartCyclide(const Handle(Geom_BSplineSurface) & g, const RBBPd& r) {
    double u1, u2, v1, v2, pire = 0;
    g->Bounds(u1, u2, v1, v2);
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j) {
            const gp_Pnt p = g->Value(u1 + (u2 - u1) * i / 9, v1 + (v2 - v1) * j / 9);
            const double d[3] = {p.X() - r.omega.getX0(), p.Y() - r.omega.getY0(),
                                 p.Z() - r.omega.getZ0()};
            double q[3];
            for (int k = 0; k < 3; ++k)
                q[k] = r.Base[0][k] * d[0] + r.Base[1][k] * d[1] + r.Base[2][k] * d[2];
            const double taille = std::max({std::hypot(q[0], q[1], q[2]), r.a, std::fabs(r.mu)});
            pire = std::max(pire, std::fabs(fonctionCyclide(r.a, r.c, r.mu, q[0], q[1], q[2])) /
                                      std::pow(taille, 4));
        }
    return pire;
}

} // namespace

class StepOcct : public ::testing::TestWithParam<EntreeScene> {};

TEST_P(StepOcct, ImportsAsThreeRationalBSplineFaces) {
    const Scene s = construireScene(GetParam());
    const std::filesystem::path chemin = std::filesystem::temp_directory_path() /
                                         ("test_occt_" + std::to_string(::getpid()) + ".step");
    std::vector<std::string> notices;
    const Resultat<void> ecrit = exporterStep(chemin.string(), s, notices);
    ASSERT_TRUE(ecrit.ok()) << ecrit.raison;
    STEPControl_Reader lecteur;
    ASSERT_EQ(lecteur.ReadFile(chemin.string().c_str()), IFSelect_RetDone);
    std::filesystem::remove(chemin);
    EXPECT_TRUE(lecteur.WS()->ModelCheckList().IsEmpty(Standard_False))
        << "fails or warnings in the load check";
    ASSERT_GT(lecteur.TransferRoots(), 0);
    int faces = 0;
    for (TopExp_Explorer e(lecteur.OneShape(), TopAbs_FACE); e.More(); e.Next(), ++faces) {
        const Handle(Geom_BSplineSurface) g =
            Handle(Geom_BSplineSurface)::DownCast(BRep_Tool::Surface(TopoDS::Face(e.Current())));
        ASSERT_FALSE(g.IsNull()) << "face " << faces;
        EXPECT_EQ(g->UDegree(), 2);
        if (faces == 0) {
            ASSERT_EQ(g->NbUPoles(), 3);
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) {
                    EXPECT_EQ(g->Pole(i + 1, j + 1).X(), s.Bez.P[i][j].getX0());
                    EXPECT_EQ(g->Weight(i + 1, j + 1), s.Bez.w[i][j]);
                }
        } else {
            EXPECT_TRUE(g->IsURational() || g->IsVRational());
            EXPECT_LT(ecartCyclide(g, s.converti), 1e-9) << "face " << faces;
        }
    }
    EXPECT_EQ(faces, 3);
}

INSTANTIATE_TEST_SUITE_P(Travailles, StepOcct, ::testing::ValuesIn(casTravailles()));
