#include "NombreTexte.h"

#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>

namespace {

bool estBlanc(char ch) {
    return std::isspace(static_cast<unsigned char>(ch)) != 0;
}

// The "C" locale, made once. The texts read here always use '.', whatever
// locale the program runs in: the window's toolkit takes the user's, whose
// decimal separator may be ','. Null if it could not be made.
locale_t localeC() {
    static const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

bool estChiffre(char ch) {
    return ch >= '0' && ch <= '9';
}

// Skips the digits from position k; gives back how many there were.
std::size_t chiffres(std::string_view t, std::size_t& k) {
    const std::size_t debut = k;
    while (k < t.size() && estChiffre(t[k]))
        ++k;
    return k - debut;
}

// True when t is exactly [sign] digits [. digits] [(e|E) [sign] digits],
// with at least one digit in the mantissa.
bool formeDecimale(std::string_view t) {
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

bool lireNombreDecimal(std::string_view texte, double& valeur) {
    std::size_t debut = 0;
    std::size_t fin = texte.size();
    while (debut < fin && estBlanc(texte[debut]))
        ++debut;
    while (fin > debut && estBlanc(texte[fin - 1]))
        --fin;
    const std::string_view t = texte.substr(debut, fin - debut);
    if (t.size() > LONGUEUR_NOMBRE_MAX || !formeDecimale(t))
        return false;
    // The form is checked above, so from_chars reads the whole text (it
    // takes no '+' sign); it is exact and independent of the locale.
    const std::string_view sansPlus = t.front() == '+' ? t.substr(1) : t;
    double v = 0;
    const auto [fin_lue, erreur] =
        std::from_chars(sansPlus.data(), sansPlus.data() + sansPlus.size(), v);
    if (erreur == std::errc::result_out_of_range) {
        // from_chars gives no value when the nearest double is a zero or an
        // infinity: strtod_l, in the "C" locale, gives that signed zero
        // (an infinity is refused below).
        if (localeC() == nullptr)
            return false;
        const std::string copie(sansPlus);
        v = ::strtod_l(copie.c_str(), nullptr, localeC());
    } else if (erreur != std::errc() || fin_lue != sansPlus.data() + sansPlus.size()) {
        return false;
    }
    if (!std::isfinite(v))
        return false;
    valeur = v;
    return true;
}
