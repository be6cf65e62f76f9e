#include "conversion/GenreCyclide.h"

#include <ostream>

namespace cyclide {

namespace {

// Every kind, in the order of the codes.
const DescriptionGenre GENRES[7] = {
    {GenreCyclide::Aucune, 0, nullptr, "", "Nous n'avons pas un carreau convertible"},
    {GenreCyclide::Ring, 1, "ring", "ring", "La cyclide est de type ring"},
    {GenreCyclide::Spindle, 2, "spindle", "spindle", "La cyclide est de type spindle"},
    {GenreCyclide::Horned, 3, "horned", "horned", "La cyclide est de type horned"},
    {GenreCyclide::SphereDouble, 4, "double_sphere", "sphere double",
     "La cyclide est une sphere double"},
    {GenreCyclide::ToreCroise, 5, "crossed_torus", "tore croise", "La cyclide est un tore croise"},
    {GenreCyclide::ToreCollier, 6, "collar_torus", "tore a collier",
     "La cyclide est un tore a collier"},
};

} // namespace

const DescriptionGenre& description(GenreCyclide g) {
    const int k = codeGenre(g);
    return GENRES[k >= 0 && k <= 6 ? k : 0];
}

bool genreDuCode(int code, GenreCyclide& g) {
    if (code < 0 || code > 6)
        return false;
    g = GENRES[code].genre;
    return true;
}

std::ostream& operator<<(std::ostream& os, GenreCyclide g) {
    return os << codeGenre(g);
}

} // namespace cyclide
