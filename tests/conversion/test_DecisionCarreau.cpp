// Nets given directly and torus nets: random pieces of every kind written as
// nets (both orientations) are read as their kind by a cyclide that carries
// them; torus and sphere nets through the torus case carry their patch with
// a piece whose corners are the patch's; perturbed nets are refused with a
// reason; the arc test; a net of the seven parameters gives what they give.
#include "conversion/DecisionCarreau.h"
#include "conversion/LectureTore.h"
#include "conversion/Reseau.h"
#include "fichiers/LectureCarreau.h"
#include "scene/Scene.h"

#include "CaptureStdout.h"
#include "PiecesCyclide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <sstream>
#include <string>

using namespace cyclide;

namespace {

Scene sceneReseau(const RBBP& net, PlanConversion plan) {
    CaptureStdout silence; // diagnostics of the plane constructions
    return construireSceneReseau(net, plan);
}

} // namespace

TEST(DecisionCarreau, RandomPiecesOfEveryKindAreReadAsTheirKind) {
    std::mt19937 g(1812u);
    pieces::Bilan avant, apres, avantTore, apresTore;
    int nets[7] = {}, fideles[7] = {};
    for (int k = 0; k < 1200; ++k) {
        const pieces::Genre genre = static_cast<pieces::Genre>(1 + k % 6);
        RBBPd net;
        if (!pieces::pieceAleatoire(genre, g, std::pow(10.0, pieces::uniforme(g, -6, 6)), net))
            continue;
        const RBBPd lu = (k / 6) % 2 ? transpose(net) : net; // both orientations
        const Scene s = sceneReseau(lu, k % 2 == 1 ? PlanConversion::Pz : PlanConversion::Py);
        const pieces::Premiere p = pieces::premiereLecture(s);
        avant.compter(p.code, p.residu);
        apres.compter(codeGenre(s.typeCyclide), s.residu);
        ++nets[genre];
        EXPECT_EQ(codeGenre(s.typeCyclide), genre) << "net " << k << ": " << s.raison;
        EXPECT_LE(s.residu, RESIDU_EXACT) << "net " << k;
        fideles[genre] += morceauFidele(s.converti, s.morceau, 1e-9);
        if (genre < pieces::SPHERE)
            continue;
        CaptureStdout silence;
        const Scene t = construireSceneCarreau(
            lu, 2, k % 2 == 1 ? PlanConversion::Pz : PlanConversion::Py); // the torus case
        const pieces::Premiere pt = pieces::premiereLecture(t);
        avantTore.compter(pt.code, pt.residu);
        if (pt.code == genre && pt.residu <= RESIDU_EXACT &&
            morceauFidele(pt.rec, pt.morceau, 1e-9)) { // right already: kept bit for bit
            EXPECT_TRUE(pieces::memeResultat(pt, t)) << "net " << k;
        }
        apresTore.compter(codeGenre(t.typeCyclide), t.residu);
        EXPECT_EQ(codeGenre(t.typeCyclide), genre) << "net " << k;
        EXPECT_LE(t.residu, RESIDU_EXACT) << "net " << k;
        EXPECT_TRUE(morceauFidele(t.converti, t.morceau, 1e-9)) << "net " << k;
    }
    avant.imprimer("given nets, before");
    apres.imprimer("given nets, after ");
    avantTore.imprimer("torus case, before");
    apresTore.imprimer("torus case, after ");
    std::printf("nets per kind 1..6: %d %d %d %d %d %d; pieces with the patch's corners within "
                "1e-9: %d %d %d %d %d %d\n",
                nets[1], nets[2], nets[3], nets[4], nets[5], nets[6], fideles[1], fideles[2],
                fideles[3], fideles[4], fideles[5], fideles[6]);
    EXPECT_GT(apres.kinds(0), 1100);
}

// One number of a carrying net moved by 1e-3 of the net's size (a weight by
// 1e-3 of itself): the verdict must be code 0 with a reason.
struct Perturbation {
    int i, j;
    int composante; // 0..2 a coordinate, 3 the weight
};

void PrintTo(const Perturbation& p, std::ostream* os) {
    const char* noms[4] = {"P.x", "P.y", "P.z", "w"};
    *os << noms[p.composante] << p.i << p.j;
}

class Perturbe : public ::testing::TestWithParam<Perturbation> {};

