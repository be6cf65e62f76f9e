#include "fichiers/LectureCarreau.h"

#include "fichiers/NombreTexte.h"

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

// Reads the n numbers of one data line into v; the message of the first
// that is not a number.
Resultat<void> lireNombres(const std::string_view* m, std::size_t n, std::size_t numero,
                           double* v) {
    for (std::size_t k = 0; k < n; ++k)
        if (!lireNombreDecimal(m[k], v[k]))
            return {ligneNumero(numero) + texteCite(m[k], CITATION_MAX) + " n'est pas un nombre"};
    return {};
}

// Takes in at most TAILLE_CARREAU_MAX bytes; refused when there are more
// or the stream fails.
Resultat<std::string> lireTexte(std::istream& is) {
    Resultat<std::string> lu;
    std::string& texte = lu.valeur;
    texte.assign(TAILLE_CARREAU_MAX + 1, '\0');
    is.read(&texte[0], static_cast<std::streamsize>(texte.size()));
    if (is.bad()) {
        lu.raison = "le carreau ne peut pas etre lu";
        return lu;
    }
    texte.resize(static_cast<std::size_t>(is.gcount()));
    if (texte.size() > TAILLE_CARREAU_MAX)
        lu.raison = "le carreau depasse " + std::to_string(TAILLE_CARREAU_MAX) + " octets";
    return lu;
}

// The line forms: nine lines of four numbers, or one line of 36, into v;
// the message of the first fault, with its line.
Resultat<void> lireLignes(std::string_view texte, double v[NOMBRES_RESEAU]) {
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
        if (points == 9)
            return {ligneNumero(numero) + "un dixieme point, le carreau n'en a que neuf"};
        if (separateursMelanges(ligne))
            return {ligneNumero(numero) +
                    "nombres separes a la fois par des virgules et des blancs"};
        if (points == 0 && n == NOMBRES_RESEAU) {
            Resultat<void> nombres = lireNombres(m, n, numero, v);
            if (!nombres.ok())
                return nombres;
            points = 9;
            continue;
        }
        if (n != 4)
            return {ligneNumero(numero) + "4 nombres attendus (x y z w), " + std::to_string(n) +
                    " trouve(s)"};
        Resultat<void> nombres = lireNombres(m, 4, numero, v + std::ptrdiff_t{4} * points);
        if (!nombres.ok())
            return nombres;
        ++points;
    }
    if (points < 9)
        return {"le carreau n'a que " + std::to_string(points) + " point(s) sur neuf"};
    return {};
}

// The JSON form into v, with its fault in French.
Resultat<void> lireJson(std::string_view texte, double v[NOMBRES_RESEAU]) {
    const FauteJson faute = lireReseauJson(texte, v);
    switch (faute.sorte) {
    case FauteJson::Sorte::Aucune:
        break;
    case FauteJson::Sorte::Syntaxe:
        return {"JSON invalide a l'octet " + std::to_string(faute.octet)};
    case FauteJson::Sorte::Debordement:
        return {"un nombre du JSON depasse les limites d'un double"};
    case FauteJson::Sorte::Forme:
        return {"objet JSON {\"net\": [[x, y, z, w], ... neuf points]} attendu"};
    case FauteJson::Sorte::NonFini:
        return {faute.chemin + " n'est pas un nombre fini"};
    }
    return {};
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
    Resultat<RBBP> carreau;
    const Resultat<std::string> brut = lireTexte(is);
    if (!brut.ok()) {
        carreau.raison = brut.raison;
        return carreau;
    }
    const std::string_view texte = sansMarqueUtf8(brut.valeur);
    double valeurs[NOMBRES_RESEAU];
    const Resultat<void> lu =
        commenceParAccolade(texte) ? lireJson(texte, valeurs) : lireLignes(texte, valeurs);
    carreau.raison = lu.raison;
    if (lu.ok())
        reseauDesValeurs(valeurs, carreau.valeur);
    return carreau;
}

Resultat<RBBP> lireFichierCarreau(const std::string& nom) {
    std::ifstream fichier(nom, std::ios::binary);
    if (!fichier)
        return {RBBP(), "impossible d'ouvrir le fichier '" + nom + "'"};
    return lireCarreau(fichier);
}

} // namespace cyclide
