#include "Residu.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The world origin in the cyclide's frame: -inverseBase . omega.
void origineDansRepere(const double inv[3][3], const Point& omega, double o[3]) {
    for (int r = 0; r < 3; ++r)
        o[r] = -(inv[r][0] * omega.getX0() + inv[r][1] * omega.getY0() + inv[r][2] * omega.getZ0());
}

// Size of the patch: the longer of its two corner diagonals.
double diagonale(const RBBPd& r) {
    return std::max(r.P[0][0].distance(r.P[2][2]), r.P[0][2].distance(r.P[2][0]));
}

} // namespace

// The cyclide's implicit function
// F = (x^2 + y^2 + z^2 + b^2 - mu^2)^2 - 4 (a x - c mu)^2 - 4 b^2 y^2, with
// b^2 = a^2 - c^2, at a point of the cyclide's frame.
// Input: a, c, mu and the point. Gives back: F (zero on the cyclide); no
// guard, non-numbers propagate.
double fonctionCyclide(double a, double c, double mu, double x, double y, double z) {
    double b2 = a * a - c * c;
    double s = x * x + y * y + z * z + b2 - mu * mu;
    double l = a * x - c * mu;
    return s * s - 4 * l * l - 4 * b2 * y * y;
}

// Gradient of the implicit function, with S = x^2 + y^2 + z^2 - mu^2 - b^2:
// (4 x S - 8 c (c x - a mu), 4 y S, 4 z S + 8 b^2 z).
// Input: a, c, mu, the point, the array to fill. No guard.
void gradientCyclide(double a, double c, double mu, double x, double y, double z, double grad[3]) {
    double b2 = a * a - c * c;
    double s = x * x + y * y + z * z - mu * mu - b2;
    grad[0] = 4 * x * s - 8 * c * (c * x - a * mu);
    grad[1] = 4 * y * s;
    grad[2] = 4 * z * s + 8 * b2 * z;
}

// Residual of a converted record: max |F| / (L max |grad F|) over the 11 x 11
// patch points at u, v = 0, 0.1, ..., 1 moved into the cyclide's frame.
// Input: the record after the conversion, before the change of frame.
// Gives back: +infinity when any value met is not finite, when L is 0 or
// when the quotient is not a finite number.
double residuCyclide(const RBBPd& converti) {
    const double infini = std::numeric_limits<double>::infinity();
    double inv[3][3];
    double origine[3];
    converti.inverseBase(inv);
    origineDansRepere(inv, converti.getOmega(), origine);
    double a = converti.getA(), c = converti.getC(), mu = converti.getMu();
    double maxF = 0, maxGrad = 0;
    for (int i = 0; i <= 10; ++i) {
        for (int j = 0; j <= 10; ++j) {
            double u = i / 10.0, v = j / 10.0;
            const Point M = converti.point(u, v);
            const double X[3] = {M.getX0(), M.getY0(), M.getZ0()};
            double q[3];
            for (int r = 0; r < 3; ++r)
                q[r] = inv[r][0] * X[0] + inv[r][1] * X[1] + inv[r][2] * X[2] + origine[r];
            double f = fonctionCyclide(a, c, mu, q[0], q[1], q[2]);
            double g[3];
            gradientCyclide(a, c, mu, q[0], q[1], q[2], g);
            double n = std::sqrt(g[0] * g[0] + g[1] * g[1] + g[2] * g[2]);
            if (!std::isfinite(f) || !std::isfinite(n))
                return infini;
            maxF = std::max(maxF, std::fabs(f));
            maxGrad = std::max(maxGrad, n);
        }
    }
    double L = diagonale(converti);
    double R = maxF / (L * maxGrad);
    if (!std::isfinite(R))
        return infini;
    return R;
}
