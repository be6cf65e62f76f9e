// Parameter files (.car, .bez): the seven conversion parameters
// theta00 theta02 theta20 theta22 (radians) on the first line, an empty line,
// then rayon z11 P10. Free of any GUI toolkit: the window and the converter
// share it.
#ifndef FICHIER_PARAMETRES_H
#define FICHIER_PARAMETRES_H

#include <iosfwd>
#include <string>

const int NOMBRE_PARAMETRES = 7;

// Reads up to seven numbers separated by any white space into valeurs, in
// file order, and stops at the first failed read. Returns how many were read
// (0..7); the entries not reached are left as they were.
int lireParametres(std::istream& in, double valeurs[NOMBRE_PARAMETRES]);

// Writes the seven values in the file layout, 6 significant digits.
void ecrireParametres(std::ostream& out, const double valeurs[NOMBRE_PARAMETRES]);

// Writes the file through a temporary file in the same directory and a
// rename, so that a failure never damages an existing file. Returns true on
// success.
bool ecrireFichierParametres(const std::string& chemin, const double valeurs[NOMBRE_PARAMETRES]);

// Whole degrees, truncated toward zero, of an angle in radians
// (radians * 360 / 2pi), clamped into the range of int; NaN gives 0.
int radiansEnDegres(double radians);

#endif
