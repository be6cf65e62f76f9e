#include "conversion/MorceauCyclide.h"

#include "noyau/Constantes.h"
#include "noyau/Fonction.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace cyclide {

namespace {

// The cyclide (a, b, c, mu), b = sqrt(a^2 - c^2).
struct ParamCyclide {
    double a, b, c, mu;
};

ParamCyclide parametres(double a, double c, double mu) {
    return {a, std::sqrt(a * a - c * c), c, mu};
}

Coord3 pointDeParametres(const ParamCyclide& p, const AnglesCyclide& ang) {
    const double ct = std::cos(ang.theta), st = std::sin(ang.theta);
    const double cp = std::cos(ang.psi), sp = std::sin(ang.psi);
    const double D = p.a - p.c * ct * cp;
    return {(p.mu * (p.c - p.a * ct * cp) + p.b * p.b * ct) / D, p.b * st * (p.a - p.mu * cp) / D,
            p.b * sp * (p.c * ct - p.mu) / D};
}

// Distance from the cyclide point at the angles to the frame point q (not a
// number when either is not).
double ecartAngles(const ParamCyclide& p, const AnglesCyclide& ang, const Coord3& q) {
    const Coord3 r = pointDeParametres(p, ang);
    return std::sqrt((r[0] - q[0]) * (r[0] - q[0]) + (r[1] - q[1]) * (r[1] - q[1]) +
                     (r[2] - q[2]) * (r[2] - q[2]));
}

// One branch choice of the angle solvers at a frame point: theta from
// thetaSol1 (or thetaSol) with psi = 0 and z = 0 as arguments, psi from
// psiSol1 (or psiSol) at that theta.
AnglesCyclide essaiSolveurs(const ParamCyclide& p, const Coord3& q, bool theta1, bool psi1) {
    AnglesCyclide r;
    r.theta = theta1 ? thetaSol1(0, q[0], q[1], 0, p.a, p.b, p.c, p.mu)
                     : thetaSol(0, q[0], q[1], 0, p.a, p.b, p.c, p.mu);
    r.psi = psi1 ? psiSol1(r.theta, q[0], q[1], q[2], p.a, p.b, p.c, p.mu)
                 : psiSol(r.theta, q[0], q[1], q[2], p.a, p.b, p.c, p.mu);
    return r;
}

// x brought into [lo, lo + 2 pi) by a whole number of turns.
double dansTour(double x, double lo) {
    double r = std::fmod(x - lo, DEUX_PI);
    if (r < 0)
        r += DEUX_PI;
    return lo + r;
}

// Angles of a frame point from ratios of its coordinates only, so that the
// result does not depend on the scale of the patch (the angle solvers
// compare lengths with absolute thresholds, which fail for a tiny patch).
// With k = (a - mu cos psi) / D and D = a - c cos theta cos psi, the
// parametrisation gives b y = b^2 sin(theta) k and a x - c mu =
// b^2 cos(theta) k, so theta is atan2(b y, a x - c mu) up to a half turn;
// then cos(theta) (a x - c mu) + sin(theta) b y - b^2 = b^2 cos(psi) m / D
// and b z = b^2 sin(psi) m / D with m = c cos(theta) - mu, so psi is the arc
// tangent of those two up to a half turn. Of the four combinations the one
// whose cyclide point is nearest is kept, written in the solvers' ranges
// (theta and psi in [-pi/2, 3pi/2)). Gives back its distance to q in ecart
// (not a number for a degenerate cyclide or point).
AnglesCyclide anglesSansEchelle(const ParamCyclide& p, const Coord3& q, double& ecart) {
    const double X = p.a * q[0] - p.c * p.mu, Y = p.b * q[1];
    const double theta0 = std::atan2(Y, X);
    AnglesCyclide meilleur{theta0, 0};
    ecart = std::numeric_limits<double>::quiet_NaN();
    for (int i = 0; i < 2; ++i) {
        const double theta = theta0 + i * PI;
        const double k = std::cos(theta) * X + std::sin(theta) * Y - p.b * p.b;
        const double psi0 = std::atan2(p.b * q[2], k);
        for (int j = 0; j < 2; ++j) {
            const AnglesCyclide essai{theta, psi0 + j * PI};
            const double e = ecartAngles(p, essai, q);
            if (std::isfinite(e) && !(e >= ecart)) {
                ecart = e;
                meilleur = essai;
            }
        }
    }
    meilleur.theta = dansTour(meilleur.theta, -PI / 2);
    meilleur.psi = dansTour(meilleur.psi, -PI / 2);
    return meilleur;
}

AnglesCyclide anglesParametres(const ParamCyclide& p, const Coord3& q, const bool ordre[4][2],
                               double tol) {
    AnglesCyclide proche{0, 0};
    double ecartProche = std::numeric_limits<double>::quiet_NaN();
    for (int k = 0; k < 4; ++k) {
        const AnglesCyclide essai = essaiSolveurs(p, q, ordre[k][0], ordre[k][1]);
        const double e = ecartAngles(p, essai, q);
        if (e <= tol)
            return essai;
        if (k == 0 || e < ecartProche || (std::isnan(ecartProche) && !std::isnan(e))) {
            proche = essai;
            ecartProche = e;
        }
    }
    double ecart;
    const AnglesCyclide libre = anglesSansEchelle(p, q, ecart);
    if (ecart < ecartProche || (std::isnan(ecartProche) && !std::isnan(ecart)))
        return libre;
    return proche;
}

// Branch orders of the solvers: for P00 and the patch centre (thetaSol1,
// psiSol) first, for P22 (thetaSol1, psiSol1) first, as the drawn piece of
// the start-up patch uses them.
const bool ORDRE_P00[4][2] = {{true, false}, {true, true}, {false, false}, {false, true}};
const bool ORDRE_P22[4][2] = {{true, true}, {true, false}, {false, true}, {false, false}};

// Of the three candidates, the first x for which dedans(x) holds; the first
// candidate when none does.
template <class Dedans> double premierQuiContient(const double (&candidats)[3], Dedans dedans) {
    for (double x : candidats)
        if (dedans(x))
            return x;
    return candidats[0];
}

// The four closed-form angle pairs of a frame point (theta up to a half
// turn, psi up to a half turn at each theta; see anglesSansEchelle).
void quatreSolutions(const ParamCyclide& p, const Coord3& q, AnglesCyclide sol[4]) {
    const double X = p.a * q[0] - p.c * p.mu, Y = p.b * q[1];
    const double theta0 = std::atan2(Y, X);
    for (int i = 0; i < 2; ++i) {
        const double theta = theta0 + i * PI;
        const double k = std::cos(theta) * X + std::sin(theta) * Y - p.b * p.b;
        const double psi0 = std::atan2(p.b * q[2], k);
        for (int j = 0; j < 2; ++j)
            sol[2 * i + j] = {theta, psi0 + j * PI};
    }
}

// x moved by whole turns to the nearest of ref.
double auPlusPres(double x, double ref) {
    return x - DEUX_PI * std::round((x - ref) / DEUX_PI);
}

// The angles of q continuous from ref: of the closed-form solutions moved
// by whole turns next to ref, those whose point is q within tol, the
// nearest to ref; the one whose point is nearest to q when none is.
AnglesCyclide anglesSuivis(const ParamCyclide& p, const Coord3& q, const AnglesCyclide& ref,
                           double tol) {
    AnglesCyclide sol[4];
    quatreSolutions(p, q, sol);
    AnglesCyclide retenu = ref, proche = ref;
    double pas = std::numeric_limits<double>::infinity();
    double ecartMin = std::numeric_limits<double>::infinity();
    for (AnglesCyclide s : sol) {
        s = {auPlusPres(s.theta, ref.theta), auPlusPres(s.psi, ref.psi)};
        const double e = ecartAngles(p, s, q);
        const double d = std::fabs(s.theta - ref.theta) + std::fabs(s.psi - ref.psi);
        if (e <= tol && d < pas) {
            pas = d;
            retenu = s;
        }
        if (e < ecartMin) {
            ecartMin = e;
            proche = s;
        }
    }
    return std::isfinite(pas) ? retenu : proche;
}

} // namespace