TEST_P(Perturbe, MovedNetIsRefused) {
    const Perturbation p = GetParam();
    for (pieces::Genre genre : {pieces::RING, pieces::HORNED, pieces::COLLIER}) {
        std::mt19937 g(77u + genre);
        RBBPd net;
        while (!pieces::pieceAleatoire(genre, g, 3, net)) {
        }
        ASSERT_NE(codeGenre(sceneReseau(net, PlanConversion::Pz).typeCyclide), 0) << genre;
        const double d = 1e-3 * net.P[0][0].distance(net.P[2][2]);
        Point& P = net.P[p.i][p.j];
        const double x[3] = {P.getX0(), P.getY0(), P.getZ0()};
        P.init(x[0] + (p.composante == 0) * d, x[1] + (p.composante == 1) * d,
               x[2] + (p.composante == 2) * d);
        net.w[p.i][p.j] *= p.composante == 3 ? 1 + 1e-3 : 1;
        for (PlanConversion plan : {PlanConversion::Pz, PlanConversion::Py}) {
            const Scene s = sceneReseau(net, plan);
            EXPECT_EQ(codeGenre(s.typeCyclide), 0) << "kind " << genre << " residu " << s.residu;
            EXPECT_FALSE(s.raison.empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Nombres, Perturbe,
                         ::testing::Values(Perturbation{1, 1, 3}, Perturbation{0, 1, 3},
                                           Perturbation{2, 2, 3}, Perturbation{1, 1, 2},
                                           Perturbation{0, 1, 0}, Perturbation{1, 2, 1},
                                           Perturbation{2, 0, 2}));

TEST(DecisionCarreau, ArcsOfCirclesAndTheRefusalNamingTheBoundary) {
    const double r2 = 0.7071067811865476; // cos 45 degrees: the quarter circle
    const Point A(1, 0, 0), B(1, 1, 0), C(0, 1, 0);
    struct {
        Point Q1;
        double w0, w1, w2;
        bool cercle;
    } lignes[] = {{B, 4, 4 * r2, 4, true},
                  {B, 1, -r2, 1, true}, // complementary arc
                  {B, 1, 0.7, 1, false},
                  {Point(1, 2, 0), 1, r2, 1, false},
                  {Point(0.5, 0.5, 0), 1, 1, 1, false},
                  {B, 1, r2, -1, false}};
    for (const auto& l : lignes) {
        const Resultat<void> arc = arcDeCercle(A, l.Q1, C, l.w0, l.w1, l.w2, 1e-6);
        EXPECT_EQ(arc.ok(), l.cercle) << arc.raison;
    }
    std::mt19937 g(5u);
    RBBPd net;
    ASSERT_TRUE(pieces::pieceAleatoire(pieces::RING, g, 1, net));
    net.w[2][1] *= 1.01;
    const Scene s = sceneReseau(net, PlanConversion::Pz);
    EXPECT_EQ(s.type + codeGenre(s.typeCyclide), 0);
    EXPECT_NE(s.raison.find("le bord u = 1 (P20 P21 P22)"), std::string::npos) << s.raison;
}

// The net of the seven parameters written with 17 digits and read back, with
// the tolerance the parameters' residual states: the same type and code,
// and the same cyclide to 1e-6 of its size where the parameters' reading is
// exact (the net's is polished, so the last digits may differ).
TEST(DecisionCarreau, NetOfTheSevenParametersGivesTheSameResult) {
    std::mt19937 g(99u);
    int compares = 0;
    for (int k = 0; k < 400; ++k) {
        EntreeScene e = pieces::jeuAleatoire(g);
        e.plan = k % 2 == 1 ? PlanConversion::Pz : PlanConversion::Py;
        CaptureStdout silence;
        const Scene sp = construireScene(e);
        if (codeGenre(sp.typeCyclide) == 0)
            continue;
        std::ostringstream texte;
        texte.precision(17);
        for (int i = 0; i < 9; ++i)
            texte << sp.Bez.P[i / 3][i % 3] << " " << sp.Bez.w[i / 3][i % 3] << "\n";
        std::istringstream is(texte.str());
        const Resultat<RBBP> lu = lireCarreau(is);
        ASSERT_TRUE(lu.ok()) << lu.raison;
        const RBBP& net = lu.valeur;
        const Scene sr =
            construireSceneReseau(net, e.plan, std::max(TOLERANCE_CARREAU, 2 * sp.residu));
        ASSERT_EQ(std::make_tuple(sr.type, codeGenre(sr.typeCyclide)),
                  std::make_tuple(sp.type, codeGenre(sp.typeCyclide)))
            << sr.raison << " net a c mu " << sr.converti.a << " " << sr.converti.c << " "
            << sr.converti.mu << " R " << sr.residu << " parameters " << sp.converti.a << " "
            << sp.converti.c << " " << sp.converti.mu << " R " << sp.residu;
        const double taille = std::max(std::fabs(sp.converti.a), std::fabs(sp.converti.mu));
        if (sp.residu <= RESIDU_EXACT) {
            EXPECT_NEAR(std::fabs(sr.converti.a), std::fabs(sp.converti.a), 1e-6 * taille);
            EXPECT_NEAR(std::fabs(sr.converti.c), std::fabs(sp.converti.c), 1e-6 * taille);
            EXPECT_NEAR(std::fabs(sr.converti.mu), std::fabs(sp.converti.mu), 1e-6 * taille);
        }
        ++compares;
    }
    EXPECT_GT(compares, 100);
}
