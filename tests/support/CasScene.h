// The worked cases of the converter's outputs: the start-up patch for both
// planes and the three built-in examples.
#ifndef CAS_SCENE_H
#define CAS_SCENE_H

#include "scene/Scene.h"

#include <ostream>
#include <vector>

// The view's start-up parameters, in parameter-file order.
const double DEMARRAGE[7] = {
    0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8, -7.982};

// The start-up inputs as a scene's input, with the plane and the example
// asked for.
inline cyclide::EntreeScene
entreeDemarrage(cyclide::PlanConversion plan = cyclide::PlanConversion::Pz, int exemple = 0) {
    cyclide::EntreeScene e = cyclide::entreeParametres(DEMARRAGE, plan);
    e.exemple = exemple;
    return e;
}

inline std::vector<cyclide::EntreeScene> casTravailles() {
    std::vector<cyclide::EntreeScene> cas = {entreeDemarrage(cyclide::PlanConversion::Pz),
                                             entreeDemarrage(cyclide::PlanConversion::Py)};
    for (int n = 1; n <= 3; ++n) {
        cyclide::EntreeScene e;
        e.exemple = n;
        cas.push_back(e);
    }
    return cas;
}

// A case in a test's name: the example, the net given directly, or the
// seven parameters and the plane.
inline void PrintTo(const cyclide::EntreeScene& e, std::ostream* os) {
    if (e.exemple != 0) {
        *os << "exemple " << e.exemple;
    } else if (e.reseauDonne) {
        *os << "reseau donne";
    } else {
        *os << "parametres " << e.theta00 << ' ' << e.theta02 << ' ' << e.theta20 << ' '
            << e.theta22 << ' ' << e.rayon << ' ' << e.z11 << ' ' << e.P10 << " plan "
            << (e.plan == cyclide::PlanConversion::Pz ? 'z' : 'y');
    }
}

#endif
