#include "Tolerance.h"
#include "conversion/RBBPd.h"
#include "conversion/Residu.h"
#include "noyau/Constantes.h"
#include "surfaces/Cyclide.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace cyclide;

namespace {

// An exact rational biquadratic patch of the torus with tube centre radius a
// and tube radius mu around the z axis (the cyclide a, c = 0, mu in its own
// frame): a quarter of the tube's circle swept along a quarter turn.
RBBPd carreauTore(double a, double mu) {
    RBBPd r;
    const double s = std::sqrt(0.5);
    const double rho[3] = {a + mu, a + mu, a}, z[3] = {0, mu, mu}, wp[3] = {1, s, 1};
    const double cx[3] = {1, 1, 0}, cy[3] = {0, 1, 1}, wc[3] = {1, s, 1};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            r.P[i][j].init(rho[i] * cx[j], rho[i] * cy[j], z[i]);
            r.w[i][j] = wp[i] * wc[j];
        }
    r.a = a;
    r.c = 0;
    r.mu = mu;
    r.omega.init(0, 0, 0);
    for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 3; ++l)
            r.Base[k][l] = (k == l) ? 1 : 0;
    return r;
}

// The same patch moved by a rigid motion (rotation of the given frame
// columns, then translation by t): world = Base q + omega.
void deplacer(RBBPd& r, const double base[3][3], const double t[3]) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double q[3] = {r.P[i][j].getX0(), r.P[i][j].getY0(), r.P[i][j].getZ0()};
            double X[3];
            for (int k = 0; k < 3; ++k)
                X[k] = base[k][0] * q[0] + base[k][1] * q[1] + base[k][2] * q[2] + t[k];
            r.P[i][j].init(X[0], X[1], X[2]);
        }
    for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 3; ++l)
            r.Base[k][l] = base[k][l];
    r.omega.init(t[0], t[1], t[2]);
}

// A right-handed orthonormal frame: rotation about (1, 2, 2)/3 by 0.7 rad.
void repereTourne(double base[3][3]) {
    const double n[3] = {1.0 / 3, 2.0 / 3, 2.0 / 3}, t = 0.7;
    const double c = std::cos(t), s = std::sin(t);
    for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 3; ++l)
            base[k][l] = (k == l ? c : 0) + (1 - c) * n[k] * n[l];
    base[0][1] -= s * n[2];
    base[1][0] += s * n[2];
    base[0][2] += s * n[1];
    base[2][0] -= s * n[1];
    base[1][2] -= s * n[0];
    base[2][1] += s * n[0];
}

} // namespace

TEST(FonctionCyclide, VanishesOnEveryPointOfACyclide) {
    // Cyclides of the three kinds of parameter order (ring, spindle, horned).
    const double params[3][3] = {{5, 3, 4}, {4.3398, 0.985576, 2.0593}, {5, 2, 1}};
    for (const auto& p : params) {
        Cyclide cy(0, DEUX_PI, 0, DEUX_PI, p[0], p[1], p[2]);
        for (int u = 0; u <= 80; u += 7)
            for (int v = 0; v <= 80; v += 5) {
                double x = cy.fx(u, v), y = cy.fy(u, v), z = cy.fz(u, v);
                double echelle = std::pow(x * x + y * y + z * z + p[0] * p[0] + p[2] * p[2], 2);
                EXPECT_TRUE(tol::near(fonctionCyclide(p[0], p[1], p[2], x, y, z), 0,
                                      1e-13 * echelle, 0, "F on the cyclide"));
            }
    }
}

TEST(FonctionCyclide, KnownValuesOffTheSurface) {
    // a = 5, c = 3, mu = 4, b^2 = 16: at the origin F = (16 - 16)^2 - 4 (3 * 4)^2.
    EXPECT_EQ(fonctionCyclide(5, 3, 4, 0, 0, 0), -576.0);
    // (4, 0, 0) is the cyclide point at theta = psi = 0.
    EXPECT_EQ(fonctionCyclide(5, 3, 4, 4, 0, 0), 0.0);
}

