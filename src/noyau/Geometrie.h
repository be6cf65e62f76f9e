// Geometrie: the small constructions on the project's points, vectors,
// lines and planes that the building and the reading of a cyclide share.
//
// Contracts: lengths in the units of the coordinates; results in the frame
// of the operands. Non-numbers propagate unless said.
#ifndef CYCLIDE_NOYAU_GEOMETRIE_H
#define CYCLIDE_NOYAU_GEOMETRIE_H

#include "noyau/Droite.h"
#include "noyau/Plan.h"
#include "noyau/Point.h"
#include "noyau/Vecteur.h"

// Out: the vector B - A.
vect entre(const Point& A, const Point& B);

// Out: v multiplied by 1 / |v|. Degenerate: a zero vector gives non-numbers.
vect unitaire(vect v);

// Out: the cross product u x v.
vect produitVectoriel(vect u, vect v);

// Out: the point at the end of u drawn from the origin (green).
Point pointDe(const vect& u);

// The plane through P with normal n.
// Out: (n.x, n.y, n.z, -(P.x n.x + P.y n.y + P.z n.z)); with a unit n, -D is
// the plane's distance n.P from the origin. Degenerate: a zero n gives the
// null plane.
Plan planNormalPoint(const vect& n, const Point& P);

// Out: the plane through the three points, in this order
// (Plan::defPlan3Points, whose degenerate cases it shares).
Plan plan3Points(const Point& A, const Point& B, const Point& C);

// The plane through the three points.
// Out: its normal is unit((P1 - P0) x (P2 - P0)). Degenerate: aligned points
// give non-numbers.
Plan planUnitaire(const Point& P0, const Point& P1, const Point& P2);

// Out: the line through P with direction v (green).
Droite droite(const Point& P, const vect& v);

#endif
