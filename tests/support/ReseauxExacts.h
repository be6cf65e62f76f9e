// Exact nets of pieces of Dupin cyclides, computed in long double from the
// cyclide's own parametrisation (independently of the conversion's code):
// every kind, spans from 1e-4 to almost a whole turn (a span above pi is
// written with a negative middle weight), placed by a random rigid motion,
// scaled, and optionally reparametrised (w_ij times l^i n^j, all signs
// changed). The sweeps of the conversion draw their cases here.
#ifndef RESEAUX_EXACTS_H
#define RESEAUX_EXACTS_H

#include "conversion/GenreCyclide.h"
#include "surfaces/RBBP.h"

#include <cmath>
#include <random>

namespace exacts {

using LD = long double;

// The kinds of cyclide, with the kind the conversion must give.
// FuseauMince: a spindle torus whose a is 1e-7 to 1e-3 of mu (a crossed
// torus near the sphere); PetitC, PetitCCorne: a ring or a horned cyclide
// whose c is 1e-7 to 1e-3 of a (near a collar torus).
enum class Famille {
    Ring,
    Spindle,
    Horned,
    Sphere,
    Croise,
    Collier,
    Corne,
    FuseauMince,
    PetitC,
    PetitCCorne
};

inline cyclide::GenreCyclide codeAttendu(Famille f) {
    using G = cyclide::GenreCyclide;
    const G genres[10] = {G::Ring,       G::Spindle,     G::Horned,     G::SphereDouble,
                          G::ToreCroise, G::ToreCollier, G::ToreCroise, G::ToreCroise,
                          G::Ring,       G::Horned};
    return genres[static_cast<int>(f)];
}

// How a case is drawn.
struct Tirage {
    double spanMin = 0.1, spanMax = 1.5;       // angle spans (radians), either direction
    double portee = 0;                         // translation within +-portee (world units)
    double echelleMin = 1, echelleMax = 1;     // the cyclide's size, log-uniform
    bool reparametrer = false;                 // w_ij l^i n^j and a random overall sign
    double spanThetaMin = 0, spanThetaMax = 0; // when not 0, the theta span's own range
    double echellePoids = 1;                   // every weight multiplied by it
    // The boundary psi = p1 at the singular angle, where a - mu cos psi = 0
    // (a sphere's pole, a spindle torus's or cyclide's point on the axis):
    // collapsed to one point (for the kinds with a <= mu).
    bool pole = false;
};

// A drawn case: the net in world coordinates and the cyclide it lies on.
struct Cas {
    RBBP net;
    double a = 0, c = 0, mu = 0; // the cyclide's parameters (non-negative)
    double taille = 0;           // max(a, mu): the cyclide's size
    cyclide::GenreCyclide code = cyclide::GenreCyclide::Aucune; // the kind the conversion must give
    // Where the cyclide sits: its point q (its own frame, scaled with a, c,
    // mu) is at Base q + omega in the world.
    double Base[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    double omega[3] = {0, 0, 0};
};

inline LD uniforme(std::mt19937& g, LD lo, LD hi) {
    return lo + (hi - lo) * static_cast<LD>(std::uniform_real_distribution<double>(0, 1)(g));
}

// (a, c, mu) of the kind for the size 1, from two ratios in (0.15, 0.85)
// and, for the kinds near a border, one from 1e-7 to 1e-3 (log-uniform).
inline void parametres(Famille f, std::mt19937& g, LD& a, LD& c, LD& mu) {
    const LD x = uniforme(g, 0.15L, 0.85L), y = uniforme(g, 0.15L, 0.85L);
    const auto petit = [&g] { return std::pow(10.0L, uniforme(g, -7, -3)); };
    a = 1;
    c = 0;
    mu = 1;
    switch (f) {
    case Famille::Ring:
        c = x * y, mu = x;
        break;
    case Famille::Spindle:
        c = x, mu = 1 / y;
        break;
    case Famille::Horned:
        c = x, mu = x * y;
        break;
    case Famille::Sphere:
        a = 0, mu = 1;
        break;
    case Famille::Croise:
        mu = 1 / y;
        break;
    case Famille::Collier:
        mu = x;
        break;
    case Famille::Corne:
        mu = 1;
        break;
    case Famille::FuseauMince:
        a = petit();
        break;
    case Famille::PetitC:
        c = petit(), mu = x;
        break;
    case Famille::PetitCCorne:
        c = petit(), mu = c * y;
        break;
    }
}

// Bernstein coefficients of (w, w cos, w sin) of the arc [t0, t1].
inline void arc(LD t0, LD t1, LD A[3][3]) {
    const LD ext[2] = {t0, t1};
    for (int k = 0; k < 2; ++k) {
        A[2 * k][0] = 1;
        A[2 * k][1] = std::cos(ext[k]);
        A[2 * k][2] = std::sin(ext[k]);
    }
    A[1][0] = std::cos((t1 - t0) / 2);
    A[1][1] = std::cos((t0 + t1) / 2);
    A[1][2] = std::sin((t0 + t1) / 2);
}

// The homogeneous net (X, Y, Z, W) of the piece in the cyclide's frame.
inline void netHomogene(LD a, LD c, LD mu, LD t0, LD t1, LD p0, LD p1, LD H[3][3][4]) {
    LD A[3][3], B[3][3];
    arc(t0, t1, A);
    arc(p0, p1, B);
    const bool tore = c == 0;
    const LD b2 = a * a - c * c, b = std::sqrt(b2);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            auto fg = [&](int f, int gg) { return A[i][f] * B[j][gg]; };
            LD* h = H[i][j];
            if (tore) { // torus form, valid for the sphere a = 0 too
                h[0] = a * fg(1, 0) - mu * fg(1, 1);
                h[1] = a * fg(2, 0) - mu * fg(2, 1);
                h[2] = -mu * fg(0, 2);
                h[3] = fg(0, 0);
            } else {
                h[0] = mu * c * fg(0, 0) - mu * a * fg(1, 1) + b2 * fg(1, 0);
                h[1] = b * a * fg(2, 0) - b * mu * fg(2, 1);
                h[2] = b * c * fg(1, 2) - b * mu * fg(0, 2);
                h[3] = a * fg(0, 0) - c * fg(1, 1);
            }
        }
}

// True when the rectangle keeps clear of the cyclide's singular points
// (a - mu cos p or c cos t - mu changing sign) and of points at infinity.
inline bool rectangleSain(LD a, LD c, LD mu, LD t0, LD t1, LD p0, LD p1, const LD H[3][3][4]) {
    // f keeps one sign over [lo, hi], at least 1e-3 of echelle away from 0
    // (for a size echelle other than 1, each value beyond 1/20 of the first).
    auto signeConstant = [](auto f, LD lo, LD hi, LD echelle) {
        const LD premier = f(lo);
        const LD marge = 0.05L * std::fabs(premier) * (echelle == 1 ? 1 : std::fabs(premier));
        for (int k = 1; k <= 64; ++k)
            if (f(lo + (hi - lo) * k / 64) * premier <= marge)
                return false;
        return std::fabs(premier) > 1e-3L * echelle;
    };
    if (!signeConstant([&](LD p) { return a - mu * std::cos(p); }, p0, p1, 1) && c != 0)
        return false;
    if (c != 0 && !signeConstant([&](LD t) { return c * std::cos(t) - mu; }, t0, t1,
                                 c < 1e-2L ? std::fmax(c, mu) : 1)) // a tiny c: relative to it
        return false;
    LD wMax = 0, wMin = 1e300L;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            wMax = std::fmax(wMax, std::fabs(H[i][j][3]));
            wMin = std::fmin(wMin, std::fabs(H[i][j][3]));
        }
    return wMin > 1e-3L * wMax;
}