MorceauCyclide morceauSuivi(const CyclideRepere& cy, const RBBP& reseau, int pas) {
    const PassageRepere passage = passageRepere(cy.Base, cy.omega);
    const ParamCyclide p = parametres(cy.a, cy.c, cy.mu);
    const Point(&P)[3][3] = reseau.P;
    const double tol = 1e-6 * std::max(P[0][0].distance(P[2][2]), P[0][2].distance(P[2][0]));
    const auto q = [&](double u, double v) { return versRepere(passage, reseau.point(u, v)); };
    double e;
    const AnglesCyclide centre = anglesSansEchelle(p, q(0.5, 0.5), e);
    const auto suivre = [&](double u, double v) {
        AnglesCyclide ang = centre;
        for (int s = 1; s <= pas; ++s) {
            const double f = static_cast<double>(s) / pas;
            ang = anglesSuivis(p, q(0.5 + f * (u - 0.5), 0.5 + f * (v - 0.5)), ang, tol);
        }
        return ang;
    };
    const AnglesCyclide c00 = suivre(0, 0), c22 = suivre(1, 1);
    return {c00.theta, c22.theta, c22.psi, c00.psi};
}

Coord3 pointCyclide(double a, double c, double mu, const AnglesCyclide& angles) {
    return pointDeParametres(parametres(a, c, mu), angles);
}

