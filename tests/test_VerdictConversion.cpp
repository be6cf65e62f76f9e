// The verified conversion: seeded sweeps of parameter sets (random and near
// degenerate, both planes), of torus and sphere nets and of the quoted
// failing sets. A reported kind must carry its patch (residual evaluated on
// the implicit equation), be finite with an orthonormal frame; otherwise the
// verdict is code 0 with a reason. Counts before (the first reading alone)
// and after are printed.
#include "LectureTore.h"
#include "Residu.h"
#include "Scene.h"

#include "CaptureStdout.h"
#include "PiecesCyclide.h"
#include "Tolerance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

const double DEUX_PI = 6.283185307179586;

// Counts of results by code and by residual class (exact, rounded, wrong).
struct Bilan {
    int n[7][3] = {};
    void compter(int code, double residu) {
        const int classe = residu <= RESIDU_EXACT ? 0 : residu <= RESIDU_ADMIS ? 1 : 2;
        ++n[code][code == 0 ? 0 : classe];
    }
    void imprimer(const char* titre) const {
        std::printf("%s: code 0 = %d", titre, n[0][0]);
        for (int c = 1; c <= 6; ++c)
            std::printf(", %d = %d/%d/%d", c, n[c][0], n[c][1], n[c][2]);
        std::printf("  (R <= 1e-9 / <= 1e-3 / above)\n");
    }
    int kindsAbove(int classe) const {
        int s = 0;
        for (int c = 1; c <= 6; ++c)
            s += n[c][classe];
        return s;
    }
};

// What every scene must satisfy: a kind carries its patch within seuil with
// finite parameters, piece and an orthonormal frame and no reason; code 0
// has a reason.
void verifierScene(const Scene& s, double seuil) {
    if (s.typeCyclide == 0) {
        EXPECT_FALSE(s.raison.empty());
        return;
    }
    EXPECT_TRUE(s.raison.empty()) << s.raison;
    EXPECT_LE(s.residu, seuil);
    EXPECT_EQ(s.residu, residuCyclide(s.converti));
    EXPECT_TRUE(std::isfinite(s.converti.a) && std::isfinite(s.converti.c) &&
                std::isfinite(s.converti.mu));
    EXPECT_TRUE(std::isfinite(s.morceau.u0) && std::isfinite(s.morceau.u1) &&
                std::isfinite(s.morceau.v0) && std::isfinite(s.morceau.v1));
    EXPECT_TRUE(tol::orthonormal(s.converti.Base, 1e-12));
}

// The first reading alone, as the conversion gave it before verification.
void compterAvant(const Scene& s, Bilan& avant) {
    RBBPd r(s.Bez);
    MorceauCyclide m;
    const int code = r.calculConversion(s.type, s.entree.choix, m);
    avant.compter(code, code ? residuCyclide(r) : 0);
}

double puissance10(std::mt19937& g, double lo, double hi) {
    return std::pow(10.0, pieces::uniforme(g, lo, hi));
}

double signe(std::mt19937& g) {
    return pieces::uniforme(g, 0, 1) < 0.5 ? -1 : 1;
}

// Angles that nearly coincide (a difference of 1e-12 to 1e-6, sometimes a
// whole turn more), radii from 1e-6 to 1e6, P10 up to +-1e8.
EntreeScene jeuPresqueDegenere(std::mt19937& g) {
    EntreeScene e = pieces::jeuAleatoire(g);
    double* angles[4] = {&e.theta00, &e.theta02, &e.theta20, &e.theta22};
    const int i = static_cast<int>(pieces::uniforme(g, 0, 4)) % 4;
    const int j = (i + 1 + static_cast<int>(pieces::uniforme(g, 0, 3)) % 3) % 4;
    const double tour = pieces::uniforme(g, 0, 1) < 0.2 ? DEUX_PI : 0;
    *angles[j] = *angles[i] + tour + signe(g) * puissance10(g, -12, -6);
    const double echelle = puissance10(g, -6, 6);
    e.rayon *= echelle;
    e.z11 *= echelle;
    e.P10 = pieces::uniforme(g, 0, 1) < 0.5 ? e.P10 * echelle : signe(g) * puissance10(g, 0, 8);
    return e;
}

EntreeScene jeu(double t00, double t02, double t20, double t22, double P10, int choix) {
    EntreeScene e;
    e.theta00 = t00;
    e.theta02 = t02;
    e.theta20 = t20;
    e.theta22 = t22;
    e.rayon = 4;
    e.z11 = 8;
    e.P10 = P10;
    e.choix = choix;
    return e;
}

} // namespace

