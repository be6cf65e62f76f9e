#include "cao/LectureCao.h"

#include "cao/FacesCao.h"

#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <IGESControl_Reader.hxx>
#include <IGESData_IGESModel.hxx>
#include <IGESGeom_BSplineSurface.hxx>
#include <IGESGeom_TrimmedSurface.hxx>
#include <IGESSolid_Face.hxx>
#include <Interface_CheckIterator.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <STEPControl_Reader.hxx>
#include <StepBasic_UncertaintyMeasureWithUnit.hxx>
#include <StepData_StepModel.hxx>
#include <StepGeom_BSplineSurfaceWithKnots.hxx>
#include <StepGeom_BSplineSurfaceWithKnotsAndRationalBSplineSurface.hxx>
#include <StepGeom_CartesianPoint.hxx>
#include <StepShape_FaceSurface.hxx>
#include <Standard_Failure.hxx>
#include <TColStd_HSequenceOfTransient.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <XSControl_WorkSession.hxx>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <new>

namespace cyclide {

namespace {

bool estIges(const std::string& chemin) {
    const std::size_t point = chemin.find_last_of('.');
    std::string e = point == std::string::npos ? "" : chemin.substr(point + 1);
    std::transform(e.begin(), e.end(), e.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return e == "iges" || e == "igs";
}

// The knots of a STEP B-spline, each repeated as its multiplicity says
// (multiplicities capped so that a damaged file cannot ask for billions).
std::vector<double> noeudsRepetes(const Handle(TColStd_HArray1OfReal) & k,
                                  const Handle(TColStd_HArray1OfInteger) & m) {
    std::vector<double> n;
    if (k.IsNull() || m.IsNull() || k->Length() != m->Length())
        return n;
    for (int i = k->Lower(); i <= k->Upper(); ++i)
        n.insert(n.end(), static_cast<std::size_t>(std::clamp(m->Value(m->Lower() + i - k->Lower()), 0, 64)),
                 k->Value(i));
    return n;
}

// What is wrong with a STEP face's B-spline surface, "" when nothing.
std::string defautStep(const Handle(StepGeom_Surface) & s) {
    Handle(StepGeom_BSplineSurfaceWithKnots) b = Handle(StepGeom_BSplineSurfaceWithKnots)::DownCast(s);
    const auto r = Handle(StepGeom_BSplineSurfaceWithKnotsAndRationalBSplineSurface)::DownCast(s);
    if (!r.IsNull())
        b = r->BSplineSurfaceWithKnots();
    if (b.IsNull())
        return "";
    DonneesBSpline d;
    d.degreU = b->UDegree();
    d.degreV = b->VDegree();
    d.polesU = b->NbControlPointsListI();
    d.polesV = b->NbControlPointsListJ();
    d.noeudsU = noeudsRepetes(b->UKnots(), b->UMultiplicities());
    d.noeudsV = noeudsRepetes(b->VKnots(), b->VMultiplicities());
    for (int i = 1; i <= d.polesU && d.polesFinis; ++i)
        for (int j = 1; j <= d.polesV; ++j) {
            const Handle(StepGeom_CartesianPoint) p = b->ControlPointsListValue(i, j);
            if (p.IsNull() || p->NbCoordinates() != 3) {
                d.polesFinis = false;
                break;
            }
            for (int k = 1; k <= 3; ++k)
                d.polesFinis = d.polesFinis && std::isfinite(p->CoordinatesValue(k));
        }
    if (!r.IsNull() && !r->WeightsData().IsNull()) {
        const Handle(TColStd_HArray2OfReal) w = r->WeightsData();
        for (int i = w->LowerRow(); i <= w->UpperRow(); ++i)
            for (int j = w->LowerCol(); j <= w->UpperCol(); ++j)
                d.poids.push_back(w->Value(i, j));
    }
    return defautBSpline(d);
}

// What is wrong with an IGES B-spline surface (entity 128), "" when nothing.
std::string defautIges(const Handle(IGESGeom_BSplineSurface) & b) {
    DonneesBSpline d;
    d.degreU = b->DegreeU();
    d.degreV = b->DegreeV();
    d.polesU = b->NbPolesU();
    d.polesV = b->NbPolesV();
    if (d.degreU < 1 || d.degreV < 1 || d.degreU > 25 || d.degreV > 25)
        return defautBSpline(d);
    for (int k = -d.degreU; k < b->NbKnotsU() - d.degreU; ++k)
        d.noeudsU.push_back(b->KnotU(k));
    for (int k = -d.degreV; k < b->NbKnotsV() - d.degreV; ++k)
        d.noeudsV.push_back(b->KnotV(k));
    for (int i = 0; i < d.polesU; ++i)
        for (int j = 0; j < d.polesV; ++j) {
            const gp_Pnt p = b->Pole(i, j);
            d.polesFinis = d.polesFinis && std::isfinite(p.X()) && std::isfinite(p.Y()) &&
                           std::isfinite(p.Z());
            d.poids.push_back(b->Weight(i, j));
        }
    return defautBSpline(d);
}

// The B-spline surface an IGES face stands on, when it is one.
Handle(IGESGeom_BSplineSurface) bsplineIges(const Handle(Standard_Transient) & ent) {
    if (auto t = Handle(IGESGeom_TrimmedSurface)::DownCast(ent))
        return Handle(IGESGeom_BSplineSurface)::DownCast(t->Surface());
    if (auto f = Handle(IGESSolid_Face)::DownCast(ent))
        return Handle(IGESGeom_BSplineSurface)::DownCast(f->Surface());
    return Handle(IGESGeom_BSplineSurface)::DownCast(ent);
}

// What is wrong with a face's raw data before Open CASCADE makes it a
// surface (its reader quietly mends some faults), "" when nothing.
std::string defautBrut(const Handle(Standard_Transient) & ent, bool iges) {
    try {
        if (iges) {
            const Handle(IGESGeom_BSplineSurface) b = bsplineIges(ent);
            return b.IsNull() ? "" : defautIges(b);
        }
        const Handle(StepShape_FaceSurface) f = Handle(StepShape_FaceSurface)::DownCast(ent);
        return f.IsNull() ? "" : defautStep(f->FaceGeometry());
    } catch (const Standard_Failure&) {
        return "donnees invalides : points de controle ou poids manquants";
    }
}

// The file's number of an entity: STEP's #N, IGES's directory line.
long numeroEntite(const Handle(Interface_InterfaceModel) & modele,
                  const Handle(Standard_Transient) & ent, bool iges) {
    if (iges)
        return 2L * modele->Number(ent) - 1;
    const auto step = Handle(StepData_StepModel)::DownCast(modele);
    return step.IsNull() ? modele->Number(ent) : step->IdentLabel(ent);
}

// The rows of one face entity.
std::vector<ElementCao> lireFace(XSControl_Reader& lecteur, const Handle(Standard_Transient) & ent,
                                 int face, long entite, bool iges) {
    const std::string defaut = defautBrut(ent, iges);
    const auto ignoree = [&](const std::string& raison) {
        ElementCao e;
        e.sorte = SorteElementCao::Ignoree;
        e.face = face;
        e.entite = entite;
        e.surface = "inconnue";
        e.raison = raison;
        return std::vector<ElementCao>{e};
    };
    if (!defaut.empty())
        return ignoree(defaut);
    try {
        lecteur.ClearShapes();
        if (!lecteur.TransferEntity(ent))
            return ignoree("face illisible : le lecteur n'en tire aucune surface");
        for (TopExp_Explorer x(lecteur.OneShape(), TopAbs_FACE); x.More(); x.Next()) {
            const TopoDS_Face f = TopoDS::Face(x.Current());
            DomaineFace d;
            BRepTools::UVBounds(f, d.u0, d.u1, d.v0, d.v1);
            return elementsFace(face, entite, BRep_Tool::Surface(f), d);
        }
        return ignoree("face illisible : le lecteur n'en tire aucune surface");
    } catch (const Standard_Failure& e) {
        return ignoree(std::string("face illisible (") + e.DynamicType()->Name() + ")");
    } catch (const std::bad_alloc&) {
        return ignoree("memoire insuffisante pour cette face");
    }
}

// The uncertainty a STEP file states (the smallest), 0 when none.
double incertitudeStep(const Handle(Interface_InterfaceModel) & modele) {
    double u = 0;
    for (int i = 1; i <= modele->NbEntities(); ++i)
        if (auto m = Handle(StepBasic_UncertaintyMeasureWithUnit)::DownCast(modele->Value(i))) {
            const double v = m->ValueComponent();
            if (std::isfinite(v) && v > 0 && (u == 0 || v < u))
                u = v;
        }
    return u;
}

// The text of the file's first 8 MB, for the digits of its numbers.
std::string debutFichier(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::string t(8u << 20, '\0');
    f.read(t.data(), static_cast<std::streamsize>(t.size()));
    t.resize(static_cast<std::size_t>(f.gcount()));
    return t;
}

// The face entities of the file, in the file's order.
std::vector<Handle(Standard_Transient)> entitesFaces(XSControl_Reader& lecteur, bool iges) {
    const Handle(TColStd_HSequenceOfTransient) liste =
        lecteur.GiveList(iges ? "iges-faces" : "step-faces");
    std::vector<Handle(Standard_Transient)> faces;
    if (liste.IsNull())
        return faces;
    for (int k = 1; k <= liste->Length(); ++k)
        faces.push_back(liste->Value(k));
    const Handle(Interface_InterfaceModel) m = lecteur.Model();
    std::stable_sort(faces.begin(), faces.end(), [&m](const auto& a, const auto& b) {
        return m->Number(a) < m->Number(b);
    });
    return faces;
}

// True when the text opens as its format does: STEP's "ISO-10303-21" at
// its start, IGES's section letter S (or G) in column 73 of its first line.
bool enTeteFormat(const std::string& debut, bool iges) {
    if (!iges) {
        const std::size_t k = debut.find_first_not_of(" \t\r\n");
        return k != std::string::npos && debut.compare(k, 12, "ISO-10303-21") == 0;
    }
    const std::size_t fin = debut.find('\n');
    return debut.size() > 72 && (fin == std::string::npos || fin > 72) &&
           (debut[72] == 'S' || debut[72] == 'G');
}

} // namespace

void faireTaireOcct() {
    const Handle(Message_Messenger) & m = Message::DefaultMessenger();
    m->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
}

int chiffresSignificatifs(const std::string& texte) {
    int meilleur = 0;
    std::size_t k = 0;
    while (k < texte.size()) {
        if (!std::isdigit(static_cast<unsigned char>(texte[k])) && texte[k] != '.') {
            ++k;
            continue;
        }
        int chiffres = 0;
        bool point = false, significatif = false;
        for (; k < texte.size(); ++k) {
            const char c = texte[k];
            if (c == '.' && !point) {
                point = true;
            } else if (std::isdigit(static_cast<unsigned char>(c))) {
                significatif = significatif || c != '0';
                chiffres += significatif ? 1 : 0;
            } else {
                break;
            }
        }
        if (point)
            meilleur = std::max(meilleur, std::min(chiffres, 17));
        // Skip an exponent's digits.
        if (k < texte.size() && (texte[k] == 'E' || texte[k] == 'e' || texte[k] == 'D'))
            for (++k; k < texte.size() && (std::isdigit(static_cast<unsigned char>(texte[k])) ||
                                           texte[k] == '+' || texte[k] == '-');
                 ++k) {
            }
    }
    return meilleur;
}

Resultat<BilanCao> lireFacesCao(const std::string& chemin,
                                const std::function<void(const PrecisionCao&)>& precision,
                                const std::function<void(const ElementCao&)>& recevoir) {
    const bool iges = estIges(chemin);
    const std::string format = iges ? "IGES" : "STEP";
    std::unique_ptr<XSControl_Reader> lecteur;
    if (iges)
        lecteur = std::make_unique<IGESControl_Reader>();
    else
        lecteur = std::make_unique<STEPControl_Reader>();
    Resultat<BilanCao> lu;
    BilanCao& bilan = lu.valeur;
    const std::string cite = "'" + chemin + "'";
    const std::string debut = debutFichier(chemin);
    if (!enTeteFormat(debut, iges))
        return {bilan, "le fichier " + cite + " n'est pas un fichier " + format +
                           " : son contenu est d'un autre genre"};
    if (lecteur->ReadFile(chemin.c_str()) != IFSelect_RetDone || lecteur->Model().IsNull())
        return {bilan, "le fichier " + cite + " n'est pas un fichier " + format + " lisible"};
    const Interface_CheckIterator controles = lecteur->WS()->ModelCheckList();
    if (!controles.IsEmpty(true))
        return {bilan, "le fichier " + cite + " est incomplet ou defectueux (" + format +
                           " : entites en defaut, references pendantes ou fichier tronque)"};
    bilan.precision.chiffres = chiffresSignificatifs(debut);
    if (!iges)
        bilan.precision.incertitude = incertitudeStep(lecteur->Model());
    precision(bilan.precision);
    const std::vector<Handle(Standard_Transient)> faces = entitesFaces(*lecteur, iges);
    for (const Handle(Standard_Transient) & ent : faces) {
        ++bilan.faces;
        const long entite = numeroEntite(lecteur->Model(), ent, iges);
        for (const ElementCao& e : lireFace(*lecteur, ent, bilan.faces, entite, iges)) {
            bilan.ignorees += e.sorte == SorteElementCao::Ignoree ? 1 : 0;
            recevoir(e);
        }
    }
    if (bilan.faces == 0)
        lu.raison = "le fichier " + cite + " ne contient aucune face";
    return lu;
}

} // namespace cyclide
