// The quadratic Bernstein polynomials.
#ifndef CYCLIDE_NOYAU_BERNSTEIN_H
#define CYCLIDE_NOYAU_BERNSTEIN_H

#include <array>
#include <cstddef>

// The weights of the first, middle and last control points of a quadratic
// Bezier form: B0 = (1 - t)^2, B1 = 2 t (1 - t), B2 = t^2.
// In: t, any double (the curves use [0, 1]). Out: the weight; B0(0) = B2(1)
// = 1, B1 is 0 at both ends and 0.5 at t = 0.5; the three sum to 1.
// Degenerate: none, non-numbers propagate.
double B0(double t); // (1 - t)^2
double B1(double t); // 2 t (1 - t)
double B2(double t); // t^2

// A control point of a rational form in homogeneous coordinates:
// (w x, w y, w z, w).
template <class T> using Homogene = std::array<T, 4>;

// The blossom (polar form) of the quadratic with homogeneous control points
// q at (a, b): q0 is its value at (0, 0), q1 at (0, 1), q2 at (1, 1), and the
// curve's point at t is its value at (t, t). The control points of the same
// curve over [a, b] are its values at (a, a), (a, b), (b, b), for a, b
// inside [0, 1] (a piece) or outside (an extension).
// In: T double or long double, computed in T throughout.
// Degenerate: none, non-numbers propagate.
template <class T> Homogene<T> floraison(const Homogene<T> q[3], T a, T b) {
    const T c[3] = {(1 - a) * (1 - b), (1 - a) * b + a * (1 - b), a * b};
    Homogene<T> r = {0, 0, 0, 0};
    for (int k = 0; k < 3; ++k)
        for (std::size_t m = 0; m < 4; ++m)
            r[m] += c[k] * q[k][m];
    return r;
}

#endif
