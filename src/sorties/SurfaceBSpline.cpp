#include "sorties/SurfaceBSpline.h"

#include "conversion/ReseauCyclide.h"
#include "noyau/Bernstein.h"
#include "noyau/Constantes.h"

#include <algorithm>
#include <cmath>

namespace cyclide {

namespace {

const int SEGMENTS_MAX = 64;
const int SEGMENTS_CARREAU_MAX = 16;

// The n + 1 angles that cut [t0, t1] into n equal segments; the last one is
// t1 itself so that neighbouring pieces share their boundary bit for bit.
std::vector<double> coupures(double t0, double t1, int n) {
    std::vector<double> t(static_cast<std::size_t>(n) + 1);
    for (int k = 0; k < n; ++k)
        t[static_cast<std::size_t>(k)] = t0 + (t1 - t0) * k / n;
    t[static_cast<std::size_t>(n)] = t1;
    return t;
}

// Segments needed along a span so that each is below pi.
int segmentsPour(double span, int n) {
    while (!(std::fabs(span) / n < PI - 1e-9))
        ++n;
    return n;
}

bool toutTour(double t0, double t1) {
    return std::fabs(std::fabs(t1 - t0) - DEUX_PI) < 1e-12;
}

// Writes the segments' nets into s (nu, nv already set). Gives back false
// when a segment cannot be written exactly.
bool remplirSegments(const CyclideRepere& cyclide, const MorceauCyclide& m, SurfaceBSpline& s) {
    const std::vector<double> tu = coupures(m.u0, m.u1, s.nu);
    const std::vector<double> tv = coupures(m.v0, m.v1, s.nv);
    s.points.assign(static_cast<std::size_t>(s.lignes()) * static_cast<std::size_t>(s.colonnes()),
                    {0, 0, 0});
    s.poids.assign(s.points.size(), 0);
    for (int k = 0; k < s.nu; ++k) {
        for (int l = 0; l < s.nv; ++l) {
            const auto ku = static_cast<std::size_t>(k);
            const auto lv = static_cast<std::size_t>(l);
            const MorceauCyclide seg{tu[ku], tu[ku + 1], tv[lv], tv[lv + 1]};
            RBBP net;
            if (!reseauMorceauMonde(cyclide, seg, net))
                return false;
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j < 3; ++j) {
                    const std::size_t n = s.indice(2 * k + i, 2 * l + j);
                    const Point& p = net.P[i][j];
                    s.points[n] = {p.getX0(), p.getY0(), p.getZ0()};
                    s.poids[n] = net.w[i][j];
                }
            }
        }
    }
    return true;
}

// Makes every weight positive when they all share one sign; false when the
// signs are mixed (or a weight is zero).
bool poidsPositifs(SurfaceBSpline& s) {
    bool positifs = true;
    bool negatifs = true;
    for (double w : s.poids) {
        positifs = positifs && w > 0;
        negatifs = negatifs && w < 0;
    }
    if (negatifs)
        for (double& w : s.poids)
            w = -w;
    return positifs || negatifs;
}

// Copies the first control row (or column) onto the last, so that a whole
// turn closes exactly despite the rounding of sin(2 pi).
void fermer(SurfaceBSpline& s) {
    for (int j = 0; s.fermeeU && j < s.colonnes(); ++j) {
        s.points[s.indice(s.lignes() - 1, j)] = s.points[s.indice(0, j)];
        s.poids[s.indice(s.lignes() - 1, j)] = s.poids[s.indice(0, j)];
    }
    for (int i = 0; s.fermeeV && i < s.lignes(); ++i) {
        s.points[s.indice(i, s.colonnes() - 1)] = s.points[s.indice(i, 0)];
        s.poids[s.indice(i, s.colonnes() - 1)] = s.poids[s.indice(i, 0)];
    }
}

using Homogene = ::Homogene<double>;

