// The Python module cyclide: the conversion of the seven parameters or of a
// net given directly, through the same scene rebuild as the window and the
// converter, with the converter's JSON object as a dict; many conversions
// on several threads with the interpreter's lock released; pieces of
// cyclide and samples of a patch as numpy arrays; the STEP and OBJ exports
// written through the project's safe file writer.
#include "DictJson.h"
#include "conversion/DecisionCarreau.h"
#include "conversion/GenreCyclide.h"
#include "conversion/ReseauCyclide.h"
#include "fichiers/DiagnosticsCaptures.h"
#include "lot/LotParametres.h"
#include "scene/Scene.h"
#include "sorties/ExportObj.h"
#include "sorties/ExportStep.h"
#include "sorties/ResultatJson.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace py = pybind11;
using namespace cyclide;

namespace {

using Tableau = py::array_t<double, py::array::c_style | py::array::forcecast>;

// Raises ValueError with a reason written in ISO 8859-1 (the tool's console
// texts), decoded as such.
[[noreturn]] void refuser(const std::string& raison) {
    PyObject* texte =
        PyUnicode_DecodeLatin1(raison.data(), static_cast<Py_ssize_t>(raison.size()), nullptr);
    PyErr_SetObject(PyExc_ValueError, texte);
    Py_XDECREF(texte);
    throw py::error_already_set();
}

// The plane choice of a plane name: "z" Plan Pz, "y" Plan Py.
PlanConversion planDuNom(const std::string& plan) {
    if (plan == "z")
        return PlanConversion::Pz;
    if (plan == "y")
        return PlanConversion::Py;
    refuser("plan inconnu '" + plan + "' (y ou z attendu)");
}

// The text of a number as a message shows it.
std::string texteNombre(double v) {
    std::string t;
    ajouterNombre(t, v);
    return t == "null" ? (std::isnan(v) ? "nan" : (v > 0 ? "inf" : "-inf")) : t;
}

// Refuses a number that is not finite, naming it.
void exigerFini(double v, const std::string& quoi) {
    if (!std::isfinite(v))
        refuser(quoi + " non fini '" + texteNombre(v) + "' (nombre fini attendu)");
}

// The seven parameters of one set (theta00, theta02, theta20, theta22,
// rayon, z11, P10), each finite.
void lireJeu(const double* source, double valeurs[7]) {
    for (int k = 0; k < 7; ++k) {
        exigerFini(source[k], "parametre");
        valeurs[k] = source[k];
    }
}

// The net of nine rows x, y, z, w (P00 P01 P02 P10 ... P22), each number
// finite.
RBBP reseauDe(const double* source) {
    RBBP net;
    for (int k = 0; k < 9; ++k) {
        const double* ligne = source + static_cast<std::ptrdiff_t>(4 * k);
        for (int m = 0; m < 4; ++m)
            exigerFini(ligne[m], "coordonnee du carreau");
        net.setP(k / 3, k % 3, Point(ligne[0], ligne[1], ligne[2]));
        net.setW(k / 3, k % 3, ligne[3]);
    }
    return net;
}

// The names of the four boundaries, and control point t (0..2) of boundary k.
const char* const NOMS_BORDS[4] = {"u = 0 (P00 P01 P02)", "u = 1 (P20 P21 P22)",
                                   "v = 0 (P00 P10 P20)", "v = 1 (P02 P12 P22)"};
void indicesBord(int k, int t, int& i, int& j) {
    const int fixe = k % 2 == 0 ? 0 : 2;
    i = k < 2 ? fixe : t;
    j = k < 2 ? t : fixe;
}

// Refuses a net one of whose boundaries is not a circular arc within the
// relative tolerance tol, as the converter refuses such a net file.
void verifierBords(const RBBP& net, double tol, const std::string& designation) {
    for (int k = 0; k < 4; ++k) {
        Point q[3];
        double w[3];
        for (int t = 0; t < 3; ++t) {
            int i = 0, j = 0;
            indicesBord(k, t, i, j);
            q[t] = net.getP(i, j);
            w[t] = net.getW(i, j);
        }
        const Resultat<void> arc = arcDeCercle(q[0], q[1], q[2], w[0], w[1], w[2], tol);
        if (!arc.ok()) {
            std::string raison = designation + " : le bord ";
            raison += NOMS_BORDS[k];
            raison += " n'est pas un arc de cercle : ";
            refuser(raison + arc.raison);
        }
    }
}

// A tolerance for nets: in (0, 1), as the converter's.
void verifierTolerance(double tolerance) {
    if (!toleranceValide(tolerance))
        refuser(std::string("la tolerance attend ") + TOLERANCE_ATTENDUE);
}

// One conversion to convert, read and checked while the lock is held.
struct Demande {
    EntreeScene entree;
    OrigineEntree origine;
};

Demande demandeParametres(const double* source, PlanConversion plan) {
    double valeurs[7];
    lireJeu(source, valeurs);
    return {entreeParametres(valeurs, plan), OrigineEntree{}};
}

Demande demandeReseau(const double* source, PlanConversion plan, double tolerance,
                      const std::string& designation) {
    const RBBP net = reseauDe(source);
    verifierBords(net, tolerance, designation);
    const double zeros[7] = {0, 0, 0, 0, 0, 0, 0};
    Demande d{entreeParametres(zeros, plan), OrigineEntree{}};
    d.entree.reseauDonne = true;
    d.entree.reseau = net;
    d.entree.tolerance = tolerance;
    // A net given from a program is named as the standard input is.
    d.origine.sorte = OrigineEntree::Sorte::Reseau;
    d.origine.fichier = "-";
    return d;
}

// While it lives, the core's diagnostic lines are kept from the process's
// standard output (a script's own output, which may be JSON or CSV);
// passer writes them to sys.stderr. Needs the interpreter's lock.
class DiagnosticsVersStderr {
  public:
    void passer() {
        const std::string texte = captures_.prendre();
        if (texte.empty())
            return;
        const py::object erreur = py::module_::import("sys").attr("stderr");
        if (!erreur.is_none())
            erreur.attr("write")(py::str(texte));
    }

