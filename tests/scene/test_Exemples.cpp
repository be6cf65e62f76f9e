#include "Tolerance.h"
#include "conversion/GenreCyclide.h"
#include "scene/Exemples.h"
#include "surfaces/RBBP.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

using namespace cyclide;

TEST(Exemples, NumbersOutsideOneToThreeHaveNoExample) {
    EXPECT_EQ(exempleCarreau(0), nullptr);
    EXPECT_EQ(exempleCarreau(-1), nullptr);
    EXPECT_EQ(exempleCarreau(NOMBRE_EXEMPLES + 1), nullptr);
    for (int n = 1; n <= NOMBRE_EXEMPLES; ++n)
        EXPECT_NE(exempleCarreau(n), nullptr) << n;
    EXPECT_EQ(NOMBRE_EXEMPLES, 3);
}

TEST(Exemples, TypesAreTorusThenTwoGeneralCyclides) {
    EXPECT_EQ(exempleCarreau(1)->type, 2);
    EXPECT_EQ(exempleCarreau(2)->type, 1);
    EXPECT_EQ(exempleCarreau(3)->type, 1);
}

TEST(Exemples, ValuesAreStoredExactlyAsWritten) {
    const ExempleCarreau* e1 = exempleCarreau(1);
    EXPECT_EQ(e1->w[0][1], 0.8164965);
    EXPECT_EQ(e1->w[2][1], 0.81649658);
    EXPECT_EQ(e1->w[1][1], 0.6172134);
    EXPECT_EQ(e1->P[1][1][2], 5.0);
    const ExempleCarreau* e2 = exempleCarreau(2);
    EXPECT_EQ(e2->P[0][1][2], -8.949);
    EXPECT_EQ(e2->P[2][1][2], -28.47);
    EXPECT_EQ(e2->w[2][2], 1.0486);
    const ExempleCarreau* e3 = exempleCarreau(3);
    EXPECT_EQ(e3->P[1][2][0], 3.2414);
    EXPECT_EQ(e3->P[1][2][1], -3.241);
    EXPECT_EQ(e3->P[1][0][0], -7.982);
    EXPECT_EQ(e3->w[2][2], 0.933);
}

TEST(Exemples, LoadingWritesCoordinatesAndWeightsAndKeepsColours) {
    RBBP bez;
    bez.P[1][2].setR(0.25);
    bez.P[1][2].setG(0.5);
    bez.P[1][2].setB(0.75);
    EXPECT_EQ(chargerExemple(3, bez), 1);
    const ExempleCarreau* e3 = exempleCarreau(3);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(bez.P[i][j].getX0(), e3->P[i][j][0]);
            EXPECT_EQ(bez.P[i][j].getY0(), e3->P[i][j][1]);
            EXPECT_EQ(bez.P[i][j].getZ0(), e3->P[i][j][2]);
            EXPECT_EQ(bez.w[i][j], e3->w[i][j]);
        }
    }
    EXPECT_EQ(bez.P[1][2].getR(), 0.25);
    EXPECT_EQ(bez.P[1][2].getG(), 0.5);
    EXPECT_EQ(bez.P[1][2].getB(), 0.75);
    // Another example replaces every value of the previous one.
    EXPECT_EQ(chargerExemple(1, bez), 2);
    EXPECT_EQ(bez.P[0][0].getX0(), 4.0);
    EXPECT_EQ(bez.P[2][2].getX0(), -4.0);
    EXPECT_EQ(bez.w[1][0], 0.7559289);
}

TEST(Exemples, UnknownNumberLeavesThePatchUntouched) {
    RBBP bez;
    chargerExemple(2, bez);
    RBBP avant = bez;
    EXPECT_EQ(chargerExemple(0, bez), -1);
    EXPECT_EQ(chargerExemple(4, bez), -1);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(bez.P[i][j].getX0(), avant.P[i][j].getX0());
            EXPECT_EQ(bez.P[i][j].getZ0(), avant.P[i][j].getZ0());
            EXPECT_EQ(bez.w[i][j], avant.w[i][j]);
        }
    }
}

// Every boundary of the first example is a circular arc: equal tangent
// lengths, and the middle weight is the arc's weight (to the 7 or 8 digits
// stored).
TEST(Exemples, FirstExampleBoundariesAreCircularArcs) {
    RBBP bez;
    chargerExemple(1, bez);
    const int bords[4][3][2] = {{{0, 0}, {0, 1}, {0, 2}},
                                {{2, 0}, {2, 1}, {2, 2}},
                                {{0, 0}, {1, 0}, {2, 0}},
                                {{0, 2}, {1, 2}, {2, 2}}};
    for (const auto& bord : bords) {
        Point P0 = bez.P[bord[0][0]][bord[0][1]];
        Point P1 = bez.P[bord[1][0]][bord[1][1]];
        Point P2 = bez.P[bord[2][0]][bord[2][1]];
        EXPECT_TRUE(tol::near(P1.distance(P0), P1.distance(P2), 1e-12, 0, "tangent lengths"));
        EXPECT_TRUE(tol::near(bez.w[bord[1][0]][bord[1][1]], bez.calcW(P0, P1, P2), 1e-7, 0,
                              "middle weight"));
    }
}

TEST(Exemples, PatchCornersAreTheNetCorners) {
    for (int n = 1; n <= NOMBRE_EXEMPLES; ++n) {
        RBBP bez;
        chargerExemple(n, bez);
        const double coins[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
        for (const auto& c : coins) {
            int i = static_cast<int>(2 * c[0]), j = static_cast<int>(2 * c[1]);
            double d = bez.den(c[0], c[1]);
            EXPECT_TRUE(tol::near3(bez.numX(c[0], c[1]) * d, bez.numY(c[0], c[1]) * d,
                                   bez.numZ(c[0], c[1]) * d, bez.P[i][j].getX0(),
                                   bez.P[i][j].getY0(), bez.P[i][j].getZ0(), 1e-12, 1e-13,
                                   "corner of example " + std::to_string(n)));
        }
    }
}

// The table of kinds: each code read back to its kind, its message, and no
// kind for a code outside 0..6.
TEST(Messages, OneKindPerCodeWithItsMessage) {
    const char* const messages[7] = {
        "Nous n'avons pas un carreau convertible", "La cyclide est de type ring",
        "La cyclide est de type spindle",          "La cyclide est de type horned",
        "La cyclide est une sphere double",        "La cyclide est un tore croise",
        "La cyclide est un tore a collier"};
    for (int code = 0; code <= 6; ++code) {
        GenreCyclide g = GenreCyclide::Aucune;
        ASSERT_TRUE(genreDuCode(code, g)) << code;
        EXPECT_EQ(codeGenre(g), code);
        EXPECT_EQ(description(g).code, code);
        EXPECT_STREQ(messageCyclide(g), messages[code]);
        EXPECT_EQ(nomGenre(g) == nullptr, code == 0);
    }
    GenreCyclide g = GenreCyclide::Ring;
    EXPECT_FALSE(genreDuCode(7, g));
    EXPECT_FALSE(genreDuCode(-1, g));
    EXPECT_EQ(g, GenreCyclide::Ring);
}
