// DecisionCarreau: whether a net given directly (nine points, nine weights,
// from a file rather than from the seven parameters) can be a piece of a
// Dupin cyclide, before any cyclide is read: its numbers must be finite, its
// four boundaries circular arcs and its boundary planes in one of the two
// configurations of the construction's verdict.
#ifndef CYCLIDE_CONVERSION_DECISIONCARREAU_H
#define CYCLIDE_CONVERSION_DECISIONCARREAU_H

#include "noyau/Resultat.h"
#include "surfaces/RBBP.h"

#include <string>

namespace cyclide {

// Whether the rational quadratic arc Q0 Q1 Q2 with weights w0, w1, w2 is an
// arc of a circle, within the relative tolerance tol: the end weights of one
// sign, the ends distinct, the control polygon not straight, its two sides
// of equal length (|Q0Q1| - |Q1Q2| within tol times the longer), and the
// middle weight in the standard form, |w1| / sqrt(w0 w2), equal to the
// cosine of the angle between the side Q0Q1 and the chord Q0Q2 within tol
// (a negative middle weight gives the complementary arc of the same circle).
// bruit is the rounding of the points' coordinates (0 for exact numbers):
// the two comparisons admit 64 times its effect, so that no check asks more
// of the numbers than they hold.
// Out: success, or the reason in French.
Resultat<void> arcDeCercle(const Point& Q0, const Point& Q1, const Point& Q2, double w0, double w1,
                           double w2, double tol, double bruit = 0);

// Whether the net's numbers are finite and its four boundaries circular arcs
// (arcDeCercle with the relative tolerance tol and the rounding bruit) or
// collapsed to a point (their three control points within tol times the
// net's longer corner diagonal: a pole or a point on the axis).
// Out: success, or the reason in French, naming the boundary at fault.
Resultat<void> bordsCirculaires(const RBBP& net, double tol, double bruit = 0);

// True when a boundary of the net is collapsed to a point: its three
// control points within tol times the net's longer corner diagonal.
bool bordReduit(const RBBP& net, double tol);

// The conversion type of a net given directly: 0 when a boundary is
// collapsed to a point (bordReduit), when a number is not finite, when a boundary is not a circular
// arc (arcDeCercle, tolerance tol), or when the planes of the boundaries are in neither
// configuration; otherwise the classification of the construction's verdict on this net: the planes
// of the control polygons of the boundaries u = 0 and u = 1, and those of v = 0 and v = 1
// (Plan::defPlan3Points, Plan::typeIntersectPlans), 1 when both pairs cut along a line, 2 when one
// pair cuts and the other is parallel. Out: the type; for 0 with the reason, in French and naming
// the boundary at fault. typeIntersectPlans prints its own diagnostic line for a plane without a
// normal.
Resultat<int> typeCarreauDonne(const RBBP& net, double tol);

} // namespace cyclide

#endif