  private:
    DiagnosticsCaptures captures_;
};

// The value of one conversion's result, as the converter's JSON object reads
// (the conversion with the lock released).
py::object resultatDemande(const Demande& d) {
    ValeursResultat valeurs;
    DiagnosticsVersStderr diagnostics;
    {
        py::gil_scoped_release libre;
        valeurs.ajouter(construireScene(d.entree), d.origine);
    }
    diagnostics.passer();
    PyObject* o = BatisseurDicts(valeurs).suivant();
    if (o == nullptr)
        throw py::error_already_set();
    return py::reinterpret_steal<py::object>(o);
}

// The data of an array of the given shape; any other shape is refused with
// what was expected.
const double* donnees(const Tableau& t, std::initializer_list<py::ssize_t> forme,
                      const char* attendu) {
    bool bonne = t.ndim() == static_cast<py::ssize_t>(forme.size());
    py::ssize_t k = 0;
    for (py::ssize_t n : forme)
        bonne = bonne && t.shape(k++) == n;
    if (!bonne)
        refuser(std::string("tableau de forme inattendue (") + attendu + " attendu)");
    return t.data();
}

// The row-by-row data of a net: a (9, 4) or a (3, 3, 4) array.
const double* donneesReseau(const Tableau& t) {
    if (t.ndim() == 3)
        return donnees(t, {3, 3, 4}, "(9, 4) ou (3, 3, 4)");
    return donnees(t, {9, 4}, "(9, 4) ou (3, 3, 4)");
}

// In: the seven parameters as a sequence or array, the plane "z" or "y".
// Out: the dict of the converter's --json object for these parameters.
// Degenerate: a non-finite parameter or another plane raises ValueError.
py::object convertir(const Tableau& parametres, const std::string& plan) {
    const PlanConversion choix = planDuNom(plan);
    return resultatDemande(demandeParametres(donnees(parametres, {7}, "7 parametres"), choix));
}

// In: a net (9, 4) or (3, 3, 4) of x, y, z, w, row by row P00 P01 P02 P10
// ... P22; the relative tolerance; the plane.
// Out: the dict of the converter's --carreau - --json object for this net.
// Degenerate: a non-finite number, a boundary that is not a circular arc, a
// tolerance that is not finite and positive raise ValueError.
py::object convertirReseau(const Tableau& net, double tolerance, const std::string& plan) {
    const PlanConversion choix = planDuNom(plan);
    verifierTolerance(tolerance);
    return resultatDemande(demandeReseau(donneesReseau(net), choix, tolerance, "le carreau"));
}

// The cyclic garbage collector off for a scope, back on after it if it was.
class GcSuspendu {
  public:
    GcSuspendu() : actif_(PyGC_Disable() != 0) {}
    ~GcSuspendu() {
        if (actif_)
            PyGC_Enable();
    }
    GcSuspendu(const GcSuspendu&) = delete;
    GcSuspendu& operator=(const GcSuspendu&) = delete;