AnglesCyclide anglesDuPoint(double a, double c, double mu, const Coord3& q, const bool ordre[4][2],
                            double tol) {
    return anglesParametres(parametres(a, c, mu), q, ordre, tol);
}

bool entreModulo(double x, double borne1, double borne2) {
    const double lo = borne1 <= borne2 ? borne1 : borne2;
    const double hi = borne1 <= borne2 ? borne2 : borne1;
    return dansTour(x, lo) <= hi;
}

MorceauCyclide morceauGeneral(const CyclideRepere& cy, const RBBP& reseau) {
    const PassageRepere passage = passageRepere(cy.Base, cy.omega);
    const Coord3 q00 = versRepere(passage, reseau.P[0][0]);
    const Coord3 q22 = versRepere(passage, reseau.P[2][2]);
    const Coord3 qs = versRepere(passage, reseau.point(0.5, 0.5));

    const ParamCyclide p = parametres(cy.a, cy.c, cy.mu);
    const Point(&P)[3][3] = reseau.P;
    const double L = std::max(P[0][0].distance(P[2][2]), P[0][2].distance(P[2][0]));
    const double tol = TOLERANCE_COIN_RELATIVE * L;
    const AnglesCyclide c00 = anglesParametres(p, q00, ORDRE_P00, tol);
    const AnglesCyclide c22 = anglesParametres(p, q22, ORDRE_P22, tol);
    const AnglesCyclide cs = anglesParametres(p, qs, ORDRE_P00, tol);

    MorceauCyclide m;
    m.u0 = c00.theta;
    m.v1 = c00.psi;
    const double u1[3] = {c22.theta, c22.theta - DEUX_PI, c22.theta + DEUX_PI};
    m.u1 = premierQuiContient(u1, [&](double x) { return entreModulo(cs.theta, m.u0, x); });
    const double v0[3] = {-(DEUX_PI - c22.psi), c22.psi, c22.psi + DEUX_PI};
    m.v0 = premierQuiContient(v0, [&](double x) { return entreModulo(cs.psi, x, m.v1); });
    return m;
}

MorceauCyclide morceauToreSphere(const CyclideRepere& cy, const RBBP& reseau) {
    const PassageRepere passage = passageRepere(cy.Base, cy.omega);
    const Coord3 q00 = versRepere(passage, reseau.P[0][0]);
    const Coord3 q22 = versRepere(passage, reseau.P[2][2]);
    const double a = cy.a, b = cy.a, c = cy.c, mu = cy.mu;
    const double t0 = thetaSol1(0, q00[0], q00[1], 0, a, b, c, mu);
    const double t1 = thetaSol(0, q22[0], q22[1], 0, a, b, c, mu);
    const double p0 = psiSol1(t0, q00[0], q00[1], q00[2], a, b, c, mu);
    const double p1 = psiSol1(t1, q22[0], q22[1], q22[2], a, b, c, mu);
    MorceauCyclide m;
    m.u0 = -(DEUX_PI - t0);
    m.u1 = t1;
    m.v0 = p1;
    m.v1 = p0;
    return m;
}

} // namespace cyclide
