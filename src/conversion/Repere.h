// Repere: a Dupin cyclide placed in space, and the maps between world
// coordinates and the cyclide's own frame.
//
// The cyclide (a, c, mu) is written in its frame; the frame is the centre
// omega and the matrix Base whose column k is the frame's k-th unit axis in
// world coordinates. A frame point q is the world point Base q + omega; a
// world point X is the frame point inverse(Base) (X - omega), computed as
// inverse(Base) X + origine with origine = -inverse(Base) omega (the world
// origin in the frame).
#ifndef CYCLIDE_CONVERSION_REPERE_H
#define CYCLIDE_CONVERSION_REPERE_H

#include "noyau/Point.h"
#include "noyau/Vecteur.h"

#include <array>

namespace cyclide {

// The cyclide's parameters with its centre and frame.
struct CyclideRepere {
    double a = 0, c = 0, mu = 0;
    Point omega;
    double Base[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
};

// The cyclide (a, c, mu) with the centre omega and the frame Base, as one
// value. Nothing is checked (see cyclideFinie).
CyclideRepere cyclidePlacee(double a, double c, double mu, const Point& omega,
                            const double Base[3][3]);

// Three coordinates in the cyclide's frame (or in the world).
using Coord3 = std::array<double, 3>;

// The inverse of a 3 x 3 matrix by cofactors over the determinant.
// Input: M. Output: inv.
// Degenerate: no test for a zero determinant, a singular matrix gives
// infinite or non-number entries.
void inverseMatrice(const double M[3][3], double inv[3][3]);

// The world-to-frame map of one cyclide: X -> inv X + origine.
struct PassageRepere {
    double inv[3][3];
    Coord3 origine;
};

// The world-to-frame map of the frame (Base, omega): inv = inverse(Base),
// origine = -inv omega.
// Degenerate: a singular Base gives non-number entries.
PassageRepere passageRepere(const double Base[3][3], const Point& omega);

// A world point in the frame: inv X + origine, each row summed left to
// right and the translation added last.
Coord3 versRepere(const PassageRepere& passage, const Point& X);

// A frame point in the world: Base q + omega, each row summed left to right
// and the centre added last.
Coord3 versMonde(const double Base[3][3], const Point& omega, const Coord3& q);

// Writes the three axes into the columns of Base.
void poserBase(double Base[3][3], const vect& i0, const vect& j0, const vect& k0);

// True when a, c, mu, omega and every entry of Base are finite numbers.
bool cyclideFinie(const CyclideRepere& cyclide);

} // namespace cyclide

#endif