  private:
    bool actif_;
};

// The demands of a batch, checked while the lock is held: the parameter
// sets as their seven numbers (made into scene inputs by the workers), or
// the nets.
struct Lot {
    PlanConversion plan = PlanConversion::Pz;
    std::vector<double> jeux;     // seven numbers a set
    std::vector<Demande> reseaux; // or the nets

    std::size_t taille() const { return reseaux.empty() ? jeux.size() / 7 : reseaux.size(); }

    // The result of demand k appended to valeurs (no lock needed).
    void convertir(std::size_t k, ValeursResultat& valeurs) const {
        if (!reseaux.empty())
            valeurs.ajouter(construireScene(reseaux[k].entree), reseaux[k].origine);
        else
            valeurs.ajouter(construireScene(entreeParametres(&jeux[7 * k], plan)), OrigineEntree{});
    }
};

// The demands converted chunk after chunk while the calling thread makes
// the Python values of the chunks already done: the only part that needs
// the interpreter's lock overlaps the conversions. With one thread, one
// worker converts and the calling thread only makes values; with n threads,
// n - 1 workers convert and the calling thread converts too whenever the
// next chunk in order is not done yet, so that no more than n threads are
// busy at once. The conversions stay a bounded number of chunks ahead of the
// values made (a calling thread descheduled a while does not stop the
// workers), and the chunks' buffers are reused.
class LotEnCours {
  public:
    LotEnCours(const Lot& lot, int fils) : lot_(lot), blocs_((lot.taille() + BLOC - 1) / BLOC) {
        const unsigned coeurs = std::max(1u, std::thread::hardware_concurrency());
        const std::size_t n =
            std::min<std::size_t>(fils > 0 ? static_cast<std::size_t>(fils) : coeurs,
                                  std::max<std::size_t>(1, blocs_.size()));
        aide_ = n > 1;
        avance_ = 16 * n + 16;
        for (std::size_t k = 0; k < (aide_ ? n - 1 : n); ++k)
            travailleurs_.emplace_back([this] { travailler(); });
    }
    ~LotEnCours() {
        {
            const std::lock_guard<std::mutex> garde(verrou_);
            arret_ = true;
        }
        place_.notify_all();
        for (auto& t : travailleurs_)
            t.join();
    }
    LotEnCours(const LotEnCours&) = delete;
    LotEnCours& operator=(const LotEnCours&) = delete;

    // The list of the values in input order (called with the lock held).
    py::list resultats() {
        const std::size_t n = lot_.taille();
        auto l = py::reinterpret_steal<py::list>(PyList_New(static_cast<Py_ssize_t>(n)));
        if (!l)
            throw py::error_already_set();
        const GcSuspendu gc; // the values live on: no point scanning them while they are made
        for (std::size_t b = 0; b < blocs_.size(); ++b) {
            Bloc& bloc = attendre(b);
            if (!bloc.erreur.empty())
                throw std::runtime_error(bloc.erreur);
            BatisseurDicts batisseur(*bloc.valeurs);
            for (std::size_t k = b * BLOC; k < std::min((b + 1) * BLOC, n); ++k) {
                PyObject* v = batisseur.suivant();
                if (v == nullptr)
                    throw py::error_already_set();
                PyList_SET_ITEM(l.ptr(), static_cast<Py_ssize_t>(k), v);
            }
            rendre(bloc);
        }
        return l;
    }

