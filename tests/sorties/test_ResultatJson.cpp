// The JSON result of a conversion: every key of the worked cases read back
// and compared with the scene bit for bit, the schema in docs/ checked on
// them and on a degenerate patch, and the number and text forms.
#include "CasScene.h"
#include "JsonMini.h"
#include "Tolerance.h"
#include "conversion/GenreCyclide.h"
#include "conversion/Residu.h"
#include "sorties/ResultatJson.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

using namespace cyclide;

namespace {

json::Valeur schema() {
    std::ifstream in("docs/cyclide-conv.schema.json");
    return json::lire(std::string(std::istreambuf_iterator<char>(in), {}));
}

OrigineEntree origineDe(const EntreeScene& e) {
    OrigineEntree o;
    o.sorte = e.exemple != 0 ? OrigineEntree::Sorte::Exemple : OrigineEntree::Sorte::Parametres;
    return o;
}

// The three numbers of a JSON array.
void trois(const json::Valeur& v, double r[3]) {
    ASSERT_EQ(v.elements.size(), 3u);
    for (int k = 0; k < 3; ++k)
        r[k] = v[static_cast<std::size_t>(k)].n;
}

// Patch points of the JSON net, moved into the JSON cyclide's frame, lie on
// the JSON cyclide as closely as the JSON residual says (first-order
// distance |F| / |grad F| against the patch's size): what the object says is
// consistent by itself, frame and centre included.
void patchSurSaCyclide(const json::Valeur& j) {
    RBBP net;
    for (std::size_t k = 0; k < 9; ++k) {
        double p[3];
        trois(j["net"][k]["point"], p);
        net.P[k / 3][k % 3] = Point(p[0], p[1], p[2]);
        net.w[k / 3][k % 3] = j["net"][k]["weight"].n;
    }
    const json::Valeur& c = j["cyclide"];
    double o[3], axes[3][3];
    trois(c["centre"], o);
    for (std::size_t k = 0; k < 3; ++k)
        trois(c["frame"][k], axes[k]);
    const double a = c["a"].n, cc = c["c"].n, mu = c["mu"].n;
    const double L = net.P[0][0].distance(net.P[2][2]);
    const double seuil = 100 * j["residual"].n + 1e-9;
    for (int iu = 0; iu <= 4; ++iu)
        for (int iv = 0; iv <= 4; ++iv) {
            const Point p = net.point(iu / 4.0, iv / 4.0);
            const double d[3] = {p.getX0() - o[0], p.getY0() - o[1], p.getZ0() - o[2]};
            double q[3], g[3];
            for (int k = 0; k < 3; ++k)
                q[k] = axes[k][0] * d[0] + axes[k][1] * d[1] + axes[k][2] * d[2];
            gradientCyclide(a, cc, mu, q[0], q[1], q[2], g);
            const double F = fonctionCyclide(a, cc, mu, q[0], q[1], q[2]);
            EXPECT_LT(std::fabs(F) / (std::hypot(g[0], g[1], g[2]) * L), seuil)
                << "u " << iu / 4.0 << " v " << iv / 4.0;
        }
}

} // namespace

class JsonCas : public ::testing::TestWithParam<EntreeScene> {};

