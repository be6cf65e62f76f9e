#include "cao/LectureCao.h"

#include "cao/FacesCao.h"
#include "fichiers/NombreTexte.h"

#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <Geom_Axis2Placement.hxx>
#include <Geom_SphericalSurface.hxx>
#include <Geom_Surface.hxx>
#include <Geom_ToroidalSurface.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <IGESControl_Reader.hxx>
#include <IGESData_IGESModel.hxx>
#include <Interface_CheckIterator.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <STEPControl_Reader.hxx>
#include <Standard_Failure.hxx>
#include <StepBasic_UncertaintyMeasureWithUnit.hxx>
#include <StepData_GlobalFactors.hxx>
#include <StepData_StepModel.hxx>
#include <StepGeom_Axis2Placement3d.hxx>
#include <StepGeom_BSplineSurfaceWithKnots.hxx>
#include <StepGeom_BSplineSurfaceWithKnotsAndRationalBSplineSurface.hxx>
#include <StepGeom_CartesianPoint.hxx>
#include <StepGeom_SphericalSurface.hxx>
#include <StepGeom_ToroidalSurface.hxx>
#include <StepShape_FaceSurface.hxx>
#include <StepToGeom.hxx>
#include <TColStd_HSequenceOfTransient.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <XSControl_WorkSession.hxx>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
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
        n.insert(n.end(),
                 static_cast<std::size_t>(std::clamp(m->Value(m->Lower() + i - k->Lower()), 0, 64)),
                 k->Value(i));
    return n;
}

