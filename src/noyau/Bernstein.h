// The quadratic Bernstein polynomials.
#ifndef BERNSTEIN_H
#define BERNSTEIN_H

double B0(double t); // (1 - t)^2
double B1(double t); // 2 t (1 - t)
double B2(double t); // t^2

#endif
