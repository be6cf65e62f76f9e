// The worked cases of the converter's outputs: the start-up patch for both
// planes and the three built-in examples.
#ifndef CAS_SCENE_H
#define CAS_SCENE_H

#include "Scene.h"

#include <vector>

inline EntreeScene entreeDemarrage(int choix = 1) {
    EntreeScene e;
    e.theta00 = 0;
    e.theta02 = 1.5707963267948966;
    e.theta20 = -1.0471975511965976;
    e.theta22 = 3.141592653589793;
    e.rayon = 4;
    e.z11 = 8;
    e.P10 = -7.982;
    e.choix = choix;
    return e;
}

inline std::vector<EntreeScene> casTravailles() {
    std::vector<EntreeScene> cas = {entreeDemarrage(1), entreeDemarrage(0)};
    for (int n = 1; n <= 3; ++n) {
        EntreeScene e;
        e.exemple = n;
        cas.push_back(e);
    }
    return cas;
}

#endif
