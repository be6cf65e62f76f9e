// Reseau: the transforms of a net that every reading of it shares: the
// net moved to unit size (the conversion's absolute thresholds then mean
// the same at every size and place), moved by a translation and a scale,
// widened over a larger parameter square, and with u and v exchanged.
// Only the control points and weights are touched.
#ifndef CYCLIDE_CONVERSION_RESEAU_H
#define CYCLIDE_CONVERSION_RESEAU_H

#include "surfaces/RBBP.h"

namespace cyclide {

// The net with its nine weights multiplied by the power of two that brings
// the largest |w| into [1, 2): the same surface, every weight exact (a
// power of two rounds nothing), so that no product of weights overflows or
// underflows at any common scale of the weights, and the conversion of a
// net does not depend on it.
// Degenerate: weights all zero or one not finite: the net unchanged.
RBBP poidsRamenes(const RBBP& net);

// A net moved to unit size, with what maps it back.
struct ReseauUnite {
    RBBP net;                     // the moved net, its weights by poidsRamenes
    double centre[3] = {0, 0, 0}; // the middle of the four corners, in the net's unit
    double echelle = 0;           // the longer corner diagonal, in the net's unit
    // The rounding of the net's numbers in the unit of the moved net:
    // epsilon times (1 + the largest coordinate over echelle).
    double bruit = 0;
};

// The net moved so that the middle of its four corners is the origin and
// scaled so that its longer corner diagonal is 1.
// In: any net; the coordinates are first divided by their largest distance
// to the middle, so that no square is formed before the numbers are of the
// size of 1: no overflow nor underflow at any size whose numbers are finite;
// the weights are brought to the size of 1 the same way (poidsRamenes).
// Out: true and n filled when the corners do not coincide and every number
// is finite; false otherwise (n then unspecified).
bool normaliserReseau(const RBBP& net, ReseauUnite& n);

// The net's points moved by -t and divided by s, each coordinate as
// (x - t) / s, so that no square is formed before the numbers are of the
// size of 1 (weights unchanged).
RBBP reseauDeplace(const RBBP& net, const double t[3], double s);

// The same rational surface over the parameters [-k, 1 + k]^2, written as a
// net over [0, 1]^2: 1 + 2k times the patch each way. Each row, then each
// column, is the quadratic's polar form at (t0, t0), (t0, t1), (t1, t1),
// t0 = -k, t1 = 1 + k, in homogeneous coordinates and extended precision.
// Boundaries that are circular arcs stay circular arcs.
// Degenerate: a weight that vanishes on the larger square gives points that
// are not finite.
RBBP reseauEtendu(const RBBP& net, double k);

// The net with u and v exchanged: P[i][j] and w[i][j] become P[j][i] and
// w[j][i]; every other field of Net is copied. The patch is the same
// surface with the same corners P00, P22.
template <class Net> Net transpose(const Net& bez) {
    Net t(bez);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            t.P[i][j] = bez.P[j][i];
            t.w[i][j] = bez.w[j][i];
        }
    return t;
}

} // namespace cyclide

#endif
