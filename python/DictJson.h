// DictJson: the Python value of a conversion's result, equal to what
// json.loads gives for the converter's JSON text of it: objects become dicts
// (keys in the text's order), arrays lists, strings str, null None, a number
// whose shortest text has neither fraction nor exponent an int and any
// other number a float. The values come from the schema of the JSON result
// (SchemaResultat) without any text: they are recorded on any thread, the
// interpreter not needed, then made into Python objects with the
// interpreter's lock held.
#ifndef CYCLIDE_PYTHON_DICTJSON_H
#define CYCLIDE_PYTHON_DICTJSON_H

#include "scene/Scene.h"
#include "sorties/ResultatJson.h"

#include <Python.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cyclide {

// One value of a result as the schema hands it.
struct JetonResultat {
    enum class Sorte : std::uint8_t {
        Objet,       // n keys follow, each a Cle then its value
        Tableau,     // n values follow
        Cle,         // statique
        Mot,         // statique (an ASCII string of static storage)
        Texte,       // UTF-8 when valid, ISO 8859-1 otherwise; n bytes at debut
        TexteLatin1, // ISO 8859-1; n bytes at debut
        Entier,
        GrandEntier, // the n decimal digits at debut
        Reel,
        Nul
    };
    Sorte sorte;
    std::uint32_t n;
    union {
        double reel;
        long long entier;
        const char* statique;
        std::size_t debut; // in the texts of the ValeursResultat
    };
};

// The values of results one after the other, recorded as the schema hands
// them (a sink of ecrireResultat). No lock needed.
class ValeursResultat {
  public:
    // In: a scene and where its numbers came from.
    // Out: the values of its result appended.
    void ajouter(const Scene& s, const OrigineEntree& origine);

    // In: a batch row's number (from 1) and why it gave no result.
    // Out: the values of the batch's error row appended (ecrireErreurLot).
    void ajouterErreurLot(long ligne, const std::string& erreur);

    // Forgets every value (the memory is kept for the next ones).
    void vider();

    const std::vector<JetonResultat>& jetons() const { return jetons_; }
    const std::string& textes() const { return textes_; }

    // The sink's members (see SchemaResultat.h).
    void objet() { ouvrir(JetonResultat::Sorte::Objet); }
    void tableau() { ouvrir(JetonResultat::Sorte::Tableau); }
    void finObjet() { ouverts_.pop_back(); }
    void finTableau() { ouverts_.pop_back(); }
    void cle(const char* nom);
    bool nombre(double v);
    void entier(long v);
    void mot(const char* texte);
    void texte(std::string_view t, bool latin1);
    void nul();

  private:
    std::vector<JetonResultat> jetons_;
    std::string textes_;
    std::vector<std::size_t> ouverts_; // the objects and arrays being written

    JetonResultat& element(JetonResultat::Sorte sorte);
    void ouvrir(JetonResultat::Sorte sorte);
    void nombreEntier(double v);
};

// Makes the Python values of recorded results, one after the other. The
// interpreter's lock must be held. Keys and strings of static storage are
// made once for the process and reused, as are repeated texts.
class BatisseurDicts {
  public:
    explicit BatisseurDicts(const ValeursResultat& valeurs) : v_(valeurs) {}

    // Out: the next result's value (a new reference), or nullptr with the
    // Python error set.
    PyObject* suivant() { return valeur(); }

  private:
    const ValeursResultat& v_;
    std::size_t k_ = 0;

    PyObject* valeur();
    PyObject* objet(std::uint32_t n);
    PyObject* tableau(std::uint32_t n);
};

} // namespace cyclide

#endif
