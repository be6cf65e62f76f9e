// Echantillons: the points of a patch sampled on a grid of its parameters,
// and the residual R of a cyclide measured on them, shared by every reading
// that is polished or judged against the same patch.
#ifndef CYCLIDE_CONVERSION_ECHANTILLONS_H
#define CYCLIDE_CONVERSION_ECHANTILLONS_H

#include "conversion/Repere.h"
#include "surfaces/RBBP.h"

#include <vector>

namespace cyclide {

// Points of a patch, sampled once for every reading that is polished.
using Echantillons = std::vector<Coord3>;

// The patch points at u, v in {0, 1/(n-1), ..., 1} (u the slower), those
// that are finite, from the rational tensor form.
// In: the net (any frame), n >= 2.
Echantillons echantillonner(const RBBP& net, int n);

// The residual R of Residu (max |F| / (diagonale max |grad F|)) over points
// already sampled (an 11 x 11 grid gives the same points as Residu); for a
// torus or sphere (c = 0) the largest distance of the points to it over
// diagonale, since there F has a double root when a = 0 (a sphere) and its
// ratio loses half the digits near it.
// Degenerate: +infinity when a value is not finite.
double residuEchantillons(const Echantillons& grille, double diagonale,
                          const CyclideRepere& cyclide);

} // namespace cyclide

#endif
