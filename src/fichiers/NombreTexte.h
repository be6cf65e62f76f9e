// NombreTexte: the one rule for numbers typed by a user, on the command line
// and in files: a finite decimal number in the C locale (the decimal point
// is '.' whatever the program's locale), with optional sign, digits, point
// and exponent, white space allowed around it.
#ifndef CYCLIDE_FICHIERS_NOMBRETEXTE_H
#define CYCLIDE_FICHIERS_NOMBRETEXTE_H

#include <cstddef>
#include <string>
#include <string_view>

namespace cyclide {

// The longest number text accepted (sign, digits, point and exponent): longer
// texts are refused without being collected further.
const std::size_t LONGUEUR_NOMBRE_MAX = 64;

// The UTF-8 byte-order mark some editors put at the start of a text file.
const std::string_view MARQUE_UTF8 = "\xEF\xBB\xBF";

// texte without its leading UTF-8 byte-order mark, if it has one.
std::string_view sansMarqueUtf8(std::string_view texte);

// Reads texte as one finite decimal number, white space allowed before and
// after. Gives back false, leaving valeur unchanged, for an empty text, any
// other character, hexadecimal forms, "nan", "inf", a value that overflows
// to infinity, or a text longer than LONGUEUR_NOMBRE_MAX once trimmed.
// Values that underflow read as the nearest representable number (possibly 0).
bool lireNombreDecimal(std::string_view texte, double& valeur);

// The one field rule of every line of numbers (batch lines, net lines): the
// text from '#' on is a comment; a line holding a comma has its fields
// separated by commas, white space around each allowed (an empty field is
// a field, that no number rule accepts); any other line has its fields
// separated by white space. Writes the first max fields into champs (views
// into ligne) and gives back how many there are in all.
std::size_t champsLigne(std::string_view ligne, std::string_view* champs, std::size_t max);

// True when a line separates its fields by commas and also by white space
// inside a field ("0 1,5 2"): such a line is refused rather than guessed.
bool separateursMelanges(std::string_view ligne);

// A word quoted in a message: between apostrophes, at most max characters
// (then "..."), every byte that is not printable ASCII written \xNN.
std::string texteCite(std::string_view mot, std::size_t max = 40);

} // namespace cyclide

#endif
