// The quadratic Bernstein polynomials.
#ifndef BERNSTEIN_H
#define BERNSTEIN_H

// The weights of the first, middle and last control points of a quadratic
// Bezier form: B0 = (1 - t)^2, B1 = 2 t (1 - t), B2 = t^2.
// In: t, any double (the curves use [0, 1]). Out: the weight; B0(0) = B2(1)
// = 1, B1 is 0 at both ends and 0.5 at t = 0.5; the three sum to 1.
// Degenerate: none, non-numbers propagate.
double B0(double t); // (1 - t)^2
double B1(double t); // 2 t (1 - t)
double B2(double t); // t^2

#endif
