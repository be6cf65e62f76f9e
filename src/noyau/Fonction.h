// Free scalar helpers and the angle solvers that invert the Dupin cyclide's
// parametrisation at a point.
#ifndef CYCLIDE_NOYAU_FONCTION_H
#define CYCLIDE_NOYAU_FONCTION_H

// The square x.x.
// In: x. Out: x * x. Degenerate: infinite when it overflows.
double carre(double x);
// The absolute value as (x^2)^(1/2) through pow.
// In: x. Out: |x| for every x whose square is finite. Degenerate: infinite
// when x^2 overflows, 0 when it underflows.
double valAbs(double x);

// psi at a point of the cyclide (a, b, c, mu) for a known theta.
// In: theta, the point (x0, y0, z0), the parameters a, b, c, mu (x0, a, c
// and mu play no part). Out: atan(z0 sin(theta) / (y0 - b sin(theta))) in
// (-pi/2, pi/2]. Units: radians. Frame: the cyclide's own.
// Degenerate: pi/2 when the denominator is within 0.00001 of 0 (the test is
// strict: exactly 0.00001 gives pi/2).
double psiSol(double theta, double x0, double y0, double z0, double a, double b, double c,
              double mu);
// The other solution: psiSol + pi.
// In, Units, Frame, Degenerate: as psiSol.
double psiSol1(double theta, double x0, double y0, double z0, double a, double b, double c,
               double mu);
// theta at a point of the cyclide for a known psi.
// In: psi, the point (x0, y0, z0), the parameters a, b, c, mu.
// Out: off the plane z = 0 (|z0| > 0.0001): atan(c y0 sin(psi) / e) with
// e = b sin(psi) mu + z0 a; in that plane psi plays no part:
// atan(b y0 / (a x0 - c mu)). Units: radians. Frame: the cyclide's own.
// Degenerate: pi/2 when |e| < 0.00001; in the plane z = 0 a zero
// denominator gives +-pi/2 or a non-number for 0/0.
double thetaSol(double psi, double x0, double y0, double z0, double a, double b, double c,
                double mu);
// The other solution: thetaSol + pi.
// In, Units, Frame, Degenerate: as thetaSol.
double thetaSol1(double psi, double x0, double y0, double z0, double a, double b, double c,
                 double mu);

#endif
