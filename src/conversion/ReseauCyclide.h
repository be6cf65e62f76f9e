// ReseauCyclide: a piece of a Dupin cyclide written exactly as a rational
// biquadratic Bezier net.
//
// The cyclide (a, c, mu), b^2 = a^2 - c^2, in its own frame is
//   X = mu (c - a cos t cos p) + b^2 cos t,  Y = b sin t (a - mu cos p),
//   Z = b sin p (c cos t - mu),              W = a - c cos t cos p,
// point = (X, Y, Z) / W. Each homogeneous coordinate is a combination of the
// products f(t) g(p) with f, g in {1, cos, sin}. Over an angle interval of
// span d < pi, (1, cos, sin) times the arc's weight function is a quadratic
// Bernstein form with coefficients (1, cos t0, sin t0),
// (cos(d/2), cos m, sin m), (1, cos t1, sin t1), m the middle angle; the
// tensor product of the two gives the net. The result is exact: every point
// of the net's patch is a point of the cyclide (the angles are reparametrised
// rationally), with the same corners and the same boundary circles.
#ifndef CYCLIDE_CONVERSION_RESEAUCYCLIDE_H
#define CYCLIDE_CONVERSION_RESEAUCYCLIDE_H

#include "conversion/RBBPd.h"
#include "conversion/Repere.h"
#include "surfaces/RBBP.h"

namespace cyclide {

// The piece theta in [m.u0, m.u1], psi in [m.v0, m.v1] of the cyclide
// (a, c, mu) in the cyclide's own frame, as a net: P[i][j], w[i][j] with i
// along theta, j along psi; corners P[0][0] at (u0, v0), P[2][0] at
// (u1, v0), P[0][2] at (u0, v1). Both spans must be below pi in absolute
// value (decreasing intervals are allowed). Gives back false, and leaves
// reseau unchanged, when a span is not below pi, a parameter is not finite,
// |c| > |a|, or a weight of the net is zero (a control point at infinity).
// Weights may be negative where the cyclide's denominator is small; the
// patch is still exact.
bool reseauMorceauCyclide(double a, double c, double mu, const MorceauCyclide& m, RBBP& reseau);

// The same net of the cyclide placed in space: each control point q goes
// to the world point Base q + omega (versMonde); the weights are unchanged.
bool reseauMorceauMonde(const CyclideRepere& cyclide, const MorceauCyclide& m, RBBP& reseau);

} // namespace cyclide

#endif
