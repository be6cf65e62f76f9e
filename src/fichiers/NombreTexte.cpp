#include "fichiers/NombreTexte.h"

#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace cyclide {

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

std::string_view sansMarqueUtf8(std::string_view texte) {
    return texte.substr(0, MARQUE_UTF8.size()) == MARQUE_UTF8 ? texte.substr(MARQUE_UTF8.size())
                                                              : texte;
}

namespace {

bool estBlancLigne(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\v' || ch == '\f';
}

std::string_view sansBlancs(std::string_view t) {
    while (!t.empty() && estBlancLigne(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && estBlancLigne(t.back()))
        t.remove_suffix(1);
    return t;
}

// Fields separated by commas; every one counts, even empty.
std::size_t champsVirgules(std::string_view t, std::string_view* champs, std::size_t max) {
    std::size_t n = 0;
    for (;;) {
        const std::size_t virgule = t.find(',');
        if (n < max)
            champs[n] = sansBlancs(t.substr(0, virgule));
        ++n;
        if (virgule == std::string_view::npos)
            return n;
        t.remove_prefix(virgule + 1);
    }
}

// Fields separated by white space.
std::size_t champsBlancs(std::string_view t, std::string_view* champs, std::size_t max) {
    std::size_t n = 0;
    std::size_t k = 0;
    while (k < t.size()) {
        while (k < t.size() && estBlancLigne(t[k]))
            ++k;
        const std::size_t debut = k;
        while (k < t.size() && !estBlancLigne(t[k]))
            ++k;
        if (k > debut && n < max)
            champs[n] = t.substr(debut, k - debut);
        n += k > debut ? 1 : 0;
    }
    return n;
}

} // namespace

std::size_t champsLigne(std::string_view ligne, std::string_view* champs, std::size_t max) {
    const std::string_view t = ligne.substr(0, ligne.find('#'));
    if (sansBlancs(t).empty())
        return 0;
    return t.find(',') != std::string_view::npos ? champsVirgules(t, champs, max)
                                                 : champsBlancs(t, champs, max);
}

bool separateursMelanges(std::string_view ligne) {
    std::string_view t = ligne.substr(0, ligne.find('#'));
    if (t.find(',') == std::string_view::npos)
        return false;
    for (;;) {
        const std::size_t virgule = t.find(',');
        const std::string_view champ = sansBlancs(t.substr(0, virgule));
        for (char ch : champ)
            if (estBlancLigne(ch))
                return true;
        if (virgule == std::string_view::npos)
            return false;
        t.remove_prefix(virgule + 1);
    }
}

std::string texteCite(std::string_view mot, std::size_t max) {
    std::string texte = "'";
    for (std::size_t k = 0; k < mot.size() && k < max; ++k) {
        const auto octet = static_cast<unsigned char>(mot[k]);
        if (octet >= 0x20 && octet < 0x7F) {
            texte += static_cast<char>(octet);
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", octet);
            texte += code;
        }
    }
    if (mot.size() > max)
        texte += "...";
    return texte + "'";
}

} // namespace cyclide
