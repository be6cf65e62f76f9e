// LectureTore: the torus or sphere that carries a net, read straight from
// the net's four boundary circles, and the piece of it that the patch covers.
//
// On a torus or a sphere (c = 0, b = a) written in its own frame,
//   x = cos t (a - mu cos p),  y = sin t (a - mu cos p),  z = -mu sin p,
// the latitude circles (p fixed) lie in planes perpendicular to the axis z
// and the meridians (t fixed) in planes through it.
#ifndef CYCLIDE_CONVERSION_LECTURETORE_H
#define CYCLIDE_CONVERSION_LECTURETORE_H

#include "conversion/RBBPd.h"

namespace cyclide {

// Reads the torus or double sphere that carries the patch of rec from its
// net. Of the two pairs of opposite boundaries, the one whose planes are
// nearer to parallel is taken for latitude circles: their normal is the
// axis, and the centre of the first of them lies on it. The other pair are
// meridians: the centre M of the first one gives mu = |M P00|, omega = the
// foot of M on the axis and a = |M omega|. Both orientations of the net are
// read (latitudes as the boundaries u = 0 and 1, or v = 0 and 1).
// The kind: a double sphere (a written as 0) when that sphere carries the
// patch within 1e-9 (residual of Residu), else a crossed torus (a <= mu) or
// a collar torus (a > mu). Base: i0 from the axis towards M (any perpendicular for a
// sphere), k0 along the axis, j0 = k0 x i0.
// Writes a, c = 0, mu, omega, Base into rec and the piece into morceau; the
// control points and weights are not touched. Gives back the kind, or Aucune and
// leaves rec and morceau unchanged when the net gives no finite torus
// (coinciding points, straight boundaries, non-numbers).
GenreCyclide lireToreSphere(RBBPd& rec, MorceauCyclide& morceau);

// The a of the torus read straight from the net as lireToreSphere reads it,
// over its mu, before any snap to a sphere: what writing a sphere's a as 0
// drops. NaN when the net gives no finite torus.
double aDuTore(const RBBPd& rec);

// The parameter rectangle of the torus or sphere (c = 0) written in rec
// that its patch covers: the angles of P00 give u0 and v1, those of P22 give
// u1 and v0. Each corner's angles are followed from the patch centre along
// the patch (32 steps), so that they are the ones continuous over the patch
// (a crossed torus and a sphere pass twice through each of their points).
// Non-number limits for a degenerate record.
MorceauCyclide morceauTore(const RBBPd& rec);

// True when the four corners of the piece m on the cyclide written in rec
// (frame point q placed at Base q + omega) are the patch's corners within
// tol times the patch's diagonal: (u0, v1) at P00, (u1, v0) at P22, and
// (u0, v0), (u1, v1) at P20 and P02 in either order (the order depends on
// which boundaries are the theta curves). False for non-numbers.
bool morceauFidele(const RBBPd& rec, const MorceauCyclide& m, double tol);

} // namespace cyclide

#endif
