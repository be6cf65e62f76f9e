// NombreTexte: the one rule for numbers typed by a user, on the command line
// and in files: a finite decimal number in the C locale (the decimal point
// is '.' whatever the program's locale), with optional sign, digits, point
// and exponent, white space allowed around it.
#ifndef NOMBRE_TEXTE_H
#define NOMBRE_TEXTE_H

#include <cstddef>
#include <string>
#include <string_view>

// The longest number text accepted (sign, digits, point and exponent): longer
// texts are refused without being collected further.
const std::size_t LONGUEUR_NOMBRE_MAX = 64;

// Reads texte as one finite decimal number, white space allowed before and
// after. Gives back false, leaving valeur unchanged, for an empty text, any
// other character, hexadecimal forms, "nan", "inf", a value that overflows
// to infinity, or a text longer than LONGUEUR_NOMBRE_MAX once trimmed.
// Values that underflow read as the nearest representable number (possibly 0).
bool lireNombreDecimal(std::string_view texte, double& valeur);

#endif
