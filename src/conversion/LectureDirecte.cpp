#include "conversion/LectureDirecte.h"

#include <Eigen/Dense>

#include <cmath>

namespace cyclide {

namespace {

using V3 = Eigen::Vector3d;

V3 vers(const Point& p) {
    return {p.getX0(), p.getY0(), p.getZ0()};
}

// A boundary circle: its plane's unit normal, its centre, and the corner
// where the patch's normal is taken.
struct Cercle {
    V3 normale, centre, coin, normaleCarreau;
    bool fini = false;
};

// The circle of the arc with control polygon Q0 Q1 Q2: tangent to Q0 Q1 at
// Q0 and through Q2, so its centre is Q0 + s w with w the unit vector of
// the plane perpendicular to Q0 Q1 and s = |Q0 Q2|^2 / (2 w . Q0Q2).
// coteAutre is the other boundary's control point next to Q0: the patch's
// normal at Q0 is perpendicular to both tangents.
Cercle cercle(const V3& Q0, const V3& Q1, const V3& Q2, const V3& coteAutre) {
    Cercle k;
    const V3 T = Q1 - Q0, C = Q2 - Q0;
    const V3 n = T.cross(C);
    if (!(n.norm() > 0))
        return k;
    k.normale = n.normalized();
    const V3 w = k.normale.cross(T).normalized();
    const double s = C.squaredNorm() / (2 * w.dot(C));
    k.centre = Q0 + s * w;
    k.coin = Q0;
    k.normaleCarreau = T.cross(coteAutre - Q0).normalized();
    k.fini = k.centre.allFinite() && k.normaleCarreau.allFinite();
    return k;
}

// The point of the line P + s d nearest to the line Q + t e.
V3 pointLePlusProche(const V3& P, const V3& d, const V3& Q, const V3& e) {
    const V3 w0 = P - Q;
    const double aa = d.dot(d), bb = d.dot(e), cc = e.dot(e), dd = d.dot(w0), ee = e.dot(w0);
    return P + (bb * ee - cc * dd) / (aa * cc - bb * bb) * d;
}

// The centre of the sphere that touches the cyclide along the circle: where
// the patch's normal at the corner meets the circle's axis.
V3 centreSphere(const Cercle& k) {
    return pointLePlusProche(k.coin, k.normaleCarreau, k.centre, k.normale);
}

// The line where the planes of two circles meet (point, unit direction);
// false when the planes are parallel to rounding.
bool axePinceau(const Cercle& k0, const Cercle& k1, V3& point, V3& direction) {
    const V3 d = k0.normale.cross(k1.normale);
    if (!(d.norm() > 1e-14))
        return false;
    direction = d.normalized();
    Eigen::Matrix3d M;
    M.row(0) = k0.normale;
    M.row(1) = k1.normale;
    M.row(2) = direction;
    const V3 rhs(k0.normale.dot(k0.centre), k1.normale.dot(k1.centre), direction.dot(k0.centre));
    point = M.partialPivLu().solve(rhs);
    return point.allFinite();
}

CyclideRepere placer(double a, double c, double mu, const V3& omega, const V3& i0, const V3& j0,
                     const V3& k0) {
    CyclideRepere cy;
    cy.a = a;
    cy.c = c;
    cy.mu = mu;
    cy.omega.init(omega.x(), omega.y(), omega.z());
    for (int r = 0; r < 3; ++r) {
        cy.Base[r][0] = i0(r);
        cy.Base[r][1] = j0(r);
        cy.Base[r][2] = k0(r);
    }
    return cy;
}

// The general readings with the circles t (theta = const) and p
// (psi = const): both signs of c / a.
void lecturesGenerales(const Cercle t[2], const Cercle p[2], std::vector<CyclideCandidate>& res) {
    V3 pt, dt, pp, dp;
    if (!axePinceau(t[0], t[1], pt, dt) || !axePinceau(p[0], p[1], pp, dp))
        return;
    const V3 k0 = dt;
    const V3 j0 = (dp - dp.dot(k0) * k0).normalized();
    const V3 i0 = j0.cross(k0);
    const V3 Ft = pointLePlusProche(pt, dt, pp, dp), Fp = pointLePlusProche(pp, dp, pt, dt);
    const double Xt = i0.dot(Ft), Xp = i0.dot(Fp), yc = j0.dot(Ft), zc = k0.dot(Fp);
    double kappa = 0;
    V3 E[2];
    for (int k = 0; k < 2; ++k) {
        E[k] = centreSphere(t[k]);
        kappa += (E[k] - t[k].coin).norm() / (Xp - i0.dot(E[k])) / 2;
    }
    for (const double signe : {1.0, -1.0}) {
        const double K = signe * kappa, K2 = K * K;
        if (!(K2 < 1))
            continue;
        const double xc = (Xt - Xp * K2) / (1 - K2);
        const double mu = (Xt - xc) / K;
        double a2 = 0;
        for (const V3& e : E) {
            const double x = i0.dot(e) - xc, y = j0.dot(e) - yc;
            a2 += (x * x + y * y / (1 - K2)) / 2;
        }
        const double a = std::sqrt(a2);
        CyclideCandidate cand;
        cand.cyclide = placer(a, K * a, mu, xc * i0 + yc * j0 + zc * k0, i0, j0, k0);
        if (cyclideFinie(cand.cyclide))
            res.push_back(cand);
    }
}

// The torus reading with the meridians m: the axis where their planes meet,
// the centre of the sphere of the first meridian (on the circle of the
// tube's centres), mu its radius.
void lectureTore(const Cercle m[2], std::vector<CyclideCandidate>& res) {
    V3 pa, k0;
    if (!axePinceau(m[0], m[1], pa, k0))
        return;
    const V3 E = centreSphere(m[0]);
    const V3 omega = pa + (E - pa).dot(k0) * k0;
    const V3 rayon = E - omega;
    V3 i0 = rayon.norm() > 0 ? rayon.normalized() : k0.unitOrthogonal();
    i0 = (i0 - i0.dot(k0) * k0).normalized();
    CyclideCandidate cand;
    cand.tore = true;
    cand.cyclide = placer(rayon.norm(), 0, (E - m[0].coin).norm(), omega, i0, k0.cross(i0), k0);
    if (cyclideFinie(cand.cyclide))
        res.push_back(cand);
}

} // namespace

std::vector<CyclideCandidate> lecturesDirectes(const RBBP& net) {
    V3 P[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            P[i][j] = vers(net.P[i][j]);
    // Boundaries u = 0, u = 1 (v varies) and v = 0, v = 1 (u varies), each
    // taken at a corner with the other boundary's neighbour point.
    const Cercle u[2] = {cercle(P[0][0], P[0][1], P[0][2], P[1][0]),
                         cercle(P[2][0], P[2][1], P[2][2], P[1][0])};
    const Cercle v[2] = {cercle(P[0][0], P[1][0], P[2][0], P[0][1]),
                         cercle(P[0][2], P[1][2], P[2][2], P[0][1])};
    std::vector<CyclideCandidate> res;
    const bool uFinis = u[0].fini && u[1].fini, vFinis = v[0].fini && v[1].fini;
    if (uFinis && vFinis) {
        lecturesGenerales(u, v, res);
        lecturesGenerales(v, u, res);
    }
    // A boundary collapsed to a point (a pole) gives no circle: the torus
    // or sphere is still read from the meridians on either side of it.
    if (uFinis)
        lectureTore(u, res);
    if (vFinis)
        lectureTore(v, res);
    return res;
}

} // namespace cyclide
