// The STEP export read back with the tests' own reader: the file's syntax,
// attribute counts and product structure, and its surfaces evaluated from
// the knots, weights and control points read: the patch point for point,
// the piece and the whole cyclide on the cyclide's implicit equation.
#include "CasScene.h"
#include "LecteurStep.h"
#include "LocaleVirgule.h"
#include "Tolerance.h"
#include "conversion/Residu.h"
#include "sorties/ExportStep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

using namespace cyclide;

namespace fs = std::filesystem;

namespace {

// Attribute counts of the entities the file may hold, as the AP214 schema
// (AUTOMOTIVE_DESIGN) declares them, partial entities of complex instances
// included.
const char* const ATTRIBUTS_AP214 =
    "FILE_DESCRIPTION 2 FILE_NAME 7 FILE_SCHEMA 1 APPLICATION_CONTEXT 1 "
    "APPLICATION_PROTOCOL_DEFINITION 4 PRODUCT_CONTEXT 3 PRODUCT 4 "
    "PRODUCT_RELATED_PRODUCT_CATEGORY 3 PRODUCT_DEFINITION_FORMATION 3 "
    "PRODUCT_DEFINITION_CONTEXT 3 PRODUCT_DEFINITION 4 PRODUCT_DEFINITION_SHAPE 3 "
    "SHAPE_DEFINITION_REPRESENTATION 2 "
    "GEOMETRICALLY_BOUNDED_SURFACE_SHAPE_REPRESENTATION 3 GEOMETRIC_SET 2 "
    "CARTESIAN_POINT 2 DIRECTION 2 AXIS2_PLACEMENT_3D 4 UNCERTAINTY_MEASURE_WITH_UNIT "
    "4 LENGTH_UNIT 0 NAMED_UNIT 1 SI_UNIT 2 PLANE_ANGLE_UNIT 0 SOLID_ANGLE_UNIT 0 "
    "GEOMETRIC_REPRESENTATION_CONTEXT 1 GLOBAL_UNCERTAINTY_ASSIGNED_CONTEXT 1 "
    "GLOBAL_UNIT_ASSIGNED_CONTEXT 1 REPRESENTATION_CONTEXT 2 BOUNDED_SURFACE 0 "
    "B_SPLINE_SURFACE 7 B_SPLINE_SURFACE_WITH_KNOTS 5 GEOMETRIC_REPRESENTATION_ITEM 0 "
    "RATIONAL_B_SPLINE_SURFACE 1 REPRESENTATION_ITEM 1 SURFACE 0 ";

std::map<std::string, std::size_t> attributs() {
    std::map<std::string, std::size_t> r;
    std::istringstream in(ATTRIBUTS_AP214);
    std::string nom;
    std::size_t n;
    while (in >> nom >> n)
        r[nom] = n;
    return r;
}

const std::map<std::string, std::size_t> ATTRIBUTS = attributs();

std::string lireTout(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every reference of a parameter tree names an instance of the file.
void referencesResolues(const step::Fichier& f, const step::Param& p, int id) {
    if (p.sorte == step::Param::Ref) {
        EXPECT_TRUE(f.instances.count(p.ref)) << "#" << id << " refers to missing #" << p.ref;
    }
    for (const auto& e : p.liste)
        referencesResolues(f, e, id);
}

void structureConforme(const step::Fichier& f) {
    ASSERT_EQ(f.entete.size(), 3u);
    EXPECT_EQ(f.entete[2].params[0].liste.at(0).texte,
              "AUTOMOTIVE_DESIGN { 1 0 10303 214 1 1 1 1 }");
    for (const auto& p : f.entete)
        EXPECT_EQ(p.params.size(), ATTRIBUTS.at(p.nom)) << p.nom;
    for (int id : f.ordre) {
        const step::Instance& ins = f.at(id);
        std::string precedent;
        for (const auto& p : ins.parties) {
            ASSERT_TRUE(ATTRIBUTS.count(p.nom)) << "#" << id << " unexpected entity " << p.nom;
            EXPECT_EQ(p.params.size(), ATTRIBUTS.at(p.nom)) << "#" << id << " " << p.nom;
            EXPECT_LT(precedent, p.nom) << "#" << id << ": partial entities out of order";
            precedent = p.nom;
            for (const auto& q : p.params)
                referencesResolues(f, q, id);
        }
    }
    // The product chain down to the representation and its context.
    const auto sdr = f.avec("SHAPE_DEFINITION_REPRESENTATION");
    ASSERT_EQ(sdr.size(), 1u);
    const auto& pds = f.at(sdr[0]->parties[0].params[0].ref).parties[0];
    ASSERT_EQ(pds.nom, "PRODUCT_DEFINITION_SHAPE");
    const auto& pd = f.at(pds.params[2].ref).parties[0];
    ASSERT_EQ(pd.nom, "PRODUCT_DEFINITION");
    const auto& pdf = f.at(pd.params[2].ref).parties[0];
    ASSERT_EQ(pdf.nom, "PRODUCT_DEFINITION_FORMATION");
    EXPECT_EQ(f.at(pdf.params[2].ref).parties[0].nom, "PRODUCT");
    const auto& rep = f.at(sdr[0]->parties[0].params[1].ref).parties[0];
    ASSERT_EQ(rep.nom, "GEOMETRICALLY_BOUNDED_SURFACE_SHAPE_REPRESENTATION");
    const step::Instance& ctx = f.at(rep.params[2].ref);
    ASSERT_NE(ctx.partie("GEOMETRIC_REPRESENTATION_CONTEXT"), nullptr);
    EXPECT_EQ(ctx.partie("GEOMETRIC_REPRESENTATION_CONTEXT")->params[0].reel, 3);
    EXPECT_EQ(ctx.partie("GLOBAL_UNIT_ASSIGNED_CONTEXT")->params[0].liste.size(), 3u);
    EXPECT_EQ(f.avec("APPLICATION_PROTOCOL_DEFINITION").size(), 1u);
}

// The geometric sets of the representation, by name, with their surface.
std::map<std::string, step::SurfaceLue> surfaces(const step::Fichier& f) {
    std::map<std::string, step::SurfaceLue> r;
    for (const step::Instance* gs : f.avec("GEOMETRIC_SET")) {
        const auto& p = gs->parties[0];
        EXPECT_EQ(p.params[1].liste.size(), 1u);
        step::SurfaceLue s = step::surface(f, f.at(p.params[1].liste.at(0).ref));
        EXPECT_EQ(s.nom, p.params[0].texte);
        r[p.params[0].texte] = s;
    }
    return r;
}

// 400 points of the surface lie on the cyclide of the record, evaluated in
// the cyclide's frame: |F| against the fourth power of the size.
void surLaCyclide(const step::SurfaceLue& s, const RBBPd& r) {
    const double b = std::sqrt(r.a * r.a - r.c * r.c);
    const double u0 = s.noeudsU.front(), u1 = s.noeudsU.back();
    const double v0 = s.noeudsV.front(), v1 = s.noeudsV.back();
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 20; ++j) {
            const auto x = s.point(u0 + (u1 - u0) * i / 19.0, v0 + (v1 - v0) * j / 19.0);
            const double d[3] = {x[0] - r.omega.getX0(), x[1] - r.omega.getY0(),
                                 x[2] - r.omega.getZ0()};
            double q[3];
            for (int k = 0; k < 3; ++k)
                q[k] = r.Base[0][k] * d[0] + r.Base[1][k] * d[1] + r.Base[2][k] * d[2];
            const double taille =
                std::max({std::hypot(q[0], q[1], q[2]), std::fabs(r.a), std::fabs(r.mu), b});
            const double F = fonctionCyclide(r.a, r.c, r.mu, q[0], q[1], q[2]);
            ASSERT_LT(std::fabs(F) / std::pow(taille, 4), 1e-9)
                << s.nom << " at (" << i << ", " << j << ")";
        }
}

void poidsPositifs(const step::SurfaceLue& s) {
    for (const auto& ligne : s.poids)
        for (double w : ligne)
            ASSERT_GT(w, 0) << s.nom;
}

} // namespace

