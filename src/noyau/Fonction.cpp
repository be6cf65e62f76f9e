#include "noyau/Fonction.h"

#include "noyau/Constantes.h"

#include <cmath>

double carre(double x) {
    return x * x;
}

double valAbs(double x) {
    return std::pow(std::pow(x, 2), 0.5);
}

double psiSol(double theta, double x0, double y0, double z0, double a, double b, double c,
              double mu) {
    (void)x0;
    (void)a;
    (void)c;
    (void)mu;
    double d = y0 - b * std::sin(theta);
    if (std::fabs(d) > 0.00001)
        return std::atan(z0 * std::sin(theta) / d);
    return DEMI_PI;
}

double psiSol1(double theta, double x0, double y0, double z0, double a, double b, double c,
               double mu) {
    return psiSol(theta, x0, y0, z0, a, b, c, mu) + PI;
}

double thetaSol(double psi, double x0, double y0, double z0, double a, double b, double c,
                double mu) {
    if (std::fabs(z0) > 0.0001) {
        double e = b * std::sin(psi) * mu + z0 * a;
        if (std::fabs(e) < 0.00001)
            return DEMI_PI;
        return std::atan(c * y0 * std::sin(psi) / e);
    }
    return std::atan(b * y0 / (a * x0 - c * mu));
}

double thetaSol1(double psi, double x0, double y0, double z0, double a, double b, double c,
                 double mu) {
    return thetaSol(psi, x0, y0, z0, a, b, c, mu) + PI;
}