TEST(VerdictConversion, ParameterSweepReportsOnlyCarryingKinds) {
    std::mt19937 g(20261208u);
    Bilan avant, apres, avantDeg, apresDeg;
    int decades[6] = {};
    CaptureStdout silence;
    for (int k = 0; k < 12000; ++k) {
        const bool degenere = k >= 10000;
        EntreeScene e = degenere ? jeuPresqueDegenere(g) : pieces::jeuAleatoire(g);
        for (int choix : {1, 0}) {
            e.choix = choix;
            const Scene s = construireScene(e);
            verifierScene(s, RESIDU_ADMIS);
            compterAvant(s, degenere ? avantDeg : avant);
            (degenere ? apresDeg : apres).compter(s.typeCyclide, s.residu);
            if (degenere && s.typeCyclide != 0 && s.residu > RESIDU_EXACT)
                ++decades[std::min(5, static_cast<int>(std::log10(s.residu) + 9))];
        }
    }
    avant.imprimer("random sets, before");
    apres.imprimer("random sets, after ");
    avantDeg.imprimer("near-degenerate sets, before");
    apresDeg.imprimer("near-degenerate sets, after ");
    std::printf("near-degenerate kinds by residual, 1e-9 < R <= 1e-3, decade from 1e-9:");
    for (int d : decades)
        std::printf(" %d", d);
    std::printf("\n");
    // Well-conditioned sets are exact data: every kind carries within 1e-9.
    EXPECT_EQ(apres.kindsAbove(1), 0);
    EXPECT_EQ(avant.kindsAbove(0), apres.kindsAbove(0)); // no exact result lost
    EXPECT_GT(apres.kindsAbove(0), 8000);
}

TEST(VerdictConversion, QuotedSetsGiveCodeZeroOrACarryingCyclide) {
    const double pi = 3.141592653589793, t = 1.5707963267948966, s = -1.0471975511965976;
    const EntreeScene cas[] = {jeu(0, t, s, 1e-08, -7.982, 1), jeu(0, 1e-08, s, pi, -7.982, 1),
                               jeu(0, t, s, pi, -1e8, 0), jeu(0, t, s, DEUX_PI, -7.982, 1)};
    for (const EntreeScene& e : cas) {
        CaptureStdout silence;
        const Scene sc = construireScene(e);
        verifierScene(sc, RESIDU_EXACT);
        std::printf("quoted set: type %d, code %d, residu %g, raison '%s'\n", sc.type,
                    sc.typeCyclide, sc.residu, sc.raison.c_str());
    }
}

// Torus, crossed-torus and sphere nets in both orientations through the
// torus case: each must give its kind, carry its patch exactly, and its
// piece's corners must be the patch's.
TEST(VerdictConversion, TorusAndSphereNetsCarryTheirPatchWithTrueCorners) {
    std::mt19937 g(4242u);
    const pieces::Genre genres[3] = {pieces::SPHERE, pieces::CROISE, pieces::COLLIER};
    Bilan avant, apres;
    int faux = 0, nets = 0;
    for (int k = 0; k < 900; ++k) {
        const pieces::Genre genre = genres[k % 3];
        RBBPd net;
        if (!pieces::pieceAleatoire(genre, g, puissance10(g, -6, 6), net))
            continue;
        for (const RBBPd& r : {net, transpose(net)}) {
            ++nets;
            const int choix = k % 2;
            CaptureStdout silence;
            const Scene s = construireSceneCarreau(r, 2, choix);
            compterAvant(s, avant);
            apres.compter(s.typeCyclide, s.residu);
            EXPECT_EQ(s.typeCyclide, genre) << "net " << k;
            EXPECT_LE(s.residu, RESIDU_EXACT) << "net " << k;
            EXPECT_TRUE(tol::orthonormal(s.converti.Base, 1e-12));
            const bool fidele = morceauFidele(s.converti, s.morceau, 1e-9);
            EXPECT_TRUE(fidele) << "net " << k;
            faux += !fidele;
        }
    }
    std::printf("torus and sphere nets: %d\n", nets);
    avant.imprimer("torus/sphere nets, before");
    apres.imprimer("torus/sphere nets, after ");
    std::printf("  pieces whose corners are not the patch's: %d\n", faux);
}
