// ConversionGenerale: the Dupin cyclide that carries a convertible net, its
// frame and the piece the net covers: the general case (both boundary
// plane pairs cut along a line) and the torus or sphere case.
#ifndef CYCLIDE_CONVERSION_CONVERSIONGENERALE_H
#define CYCLIDE_CONVERSION_CONVERSIONGENERALE_H

#include "conversion/GenreCyclide.h"
#include "conversion/MorceauCyclide.h"
#include "conversion/PlanConversion.h"
#include "conversion/Repere.h"
#include "surfaces/RBBP.h"

namespace cyclide {

// What a conversion gives: the kind of cyclide (Aucune when none),
// the cyclide with its frame when one was read (cyclideLue; a record keeps
// its own otherwise) and the piece when it was computed (morceauLu).
struct ConversionCyclide {
    GenreCyclide code = GenreCyclide::Aucune;
    bool cyclideLue = false;
    CyclideRepere cyclide;
    bool morceauLu = false;
    MorceauCyclide morceau;
};

// The general cyclide of a net, measured in the auxiliary plane
// perpendicular to k0 (PlanConversion::Pz) or to j0 (Py).
// Computes: the planes of the four boundary polygons, the axes of their two
// pencils and the common perpendicular delta0 with its feet; the kind from
// the boundary circles; the frame (i0 along delta0, j0 along the first
// axis); the six points where the two boundary circles and the middle curve
// meet the auxiliary plane; the two circles through them, whose centres'
// half distance and radii give a, c, mu, ordered by absolute value for the
// kind (ring c <= mu <= a, spindle c <= a <= mu, horned mu <= c <= a), and
// omega their midpoint. When that cyclide does not carry the net, the six
// points are read again (LectureCyclide), first as they are, then rebuilt
// near the patch; a second reading is adopted only when its cyclide carries
// the net. Then the piece (morceauGeneral).
// Output: code 0 with cyclideLue false when the two plane pairs do not both
// cut along a line; code 0 with the non-finite cyclide when any of its
// numbers is not finite (no piece); otherwise 1, 2 or 3 with the cyclide
// and the piece.
ConversionCyclide conversionGenerale(const RBBP& reseau, PlanConversion plan);

// Torus or sphere: the frame from the boundary u = 0, the centre on the
// axis of its circle, the two radii where the circle of the boundary v = 0
// meets the plane through the centre.
// Output: code 4 double sphere (a = 0; the radii agree within 1e-4),
// 5 crossed torus or 6 collar torus, c = 0 always, the cyclide and the
// piece (morceauToreSphere) always written.
// Degenerate: non-number values and code 0 when the cyclide is not finite
// (a double sphere gives non-number theta limits), never a crash.
ConversionCyclide conversionToreSphere(const RBBP& reseau);

} // namespace cyclide

#endif
