#include "scene/NormalesCarreau.h"

#include <cmath>

namespace cyclide {

namespace {

// Values and derivatives of the three quadratic Bernstein polynomials at t.
void bernstein(double t, double b[3], double db[3]) {
    const double s = 1 - t;
    b[0] = s * s;
    b[1] = 2 * t * s;
    b[2] = t * t;
    db[0] = -2 * s;
    db[1] = 2 - 4 * t;
    db[2] = 2 * t;
}

// The cross product of the two partial derivatives of the rational point at
// (u, v), not normalised.
vect produitDerivees(const RBBP& c, double u, double v) {
    double bu[3], dbu[3], bv[3], dbv[3];
    bernstein(u, bu, dbu);
    bernstein(v, bv, dbv);
    // Homogeneous sums (x, y, z, w) and their derivatives in u and in v.
    double h[4] = {0, 0, 0, 0}, hu[4] = {0, 0, 0, 0}, hv[4] = {0, 0, 0, 0};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const double w = c.w[i][j];
            const double coord[4] = {c.P[i][j].getX0() * w, c.P[i][j].getY0() * w,
                                     c.P[i][j].getZ0() * w, w};
            for (int k = 0; k < 4; ++k) {
                h[k] += bu[i] * bv[j] * coord[k];
                hu[k] += dbu[i] * bv[j] * coord[k];
                hv[k] += bu[i] * dbv[j] * coord[k];
            }
        }
    // (N / D)' = (N' D - N D') / D^2; the common factor 1 / D^2 does not
    // change the direction of the normal, only its sign when D < 0, which
    // the square keeps positive.
    vect xu(hu[0] * h[3] - h[0] * hu[3], hu[1] * h[3] - h[1] * hu[3], hu[2] * h[3] - h[2] * hu[3]);
    vect xv(hv[0] * h[3] - h[0] * hv[3], hv[1] * h[3] - h[1] * hv[3], hv[2] * h[3] - h[2] * hv[3]);
    vect n;
    n.vectoriel(xu, xv);
    return n;
}

// n / |n|, or (0, 0, 0) when |n| is zero or not a number.
bool unitaireSiDefini(vect n, vect& resultat) {
    const double l = std::sqrt(n.scalaire(n));
    if (!(l > 1e-300) || !std::isfinite(l))
        return false;
    resultat = (1 / l) * n;
    return true;
}

} // namespace

vect normaleCarreau(const RBBP& carreau, double u, double v) {
    vect n;
    if (unitaireSiDefini(produitDerivees(carreau, u, v), n))
        return n;
    // A collapsed edge: the normal just inside the square is the limit.
    const double pas = 1e-4;
    const double ui = u + (u < 0.5 ? pas : -pas);
    const double vi = v + (v < 0.5 ? pas : -pas);
    if (unitaireSiDefini(produitDerivees(carreau, ui, vi), n))
        return n;
    return vect(0, 0, 0);
}

} // namespace cyclide
