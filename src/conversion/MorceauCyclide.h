// MorceauCyclide: the piece of a Dupin cyclide that a converted patch
// covers, as a rectangle of the cyclide's angles, and the angles of one
// point on the cyclide.
//
// The cyclide (a, c, mu), b = sqrt(a^2 - c^2), in its own frame is
//   x = (mu (c - a cos t cos p) + b^2 cos t) / D,
//   y = b sin t (a - mu cos p) / D,  z = b sin p (c cos t - mu) / D,
// D = a - c cos t cos p, with theta = t and psi = p.
#ifndef CYCLIDE_CONVERSION_MORCEAUCYCLIDE_H
#define CYCLIDE_CONVERSION_MORCEAUCYCLIDE_H

#include "conversion/Repere.h"
#include "surfaces/RBBP.h"

namespace cyclide {

// The parameter rectangle of a drawn piece of cyclide: theta in [u0, u1]
// (possibly decreasing), psi in [v0, v1].
struct MorceauCyclide {
    double u0 = 0, u1 = 0; // theta
    double v0 = 0, v1 = 0; // psi
};

// Two angles of a point of the cyclide.
struct AnglesCyclide {
    double theta;
    double psi;
};

// The cyclide point at the angles, in the cyclide's frame.
// Degenerate: non-finite where a - c cos(theta) cos(psi) is 0.
Coord3 pointCyclide(double a, double c, double mu, const AnglesCyclide& angles);

// Angles of a frame point q of the cyclide (a, c, mu).
// Computes: the first of the four branch choices of the angle solvers, in
// the order given (ordre[k] = {thetaSol1 rather than thetaSol, psiSol1
// rather than psiSol}), whose cyclide point lies within tol of q; otherwise
// the nearest of those four and of the angles read from ratios of q's
// coordinates (independent of the patch's scale), the solvers' choice on a
// tie. Both angles come in [-pi/2, 3pi/2) when the scale-free reading wins.
// Degenerate: non-number angles for a degenerate cyclide or point.
AnglesCyclide anglesDuPoint(double a, double c, double mu, const Coord3& q, const bool ordre[4][2],
                            double tol);

// The corner angles of a net on a general cyclide and the piece it covers.
// Computes: the angles of P00 (u0, v1), of P22 (u1, v0, up to whole turns)
// and of the patch centre (u = v = 0.5), matched within 1e-9 of the
// patch's diagonal; the turn is chosen so that the rectangle holds the
// centre's angles: u1 the first of t1, t1 - 2 pi, t1 + 2 pi and v0 the
// first of p1 - 2 pi, p1, p1 + 2 pi that enclose them modulo 2 pi (the
// first of each when none does).
// Input: the cyclide (a, c, mu, omega, Base) and the net in world
// coordinates. Usable on its own, to check any reading of a cyclide.
// Degenerate: a degenerate cyclide gives non-number limits.
MorceauCyclide morceauGeneral(const CyclideRepere& cyclide, const RBBP& reseau);

// The corner angles of a net on a general cyclide followed along the patch:
// the angles of the patch centre (closed forms, scale-free), then at each
// of pas steps towards P00 and towards P22 the closed-form solution, moved
// by whole turns, that gives the point back (within 1e-6 of the patch's
// diagonal) and is nearest to the step before. The piece: u0, v1 at P00,
// u1, v0 at P22, continuous over the patch whatever its span.
// In: the cyclide (c != 0 or a != 0) and the net in world coordinates.
// Degenerate: non-number limits for a degenerate cyclide.
MorceauCyclide morceauSuivi(const CyclideRepere& cyclide, const RBBP& reseau, int pas = 32);

// The piece of a torus or sphere (c = 0) covered by the net: theta from
// thetaSol1 at P00 (one turn back) to thetaSol at P22, psi from psiSol1 at
// P22 to psiSol1 at P00.
// Degenerate: a double sphere (a = 0) gives non-number theta limits.
MorceauCyclide morceauToreSphere(const CyclideRepere& cyclide, const RBBP& reseau);

// True when x lies between the two bounds (either order) modulo 2 pi: with
// lo <= hi, lo + ((x - lo) mod 2 pi) <= hi. False for non-numbers.
bool entreModulo(double x, double borne1, double borne2);

} // namespace cyclide

#endif
