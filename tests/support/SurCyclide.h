// Checks that a converted patch lies on its cyclide, evaluated on the
// cyclide's own equations: its parametrisation, its implicit function and
// the angles of the piece.
#ifndef SUR_CYCLIDE_H
#define SUR_CYCLIDE_H

#include "Tolerance.h"
#include "conversion/RBBPd.h"
#include "conversion/Residu.h"
#include "noyau/Constantes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

// The patch point at (u, v) from its numerators and denominator.
inline void pointCarreau(const RBBP& r, double u, double v, double q[3]) {
    const double d = r.den(u, v);
    q[0] = r.numX(u, v) * d;
    q[1] = r.numY(u, v) * d;
    q[2] = r.numZ(u, v) * d;
}

// The Dupin cyclide's point at (theta, psi) in its own frame (for c = 0 the
// torus form, which holds for the sphere a = 0 too).
inline void pointCyclide(double a, double c, double mu, double t, double p, double q[3]) {
    if (c == 0) {
        q[0] = std::cos(t) * (a - mu * std::cos(p));
        q[1] = std::sin(t) * (a - mu * std::cos(p));
        q[2] = -mu * std::sin(p);
        return;
    }
    const double b = std::sqrt(a * a - c * c);
    const double D = a - c * std::cos(t) * std::cos(p);
    q[0] = (mu * (c - a * std::cos(t) * std::cos(p)) + b * b * std::cos(t)) / D;
    q[1] = b * std::sin(t) * (a - mu * std::cos(p)) / D;
    q[2] = b * std::sin(p) * (c * std::cos(t) - mu) / D;
}

inline double distance3(const double p[3], const double q[3]) {
    return std::sqrt((p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1]) +
                     (p[2] - q[2]) * (p[2] - q[2]));
}

// The longer of the patch's two corner diagonals.
inline double diagonale(const RBBP& r) {
    return std::max(r.P[0][0].distance(r.P[2][2]), r.P[0][2].distance(r.P[2][0]));
}

// True when a, c, mu, omega and every entry of Base are finite.
inline bool cyclideFinie(const RBBPd& r) {
    return cyclide::cyclideFinie(r.cyclide());
}

// x between the two bounds modulo 2 pi (a margin of 1e-9 for rounding).
inline bool entreModuloMarge(double x, double b1, double b2) {
    const double lo = std::min(b1, b2), hi = std::max(b1, b2);
    double r = std::fmod(x - lo, DEUX_PI);
    if (r < 0)
        r += DEUX_PI;
    return lo + r <= hi + 1e-9;
}

// Relative size of the cyclide's implicit function at a frame point: |F|
// over the largest of its three terms.
inline double ecartImplicite(double a, double b, double c, double mu, const double q[3]) {
    const double x = q[0], y = q[1], z = q[2];
    const double s = x * x + y * y + z * z - mu * mu + b * b;
    const double t1 = s * s, t2 = 4 * (a * x - c * mu) * (a * x - c * mu), t3 = 4 * b * b * y * y;
    return std::fabs(t1 - t2 - t3) / std::max({t1, t2, t3});
}

// Largest relative implicit-function value over a 21 x 21 grid of the patch
// after the record has been moved into the cyclide's frame.
inline double pireEcartImplicite(const RBBPd& converti, double b) {
    RBBPd dansRepere(converti);
    dansRepere.changementBase();
    double pire = 0;
    for (int i = 0; i <= 20; ++i)
        for (int j = 0; j <= 20; ++j) {
            double q[3];
            pointCarreau(dansRepere, i / 20.0, j / 20.0, q);
            pire = std::max(pire, ecartImplicite(converti.a, b, converti.c, converti.mu, q));
        }
    return pire;
}

// max |F| / (L max |grad F|) over frame points: their largest distance from
// the cyclide (a, c, mu) relative to the length L.
inline double ecartRelatifPoints(double a, double c, double mu,
                                 const std::vector<std::array<double, 3>>& points, double L) {
    double maxF = 0, maxGrad = 0;
    for (const auto& v : points) {
        double grad[3];
        cyclide::gradientCyclide(a, c, mu, v[0], v[1], v[2], grad);
        maxGrad =
            std::max(maxGrad, std::sqrt(grad[0] * grad[0] + grad[1] * grad[1] + grad[2] * grad[2]));
        maxF = std::max(maxF, std::fabs(cyclide::fonctionCyclide(a, c, mu, v[0], v[1], v[2])));
    }
    return maxF / (L * maxGrad);
}

