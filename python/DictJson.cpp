#include "DictJson.h"

#include "sorties/SchemaResultat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>
#include <utility>

namespace cyclide {

void ValeursResultat::ajouter(const Scene& s, const OrigineEntree& origine) {
    ecrireResultat(*this, s, origine);
}

void ValeursResultat::ajouterErreurLot(long ligne, const std::string& erreur) {
    ecrireErreurLot(*this, ligne, erreur);
}

void ValeursResultat::vider() {
    jetons_.clear();
    textes_.clear();
    ouverts_.clear();
}

// A new value: counted in the array that holds it (an object counts its
// keys).
JetonResultat& ValeursResultat::element(JetonResultat::Sorte sorte) {
    if (!ouverts_.empty() && jetons_[ouverts_.back()].sorte == JetonResultat::Sorte::Tableau)
        ++jetons_[ouverts_.back()].n;
    JetonResultat& j = jetons_.emplace_back();
    j.sorte = sorte;
    j.n = 0;
    j.entier = 0;
    return j;
}

void ValeursResultat::ouvrir(JetonResultat::Sorte sorte) {
    element(sorte);
    ouverts_.push_back(jetons_.size() - 1);
}

void ValeursResultat::cle(const char* nom) {
    ++jetons_[ouverts_.back()].n;
    JetonResultat& j = jetons_.emplace_back();
    j.sorte = JetonResultat::Sorte::Cle;
    j.n = 0;
    j.statique = nom;
}

// A number that is not finite is null. A number with a fraction is a float
// (its shortest text has a point or an exponent: an integer text would read
// back as that integer, a double of its own); a whole number is an int
// exactly when its shortest text, as the converter writes it, has neither.
bool ValeursResultat::nombre(double v) {
    if (!std::isfinite(v)) {
        nul();
        return false;
    }
    if (v != std::trunc(v))
        element(JetonResultat::Sorte::Reel).reel = v;
    else
        nombreEntier(v);
    return true;
}

void ValeursResultat::nombreEntier(double v) {
    char tampon[40];
    const char* fin = std::to_chars(tampon, tampon + sizeof tampon, v).ptr;
    const std::string_view t(tampon, static_cast<std::size_t>(fin - tampon));
    if (t.find_first_of(".e") != std::string_view::npos) {
        element(JetonResultat::Sorte::Reel).reel = v;
        return;
    }
    long long entier = 0;
    const auto r = std::from_chars(tampon, fin, entier);
    if (r.ptr == fin && r.ec == std::errc()) {
        element(JetonResultat::Sorte::Entier).entier = entier;
        return;
    }
    JetonResultat& j = element(JetonResultat::Sorte::GrandEntier);
    j.debut = textes_.size();
    j.n = static_cast<std::uint32_t>(t.size());
    textes_.append(t);
}

void ValeursResultat::entier(long v) {
    element(JetonResultat::Sorte::Entier).entier = v;
}

void ValeursResultat::mot(const char* texte) {
    element(JetonResultat::Sorte::Mot).statique = texte;
}

void ValeursResultat::texte(std::string_view t, bool latin1) {
    JetonResultat& j =
        element(latin1 ? JetonResultat::Sorte::TexteLatin1 : JetonResultat::Sorte::Texte);
    j.debut = textes_.size();
    j.n = static_cast<std::uint32_t>(t.size());
    textes_.append(t);
}

void ValeursResultat::nul() {
    element(JetonResultat::Sorte::Nul);
}

namespace {

// The str of each text of static storage (keys and fixed strings), by its
// address, made once and interned. The texts never move, so their str live
// as long as the process.
class StatiquesPython {
  public:
    // A new reference, or nullptr with the Python error set.
    PyObject* str(const char* texte) {
        const std::size_t depart = (reinterpret_cast<std::uintptr_t>(texte) >> 2) % TAILLE;
        for (std::size_t k = 0; k < TAILLE; ++k) {
            auto& [adresse, objet] = table_[(depart + k) % TAILLE];
            if (adresse == texte) {
                Py_INCREF(objet);
                return objet;
            }
            if (adresse == nullptr) {
                objet = PyUnicode_InternFromString(texte);
                if (objet == nullptr)
                    return nullptr;
                adresse = texte;
                Py_INCREF(objet);
                return objet;
            }
        }
        return PyUnicode_InternFromString(texte); // the table is full: not kept
    }

