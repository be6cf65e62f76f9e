// The conversion checks its general cyclide against the patch: a net whose
// middle weight vanishes is refused, a cyclide that does not carry the patch
// is read again from the meeting points (pairing, frame, roles, kind), the
// drawn piece has the patch's corners as its corners and holds its centre,
// and a cyclide with a non-number is refused.
#include "RBBPd.h"

#include "CaptureStdout.h"
#include "RecordingGL.h"
#include "Residu.h"
#include "Tolerance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

const double DEUX_PI = 6.283185307179586;
const double PI = 3.141592653589793;

double rad(int degres) {
    return (degres * DEUX_PI) / 360;
}

struct Jeu {
    int t00, t02, t20, t22; // degrees
    double R, z11, P10;
};

RBBPd construit(const Jeu& p, int& type) {
    RBBPd r;
    CaptureStdout silence;
    type = r.convertToCD4(rad(p.t00), rad(p.t02), rad(p.t20), rad(p.t22), p.R, p.z11, p.P10);
    return r;
}

// The Dupin cyclide's point at (theta, psi) in its own frame.
void pointCyclide(double a, double c, double mu, double t, double p, double q[3]) {
    const double b = std::sqrt(a * a - c * c);
    const double D = a - c * std::cos(t) * std::cos(p);
    q[0] = (mu * (c - a * std::cos(t) * std::cos(p)) + b * b * std::cos(t)) / D;
    q[1] = b * std::sin(t) * (a - mu * std::cos(p)) / D;
    q[2] = b * std::sin(p) * (c * std::cos(t) - mu) / D;
}

double distance3(const double p[3], const double q[3]) {
    return std::sqrt((p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1]) +
                     (p[2] - q[2]) * (p[2] - q[2]));
}

void pointCarreau(const RBBP& r, double u, double v, double q[3]) {
    const double d = r.den(u, v);
    q[0] = r.numX(u, v) * d;
    q[1] = r.numY(u, v) * d;
    q[2] = r.numZ(u, v) * d;
}

double diagonale(const RBBPd& r) {
    return std::max(r.P[0][0].distance(r.P[2][2]), r.P[0][2].distance(r.P[2][0]));
}

bool cyclideFinie(const RBBPd& r) {
    bool ok = std::isfinite(r.a) && std::isfinite(r.c) && std::isfinite(r.mu) &&
              std::isfinite(r.omega.getX0()) && std::isfinite(r.omega.getY0()) &&
              std::isfinite(r.omega.getZ0());
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            ok = ok && std::isfinite(r.Base[i][j]);
    return ok;
}

// x between the two bounds modulo 2 pi (a margin of 1e-9 for rounding).
bool entreModulo(double x, double b1, double b2) {
    const double lo = std::min(b1, b2), hi = std::max(b1, b2);
    double r = std::fmod(x - lo, DEUX_PI);
    if (r < 0)
        r += DEUX_PI;
    return lo + r <= hi + 1e-9;
}

// The piece's four corners (u0, v0), (u0, v1), (u1, v0), (u1, v1) are the
// patch's four corners, each matched once within 1e-8 L, and the angles of
// the patch centre (found here by brute force on the four half-turn
// combinations of an exact inversion) lie inside the piece.
::testing::AssertionResult morceauSurLeCarreau(const RBBPd& converti, const MorceauCyclide& m) {
    const double L = diagonale(converti);
    RBBPd repere(converti);
    repere.changementBase();
    double coins[4][3];
    const int ij[4][2] = {{0, 0}, {0, 2}, {2, 0}, {2, 2}};
    for (int k = 0; k < 4; ++k)
        pointCarreau(repere, ij[k][0] / 2.0, ij[k][1] / 2.0, coins[k]);
    const double uv[4][2] = {{m.u0, m.v0}, {m.u0, m.v1}, {m.u1, m.v0}, {m.u1, m.v1}};
    int utilises = 0;
    for (const auto& a : uv) {
        double q[3];
        pointCyclide(converti.a, converti.c, converti.mu, a[0], a[1], q);
        int proche = -1;
        for (int k = 0; k < 4; ++k)
            if (distance3(q, coins[k]) <= 1e-8 * L)
                proche = k;
        if (proche < 0)
            return ::testing::AssertionFailure()
                   << "piece corner (" << a[0] << ", " << a[1] << ") is on no patch corner";
        utilises |= 1 << proche;
    }
    if (utilises != 15)
        return ::testing::AssertionFailure() << "two piece corners on one patch corner";

    double s[3];
    pointCarreau(repere, 0.5, 0.5, s);
    const double a = converti.a, c = converti.c, mu = converti.mu;
    const double b = std::sqrt(a * a - c * c);
    const double X = a * s[0] - c * mu, Y = b * s[1];
    double meilleur = -1, ts = 0, ps = 0;
    for (int i = 0; i < 2; ++i) {
        const double t = std::atan2(Y, X) + i * PI;
        const double p0 = std::atan2(b * s[2], std::cos(t) * X + std::sin(t) * Y - b * b);
        for (int j = 0; j < 2; ++j) {
            double q[3];
            pointCyclide(a, c, mu, t, p0 + j * PI, q);
            const double e = distance3(q, s);
            if (meilleur < 0 || e < meilleur) {
                meilleur = e;
                ts = t;
                ps = p0 + j * PI;
            }
        }
    }
    if (!(meilleur <= 1e-8 * L))
        return ::testing::AssertionFailure() << "centre off the cyclide by " << meilleur / L;
    if (!entreModulo(ts, m.u0, m.u1) || !entreModulo(ps, m.v0, m.v1))
        return ::testing::AssertionFailure()
               << "centre (" << ts << ", " << ps << ") outside [" << m.u0 << ", " << m.u1 << "] x ["
               << m.v0 << ", " << m.v1 << "]";
    return ::testing::AssertionSuccess();
}

