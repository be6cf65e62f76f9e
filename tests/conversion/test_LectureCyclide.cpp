// The reading of the cyclide: where the literal first reading fails, the
// second reading finds the cyclide that carries the patch, for every kind.
#include "conversion/LectureCyclide.h"
#include "conversion/RBBPd.h"

#include "CasTravailles.h"
#include "RecordingGL.h"
#include "SurCyclide.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

using namespace cyclide;

namespace {

// Both planes: the expected kind and parameters, a residual at rounding
// level, and a piece on the patch.
void verifieCyclide(const Parametres& p, int code, double a, double c, double mu) {
    int type;
    const RBBPd net = construit(p, type);
    ASSERT_EQ(type, 1);
    for (int choix : {1, 0}) {
        RBBPd r(net);
        MorceauCyclide m;
        CaptureStdout silence;
        EXPECT_EQ(codeGenre(r.calculConversion(type, choix, m)), code) << "plane " << choix;
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
    verifieCyclide(
        degres(1, 139, 77, 35, 0.71487487725493581, -6.5481066164201955, -2.5801392572424362), 2,
        0.254314555171488, 0.0798473997667741, 0.521261919378454);
}

TEST(ConversionMend, HornedSetIsReadAsAHorned) {
    verifieCyclide(
        degres(143, 147, -114, -130, 6.6488205942292993, -9.7006133723129189, 1.2279041794129792),
        3, 6.94968298188158, 0.678111391817617, 0.252429231131087);
}

TEST(ConversionMend, SwappedFrameSetGivesItsRing) {
    verifieCyclide(
        degres(-34, -166, -16, 135, 6.0638132991244271, 2.4547203334691652, 4.4814880741414935), 1,
        28.1426521876392, 17.4858298599793, 27.4222689357909);
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
        // Drawn one after the other, in this order.
        const int t00 = angle(gen), t02 = angle(gen), t20 = angle(gen), t22 = angle(gen);
        const double R = rayon(gen), z11 = libre(gen), P10 = libre(gen);
        int type;
        const RBBPd net = construit(degres(t00, t02, t20, t22, R, z11, P10), type);
        ++types[type];
        if (type == 0 && std::fabs(net.w[1][1]) < 1e-9)
            ++refusPoids;
        for (int choix : {1, 0}) {
            RBBPd r(net);
            MorceauCyclide m;
            CaptureStdout silence;
            const int code = codeGenre(r.calculConversion(type, choix, m));
            ++codes[choix][code];
            if (code != 0) {
                EXPECT_LE(residuCyclide(r), 1e-9) << "set " << k << " plane " << choix;
                EXPECT_TRUE(cyclideFinie(r)) << "set " << k;
                EXPECT_TRUE(morceauSurLeCarreau(r, m)) << "set " << k << " plane " << choix;
            }
            if (k % 50 == 0) {
                RBBPd d(net);
                glrec::reset();
                EXPECT_EQ(codeGenre(d.conversion(type, choix)), code);
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
