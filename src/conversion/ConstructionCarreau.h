// ConstructionCarreau: the rational biquadratic net built from the seven
// parameters, whose four boundaries are circular arcs, and the verdict on
// whether a Dupin cyclide can carry it.
#ifndef CYCLIDE_CONVERSION_CONSTRUCTIONCARREAU_H
#define CYCLIDE_CONVERSION_CONSTRUCTIONCARREAU_H

#include "noyau/Droite.h"
#include "surfaces/RBBP.h"

namespace cyclide {

// The seven parameters: the corner angles t00, t02, t20, t22 (radians) on
// the circle of radius R about the z axis, the height z11 of P11 and the
// free coordinate P10t of P10.
struct ParametresCarreau {
    double t00, t02, t20, t22, R, z11, P10t;
};

// The built net: nine control points and weights, the two lines dA (through
// the meeting points of the v boundaries' chords and tangents) and dB (the
// same for the u boundaries), and the conversion type.
struct CarreauConstruit {
    RBBP reseau;
    Droite dA;
    Droite dB;
    int type = 0;
};

// Builds the net: corners on the circle, P11 = (0, 0, z11), P10 on the
// bisector plane of P00 P20, the tangent points P01, P21, P12, the corner
// weights (w22 = 1 - p q, the others 1), the edge weights of the four
// circular arcs and the middle weight from each direction (the second one
// is kept).
// Output type: 0 (the two middle weights disagree by 1e-5 or more, the
// middle weight vanishes, or the boundary planes are in neither
// configuration), 1 (both boundary plane pairs cut: general cyclide) or 2
// (one pair cuts, the other is parallel: torus or sphere).
// Degenerate: coinciding corners, R = 0 or non-finite parameters give
// non-number coordinates and weights and type 0 (a non-number never passes
// the closeness test); a singular system for a tangent point gives that
// point non-finite coordinates, hence a non-finite middle weight and type 0.
CarreauConstruit construireCarreau(const ParametresCarreau& parametres);

} // namespace cyclide

#endif
