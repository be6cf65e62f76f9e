#include "cao/LectureCao.h"

#include <BRep_Tool.hxx>
#include <GeomAdaptor_Surface.hxx>
#include <GeomConvert_BSplineSurfaceToBezierSurface.hxx>
#include <Geom_BSplineSurface.hxx>
#include <Geom_BezierSurface.hxx>
#include <Geom_RectangularTrimmedSurface.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <IGESControl_Reader.hxx>
#include <STEPControl_Reader.hxx>
#include <Standard_Failure.hxx>
#include <TColGeom_Array2OfBezierSurface.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>

#include <algorithm>
#include <cctype>
#include <memory>

namespace cyclide {

namespace {

// The extension of a file name, lower case, without the dot.
std::string extension(const std::string& chemin) {
    const std::size_t point = chemin.find_last_of('.');
    const std::size_t barre = chemin.find_last_of('/');
    if (point == std::string::npos || (barre != std::string::npos && point < barre))
        return "";
    std::string e = chemin.substr(point + 1);
    std::transform(e.begin(), e.end(), e.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return e;
}

// The French name of a kind of surface that is not a biquadratic patch.
std::string sorteSurface(const Handle(Geom_Surface) & surface) {
    switch (GeomAdaptor_Surface(surface).GetType()) {
    case GeomAbs_Plane:
        return "plan";
    case GeomAbs_Cylinder:
        return "cylindre";
    case GeomAbs_Cone:
        return "cone";
    case GeomAbs_Sphere:
        return "sphere";
    case GeomAbs_Torus:
        return "tore";
    case GeomAbs_SurfaceOfRevolution:
        return "surface de revolution";
    case GeomAbs_SurfaceOfExtrusion:
        return "surface d'extrusion";
    case GeomAbs_OffsetSurface:
        return "surface decalee";
    default:
        return "surface d'un autre genre";
    }
}

std::string degres(const char* nom, int du, int dv) {
    return std::string(nom) + " de degre " + std::to_string(du) + " x " + std::to_string(dv);
}

// The biquadratic net of a Bezier patch of degree at most 2 x 2 (raised to
// 2 x 2 first; the poles and weights of a raised patch describe the same
// surface).
RBBP reseauBezier(const Handle(Geom_BezierSurface) & patch) {
    Handle(Geom_BezierSurface) b = Handle(Geom_BezierSurface)::DownCast(patch->Copy());
    b->Increase(2, 2);
    RBBP net;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const gp_Pnt p = b->Pole(i + 1, j + 1);
            net.setP(i, j, Point(p.X(), p.Y(), p.Z()));
            net.setW(i, j, b->Weight(i + 1, j + 1));
        }
    return net;
}

// The patches of one face's surface, or its kind when it has none.
void carreauxFace(int face, Handle(Geom_Surface) surface, LectureCao& lecture) {
    while (surface->IsKind(STANDARD_TYPE(Geom_RectangularTrimmedSurface)))
        surface = Handle(Geom_RectangularTrimmedSurface)::DownCast(surface)->BasisSurface();
    const Handle(Geom_BezierSurface) bezier = Handle(Geom_BezierSurface)::DownCast(surface);
    const Handle(Geom_BSplineSurface) bspline = Handle(Geom_BSplineSurface)::DownCast(surface);
    if (!bezier.IsNull()) {
        if (bezier->UDegree() > 2 || bezier->VDegree() > 2)
            lecture.ignorees.push_back(
                {face, degres("Bezier", bezier->UDegree(), bezier->VDegree())});
        else
            lecture.carreaux.push_back({face, 1, 1, reseauBezier(bezier)});
        return;
    }
    if (bspline.IsNull()) {
        lecture.ignorees.push_back({face, sorteSurface(surface)});
        return;
    }
    if (bspline->UDegree() > 2 || bspline->VDegree() > 2) {
        lecture.ignorees.push_back(
            {face, degres("B-spline", bspline->UDegree(), bspline->VDegree())});
        return;
    }
    GeomConvert_BSplineSurfaceToBezierSurface decoupe(bspline);
    TColGeom_Array2OfBezierSurface patches(1, decoupe.NbUPatches(), 1, decoupe.NbVPatches());
    decoupe.Patches(patches);
    for (int i = patches.LowerRow(); i <= patches.UpperRow(); ++i)
        for (int j = patches.LowerCol(); j <= patches.UpperCol(); ++j)
            lecture.carreaux.push_back({face, i - patches.LowerRow() + 1,
                                        j - patches.LowerCol() + 1, reseauBezier(patches(i, j))});
}

} // namespace

bool estFichierCao(const std::string& chemin) {
    const std::string e = extension(chemin);
    return e == "step" || e == "stp" || e == "iges" || e == "igs";
}

Resultat<LectureCao> lireCarreauxCao(const std::string& chemin) {
    const std::string e = extension(chemin);
    std::unique_ptr<XSControl_Reader> lecteur;
    if (e == "iges" || e == "igs")
        lecteur = std::make_unique<IGESControl_Reader>();
    else
        lecteur = std::make_unique<STEPControl_Reader>();
    Resultat<LectureCao> lu;
    LectureCao& lecture = lu.valeur;
    try {
        if (lecteur->ReadFile(chemin.c_str()) != IFSelect_RetDone) {
            lu.raison = "le fichier '" + chemin + "' n'est pas un fichier " +
                        (e == "iges" || e == "igs" ? "IGES" : "STEP") + " lisible";
            return lu;
        }
        lecteur->TransferRoots();
        int face = 0;
        for (TopExp_Explorer x(lecteur->OneShape(), TopAbs_FACE); x.More(); x.Next()) {
            ++face;
            const Handle(Geom_Surface) surface = BRep_Tool::Surface(TopoDS::Face(x.Current()));
            if (surface.IsNull())
                lecture.ignorees.push_back({face, "face sans surface"});
            else
                carreauxFace(face, surface, lecture);
        }
        if (face == 0)
            lu.raison = "le fichier '" + chemin + "' ne contient aucune face";
    } catch (const Standard_Failure& f) {
        lu.raison = "lecture du fichier '" + chemin + "' impossible : " + f.GetMessageString();
    }
    return lu;
}

} // namespace cyclide