// The right-handed orthonormal frame check.
::testing::AssertionResult repereDirect(const RBBPd& r) {
    auto ortho = tol::orthonormal(r.Base, 1e-12);
    if (!ortho)
        return ortho;
    const double det = r.Base[0][0] * (r.Base[1][1] * r.Base[2][2] - r.Base[1][2] * r.Base[2][1]) -
                       r.Base[0][1] * (r.Base[1][0] * r.Base[2][2] - r.Base[1][2] * r.Base[2][0]) +
                       r.Base[0][2] * (r.Base[1][0] * r.Base[2][1] - r.Base[1][1] * r.Base[2][0]);
    if (std::fabs(det - 1) > 1e-12)
        return ::testing::AssertionFailure() << "determinant " << det;
    return ::testing::AssertionSuccess();
}

// Both planes: the expected kind and parameters, a residual at rounding
// level, and a piece on the patch.
void verifieCyclide(const Jeu& p, int code, double a, double c, double mu) {
    int type;
    const RBBPd net = construit(p, type);
    ASSERT_EQ(type, 1);
    for (int choix : {1, 0}) {
        RBBPd r(net);
        MorceauCyclide m;
        CaptureStdout silence;
        EXPECT_EQ(r.calculConversion(type, choix, m), code) << "plane " << choix;
        EXPECT_TRUE(tol::near(r.a, a, 0, 1e-9, "a"));
        EXPECT_TRUE(tol::near(r.c, c, 0, 1e-9, "c"));
        EXPECT_TRUE(tol::near(r.mu, mu, 0, 1e-9, "mu"));
        EXPECT_LT(residuCyclide(r), 1e-13);
        EXPECT_TRUE(repereDirect(r));
        EXPECT_TRUE(morceauSurLeCarreau(r, m));
    }
}

} // namespace

// The literal reading of these sets pairs or sizes the meeting circles
// wrongly and calls all three a ring whose residual is 0.09 to 1.8.
TEST(ConversionMend, SpindleSetIsReadAsASpindle) {
    verifieCyclide({1, 139, 77, 35, 0.71487487725493581, -6.5481066164201955, -2.5801392572424362},
                   2, 0.254314555171488, 0.0798473997667741, 0.521261919378454);
}

TEST(ConversionMend, HornedSetIsReadAsAHorned) {
    verifieCyclide(
        {143, 147, -114, -130, 6.6488205942292993, -9.7006133723129189, 1.2279041794129792}, 3,
        6.94968298188158, 0.678111391817617, 0.252429231131087);
}

TEST(ConversionMend, SwappedFrameSetGivesItsRing) {
    verifieCyclide(
        {-34, -166, -16, 135, 6.0638132991244271, 2.4547203334691652, 4.4814880741414935}, 1,
        28.1426521876392, 17.4858298599793, 27.4222689357909);
}

// Both middle weights are zero here (the terms of each numerator cancel):
// they agree, but the net lies on no Dupin cyclide.
TEST(ConversionMend, VanishingMiddleWeightIsNotConvertible) {
    int type;
    const RBBPd net = construit(
        {20, -42, -15, -175, 1.6820939151577603, -4.5893262086631657, -5.3921341881775433}, type);
    EXPECT_LT(std::fabs(net.w[1][1]), 1e-9);
    EXPECT_EQ(type, 0);
}

// The start-up patch keeps its literal piece: u0 = thetaSol1 of P00,
// v0 = -(2 pi - p1), with the values of the worked example.
TEST(ConversionMend, StartUpPatchKeepsItsPiece) {
    RBBPd r;
    const int type = r.convertToCD4(0, rad(90), rad(-60), rad(180), 4, 8, -7.982);
    ASSERT_EQ(type, 1);
    for (int choix : {1, 0}) {
        RBBPd c(r);
        MorceauCyclide m;
        ASSERT_EQ(c.calculConversion(type, choix, m), 1);
        EXPECT_TRUE(tol::near(m.u0, 4.7012, 1e-4, 0, "u0"));
        EXPECT_TRUE(tol::near(m.u1, 2.8489, 1e-4, 0, "u1"));
        EXPECT_TRUE(tol::near(m.v0, -1.6141, 1e-4, 0, "v0"));
        EXPECT_TRUE(tol::near(m.v1, 1.2787, 1e-4, 0, "v1"));
        EXPECT_TRUE(morceauSurLeCarreau(c, m));
    }
}

