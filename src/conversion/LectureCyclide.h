// LectureCyclide: whether a cyclide carries a patch, and the second reading
// of the cyclide from the six points where two boundary circles and the
// middle curve of the patch meet the auxiliary plane.
#ifndef CYCLIDE_CONVERSION_LECTURECYCLIDE_H
#define CYCLIDE_CONVERSION_LECTURECYCLIDE_H

#include "conversion/GenreCyclide.h"
#include "conversion/PlanConversion.h"
#include "conversion/Repere.h"
#include "noyau/Droite.h"
#include "noyau/Plan.h"
#include "surfaces/RBBP.h"

namespace cyclide {

// True when the cyclide carries the net: its residual (Residu.h) is at most
// RESIDU_PORTEUR. False for any non-finite value.
bool cyclidePorteuse(const RBBP& reseau, const CyclideRepere& cyclide);

// What a reading of the six points starts from: the points where the two
// boundary circles (k = 0, 2) and the middle curve (k = 1) meet the
// auxiliary plane, A[k] the one farther from the sorting line; the
// auxiliary plane; the common perpendicular delta0 of the two pencil axes
// with its feet Hphi (on the axis of the u boundaries' planes) and Hteta;
// the first frame (i0 along delta0, j0 along the first axis, k0 = i0 x j0).
// centreDansPlan chooses how a circle's centre is found from three of its
// points: by the auxiliary plane's own construction
// (Plan::centreCercle3points) or by the direct vector formula.
struct SixPoints {
    Point A[3];
    Point B[3];
    Plan auxiliaire;
    bool centreDansPlan = true;
    Droite delta0;
    Point Hphi;
    Point Hteta;
    vect i0;
    vect j0;
    vect k0;
};

// The outcome of a second reading: the cyclide with its frame and its
// kind (ring, spindle or horned), and whether it carries the net.
struct CyclideLue {
    bool porteuse = false;
    CyclideRepere cyclide;
    GenreCyclide code = GenreCyclide::Aucune;
};

// The second reading of the six points.
// Computes: of the four pairings of the points (nothing exchanged,
// A1 <-> B1, A2 <-> B2, both), the first whose two circle centres lie
// nearest to delta0 (the farther of the two is compared); with h half the
// distance of those centres, rho1 >= rho2 the radii, s and t their half sum
// and half difference, the centre omega their midpoint and dPhi, dTeta its
// distances to Hphi and Hteta: the frame stays when dPhi >= dTeta, otherwise
// it is (-i0, k0, j0), and that also tells whether the auxiliary plane is
// the cyclide's plane z = 0 or y = 0. In the plane z = 0, c = h and the
// radii are a +- mu (mu +- a when the nearer foot lies farther than h); in
// the plane y = 0, a = h and the radii are c +- mu (mu +- c when the farther
// foot lies farther than h). The kind: horned |mu| < |c|, spindle
// |mu| > |a|, ring otherwise.
// Input: the plane choice, the six points, the net.
// Degenerate: porteuse false when no pairing can be measured (non-numbers)
// or the cyclide does not carry the net.
CyclideLue secondeLecture(PlanConversion plan, const SixPoints& points, const RBBP& reseau);

// The six points rebuilt from the net with base points near the patch: the
// boundary planes with unit normals, the pencil axes through the points
// nearest to the patch, their common perpendicular and its feet, the first
// frame, the auxiliary plane through Hteta (normal k0 for Pz, j0 for Py),
// the arcs' centres from their control polygons; centreDansPlan is false.
// Used when the first reading's own points lead nowhere (far-away base
// points lose the digits that matter).
// Degenerate: non-number points, which secondeLecture refuses.
SixPoints sixPointsReconstruits(const RBBP& reseau, PlanConversion plan);

} // namespace cyclide

#endif
