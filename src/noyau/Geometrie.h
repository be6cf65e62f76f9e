// Geometrie: the small constructions on the project's points, vectors,
// lines and planes that the building and the reading of a cyclide share.
#ifndef GEOMETRIE_H
#define GEOMETRIE_H

#include "Droite.h"
#include "Plan.h"
#include "Point.h"
#include "Vecteur.h"

// The vector B - A.
vect entre(const Point& A, const Point& B);

// v multiplied by 1 / |v|. Degenerate: a zero vector gives non-numbers.
vect unitaire(vect v);

// The cross product u x v.
vect produitVectoriel(vect u, vect v);

// The point at the end of u drawn from the origin.
Point pointDe(const vect& u);

// The plane through P with normal n: (n.x, n.y, n.z, -(P.x n.x + P.y n.y +
// P.z n.z)). With a unit n, -D is the plane's distance n.P from the origin.
Plan planNormalPoint(const vect& n, const Point& P);

// The plane through the three points, in this order (Plan::defPlan3Points).
Plan plan3Points(const Point& A, const Point& B, const Point& C);

// The plane through the three points with the unit normal
// unit((P1 - P0) x (P2 - P0)). Degenerate: aligned points give non-numbers.
Plan planUnitaire(const Point& P0, const Point& P1, const Point& P2);

// The line through P with direction v.
Droite droite(const Point& P, const vect& v);

#endif
