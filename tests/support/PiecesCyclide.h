// Random pieces of Dupin cyclides written as nets and random parameter sets,
// for the sweeps of the verified conversion: random kinds, sizes, angle
// rectangles and rigid motions, the sphere net (a = 0) that the cyclide net
// cannot write, and counts of verdicts before and after verification.
#ifndef PIECES_CYCLIDE_H
#define PIECES_CYCLIDE_H

#include "conversion/RBBPd.h"
#include "conversion/ReseauCyclide.h"
#include "conversion/Residu.h"
#include "noyau/Constantes.h"
#include "scene/Scene.h"

#include "CaptureStdout.h"

#include <cmath>
#include <cstdio>
#include <random>

namespace pieces {

// The kinds of the sweep, with the cyclide-type code each must get.
enum Genre { RING = 1, SPINDLE = 2, HORNED = 3, SPHERE = 4, CROISE = 5, COLLIER = 6 };

// A rigid motion: frame columns (right-handed, orthonormal) and a translation.
struct Mouvement {
    double Base[3][3];
    Point omega;
};

inline double uniforme(std::mt19937& g, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(g);
}

// A random rotation (unit quaternion) and a translation within +-portee.
inline Mouvement mouvementAleatoire(std::mt19937& g, double portee) {
    std::normal_distribution<double> n(0, 1);
    double q[4] = {n(g), n(g), n(g), n(g)};
    const double l = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    const double w = q[0] / l, x = q[1] / l, y = q[2] / l, z = q[3] / l;
    Mouvement m{{{1 - 2 * (y * y + z * z), 2 * (x * y - w * z), 2 * (x * z + w * y)},
                 {2 * (x * y + w * z), 1 - 2 * (x * x + z * z), 2 * (y * z - w * x)},
                 {2 * (x * z - w * y), 2 * (y * z + w * x), 1 - 2 * (x * x + y * y)}},
                Point(uniforme(g, -portee, portee), uniforme(g, -portee, portee),
                      uniforme(g, -portee, portee))};
    return m;
}

// Parameters (a, c, mu) of the kind at the size echelle, from two random
// ratios x, y in (0.15, 0.85): ring c < mu < a, spindle c < a < mu, horned
// mu < c < a, tori c = 0. The sphere of radius echelle is the torus whose a
// is 1e-100 of it: its net is the sphere's to that relative precision.
inline void parametres(Genre genre, std::mt19937& g, double echelle, double& a, double& c,
                       double& mu) {
    const double x = uniforme(g, 0.15, 0.85), y = uniforme(g, 0.15, 0.85);
    const double cSurA[7] = {0, x * y, x, x, 0, 0, 0};
    const double muSurA[7] = {0, x, 1 / y, x * y, 1e100, 1 / y, x};
    a = genre == SPHERE ? 1e-100 * echelle : echelle;
    c = cSurA[genre] * a;
    mu = muSurA[genre] * a;
}

// A rectangle of angles, each span between 0.1 and a quarter turn in either
// direction.
inline cyclide::MorceauCyclide rectangleAleatoire(std::mt19937& g) {
    const double du = uniforme(g, 0.1, PI / 2) * (uniforme(g, 0, 1) < 0.5 ? -1 : 1);
    const double dv = uniforme(g, 0.1, PI / 2) * (uniforme(g, 0, 1) < 0.5 ? -1 : 1);
    const double u0 = uniforme(g, -PI, PI), v0 = uniforme(g, -PI, PI);
    return {u0, u0 + du, v0, v0 + dv};
}

// A random piece of the kind as a net in world coordinates; false when the
// cyclide net refuses the rectangle (a zero weight).
inline bool pieceAleatoire(Genre genre, std::mt19937& g, double echelle, RBBP& net) {
    double a = 0, c = 0, mu = 0;
    parametres(genre, g, echelle, a, c, mu);
    const cyclide::MorceauCyclide m = rectangleAleatoire(g);
    const Mouvement mv = mouvementAleatoire(g, 10 * echelle);
    if (!cyclide::reseauMorceauMonde(cyclide::cyclidePlacee(a, c, mu, mv.omega, mv.Base), m, net))
        return false;
    const double w00 = net.getW(0, 0); // weights of the size of 1 (the sphere's are 1e-100)
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            net.setW(i, j, net.getW(i, j) / w00);
    return true;
}

// A random parameter set: angles in [-pi, pi], radius in [0.5, 10], z11
// and P10 in [-10, 10].
inline cyclide::EntreeScene jeuAleatoire(std::mt19937& g) {
    cyclide::EntreeScene e;
    double* angles[4] = {&e.theta00, &e.theta02, &e.theta20, &e.theta22};
    for (double* t : angles)
        *t = uniforme(g, -PI, PI);
    e.rayon = uniforme(g, 0.5, 10);
    e.z11 = uniforme(g, -10, 10);
    e.P10 = uniforme(g, -10, 10);
    return e;
}

// Counts of verdicts by code and residual class (R <= 1e-9, <= 1e-3, above).
struct Bilan {
    int n[7][3] = {};
    void compter(int code, double residu) {
        const int classe = residu <= cyclide::RESIDU_EXACT   ? 0
                           : residu <= cyclide::RESIDU_ADMIS ? 1
                                                             : 2;
        ++n[code][code == 0 ? 0 : classe];
    }
    void imprimer(const char* titre) const {
        std::printf("%s: code 0 = %d", titre, n[0][0]);
        for (int c = 1; c <= 6; ++c)
            std::printf(", %d = %d/%d/%d", c, n[c][0], n[c][1], n[c][2]);
        std::printf("  (R <= 1e-9 / <= 1e-3 / above)\n");
    }
    int kinds(int classe) const {
        int s = 0;
        for (int c = 1; c <= 6; ++c)
            s += n[c][classe];
        return s;
    }
};

// What the first reading alone gives for the scene's net, as the
// conversion reported it before any verification.
struct Premiere {
    int code = 0;
    RBBPd rec;
    cyclide::MorceauCyclide morceau;
    double residu = 0;
};

inline Premiere premiereLecture(const cyclide::Scene& s) {
    Premiere p;
    p.rec = s.Bez;
    CaptureStdout silence;
    p.code =
        codeGenre(p.rec.calculConversion(s.type, cyclide::choixPlan(s.entree.plan), p.morceau));
    p.residu = p.code ? cyclide::residuCyclide(p.rec) : 0;
    return p;
}

// The scene kept the first reading bit for bit: code, cyclide, frame, piece.
inline bool memeResultat(const Premiere& p, const cyclide::Scene& s) {
    const RBBPd& r = s.converti;
    bool ok = p.code == codeGenre(s.typeCyclide) && p.rec.a == r.a && p.rec.c == r.c &&
              p.rec.mu == r.mu && p.rec.omega.getX0() == r.omega.getX0() &&
              p.rec.omega.getY0() == r.omega.getY0() && p.rec.omega.getZ0() == r.omega.getZ0() &&
              p.morceau.u0 == s.morceau.u0 && p.morceau.u1 == s.morceau.u1 &&
              p.morceau.v0 == s.morceau.v0 && p.morceau.v1 == s.morceau.v1;
    for (int i = 0; i < 9; ++i)
        ok = ok && p.rec.Base[i / 3][i % 3] == r.Base[i / 3][i % 3];
    return ok;
}

} // namespace pieces

#endif
