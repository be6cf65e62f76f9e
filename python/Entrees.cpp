#include "Entrees.h"

#include "fichiers/NombreTexte.h"
#include "sorties/ResultatJson.h"
#include "sorties/SchemaResultat.h"

#include <pybind11/numpy.h>

#include <charconv>
#include <cmath>

namespace py = pybind11;

namespace cyclide {

namespace {

[[noreturn]] void lever(PyObject* type, const std::string& raison) {
    PyObject* texte =
        PyUnicode_DecodeLatin1(raison.data(), static_cast<Py_ssize_t>(raison.size()), nullptr);
    PyErr_SetObject(type, texte);
    Py_XDECREF(texte);
    throw py::error_already_set();
}

// A float32 number as the double its shortest text reads as.
double doubleDuTexte(float f) {
    if (!std::isfinite(f))
        return static_cast<double>(f);
    char tampon[32];
    const char* fin = std::to_chars(tampon, tampon + sizeof tampon, f).ptr;
    double v = 0;
    lireNombreDecimal(std::string_view(tampon, static_cast<std::size_t>(fin - tampon)), v);
    return v;
}

} // namespace

void refuser(const std::string& raison) {
    lever(PyExc_ValueError, raison);
}

void refuserType(const std::string& raison) {
    lever(PyExc_TypeError, raison);
}

Nombres nombresDe(const py::handle& o, const char* quoi) {
    const py::array a = py::module_::import("numpy").attr("asarray")(o);
    const char genre = a.dtype().kind();
    if (genre != 'f' && genre != 'i' && genre != 'u')
        refuserType(std::string(quoi) + " : nombres reels attendus, pas le type numpy '" +
                    py::str(a.dtype()).cast<std::string>() + "'");
    Nombres n;
    n.forme.assign(a.shape(), a.shape() + a.ndim());
    n.valeurs.resize(static_cast<std::size_t>(a.size()));
    if (genre == 'f' && a.itemsize() <= 4) {
        using Simple = py::array_t<float, py::array::c_style | py::array::forcecast>;
        const Simple s = Simple::ensure(a);
        for (std::size_t k = 0; k < n.valeurs.size(); ++k)
            n.valeurs[k] = doubleDuTexte(s.data()[k]);
    } else {
        using Double = py::array_t<double, py::array::c_style | py::array::forcecast>;
        const Double d = Double::ensure(a);
        std::copy(d.data(), d.data() + d.size(), n.valeurs.begin());
    }
    return n;
}

bool formeEst(const Nombres& n, std::initializer_list<py::ssize_t> forme) {
    return std::vector<py::ssize_t>(forme) == n.forme;
}

std::string texteNombre(double v) {
    if (std::isnan(v))
        return "nan";
    if (std::isinf(v))
        return v > 0 ? "inf" : "-inf";
    std::string t;
    ajouterNombre(t, v);
    return t;
}

std::size_t premierNonFini(const double* v, std::size_t n) {
    std::size_t k = 0;
    while (k < n && std::isfinite(v[k]))
        ++k;
    return k;
}

void exigerParametresFinis(const double* v) {
    const std::size_t k = premierNonFini(v, 7);
    if (k < 7)
        refuser("parametre " + std::to_string(k + 1) + " (" + schema_resultat::NOMS_PARAMETRES[k] +
                ") non fini '" + texteNombre(v[k]) + "' (nombre fini attendu)");
}

void exigerReseauFini(const double* v) {
    const std::size_t k = premierNonFini(v, 36);
    if (k < 36) {
        const std::string rang = std::to_string(k / 4);
        const std::string point = "P" + std::to_string(k / 12) + std::to_string(k / 4 % 3);
        refuser("le carreau, rang " + rang + " (" + point + ") : " + "xyzw"[k % 4] + " non fini '" +
                texteNombre(v[k]) + "' (nombre fini attendu)");
    }
}

PlanConversion planDuNom(const std::string& plan) {
    if (plan == "z")
        return PlanConversion::Pz;
    if (plan == "y")
        return PlanConversion::Py;
    refuser("plan inconnu '" + plan + "' (y ou z attendu)");
}

double toleranceValide(double tolerance) {
    if (!toleranceAdmise(tolerance))
        refuser(std::string("la tolerance attend ") + TOLERANCE_ATTENDUE);
    return tolerance;
}

int filsValides(int fils) {
    if (fils < 0 || fils > 256)
        refuser("le nombre de fils attend un entier de 0 (un par coeur) a 256");
    return fils;
}

std::string cheminDe(const py::handle& o) {
    const py::module_ os = py::module_::import("os");
    py::object chemin;
    try {
        chemin = os.attr("fsencode")(os.attr("fspath")(o));
    } catch (py::error_already_set& e) {
        if (!e.matches(PyExc_TypeError))
            throw;
        refuserType("chemin attendu (str, bytes ou os.PathLike), pas '" +
                    py::str(py::type::of(o).attr("__name__")).cast<std::string>() + "'");
    }
    std::string octets = chemin.cast<py::bytes>();
    if (octets.find('\0') != std::string::npos)
        refuser("le chemin contient un octet nul");
    return octets;
}

} // namespace cyclide
