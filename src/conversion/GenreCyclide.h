// GenreCyclide: the kind of cyclide a conversion reports, as a type, and
// the one table that names each kind: its code (what files, batch rows and
// the JSON write), its English name (JSON and CSV), the window's name and
// the message of the console and the window.
#ifndef CYCLIDE_CONVERSION_GENRECYCLIDE_H
#define CYCLIDE_CONVERSION_GENRECYCLIDE_H

#include <iosfwd>

namespace cyclide {

// None, the three general kinds, then the double sphere and the two tori;
// the values are the codes.
enum class GenreCyclide {
    Aucune = 0,
    Ring = 1,
    Spindle = 2,
    Horned = 3,
    SphereDouble = 4,
    ToreCroise = 5,
    ToreCollier = 6
};

// One row of the table.
struct DescriptionGenre {
    GenreCyclide genre;
    int code;            // the cyclide-type code written in files and the JSON
    const char* nom;     // the English name of the JSON and CSV; nullptr for none
    const char* libelle; // the window's name of the kind; "" for none
    const char* message; // the console's and the window's message (ISO 8859-1)
};

// The row of the kind g.
const DescriptionGenre& description(GenreCyclide g);

// The cyclide-type code of g (0..6).
constexpr int codeGenre(GenreCyclide g) {
    return static_cast<int>(g);
}

// The kind of a code read from a file, a JSON or a script.
// In: any int. Out: false (g untouched) unless code is 0..6.
bool genreDuCode(int code, GenreCyclide& g);

// The English name of g: "ring", "spindle", "horned", "double_sphere",
// "crossed_torus", "collar_torus"; nullptr for Aucune.
inline const char* nomGenre(GenreCyclide g) {
    return description(g).nom;
}

// The message of g ("La cyclide est de type ring", ...; for Aucune
// "Nous n'avons pas un carreau convertible").
inline const char* messageCyclide(GenreCyclide g) {
    return description(g).message;
}

// True for every kind but Aucune: a cyclide carries the patch.
constexpr bool estCyclide(GenreCyclide g) {
    return g != GenreCyclide::Aucune;
}

// True for the double sphere and the two tori (c = 0).
constexpr bool estTore(GenreCyclide g) {
    return g == GenreCyclide::SphereDouble || g == GenreCyclide::ToreCroise ||
           g == GenreCyclide::ToreCollier;
}

// Writes the code, as files and reports do.
std::ostream& operator<<(std::ostream& os, GenreCyclide g);

} // namespace cyclide

#endif
