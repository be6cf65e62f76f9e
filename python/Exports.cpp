#include "Exports.h"

#include "Entrees.h"
#include "conversion/ReseauCyclide.h"
#include "fichiers/EcritureFichier.h"
#include "fichiers/LectureCarreau.h"
#include "scene/Scene.h"
#include "sorties/ExportObj.h"
#include "sorties/ExportStep.h"

#include <cmath>
#include <string>
#include <unistd.h>
#include <vector>

namespace py = pybind11;

namespace cyclide {

namespace {

// A number of the result dict; null (None) reads as NaN.
double nombreDe(const py::handle& o) {
    return o.is_none() ? std::nan("") : o.cast<double>();
}

// The patch's net of a result dict.
void reseauDuResultat(const py::dict& r, Scene& s) {
    for (const py::handle& sommet : r["net"].cast<py::list>()) {
        const int i = sommet["i"].cast<int>();
        const int j = sommet["j"].cast<int>();
        const py::list xyz = sommet["point"].cast<py::list>();
        if (i < 0 || i > 2 || j < 0 || j > 2 || xyz.size() != 3)
            refuser("resultat mal forme : point de controle hors du reseau 3 x 3");
        s.Bez.setP(i, j, Point(nombreDe(xyz[0]), nombreDe(xyz[1]), nombreDe(xyz[2])));
        s.Bez.setW(i, j, nombreDe(sommet["weight"]));
    }
    s.converti = s.Bez;
}

// The cyclide and piece of a result dict whose code is not 0.
void cyclideDuResultat(const py::dict& r, Scene& s) {
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
    s.converti.poserCyclide(
        cyclidePlacee(nombreDe(cy["a"]), nombreDe(cy["c"]), nombreDe(cy["mu"]),
                      Point(nombreDe(centre[0]), nombreDe(centre[1]), nombreDe(centre[2])), Base));
}

// The scene a result dict describes, as the exports read it: the patch's
// net, and unless its code is 0 its cyclide with centre and frame and the
// piece; the type and code.
Scene sceneDuResultat(const py::dict& r) {
    Scene s;
    try {
        s.type = r["type"].cast<int>();
        if (!genreDuCode(r["code"].cast<int>(), s.typeCyclide))
            refuser("resultat mal forme : code de cyclide hors de 0 a 6");
        reseauDuResultat(r, s);
        if (estCyclide(s.typeCyclide))
            cyclideDuResultat(r, s);
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

// Where an export goes, resolved as the converter resolves its outputs:
// "-" and the names of the standard output (or error) write to that
// stream at its position, after what Python buffered there.
CibleEcriture cibleExport(const std::string& chemin, const char* quoi) {
    for (const char* flux : {"stdout", "stderr"}) {
        const py::object f = py::module_::import("sys").attr(flux);
        if (!f.is_none())
            f.attr("flush")();
    }
    FluxConnus connus;
    connus.sortieStandard = STDOUT_FILENO;
    connus.sortieErreur = STDERR_FILENO;
    const Resultat<CibleEcriture> cible = resoudreCible(chemin, connus);
    if (!cible.ok())
        refuser(std::string("impossible d'ecrire ") + quoi + " '" + chemin + "' : " + cible.raison);
    return cible.valeur;
}

// Writes texte (made by faire, with the lock released) to the path.
template <class Faire>
py::list ecrireExport(const py::dict& resultat, const py::handle& nom, const char* quoi,
                      Faire faire) {
    const std::string chemin = cheminDe(nom);
    const Scene s = sceneDuResultat(resultat);
    const CibleEcriture cible = cibleExport(chemin, quoi);
    std::vector<std::string> notices;
    std::string raison;
    {
        const py::gil_scoped_release libre;
        const Resultat<std::string> texte = faire(s, chemin, notices);
        raison = texte.raison;
        if (texte.ok())
            raison = ecrireCible(cible, texte.valeur).raison;
    }
    if (!raison.empty())
        refuser(std::string("impossible d'ecrire ") + quoi + " '" + chemin + "' : " + raison);
    return listeNotices(notices);
}

// A pair of finite numbers (a range of angles).
void paire(const py::handle& o, double& x0, double& x1, const char* quoi) {
    const Nombres n = nombresDe(o, quoi);
    if (!formeEst(n, {2}) || premierNonFini(n.valeurs.data(), 2) < 2)
        refuser(std::string(quoi) + " attend deux nombres finis");
    x0 = n.valeurs[0];
    x1 = n.valeurs[1];
}

// The frame's axes (rows) as the columns of Base, checked orthonormal and
// direct within a few rounding errors.
void repereDirect(const py::handle& o, double Base[3][3]) {
    const Nombres n = nombresDe(o, "frame");
    if (!formeEst(n, {3, 3}) || premierNonFini(n.valeurs.data(), 9) < 9)
        refuser("frame attend une matrice (3, 3) de nombres finis");
    for (std::size_t r = 0; r < 3; ++r)
        for (std::size_t k = 0; k < 3; ++k)
            Base[r][k] = n.valeurs[3 * k + r];
    const double ecartMax = 1e-9;
    for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 3; ++l) {
            double produit = 0;
            for (int r = 0; r < 3; ++r)
                produit += Base[r][k] * Base[r][l];
            if (std::abs(produit - (k == l ? 1 : 0)) > ecartMax)
                refuser("frame n'est pas orthonormee (axes unitaires et orthogonaux attendus)");
        }
    const double det = Base[0][0] * (Base[1][1] * Base[2][2] - Base[2][1] * Base[1][2]) -
                       Base[0][1] * (Base[1][0] * Base[2][2] - Base[2][0] * Base[1][2]) +
                       Base[0][2] * (Base[1][0] * Base[2][1] - Base[2][0] * Base[1][1]);
    if (!(det > 0))
        refuser("frame n'est pas directe (axe 2 = axe 0 x axe 1 attendu)");
}

} // namespace

py::list ecrireStep(const py::dict& resultat, const py::handle& chemin) {
    return ecrireExport(resultat, chemin, "le fichier STEP",
                        [](const Scene& s, const std::string& nom, std::vector<std::string>& n) {
                            return texteStepScene(s, nom, n);
                        });
}

py::list ecrireObj(const py::dict& resultat, const py::handle& chemin) {
    return ecrireExport(resultat, chemin, "le fichier OBJ",
                        [](const Scene& s, const std::string&, std::vector<std::string>& n) {
                            return Resultat<std::string>{texteObjScene(s, n), ""};
                        });
}

py::array_t<double> reseauMorceau(double a, double c, double mu, const py::handle& theta,
                                  const py::handle& psi, const py::handle& centre,
                                  const py::handle& repere) {
    MorceauCyclide m;
    paire(theta, m.u0, m.u1, "theta");
    paire(psi, m.v0, m.v1, "psi");
    const Nombres o = nombresDe(centre, "centre");
    if (!formeEst(o, {3}) || premierNonFini(o.valeurs.data(), 3) < 3)
        refuser("centre attend trois nombres finis");
    double Base[3][3];
    repereDirect(repere, Base);
    RBBP net;
    const Point omega(o.valeurs[0], o.valeurs[1], o.valeurs[2]);
    if (!reseauMorceauMonde(cyclidePlacee(a, c, mu, omega, Base), m, net))
        refuser("morceau sans reseau exact : un ecart d'angle atteint pi, un nombre n'est pas "
                "fini, |c| > |a| ou un poids est nul");
    py::array_t<double> t({3, 3, 4});
    double* v = t.mutable_data();
    for (int k = 0; k < 9; ++k) {
        const Point& p = net.P[k / 3][k % 3];
        const double xyzw[4] = {p.getX0(), p.getY0(), p.getZ0(), net.w[k / 3][k % 3]};
        for (int l = 0; l < 4; ++l)
            v[4 * k + l] = xyzw[l];
    }
    if (premierNonFini(v, 36) < 36)
        refuser("le reseau du morceau depasse les nombres finis (a, c, mu ou centre trop grands)");
    return t;
}

py::array_t<double> echantillons(const py::handle& net, int n) {
    if (n < 2)
        refuser("il faut au moins 2 points par direction");
    const Nombres lu = nombresDe(net, "net");
    if (!formeEst(lu, {9, 4}) && !formeEst(lu, {3, 3, 4}))
        refuser("tableau de forme inattendue ((9, 4) ou (3, 3, 4) attendu)");
    exigerReseauFini(lu.valeurs.data());
    RBBP carreau;
    reseauDesValeurs(lu.valeurs.data(), carreau);
    py::array_t<double> t({n, n, 3});
    double* v = t.mutable_data();
    const py::gil_scoped_release libre;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const Point p =
                carreau.point(static_cast<double>(i) / (n - 1), static_cast<double>(j) / (n - 1));
            double* q = v + 3 * (static_cast<std::ptrdiff_t>(i) * n + j);
            q[0] = p.getX0();
            q[1] = p.getY0();
            q[2] = p.getZ0();
        }
    return t;
}

py::array_t<double> identite() {
    py::array_t<double> t({3, 3});
    double* v = t.mutable_data();
    for (int k = 0; k < 9; ++k)
        v[k] = k % 4 == 0 ? 1 : 0;
    return t;
}

} // namespace cyclide
