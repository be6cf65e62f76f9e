// SchemaResultat: the JSON value of one conversion (the object of
// ResultatJson) handed, value after value, to a sink: the text writer of
// ResultatJson, or any other reader of the same values (the Python module
// builds its dicts from them). One schema, so every sink sees the same keys
// in the same order and the same numbers.
//
// A sink is a class with these members, called in document order:
//   void objet();  void finObjet();      an object opens, closes
//   void tableau(); void finTableau();   an array opens, closes
//   void cle(const char* nom);           the key of the next value (ASCII,
//                                        a text of static storage)
//   bool nombre(double v);               a number; false when v is not
//                                        finite (written null)
//   void entier(long v);                 an integer
//   void mot(const char* texte);         a string of static storage, ASCII,
//                                        needing no escape
//   void texte(std::string_view t, bool latin1);
//                                        a string: latin1 true for the
//                                        ISO 8859-1 console texts, false for
//                                        a file name (UTF-8 when it is valid,
//                                        ISO 8859-1 otherwise)
//   void nul();                          null
#ifndef CYCLIDE_SORTIES_SCHEMARESULTAT_H
#define CYCLIDE_SORTIES_SCHEMARESULTAT_H

#include "conversion/GenreCyclide.h"
#include "scene/Scene.h"

#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cyclide {

// Where the numbers of a conversion came from, for the "input" key.
struct OrigineEntree {
    enum class Sorte { Parametres, Fichier, Exemple, Lot, Reseau };
    Sorte sorte = Sorte::Parametres;
    std::string fichier; // the parameter file's or the net file's name (Fichier, Reseau)
    long ligne = 0;      // the line number in the batch (Sorte::Lot)
};

namespace schema_resultat {

// The sink and the names of the numbers that were not finite (their paths
// in the object, for the reason).
template <class Sortie> struct Ecriture {
    Sortie& s;
    std::vector<std::string> nonFinis;

    // The name is only formed when the number is not finite.
    template <class Nom> void nombre(Nom nom, double v) {
        if (!s.nombre(v))
            nonFinis.push_back(nom());
    }
    template <class Nom> void triplet(Nom chemin, const double v[3]) {
        s.tableau();
        for (int k = 0; k < 3; ++k)
            nombre([&] { return chemin() + "[" + std::to_string(k) + "]"; }, v[k]);
        s.finTableau();
    }
};

inline const char* const NOMS_PARAMETRES[7] = {"theta00", "theta02", "theta20", "theta22",
                                               "radius",  "z11",     "p10"};

// "cle":{...} with n named numbers; a number that is not finite is named
// chemin.nom (chemin is the key's path in the object).
template <class Sortie>
void nombresNommes(Ecriture<Sortie>& e, const char* cle, const char* chemin,
                   const char* const noms[], const double valeurs[], int n) {
    e.s.cle(cle);
    e.s.objet();
    for (int k = 0; k < n; ++k) {
        e.s.cle(noms[k]);
        e.nombre([&] { return std::string(chemin) + "." + noms[k]; }, valeurs[k]);
    }
    e.s.finObjet();
}

// The "input" object: its source, what names it and the parameters (a
// batch line may hold a net: no parameters then).
template <class Sortie>
void entree(Ecriture<Sortie>& e, const EntreeScene& entree, const OrigineEntree& o) {
    Sortie& s = e.s;
    s.cle("input");
    s.objet();
    s.cle("source");
    switch (o.sorte) {
    case OrigineEntree::Sorte::Exemple:
        s.mot("example");
        s.cle("example");
        s.entier(entree.exemple);
        break;
    case OrigineEntree::Sorte::Fichier:
    case OrigineEntree::Sorte::Reseau:
        s.mot(o.sorte == OrigineEntree::Sorte::Reseau ? "net" : "file");
        s.cle("file");
        s.texte(o.fichier, false);
        break;
    case OrigineEntree::Sorte::Lot:
        s.mot("batch");
        s.cle("line");
        s.entier(o.ligne);
        break;
    case OrigineEntree::Sorte::Parametres:
        s.mot("parameters");
        break;
    }
    if (o.sorte != OrigineEntree::Sorte::Exemple && o.sorte != OrigineEntree::Sorte::Reseau &&
        !entree.reseauDonne) {
        const double v[7] = {entree.theta00, entree.theta02, entree.theta20, entree.theta22,
                             entree.rayon,   entree.z11,     entree.P10};
        nombresNommes(e, "parameters", "input.parameters", NOMS_PARAMETRES, v, 7);
    }
    s.finObjet();
}

// The nine control points with their weights, i (along u) outer.
template <class Sortie> void reseau(Ecriture<Sortie>& e, const RBBP& net) {
    Sortie& s = e.s;
    s.cle("net");
    s.tableau();
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const auto chemin = [i, j] { return "net[" + std::to_string(3 * i + j) + "]"; };
            const Point& p = net.P[i][j];
            const double xyz[3] = {p.getX0(), p.getY0(), p.getZ0()};
            s.objet();
            s.cle("i");
            s.entier(i);
            s.cle("j");
            s.entier(j);
            s.cle("point");
            e.triplet([&] { return chemin() + ".point"; }, xyz);
            s.cle("weight");
            e.nombre([&] { return chemin() + ".weight"; }, net.w[i][j]);
            s.finObjet();
        }
    }
    s.finTableau();
}

