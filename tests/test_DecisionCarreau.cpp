// Nets given directly: random pieces of every kind written as nets are
// converted to a cyclide that carries them (implicit equation evaluated),
// slightly perturbed nets are refused with a reason, the arc test's rows,
// and a net built from the seven parameters gives what the parameters give.
#include "DecisionCarreau.h"
#include "LectureCarreau.h"
#include "LectureTore.h"
#include "Residu.h"
#include "Scene.h"

#include "CaptureStdout.h"
#include "PiecesCyclide.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>

namespace {

const char* const NOMS[7] = {"-", "ring", "spindle", "horned", "sphere", "croise", "collier"};

Scene sceneReseau(const RBBP& net, int choix, double tolerance = TOLERANCE_CARREAU) {
    CaptureStdout silence; // diagnostics of the plane constructions
    return construireSceneReseau(net, choix, tolerance);
}

// The start-up piece of every kind: a fixed net per kind for the refusals.
RBBPd pieceFixe(pieces::Genre genre, unsigned graine) {
    std::mt19937 g(graine);
    RBBPd net;
    while (!pieces::pieceAleatoire(genre, g, 3, net)) {
    }
    return net;
}

// The code of the first reading alone when it carries the patch exactly,
// else 0.
int premiereLecture(const Scene& s) {
    RBBPd r(s.Bez);
    MorceauCyclide m;
    CaptureStdout silence;
    const int code = r.calculConversion(s.type, s.entree.choix, m);
    return code != 0 && residuCyclide(r) <= RESIDU_EXACT ? code : 0;
}

double taille(const RBBP& net) {
    return net.getP(0, 0).distance(net.getP(2, 2));
}

} // namespace

TEST(DecisionCarreau, RandomPiecesOfEveryKindAreReadAsTheirKind) {
    std::mt19937 g(1812u);
    const pieces::Genre genres[6] = {pieces::RING,   pieces::SPINDLE, pieces::HORNED,
                                     pieces::SPHERE, pieces::CROISE,  pieces::COLLIER};
    int essais[7] = {}, bons[7] = {}, exacts[7] = {}, premiers[7] = {}, fideles[7] = {};
    std::map<std::string, int> echecs;
    for (int k = 0; k < 1000; ++k) {
        const pieces::Genre genre = genres[k % 6];
        RBBPd net;
        if (!pieces::pieceAleatoire(genre, g, std::pow(10.0, pieces::uniforme(g, -6, 6)), net))
            continue;
        const RBBPd lu = (k / 6) % 2 ? transpose(net) : net; // both orientations
        const Scene s = sceneReseau(lu, k % 2);
        ++essais[genre];
        if (s.typeCyclide == 0) {
            ++echecs[std::string(NOMS[genre]) + ": " + s.raison];
            continue;
        }
        EXPECT_LE(s.residu, TOLERANCE_CARREAU) << NOMS[genre] << " net " << k;
        bons[genre] += s.typeCyclide == genre;
        exacts[genre] += s.residu <= RESIDU_EXACT;
        premiers[genre] += premiereLecture(s) == genre; // before verification
        fideles[genre] += morceauFidele(s.converti, s.morceau, 1e-9);
    }
    for (int c = 1; c <= 6; ++c)
        std::printf("given nets, %s: %d nets, %d read as their kind (first reading alone: %d), "
                    "%d within 1e-9, %d pieces with the patch's corners\n",
                    NOMS[c], essais[c], bons[c], premiers[c], exacts[c], fideles[c]);
    for (const auto& e : echecs)
        std::printf("  refused %d: %s\n", e.second, e.first.c_str());
    for (int c = 1; c <= 6; ++c) {
        EXPECT_GT(essais[c], 100) << NOMS[c];
        EXPECT_EQ(bons[c], essais[c]) << NOMS[c];
    }
}

// One number of a carrying net moved by 1e-3 of the net's size (or of the
// weight): the verdict must be code 0 with a reason.
struct Perturbation {
    const char* nom;
    int i, j;
    int composante; // 0..2 a coordinate, 3 the weight
};

class Perturbe : public ::testing::TestWithParam<Perturbation> {};

