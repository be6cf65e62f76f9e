#include "LectureCao.h"

#include "Entrees.h"
#include "fichiers/LecteurCao.h"
#include "sorties/ResultatJson.h"

#include <vector>

namespace py = pybind11;

namespace cyclide {

py::list lireCao(const py::handle& chemin, double tolerance, const std::string& plan) {
    const std::string nom = cheminDe(chemin);
    const PlanConversion choix = planDuNom(plan);
    toleranceValide(tolerance);
    // What is not a regular file that may be read is the system's error.
    const Resultat<void> verifie = verifierFichierCao(nom);
    if (!verifie.ok()) {
        PyErr_SetString(PyExc_OSError, verifie.raison.c_str());
        throw py::error_already_set();
    }
    std::vector<std::string> lignes;
    Resultat<BilanCao> lu;
    {
        py::gil_scoped_release libre;
        lu = lireFichierCao(nom, [&](const ElementCao& e, const PrecisionCao& p) {
            Scene s;
            if (e.sorte == SorteElementCao::Carreau)
                s = sceneElementCao(e, choix, tolerance, p);
            lignes.push_back(resultatJsonCao(e, s, nom));
        });
    }
    if (!lu.ok())
        refuser(lu.raison);
    const py::object charger = py::module_::import("json").attr("loads");
    py::list rangs;
    for (const std::string& l : lignes)
        rangs.append(charger(py::bytes(l)));
    return rangs;
}

} // namespace cyclide