namespace sur_cyclide {

// The patch corners moved into the cyclide's frame, in the order P00, P02,
// P20, P22.
inline void coinsDansRepere(const RBBPd& converti, double coins[4][3]) {
    RBBPd repere(converti);
    repere.changementBase();
    const int ij[4][2] = {{0, 0}, {0, 2}, {2, 0}, {2, 2}};
    for (int k = 0; k < 4; ++k)
        pointCarreau(repere, ij[k][0] / 2.0, ij[k][1] / 2.0, coins[k]);
}

// The angles of a frame point s of the cyclide: the nearest of the four
// half-turn combinations of the exact inversion; its distance in ecart.
inline void anglesCentre(const RBBPd& converti, const double s[3], double& ts, double& ps,
                         double& ecart) {
    const double a = converti.a, c = converti.c, mu = converti.mu;
    const double b = std::sqrt(a * a - c * c);
    const double X = a * s[0] - c * mu, Y = b * s[1];
    const double rho = std::hypot(s[0], s[1]);
    ecart = -1;
    for (int i = 0; i < 2; ++i) {
        // A torus or sphere (c = 0): a - mu cos p = +-rho, -mu sin p = z.
        const double t = c == 0 ? std::atan2(s[1], s[0]) + i * PI : std::atan2(Y, X) + i * PI;
        const double p0 = c == 0 ? std::atan2(-s[2] / mu, (a - (i == 0 ? rho : -rho)) / mu)
                                 : std::atan2(b * s[2], std::cos(t) * X + std::sin(t) * Y - b * b);
        for (int j = 0; j < 2; ++j) {
            double q[3];
            pointCyclide(a, c, mu, t, p0 + j * PI, q);
            const double e = distance3(q, s);
            if (ecart < 0 || e < ecart) {
                ecart = e;
                ts = t;
                ps = p0 + j * PI;
            }
        }
    }
}

} // namespace sur_cyclide

// The piece's four corners (u0, v0), (u0, v1), (u1, v0), (u1, v1) are the
// patch's four corners, each matched once within tol L, and the angles of
// the patch centre (found here by brute force on the four half-turn
// combinations of an exact inversion) lie inside the piece.
inline ::testing::AssertionResult
morceauSurLeCarreau(const RBBPd& converti, const cyclide::MorceauCyclide& m, double tol = 1e-8) {
    const double L = diagonale(converti);
    double coins[4][3];
    sur_cyclide::coinsDansRepere(converti, coins);
    const double uv[4][2] = {{m.u0, m.v0}, {m.u0, m.v1}, {m.u1, m.v0}, {m.u1, m.v1}};
    int utilises = 0;
    for (const auto& a : uv) {
        double q[3];
        pointCyclide(converti.a, converti.c, converti.mu, a[0], a[1], q);
        int proche = -1;
        for (int k = 0; k < 4; ++k)
            if (distance3(q, coins[k]) <= tol * L)
                proche = k;
        if (proche < 0)
            return ::testing::AssertionFailure()
                   << "piece corner (" << a[0] << ", " << a[1] << ") is on no patch corner";
        utilises |= 1 << proche;
    }
    if (utilises != 15)
        return ::testing::AssertionFailure() << "two piece corners on one patch corner";

    RBBPd repere(converti);
    repere.changementBase();
    double s[3];
    pointCarreau(repere, 0.5, 0.5, s);
    double ts = 0, ps = 0, meilleur = -1;
    sur_cyclide::anglesCentre(converti, s, ts, ps, meilleur);
    if (!(meilleur <= tol * L))
        return ::testing::AssertionFailure() << "centre off the cyclide by " << meilleur / L;
    const auto dedans = [&](double t, double p) {
        return entreModuloMarge(t, m.u0, m.u1) && entreModuloMarge(p, m.v0, m.v1);
    };
    // A sphere and a crossed torus pass twice through their inner points: at
    // (t, p) and at (t + pi, pi - p).
    double autre[3];
    pointCyclide(converti.a, converti.c, converti.mu, ts + PI, PI - ps, autre);
    const bool deuxFois = converti.c == 0 && distance3(autre, s) <= tol * L;
    if (!dedans(ts, ps) && !(deuxFois && dedans(ts + PI, PI - ps)))
        return ::testing::AssertionFailure()
               << "centre (" << ts << ", " << ps << ") outside [" << m.u0 << ", " << m.u1 << "] x ["
               << m.v0 << ", " << m.v1 << "]";
    return ::testing::AssertionSuccess();
}

// Base is a right-handed orthonormal frame.
inline ::testing::AssertionResult repereDirect(const RBBPd& r) {
    auto ortho = tol::orthonormal(r.Base, 1e-12);
    if (!ortho)
        return ortho;
    const double det = r.Base[0][0] * (r.Base[1][1] * r.Base[2][2] - r.Base[1][2] * r.Base[2][1]) -
                       r.Base[0][1] * (r.Base[1][0] * r.Base[2][2] - r.Base[1][2] * r.Base[2][0]) +
                       r.Base[0][2] * (r.Base[1][0] * r.Base[2][1] - r.Base[1][1] * r.Base[2][0]);
    if (std::fabs(det - 1) > 1e-12)
        return ::testing::AssertionFailure() << "determinant " << det;
    return ::testing::AssertionSuccess();
}

#endif