TEST_P(Perturbe, MovedNetIsRefused) {
    const Perturbation p = GetParam();
    for (pieces::Genre genre : {pieces::RING, pieces::HORNED, pieces::COLLIER}) {
        RBBPd net = pieceFixe(genre, 77u + genre);
        ASSERT_NE(sceneReseau(net, 1).typeCyclide, 0) << NOMS[genre];
        Point P = net.getP(p.i, p.j);
        const double d = 1e-3 * taille(net);
        if (p.composante == 3)
            net.setW(p.i, p.j, net.getW(p.i, p.j) * (1 + 1e-3));
        else if (p.composante == 0)
            P.setX0(P.getX0() + d);
        else if (p.composante == 1)
            P.setY0(P.getY0() + d);
        else
            P.setZ0(P.getZ0() + d);
        net.setP(p.i, p.j, P);
        for (int choix : {1, 0}) {
            const Scene s = sceneReseau(net, choix);
            EXPECT_EQ(s.typeCyclide, 0) << NOMS[genre] << " " << p.nom << " residu " << s.residu;
            EXPECT_FALSE(s.raison.empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Nombres, Perturbe,
    ::testing::Values(Perturbation{"w11", 1, 1, 3}, Perturbation{"w01", 0, 1, 3},
                      Perturbation{"w22", 2, 2, 3}, Perturbation{"P11.z", 1, 1, 2},
                      Perturbation{"P01.x", 0, 1, 0}, Perturbation{"P12.y", 1, 2, 1},
                      Perturbation{"P20.z", 2, 0, 2}));

struct Arc {
    const char* nom;
    Point Q0, Q1, Q2;
    double w0, w1, w2;
    bool cercle;
};

class ArcCas : public ::testing::TestWithParam<Arc> {};

TEST_P(ArcCas, CircularArcsAreTold) {
    const Arc a = GetParam();
    std::string raison;
    EXPECT_EQ(arcDeCercle(a.Q0, a.Q1, a.Q2, a.w0, a.w1, a.w2, 1e-6, raison), a.cercle) << a.nom;
    EXPECT_EQ(raison.empty(), a.cercle) << raison;
}

const double R2 = 0.7071067811865476; // cos 45 degrees

INSTANTIATE_TEST_SUITE_P(
    Lignes, ArcCas,
    ::testing::Values(
        Arc{"quarter circle", Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0), 1, R2, 1, true},
        Arc{"same, weights scaled", Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0), 4, 4 * R2, 4,
            true},
        Arc{"complementary arc", Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0), 1, -R2, 1, true},
        Arc{"ellipse weight", Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0), 1, 0.7, 1, false},
        Arc{"unequal sides", Point(1, 0, 0), Point(1, 2, 0), Point(0, 1, 0), 1, R2, 1, false},
        Arc{"straight", Point(0, 0, 0), Point(1, 0, 0), Point(2, 0, 0), 1, 1, 1, false},
        Arc{"ends coincide", Point(1, 0, 0), Point(1, 1, 0), Point(1, 0, 0), 1, 1, 1, false},
        Arc{"opposite end weights", Point(1, 0, 0), Point(1, 1, 0), Point(0, 1, 0), 1, R2, -1,
            false}));

TEST(DecisionCarreau, RefusalNamesTheBoundary) {
    RBBPd net = pieceFixe(pieces::RING, 5u);
    net.setW(2, 1, net.getW(2, 1) * 1.01);
    const Scene s = sceneReseau(net, 1);
    EXPECT_EQ(s.type, 0);
    EXPECT_EQ(s.typeCyclide, 0);
    EXPECT_NE(s.raison.find("le bord u = 1 (P20 P21 P22)"), std::string::npos) << s.raison;
}

// The net of the seven parameters written with 17 digits and read back: the
// same type, code and cyclide as the parameters.
TEST(DecisionCarreau, NetOfTheSevenParametersGivesTheSameResult) {
    std::mt19937 g(99u);
    int memes = 0;
    for (int k = 0; k < 400; ++k) {
        EntreeScene e = pieces::jeuAleatoire(g);
        e.choix = k % 2;
        if (k == 0) { // the start-up patch
            e = EntreeScene{
                0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8, -7.982, 0, 1};
        }
        CaptureStdout silence;
        const Scene sp = construireScene(e);
        if (sp.typeCyclide == 0)
            continue;
        std::ostringstream texte;
        texte.precision(17);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                texte << sp.Bez.P[i][j] << " " << sp.Bez.w[i][j] << "\n";
        std::istringstream is("# net of the seven parameters\n" + texte.str());
        RBBP net;
        std::string erreur;
        ASSERT_TRUE(lireCarreau(is, net, erreur)) << erreur;
        const Scene sr = construireSceneReseau(net, e.choix);
        EXPECT_EQ(sr.type, sp.type);
        EXPECT_EQ(sr.typeCyclide, sp.typeCyclide) << sr.raison;
        EXPECT_EQ(sr.converti.a, sp.converti.a);
        EXPECT_EQ(sr.converti.c, sp.converti.c);
        EXPECT_EQ(sr.converti.mu, sp.converti.mu);
        ++memes;
    }
    std::printf("nets of the seven parameters compared: %d\n", memes);
    EXPECT_GT(memes, 100);
}
