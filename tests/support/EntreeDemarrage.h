// The window's start-up inputs (0, pi/2, -pi/3, pi, 4, 8, -7.982) as the
// input of a scene, with the plane and the example asked for.
#ifndef ENTREE_DEMARRAGE_H
#define ENTREE_DEMARRAGE_H

#include "Scene.h"

inline EntreeScene entreeDemarrage(int choix = 1, int exemple = 0) {
    const double valeurs[7] = {
        0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8, -7.982};
    EntreeScene e;
    double* champs[7] = {&e.theta00, &e.theta02, &e.theta20, &e.theta22, &e.rayon, &e.z11, &e.P10};
    for (int k = 0; k < 7; ++k)
        *champs[k] = valeurs[k];
    e.choix = choix;
    e.exemple = exemple;
    return e;
}

#endif