  private:
    static constexpr std::size_t TAILLE = 512;
    std::array<std::pair<const char*, PyObject*>, TAILLE> table_{};
};

// The str of texts made at run time (messages, reasons, file names): the
// same text gives the same str while the table has room.
class TextesPython {
  public:
    PyObject* str(std::string_view octets, bool latin1) {
        const std::size_t h = std::hash<std::string_view>()(octets) ^ (latin1 ? 1 : 0);
        Entree& e = table_[h % TAILLE];
        if (e.objet != nullptr && e.hachage == h && e.latin1 == latin1 && e.octets == octets) {
            Py_INCREF(e.objet);
            return e.objet;
        }
        PyObject* s = decoder(octets, latin1);
        if (s != nullptr && octets.size() <= TEXTE_GARDE) {
            Py_XDECREF(e.objet);
            Py_INCREF(s);
            e = {h, latin1, std::string(octets), s};
        }
        return s;
    }

  private:
    static constexpr std::size_t TAILLE = 256;
    static constexpr std::size_t TEXTE_GARDE = 512;
    struct Entree {
        std::size_t hachage = 0;
        bool latin1 = false;
        std::string octets;
        PyObject* objet = nullptr;
    };
    std::array<Entree, TAILLE> table_{};

    // The bytes as the converter's text reads back: ISO 8859-1, or UTF-8
    // when they are valid UTF-8 and not said to be ISO 8859-1.
    static PyObject* decoder(std::string_view o, bool latin1) {
        const auto n = static_cast<Py_ssize_t>(o.size());
        if (!latin1) {
            PyObject* s = PyUnicode_DecodeUTF8(o.data(), n, "strict");
            if (s != nullptr || !PyErr_ExceptionMatches(PyExc_UnicodeDecodeError))
                return s;
            PyErr_Clear();
        }
        return PyUnicode_DecodeLatin1(o.data(), n, nullptr);
    }
};

// Made with the lock held and kept for the process, as the interned str.
StatiquesPython& statiques() {
    static auto* const s = new StatiquesPython();
    return *s;
}

TextesPython& textes() {
    static auto* const t = new TextesPython();
    return *t;
}

// A dict sized for n keys.
PyObject* dictPour(std::uint32_t n) {
#if PY_VERSION_HEX < 0x030D0000
    return _PyDict_NewPresized(static_cast<Py_ssize_t>(n));
#else
    (void)n;
    return PyDict_New();
#endif
}

} // namespace

PyObject* BatisseurDicts::valeur() {
    const JetonResultat& t = v_.jetons()[k_++];
    switch (t.sorte) {
    case JetonResultat::Sorte::Objet:
        return objet(t.n);
    case JetonResultat::Sorte::Tableau:
        return tableau(t.n);
    case JetonResultat::Sorte::Reel:
        return PyFloat_FromDouble(t.reel);
    case JetonResultat::Sorte::Entier:
        return PyLong_FromLongLong(t.entier);
    case JetonResultat::Sorte::Cle:
    case JetonResultat::Sorte::Mot:
        return statiques().str(t.statique);
    case JetonResultat::Sorte::Texte:
    case JetonResultat::Sorte::TexteLatin1:
        return textes().str(std::string_view(v_.textes()).substr(t.debut, t.n),
                            t.sorte == JetonResultat::Sorte::TexteLatin1);
    case JetonResultat::Sorte::GrandEntier: {
        const std::string chiffres = v_.textes().substr(t.debut, t.n);
        return PyLong_FromString(chiffres.c_str(), nullptr, 10);
    }
    case JetonResultat::Sorte::Nul:
        break;
    }
    Py_INCREF(Py_None);
    return Py_None;
}

PyObject* BatisseurDicts::objet(std::uint32_t n) {
    PyObject* d = dictPour(n);
    for (std::uint32_t k = 0; d != nullptr && k < n; ++k) {
        PyObject* nom = statiques().str(v_.jetons()[k_++].statique);
        PyObject* v = nom != nullptr ? valeur() : nullptr;
        if (v == nullptr || PyDict_SetItem(d, nom, v) != 0)
            Py_CLEAR(d);
        Py_XDECREF(nom);
        Py_XDECREF(v);
    }
    return d;
}

PyObject* BatisseurDicts::tableau(std::uint32_t n) {
    PyObject* l = PyList_New(static_cast<Py_ssize_t>(n));
    for (std::uint32_t k = 0; l != nullptr && k < n; ++k) {
        PyObject* v = valeur();
        if (v == nullptr)
            Py_CLEAR(l);
        else
            PyList_SET_ITEM(l, static_cast<Py_ssize_t>(k), v);
    }
    return l;
}

} // namespace cyclide