  private:
    static constexpr std::size_t BLOC = 64;
    struct Bloc {
        std::unique_ptr<ValeursResultat> valeurs;
        std::string erreur; // why the chunk could not be converted
        bool fait = false;
    };
    const Lot& lot_;
    std::vector<Bloc> blocs_;
    bool aide_ = false; // the calling thread converts too
    std::size_t avance_ = 1;
    // Guarded by verrou_: the chunks' states, the next chunk to convert,
    // the chunks made into values, the buffers free for reuse.
    std::mutex verrou_;
    std::condition_variable fait_;
    std::condition_variable place_;
    std::size_t suivant_ = 0;
    std::size_t batis_ = 0;
    std::vector<std::unique_ptr<ValeursResultat>> libres_;
    bool arret_ = false;
    std::vector<std::thread> travailleurs_;

    // True when a chunk may start (verrou_ held).
    bool peutCommencer() const { return suivant_ < blocs_.size() && suivant_ < batis_ + avance_; }

    // The next chunk taken, with a buffer for its values (verrou_ held).
    std::size_t prendre(std::unique_ptr<ValeursResultat>& valeurs) {
        if (!libres_.empty()) {
            valeurs = std::move(libres_.back());
            libres_.pop_back();
        }
        return suivant_++;
    }

    // Converts chunk b into valeurs (no lock held) and marks it done.
    void convertirBloc(std::size_t b, std::unique_ptr<ValeursResultat> valeurs) {
        if (!valeurs)
            valeurs = std::make_unique<ValeursResultat>();
        std::string erreur;
        try {
            for (std::size_t k = b * BLOC; k < std::min((b + 1) * BLOC, lot_.taille()); ++k)
                lot_.convertir(k, *valeurs);
        } catch (const std::exception& e) {
            erreur = std::string("conversion interrompue : ") + e.what();
        }
        {
            const std::lock_guard<std::mutex> garde(verrou_);
            blocs_[b].valeurs = std::move(valeurs);
            blocs_[b].erreur = std::move(erreur);
            blocs_[b].fait = true;
        }
        fait_.notify_all();
    }

    void travailler() {
        for (;;) {
            std::size_t b = 0;
            std::unique_ptr<ValeursResultat> valeurs;
            {
                std::unique_lock<std::mutex> garde(verrou_);
                place_.wait(garde, [this] {
                    return arret_ || suivant_ >= blocs_.size() || peutCommencer();
                });
                if (arret_ || suivant_ >= blocs_.size())
                    return;
                b = prendre(valeurs);
            }
            convertirBloc(b, std::move(valeurs));
        }
    }

    // Chunk b once converted, the interpreter's lock released while the
    // calling thread converts or waits.
    Bloc& attendre(std::size_t b) {
        {
            const std::lock_guard<std::mutex> garde(verrou_);
            if (blocs_[b].fait)
                return blocs_[b];
        }
        const py::gil_scoped_release libre; // taken back once verrou_ is released
        std::unique_lock<std::mutex> garde(verrou_);
        while (!blocs_[b].fait) {
            if (aide_ && peutCommencer()) {
                std::unique_ptr<ValeursResultat> valeurs;
                const std::size_t c = prendre(valeurs);
                garde.unlock();
                convertirBloc(c, std::move(valeurs));
                garde.lock();
            } else {
                fait_.wait(garde);
            }
        }
        return blocs_[b];
    }

