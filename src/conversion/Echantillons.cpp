#include "conversion/Echantillons.h"

#include "conversion/ModeleCyclide.h"
#include "conversion/Residu.h"

#include <Eigen/Dense>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace cyclide {

Echantillons echantillonner(const RBBP& net, int n) {
    // The rational tensor form sum B_i(u) B_j(v) w_ij P_ij / sum B_i B_j w_ij,
    // with the Bernstein values of each row and column computed once.
    std::vector<std::array<double, 3>> B(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        const double t = static_cast<double>(k) / (n - 1);
        B[static_cast<size_t>(k)] = {(1 - t) * (1 - t), 2 * t * (1 - t), t * t};
    }
    double H[3][3][4];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const double w = net.w[i][j];
            const Point& P = net.P[i][j];
            H[i][j][0] = w * P.getX0();
            H[i][j][1] = w * P.getY0();
            H[i][j][2] = w * P.getZ0();
            H[i][j][3] = w;
        }
    Echantillons pts;
    pts.reserve(B.size() * B.size());
    for (const auto& bu : B)
        for (const auto& bv : B) {
            double h[4] = {0, 0, 0, 0};
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j)
                    for (int c = 0; c < 4; ++c)
                        h[c] +=
                            bu[static_cast<size_t>(i)] * bv[static_cast<size_t>(j)] * H[i][j][c];
            const Coord3 x = {h[0] / h[3], h[1] / h[3], h[2] / h[3]};
            if (std::isfinite(x[0]) && std::isfinite(x[1]) && std::isfinite(x[2]))
                pts.push_back(x);
        }
    return pts;
}

double residuEchantillons(const Echantillons& grille, double diagonale,
                          const CyclideRepere& cyclide) {
    const PassageRepere passage = passageRepere(cyclide.Base, cyclide.omega);
    if (cyclide.c == 0) {
        double maxD = 0;
        for (const Coord3& x : grille) {
            const Coord3 q = versRepere(passage, Point(x[0], x[1], x[2]));
            const double d =
                distanceTore(cyclide.a, cyclide.mu, Eigen::Vector3d(q[0], q[1], q[2])).valeur;
            if (!std::isfinite(d))
                return std::numeric_limits<double>::infinity();
            maxD = std::max(maxD, std::fabs(d));
        }
        return maxD / diagonale;
    }
    double maxF = 0, maxGrad = 0;
    for (const Coord3& x : grille) {
        const Coord3 q = versRepere(passage, Point(x[0], x[1], x[2]));
        const double f = fonctionCyclide(cyclide.a, cyclide.c, cyclide.mu, q[0], q[1], q[2]);
        double g[3];
        gradientCyclide(cyclide.a, cyclide.c, cyclide.mu, q[0], q[1], q[2], g);
        const double n = std::sqrt(g[0] * g[0] + g[1] * g[1] + g[2] * g[2]);
        if (!std::isfinite(f) || !std::isfinite(n))
            return std::numeric_limits<double>::infinity();
        maxF = std::max(maxF, std::fabs(f));
        maxGrad = std::max(maxGrad, n);
    }
    const double R = maxF / (diagonale * maxGrad);
    return std::isfinite(R) ? R : std::numeric_limits<double>::infinity();
}

} // namespace cyclide