TEST(GradientCyclide, MatchesCentralDifferencesOfF) {
    const double pts[4][3] = {{1, 2, 3}, {-0.5, 0.25, 2}, {4, 0, 0}, {0.1, -3, -1}};
    const double params[2][3] = {{5, 3, 4}, {2, 0.5, 3}};
    const double h = 1e-5;
    for (const auto& p : params)
        for (const auto& q : pts) {
            double g[3];
            gradientCyclide(p[0], p[1], p[2], q[0], q[1], q[2], g);
            for (int k = 0; k < 3; ++k) {
                double qp[3] = {q[0], q[1], q[2]}, qm[3] = {q[0], q[1], q[2]};
                qp[k] += h;
                qm[k] -= h;
                double diff = (fonctionCyclide(p[0], p[1], p[2], qp[0], qp[1], qp[2]) -
                               fonctionCyclide(p[0], p[1], p[2], qm[0], qm[1], qm[2])) /
                              (2 * h);
                EXPECT_TRUE(tol::near(g[k], diff, 1e-4, 1e-7, "gradient component"));
            }
        }
}

TEST(GradientCyclide, AgreesWithTheCyclideSurfaceGradient) {
    Cyclide cy(0, DEUX_PI, 0, DEUX_PI, 5, 3, 4);
    for (int u = 3; u <= 80; u += 11)
        for (int v = 1; v <= 80; v += 13) {
            double g[3];
            gradientCyclide(5, 3, 4, cy.fx(u, v), cy.fy(u, v), cy.fz(u, v), g);
            EXPECT_TRUE(tol::near3(g[0], g[1], g[2], cy.gradx(u, v), cy.grady(u, v), cy.gradz(u, v),
                                   1e-9, 1e-12, "gradient"));
        }
}

TEST(ResiduCyclide, ExactTorusPatchHasATinyResidual) {
    RBBPd r = carreauTore(3, 1);
    EXPECT_LT(residuCyclide(r), 1e-14);
}

TEST(ResiduCyclide, ResidualDoesNotDependOnWhereThePatchIs) {
    RBBPd r = carreauTore(3, 1.5);
    double base[3][3];
    repereTourne(base);
    const double t[3] = {10, -4, 7};
    deplacer(r, base, t);
    EXPECT_LT(residuCyclide(r), 1e-13);
}

TEST(ResiduCyclide, PatchOffItsCyclideHasAResidualOfItsDistanceOverItsSize) {
    const double a = 3, mu = 1;
    const double L = carreauTore(a, mu).P[0][0].distance(carreauTore(a, mu).P[2][2]);
    for (double ecart : {1e-6, 1e-3, 0.05}) {
        // The record claims a tube radius that the patch misses by ecart.
        RBBPd r = carreauTore(a, mu);
        r.mu = mu + ecart;
        double R = residuCyclide(r);
        EXPECT_GT(R, 0.2 * ecart / L) << ecart;
        EXPECT_LT(R, 5 * ecart / L) << ecart;
        // A centre moved along the axis by the same amount.
        RBBPd s = carreauTore(a, mu);
        s.omega.init(0, 0, ecart);
        double Rs = residuCyclide(s);
        EXPECT_GT(Rs, 0.2 * ecart / L) << ecart;
        EXPECT_LT(Rs, 5 * ecart / L) << ecart;
    }
}

TEST(ResiduCyclide, NonNumbersAndDegeneratePatchesGiveInfinity) {
    const double inf = std::numeric_limits<double>::infinity();
    RBBPd r = carreauTore(3, 1);
    r.a = std::nan("");
    EXPECT_EQ(residuCyclide(r), inf);
    r = carreauTore(3, 1);
    r.Base[1][2] = std::nan("");
    EXPECT_EQ(residuCyclide(r), inf);
    r = carreauTore(3, 1);
    r.P[1][1].init(std::nan(""), 0, 0);
    EXPECT_EQ(residuCyclide(r), inf);
    // A singular frame.
    r = carreauTore(3, 1);
    for (int k = 0; k < 3; ++k)
        r.Base[k][2] = r.Base[k][0];
    EXPECT_EQ(residuCyclide(r), inf);
    // A patch collapsed to one point has no size.
    RBBPd point = carreauTore(3, 1);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            point.P[i][j].init(4, 0, 0);
    EXPECT_EQ(residuCyclide(point), inf);
}