template <class Sortie> void cyclide(Ecriture<Sortie>& e, const RBBPd& c) {
    Sortie& s = e.s;
    static const char* const NOMS[4] = {"a", "b", "c", "mu"};
    const double champs[4] = {c.a, std::sqrt(c.a * c.a - c.c * c.c), c.c, c.mu};
    s.cle("cyclide");
    s.objet();
    for (int k = 0; k < 4; ++k) {
        s.cle(NOMS[k]);
        e.nombre([&] { return std::string("cyclide.") + NOMS[k]; }, champs[k]);
    }
    const double centre[3] = {c.omega.getX0(), c.omega.getY0(), c.omega.getZ0()};
    s.cle("centre");
    e.triplet([] { return std::string("cyclide.centre"); }, centre);
    s.cle("frame");
    s.tableau();
    for (int k = 0; k < 3; ++k) {
        const double axe[3] = {c.Base[0][k], c.Base[1][k], c.Base[2][k]};
        e.triplet([k] { return "cyclide.frame[" + std::to_string(k) + "]"; }, axe);
    }
    s.finTableau();
    s.finObjet();
}

// Why the record carries no cyclide, or which numbers were not finite;
// empty when there is nothing to say.
inline std::string raison(const Scene& sc, const std::vector<std::string>& nonFinis) {
    std::string r;
    if (!estCyclide(sc.typeCyclide))
        r = !sc.raison.empty() ? sc.raison
            : sc.type == 0     ? "the patch is not convertible (conversion type 0)"
                               : "no Dupin cyclide carries the patch (cyclide code 0)";
    if (!nonFinis.empty()) {
        if (!r.empty())
            r += "; ";
        r += "not finite, written as null:";
        for (const auto& nom : nonFinis)
            r += " " + nom;
    }
    return r;
}

// What follows the net: the cyclide, the piece, the residual, the
// uncertainty and the codes of the kinds the numbers admit (the reported
// code first), null where the conversion gave none.
template <class Sortie> void suiteConversion(Ecriture<Sortie>& e, const Scene& sc) {
    Sortie& s = e.s;
    if (estCyclide(sc.typeCyclide)) {
        cyclide(e, sc.converti);
        static const char* const NOMS[4] = {"u0", "u1", "v0", "v1"};
        const double bornes[4] = {sc.morceau.u0, sc.morceau.u1, sc.morceau.v0, sc.morceau.v1};
        nombresNommes(e, "piece", "piece", NOMS, bornes, 4);
    } else {
        s.cle("cyclide");
        s.nul();
        s.cle("piece");
        s.nul();
    }
    s.cle("residual");
    if (sc.type != 0 || estCyclide(sc.typeCyclide))
        e.nombre([] { return std::string("residual"); }, sc.residu);
    else
        s.nul();
    s.cle("uncertainty");
    if (estCyclide(sc.typeCyclide))
        e.nombre([] { return std::string("uncertainty"); }, sc.incertitude);
    else
        s.nul();
    s.cle("admitted_codes");
    if (estCyclide(sc.typeCyclide)) {
        s.tableau();
        for (const GenreCyclide g : codesAdmis(sc.genresAdmis, sc.typeCyclide))
            s.entier(codeGenre(g));
        s.finTableau();
    } else {
        s.nul();
    }
}

} // namespace schema_resultat

// Hands the object of the scene to the sink, keys in this order: input,
// plane, type, code, kind, message, net, cyclide, piece, residual,
// uncertainty, admitted_codes, and reason when the patch is not convertible
// or a number is not finite (the rules of ajouterResultatJson).
// In: the sink, the scene, where its numbers came from.
// Out: the calls on the sink, one object.
template <class Sortie>
void ecrireResultat(Sortie& sortie, const Scene& sc, const OrigineEntree& origine) {
    schema_resultat::Ecriture<Sortie> e{sortie, {}};
    Sortie& s = sortie;
    s.objet();
    schema_resultat::entree(e, sc.entree, origine);
    s.cle("plane");
    s.mot(sc.entree.plan == PlanConversion::Py ? "y" : "z");
    s.cle("type");
    s.entier(sc.type);
    s.cle("code");
    s.entier(codeGenre(sc.typeCyclide));
    s.cle("kind");
    const char* sorte = nomGenre(sc.typeCyclide);
    if (sorte != nullptr)
        s.mot(sorte);
    else
        s.nul();
    s.cle("message");
    s.texte(messageCyclide(sc.typeCyclide), true);
    schema_resultat::reseau(e, sc.Bez);
    schema_resultat::suiteConversion(e, sc);
    const std::string r = schema_resultat::raison(sc, e.nonFinis);
    if (!r.empty()) {
        s.cle("reason");
        s.texte(r, true);
    }
    s.finObjet();
}

// Hands the error row of batch line ligne to the sink:
// {"input":{"source":"batch","line":N},"error":"line N: erreur"}.
// In: the sink, the line number (from 1), why the line gave no result
// (English; the line's quoted text may hold any bytes).
// Out: the calls on the sink, one object.
template <class Sortie> void ecrireErreurLot(Sortie& s, long ligne, const std::string& erreur) {
    s.objet();
    s.cle("input");
    s.objet();
    s.cle("source");
    s.mot("batch");
    s.cle("line");
    s.entier(ligne);
    s.finObjet();
    s.cle("error");
    s.texte("line " + std::to_string(ligne) + ": " + erreur, false);
    s.finObjet();
}

} // namespace cyclide

#endif
