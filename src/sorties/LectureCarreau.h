// LectureCarreau: a net given directly as text, nine lines "x y z w" (the
// control point and its weight), row by row: P00 P01 P02 P10 P11 P12 P20
// P21 P22. A '#' starts a comment up to the end of its line; blank lines
// are allowed. Every number follows the one rule of NombreTexte.
#ifndef LECTURE_CARREAU_H
#define LECTURE_CARREAU_H

#include "RBBP.h"

#include <cstddef>
#include <istream>
#include <string>

// The longest net text accepted, in bytes.
const std::size_t TAILLE_CARREAU_MAX = 65536; // 64 KB

// Reads a net from is (at most TAILLE_CARREAU_MAX bytes are taken in).
// Gives back true with the nine points and weights written into net (its
// colours and those of its points are kept). Gives back false, net
// unchanged, with one French message in erreur naming the line at fault:
// a line without exactly four numbers, a text that is not a number, a tenth
// point, fewer than nine points, a text longer than TAILLE_CARREAU_MAX, or a
// stream that cannot be read.
bool lireCarreau(std::istream& is, RBBP& net, std::string& erreur);

// The same from the file nom; an unopenable file gives false with
// "impossible d'ouvrir le fichier 'nom'".
bool lireFichierCarreau(const std::string& nom, RBBP& net, std::string& erreur);

#endif
