// The kinds a converted patch's numbers admit: exactly the reported one
// where the uncertainty keeps clear of every kind's border, and every kind
// some cyclide within ten times the uncertainty has.
#include "GenresAdmis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace cyclide;

namespace {

struct Ligne {
    const char* cas;
    double a, c, mu;
    int code;
    double incertitude;
    std::vector<int> codes; // the reported code first
};

// The kind of (a, c, mu) >= 0 as the conversion decides it, m being the
// margin of its ties; 0 when c > a (no cyclide).
int genreAuPoint(double a, double c, double mu, double m) {
    if (c <= m)
        return a <= m ? 4 : a <= mu + m ? 5 : 6;
    if (c > a)
        return 0;
    return mu <= c ? 3 : mu <= a ? 1 : 2;
}

} // namespace

TEST(GenresAdmis, KindsWithinTheUncertainty) {
    const double inf = std::numeric_limits<double>::infinity();
    const Ligne lignes[] = {
        {"ring clear of its borders", 1, 0.5, 0.7, 1, 1e-6, {1}},
        {"ring, mu just under a", 1, 0.5, 0.999999, 1, 1e-6, {1, 2}},
        {"spindle, mu just under c", 1, 0.5, 0.499999, 3, 1e-6, {3, 1}},
        {"horned clear of its borders", 1, 0.5, 2, 2, 1e-3, {2}},
        {"exact collar torus", 1, 0, 0.5, 6, 1e-13, {6}},
        {"collar torus from rounded numbers", 1, 0, 0.5, 6, 1e-6, {6, 1}},
        {"crossed torus from rounded numbers", 1, 0, 3, 5, 1e-6, {5, 2}},
        {"horn torus, a and mu tied", 1, 0, 1, 5, 1e-13, {5}},
        {"sphere from rounded numbers", 0, 0, 1, 4, 1e-6, {4, 2, 5}},
        {"numbers that fix nothing", 1, 0.5, 0.7, 1, 1, {1, 2, 3, 4, 5, 6}},
        {"an uncertainty that is not finite", 1, 0.5, 0.7, 1, inf, {1, 2, 3, 4, 5, 6}},
        {"no kind reported", 1, 0.5, 0.7, 0, 1e-6, {}},
    };
    for (const Ligne& l : lignes) {
        const MasqueGenres k = genresAdmis(l.a, l.c, l.mu, l.code, l.incertitude);
        EXPECT_EQ(codesAdmis(k, l.code), l.codes) << l.cas;
    }
}

// Seeded boxes near every border: the kind of any cyclide drawn inside
// the box (each of a, c, mu within ten times the uncertainty) is admitted.
TEST(GenresAdmis, EveryKindMetInsideTheBoxIsAdmitted) {
    std::mt19937 g(2026);
    std::uniform_real_distribution<double> u(0, 1);
    for (int n = 0; n < 500; ++n) {
        const double a = u(g) < 0.2 ? 0 : 0.5 + u(g);
        const double c = u(g) < 0.3 ? 0 : a * u(g);
        const double mu = u(g) < 0.3 ? std::max({a, c}) * (1 + 1e-3 * (u(g) - 0.5)) : 2 * u(g);
        const double incertitude = std::pow(10.0, -1 - 8 * u(g));
        const double t = std::max(a, mu), h = 10 * incertitude * t;
        const int code = std::max(1, genreAuPoint(a, c, mu, 1e-9 * t));
        const MasqueGenres k = genresAdmis(a, c, mu, code, incertitude);
        for (int s = 0; s < 200; ++s) {
            const double a2 = std::max(0.0, a + h * (2 * u(g) - 1));
            const double c2 = std::max(0.0, c + h * (2 * u(g) - 1));
            const double mu2 = std::max(0.0, mu + h * (2 * u(g) - 1));
            const int vu = genreAuPoint(a2, c2, mu2, 1e-9 * t);
            if (vu != 0) {
                EXPECT_NE(k & (1u << vu), 0u)
                    << a << " " << c << " " << mu << " +- " << h << " reaches kind " << vu;
            }
        }
    }
}
