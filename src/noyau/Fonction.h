// Free scalar helpers and the angle solvers that invert the Dupin cyclide's
// parametrisation at a point.
#ifndef FONCTION_H
#define FONCTION_H

// x.x
double carre(double x);
// (x^2)^(1/2) through pow: |x| for every x whose square is finite.
double valAbs(double x);

// psi at a point (x0, y0, z0) of the cyclide (a, b, c, mu) for a known theta:
// atan(z0 sin(theta) / (y0 - b sin(theta))), or pi/2 when the denominator is
// within 0.00001 of 0.
double psiSol(double theta, double x0, double y0, double z0, double a, double b, double c,
              double mu);
// psiSol + pi.
double psiSol1(double theta, double x0, double y0, double z0, double a, double b, double c,
               double mu);
// theta at a point for a known psi (see the .cpp for the two formulas).
double thetaSol(double psi, double x0, double y0, double z0, double a, double b, double c,
                double mu);
// thetaSol + pi.
double thetaSol1(double psi, double x0, double y0, double z0, double a, double b, double c,
                 double mu);

#endif
