#include "conversion/GenresAdmis.h"

#include <algorithm>
#include <cmath>

namespace cyclide {

namespace {

// Below this fraction of the cyclide's size, c is taken as 0 (a torus), a
// too (a sphere), and a torus's a and mu as equal (a horn torus, crossed).
const double MARGE_RELATIVE = 1e-9;

// Every kind, codes 1 to 6.
const MasqueGenres TOUS_LES_GENRES = 0x7Eu;

// The values one of a, c, mu may take: [bas, haut], never below 0.
struct Intervalle {
    double bas, haut;
};

Intervalle autour(double x, double h) {
    return {std::max(0.0, x - h), x + h};
}

MasqueGenres bit(GenreCyclide genre) {
    return 1u << static_cast<unsigned>(codeGenre(genre));
}

// The tori and the sphere met by the box whose c' reaches the margin m.
MasqueGenres toresAdmis(const Intervalle& A, const Intervalle& M, double m) {
    MasqueGenres k = 0;
    if (A.bas <= m)
        k |= bit(GenreCyclide::SphereDouble);
    if (A.haut > m) {
        const double aPlusPetit = std::max(A.bas, m);
        if (aPlusPetit <= M.haut + m) // a' <= mu' (within the margin): crossed
            k |= bit(GenreCyclide::ToreCroise);
        if (A.haut > M.bas + m) // a' > mu': collar
            k |= bit(GenreCyclide::ToreCollier);
    }
    return k;
}

// The general kinds met by the part of the box where c' > m and c' <= a'.
MasqueGenres generauxAdmis(const Intervalle& A, const Intervalle& C, const Intervalle& M,
                           double m) {
    const double cPlusPetit = std::max(C.bas, m);
    if (C.haut <= m || A.haut < cPlusPetit)
        return 0;
    MasqueGenres k = 0;
    const double cPlusGrand = std::min(C.haut, A.haut);
    if (M.bas <= cPlusGrand) // mu' <= c' <= a': horned
        k |= bit(GenreCyclide::Horned);
    if (std::max(M.bas, cPlusPetit) <= std::min(M.haut, A.haut)) // c' < mu' <= a': ring
        k |= bit(GenreCyclide::Ring);
    const double aPlusPetit = std::max(A.bas, cPlusPetit);
    if (M.haut > aPlusPetit) // c' <= a' < mu': spindle
        k |= bit(GenreCyclide::Spindle);
    return k;
}

} // namespace

MasqueGenres genresAdmis(double a, double c, double mu, GenreCyclide genre, double incertitude) {
    if (!estCyclide(genre))
        return 0;
    const double taille = std::max(a, mu);
    const double h = 10 * incertitude * taille;
    if (!std::isfinite(h) || !std::isfinite(a) || !std::isfinite(c) || !std::isfinite(mu))
        return TOUS_LES_GENRES;
    const double m = MARGE_RELATIVE * taille;
    const Intervalle A = autour(a, h), C = autour(c, h), M = autour(mu, h);
    MasqueGenres k = bit(genre) | generauxAdmis(A, C, M, m);
    if (C.bas <= m)
        k |= toresAdmis(A, M, m);
    return k;
}

std::vector<GenreCyclide> codesAdmis(MasqueGenres masque, GenreCyclide genre) {
    std::vector<GenreCyclide> genres;
    if (admet(masque, genre))
        genres.push_back(genre);
    for (int k = 1; k <= 6; ++k) {
        GenreCyclide g = GenreCyclide::Aucune;
        if (genreDuCode(k, g) && g != genre && admet(masque, g))
            genres.push_back(g);
    }
    return genres;
}

} // namespace cyclide
