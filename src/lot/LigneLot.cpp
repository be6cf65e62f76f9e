#include "fichiers/LectureCarreau.h"
#include "fichiers/NombreTexte.h"
#include "lot/LotParametres.h"
#include "scene/Scene.h"
#include "sorties/ResultatJson.h"

#include <cmath>
#include <string>
#include <string_view>

namespace cyclide {

namespace {

// One CSV field: quoted when it holds a comma, a quote or a line end.
void ajouterChampCsv(std::string& out, const std::string& texte) {
    if (texte.find_first_of(",\"\n\r") == std::string::npos) {
        out += texte;
        return;
    }
    out += '"';
    for (char ch : texte)
        out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    out += '"';
}

// Appends ",v" (empty field for a non-finite v).
void champNombre(std::string& out, double v) {
    out += ',';
    if (std::isfinite(v))
        ajouterNombre(out, v);
}

void ligneCsv(std::string& out, const Scene& s, long numero) {
    out += std::to_string(numero);
    const EntreeScene& e = s.entree;
    if (e.reseauDonne)
        out += std::string(7, ',');
    else
        for (double v : {e.theta00, e.theta02, e.theta20, e.theta22, e.rayon, e.z11, e.P10})
            champNombre(out, v);
    out += e.plan == PlanConversion::Py ? ",y," : ",z,";
    out += std::to_string(s.type) + "," + std::to_string(codeGenre(s.typeCyclide)) + ",";
    const char* sorte = nomGenre(s.typeCyclide);
    out += sorte != nullptr ? sorte : "";
    if (!estCyclide(s.typeCyclide)) {
        out += std::string(22, ',') + "\n";
        return;
    }
    const RBBPd& r = s.converti;
    for (double v : {r.a, std::sqrt(r.a * r.a - r.c * r.c), r.c, r.mu, r.omega.getX0(),
                     r.omega.getY0(), r.omega.getZ0()})
        champNombre(out, v);
    for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 3; ++l)
            champNombre(out, r.Base[l][k]);
    for (double v : {s.morceau.u0, s.morceau.u1, s.morceau.v0, s.morceau.v1, s.residu})
        champNombre(out, v);
    out += ",\n";
}

// A line of numbers: seven are a parameter set, 36 a net.
LigneLot ligneNombres(std::string_view ligne) {
    LigneLot l;
    std::string_view m[NOMBRES_RESEAU];
    const std::size_t n = champsLigne(ligne, m, NOMBRES_RESEAU);
    if (n == 0)
        return l;
    l.sorte = SorteLigne::Erreur;
    if (separateursMelanges(ligne)) {
        l.erreur = "numbers separated by both commas and white space";
        return l;
    }
    if (n != 7 && n != static_cast<std::size_t>(NOMBRES_RESEAU)) {
        l.erreur = "expected 7 numbers (a parameter set) or 36 (a net), found " +
                   std::to_string(n) + " fields";
        return l;
    }
    for (std::size_t k = 0; k < n; ++k)
        if (!lireNombreDecimal(m[k], l.valeurs[k])) {
            l.erreur = raisonChamp(k, m[k]);
            return l;
        }
    l.sorte = n == 7 ? SorteLigne::Parametres : SorteLigne::Reseau;
    return l;
}

// A line holding a JSON object: a net.
LigneLot ligneJson(std::string_view ligne) {
    LigneLot l;
    l.sorte = SorteLigne::Erreur;
    const FauteJson faute = lireReseauJson(ligne, l.valeurs);
    switch (faute.sorte) {
    case FauteJson::Sorte::Aucune:
        l.sorte = SorteLigne::Reseau;
        break;
    case FauteJson::Sorte::Syntaxe:
        l.erreur = "invalid JSON at byte " + std::to_string(faute.octet);
        break;
    case FauteJson::Sorte::Debordement:
        l.erreur = "a JSON number overflows a double";
        break;
    case FauteJson::Sorte::Forme:
        l.erreur = "expected a JSON object {\"net\": [[x,y,z,w] x 9]}";
        break;
    case FauteJson::Sorte::NonFini:
        l.erreur = faute.chemin + " is not a finite number";
        break;
    }
    return l;
}

} // namespace

void ajouterErreurLot(std::string& out, long numero, const std::string& erreur, bool csv) {
    if (csv) {
        out += std::to_string(numero) + std::string(33, ',');
        ajouterChampCsv(out, "line " + std::to_string(numero) + ": " + erreur);
    } else {
        ajouterErreurLotJson(out, numero, erreur);
    }
    out += '\n';
}

std::string raisonChamp(std::size_t champ, std::string_view texte) {
    return "field " + std::to_string(champ + 1) + " " + texteCite(texte) +
           " is not a finite decimal number";
}

LigneLot lireLigneLot(std::string_view ligne) {
    const std::size_t debut = ligne.find_first_not_of(" \t\r\v\f");
    if (debut != std::string_view::npos && ligne[debut] == '{')
        return ligneJson(ligne);
    return ligneNombres(ligne);
}

LigneLot analyserLigneLot(std::string_view ligne) {
    LigneLot l = lireLigneLot(ligne);
    if (l.sorte == SorteLigne::Reseau) {
        l.sorte = SorteLigne::Erreur;
        l.erreur = "expected 7 numbers, found a net";
    }
    return l;
}

namespace {

// The scene of a line read: its parameter set or its net.
Scene sceneLigne(const LigneLot& l, const OptionsLot& options) {
    if (l.sorte == SorteLigne::Parametres)
        return construireScene(entreeParametres(l.valeurs, options.plan));
    RBBP net;
    reseauDesValeurs(l.valeurs, net);
    return construireSceneReseau(net, options.plan, options.tolerance);
}

} // namespace

SorteLigne ajouterLigneLot(std::string& sortie, std::string_view ligne, long numero,
                           const OptionsLot& options) {
    const LigneLot l = lireLigneLot(numero == 1 ? sansMarqueUtf8(ligne) : ligne);
    if (l.sorte == SorteLigne::Erreur)
        ajouterErreurLot(sortie, numero, l.erreur, options.csv);
    if (l.sorte != SorteLigne::Parametres && l.sorte != SorteLigne::Reseau)
        return l.sorte;
    const Scene s = sceneLigne(l, options);
    if (options.csv) {
        ligneCsv(sortie, s, numero);
    } else {
        OrigineEntree o;
        o.sorte = OrigineEntree::Sorte::Lot;
        o.ligne = numero;
        ajouterResultatJson(sortie, s, o);
        sortie += '\n';
    }
    return l.sorte;
}

std::string enteteCsvLot() {
    return "line,theta00,theta02,theta20,theta22,radius,z11,p10,plane,type,code,kind,"
           "a,b,c,mu,centre_x,centre_y,centre_z,"
           "frame0_x,frame0_y,frame0_z,frame1_x,frame1_y,frame1_z,frame2_x,frame2_y,frame2_z,"
           "u0,u1,v0,v1,residual,error\n";
}

} // namespace cyclide
