#include "fichiers/LecteurCao.h"

#include "conversion/GenresAdmis.h"
#include "fichiers/EcritureFichier.h"
#include "fichiers/NombreTexte.h"
#include "fichiers/ProcessusBorne.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#ifndef CYCLIDE_LECTEUR_CAO_INSTALLE
#define CYCLIDE_LECTEUR_CAO_INSTALLE "/usr/bin/cyclide-cao"
#endif

namespace cyclide {

namespace {

// The extension of a file name, lower case, without the dot.
std::string extension(const std::string& chemin) {
    const std::size_t point = chemin.find_last_of('.');
    const std::size_t barre = chemin.find_last_of('/');
    if (point == std::string::npos || (barre != std::string::npos && point < barre))
        return "";
    std::string e = chemin.substr(point + 1);
    std::transform(e.begin(), e.end(), e.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return e;
}

std::string nombre17(double v) {
    char texte[32];
    std::snprintf(texte, sizeof texte, "%.17g", v);
    return texte;
}

// The limits of a reading: memory and time grow with the file, the time
// can be set by $CYCLIDE_CAO_DELAI (seconds).
LimitesProcessus limitesLecture(unsigned long long taille) {
    LimitesProcessus l;
    const unsigned long long mo = taille >> 20;
    l.octets = (1ULL << 30) + 24 * taille;
    l.secondesCalcul = 60 + 2 * mo;
    l.secondes = static_cast<double>(l.secondesCalcul) + 30;
    if (const char* d = std::getenv("CYCLIDE_CAO_DELAI")) {
        double s = 0;
        if (lireNombreDecimal(d, s) && s > 0 && s < 1e6) {
            l.secondes = s;
            l.secondesCalcul = static_cast<unsigned long long>(s) + 1;
        }
    }
    return l;
}

// The reason of a reader that did not end well, naming the file.
std::string raisonLecteur(const std::string& chemin, const FinEnfant& f,
                          const LimitesProcessus& l) {
    if (f.fin == FinProcessus::Normale && f.code == 127)
        return "le lecteur de fichiers CAO '" + cheminLecteurCao() +
               "' n'a pas pu etre lance pour lire '" + chemin + "'";
    return "le lecteur de fichiers CAO " + raisonFinEnfant(f, l) + " en lisant '" + chemin + "'";
}

// Faces that may stop the reader before a file is given up.
const int REPRISES_MAX = 10;

// The state of a reading as the lines come.
struct EtatLecture {
    bool entete = false;
    bool charge = false; // the file is loaded and checked: faces come next
    bool fin = false;
    std::string erreur;
    int facesRecues = 0; // the highest face rank passed on
    BilanCao bilan;
};

// Handles one line of the reader.
void traiterLigne(const std::string& l, EtatLecture& e, const RecevoirCao& recevoir) {
    if (!e.erreur.empty() || e.fin)
        return;
    if (!e.entete) {
        e.entete = l == "cyclide-cao 1";
        if (!e.entete)
            e.erreur = "reponse inattendue du lecteur de fichiers CAO";
        return;
    }
    if (l.compare(0, 7, "erreur ") == 0) {
        e.erreur = l.substr(7);
        return;
    }
    std::istringstream mots(l);
    std::string mot;
    mots >> mot;
    if (mot == "precision") {
        mots >> e.bilan.precision.chiffres >> e.bilan.precision.incertitude;
        e.charge = true;
        return;
    }
    if (mot == "fin") {
        mots >> e.bilan.faces;
        e.fin = !mots.fail() && e.bilan.faces == e.facesRecues;
        if (!e.fin)
            e.erreur = "le lecteur de fichiers CAO a perdu des faces";
        return;
    }
    ElementCao el;
    if (!lireElementCao(l, el) || el.face < e.facesRecues || el.face > e.facesRecues + 1) {
        e.erreur = "reponse inattendue du lecteur de fichiers CAO";
        return;
    }
    e.facesRecues = el.face;
    if (el.sorte == SorteElementCao::Ignoree)
        ++e.bilan.ignorees;
    recevoir(el, e.bilan.precision);
}

} // namespace

double toleranceFichierCao(double demandee, const PrecisionCao& p) {
    if (p.chiffres <= 0 || p.chiffres >= 17)
        return demandee;
    return std::max(demandee, std::pow(10.0, 2 - p.chiffres));
}

double demiUnite(double v, int chiffresFichier) {
    if (v == 0 || !std::isfinite(v))
        return 0;
    char texte[40];
    int chiffres = 1;
    for (; chiffres < 17; ++chiffres) {
        std::snprintf(texte, sizeof texte, "%.*e", chiffres - 1, v);
        if (std::strtod(texte, nullptr) == v)
            break;
    }
    // A short number (5, 0.25) is a round one written whole: it holds the
    // file's digits.
    if (chiffres < CHIFFRES_NOMBRE_ROND)
        chiffres = std::clamp(chiffresFichier, chiffres, 17);
    const double exposant = std::floor(std::log10(std::fabs(v)));
    return 0.5 * std::pow(10.0, exposant - chiffres + 1);
}

namespace {

// What the digits of a net's numbers leave of its shape: the largest
// rounding of a coordinate, and of a weight relative to itself.
struct ArrondiReseau {
    double coordonnee = 0; // absolute
    double poids = 0;      // relative
    double taille = 0;     // the largest distance from P00 to another control point
};

ArrondiReseau arrondiReseau(const RBBP& r, int chiffres) {
    ArrondiReseau a;
    const Point p00 = r.getP(0, 0);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const Point p = r.getP(i, j);
            for (double v : {p.getX0(), p.getY0(), p.getZ0()})
                a.coordonnee = std::max(a.coordonnee, demiUnite(v, chiffres));
            const double w = r.getW(i, j);
            if (w != 0)
                a.poids = std::max(a.poids, demiUnite(w, chiffres) / std::fabs(w));
            a.taille =
                std::max(a.taille, std::hypot(p.getX0() - p00.getX0(), p.getY0() - p00.getY0(),
                                              p.getZ0() - p00.getZ0()));
        }
    return a;
}

} // namespace

Scene sceneElementCao(const ElementCao& e, PlanConversion plan, double tolerance,
                      const PrecisionCao& p) {
    const ArrondiReseau arrondi = arrondiReseau(e.reseau, p.chiffres);
    // The net's boundaries are circles only to its digits and to the
    // uncertainty the file states.
    const double ecartReseau =
        arrondi.taille > 0 ? (arrondi.coordonnee + p.incertitude) / arrondi.taille + arrondi.poids
                           : 0;
    Scene s = construireSceneReseau(e.reseau, plan,
                                    std::max(toleranceFichierCao(tolerance, p), 10 * ecartReseau));
    if (!estCyclide(s.typeCyclide))
        return s;
    const double taille = std::max(std::fabs(s.converti.a), std::fabs(s.converti.mu));
    if (!(taille > 0))
        return s;
    // What the file's numbers leave of a, c, mu: their digits, the
    // uncertainty the file states, the row's own distance to the file's
    // surface.
    const double relative =
        std::max({(arrondi.coordonnee + p.incertitude) / taille + arrondi.poids, e.incertitude});
    if (relative > s.incertitude) {
        s.incertitude = relative;
        s.genresAdmis = genresAdmis(std::fabs(s.converti.a), std::fabs(s.converti.c),
                                    std::fabs(s.converti.mu), s.typeCyclide, s.incertitude);
    }
    return s;
}

bool estFichierCao(const std::string& chemin) {
    const std::string e = extension(chemin);
    return e == "step" || e == "stp" || e == "iges" || e == "igs";
}

Resultat<void> verifierFichierCao(const std::string& chemin) {
    struct stat etat {};
    const std::string cite = "'" + chemin + "'";
    if (::stat(chemin.c_str(), &etat) != 0)
        return {errno == ENOENT
                    ? "le fichier " + cite + " est introuvable"
                    : "le fichier " + cite + " ne peut pas etre examine : " + raisonErreur(errno)};
    if (S_ISDIR(etat.st_mode))
        return {cite + " est un repertoire, pas un fichier CAO"};
    if (S_ISFIFO(etat.st_mode))
        return {cite + " est un tube nomme, pas un fichier CAO : seul un fichier ordinaire est lu"};
    if (S_ISCHR(etat.st_mode) || S_ISBLK(etat.st_mode))
        return {cite +
                " est un peripherique, pas un fichier CAO : seul un fichier ordinaire est lu"};
    if (!S_ISREG(etat.st_mode))
        return {cite + " n'est pas un fichier ordinaire : seul un fichier ordinaire est lu"};
    if (::access(chemin.c_str(), R_OK) != 0)
        return {"le fichier " + cite + " ne peut pas etre lu : " + raisonErreur(errno)};
    return {};
}

std::string cheminLecteurCao() {
    if (const char* env = std::getenv("CYCLIDE_LECTEUR_CAO"); env != nullptr && *env != '\0')
        return env;
    char exe[PATH_MAX + 1];
    const ssize_t n = ::readlink("/proc/self/exe", exe, PATH_MAX);
    if (n > 0) {
        std::string dossier(exe, static_cast<std::size_t>(n));
        dossier.erase(dossier.find_last_of('/') + 1);
        // Beside the program (the build tree), then where a package puts it
        // relative to bin/ (any prefix, an unpacked package too).
        for (std::string voisin :
             {dossier + "cyclide-cao", dossier + "../libexec/cyclide-de-dupin/cyclide-cao"})
            if (::access(voisin.c_str(), X_OK) == 0)
                return voisin;
    }
#ifdef CYCLIDE_LECTEUR_CAO_CONSTRUIT
    // The tests run from the build tree, where nothing is installed.
    if (::access(CYCLIDE_LECTEUR_CAO_INSTALLE, X_OK) != 0 &&
        ::access(CYCLIDE_LECTEUR_CAO_CONSTRUIT, X_OK) == 0)
        return CYCLIDE_LECTEUR_CAO_CONSTRUIT;
#endif
    return CYCLIDE_LECTEUR_CAO_INSTALLE;
}

Resultat<BilanCao> lireFichierCao(const std::string& chemin, const RecevoirCao& recevoir) {
    const Resultat<void> verifie = verifierFichierCao(chemin);
    if (!verifie.ok())
        return {BilanCao{}, verifie.raison};
    struct stat etat {};
    ::stat(chemin.c_str(), &etat);
    const LimitesProcessus limites = limitesLecture(static_cast<unsigned long long>(etat.st_size));
    int ignorees = 0;
    // A face that stops the reader (a crash, a limit) gets its row, and the
    // reading starts again after it, so that no other face is lost.
    for (int depuis = 1, reprises = 0;; ++reprises) {
        EtatLecture e;
        e.facesRecues = depuis - 1;
        const FinEnfant f = lancerProcessusBorne(
            cheminLecteurCao(), {"--lire", chemin, "--depuis", std::to_string(depuis)}, "", limites,
            [&](const std::string& l) { traiterLigne(l, e, recevoir); });
        e.bilan.ignorees += ignorees;
        if (!e.erreur.empty() && f.fin == FinProcessus::Normale)
            return {e.bilan, e.erreur};
        if (f.fin == FinProcessus::Normale && f.code == 0 && e.fin)
            return {e.bilan, ""};
        if (f.fin == FinProcessus::Normale && f.code == 0)
            return {e.bilan,
                    "le lecteur de fichiers CAO s'est arrete avant la fin de '" + chemin + "'"};
        if (!e.charge || !e.erreur.empty() || reprises == REPRISES_MAX ||
            (f.fin == FinProcessus::Normale && f.code == 127))
            return {e.bilan, raisonLecteur(chemin, f, limites)};
        ElementCao perdue;
        perdue.sorte = SorteElementCao::Ignoree;
        perdue.face = e.facesRecues + 1;
        perdue.surface = "inconnue";
        perdue.raison = "face illisible : le lecteur " + raisonFinEnfant(f, limites);
        recevoir(perdue, e.bilan.precision);
        ignorees = e.bilan.ignorees + 1;
        depuis = perdue.face + 1;
    }
}

Resultat<std::string> igesParLecteurCao(const std::string& surfaces) {
    LimitesProcessus limites;
    limites.secondes = 60;
    limites.secondesCalcul = 60;
    std::string texte;
    const FinEnfant f = lancerProcessusBorne(cheminLecteurCao(), {"--iges"}, surfaces, limites,
                                             [&](const std::string& l) { texte += l + "\n"; });
    if (f.fin == FinProcessus::Normale && f.code == 0)
        return {texte, ""};
    if (f.fin == FinProcessus::Normale && f.code == 1)
        return {"", texte.empty() ? "l'ecrivain IGES a echoue" : texte.substr(0, texte.size() - 1)};
    if (f.fin == FinProcessus::Normale && f.code == 127)
        return {"", "le programme '" + cheminLecteurCao() + "' n'a pas pu etre lance"};
    return {"", "l'ecrivain IGES " + raisonFinEnfant(f, limites)};
}

std::string ligneElementCao(const ElementCao& e) {
    const std::string tete = std::to_string(e.face) + " " + std::to_string(e.entite) + " ";
    switch (e.sorte) {
    case SorteElementCao::Ignoree:
        return "ignoree " + tete + e.surface + "|" + e.raison;
    case SorteElementCao::Limite:
        return "limite " + tete + e.surface + "|" + e.raison;
    case SorteElementCao::Carreau:
        break;
    }
    std::string l = "carreau " + tete + std::to_string(e.carreauU) + " " +
                    std::to_string(e.carreauV) + " " + e.surface + " " + nombre17(e.incertitude);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const Point p = e.reseau.getP(i, j);
            for (double v : {p.getX0(), p.getY0(), p.getZ0(), e.reseau.getW(i, j)})
                l += " " + nombre17(v);
        }
    return l;
}

