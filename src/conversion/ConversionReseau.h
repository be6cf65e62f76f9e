// ConversionReseau: the conversion of a net given directly (nine points and
// weights from a file, a batch or a script), read in a well-conditioned
// frame and polished, so that the result does not depend on where the patch
// sits, how it is turned or its unit of length.
//
// The net is moved so that the middle of its corners is the origin and
// scaled so that its longer corner diagonal is 1. There its boundaries are
// checked to be circular arcs (DecisionCarreau), every reading of its
// cyclide is made (the four boundary circles, LectureDirecte; the
// construction's own readings when those fail), the best ones are polished
// against the patch (AffinageCyclide), and the best polished one is
// classified, its piece found and verified; the result is mapped back.
#ifndef CYCLIDE_CONVERSION_CONVERSIONRESEAU_H
#define CYCLIDE_CONVERSION_CONVERSIONRESEAU_H

#include "conversion/GenresAdmis.h"
#include "conversion/RBBPd.h"
#include "noyau/Constantes.h"

#include <string>

namespace cyclide {

// What the conversion of a net gives.
struct ConversionReseau {
    int type = 0; // 0 not convertible, 1 general cyclide, 2 torus or sphere
    GenreCyclide code = GenreCyclide::Aucune; // the kind of cyclide
    RBBPd converti;          // the net with the cyclide found (a, c, mu, omega, Base)
    MorceauCyclide morceau;  // the piece the patch covers; all zero for Aucune
    double residu = 0;       // residual R of the cyclide kept (Residu); +infinity if none
    double incertitude = 0;  // relative uncertainty of a, c, mu (over max(|a|, |mu|)),
                             // never below what the patch's points can fix: the
                             // net's rounding times (cyclide / patch)^3
    MasqueGenres genres = 0; // the kinds its numbers admit (genresAdmis): code's alone
                             // unless they leave the shape free across a kind's border
    double tolerance = 0;    // the tolerance applied: the one asked, or more when the
                             // net's rounding does not allow it (arrondiRelatif)
    std::string raison;      // why the code is 0; empty otherwise
};

// Converts the net with the tolerance on R.
// In: the net in world coordinates (any place, turn and size whose numbers
// are finite; its weights of any common positive factor); tolerance in
// (0, 1) (toleranceAdmise; otherwise type 0 with the reason "la tolerance
// attend un nombre decimal dans ]0, 1["), the largest R of a reported kind (also the
// relative tolerance of the circular-arc check).
// Out: the kind when a cyclide carries the patch within tolerance, with its
// piece whose corners are the patch's within 1e-9 of the patch's size
// (under a tolerance looser than TOLERANCE_CARREAU, which admits nets that
// are not exactly on a cyclide, within ten times R), a,
// c, mu >= 0; otherwise code 0 with the reason and the best R. Ties: a
// torus whose a and mu agree within their uncertainty is crossed (5); a
// torus whose a is negligible against mu (1e-9, or within its uncertainty)
// is a sphere (4, a written as 0).
// A patch much smaller than its cyclide whose own polishing stalls short of
// a piece is polished again from the cyclide of the same surface over a
// wider parameter square (reseauEtendu), which converges, and last from the
// readings of its curvature spheres (lecturesParSpheres), which start where
// its numbers leave the shape free: the kind found may then be one of
// several that carry the patch as closely, and the uncertainty says so.
// Degenerate: non-finite numbers, coinciding corners or boundaries that are
// not circular arcs give type 0 with the reason; never throws.
ConversionReseau convertirReseau(const RBBP& net, double tolerance);

// The relative uncertainty of a, c, mu (the largest standard uncertainty
// over max(|a|, |mu|)) that a net determines for a cyclide already found,
// without moving it: the Jacobian of the distances of a 4 x 4 grid of the
// patch's points at that cyclide (incertitudeSansCoins), with the larger
// of their spread and the net's rounding. Cheaper than the estimate of
// convertirReseau, which also counts the corners: the seven parameters'
// conversion, which runs in batches of many thousands, gives this one.
// In: the net and its cyclide in world coordinates (c = 0 for a torus or
// sphere, a = 0 for a sphere).
// Degenerate: +infinity when the net or the cyclide is not finite.
double incertitudeCyclide(const RBBP& net, const CyclideRepere& cyclide);

// The rounding of a net's numbers relative to its size: epsilon times
// (1 + its largest coordinate over its longer corner diagonal). The
// conversion admits ECART_ARRONDI times it in the residual and at the
// corners.
// Degenerate: +infinity for coinciding corners or a non-finite number.
double arrondiRelatif(const RBBP& net);

} // namespace cyclide

#endif