// A patch 4000 times smaller than the start-up patch: the solvers' absolute
// thresholds would give pi/2; the piece must have the same angles as the
// full-size one and still sit on the patch.
TEST(ConversionMend, TinyPatchGetsTheAnglesOfItsFullSizeTwin) {
    RBBPd grand, petit;
    const double k = 4000;
    ASSERT_EQ(grand.convertToCD4(0, rad(90), rad(-60), rad(180), 4, 8, -7.982), 1);
    ASSERT_EQ(petit.convertToCD4(0, rad(90), rad(-60), rad(180), 4 / k, 8 / k, -7.982 / k), 1);
    for (int choix : {1, 0}) {
        RBBPd g(grand), p(petit);
        MorceauCyclide mg, mp;
        ASSERT_EQ(g.calculConversion(1, choix, mg), 1);
        ASSERT_EQ(p.calculConversion(1, choix, mp), 1);
        EXPECT_TRUE(tol::near(p.a * k, g.a, 0, 1e-9, "a"));
        EXPECT_LT(residuCyclide(p), 1e-12);
        EXPECT_TRUE(tol::near(mp.u0, mg.u0, 1e-9, 0, "u0"));
        EXPECT_TRUE(tol::near(mp.u1, mg.u1, 1e-9, 0, "u1"));
        EXPECT_TRUE(tol::near(mp.v0, mg.v0, 1e-9, 0, "v0"));
        EXPECT_TRUE(tol::near(mp.v1, mg.v1, 1e-9, 0, "v1"));
        EXPECT_TRUE(morceauSurLeCarreau(p, mp));
    }
}

// A seeded sweep: every convertible set reported with a kind has a cyclide
// that carries the patch, finite parameters and a piece on the patch; the
// drawing forms give the same numbers.
TEST(ConversionMend, SweepEveryKindCarriesThePatch) {
    std::mt19937 gen(20240601u);
    std::uniform_int_distribution<int> angle(-180, 180);
    std::uniform_real_distribution<double> rayon(0.5, 10), libre(-10, 10);
    const int N = 2000;
    int types[3] = {0, 0, 0}, refusPoids = 0;
    int codes[2][7] = {{0}, {0}};
    glrec::setRecordFull(false);
    for (int k = 0; k < N; ++k) {
        Jeu p;
        p.t00 = angle(gen);
        p.t02 = angle(gen);
        p.t20 = angle(gen);
        p.t22 = angle(gen);
        p.R = rayon(gen);
        p.z11 = libre(gen);
        p.P10 = libre(gen);
        int type;
        const RBBPd net = construit(p, type);
        ++types[type];
        if (type == 0 && std::fabs(net.w[1][1]) < 1e-9)
            ++refusPoids;
        for (int choix : {1, 0}) {
            RBBPd r(net);
            MorceauCyclide m;
            CaptureStdout silence;
            const int code = r.calculConversion(type, choix, m);
            ++codes[choix][code];
            if (code != 0) {
                EXPECT_LE(residuCyclide(r), 1e-9) << "set " << k << " plane " << choix;
                EXPECT_TRUE(cyclideFinie(r)) << "set " << k;
                EXPECT_TRUE(morceauSurLeCarreau(r, m)) << "set " << k << " plane " << choix;
            }
            if (k % 50 == 0) {
                RBBPd d(net);
                glrec::reset();
                EXPECT_EQ(d.conversion(type, choix), code);
                EXPECT_EQ(d.a, r.a);
                EXPECT_EQ(d.c, r.c);
                EXPECT_EQ(d.mu, r.mu);
                EXPECT_EQ(d.omega.getX0(), r.omega.getX0());
                EXPECT_EQ(d.Base[2][1], r.Base[2][1]);
            }
        }
    }
    glrec::setRecordFull(true);
    std::printf("mended sweep: %d sets; types 0 = %d (%d of them with |w11| < 1e-9), "
                "1 = %d, 2 = %d\n",
                N, types[0], refusPoids, types[1], types[2]);
    const char* noms[2] = {"Py", "Pz"};
    for (int choix : {1, 0})
        std::printf("  plane %s: codes 0 = %d, 1 ring = %d, 2 spindle = %d, 3 horned = %d\n",
                    noms[choix], codes[choix][0], codes[choix][1], codes[choix][2],
                    codes[choix][3]);
    EXPECT_GT(codes[1][2], 0);
    EXPECT_GT(codes[1][3], 0);
    EXPECT_GT(refusPoids, 0);
}
