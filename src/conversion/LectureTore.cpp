#include "conversion/LectureTore.h"

#include "conversion/ModeleCyclide.h"
#include "conversion/Repere.h"
#include "conversion/Residu.h"
#include "noyau/Constantes.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace cyclide {

namespace {

using V3 = std::array<double, 3>;

// Steps from the patch centre to each corner when the angles are followed.
const int PAS_SUIVI = 32;

V3 coords(const Point& P) {
    return {P.getX0(), P.getY0(), P.getZ0()};
}

V3 moins(const V3& u, const V3& v) {
    return {u[0] - v[0], u[1] - v[1], u[2] - v[2]};
}

V3 plus(const V3& u, const V3& v) {
    return {u[0] + v[0], u[1] + v[1], u[2] + v[2]};
}

V3 fois(double k, const V3& u) {
    return {k * u[0], k * u[1], k * u[2]};
}

double dot(const V3& u, const V3& v) {
    return u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
}

V3 cross(const V3& u, const V3& v) {
    return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}

double norme(const V3& u) {
    return std::sqrt(dot(u, u));
}

V3 unit(const V3& u) {
    return fois(1 / norme(u), u);
}

bool fini(const V3& u) {
    return std::isfinite(u[0]) && std::isfinite(u[1]) && std::isfinite(u[2]);
}

// Unit normal of the plane of the arc Q0 Q1 Q2 (tangent and chord at Q0).
V3 normaleArc(const V3& Q0, const V3& Q1, const V3& Q2) {
    return unit(cross(moins(Q1, Q0), moins(Q2, Q0)));
}

// Centre of the circle through Q0 and Q2 tangent to Q0 Q1 at Q0: on the
// normal to the tangent, in the arc's plane, equally far from Q0 and Q2.
V3 centreArc(const V3& Q0, const V3& Q1, const V3& Q2) {
    const V3 t = moins(Q1, Q0), c = moins(Q2, Q0);
    const V3 dir = cross(cross(t, c), t);
    return plus(Q0, fois(dot(c, c) / (2 * dot(dir, c)), dir));
}

// The part of u perpendicular to the unit vector k.
V3 horizontale(const V3& u, const V3& k) {
    return moins(u, fois(dot(u, k), k));
}

// A unit vector perpendicular to the unit vector k.
V3 perpendiculaire(const V3& k) {
    const V3 e = std::fabs(k[0]) < 0.6 ? V3{1, 0, 0} : V3{0, 1, 0};
    return unit(cross(k, e));
}

// The net's corner and boundary control points as coordinates.
struct Bords {
    V3 P[3][3];
};

Bords bordsDe(const RBBPd& rec) {
    Bords b;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            b.P[i][j] = coords(rec.P[i][j]);
    return b;
}

// The torus read from the net, before its kind is decided.
struct Tore {
    double a, mu;
    V3 omega, i0, j0, k0;
};

// Axis from the latitude pair, tube from the first meridian.
bool toreDuReseau(const Bords& b, Tore& t) {
    const V3(&P)[3][3] = b.P;
    const V3 nLigne0 = normaleArc(P[0][0], P[0][1], P[0][2]);
    const V3 nLigne2 = normaleArc(P[2][0], P[2][1], P[2][2]);
    const V3 nColonne0 = normaleArc(P[0][0], P[1][0], P[2][0]);
    const V3 nColonne2 = normaleArc(P[0][2], P[1][2], P[2][2]);
    const bool lignesLatitudes =
        norme(cross(nLigne0, nLigne2)) <= norme(cross(nColonne0, nColonne2));
    V3 axe, centreLatitude, centreMeridien;
    if (lignesLatitudes) {
        axe = nLigne0;
        centreLatitude = centreArc(P[0][0], P[0][1], P[0][2]);
        centreMeridien = centreArc(P[0][0], P[1][0], P[2][0]);
    } else {
        axe = nColonne0;
        centreLatitude = centreArc(P[0][0], P[1][0], P[2][0]);
        centreMeridien = centreArc(P[0][0], P[0][1], P[0][2]);
    }
    t.k0 = axe;
    t.omega = plus(centreLatitude, fois(dot(moins(centreMeridien, centreLatitude), axe), axe));
    // i0 towards the meridian's centre (for a sphere, towards P00), made
    // exactly perpendicular to the axis.
    V3 h = horizontale(moins(centreMeridien, t.omega), axe);
    t.a = norme(h);
    t.mu = norme(moins(centreMeridien, P[0][0]));
    if (!(t.a > 1e-12 * t.mu))
        h = horizontale(moins(P[0][0], t.omega), axe);
    t.i0 = norme(h) > 1e-12 * t.mu ? unit(h) : perpendiculaire(axe);
    t.j0 = cross(t.k0, t.i0);
    return std::isfinite(t.a) && std::isfinite(t.mu) && fini(t.omega) && fini(t.i0) && fini(t.j0) &&
           fini(t.k0) && t.mu > 0;
}

void ecrireTore(RBBPd& rec, const Tore& t, double a) {
    rec.a = a;
    rec.c = 0;
    rec.mu = t.mu;
    rec.omega.init(t.omega[0], t.omega[1], t.omega[2]);
    const V3* axes[3] = {&t.i0, &t.j0, &t.k0};
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            rec.Base[r][k] = (*axes[k])[r];
}

// The world point X in the frame of the passage.
V3 dansRepere(const PassageRepere& passage, const V3& X) {
    return versRepere(passage, Point(X[0], X[1], X[2]));
}

struct Angles {
    double t, p;
};

// x moved by whole turns to the nearest of ref.
double auPlusPres(double x, double ref) {
    return x - DEUX_PI * std::round((x - ref) / DEUX_PI);
}

// The two solutions of a frame point q on the torus (a, mu): theta the
// polar angle of (x, y), psi from a - mu cos psi = r, and theta + pi with
// a - mu cos psi = -r, r = |(x, y)|. Each is kept only when it gives back q
// within tolerance; of those kept, the one nearest to ref (after moving by
// whole turns) is returned, otherwise the one that gives q best.
Angles anglesSuivis(double a, double mu, const V3& q, const Angles& ref, double tolerance) {
    const double r = std::hypot(q[0], q[1]);
    const double t = std::atan2(q[1], q[0]);
    const Angles sol[2] = {{t, std::atan2(-q[2] / mu, (a - r) / mu)},
                           {t + PI, std::atan2(-q[2] / mu, (a + r) / mu)}};
    Angles proche[2];
    double ecart[2], distance[2];
    for (int k = 0; k < 2; ++k) {
        proche[k] = {auPlusPres(sol[k].t, ref.t), auPlusPres(sol[k].p, ref.p)};
        const Eigen::Vector3d x = pointAngles(a, 0, mu, proche[k].t, proche[k].p);
        ecart[k] = std::sqrt((x[0] - q[0]) * (x[0] - q[0]) + (x[1] - q[1]) * (x[1] - q[1]) +
                             (x[2] - q[2]) * (x[2] - q[2]));
        distance[k] = std::fabs(proche[k].t - ref.t) + std::fabs(proche[k].p - ref.p);
    }
    const bool valide0 = ecart[0] <= tolerance, valide1 = ecart[1] <= tolerance;
    if (valide0 && valide1)
        return distance[1] < distance[0] ? proche[1] : proche[0];
    if (valide0 || valide1)
        return valide0 ? proche[0] : proche[1];
    return ecart[1] < ecart[0] ? proche[1] : proche[0];
}

// The patch point at (u, v) as coordinates.
V3 pointPatch(const RBBPd& rec, double u, double v) {
    return coords(rec.point(u, v));
}

} // namespace

