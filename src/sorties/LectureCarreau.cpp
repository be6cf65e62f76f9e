#include "LectureCarreau.h"

#include "NombreTexte.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstddef>
#include <fstream>
#include <sstream>
#include <vector>

namespace cyclide {

namespace {

// How much of a faulty text a message quotes.
const std::size_t CITATION_MAX = 24;

std::string ligneNumero(std::size_t numero) {
    return "ligne " + std::to_string(numero) + " : ";
}

// Reads the n numbers of one data line into v; false with the message.
bool lireNombres(const std::string_view* m, std::size_t n, std::size_t numero, double* v,
                 std::string& erreur) {
    for (std::size_t k = 0; k < n; ++k)
        if (!lireNombreDecimal(m[k], v[k])) {
            erreur = ligneNumero(numero) + texteCite(m[k], CITATION_MAX) + " n'est pas un nombre";
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

// The line forms: nine lines of four numbers, or one line of 36.
bool lireLignes(std::string_view texte, double v[NOMBRES_RESEAU], std::string& erreur) {
    std::string_view m[NOMBRES_RESEAU];
    int points = 0;
    std::size_t numero = 0;
    while (!texte.empty()) {
        ++numero;
        const std::size_t fin = std::min(texte.find('\n'), texte.size());
        const std::string_view ligne = texte.substr(0, fin);
        texte.remove_prefix(std::min(fin + 1, texte.size()));
        const std::size_t n = champsLigne(ligne, m, NOMBRES_RESEAU);
        if (n == 0)
            continue;
        if (points == 9) {
            erreur = ligneNumero(numero) + "un dixieme point, le carreau n'en a que neuf";
            return false;
        }
        if (separateursMelanges(ligne)) {
            erreur =
                ligneNumero(numero) + "nombres separes a la fois par des virgules et des blancs";
            return false;
        }
        if (points == 0 && n == NOMBRES_RESEAU) {
            if (!lireNombres(m, n, numero, v, erreur))
                return false;
            points = 9;
            continue;
        }
        if (n != 4) {
            erreur = ligneNumero(numero) + "4 nombres attendus (x y z w), " + std::to_string(n) +
                     " trouve(s)";
            return false;
        }
        if (!lireNombres(m, 4, numero, v + std::ptrdiff_t{4} * points, erreur))
            return false;
        ++points;
    }
    if (points < 9) {
        erreur = "le carreau n'a que " + std::to_string(points) + " point(s) sur neuf";
        return false;
    }
    return true;
}

// The JSON form, with its fault in French.
bool lireJson(std::string_view texte, double v[NOMBRES_RESEAU], std::string& erreur) {
    const FauteJson faute = lireReseauJson(texte, v);
    switch (faute.sorte) {
    case FauteJson::Sorte::Aucune:
        return true;
    case FauteJson::Sorte::Syntaxe:
        erreur = "JSON invalide a l'octet " + std::to_string(faute.octet);
        break;
    case FauteJson::Sorte::Debordement:
        erreur = "un nombre du JSON depasse les limites d'un double";
        break;
    case FauteJson::Sorte::Forme:
        erreur = "objet JSON {\"net\": [[x, y, z, w], ... neuf points]} attendu";
        break;
    case FauteJson::Sorte::NonFini:
        erreur = faute.chemin + " n'est pas un nombre fini";
        break;
    }
    return false;
}

bool commenceParAccolade(std::string_view t) {
    const std::size_t k = t.find_first_not_of(" \t\r\n\v\f");
    return k != std::string_view::npos && t[k] == '{';
}

} // namespace

FauteJson lireReseauJson(std::string_view texte, double valeurs[NOMBRES_RESEAU]) {
    FauteJson faute;
    nlohmann::json objet;
    try {
        objet = nlohmann::json::parse(texte.begin(), texte.end());
    } catch (const nlohmann::json::parse_error& e) {
        faute.sorte = FauteJson::Sorte::Syntaxe;
        faute.octet = e.byte;
        return faute;
    } catch (const nlohmann::json::exception&) { // out_of_range: a number overflows
        faute.sorte = FauteJson::Sorte::Debordement;
        return faute;
    }
    const auto net = objet.is_object() ? objet.find("net") : objet.end();
    bool forme = net != objet.end() && net->is_array() && net->size() == 9;
    for (std::size_t i = 0; forme && i < 9; ++i)
        forme = (*net)[i].is_array() && (*net)[i].size() == 4;
    if (!forme) {
        faute.sorte = FauteJson::Sorte::Forme;
        return faute;
    }
    double v[NOMBRES_RESEAU];
    for (std::size_t i = 0; i < 9; ++i)
        for (std::size_t k = 0; k < 4; ++k) {
            const nlohmann::json& x = (*net)[i][k];
            v[4 * i + k] = x.is_number() ? x.get<double>() : std::nan("");
            if (!std::isfinite(v[4 * i + k])) {
                faute.sorte = FauteJson::Sorte::NonFini;
                faute.chemin = "net[" + std::to_string(i) + "][" + std::to_string(k) + "]";
                return faute;
            }
        }
    std::copy(v, v + NOMBRES_RESEAU, valeurs);
    return faute;
}

void reseauDesValeurs(const double valeurs[NOMBRES_RESEAU], RBBP& net) {
    for (int k = 0; k < 9; ++k) {
        const double* v = valeurs + std::ptrdiff_t{4} * k; // P(k / 3, k % 3): x y z w
        Point P = net.getP(k / 3, k % 3);
        P.init(v[0], v[1], v[2]);
        net.setP(k / 3, k % 3, P);
        net.setW(k / 3, k % 3, v[3]);
    }
}

Resultat<RBBP> lireCarreau(std::istream& is) {
    Resultat<RBBP> lu;
    std::string brut;
    if (!lireTexte(is, brut, lu.raison))
        return lu;
    const std::string_view texte = sansMarqueUtf8(brut);
    double valeurs[NOMBRES_RESEAU];
    if (commenceParAccolade(texte) ? lireJson(texte, valeurs, lu.raison)
                                   : lireLignes(texte, valeurs, lu.raison))
        reseauDesValeurs(valeurs, lu.valeur);
    return lu;
}

Resultat<RBBP> lireFichierCarreau(const std::string& nom) {
    std::ifstream fichier(nom, std::ios::binary);
    if (!fichier)
        return {RBBP(), "impossible d'ouvrir le fichier '" + nom + "'"};
    return lireCarreau(fichier);
}

} // namespace cyclide
