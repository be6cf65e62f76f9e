// The number rule: finite decimal numbers with white space around them are
// read; every other text is refused and leaves the value as it was.
#include "LocaleVirgule.h"
#include "fichiers/NombreTexte.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace cyclide;

struct CasNombre {
    const char* texte;
    bool lu;
    double valeur;
};

class NombreTexteCas : public ::testing::TestWithParam<CasNombre> {};

TEST_P(NombreTexteCas, ReadsOrRefuses) {
    const CasNombre k = GetParam();
    double v = 12345;
    EXPECT_EQ(lireNombreDecimal(k.texte, v), k.lu) << '"' << k.texte << '"';
    EXPECT_EQ(v, k.lu ? k.valeur : 12345) << '"' << k.texte << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Textes, NombreTexteCas,
    ::testing::Values(CasNombre{"4", true, 4}, CasNombre{" 4", true, 4}, CasNombre{"4 ", true, 4},
                      CasNombre{"\t-7.982\n", true, -7.982}, CasNombre{"+.5", true, 0.5},
                      CasNombre{"5.", true, 5}, CasNombre{"1e-3", true, 1e-3},
                      CasNombre{"-1.0471975511965976", true, -1.0471975511965976},
                      CasNombre{"1e-400", true, 0}, CasNombre{"", false, 0},
                      CasNombre{"   ", false, 0}, CasNombre{"nan", false, 0},
                      CasNombre{"-inf", false, 0}, CasNombre{"infinity", false, 0},
                      CasNombre{"1e400", false, 0}, CasNombre{"0x1p3", false, 0},
                      CasNombre{"4 5", false, 0}, CasNombre{"4,5", false, 0},
                      CasNombre{".", false, 0}, CasNombre{"1e", false, 0},
                      CasNombre{"--4", false, 0}, CasNombre{"4abc", false, 0}));

TEST(NombreTexte, RefusesOverlongTexts) {
    double v = 0;
    EXPECT_TRUE(lireNombreDecimal(std::string(LONGUEUR_NOMBRE_MAX, '1'), v));
    EXPECT_FALSE(lireNombreDecimal(std::string(LONGUEUR_NOMBRE_MAX + 1, '1'), v));
}

// Under a locale whose decimal separator is ',' (as the window runs for a
// French user), a number whose nearest double is zero still reads as that
// zero: the point is read as the point, not as the end of the number.
TEST(NombreTexte, ReadsThePointUnderACommaLocale) {
    const LocaleVirgule locale;
    ASSERT_EQ(locale.raison(), "");

    const CasNombre cas[] = {{"1.5e-400", true, 0},
                             {"-2.5e-400", true, -0.0},
                             {"2.5", true, 2.5},
                             {"1.5e400", false, 0},
                             {"2,5", false, 0}};
    for (const CasNombre& k : cas) {
        double v = 12345;
        EXPECT_EQ(lireNombreDecimal(k.texte, v), k.lu) << '"' << k.texte << '"';
        EXPECT_EQ(v, k.lu ? k.valeur : 12345) << '"' << k.texte << '"';
        if (k.lu) {
            EXPECT_EQ(std::signbit(v), std::signbit(k.valeur)) << '"' << k.texte << '"';
        }
    }
}