class StepCas : public ::testing::TestWithParam<EntreeScene> {};

TEST_P(StepCas, FileReadsBackWithExactSurfaces) {
    const Scene s = construireScene(GetParam());
    ASSERT_NE(codeGenre(s.typeCyclide), 0);
    const fs::path chemin =
        fs::temp_directory_path() / ("test_step_" + std::to_string(::getpid()) + ".step");
    std::vector<std::string> notices;
    const Resultat<void> ecrit = exporterStep(chemin.string(), s, notices);
    ASSERT_TRUE(ecrit.ok()) << ecrit.raison;
    EXPECT_TRUE(notices.empty());
    const std::string texte = lireTout(chemin);
    fs::remove(chemin);
    const step::Fichier f = step::lire(texte);
    structureConforme(f);

    const auto lues = surfaces(f);
    ASSERT_EQ(lues.size(), 3u);
    bool poidsNetPositifs = true;
    for (int k = 0; k < 9; ++k)
        poidsNetPositifs = poidsNetPositifs && s.Bez.w[k / 3][k % 3] > 0;
    EXPECT_EQ(lues.at("carreau").points.size() == 3, poidsNetPositifs);
    for (const auto& [nom, surface] : lues) {
        poidsPositifs(surface);
        EXPECT_EQ(surface.degreU, 2);
        EXPECT_EQ(surface.degreV, 2);
    }
    // The patch point for point, parameter u of the patch at u0 + u (u1 - u0)
    // of the surface (a patch cut into pieces has knots 0 .. n).
    const step::SurfaceLue& carreau = lues.at("carreau");
    const double L = s.Bez.P[0][0].distance(s.Bez.P[2][2]);
    const double U0 = carreau.noeudsU.front(), U1 = carreau.noeudsU.back();
    const double V0 = carreau.noeudsV.front(), V1 = carreau.noeudsV.back();
    for (int i = 0; i <= 10; ++i)
        for (int j = 0; j <= 10; ++j) {
            const auto x = carreau.point(U0 + (U1 - U0) * i / 10, V0 + (V1 - V0) * j / 10);
            const Point p = s.Bez.point(i / 10.0, j / 10.0);
            ASSERT_TRUE(tol::nearPoint(p, x[0], x[1], x[2], 1e-13 * L)) << i << " " << j;
        }
    const step::SurfaceLue& morceau = lues.at("morceau_cyclide");
    surLaCyclide(morceau, s.converti);
    // The piece ends at the patch's corners (as closely as the examples'
    // rounded nets lie on their cyclides).
    for (const auto& ligne : {morceau.points.front(), morceau.points.back()})
        for (const auto& coin : {ligne.front(), ligne.back()}) {
            double proche = 1e300;
            for (int i : {0, 2})
                for (int j : {0, 2})
                    proche = std::min(proche, std::hypot(coin[0] - s.Bez.P[i][j].getX0(),
                                                         coin[1] - s.Bez.P[i][j].getY0(),
                                                         coin[2] - s.Bez.P[i][j].getZ0()));
            EXPECT_LT(proche, 1e-3 * L);
        }
    const step::SurfaceLue& cyclide = lues.at("cyclide");
    surLaCyclide(cyclide, s.converti);
    EXPECT_TRUE(cyclide.fermeeU && cyclide.fermeeV);
    EXPECT_EQ(cyclide.points.front(), cyclide.points.back());
    EXPECT_GE(cyclide.points.size(), 9u);
}

