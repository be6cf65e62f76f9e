#include "LectureCarreau.h"

#include "NombreTexte.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace {

// How much of a faulty text a message quotes.
const std::size_t CITATION_MAX = 24;

std::string ligneNumero(std::size_t numero) {
    return "ligne " + std::to_string(numero) + " : ";
}

std::string citation(const std::string& texte) {
    if (texte.size() <= CITATION_MAX)
        return "'" + texte + "'";
    return "'" + texte.substr(0, CITATION_MAX) + "...'";
}

// The white-space separated words of a line, its comment cut off.
std::vector<std::string> mots(const std::string& ligne) {
    std::istringstream is(ligne.substr(0, ligne.find('#')));
    std::vector<std::string> res;
    std::string mot;
    while (is >> mot)
        res.push_back(mot);
    return res;
}

// Reads the four numbers of one data line into v; false with the message.
bool lireLigne(const std::vector<std::string>& m, std::size_t numero, double v[4],
               std::string& erreur) {
    if (m.size() != 4) {
        erreur = ligneNumero(numero) + "4 nombres attendus (x y z w), " + std::to_string(m.size()) +
                 " trouve(s)";
        return false;
    }
    for (int k = 0; k < 4; ++k)
        if (!lireNombreDecimal(m[k], v[k])) {
            erreur = ligneNumero(numero) + citation(m[k]) + " n'est pas un nombre";
            return false;
        }
    return true;
}

// Takes in at most TAILLE_CARREAU_MAX bytes; false when there are more or
// the stream fails.
bool lireTexte(std::istream& is, std::string& texte, std::string& erreur) {
    texte.assign(TAILLE_CARREAU_MAX + 1, '\0');
    is.read(&texte[0], static_cast<std::streamsize>(texte.size()));
    if (is.bad()) {
        erreur = "le carreau ne peut pas etre lu";
        return false;
    }
    texte.resize(static_cast<std::size_t>(is.gcount()));
    if (texte.size() > TAILLE_CARREAU_MAX) {
        erreur = "le carreau depasse " + std::to_string(TAILLE_CARREAU_MAX) + " octets";
        return false;
    }
    return true;
}

} // namespace

bool lireCarreau(std::istream& is, RBBP& net, std::string& erreur) {
    std::string texte;
    if (!lireTexte(is, texte, erreur))
        return false;
    std::istringstream lignes(texte);
    std::string ligne;
    double valeurs[9][4];
    int points = 0;
    for (std::size_t numero = 1; std::getline(lignes, ligne); ++numero) {
        const std::vector<std::string> m = mots(ligne);
        if (m.empty())
            continue;
        if (points == 9) {
            erreur = ligneNumero(numero) + "un dixieme point, le carreau n'en a que neuf";
            return false;
        }
        if (!lireLigne(m, numero, valeurs[points], erreur))
            return false;
        ++points;
    }
    if (points < 9) {
        erreur = "le carreau n'a que " + std::to_string(points) + " point(s) sur neuf";
        return false;
    }
    for (int k = 0; k < 9; ++k) {
        Point P = net.getP(k / 3, k % 3);
        P.init(valeurs[k][0], valeurs[k][1], valeurs[k][2]);
        net.setP(k / 3, k % 3, P);
        net.setW(k / 3, k % 3, valeurs[k][3]);
    }
    return true;
}

bool lireFichierCarreau(const std::string& nom, RBBP& net, std::string& erreur) {
    std::ifstream fichier(nom, std::ios::binary);
    if (!fichier) {
        erreur = "impossible d'ouvrir le fichier '" + nom + "'";
        return false;
    }
    return lireCarreau(fichier, net, erreur);
}
