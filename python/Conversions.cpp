#include "Conversions.h"

#include "DictJson.h"
#include "Entrees.h"
#include "fichiers/DiagnosticsCaptures.h"
#include "fichiers/LectureCarreau.h"
#include "lot/CarteOrdonnee.h"
#include "lot/LotParametres.h"
#include "scene/Scene.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace py = pybind11;

namespace cyclide {

namespace {

// While it lives, the core's diagnostic lines are kept from the process's
// standard output and error; passer hands them to Python as one
// RuntimeWarning. Needs the interpreter's lock.
class DiagnosticsAvertis {
  public:
    void passer() {
        const std::string texte = captures_.prendre();
        if (!texte.empty() && PyErr_WarnEx(PyExc_RuntimeWarning, texte.c_str(), 1) != 0)
            throw py::error_already_set();
    }

  private:
    DiagnosticsCaptures captures_;
};

// The dict of a recorded result.
py::object dictSuivant(BatisseurDicts& batisseur) {
    PyObject* o = batisseur.suivant();
    if (o == nullptr)
        throw py::error_already_set();
    return py::reinterpret_steal<py::object>(o);
}

// The dict of the scene of entree, converted with the lock released.
py::object resultatEntree(const EntreeScene& entree, const OrigineEntree& origine) {
    ValeursResultat valeurs;
    DiagnosticsAvertis diagnostics;
    {
        const py::gil_scoped_release libre;
        valeurs.ajouter(construireScene(entree), origine);
    }
    diagnostics.passer();
    BatisseurDicts batisseur(valeurs);
    return dictSuivant(batisseur);
}

// A net given from a program is named as the converter names its
// standard input.
OrigineEntree origineReseau() {
    OrigineEntree o;
    o.sorte = OrigineEntree::Sorte::Reseau;
    o.fichier = "-";
    return o;
}

EntreeScene entreeReseau(const double* v, PlanConversion plan, double tolerance) {
    const double zeros[7] = {0, 0, 0, 0, 0, 0, 0};
    EntreeScene e = entreeParametres(zeros, plan);
    e.reseauDonne = true;
    reseauDesValeurs(v, e.reseau);
    e.tolerance = tolerance;
    return e;
}

// The rows of a batch: N parameter sets or N nets, as read.
struct LotLu {
    Nombres nombres;
    std::size_t parRang = 7; // 7 or 36
    std::size_t rangs = 0;
    PlanConversion plan = PlanConversion::Pz;
    double tolerance = TOLERANCE_CARREAU;

    const double* rang(std::size_t k) const { return nombres.valeurs.data() + parRang * k; }

    // Why row k gives no result (--lot's words for the same line), or "".
    std::string faute(std::size_t k) const {
        const std::size_t champ = premierNonFini(rang(k), parRang);
        return champ < parRang ? raisonChamp(champ, texteNombre(rang(k)[champ])) : "";
    }
    // The scene of a row without fault, as convert (convert_net) builds it.
    Scene scene(std::size_t k) const {
        return construireScene(parRang == 7 ? entreeParametres(rang(k), plan)
                                            : entreeReseau(rang(k), plan, tolerance));
    }
    OrigineEntree origine() const { return parRang == 7 ? OrigineEntree{} : origineReseau(); }
};

LotLu lireLot(const py::handle& o, double tolerance, const std::string& plan) {
    LotLu lot;
    lot.plan = planDuNom(plan);
    lot.tolerance = toleranceValide(tolerance);
    lot.nombres = nombresDe(o, "sets");
    const auto& f = lot.nombres.forme;
    const py::ssize_t n = f.empty() ? -1 : f[0];
    if (formeEst(lot.nombres, {n, 9, 4}) || formeEst(lot.nombres, {n, 3, 3, 4}))
        lot.parRang = 36;
    else if (!formeEst(lot.nombres, {n, 7}))
        refuser("tableau de forme inattendue ((N, 7), (N, 9, 4) ou (N, 3, 3, 4) attendu)");
    lot.rangs = static_cast<std::size_t>(std::max<py::ssize_t>(n, 0));
    return lot;
}

// Rows of a batch converted in chunks.
const std::size_t RANGS_PAR_TACHE = 64;

// A chunk whose results are recorded for dicts.
struct TacheDicts : TacheCarte {
    TacheDicts(const LotLu& l, std::size_t d, std::size_t f) : lot(l), debut(d), fin(f) {
        octets = (f - d) * 8192;
    }
    void calculer(const Annulation& annulation) override {
        for (std::size_t k = debut; k < fin && !annulation.demandee(); ++k) {
            const std::string faute = lot.faute(k);
            if (!faute.empty())
                valeurs.ajouterErreurLot(static_cast<long>(k + 1), faute);
            else
                valeurs.ajouter(lot.scene(k), lot.origine());
        }
    }
    const LotLu& lot;
    std::size_t debut, fin;
    ValeursResultat valeurs;
};

// One column: a numpy array made with the lock held and the address of
// its numbers, written by the workers (each row by one worker) without it.
template <class T> struct Colonne {
    explicit Colonne(std::vector<py::ssize_t> forme) : tableau(forme), p(tableau.mutable_data()) {}
    py::array_t<T> tableau;
    T* p;
};

// The columns of a batch's results.
struct Colonnes {
    explicit Colonnes(py::ssize_t n)
        : type({n}), code({n}), admis({n}), a({n}), b({n}), c({n}), mu({n}), centre({n, 3}),
          repere({n, 3, 3}), morceau({n, 4}), residu({n}), incertitude({n}) {}

