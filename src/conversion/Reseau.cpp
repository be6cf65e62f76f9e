#include "conversion/Reseau.h"

#include "noyau/Bernstein.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace cyclide {

namespace {

// The largest |coordinate - centre| over the nine points.
double plusGrandEcart(const RBBP& net, const double centre[3]) {
    double m = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const Point& P = net.P[i][j];
            m = std::max({m, std::fabs(P.getX0() - centre[0]), std::fabs(P.getY0() - centre[1]),
                          std::fabs(P.getZ0() - centre[2])});
        }
    return m;
}

// The largest |coordinate| over the nine points.
double plusGrandeCoordonnee(const RBBP& net) {
    const double zero[3] = {0, 0, 0};
    return plusGrandEcart(net, zero);
}

} // namespace

RBBP poidsRamenes(const RBBP& net) {
    double plusGrand = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            plusGrand = std::max(plusGrand, std::fabs(net.w[i][j]));
    int e = 0;
    std::frexp(plusGrand, &e); // plusGrand = m 2^e, m in [1/2, 1)
    if (!(plusGrand > 0) || !std::isfinite(plusGrand) || e == 1)
        return net;
    RBBP res = net;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            res.w[i][j] = std::ldexp(net.w[i][j], 1 - e);
    return res;
}

bool normaliserReseau(const RBBP& net, ReseauUnite& n) {
    const Point* coins[4] = {&net.P[0][0], &net.P[0][2], &net.P[2][0], &net.P[2][2]};
    std::fill(n.centre, n.centre + 3, 0.0);
    for (const Point* C : coins) {
        n.centre[0] += C->getX0() / 4;
        n.centre[1] += C->getY0() / 4;
        n.centre[2] += C->getZ0() / 4;
    }
    const double ecart = plusGrandEcart(net, n.centre);
    if (!(ecart > 0) || !std::isfinite(ecart))
        return false;
    const double zero[3] = {0, 0, 0};
    const RBBP unite = reseauDeplace(net, n.centre, ecart);
    const double diag =
        std::max(unite.P[0][0].distance(unite.P[2][2]), unite.P[0][2].distance(unite.P[2][0]));
    if (!(diag > 0))
        return false;
    n.net = poidsRamenes(reseauDeplace(unite, zero, diag));
    n.echelle = ecart * diag;
    n.bruit = std::numeric_limits<double>::epsilon() * (1 + plusGrandeCoordonnee(net) / n.echelle);
    return std::isfinite(n.echelle) && n.echelle > 0;
}

RBBP reseauDeplace(const RBBP& net, const double t[3], double s) {
    RBBP res = net;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const Point& P = net.P[i][j];
            res.P[i][j].init((P.getX0() - t[0]) / s, (P.getY0() - t[1]) / s,
                             (P.getZ0() - t[2]) / s);
        }
    return res;
}

namespace {

using Homogene = ::Homogene<long double>;

// The control points of the quadratic with control points H over [t0, t1]:
// its blossom at (t0, t0), (t0, t1) and (t1, t1).
void polaire(const Homogene H[3], long double t0, long double t1, Homogene R[3]) {
    R[0] = floraison(H, t0, t0);
    R[1] = floraison(H, t0, t1);
    R[2] = floraison(H, t1, t1);
}

} // namespace

RBBP reseauEtendu(const RBBP& net, double k) {
    const long double t0 = -static_cast<long double>(k), t1 = 1 + static_cast<long double>(k);
    Homogene H[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const long double w = net.w[i][j];
            const Point& P = net.P[i][j];
            H[i][j] = {w * P.getX0(), w * P.getY0(), w * P.getZ0(), w};
        }
    for (int i = 0; i < 3; ++i) { // each row over the larger range of v
        Homogene R[3];
        polaire(H[i], t0, t1, R);
        std::copy(R, R + 3, H[i]);
    }
    for (int j = 0; j < 3; ++j) { // each column over the larger range of u
        const Homogene C[3] = {H[0][j], H[1][j], H[2][j]};
        Homogene R[3];
        polaire(C, t0, t1, R);
        for (int i = 0; i < 3; ++i)
            H[i][j] = R[i];
    }
    RBBP res = net;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const Homogene& h = H[i][j];
            res.w[i][j] = static_cast<double>(h[3]);
            res.P[i][j].init(static_cast<double>(h[0] / h[3]), static_cast<double>(h[1] / h[3]),
                             static_cast<double>(h[2] / h[3]));
        }
    return res;
}

} // namespace cyclide
