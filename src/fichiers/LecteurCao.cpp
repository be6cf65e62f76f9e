#include "fichiers/LecteurCao.h"

#include "fichiers/EcritureFichier.h"
#include "fichiers/NombreTexte.h"
#include "fichiers/ProcessusBorne.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
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

// The state of a reading as the lines come.
struct EtatLecture {
    bool entete = false;
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

bool estFichierCao(const std::string& chemin) {
    const std::string e = extension(chemin);
    return e == "step" || e == "stp" || e == "iges" || e == "igs";
}

Resultat<void> verifierFichierCao(const std::string& chemin) {
    struct stat etat {};
    const std::string cite = "'" + chemin + "'";
    if (::stat(chemin.c_str(), &etat) != 0)
        return {errno == ENOENT ? "le fichier " + cite + " est introuvable"
                                : "le fichier " + cite + " ne peut pas etre examine : " +
                                      raisonErreur(errno)};
    if (S_ISDIR(etat.st_mode))
        return {cite + " est un repertoire, pas un fichier CAO"};
    if (S_ISFIFO(etat.st_mode))
        return {cite + " est un tube nomme, pas un fichier CAO : seul un fichier ordinaire est lu"};
    if (S_ISCHR(etat.st_mode) || S_ISBLK(etat.st_mode))
        return {cite + " est un peripherique, pas un fichier CAO : seul un fichier ordinaire est lu"};
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
        const std::string voisin = dossier + "cyclide-cao";
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
    EtatLecture e;
    const FinEnfant f = lancerProcessusBorne(cheminLecteurCao(), {"--lire", chemin}, "", limites,
                                             [&](const std::string& l) {
                                                 traiterLigne(l, e, recevoir);
                                             });
    if (!e.erreur.empty() && f.fin == FinProcessus::Normale)
        return {e.bilan, e.erreur};
    if (f.fin != FinProcessus::Normale || f.code != 0 || !e.fin)
        return {e.bilan, f.fin == FinProcessus::Normale && f.code == 0
                             ? "le lecteur de fichiers CAO s'est arrete avant la fin de '" +
                                   chemin + "'"
                             : raisonLecteur(chemin, f, limites)};
    return {e.bilan, ""};
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
                    std::to_string(e.carreauV) + " " + e.surface;
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
    mots >> e.carreauU >> e.carreauV >> e.surface;
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
