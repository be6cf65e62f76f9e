#include "cao/EcritureIges.h"

#include <BRepBuilderAPI_MakeFace.hxx>
#include <Geom_BSplineSurface.hxx>
#include <IGESControl_Controller.hxx>
#include <IGESControl_Writer.hxx>
#include <IGESData_IGESModel.hxx>
#include <IGESData_IGESWriter.hxx>
#include <IGESSelect_WorkLibrary.hxx>
#include <Precision.hxx>
#include <Standard_Failure.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColStd_Array2OfReal.hxx>
#include <TColgp_Array2OfPnt.hxx>
#include <TopoDS_Face.hxx>

#include <sstream>

namespace cyclide {

namespace {

// Knots 0, 1, ..., n with multiplicities 3, 2, ..., 2, 3.
void noeuds(int n, TColStd_Array1OfReal& valeurs, TColStd_Array1OfInteger& multiplicites) {
    for (int k = 0; k <= n; ++k) {
        valeurs.SetValue(k + 1, k);
        multiplicites.SetValue(k + 1, k == 0 || k == n ? 3 : 2);
    }
}

// The surface as an Open CASCADE B-spline surface of degree 2 x 2.
Handle(Geom_BSplineSurface) surfaceOcct(const SurfaceBSpline& s) {
    TColgp_Array2OfPnt poles(1, s.lignes(), 1, s.colonnes());
    TColStd_Array2OfReal poids(1, s.lignes(), 1, s.colonnes());
    for (int i = 0; i < s.lignes(); ++i)
        for (int j = 0; j < s.colonnes(); ++j) {
            const auto& p = s.points[s.indice(i, j)];
            poles.SetValue(i + 1, j + 1, gp_Pnt(p[0], p[1], p[2]));
            poids.SetValue(i + 1, j + 1, s.poids[s.indice(i, j)]);
        }
    TColStd_Array1OfReal nu(1, s.nu + 1), nv(1, s.nv + 1);
    TColStd_Array1OfInteger mu(1, s.nu + 1), mv(1, s.nv + 1);
    noeuds(s.nu, nu, mu);
    noeuds(s.nv, nv, mv);
    return new Geom_BSplineSurface(poles, poids, nu, nv, mu, mv, 2, 2);
}

} // namespace

bool lireSurfacesIges(std::istream& texte, std::vector<SurfaceNommee>& surfaces) {
    std::string mot;
    while (texte >> mot) {
        SurfaceNommee sn;
        SurfaceBSpline& s = sn.surface;
        if (mot != "surface" || !(texte >> sn.nom >> s.nu >> s.nv) || s.nu < 1 || s.nv < 1 ||
            s.nu > 64 || s.nv > 64)
            return false;
        const std::size_t n =
            static_cast<std::size_t>(s.lignes()) * static_cast<std::size_t>(s.colonnes());
        s.points.resize(n);
        s.poids.resize(n);
        for (std::size_t k = 0; k < n; ++k)
            if (!(texte >> s.points[k][0] >> s.points[k][1] >> s.points[k][2] >> s.poids[k]))
                return false;
        surfaces.push_back(sn);
    }
    return texte.eof();
}

Resultat<std::string> texteIgesSurfaces(const std::vector<SurfaceNommee>& surfaces,
                                        std::vector<std::string>& omises) {
    try {
        IGESControl_Controller::Init();
        IGESControl_Writer ecrivain("MM", 0);
        for (const SurfaceNommee& sn : surfaces) {
            BRepBuilderAPI_MakeFace face(surfaceOcct(sn.surface), Precision::Confusion());
            if (!face.IsDone() || !ecrivain.AddShape(face.Face()))
                omises.push_back(sn.nom);
        }
        ecrivain.ComputeModel();
        // Open CASCADE's own Write keeps 10 significant digits; the file is
        // printed here with 17 so that every double reads back as itself.
        IGESData_IGESWriter imprimeur(ecrivain.Model());
        imprimeur.FloatWriter().SetFormat("%.16E");
        imprimeur.FloatWriter().SetFormatForRange("%.16E", 0.1, 1000.);
        imprimeur.SendModel(IGESSelect_WorkLibrary::DefineProtocol());
        std::ostringstream flux;
        if (ecrivain.Model()->NbEntities() == 0 || !imprimeur.Print(flux))
            return {std::string(), "l'ecrivain IGES a echoue"};
        return {flux.str(), ""};
    } catch (const Standard_Failure& f) {
        return {std::string(), std::string("l'ecrivain IGES a echoue : ") + f.GetMessageString()};
    }
}

} // namespace cyclide
