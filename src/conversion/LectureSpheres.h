// LectureSpheres: the Dupin cyclide of a net read from the patch's
// curvature spheres, in Lie's sphere geometry.
//
// The oriented sphere of centre m and signed radius r is the line of
// s = ((1 + |m|^2 - r^2) / 2, (1 - |m|^2 + r^2) / 2, m, r) in R^6, a null
// vector of <x, y> = -x0 y0 + x1 y1 + x2 y2 + x3 y3 + x4 y4 - x5 y5; two
// oriented spheres touch where <s, s'> = 0. Along the lines of curvature u
// of a Dupin cyclide the curvature sphere of that direction does not change,
// and the spheres of the lines v = const fill a 3-dimensional subspace; those
// of the other family fill its orthogonal complement. In the family whose
// spheres all have a finite radius the centres lie on the focal ellipse
// (a cos t, b sin t, 0) of the cyclide's frame, b^2 = a^2 - c^2, with the
// radii mu - c cos t. Every part of that is linear but the last step: the
// reading is exact wherever the patch spans enough of its families.
#ifndef CYCLIDE_CONVERSION_LECTURESPHERES_H
#define CYCLIDE_CONVERSION_LECTURESPHERES_H

#include "conversion/LectureDirecte.h"
#include "surfaces/RBBP.h"

#include <vector>

namespace cyclide {

// The readings of the net's cyclide from the curvature spheres sampled on a
// 7 x 7 grid of the patch: from each family's subspace and from the
// complement of the other's, those whose spheres never become planes (the
// family on the focal ellipse).
// In: the net, best moved to unit size first (its numbers are used as
// they are).
// Out: general readings (tore false), a, c, mu in the net's unit, each with
// finite numbers; none is checked against the patch.
// Precision: exact to the rounding for a patch that spans a good part of
// its cyclide; for one t times smaller than its cyclide the ellipse is
// extrapolated from an arc of about 1/t of it, and the reading is a start
// on the valley of the shapes that carry the patch, not the cyclide.
// Degenerate: a point of the grid where the normal or a curvature is not
// finite gives no reading; a family whose null vectors are no conic, or
// whose spheres become planes, gives none from that family. A sphere's
// patch (both families one sphere) gives readings that need not carry it.
std::vector<CyclideCandidate> lecturesParSpheres(const RBBP& net);

} // namespace cyclide

#endif
