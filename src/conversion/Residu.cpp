#include "conversion/Residu.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace cyclide {

namespace {

// Size of the patch: the longer of its two corner diagonals.
double diagonale(const RBBP& r) {
    return std::max(r.P[0][0].distance(r.P[2][2]), r.P[0][2].distance(r.P[2][0]));
}

} // namespace

double fonctionCyclide(double a, double c, double mu, double x, double y, double z) {
    double b2 = a * a - c * c;
    double s = x * x + y * y + z * z + b2 - mu * mu;
    double l = a * x - c * mu;
    return s * s - 4 * l * l - 4 * b2 * y * y;
}

void gradientCyclide(double a, double c, double mu, double x, double y, double z, double grad[3]) {
    double b2 = a * a - c * c;
    double s = x * x + y * y + z * z - mu * mu - b2;
    grad[0] = 4 * x * s - 8 * c * (c * x - a * mu);
    grad[1] = 4 * y * s;
    grad[2] = 4 * z * s + 8 * b2 * z;
}

double residuCyclide(const RBBP& reseau, const CyclideRepere& cyclide) {
    const double infini = std::numeric_limits<double>::infinity();
    const PassageRepere passage = passageRepere(cyclide.Base, cyclide.omega);
    const double a = cyclide.a, c = cyclide.c, mu = cyclide.mu;
    double maxF = 0, maxGrad = 0;
    for (int i = 0; i <= 10; ++i) {
        for (int j = 0; j <= 10; ++j) {
            const Coord3 q = versRepere(passage, reseau.point(i / 10.0, j / 10.0));
            const double f = fonctionCyclide(a, c, mu, q[0], q[1], q[2]);
            double g[3];
            gradientCyclide(a, c, mu, q[0], q[1], q[2], g);
            const double n = std::sqrt(g[0] * g[0] + g[1] * g[1] + g[2] * g[2]);
            if (!std::isfinite(f) || !std::isfinite(n))
                return infini;
            maxF = std::max(maxF, std::fabs(f));
            maxGrad = std::max(maxGrad, n);
        }
    }
    const double R = maxF / (diagonale(reseau) * maxGrad);
    if (!std::isfinite(R))
        return infini;
    return R;
}

} // namespace cyclide
