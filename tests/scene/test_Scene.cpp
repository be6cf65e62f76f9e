// The scene value: one build gives what the rebuild's separate steps give,
// bit for bit, for the start-up patch on both planes and the examples.
#include "CasScene.h"
#include "conversion/Residu.h"
#include "scene/Exemples.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace cyclide;

namespace {

std::string texte(RBBPd r) {
    std::ostringstream os;
    os.precision(17);
    os << r;
    return os.str();
}

} // namespace

class SceneCas : public ::testing::TestWithParam<EntreeScene> {};

TEST_P(SceneCas, MatchesTheRebuildStepsBitForBit) {
    const EntreeScene e = GetParam();
    const Scene s = construireScene(e);
    RBBPd Bez;
    const int type = e.exemple ? chargerExemple(e.exemple, Bez)
                               : Bez.convertToCD4(e.theta00, e.theta02, e.theta20, e.theta22,
                                                  e.rayon, e.z11, e.P10);
    RBBPd converti = Bez;
    MorceauCyclide m;
    const int code = codeGenre(converti.calculConversion(type, choixPlan(e.plan), m));
    RBBPd bez1 = converti;
    bez1.changementBase();
    EXPECT_EQ(s.type, type);
    EXPECT_EQ(codeGenre(s.typeCyclide), code);
    EXPECT_EQ(texte(s.Bez), texte(Bez));
    EXPECT_EQ(texte(s.converti), texte(converti));
    EXPECT_EQ(texte(s.Bez1), texte(bez1));
    EXPECT_EQ(s.residu, code ? residuCyclide(converti) : 0.0);
    EXPECT_EQ(std::make_tuple(s.morceau.u0, s.morceau.u1, s.morceau.v0, s.morceau.v1),
              std::make_tuple(m.u0, m.u1, m.v0, m.v1));
}

INSTANTIATE_TEST_SUITE_P(Entrees, SceneCas, ::testing::ValuesIn(casTravailles()));

TEST(Scene, VersionsDifferAndInputsCompareBitForBit) {
    const Scene s1 = construireScene(entreeDemarrage(PlanConversion::Pz));
    const Scene s2 = construireScene(entreeDemarrage(PlanConversion::Pz));
    EXPECT_NE(s1.version, s2.version);
    EXPECT_TRUE(memeEntree(s1.entree, s2.entree));
    EntreeScene autre = entreeDemarrage(PlanConversion::Pz);
    autre.P10 = -0.0 - 7.982 + 1e-15;
    EXPECT_FALSE(memeEntree(s1.entree, autre));
    EXPECT_FALSE(
        memeEntree(entreeDemarrage(PlanConversion::Pz), entreeDemarrage(PlanConversion::Py)));
}

// A net given directly in the input: built as construireSceneReseau builds
// it, and compared by its numbers and tolerance, not by the parameters.
TEST(Scene, NetGivenDirectlyIsConvertedAndComparedByItsNumbers) {
    const Scene parametres = construireScene(entreeDemarrage(PlanConversion::Py));
    EntreeScene e = entreeDemarrage(PlanConversion::Py);
    e.reseauDonne = true;
    e.reseau = parametres.Bez;
    const Scene s = construireScene(e);
    const Scene direct = construireSceneReseau(parametres.Bez, PlanConversion::Py);
    EXPECT_EQ(s.typeCyclide, parametres.typeCyclide);
    EXPECT_EQ(texte(s.converti), texte(direct.converti));
    EXPECT_EQ(s.residu, direct.residu);
    EXPECT_TRUE(direct.entree.reseauDonne);
    EXPECT_TRUE(memeEntree(s.entree, direct.entree));
    EXPECT_FALSE(memeEntree(s.entree, parametres.entree));
    EntreeScene autre = e;
    autre.theta00 = 1; // not used by a net
    EXPECT_TRUE(memeEntree(e, autre));
    autre.reseau.w[1][1] += 1e-15;
    EXPECT_FALSE(memeEntree(e, autre));
    autre = e;
    autre.tolerance = 1e-5;
    EXPECT_FALSE(memeEntree(e, autre));
}