MorceauCyclide morceauTore(const RBBPd& rec) {
    const PassageRepere passage = passageRepere(rec.Base, rec.omega);
    const double a = rec.a, mu = rec.mu;
    const double tolerance = 1e-6 * (std::fabs(a) + std::fabs(mu));
    const Angles depart{0, 0};
    const Angles centre =
        anglesSuivis(a, mu, dansRepere(passage, pointPatch(rec, 0.5, 0.5)), depart, tolerance);
    // Follows the angles from the centre to the corner (u, v) of the patch.
    auto suivre = [&](double u, double v) {
        Angles ang = centre;
        for (int s = 1; s <= PAS_SUIVI; ++s) {
            const double f = static_cast<double>(s) / PAS_SUIVI;
            const V3 X = pointPatch(rec, 0.5 + f * (u - 0.5), 0.5 + f * (v - 0.5));
            ang = anglesSuivis(a, mu, dansRepere(passage, X), ang, tolerance);
        }
        return ang;
    };
    const Angles c00 = suivre(0, 0), c22 = suivre(1, 1);
    MorceauCyclide m;
    m.u0 = c00.t;
    m.v1 = c00.p;
    m.u1 = c22.t;
    m.v0 = c22.p;
    return m;
}

double aDuTore(const RBBPd& rec) {
    Tore t;
    return toreDuReseau(bordsDe(rec), t) ? t.a / t.mu : std::nan("");
}

GenreCyclide lireToreSphere(RBBPd& rec, MorceauCyclide& morceau) {
    Tore t;
    if (!toreDuReseau(bordsDe(rec), t))
        return GenreCyclide::Aucune;
    RBBPd essai(rec);
    ecrireTore(essai, t, 0);
    GenreCyclide code = GenreCyclide::SphereDouble;
    if (!(residuCyclide(essai) <= RESIDU_PORTEUR)) {
        ecrireTore(essai, t, t.a);
        code = t.a <= t.mu ? GenreCyclide::ToreCroise : GenreCyclide::ToreCollier;
    }
    const MorceauCyclide m = morceauTore(essai);
    ecrireTore(rec, t, essai.a);
    morceau = m;
    return code;
}

bool morceauFidele(const RBBPd& rec, const MorceauCyclide& m, double tol) {
    const double L = std::max(rec.P[0][0].distance(rec.P[2][2]), rec.P[0][2].distance(rec.P[2][0]));
    // The world point of the piece at (theta, psi) against the corner P.
    auto ecart = [&](double theta, double psi, const Point& P) {
        const Eigen::Vector3d q = pointAngles(rec.a, rec.c, rec.mu, theta, psi);
        const V3 X = versMonde(rec.Base, rec.omega, {q[0], q[1], q[2]});
        return norme(moins(X, coords(P)));
    };
    auto proche = [&](double theta, double psi, const Point& P) {
        return ecart(theta, psi, P) <= tol * L;
    };
    const bool diagonale = proche(m.u0, m.v1, rec.P[0][0]) && proche(m.u1, m.v0, rec.P[2][2]);
    const bool droit = proche(m.u0, m.v0, rec.P[2][0]) && proche(m.u1, m.v1, rec.P[0][2]);
    const bool croise = proche(m.u0, m.v0, rec.P[0][2]) && proche(m.u1, m.v1, rec.P[2][0]);
    return diagonale && (droit || croise);
}

} // namespace cyclide