// What is wrong with a STEP face's B-spline surface, "" when nothing.
std::string defautStep(const Handle(StepGeom_Surface) & s) {
    Handle(StepGeom_BSplineSurfaceWithKnots) b =
        Handle(StepGeom_BSplineSurfaceWithKnots)::DownCast(s);
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

// The parameter data of an IGES file, entity by entity (the directory
// line of each), as written: Open CASCADE's loader mends some faults (a
// weight <= 0 makes the whole surface polynomial), so a face's surface is
// checked on the file's own numbers.
class ParametresIges {
  public:
    explicit ParametresIges(const std::string& chemin) {
        std::ifstream f(chemin, std::ios::binary);
        for (std::string l; std::getline(f, l);) {
            if (l.size() < 80 || l[72] != 'P')
                continue;
            const long de = std::strtol(l.substr(64, 8).c_str(), nullptr, 10);
            texte_[de] += l.substr(0, 64);
        }
    }

    // The directory lines of the entities, in order.
    std::vector<long> entites() const {
        std::vector<long> d;
        d.reserve(texte_.size());
        for (const auto& [de, texte] : texte_)
            d.push_back(de);
        return d;
    }

    // The fields of entity de, split at ',' and ';'.
    std::vector<std::string> champs(long de) const {
        std::vector<std::string> c;
        const auto it = texte_.find(de);
        if (it == texte_.end())
            return c;
        std::string courant;
        for (char ch : it->second) {
            if (ch == ',' || ch == ';') {
                c.push_back(courant);
                courant.clear();
                if (ch == ';')
                    break;
            } else if (ch != ' ') {
                courant += ch;
            }
        }
        return c;
    }

  private:
    std::map<long, std::string> texte_;
};

// A field read as a real ("1.5D0" as "1.5E0"); NaN when it is not one.
double reel(std::string t) {
    std::replace(t.begin(), t.end(), 'D', 'E');
    char* fin = nullptr;
    const double v = std::strtod(t.c_str(), &fin);
    return t.empty() || *fin != '\0' ? std::nan("") : v;
}

// What is wrong with an IGES B-spline surface (entity 128) as the file
// writes it, "" when nothing.
std::string defautIges(const std::vector<std::string>& c) {
    if (c.size() < 10)
        return "donnees invalides : points de controle ou poids manquants";
    const long k1 = std::lround(reel(c[1])), k2 = std::lround(reel(c[2]));
    DonneesBSpline d;
    d.degreU = static_cast<int>(std::clamp(std::lround(reel(c[3])), -1L, 1000000000L));
    d.degreV = static_cast<int>(std::clamp(std::lround(reel(c[4])), -1L, 1000000000L));
    if (k1 < 0 || k2 < 0 || k1 > 100000 || k2 > 100000 || d.degreU < 1 || d.degreV < 1 ||
        d.degreU > 25 || d.degreV > 25)
        return defautBSpline(d);
    d.polesU = static_cast<int>(k1 + 1);
    d.polesV = static_cast<int>(k2 + 1);
    const bool rationnel = std::lround(reel(c[7])) == 0;
    const std::size_t nu = static_cast<std::size_t>(k1 + d.degreU + 2),
                      nv = static_cast<std::size_t>(k2 + d.degreV + 2),
                      np = static_cast<std::size_t>(d.polesU) * static_cast<std::size_t>(d.polesV);
    if (c.size() < 10 + nu + nv + 4 * np)
        return "donnees invalides : points de controle ou poids manquants";
    std::size_t k = 10;
    for (std::size_t i = 0; i < nu; ++i)
        d.noeudsU.push_back(reel(c[k++]));
    for (std::size_t i = 0; i < nv; ++i)
        d.noeudsV.push_back(reel(c[k++]));
    for (std::size_t i = 0; i < np; ++i, ++k)
        if (rationnel)
            d.poids.push_back(reel(c[k]));
    for (std::size_t i = 0; i < 3 * np; ++i)
        d.polesFinis = d.polesFinis && std::isfinite(reel(c[k++]));
    return defautBSpline(d);
}

// True when the fields of a B-spline curve (126) or surface (128) are as
// many as its counts and degrees call for: Open CASCADE's loader indexes
// them without checking, and a damaged count crashes it.
bool comptesIgesCoherents(const std::vector<std::string>& c) {
    if (c.empty() || (c[0] != "126" && c[0] != "128"))
        return true;
    const bool surface = c[0] == "128";
    if (c.size() < (surface ? 10u : 7u))
        return false;
    const long k1 = std::lround(reel(c[1]));
    const long k2 = surface ? std::lround(reel(c[2])) : 0;
    const long m1 = std::lround(reel(c[surface ? 3 : 2]));
    const long m2 = surface ? std::lround(reel(c[4])) : 0;
    if (k1 < 0 || k2 < 0 || m1 < 1 || (surface && m2 < 1) || k1 > 1000000 || k2 > 1000000 ||
        m1 > k1 + 1 || (surface && m2 > k2 + 1))
        return false;
    const long poles = (k1 + 1) * (k2 + 1);
    const long attendus = surface ? 10 + (k1 + m1 + 2) + (k2 + m2 + 2) + 4 * poles + 4
                                  : 7 + (k1 + m1 + 2) + 4 * poles + 2;
    return static_cast<long>(c.size()) >= attendus;
}

// The B-spline surface of an IGES face as the file writes it (the face
// itself, or the surface of a trimmed surface 144 or a face 510), "" when
// it is another kind.
std::string defautFaceIges(const ParametresIges& p, long de) {
    std::vector<std::string> c = p.champs(de);
    if (!c.empty() && (c[0] == "144" || c[0] == "510") && c.size() > 1) {
        const long surface = std::lround(reel(c[1]));
        c = p.champs(surface);
        // A face on itself or on another face would send the reader round
        // in circles.
        if (surface == de || c.empty() || c[0] == "144" || c[0] == "510" || c[0] == "143")
            return "donnees invalides : la face ne designe pas une surface";
    }
    return !c.empty() && c[0] == "128" ? defautIges(c) : "";
}

// What is wrong with a STEP face's raw data before Open CASCADE makes it a
// surface, "" when nothing.
std::string defautBrutStep(const Handle(Standard_Transient) & ent) {
    try {
        if (auto surface = Handle(StepGeom_Surface)::DownCast(ent))
            return defautStep(surface);
        const Handle(StepShape_FaceSurface) f = Handle(StepShape_FaceSurface)::DownCast(ent);
        return f.IsNull() ? "" : defautStep(f->FaceGeometry());
    } catch (const Standard_Failure&) {
        return "donnees invalides : points de controle ou poids manquants";
    }
}

// The torus or sphere a STEP face is defined on, null for another surface.
Handle(Geom_Surface) toreStep(const Handle(Standard_Transient) & ent) {
    const Handle(StepShape_FaceSurface) f = Handle(StepShape_FaceSurface)::DownCast(ent);
    if (f.IsNull())
        return nullptr;
    if (auto t = Handle(StepGeom_ToroidalSurface)::DownCast(f->FaceGeometry())) {
        // Built here: Open CASCADE's own translation refuses a spindle
        // torus (minor radius above the major one).
        const Handle(Geom_Axis2Placement) ax = StepToGeom::MakeAxis2Placement(t->Position());
        const double k = StepData_GlobalFactors::Intance().LengthFactor();
        if (ax.IsNull() || !(t->MajorRadius() >= 0) || !(t->MinorRadius() > 0))
            return nullptr;
        return new Geom_ToroidalSurface(gp_Ax3(ax->Ax2()), t->MajorRadius() * k,
                                        t->MinorRadius() * k);
    }
    if (auto sp = Handle(StepGeom_SphericalSurface)::DownCast(f->FaceGeometry()))
        return StepToGeom::MakeSphericalSurface(sp);
    return nullptr;
}

// The file's number of an entity: STEP's #N, IGES's directory line.
long numeroEntite(const Handle(Interface_InterfaceModel) & modele,
                  const Handle(Standard_Transient) & ent, int rang, bool iges) {
    if (iges)
        return 2L * rang - 1;
    const auto step = Handle(StepData_StepModel)::DownCast(modele);
    return step.IsNull() ? rang : step->IdentLabel(ent);
}

// The rows of one face entity.
std::vector<ElementCao> lireFace(XSControl_Reader& lecteur, const Handle(Standard_Transient) & ent,
                                 int face, long entite, const ParametresIges* iges, int chiffres) {
    const std::string defaut =
        iges != nullptr ? defautFaceIges(*iges, entite) : defautBrutStep(ent);
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
        // A bare surface (a geometric set of surfaces): its whole domain.
        if (auto s = Handle(StepGeom_Surface)::DownCast(ent)) {
            const Handle(Geom_Surface) g = StepToGeom::MakeSurface(s);
            if (g.IsNull())
                return ignoree("surface illisible : le lecteur n'en tire aucune surface");
            DomaineFace d;
            d.chiffres = chiffres;
            g->Bounds(d.u0, d.u1, d.v0, d.v1);
            return elementsFace(face, entite, g, d);
        }
        lecteur.ClearShapes();
        if (!lecteur.TransferEntity(ent))
            return ignoree("face illisible : le lecteur n'en tire aucune surface");
        for (TopExp_Explorer x(lecteur.OneShape(), TopAbs_FACE); x.More(); x.Next()) {
            const TopoDS_Face f = TopoDS::Face(x.Current());
            DomaineFace d;
            d.chiffres = chiffres;
            BRepTools::UVBounds(f, d.u0, d.u1, d.v0, d.v1);
            const Handle(Geom_Surface) surface = BRep_Tool::Surface(f);
            const Handle(Geom_Surface) defini = iges != nullptr ? nullptr : toreStep(ent);
            if (!defini.IsNull() && !surface->IsKind(defini->DynamicType()))
                return elementsToreDefini(face, entite, surface, d, defini);
            return elementsFace(face, entite, surface, d);
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

// The minimum resolution an IGES file's global section states (its 19th
// field), 0 when it gives none.
double resolutionIges(const std::string& debut) {
    std::string global;
    std::size_t k = 0;
    while (k < debut.size()) {
        const std::size_t fin = std::min(debut.find('\n', k), debut.size());
        if (fin - k > 72 && debut[k + 72] == 'G')
            global += debut.substr(k, 72);
        k = fin + 1;
    }
    // Fields are split at ',' (the file may name another delimiter: then
    // no resolution is read); a string nHxxx is skipped whole.
    int champ = 1;
    std::string courant;
    for (std::size_t i = 0; i < global.size(); ++i) {
        const char c = global[i];
        if (c == ',' || c == ';') {
            if (champ == 19) {
                double v = 0;
                return lireNombreDecimal(courant, v) && v > 0 ? v : 0;
            }
            ++champ;
            courant.clear();
            continue;
        }
        if (c == 'H' && !courant.empty() &&
            courant.find_first_not_of("0123456789") == std::string::npos) {
            i += static_cast<std::size_t>(std::atoi(courant.c_str()));
            courant = "*";
            continue;
        }
        if (c != ' ')
            courant += c;
    }
    return 0;
}

// The text of the file's first 8 MB, for the digits of its numbers.
std::string debutFichier(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::string t(8u << 20, '\0');
    f.read(t.data(), static_cast<std::streamsize>(t.size()));
    t.resize(static_cast<std::size_t>(f.gcount()));
    return t;
}

// The face entities of the file with their rank in its model, in the
// file's order.
std::vector<std::pair<int, Handle(Standard_Transient)>> entitesFaces(XSControl_Reader& lecteur,
                                                                     bool iges) {
    const Handle(TColStd_HSequenceOfTransient) liste =
        lecteur.GiveList(iges ? "iges-faces" : "step-faces");
    std::vector<std::pair<int, Handle(Standard_Transient)>> faces;
    if (liste.IsNull())
        return faces;
    const Handle(Interface_InterfaceModel) m = lecteur.Model();
    for (int k = 1; k <= liste->Length(); ++k)
        faces.emplace_back(m->Number(liste->Value(k)), liste->Value(k));
    std::stable_sort(faces.begin(), faces.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
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

// The deepest nesting of parentheses in a STEP file (outside its strings):
// its parser recurses once per level, so that a deep one would overflow
// its stack.
long profondeurListes(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::vector<char> bloc(1 << 16);
    long profondeur = 0, maximum = 0;
    bool chaine = false;
    while (f.read(bloc.data(), static_cast<std::streamsize>(bloc.size())) || f.gcount() > 0) {
        for (std::streamsize k = 0; k < f.gcount(); ++k) {
            const char c = bloc[static_cast<std::size_t>(k)];
            if (c == '\'')
                chaine = !chaine;
            else if (!chaine && c == '(')
                maximum = std::max(maximum, ++profondeur);
            else if (!chaine && c == ')')
                --profondeur;
        }
    }
    return maximum;
}

// Deeper lists than any STEP file needs.
const long PROFONDEUR_MAX = 1000;

} // namespace

void faireTaireOcct() {
    const Handle(Message_Messenger)& m = Message::DefaultMessenger();
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

Resultat<BilanCao> lireFacesCao(const std::string& chemin, int depuis,
                                const std::function<void(const PrecisionCao&)>& precision,
                                const std::function<void(const ElementCao&)>& recevoir,
                                const std::function<void(const Resultat<BilanCao>&)>& terminer) {
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
    const std::unique_ptr<ParametresIges> parametres =
        iges ? std::make_unique<ParametresIges>(chemin) : nullptr;
    if (iges)
        for (long de : parametres->entites())
            if (!comptesIgesCoherents(parametres->champs(de)))
                return {bilan, "le fichier " + cite +
                                   " est incomplet ou defectueux (IGES : l'entite " +
                                   std::to_string(de) +
                                   " n'a pas les valeurs que ses degres "
                                   "et ses nombres de points annoncent)"};
    if (!iges) {
        const long profondeur = profondeurListes(chemin);
        if (profondeur > PROFONDEUR_MAX)
            return {bilan, "le fichier " + cite +
                               " n'est pas un fichier STEP lisible : listes imbriquees sur " +
                               std::to_string(profondeur) + " niveaux"};
    }
    if (lecteur->ReadFile(chemin.c_str()) != IFSelect_RetDone || lecteur->Model().IsNull())
        return {bilan, "le fichier " + cite + " n'est pas un fichier " + format + " lisible"};
    const Interface_CheckIterator controles = lecteur->WS()->ModelCheckList();
    if (!controles.IsEmpty(true))
        return {bilan, "le fichier " + cite + " est incomplet ou defectueux (" + format +
                           " : entites en defaut, references pendantes ou fichier tronque)"};
    bilan.precision.chiffres = chiffresSignificatifs(debut);
    bilan.precision.incertitude = iges ? resolutionIges(debut) : incertitudeStep(lecteur->Model());
    precision(bilan.precision);
    const auto faces = entitesFaces(*lecteur, iges);
    for (const auto& [rang, ent] : faces) {
        ++bilan.faces;
        if (bilan.faces < depuis)
            continue;
        const long entite = numeroEntite(lecteur->Model(), ent, rang, iges);
        for (const ElementCao& e : lireFace(*lecteur, ent, bilan.faces, entite, parametres.get(),
                                            bilan.precision.chiffres)) {
            bilan.ignorees += e.sorte == SorteElementCao::Ignoree ? 1 : 0;
            recevoir(e);
        }
    }
    if (bilan.faces == 0)
        lu.raison = "le fichier " + cite + " ne contient aucune face";
    if (terminer)
        terminer(lu);
    return lu;
}

} // namespace cyclide
