// The kinds a result's numbers admit: its own alone where the uncertainty
// keeps clear of every border, and every kind met within ten times it.
#include "conversion/GenresAdmis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace cyclide;

// The kind of a code of the tables below.
static GenreCyclide genre(int code) {
    GenreCyclide g = GenreCyclide::Aucune;
    genreDuCode(code, g);
    return g;
}

// The codes of the kinds a mask admits, the reported one first.
static std::vector<int> codes(MasqueGenres k, int code) {
    std::vector<int> res;
    for (const GenreCyclide g : codesAdmis(k, genre(code)))
        res.push_back(codeGenre(g));
    return res;
}

// The kind of (a, c, mu) >= 0 as the conversion decides it, m the margin of
// its ties; 0 when c > a (no cyclide).
static int genreAuPoint(double a, double c, double mu, double m) {
    if (c <= m)
        return a <= m ? 4 : a <= mu + m ? 5 : 6;
    return c > a ? 0 : mu <= c ? 3 : mu <= a ? 1 : 2;
}

TEST(GenresAdmis, KindsWithinTheUncertainty) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double a, c, mu;
        int code;
        double incertitude;
        std::vector<int> codes; // the reported code first
    } lignes[] = {{1, 0.5, 0.7, 1, 1e-6, {1}},
                  {1, 0.5, 0.999999, 1, 1e-6, {1, 2}},
                  {1, 0.5, 0.499999, 3, 1e-6, {3, 1}},
                  {1, 0, 0.5, 6, 1e-13, {6}},
                  {1, 0, 0.5, 6, 1e-6, {6, 1}},
                  {1, 0, 1, 5, 1e-13, {5}},
                  {0, 0, 1, 4, 1e-6, {4, 2, 5}},
                  {1, 0.5, 0.7, 1, 1, {1, 2, 3, 4, 5, 6}},
                  {1, 0.5, 0.7, 1, inf, {1, 2, 3, 4, 5, 6}},
                  {1, 0.5, 0.7, 0, 1e-6, {}}};
    for (const auto& l : lignes)
        EXPECT_EQ(codes(genresAdmis(l.a, l.c, l.mu, genre(l.code), l.incertitude), l.code), l.codes)
            << l.a << " " << l.c << " " << l.mu << " +- " << l.incertitude;
}

// Seeded boxes near every border: the kind of any cyclide drawn in the box
// is admitted.
TEST(GenresAdmis, EveryKindMetInsideTheBoxIsAdmitted) {
    std::mt19937 g(2026);
    std::uniform_real_distribution<double> u(0, 1);
    for (int n = 0; n < 500; ++n) {
        const double a = u(g) < 0.2 ? 0 : 0.5 + u(g), c = u(g) < 0.3 ? 0 : a * u(g);
        const double mu = u(g) < 0.3 ? std::max(a, c) * (1 + 1e-3 * (u(g) - 0.5)) : 2 * u(g);
        const double incertitude = std::pow(10.0, -1 - 8 * u(g));
        const double t = std::max(a, mu), h = 10 * incertitude * t;
        const int code = std::max(1, genreAuPoint(a, c, mu, 1e-9 * t));
        const MasqueGenres k = genresAdmis(a, c, mu, genre(code), incertitude);
        for (int s = 0; s < 200; ++s) {
            const int vu = genreAuPoint(std::max(0.0, a + h * (2 * u(g) - 1)),
                                        std::max(0.0, c + h * (2 * u(g) - 1)),
                                        std::max(0.0, mu + h * (2 * u(g) - 1)), 1e-9 * t);
            EXPECT_TRUE(vu == 0 || admet(k, genre(vu)))
                << a << " " << c << " " << mu << " +- " << h << " reaches kind " << vu;
        }
    }
}
