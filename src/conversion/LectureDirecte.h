// LectureDirecte: the Dupin cyclide of a net read straight from its four
// boundary circles, with no threshold on the net's size or position.
//
// The cyclide (a, c, mu), b^2 = a^2 - c^2, in its frame: the circles
// theta = const lie in planes through the axis x = mu c / a, y = 0 (along
// z), the circles psi = const in planes through the axis x = mu a / c,
// z = 0 (along y). Each circle theta = const is where the sphere of centre
// E = (a cos theta, b sin theta, 0) and radius r = mu - c cos theta touches
// the cyclide. From the net: the planes of two opposite boundaries meet
// along one axis, the two axes give the frame, and the sphere centres are
// where the patch's normal at a corner meets the axis of the boundary
// circle. With X_p the abscissa of the second axis and X_E that of a sphere
// centre, c / a = r / (X_p - X_E); then the first axis gives mu and the
// centre, the ellipse through E gives a.
#ifndef CYCLIDE_CONVERSION_LECTUREDIRECTE_H
#define CYCLIDE_CONVERSION_LECTUREDIRECTE_H

#include "conversion/Repere.h"
#include "surfaces/RBBP.h"

#include <vector>

namespace cyclide {

// One reading: the cyclide and whether it is read as a torus (c = 0).
struct CyclideCandidate {
    CyclideRepere cyclide; // a, c, mu, omega, Base (orthonormal, right-handed)
    bool tore = false;     // read with c = 0 (torus or sphere)
};

// Every reading of the net's cyclide from its four boundary circles.
// In: the net (world coordinates; best moved to unit size first).
// Out: the general readings (both pairs of boundaries taken as the circles
// theta = const, both signs of c / a) and the torus readings (the pair
// whose planes meet taken as the meridians), each with finite numbers; none
// is checked against the patch (see affinerCyclide).
// Degenerate: a straight or collapsed boundary gives no general reading,
// and no torus reading with its pair as the meridians; parallel planes give
// no general reading for that pair.
std::vector<CyclideCandidate> lecturesDirectes(const RBBP& net);

} // namespace cyclide

#endif