// The control points of the patch cut into s.nu x s.nv pieces (the net
// itself for one piece).
void remplirCarreau(const RBBP& net, SurfaceBSpline& s) {
    s.points.assign(static_cast<std::size_t>(s.lignes()) * static_cast<std::size_t>(s.colonnes()),
                    {0, 0, 0});
    s.poids.assign(s.points.size(), 0);
    Homogene h[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const Point& p = net.P[i][j];
            const double w = net.w[i][j];
            h[i][j] = {w * p.getX0(), w * p.getY0(), w * p.getZ0(), w};
            if (s.nu == 1) {
                s.points[s.indice(i, j)] = {p.getX0(), p.getY0(), p.getZ0()};
                s.poids[s.indice(i, j)] = w;
            }
        }
    if (s.nu == 1)
        return;
    const std::vector<double> tu = coupures(0, 1, s.nu);
    const std::vector<double> tv = coupures(0, 1, s.nv);
    for (int i = 0; i < s.lignes(); ++i) {
        // Along u: row i of the cut net, from the three columns.
        const double a = tu[static_cast<std::size_t>(i / 2)];
        const double b = tu[static_cast<std::size_t>((i + 1) / 2)];
        Homogene ligne[3];
        for (int j = 0; j < 3; ++j) {
            const Homogene colonne[3] = {h[0][j], h[1][j], h[2][j]};
            ligne[j] = floraison(colonne, a, b);
        }
        for (int j = 0; j < s.colonnes(); ++j) {
            const Homogene q = floraison(ligne, tv[static_cast<std::size_t>(j / 2)],
                                         tv[static_cast<std::size_t>((j + 1) / 2)]);
            s.points[s.indice(i, j)] = {q[0] / q[3], q[1] / q[3], q[2] / q[3]};
            s.poids[s.indice(i, j)] = q[3];
        }
    }
}

} // namespace

bool SurfaceBSpline::valide() const {
    if (points.size() != poids.size() ||
        points.size() !=
            static_cast<std::size_t>(lignes()) * static_cast<std::size_t>(colonnes()) ||
        nu < 1 || nv < 1)
        return false;
    for (std::size_t n = 0; n < points.size(); ++n)
        if (!(poids[n] > 0) || !std::isfinite(poids[n]) || !std::isfinite(points[n][0]) ||
            !std::isfinite(points[n][1]) || !std::isfinite(points[n][2]))
            return false;
    return true;
}

bool surfaceCarreau(const RBBP& net, SurfaceBSpline& surface) {
    for (int n = 1; n <= SEGMENTS_CARREAU_MAX; ++n) {
        SurfaceBSpline s;
        s.nu = n;
        s.nv = n;
        remplirCarreau(net, s);
        if (poidsPositifs(s) && s.valide()) {
            surface = s;
            return true;
        }
    }
    return false;
}

bool surfaceCyclideMonde(const CyclideRepere& cyclide, const MorceauCyclide& m, int segmentsMin,
                         SurfaceBSpline& surface) {
    const double a = cyclide.a, c = cyclide.c, mu = cyclide.mu;
    if (!std::isfinite(m.u1 - m.u0) || !std::isfinite(m.v1 - m.v0) || !std::isfinite(a) ||
        !std::isfinite(c) || !std::isfinite(mu) || std::fabs(c) > std::fabs(a))
        return false;
    for (int n = std::max(segmentsMin, 1); n <= SEGMENTS_MAX; ++n) {
        SurfaceBSpline s;
        s.nu = segmentsPour(m.u1 - m.u0, n);
        s.nv = segmentsPour(m.v1 - m.v0, n);
        s.fermeeU = toutTour(m.u0, m.u1);
        s.fermeeV = toutTour(m.v0, m.v1);
        if (s.nu > SEGMENTS_MAX || s.nv > SEGMENTS_MAX)
            return false;
        // A zero weight (a control point at infinity) may vanish with more
        // segments, as mixed signs do.
        if (remplirSegments(cyclide, m, s) && poidsPositifs(s)) {
            fermer(s);
            surface = s;
            return true;
        }
    }
    return false;
}

} // namespace cyclide
