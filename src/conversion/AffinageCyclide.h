// AffinageCyclide: a reading of a net's cyclide polished against the patch
// by nonlinear least squares, and what the net's numbers determine of it.
//
// The unknowns are a, c, mu (c held at 0 for a torus), the centre omega, a
// rotation of the whole cyclide and, when asked, the angles of the piece;
// the residual of a sample point X of the patch is F(q) / |grad F(q)|, the
// first-order distance from X to the cyclide, with q = Base^T (X - omega)
// the point in the cyclide's frame and F the cyclide's implicit function
// (Residu); for a torus the exact distance. With the piece, the corners of
// the patch must also be the cyclide's points at the piece's corners.
// Levenberg-Marquardt steps are solved by Householder QR (Eigen).
#ifndef CYCLIDE_CONVERSION_AFFINAGECYCLIDE_H
#define CYCLIDE_CONVERSION_AFFINAGECYCLIDE_H

#include "conversion/Echantillons.h"
#include "conversion/MorceauCyclide.h"
#include "conversion/Repere.h"
#include "surfaces/RBBP.h"

#include <vector>

namespace cyclide {

// How a reading is polished.
struct OptionsAffinage {
    bool tore = false;      // hold c at 0 (torus or sphere)
    bool sphere = false;    // hold a and c at 0 (a sphere)
    int iterationsMax = 60; // Levenberg-Marquardt steps at most
    double bruit = 1e-16;   // rounding of the sampled points (same unit as the points)
    // The steps for a patch much smaller than its cyclide: with the piece,
    // a change of a, c, mu keeps the cyclide's point, tangents and normal at
    // the middle of the piece; the directions the patch does not determine
    // beyond its rounding are left out of each step, the undamped step is
    // tried first (then with its weakest directions dropped one by one), and
    // each trial is brought back to the floor of the valley of the shapes
    // that carry the patch before it is judged. Slower; the default steps
    // converge wherever the patch is not much smaller than its cyclide.
    bool approfondi = false;
    bool tenus[3] = {false, false, false}; // a, c, mu held at their start value
    // When given, the piece's angles are unknowns too: the corners of net
    // must be the cyclide's points at the corners of the piece, starting
    // from morceau.
    const RBBP* net = nullptr;
    MorceauCyclide morceau;
};

// A polished reading.
struct CyclideAffinee {
    CyclideRepere cyclide;             // the cyclide; Base orthonormal and right-handed
    double ecartType = 0;              // root mean square of the points' distances to it
    double incertitude[3] = {0, 0, 0}; // standard uncertainty of a, c, mu (0 when held)
    MorceauCyclide morceau;            // the polished piece (when the corners were fitted)
    bool fini = false;                 // every number finite
};

// Polishes depart against the sampled points.
// In: the points, a reading of their cyclide (Base orthonormal).
// Out: the polished cyclide, the spread of the distances and the
// uncertainty of a, c, mu: sqrt of the diagonal of s^2 (J^T J)^-1 with J
// the residuals' Jacobian at the solution and s the larger of the
// distances' spread and options.bruit.
// Units: lengths in the points' unit.
// Degenerate: a reading that gives no finite residual comes back with
// fini false; a rank-deficient Jacobian (a sphere's free axes) is damped,
// its free directions get no uncertainty.
CyclideAffinee affinerCyclide(const Echantillons& points, const CyclideRepere& depart,
                              const OptionsAffinage& options = OptionsAffinage());

// The cyclide with the shape a, c, mu instead of its own, placed so that its
// point at the middle of the piece, with the tangents and the normal there,
// stays where it was.
// In: a placed cyclide, a piece of it (its angles), the new a, c, mu.
// Degenerate: a singular point at the middle of the piece (or a new shape
// that has one there) leaves the placement as it was.
CyclideRepere changerForme(const CyclideRepere& cyclide, const MorceauCyclide& morceau, double a,
                           double c, double mu);

// The standard uncertainties of a, c, mu that the points determine for the
// cyclide as it is (c = 0 taken as a torus, a = c = 0 as a sphere, the
// parameters held at 0 getting 0): the diagonal of s^2 (J^T J)^-1 from the
// normal equations of the column-scaled Jacobian of the distances, s the
// larger of their spread and bruit. Cheaper than the QR of affinerCyclide
// and as good where J is not badly conditioned (a patch not much smaller
// than its cyclide).
// Units: lengths in the points' unit.
// Degenerate: +infinity for a cyclide that gives no finite residual.
void incertitudeSansCoins(const Echantillons& points, const CyclideRepere& cyclide, double bruit,
                          double incertitude[3]);

// The sum of the squared distances of the points to the cyclide
// (first-order distances F / |grad F|); +infinity when one is not finite.
double coutCyclide(const Echantillons& points, const CyclideRepere& cyclide);

} // namespace cyclide

#endif