bool lireElementCao(const std::string& ligne, ElementCao& e) {
    std::istringstream mots(ligne);
    std::string sorte;
    mots >> sorte >> e.face >> e.entite;
    if (mots.fail() || e.face < 1)
        return false;
    if (sorte == "ignoree" || sorte == "limite") {
        e.sorte = sorte == "ignoree" ? SorteElementCao::Ignoree : SorteElementCao::Limite;
        std::string reste;
        std::getline(mots >> std::ws, reste);
        const std::size_t barre = reste.find('|');
        if (barre == std::string::npos)
            return false;
        e.surface = reste.substr(0, barre);
        e.raison = reste.substr(barre + 1);
        return true;
    }
    if (sorte != "carreau")
        return false;
    e.sorte = SorteElementCao::Carreau;
    mots >> e.carreauU >> e.carreauV >> e.surface >> e.incertitude;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            std::string m[4];
            double v[4];
            for (int k = 0; k < 4; ++k) {
                mots >> m[k];
                v[k] = std::strtod(m[k].c_str(), nullptr);
            }
            e.reseau.setP(i, j, Point(v[0], v[1], v[2]));
            e.reseau.setW(i, j, v[3]);
        }
    return !mots.fail();
}

std::string lignePrecisionCao(const PrecisionCao& p) {
    return "precision " + std::to_string(p.chiffres) + " " + nombre17(p.incertitude);
}

} // namespace cyclide