    // The chunk's buffer back to the free ones, and room for one more chunk.
    void rendre(Bloc& bloc) {
        bloc.valeurs->vider();
        {
            const std::lock_guard<std::mutex> garde(verrou_);
            libres_.push_back(std::move(bloc.valeurs));
            ++batis_;
        }
        place_.notify_all();
    }
};

// In: an (N, 7) array of parameter sets, or an (N, 9, 4) or (N, 3, 3, 4)
// array of nets; the plane; the thread count (0: one per core); the nets'
// tolerance.
// Out: the list of the N dicts convert (or convert_net) gives, in input
// order, converted with the interpreter's lock released.
// Degenerate: a bad row raises ValueError naming it (from 0) before any
// conversion.
py::list convertirLot(const Tableau& lot, const std::string& plan, int fils, double tolerance) {
    const PlanConversion choix = planDuNom(plan);
    if (fils < 0)
        refuser("le nombre de fils attend un entier positif ou nul");
    const bool reseaux = lot.ndim() == 3 || lot.ndim() == 4;
    if (reseaux)
        verifierTolerance(tolerance);
    const py::ssize_t n = lot.ndim() > 0 ? lot.shape(0) : 0;
    const double* base = reseaux ? (lot.ndim() == 3 ? donnees(lot, {n, 9, 4}, "(N, 9, 4)")
                                                    : donnees(lot, {n, 3, 3, 4}, "(N, 3, 3, 4)"))
                                 : donnees(lot, {n, 7}, "(N, 7) ou (N, 9, 4)");
    Lot demandes;
    demandes.plan = choix;
    if (reseaux)
        demandes.reseaux.reserve(static_cast<std::size_t>(n));
    else
        demandes.jeux.resize(7 * static_cast<std::size_t>(n));
    for (py::ssize_t k = 0; k < n; ++k) {
        try {
            if (reseaux)
                demandes.reseaux.push_back(
                    demandeReseau(base + 36 * k, choix, tolerance, "le carreau"));
            else
                lireJeu(base + 7 * k, &demandes.jeux[7 * static_cast<std::size_t>(k)]);
        } catch (py::error_already_set& e) {
            refuser("rang " + std::to_string(k) + " : " + py::str(e.value()).cast<std::string>());
        }
    }
    DiagnosticsVersStderr diagnostics;
    py::list resultats;
    {
        LotEnCours enCours(demandes, fils);
        resultats = enCours.resultats();
    }
    diagnostics.passer();
    return resultats;
}

// A pair of numbers (a range of angles or of the piece).
void paire(const py::object& o, double& x0, double& x1, const char* quoi) {
    const Tableau t = Tableau::ensure(o);
    if (!t || t.ndim() != 1 || t.shape(0) != 2)
        refuser(std::string(quoi) + " attend deux nombres");
    x0 = t.data()[0];
    x1 = t.data()[1];
}

// The net as a (3, 3, 4) array of x, y, z, w.
py::array_t<double> tableauReseau(const RBBP& net) {
    py::array_t<double> t({3, 3, 4});
    auto v = t.mutable_unchecked<3>();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const Point& p = net.P[i][j];
            v(i, j, 0) = p.getX0();
            v(i, j, 1) = p.getY0();
            v(i, j, 2) = p.getZ0();
            v(i, j, 3) = net.w[i][j];
        }
    return t;
}

// In: the cyclide a, c, mu; theta = (u0, u1), psi = (v0, v1) in radians,
// each span below pi; the centre; the frame, three unit axes as rows (the
// result's "frame").
// Out: the exact (3, 3, 4) net of the piece in world coordinates (i along
// theta, j along psi).
// Frame: a frame point q is the world point centre + q0 axis0 + q1 axis1
// + q2 axis2.
// Degenerate: a span not below pi, |c| > |a|, a non-finite number or a zero
// weight raise ValueError.
py::array_t<double> reseauMorceau(double a, double c, double mu, const py::object& theta,
                                  const py::object& psi, const Tableau& centre,
                                  const Tableau& repere) {
    MorceauCyclide m;
    paire(theta, m.u0, m.u1, "theta");
    paire(psi, m.v0, m.v1, "psi");
    const double* o = donnees(centre, {3}, "centre (3,)");
    const double* axes = donnees(repere, {3, 3}, "repere (3, 3)");
    double Base[3][3];
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            Base[r][k] = axes[3 * k + r];
    RBBP net;
    if (!reseauMorceauMonde(cyclidePlacee(a, c, mu, Point(o[0], o[1], o[2]), Base), m, net))
        refuser("morceau sans reseau exact : un ecart d'angle atteint pi, un nombre n'est pas "
                "fini, |c| > |a| ou un poids est nul");
    return tableauReseau(net);
}