TEST_P(JsonCas, EveryKeyReadsBackAsTheScene) {
    const Scene s = construireScene(GetParam());
    const std::string texte = resultatJson(s, origineDe(s.entree));
    ASSERT_EQ(texte.find('\n'), std::string::npos);
    const json::Valeur j = json::lire(texte);
    const json::Valeur sch = schema();
    EXPECT_EQ(json::Validateur(sch).valider(j), "");

    const json::Valeur& in = j["input"];
    if (s.entree.exemple != 0) {
        EXPECT_EQ(in["source"].t, "example");
        EXPECT_EQ(in["example"].n, s.entree.exemple);
        EXPECT_FALSE(in.a("parameters"));
    } else {
        EXPECT_EQ(in["source"].t, "parameters");
        const double attendu[7] = {s.entree.theta00, s.entree.theta02, s.entree.theta20,
                                   s.entree.theta22, s.entree.rayon,   s.entree.z11,
                                   s.entree.P10};
        const char* noms[7] = {"theta00", "theta02", "theta20", "theta22", "radius", "z11", "p10"};
        for (int k = 0; k < 7; ++k)
            EXPECT_EQ(in["parameters"][noms[k]].n, attendu[k]) << noms[k];
    }
    EXPECT_EQ(j["plane"].t, s.entree.plan == PlanConversion::Pz ? "z" : "y");
    EXPECT_EQ(j["type"].n, s.type);
    ASSERT_NE(codeGenre(s.typeCyclide), 0) << "every worked case is convertible";
    EXPECT_EQ(j["code"].n, codeGenre(s.typeCyclide));
    const char* sortes[7] = {
        "", "ring", "spindle", "horned", "double_sphere", "crossed_torus", "collar_torus"};
    EXPECT_EQ(j["kind"].t, sortes[codeGenre(s.typeCyclide)]);
    EXPECT_EQ(j["message"].t, messageCyclide(s.typeCyclide));
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k) {
            const json::Valeur& p = j["net"][static_cast<std::size_t>(3 * i + k)];
            EXPECT_EQ(p["i"].n, i);
            EXPECT_EQ(p["j"].n, k);
            double xyz[3];
            trois(p["point"], xyz);
            EXPECT_EQ(xyz[0], s.Bez.P[i][k].getX0());
            EXPECT_EQ(xyz[1], s.Bez.P[i][k].getY0());
            EXPECT_EQ(xyz[2], s.Bez.P[i][k].getZ0());
            EXPECT_EQ(p["weight"].n, s.Bez.w[i][k]);
        }
    const json::Valeur& c = j["cyclide"];
    const RBBPd& r = s.converti;
    EXPECT_EQ(c["a"].n, r.a);
    EXPECT_EQ(c["c"].n, r.c);
    EXPECT_EQ(c["mu"].n, r.mu);
    EXPECT_EQ(c["b"].n, std::sqrt(r.a * r.a - r.c * r.c));
    double centre[3], axes[3][3];
    trois(c["centre"], centre);
    EXPECT_TRUE(tol::nearPoint(r.omega, centre[0], centre[1], centre[2], 0));
    double colonnes[3][3];
    for (int k = 0; k < 3; ++k) {
        trois(c["frame"][static_cast<std::size_t>(k)], axes[k]);
        for (int l = 0; l < 3; ++l) {
            EXPECT_EQ(axes[k][l], r.Base[l][k]) << "axis " << k << " component " << l;
            colonnes[l][k] = axes[k][l];
        }
    }
    EXPECT_TRUE(tol::orthonormal(colonnes, 1e-12));
    EXPECT_EQ(j["piece"]["u0"].n, s.morceau.u0);
    EXPECT_EQ(j["piece"]["u1"].n, s.morceau.u1);
    EXPECT_EQ(j["piece"]["v0"].n, s.morceau.v0);
    EXPECT_EQ(j["piece"]["v1"].n, s.morceau.v1);
    EXPECT_EQ(j["residual"].n, s.residu);
    EXPECT_FALSE(j.a("reason"));
    patchSurSaCyclide(j);
}

INSTANTIATE_TEST_SUITE_P(Travailles, JsonCas, ::testing::ValuesIn(casTravailles()));

