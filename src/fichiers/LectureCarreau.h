// LectureCarreau: a net given directly as text, in one of three forms:
// nine lines "x y z w" (the control point and its weight), row by row P00
// P01 P02 P10 P11 P12 P20 P21 P22; or the same 36 numbers on one line; or
// a JSON object {"net": [[x, y, z, w], ... nine points in the same order]}.
// In the line forms a '#' starts a comment up to the end of its line, blank
// lines are allowed, and the numbers of a line follow the one field rule
// of NombreTexte (white space, or commas throughout). A leading UTF-8
// byte-order mark is skipped. Every number follows the one rule of
// NombreTexte.
#ifndef CYCLIDE_FICHIERS_LECTURECARREAU_H
#define CYCLIDE_FICHIERS_LECTURECARREAU_H

#include "noyau/Resultat.h"
#include "surfaces/RBBP.h"

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

namespace cyclide {

// The longest net text accepted, in bytes.
const std::size_t TAILLE_CARREAU_MAX = 65536; // 64 KB

// The numbers of a net: P00 (x y z w), P01, ..., P22.
const int NOMBRES_RESEAU = 36;

// What is wrong with a JSON net.
struct FauteJson {
    enum class Sorte {
        Aucune,      // read
        Syntaxe,     // not JSON: octet is where the reading stopped
        Debordement, // a number beyond the range of a double
        Forme,       // not an object {"net": [[x, y, z, w] x 9]}
        NonFini      // chemin ("net[4][3]") is not a finite number
    };
    Sorte sorte = Sorte::Aucune;
    std::size_t octet = 0;
    std::string chemin;
};

// Reads the JSON object {"net": [[x, y, z, w] x 9]} (other keys ignored)
// into valeurs, in the order of NOMBRES_RESEAU. Out: the fault (Aucune when
// read; valeurs are then all finite).
FauteJson lireReseauJson(std::string_view texte, double valeurs[NOMBRES_RESEAU]);

// Writes the 36 numbers (P00 x y z w, P01, ..., P22) into net's points and
// weights, keeping its colours.
void reseauDesValeurs(const double valeurs[NOMBRES_RESEAU], RBBP& net);

// Reads a net from is (at most TAILLE_CARREAU_MAX bytes are taken in).
// Out: the nine points and weights read, in a net with the default
// colours; or the default net with one French message naming the line at
// fault:
// a line without exactly four numbers (or 36 for the one-line form), a
// text that is not a number, a tenth point, fewer than nine points, a JSON
// text that is not such an object, a text longer than TAILLE_CARREAU_MAX,
// or a stream that cannot be read. Quoted texts are cut and their control
// bytes written \xNN.
Resultat<RBBP> lireCarreau(std::istream& is);

// The same from the file nom; an unopenable file gives the reason
// "impossible d'ouvrir le fichier 'nom'".
Resultat<RBBP> lireFichierCarreau(const std::string& nom);

} // namespace cyclide

#endif
