// Tensor products Bij(u, v) = Bi(u) Bj(v) of the quadratic Bernstein
// polynomials; the first digit belongs to u, the second to v.
#ifndef CYCLIDE_NOYAU_BERNSTEINSURFACE_H
#define CYCLIDE_NOYAU_BERNSTEINSURFACE_H

// The weight of the control point P[i][j] of a biquadratic patch, each
// product written out in full: B00 = (1 - u)^2 (1 - v)^2, B01 = (1 - u)^2
// 2 v (1 - v), ..., B22 = u^2 v^2.
// In: u, v, any doubles (the patch uses [0, 1]). Out: the weight; the nine
// values sum to 1 for every (u, v). Degenerate: none, non-numbers propagate.
double B00(double u, double v);
double B01(double u, double v);
double B02(double u, double v);
double B10(double u, double v);
double B11(double u, double v);
double B12(double u, double v);
double B20(double u, double v);
double B21(double u, double v);
double B22(double u, double v);

#endif