    Colonne<std::int8_t> type, code;
    Colonne<std::uint8_t> admis;
    Colonne<double> a, b, c, mu, centre, repere, morceau, residu, incertitude;

    // Row k from the scene, as its JSON object holds it (NaN for null).
    void remplir(std::size_t k, const Scene& s) {
        const double nan = std::nan("");
        const bool cyclide = estCyclide(s.typeCyclide);
        const auto f = [nan](double v) { return std::isfinite(v) ? v : nan; };
        const RBBPd& r = s.converti;
        type.p[k] = static_cast<std::int8_t>(s.type);
        code.p[k] = static_cast<std::int8_t>(codeGenre(s.typeCyclide));
        admis.p[k] = static_cast<std::uint8_t>(cyclide ? s.genresAdmis : 0);
        const double nombres[4] = {r.a, std::sqrt(r.a * r.a - r.c * r.c), r.c, r.mu};
        double* const colonnes[4] = {a.p, b.p, c.p, mu.p};
        for (int m = 0; m < 4; ++m)
            colonnes[m][k] = cyclide ? f(nombres[m]) : nan;
        const double o[3] = {r.omega.getX0(), r.omega.getY0(), r.omega.getZ0()};
        for (int m = 0; m < 3; ++m) {
            centre.p[3 * k + m] = cyclide ? f(o[m]) : nan;
            for (int l = 0; l < 3; ++l)
                repere.p[9 * k + static_cast<std::size_t>(3 * m + l)] =
                    cyclide ? f(r.Base[l][m]) : nan;
        }
        const double bornes[4] = {s.morceau.u0, s.morceau.u1, s.morceau.v0, s.morceau.v1};
        for (int m = 0; m < 4; ++m)
            morceau.p[4 * k + m] = cyclide ? f(bornes[m]) : nan;
        residu.p[k] = s.type != 0 || cyclide ? f(s.residu) : nan;
        incertitude.p[k] = cyclide ? f(s.incertitude) : nan;
    }
    // Row k of an error row: type and code -1, every number NaN.
    void erreur(std::size_t k) {
        remplir(k, Scene());
        type.p[k] = -1;
        code.p[k] = -1;
    }
    py::dict dict(const py::dict& erreurs) const {
        py::dict d;
        d["type"] = type.tableau, d["code"] = code.tableau, d["a"] = a.tableau;
        d["b"] = b.tableau, d["c"] = c.tableau, d["mu"] = mu.tableau;
        d["centre"] = centre.tableau, d["frame"] = repere.tableau, d["piece"] = morceau.tableau;
        d["residual"] = residu.tableau, d["uncertainty"] = incertitude.tableau;
        d["admitted_mask"] = admis.tableau, d["errors"] = erreurs;
        return d;
    }
};

// A chunk whose results go into the columns; its faults are kept for the
// calling thread.
struct TacheColonnes : TacheCarte {
    TacheColonnes(const LotLu& l, Colonnes& c, std::size_t d, std::size_t f)
        : lot(l), colonnes(c), debut(d), fin(f) {
        octets = (f - d) * 256;
    }
    void calculer(const Annulation& annulation) override {
        for (std::size_t k = debut; k < fin && !annulation.demandee(); ++k) {
            std::string faute = lot.faute(k);
            if (faute.empty()) {
                colonnes.remplir(k, lot.scene(k));
                continue;
            }
            colonnes.erreur(k);
            fautes.emplace_back(k, "line " + std::to_string(k + 1) + ": " + faute);
        }
    }
    const LotLu& lot;
    Colonnes& colonnes;
    std::size_t debut, fin;
    std::vector<std::pair<std::size_t, std::string>> fautes;
};

// Runs the chunks of a batch on the ordered map with the lock released:
// rendre (called with the lock held) takes each chunk in input order;
// Ctrl-C, seen between chunks and at least every 100 ms, stops the batch
// and raises KeyboardInterrupt.
template <class Faire, class Rendre>
void executerLot(std::size_t rangs, int fils, Faire faire, Rendre rendre) {
    std::size_t suivant = 0;
    bool echec = false; // a Python error is set: raise it once the map ends
    RappelsCarte rappels;
    rappels.suivante = [&]() -> std::unique_ptr<TacheCarte> {
        if (suivant >= rangs)
            return nullptr;
        const std::size_t debut = suivant;
        suivant = std::min(rangs, suivant + RANGS_PAR_TACHE);
        return faire(debut, suivant);
    };
    rappels.rendre = [&](TacheCarte& t) {
        const py::gil_scoped_acquire verrou;
        try {
            rendre(t);
        } catch (py::error_already_set& e) {
            e.restore();
            echec = true;
        }
        return !echec;
    };
    rappels.patienter = [&] {
        const py::gil_scoped_acquire verrou;
        echec = echec || PyErr_CheckSignals() != 0;
        return !echec;
    };
    OptionsCarte options;
    options.fils = fils;
    {
        const py::gil_scoped_release libre;
        executerCarte(options, rappels);
    }
    if (echec)
        throw py::error_already_set();
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

py::list lotEnDicts(const LotLu& lot, int fils) {
    py::list liste(static_cast<py::ssize_t>(lot.rangs));
    const GcSuspendu gc; // the values live on: no point scanning them while they are made
    executerLot(
        lot.rangs, fils,
        [&lot](std::size_t d, std::size_t f) { return std::make_unique<TacheDicts>(lot, d, f); },
        [&liste](TacheCarte& t) {
            const auto& tache = static_cast<const TacheDicts&>(t);
            BatisseurDicts batisseur(tache.valeurs);
            for (std::size_t k = tache.debut; k < tache.fin; ++k)
                PyList_SET_ITEM(liste.ptr(), static_cast<py::ssize_t>(k),
                                dictSuivant(batisseur).release().ptr());
        });
    return liste;
}

py::dict lotEnColonnes(const LotLu& lot, int fils) {
    Colonnes colonnes(static_cast<py::ssize_t>(lot.rangs));
    py::dict erreurs;
    executerLot(
        lot.rangs, fils,
        [&](std::size_t d, std::size_t f) {
            return std::make_unique<TacheColonnes>(lot, colonnes, d, f);
        },
        [&erreurs](TacheCarte& t) {
            for (const auto& [k, faute] : static_cast<const TacheColonnes&>(t).fautes)
                erreurs[py::int_(k)] = py::str(faute);
        });
    return colonnes.dict(erreurs);
}

} // namespace

py::object convertir(const py::handle& parametres, const std::string& plan) {
    const PlanConversion choix = planDuNom(plan);
    const Nombres n = nombresDe(parametres, "parameters");
    if (!formeEst(n, {7}))
        refuser("tableau de forme inattendue (7 parametres attendus)");
    exigerParametresFinis(n.valeurs.data());
    return resultatEntree(entreeParametres(n.valeurs.data(), choix), OrigineEntree{});
}

py::object convertirReseau(const py::handle& net, double tolerance, const std::string& plan) {
    const PlanConversion choix = planDuNom(plan);
    toleranceValide(tolerance);
    const Nombres n = nombresDe(net, "net");
    if (!formeEst(n, {9, 4}) && !formeEst(n, {3, 3, 4}))
        refuser("tableau de forme inattendue ((9, 4) ou (3, 3, 4) attendu)");
    exigerReseauFini(n.valeurs.data());
    return resultatEntree(entreeReseau(n.valeurs.data(), choix, tolerance), origineReseau());
}

py::object convertirLot(const py::handle& lot, double tolerance, const std::string& plan, int fils,
                        bool colonnes) {
    const LotLu lu = lireLot(lot, tolerance, plan);
    filsValides(fils);
    DiagnosticsAvertis diagnostics;
    py::object r = colonnes ? py::object(lotEnColonnes(lu, fils)) : lotEnDicts(lu, fils);
    diagnostics.passer();
    return r;
}

} // namespace cyclide
