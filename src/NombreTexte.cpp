#include "NombreTexte.h"

#include <cctype>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>

namespace {

bool estBlanc(char ch) {
    return std::isspace(static_cast<unsigned char>(ch)) != 0;
}

bool estChiffre(char ch) {
    return ch >= '0' && ch <= '9';
}

// Skips the digits from position k; gives back how many there were.
std::size_t chiffres(const std::string& t, std::size_t& k) {
    const std::size_t debut = k;
    while (k < t.size() && estChiffre(t[k]))
        ++k;
    return k - debut;
}

// True when t is exactly [sign] digits [. digits] [(e|E) [sign] digits],
// with at least one digit in the mantissa.
bool formeDecimale(const std::string& t) {
    std::size_t k = 0;
    if (k < t.size() && (t[k] == '+' || t[k] == '-'))
        ++k;
    std::size_t mantisse = chiffres(t, k);
    if (k < t.size() && t[k] == '.') {
        ++k;
        mantisse += chiffres(t, k);
    }
    if (mantisse == 0)
        return false;
    if (k < t.size() && (t[k] == 'e' || t[k] == 'E')) {
        ++k;
        if (k < t.size() && (t[k] == '+' || t[k] == '-'))
            ++k;
        if (chiffres(t, k) == 0)
            return false;
    }
    return k == t.size();
}

} // namespace

bool lireNombreDecimal(const std::string& texte, double& valeur) {
    std::size_t debut = 0;
    std::size_t fin = texte.size();
    while (debut < fin && estBlanc(texte[debut]))
        ++debut;
    while (fin > debut && estBlanc(texte[fin - 1]))
        --fin;
    const std::string t = texte.substr(debut, fin - debut);
    if (t.size() > LONGUEUR_NOMBRE_MAX || !formeDecimale(t))
        return false;
    // The form above has no locale-dependent character but the point; strtod
    // reads it in the "C" locale, which every program here keeps.
    char* reste = nullptr;
    const double v = std::strtod(t.c_str(), &reste);
    if (reste != t.c_str() + t.size() || !std::isfinite(v))
        return false;
    valeur = v;
    return true;
}
