// SurfaceBSpline: the patch and pieces of its cyclide as rational B-spline
// surfaces of degree 2 x 2 made of Bezier segments joined with double knots
// (the form exchange formats carry exactly, as for circles).
#ifndef CYCLIDE_SORTIES_SURFACEBSPLINE_H
#define CYCLIDE_SORTIES_SURFACEBSPLINE_H

#include "conversion/RBBPd.h"
#include "conversion/Repere.h"
#include "surfaces/RBBP.h"

#include <array>
#include <vector>

namespace cyclide {

// A degree 2 x 2 rational B-spline surface with nu x nv Bezier segments:
// knots 0, 1, ..., nu along u with multiplicities 3, 2, ..., 2, 3 (the same
// along v), (2 nu + 1) x (2 nv + 1) control points and weights, stored row
// by row (see indice()).
struct SurfaceBSpline {
    int nu = 0;
    int nv = 0;
    bool fermeeU = false; // the first and last control rows are the same
    bool fermeeV = false;
    std::vector<std::array<double, 3>> points;
    std::vector<double> poids;

    int lignes() const { return 2 * nu + 1; }   // control points along u
    int colonnes() const { return 2 * nv + 1; } // control points along v
    // Position of control point (i, j), i along u, j along v.
    std::size_t indice(int i, int j) const {
        return static_cast<std::size_t>(i) * static_cast<std::size_t>(colonnes()) +
               static_cast<std::size_t>(j);
    }
    // True when every coordinate and weight is finite and every weight > 0.
    bool valide() const;
};

// The patch's own net as a surface with positive weights: its own net (one
// segment, u, v in [0, 1] as they are) when its weights are all positive
// (or all negative: they are negated), otherwise the patch cut into
// n x n pieces at u, v = k / n by blossoming in homogeneous coordinates, the
// smallest n up to 16 whose weights are all positive (an arc of more than a
// half circle has a negative middle weight; its halves have positive ones).
// Parameter k + t of the surface is parameter (k + t) / n of the patch.
// Gives back false, leaving surface unchanged, when no such n exists (the
// patch goes through a point at infinity) or a number is not finite.
bool surfaceCarreau(const RBBP& net, SurfaceBSpline& surface);

// The piece theta in [m.u0, m.u1], psi in [m.v0, m.v1] of the cyclide
// (a, c, mu) placed in space (frame point q at Base q + omega), exactly, in the
// fewest segments per direction (at least segmentsMin, at most 64, each of
// span below pi) for which every weight is positive; when all come out
// negative they are negated (the surface is the same). The whole cyclide in
// 4 segments per direction (cut at multiples of pi / 2) always has positive
// weights when |c| < |a|; a piece with a span near pi may need 2. A span of a whole
// turn closes the surface in that direction (last row = first row). Gives
// back false, leaving surface unchanged, for a non-finite parameter,
// |c| > |a|, or when no count up to 64 gives positive weights (a and c
// nearly equal: the cyclide is nearly degenerate).
bool surfaceCyclideMonde(const CyclideRepere& cyclide, const MorceauCyclide& m, int segmentsMin,
                         SurfaceBSpline& surface);

} // namespace cyclide

#endif
