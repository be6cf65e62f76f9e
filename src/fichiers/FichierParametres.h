// Parameter files (.car, .bez): the seven conversion parameters
// theta00 theta02 theta20 theta22 (radians) on the first line, an empty line,
// then rayon z11 P10. Free of any GUI toolkit: the window and the converter
// share it.
#ifndef CYCLIDE_FICHIERS_FICHIERPARAMETRES_H
#define CYCLIDE_FICHIERS_FICHIERPARAMETRES_H

#include "fichiers/EcritureFichier.h"
#include "noyau/Resultat.h"

#include <cstddef>
#include <iosfwd>
#include <string>

namespace cyclide {

const int NOMBRE_PARAMETRES = 7;

// A parameter file is a few hundred bytes: a longer input is refused
// rather than read on (an endless pipe, a device, a wrong file).
const std::size_t TAILLE_PARAMETRES_MAX = std::size_t{64} * 1024;

// What reading the seven numbers gave.
struct LectureParametres {
    int lus = 0;        // values read, 0..7
    std::string refuse; // the first word that is not a number (shortened, printable), or empty
};

// Reads up to seven numbers separated by any white space into valeurs, in
// file order (a leading UTF-8 byte-order mark skipped); each word must be a finite decimal number
// (lireNombreDecimal) and no word is collected beyond the longest number accepted. Stops at the
// first word that is not a number, or at the end of the input; the entries
// not reached are left as they were.
LectureParametres analyserParametres(std::istream& in, double valeurs[NOMBRE_PARAMETRES]);

// The same, giving back only how many were read (0..7).
int lireParametres(std::istream& in, double valeurs[NOMBRE_PARAMETRES]);

// How a whole parameter file reads.
enum class VerdictParametres {
    Lu,          // exactly seven numbers and nothing else
    Incomplet,   // fewer than seven numbers
    MotRefuse,   // a word that is not a number
    HorsLimites, // a number beyond the range of a double (1e400)
    EnTrop,      // something after the seventh number
    Carreau,     // a net given directly (36 numbers, or JSON), not parameters
    Etranger     // a file of another kind (an image, an archive, a program)
};

// A parameter file read whole.
struct ParametresFichier {
    VerdictParametres verdict = VerdictParametres::Lu; // how it read
    double valeurs[NOMBRE_PARAMETRES] = {};            // the seven values when Lu
    int lus = 0;                                       // numbers read before the fault
    std::string mot; // the word at fault (shortened, printable), or empty
};

// Reads texte as a parameter file, whole or not at all: exactly seven
// finite decimal numbers separated by any white space (the line breaks of
// the layout are free), a leading UTF-8 byte-order mark skipped.
// Out: the values; on any other text the verdict and the reason in French
// (ISO 8859-1, the console's bytes), naming the word at fault first; a net
// given directly or a file of a known other kind is called what it is.
Resultat<ParametresFichier> lireParametresEntiers(const std::string& texte);

// The kind of a file recognised by its first bytes ("une image PNG", "une
// archive ZIP", ...), or empty when none is recognised.
std::string natureFichier(const std::string& debut);

// True when mot has the form of a decimal number (sign, digits, point,
// exponent) whose value lies beyond the range of a double, such as 1e400.
bool nombreHorsLimites(const std::string& mot);

// How reading a parameter file ended.
enum class ResultatLecture {
    Lu,
    OuvertureImpossible, // missing, not permitted, ...
    GenreRefuse,         // a directory, or (for the window) anything but a regular file
    TropLong,            // more than TAILLE_PARAMETRES_MAX bytes
    ErreurLecture
};

// A whole input read.
struct TexteLu {
    ResultatLecture fin = ResultatLecture::Lu; // how the reading ended
    std::string texte;                         // the bytes read (all of them when Lu)
};

// Reads all of a descriptor, at most TAILLE_PARAMETRES_MAX bytes (a pipe
// or the standard input is read until its end).
// Out: the text and how the reading ended; the reason in French unless Lu.
Resultat<TexteLu> lireDescripteurBorne(int fd);

// Opens chemin and reads it whole. ordinaireSeulement (the
// window): opened without ever waiting (a named pipe without writer, a
// terminal) and refused unless it is a regular file; otherwise pipes and
// character devices are read as well (a named pipe waits for its writer),
// directories refused. identite, when given, gets what was read.
// Out: the text and how the reading ended; the reason in French unless Lu.
Resultat<TexteLu> lireFichierParametres(const std::string& chemin, bool ordinaireSeulement,
                                        IdentiteFichier* identite = nullptr);

// Writes the seven values in the file layout, each in the shortest form
// that reads back as the same double.
void ecrireParametres(std::ostream& out, const double valeurs[NOMBRE_PARAMETRES]);

// Writes the file through a temporary file in the same directory and a
// rename, so that a failure never damages an existing file. Returns true on
// success.
bool ecrireFichierParametres(const std::string& chemin, const double valeurs[NOMBRE_PARAMETRES]);

// The nearest whole number of degrees of an angle in radians
// (radians * 360 / 2pi, halves away from zero), clamped into the range of
// int; NaN gives 0.
int radiansEnDegres(double radians);

} // namespace cyclide

#endif
