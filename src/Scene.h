// Scene: everything one rebuild of the view produces, as a plain value
// computed without any GL call. The window, the off-screen image, the
// converter, the exports, the benchmarks and the fuzz targets all build
// their scene with construireScene and draw or print from it, so that a
// patch is converted exactly once per change.
#ifndef SCENE_H
#define SCENE_H

#include "RBBPd.h"

#include <cstdint>

// What a rebuild starts from: the seven parameters (angles in radians), the
// example shown (0: none, the net is built from the parameters) and the
// auxiliary plane (1 "Plan Pz", 0 "Plan Py").
struct EntreeScene {
    double theta00 = 0;
    double theta02 = 0;
    double theta20 = 0;
    double theta22 = 0;
    double rayon = 0;
    double z11 = 0;
    double P10 = 0;
    int exemple = 0;
    int choix = 1;
};

// True when the two inputs hold the same numbers bit for bit (so that their
// scenes are the same).
bool memeEntree(const EntreeScene& e1, const EntreeScene& e2);

struct Scene {
    EntreeScene entree;
    RBBPd Bez;           // the patch in world coordinates
    RBBPd converti;      // Bez after the conversion: a, c, mu, omega, Base, dA, dB
    RBBPd Bez1;          // converti moved into the cyclide's frame
    int type = 0;        // conversion type 0, 1 or 2
    int typeCyclide = 0; // cyclide-type code 0..6
    MorceauCyclide morceau;
    double residu = 0;         // residual of converti against its cyclide; 0 when typeCyclide is 0
    std::uint64_t version = 0; // distinct for every scene built in this process
};

// Builds the scene of entree: the net from the seven parameters (or the
// example), its conversion with the chosen plane, the residual and the copy
// moved into the cyclide's frame. The records end exactly as after the
// drawing forms of the rebuild. Degenerate input gives type 0 or code 0
// (and whatever non-finite numbers the construction gives); never throws.
Scene construireScene(const EntreeScene& entree);

// The same from a net given directly with its conversion type (0, 1, 2).
Scene construireSceneCarreau(const RBBPd& carreau, int type, int choix);

#endif