// In: a net (9, 4) or (3, 3, 4), n >= 2.
// Out: the (n, n, 3) points of the patch at u = i / (n - 1), v = j / (n - 1).
// Degenerate: n < 2 raises ValueError; a point where the weights sum to
// zero comes out as the patch's evaluation gives it.
py::array_t<double> echantillons(const Tableau& net, int n) {
    if (n < 2)
        refuser("il faut au moins 2 points par direction");
    const RBBP carreau = reseauDe(donneesReseau(net));
    py::array_t<double> t({n, n, 3});
    auto v = t.mutable_unchecked<3>();
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const Point p =
                carreau.point(static_cast<double>(i) / (n - 1), static_cast<double>(j) / (n - 1));
            v(i, j, 0) = p.getX0();
            v(i, j, 1) = p.getY0();
            v(i, j, 2) = p.getZ0();
        }
    return t;
}

// A number of the result dict; null (None) reads as NaN.
double nombreDe(const py::handle& o) {
    return o.is_none() ? std::nan("") : o.cast<double>();
}

// The scene a result dict describes, as the exports read it: the patch's
// net, its cyclide with centre and frame, the piece, the type and code.
// Refuses a dict without these keys or a net with a null number.
Scene sceneDeResultat(const py::dict& r) {
    Scene s;
    try {
        s.type = r["type"].cast<int>();
        if (!genreDuCode(r["code"].cast<int>(), s.typeCyclide))
            refuser("resultat mal forme : code de cyclide hors de 0 a 6");
        for (const py::handle& sommet : r["net"].cast<py::list>()) {
            const int i = sommet["i"].cast<int>();
            const int j = sommet["j"].cast<int>();
            const py::list xyz = sommet["point"].cast<py::list>();
            if (i < 0 || i > 2 || j < 0 || j > 2 || xyz.size() != 3)
                refuser("resultat mal forme : point de controle hors du reseau 3 x 3");
            double x[4] = {nombreDe(xyz[0]), nombreDe(xyz[1]), nombreDe(xyz[2]),
                           nombreDe(sommet["weight"])};
            for (double v : x)
                exigerFini(v, "coordonnee du carreau");
            s.Bez.setP(i, j, Point(x[0], x[1], x[2]));
            s.Bez.setW(i, j, x[3]);
        }
        const py::dict cy = r["cyclide"].cast<py::dict>();
        const py::list centre = cy["centre"].cast<py::list>();
        const py::list repere = cy["frame"].cast<py::list>();
        double Base[3][3];
        for (int k = 0; k < 3; ++k)
            for (int m = 0; m < 3; ++m)
                Base[m][k] = nombreDe(repere[k].cast<py::list>()[m]);
        const py::dict piece = r["piece"].cast<py::dict>();
        s.morceau = {nombreDe(piece["u0"]), nombreDe(piece["u1"]), nombreDe(piece["v0"]),
                     nombreDe(piece["v1"])};
        s.converti = s.Bez;
        s.converti.poserCyclide(cyclidePlacee(
            nombreDe(cy["a"]), nombreDe(cy["c"]), nombreDe(cy["mu"]),
            Point(nombreDe(centre[0]), nombreDe(centre[1]), nombreDe(centre[2])), Base));
    } catch (py::error_already_set& e) {
        if (e.matches(PyExc_ValueError))
            throw;
        refuser(std::string("resultat mal forme (un dict de convert attendu) : ") + e.what());
    } catch (std::exception& e) {
        refuser(std::string("resultat mal forme (un dict de convert attendu) : ") + e.what());
    }
    return s;
}

