#include "conversion/ReseauCyclide.h"

#include "conversion/Repere.h"
#include "noyau/Constantes.h"

#include <cmath>

namespace cyclide {

namespace {

// The Bernstein coefficients of (w, w cos, w sin) over [t0, t1]: k = 0..2
// for the control index, the second index for 1, cos, sin.
void coefficientsArc(double t0, double t1, double A[3][3]) {
    const double h = (t1 - t0) / 2;
    const double m = (t0 + t1) / 2;
    const double ext[2] = {t0, t1};
    for (int k = 0; k <= 2; k += 2) {
        double* r = A[k];
        r[0] = 1;
        r[1] = std::cos(ext[k / 2]);
        r[2] = std::sin(ext[k / 2]);
    }
    A[1][0] = std::cos(h);
    A[1][1] = std::cos(m);
    A[1][2] = std::sin(m);
}

bool finis(double a, double c, double mu, const MorceauCyclide& m) {
    return std::isfinite(a) && std::isfinite(c) && std::isfinite(mu) && std::isfinite(m.u0) &&
           std::isfinite(m.u1) && std::isfinite(m.v0) && std::isfinite(m.v1);
}

} // namespace

bool reseauMorceauCyclide(double a, double c, double mu, const MorceauCyclide& m, RBBP& reseau) {
    if (!finis(a, c, mu, m) || std::fabs(c) > std::fabs(a) || !(std::fabs(m.u1 - m.u0) < PI) ||
        !(std::fabs(m.v1 - m.v0) < PI))
        return false;
    const double b = std::sqrt(a * a - c * c);
    double A[3][3];
    double B[3][3];
    coefficientsArc(m.u0, m.u1, A);
    coefficientsArc(m.v0, m.v1, B);
    RBBP net = reseau;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            // f g products: index 0 for 1, 1 for cos, 2 for sin.
            auto fg = [&](int f, int g) { return A[i][f] * B[j][g]; };
            const double W = a * fg(0, 0) - c * fg(1, 1);
            if (W == 0 || !std::isfinite(W))
                return false;
            const double X = mu * c * fg(0, 0) - mu * a * fg(1, 1) + b * b * fg(1, 0);
            const double Y = b * a * fg(2, 0) - b * mu * fg(2, 1);
            const double Z = b * c * fg(1, 2) - b * mu * fg(0, 2);
            Point p = net.getP(i, j);
            p.setX0(X / W);
            p.setY0(Y / W);
            p.setZ0(Z / W);
            net.setP(i, j, p);
            net.setW(i, j, W);
        }
    }
    reseau = net;
    return true;
}

bool reseauMorceauMonde(const CyclideRepere& cyclide, const MorceauCyclide& m, RBBP& reseau) {
    RBBP net = reseau;
    if (!reseauMorceauCyclide(cyclide.a, cyclide.c, cyclide.mu, m, net))
        return false;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            Point p = net.getP(i, j);
            const Coord3 x =
                versMonde(cyclide.Base, cyclide.omega, {p.getX0(), p.getY0(), p.getZ0()});
            p.setX0(x[0]);
            p.setY0(x[1]);
            p.setZ0(x[2]);
            net.setP(i, j, p);
        }
    }
    reseau = net;
    return true;
}

} // namespace cyclide
