// Residu: how far a converted patch lies from its cyclide, measured with
// the cyclide's implicit equation.
#ifndef CYCLIDE_CONVERSION_RESIDU_H
#define CYCLIDE_CONVERSION_RESIDU_H

#include "conversion/Repere.h"
#include "surfaces/RBBP.h"

namespace cyclide {

// Residual R of a patch against a cyclide placed in space.
// Computes: the 11 x 11 patch points at u, v in {0, 0.1, ..., 1} moved into
// the cyclide's frame, where the implicit function F and its gradient are
// evaluated with b^2 = a^2 - c^2; R = max|F| / (L max|grad F|) with
// L = max(|P00 P22|, |P02 P20|): roughly the patch's largest distance from
// the cyclide relative to its size.
// Input: the patch in world coordinates, the cyclide with its frame.
// Degenerate: +infinity when any value met is not finite, when L is 0 or
// when the quotient is not a finite number.
double residuCyclide(const RBBP& reseau, const CyclideRepere& cyclide);

// The cyclide's implicit function
// F = (x^2 + y^2 + z^2 + b^2 - mu^2)^2 - 4 (a x - c mu)^2 - 4 b^2 y^2, with
// b^2 = a^2 - c^2, at a point of the cyclide's frame. Zero on the cyclide.
// Degenerate: no guard, non-numbers propagate.
double fonctionCyclide(double a, double c, double mu, double x, double y, double z);

// Gradient of the implicit function, with S = x^2 + y^2 + z^2 - mu^2 - b^2:
// (4 x S - 8 c (c x - a mu), 4 y S, 4 z S + 8 b^2 z), written into grad.
// Degenerate: no guard.
void gradientCyclide(double a, double c, double mu, double x, double y, double z, double grad[3]);

} // namespace cyclide

#endif