// A random rotation from a unit quaternion.
inline void rotation(std::mt19937& g, LD R[3][3]) {
    std::normal_distribution<double> n(0, 1);
    LD q[4] = {n(g), n(g), n(g), n(g)};
    const LD l = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    const LD w = q[0] / l, x = q[1] / l, y = q[2] / l, z = q[3] / l;
    const LD M[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - w * z), 2 * (x * z + w * y)},
                        {2 * (x * y + w * z), 1 - 2 * (x * x + z * z), 2 * (y * z - w * x)},
                        {2 * (x * z - w * y), 2 * (y * z + w * x), 1 - 2 * (x * x + y * y)}};
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            R[r][k] = M[r][k];
}

// A span in [lo, hi], log-uniform, with a random direction.
inline LD span(std::mt19937& g, double lo, double hi) {
    const LD s =
        std::exp(uniforme(g, std::log(static_cast<LD>(lo)), std::log(static_cast<LD>(hi))));
    return uniforme(g, 0, 1) < 0.5L ? -s : s;
}

// Draws a case of the kind; false when the drawn rectangle is refused
// (singular point, point at infinity, a span of exactly half a turn).
inline bool tirer(Famille f, std::mt19937& g, const Tirage& t, Cas& cas) {
    LD a, c, mu;
    parametres(f, g, a, c, mu);
    const LD t0 = uniforme(g, -3.14159L, 3.14159L);
    LD p0 = uniforme(g, -3.14159L, 3.14159L);
    const LD t1 = t0 + (t.spanThetaMax > 0 ? span(g, t.spanThetaMin, t.spanThetaMax)
                                           : span(g, t.spanMin, t.spanMax));
    LD p1 = p0 + span(g, t.spanMin, t.spanMax);
    if (t.pole) {
        p1 = (uniforme(g, 0, 1) < 0.5L ? -1 : 1) * std::acos(a / mu);
        p0 = p1 + span(g, t.spanMin, t.spanMax);
    }
    if (std::fabs(std::cos((t1 - t0) / 2)) < 1e-3L || std::fabs(std::cos((p1 - p0) / 2)) < 1e-3L)
        return false;
    LD H[3][3][4];
    netHomogene(a, c, mu, t0, t1, p0, p1, H);
    // Away from the collapsed boundary the rectangle keeps clear of singular points.
    if (!rectangleSain(a, c, mu, t0, t1, p0, t.pole ? p0 + 0.9L * (p1 - p0) : p1, H))
        return false;
    LD R[3][3];
    rotation(g, R);
    const LD s = std::exp(uniforme(g, std::log(static_cast<LD>(t.echelleMin)),
                                   std::log(static_cast<LD>(t.echelleMax))));
    const LD T[3] = {uniforme(g, -t.portee, t.portee), uniforme(g, -t.portee, t.portee),
                     uniforme(g, -t.portee, t.portee)};
    const LD l = t.reparametrer ? std::exp(uniforme(g, -1, 1)) : 1;
    const LD n = t.reparametrer ? std::exp(uniforme(g, -1, 1)) : 1;
    const LD signe = t.reparametrer && uniforme(g, 0, 1) < 0.5L ? -1 : 1;
    const LD w00 = H[0][0][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const LD* h = H[i][j];
            const LD q[3] = {h[0] / h[3], h[1] / h[3], h[2] / h[3]};
            Point P;
            LD x[3];
            for (int r = 0; r < 3; ++r)
                x[r] = s * (R[r][0] * q[0] + R[r][1] * q[1] + R[r][2] * q[2]) + T[r];
            P.init(static_cast<double>(x[0]), static_cast<double>(x[1]), static_cast<double>(x[2]));
            cas.net.setP(i, j, P);
            cas.net.setW(i, j,
                         static_cast<double>(signe * h[3] / w00 * std::pow(l, i) * std::pow(n, j)) *
                             t.echellePoids);
        }
    cas.a = static_cast<double>(s * a);
    cas.c = static_cast<double>(s * c);
    cas.mu = static_cast<double>(s * mu);
    cas.taille = static_cast<double>(s * std::fmax(a, mu));
    cas.code = codeAttendu(f);
    for (int r = 0; r < 3; ++r) {
        cas.omega[r] = static_cast<double>(T[r]);
        for (int k = 0; k < 3; ++k)
            cas.Base[r][k] = static_cast<double>(R[r][k]);
    }
    return true;
}

} // namespace exacts

#endif
