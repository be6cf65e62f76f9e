// Scene: everything one rebuild of the view produces, as a plain value
// computed without any GL call. The window, the off-screen image, the
// converter, the exports, the benchmarks and the fuzz targets all build
// their scene with construireScene and draw or print from it, so that a
// patch is converted exactly once per change.
#ifndef CYCLIDE_SCENE_SCENE_H
#define CYCLIDE_SCENE_SCENE_H

#include "conversion/GenresAdmis.h"
#include "conversion/RBBPd.h"
#include "conversion/VerdictConversion.h"

#include <cstdint>
#include <string>

namespace cyclide {

// What a rebuild starts from: the seven parameters (angles in radians), the
// example shown (0: none, the net is built from the parameters), the
// auxiliary plane, or a net given directly
// (reseauDonne: the parameters and the example are then not used).
struct EntreeScene {
    double theta00 = 0;
    double theta02 = 0;
    double theta20 = 0;
    double theta22 = 0;
    double rayon = 0;
    double z11 = 0;
    double P10 = 0;
    int exemple = 0;
    PlanConversion plan = PlanConversion::Pz; // the auxiliary plane of the conversion
    bool reseauDonne = false;
    RBBP reseau;                          // the net given directly
    double tolerance = TOLERANCE_CARREAU; // its tolerance (construireSceneReseau)
};

// The input of a scene from seven numbers in parameter-file order (theta00,
// theta02, theta20, theta22, rayon, z11, P10), no example, plane plan.
EntreeScene entreeParametres(const double valeurs[7], PlanConversion plan);

// True when the two inputs hold the same numbers bit for bit (so that their
// scenes are the same); for a net given directly, its points, weights and
// tolerance.
bool memeEntree(const EntreeScene& e1, const EntreeScene& e2);

struct Scene {
    EntreeScene entree;
    RBBPd Bez;      // the patch in world coordinates
    RBBPd converti; // Bez after the conversion: a, c, mu, omega, Base, dA, dB
    RBBPd Bez1;     // converti moved into the cyclide's frame
    int type = 0; // conversion type 0, 1 or 2, as the construction (or the net's decision) gave it
    GenreCyclide typeCyclide = GenreCyclide::Aucune; // the kind of cyclide, the verdict
    MorceauCyclide morceau;
    // Residual of converti against its cyclide: the reading kept when a
    // kind is reported, the best reading when the verdict is 0 (+infinity
    // when no reading gave a finite cyclide); 0 when type is 0.
    double residu = 0;
    // Estimated relative uncertainty of a, c and mu (the largest of the
    // three, over the cyclide's size) that the net's numbers allow; 0 when
    // no kind is reported.
    double incertitude = 0;
    // The kinds the net's numbers admit within that uncertainty
    // (genresAdmis): typeCyclide's alone unless they leave the shape free
    // across a kind's border; 0 when no kind is reported.
    MasqueGenres genresAdmis = 0;
    // Empty exactly when typeCyclide is not Aucune; otherwise why the patch is
    // not convertible, in French (the converter prints "verdict non
    // convertible: " and this reason). type keeps the construction's value,
    // so that type 1 or 2 with code 0 is explained here.
    std::string raison;
    std::uint64_t version = 0; // distinct for every scene built in this process
};

// Builds the scene of entree: a net given directly goes through
// construireSceneReseau (with entree's tolerance); otherwise the net from
// the seven parameters (or the example), its verified conversion with the chosen plane
// (convertirVerifie with the threshold RESIDU_ADMIS: a kind is reported
// only when its cyclide carries the patch), the residual and the copy moved
// into the cyclide's frame. When the reading of the chosen plane carries the
// patch exactly (a torus or sphere also with its piece's corners at the
// patch's), the records end exactly as after the drawing forms of the
// rebuild; otherwise the cyclide and piece of the scene are those of the
// reading kept, which the drawing forms do not compute: draw them from
// converti and morceau. Degenerate input gives type 0 or code 0 with its reason (and
// whatever non-finite numbers the construction gives); never throws.
Scene construireScene(const EntreeScene& entree);

// The same from a net whose conversion type (0, 1, 2) is already known,
// verified with the threshold seuil.
Scene construireSceneCarreau(const RBBPd& carreau, int type, PlanConversion plan,
                             double seuil = RESIDU_ADMIS);

// The scene of a net given directly (nine points and weights, for instance
// read by lireCarreau): its type decided by typeCarreauDonne (circular
// boundaries, plane configuration, relative tolerance tolerance), then the
// verified conversion with the threshold tolerance. A net refused by the
// decision gives type 0 and code 0 with the decision's reason. A net built
// from the seven parameters gives the same type, code and cyclide as the
// parameters whenever the parameters' residual is within tolerance.
Scene construireSceneReseau(const RBBP& net, PlanConversion plan,
                            double tolerance = TOLERANCE_CARREAU);

} // namespace cyclide

#endif
