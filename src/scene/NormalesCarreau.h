// NormalesCarreau: unit normals of a rational biquadratic patch from its
// partial derivatives, for the shaded drawing of the view.
#ifndef CYCLIDE_SCENE_NORMALESCARREAU_H
#define CYCLIDE_SCENE_NORMALESCARREAU_H

#include "noyau/Vecteur.h"
#include "surfaces/RBBP.h"

namespace cyclide {

// The unit normal Xu x Xv / |Xu x Xv| of the patch at (u, v), where Xu and Xv
// are the partial derivatives of the rational point N / D (quotient rule on
// the Bernstein sums). Where the two derivatives are parallel or one
// vanishes (a corner collapsed to a point, a degenerate net) the normal is
// taken a little inside the parameter square; (0, 0, 0) when it is still
// undefined there. Non-number nets give non-number or zero normals.
vect normaleCarreau(const RBBP& carreau, double u, double v);

} // namespace cyclide

#endif