// The worked cases, and a ring patch whose middle weight is negative (its
// net cannot be written as it is: it is cut into pieces).
std::vector<EntreeScene> casStep() {
    std::vector<EntreeScene> cas = casTravailles();
    const double poidsNegatif[7] = {-0.2717902197260167, -1.0679894016760445, -0.15737391497832665,
                                    -2.8581925342080776, 2.9327855238073495,  -1.2653011326547858,
                                    -4.991371123978993};
    cas.push_back(entreeParametres(poidsNegatif, PlanConversion::Pz));
    return cas;
}

INSTANTIATE_TEST_SUITE_P(Travailles, StepCas, ::testing::ValuesIn(casStep()));

// Segment counts: the whole cyclide in 4 segments per direction has
// positive weights whatever c / a below 1 (and a negative a gives negative
// weights, negated); a piece of span near pi centred on 0 has a negative
// middle weight and is cut in two; a degenerate cyclide has no exact form.
TEST(ExportStep, SegmentsAreChosenForPositiveWeights) {
    const double Base[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const Point omega(0, 0, 0);
    const MorceauCyclide tout{0, 6.283185307179586, 0, 6.283185307179586};
    const MorceauCyclide large{-1.5, 1.5, 1.5, -1.5};
    const struct {
        double a, c, mu;
        MorceauCyclide m;
        int segmentsMin;
        int segments; // 0: no exact form
    } cas[] = {{5, 3, 4, tout, 4, 4},   {5, -3, 4, tout, 4, 4}, {1, 0.999, 0.5, tout, 4, 4},
               {-2, 1, 1, tout, 4, 4},  {5, 3, 4, large, 1, 2}, {5, 0, 4, large, 1, 1},
               {1, 1, 0.5, tout, 4, 0}, {1, 2, 0.5, tout, 4, 0}};
    for (const auto& c : cas) {
        SurfaceBSpline s;
        const bool ok =
            surfaceCyclideMonde(cyclidePlacee(c.a, c.c, c.mu, omega, Base), c.m, c.segmentsMin, s);
        EXPECT_EQ(ok, c.segments != 0) << c.a << " " << c.c;
        if (!ok)
            continue;
        EXPECT_EQ(s.nu, c.segments) << c.a << " " << c.c << " " << c.m.u1;
        EXPECT_EQ(s.nv, c.segments);
        EXPECT_TRUE(s.valide());
        // Control points at segment corners are points of the cyclide.
        const double b2 = c.a * c.a - c.c * c.c;
        for (int i = 0; i < s.lignes(); i += 2)
            for (int j = 0; j < s.colonnes(); j += 2) {
                const auto& p = s.points[s.indice(i, j)];
                const double F = fonctionCyclide(c.a, c.c, c.mu, p[0], p[1], p[2]);
                EXPECT_LT(std::fabs(F), 1e-12 * std::pow(b2 + c.mu * c.mu + c.a * c.a, 2));
            }
    }
}

// Reals and their STEP text.
const struct {
    double v;
    const char* texte;
} REELS_STEP[] = {{1, "1."},
                  {0, "0."},
                  {-2.5, "-2.5"},
                  {1e20, "1.E+20"},
                  {0.1, "0.10000000000000001"},
                  {-7.982, "-7.9820000000000002"}};

TEST(ExportStep, RealsHaveSeventeenDigitsAndAPoint) {
    for (const auto& c : REELS_STEP)
        EXPECT_EQ(reelStep(c.v), c.texte);
    for (double v : {3.141592653589793, 2.4492935982947064e-16, -1e-300, 1.7976931348623157e308})
        EXPECT_EQ(std::strtod(reelStep(v).c_str(), nullptr), v) << reelStep(v);
}

TEST(ExportStep, RealsKeepThePointUnderACommaLocale) {
    const LocaleVirgule locale;
    ASSERT_EQ(locale.raison(), "");
    for (const auto& c : REELS_STEP)
        EXPECT_EQ(reelStep(c.v), c.texte);
}
