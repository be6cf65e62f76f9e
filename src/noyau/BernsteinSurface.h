// Tensor products Bij(u, v) = Bi(u) Bj(v) of the quadratic Bernstein
// polynomials; the first digit belongs to u, the second to v.
#ifndef BERNSTEIN_SURFACE_H
#define BERNSTEIN_SURFACE_H

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