// The notices of an export as a list of str (ISO 8859-1 decoded).
py::list listeNotices(const std::vector<std::string>& notices) {
    py::list l;
    for (const auto& n : notices)
        l.append(py::reinterpret_steal<py::str>(
            PyUnicode_DecodeLatin1(n.data(), static_cast<Py_ssize_t>(n.size()), nullptr)));
    return l;
}

// In: a result dict of convert, convert_net or convert_batch; the path.
// Out: the STEP file the converter's --step writes for the same result,
// through the safe file writer; the list of notices (surfaces left out).
// Degenerate: a path that cannot be written or a patch that cannot be
// written exactly raises ValueError, the old file left as it was.
py::list exporterStepPython(const py::dict& resultat, const std::string& chemin) {
    const Scene s = sceneDeResultat(resultat);
    std::vector<std::string> notices;
    const Resultat<void> ecrit = exporterStep(chemin, s, notices);
    if (!ecrit.ok())
        refuser("impossible d'ecrire le fichier STEP '" + chemin + "' : " + ecrit.raison);
    return listeNotices(notices);
}

// In: a result dict; the path.
// Out: the OBJ file the converter's --obj writes for the same result,
// through the safe file writer; the list of notices (groups left out).
// Degenerate: a path that cannot be written raises ValueError.
py::list exporterObjPython(const py::dict& resultat, const std::string& chemin) {
    const Scene s = sceneDeResultat(resultat);
    const std::vector<std::string> entete = {
        "cyclide-conv : carreau, carreau converti et cyclide de Dupin",
        "type " + std::to_string(s.type) + ", cyclide " + std::to_string(codeGenre(s.typeCyclide)) +
            " (" + messageCyclide(s.typeCyclide) + ")"};
    std::vector<std::string> notices;
    if (!exporterObj(chemin, s.converti, s.typeCyclide, s.morceau, entete, notices))
        refuser("impossible d'ecrire le fichier OBJ '" + chemin + "'");
    return listeNotices(notices);
}

py::array_t<double> identite() {
    py::array_t<double> t({3, 3});
    auto v = t.mutable_unchecked<2>();
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            v(r, k) = r == k ? 1 : 0;
    return t;
}

} // namespace

PYBIND11_MODULE(cyclide, m) {
    m.doc() = "Conversion of rational biquadratic Bezier patches into Dupin cyclide patches";
    m.attr("__version__") = CYCLIDE_VERSION;
    m.def("convert", &convertir, py::arg("parameters"), py::arg("plane") = "z",
          "The seven parameters (theta00, theta02, theta20, theta22, radius, z11, p10) -> the "
          "dict of one 'cyclide-conv --json' object.");
    m.def("convert_net", &convertirReseau, py::arg("net"), py::arg("tolerance") = 1e-6,
          py::arg("plane") = "z",
          "A (9, 4) or (3, 3, 4) net of x, y, z, w -> the dict of 'cyclide-conv --carreau - "
          "--json'.");
    m.def("convert_batch", &convertirLot, py::arg("sets"), py::arg("plane") = "z",
          py::arg("threads") = 0, py::arg("tolerance") = 1e-6,
          "An (N, 7) array of parameter sets or an (N, 9, 4) array of nets -> the list of their "
          "dicts in input order, converted on several threads.");
    m.def("piece_net", &reseauMorceau, py::arg("a"), py::arg("c"), py::arg("mu"), py::arg("theta"),
          py::arg("psi"), py::arg("centre") = py::make_tuple(0.0, 0.0, 0.0),
          py::arg("frame") = identite(),
          "The piece theta x psi of the cyclide (a, c, mu) placed at centre with the frame's "
          "axes (rows) -> its exact (3, 3, 4) net.");
    m.def("sample", &echantillons, py::arg("net"), py::arg("n"),
          "An (n, n, 3) array of points of the patch, for plotting.");
    m.def("write_step", &exporterStepPython, py::arg("result"), py::arg("path"),
          "Writes the STEP file of a result dict; gives back the notices.");
    m.def("write_obj", &exporterObjPython, py::arg("result"), py::arg("path"),
          "Writes the OBJ file of a result dict; gives back the notices.");
}
