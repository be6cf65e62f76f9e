// The three built-in example patches: nets, weights and conversion types,
// shared by the window and the converter.
#ifndef CYCLIDE_SCENE_EXEMPLES_H
#define CYCLIDE_SCENE_EXEMPLES_H

#include "surfaces/RBBP.h"

namespace cyclide {

struct ExempleCarreau {
    double P[3][3][3]; // P[i][j] = (x, y, z)
    double w[3][3];
    int type; // conversion type the example stands for
};

// Number of built-in examples (numbered from 1).
const int NOMBRE_EXEMPLES = 3;

// The example numero (1..NOMBRE_EXEMPLES); nullptr for any other number.
const ExempleCarreau* exempleCarreau(int numero);

// Writes the example's coordinates (the points keep their colours) and
// weights into bez and returns its conversion type; returns -1 and leaves
// bez unchanged for an unknown number.
int chargerExemple(int numero, RBBP& bez);

} // namespace cyclide

#endif