// A degenerate patch (all parameters 0): not convertible, its non-finite
// control values written as null and named in the reason; still valid.
TEST(ResultatJson, NonConvertibleAndNonFiniteGiveNullsAndAReason) {
    EntreeScene e;
    const Scene s = construireScene(e);
    OrigineEntree o;
    o.sorte = OrigineEntree::Sorte::Fichier;
    o.fichier = "carr\xE9.car"; // a file name in ISO 8859-1
    const json::Valeur j = json::lire(resultatJson(s, o));
    const json::Valeur sch = schema();
    EXPECT_EQ(json::Validateur(sch).valider(j), "");
    EXPECT_EQ(j["input"]["file"].t, "carr\xC3\xA9.car");
    EXPECT_EQ(j["code"].n, 0);
    EXPECT_EQ(j["kind"].sorte, json::Valeur::Nul);
    EXPECT_EQ(j["cyclide"].sorte, json::Valeur::Nul);
    EXPECT_EQ(j["piece"].sorte, json::Valeur::Nul);
    EXPECT_EQ(j["residual"].sorte, json::Valeur::Nul);
    const std::string& raison = j["reason"].t;
    // The scene's own reason first, then the numbers that are not finite.
    EXPECT_EQ(raison.rfind(s.raison + "; not finite", 0), 0u) << raison;
    for (int k = 0; k < 9; ++k) {
        const json::Valeur& p = j["net"][static_cast<std::size_t>(k)];
        const bool finiW = std::isfinite(s.Bez.w[k / 3][k % 3]);
        EXPECT_EQ(p["weight"].sorte == json::Valeur::Nul, !finiW) << k;
        const std::string nom = "net[" + std::to_string(k) + "].weight";
        EXPECT_EQ(raison.find(nom) != std::string::npos, !finiW) << nom;
    }
    // The schema refuses what the converter must never write.
    const json::Validateur v(sch);
    EXPECT_NE(
        v.valider(json::lire("{\"input\":{\"source\":\"batch\",\"line\":0},\"error\":\"x\"}")), "");
    EXPECT_NE(
        v.valider(json::lire("{\"input\":{\"source\":\"batch\"},\"error\":\"x\",\"code\":1}")), "");
}

// A net given directly names its file and no parameters; moved off its
// cyclide (the middle weight), its reason is the scene's and its residual the
// best reading's.
TEST(ResultatJson, NetGivenDirectlyGivesItsSourceReasonAndResidual) {
    RBBP net = construireScene(entreeDemarrage()).Bez;
    net.w[1][1] += 1e-3;
    const Scene s = construireSceneReseau(net, PlanConversion::Pz);
    OrigineEntree o;
    o.sorte = OrigineEntree::Sorte::Reseau;
    o.fichier = "reseau.txt";
    const json::Valeur j = json::lire(resultatJson(s, o));
    EXPECT_EQ(json::Validateur(schema()).valider(j), "");
    EXPECT_EQ(j["input"]["source"].t, "net");
    EXPECT_EQ(j["input"]["file"].t, "reseau.txt");
    EXPECT_FALSE(j["input"].a("parameters"));
    EXPECT_EQ(j["code"].n, 0);
    EXPECT_EQ(j["type"].n, 1);
    EXPECT_FALSE(s.raison.empty());
    EXPECT_EQ(j["reason"].t, s.raison);
    EXPECT_EQ(j["residual"].n, s.residu);
    EXPECT_GT(s.residu, TOLERANCE_CARREAU);
}

TEST(ResultatJson, NumbersAreShortestRoundTripAndNonFiniteIsNull) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double v;
        const char* texte;
    } lignes[] = {{0.1, "0.1"},           {-7.982, "-7.982"}, {4, "4"},
                  {1e20, "1e+20"},        {5e-324, "5e-324"}, {-0.0, "-0"},
                  {std::nan(""), "null"}, {-inf, "null"}};
    for (const auto& l : lignes) {
        std::string out;
        EXPECT_EQ(ajouterNombre(out, l.v), std::string(l.texte) != "null");
        EXPECT_EQ(out, l.texte);
    }
    for (double v : {3.141592653589793, 1.0 / 3, 2.4492935982947064e-16, 1.7976931348623157e308}) {
        std::string out;
        ajouterNombre(out, v);
        EXPECT_EQ(json::lire(out).n, v) << out;
    }
}

TEST(ResultatJson, TextsAreEscapedAndWrittenAsUtf8) {
    const struct {
        std::string texte;
        bool latin1;
        std::string json;
    } lignes[] = {
        {"sph\xE8re \"a\" \\ \n", true, "\"sph\xC3\xA8re \\\"a\\\" \\\\ \\u000a\""},
        {"d\xC3\xA9j\xC3\xA0", false, "\"d\xC3\xA9j\xC3\xA0\""}, // already UTF-8: copied
        {"d\xC3\xA9j\xC3\xA0", true, "\"d\xC3\x83\xC2\xA9j\xC3\x83\xC2\xA0\""},
        {"\xFF\xC3", false, "\"\xC3\xBF\xC3\x83\""}, // not UTF-8: read as ISO 8859-1
    };
    for (const auto& l : lignes) {
        std::string out;
        ajouterTexteJson(out, l.texte, l.latin1);
        EXPECT_EQ(out, l.json);
    }
}
