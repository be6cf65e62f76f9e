// A seeded sweep of random and degenerate parameter sets through the whole
// conversion: construction, cyclide for both planes (with and without
// drawing), change of frame. Nothing may crash, every code stays in range,
// and the drawing forms give exactly the numbers of the computing forms.
#include "conversion/RBBPd.h"

#include "CaptureStdout.h"
#include "CasTravailles.h"
#include "RecordingGL.h"
#include "Tolerance.h"
#include "conversion/Residu.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

using namespace cyclide;

namespace {

bool memeNombre(double x, double y) {
    return x == y || (std::isnan(x) && std::isnan(y));
}

bool memeCyclide(const RBBPd& x, const RBBPd& y) {
    bool ok = memeNombre(x.a, y.a) && memeNombre(x.c, y.c) && memeNombre(x.mu, y.mu) &&
              memeNombre(x.omega.getX0(), y.omega.getX0()) &&
              memeNombre(x.omega.getY0(), y.omega.getY0()) &&
              memeNombre(x.omega.getZ0(), y.omega.getZ0());
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            ok = ok && memeNombre(x.Base[i][j], y.Base[i][j]);
    return ok;
}

bool fini(const RBBPd& r) {
    return std::isfinite(r.a) && std::isfinite(r.c) && std::isfinite(r.mu);
}

// The orderings of a, c, mu that each kind guarantees (finite values only).
bool ordreRespecte(int code, const RBBPd& r) {
    const double A = std::fabs(r.a), C = std::fabs(r.c), M = std::fabs(r.mu);
    switch (code) {
    case 1:
        return C <= M && M <= A;
    case 2:
        return C <= A && A <= M;
    case 3:
        return M <= C && C <= A;
    case 4:
        return r.a == 0 && r.c == 0;
    case 5:
        return r.c == 0 && 0 <= r.a && r.a <= r.mu;
    case 6:
        return r.c == 0 && 0 <= r.mu && r.mu <= r.a;
    default:
        return true;
    }
}

std::vector<Parametres> jeuxDegeneres() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double a = rad(0), b = rad(90), c = rad(-60), d = rad(180);
    return {{a, a, c, d, 4, 8, -7.982},
            {a, b, a, d, 4, 8, -7.982},
            {a, b, c, b, 4, 8, -7.982},
            {a, b, d, d, 4, 8, -7.982},
            {a, a, a, a, 4, 8, -7.982},
            {b, b, b, b, 1, 0, 0},
            {a, b, c, d, 0, 8, -7.982},
            {a, b, c, d, 4, 0, 0},
            {a, b, c, d, 4, 0, -7.982},
            {a, b, c, d, 4, 8, 0},
            {a, b, c, d, -4, 8, -7.982},
            {a, b, rad(-90), d, 4, 8, -7.982},
            {nan, b, c, d, 4, 8, -7.982},
            {a, nan, c, d, 4, 8, -7.982},
            {a, b, c, nan, 4, 8, -7.982},
            {a, b, c, d, nan, 8, -7.982},
            {a, b, c, d, 4, nan, -7.982},
            {a, b, c, d, 4, 8, nan},
            {inf, b, c, d, 4, 8, -7.982},
            {a, b, c, d, inf, 8, -7.982},
            {a, b, c, d, 4, inf, -7.982},
            {a, b, c, d, 4, 8, -inf},
            {a, b, c, d, 1e-300, 8, -7.982},
            {a, b, c, d, 1e300, 8, -7.982},
            {a, b, c, d, 4, 1e300, 1e300},
            {rad(60), rad(150), rad(-60), rad(-150), 5, 6, 1},
            {rad(30), rad(120), rad(150), rad(-90), 5, 6, 1}};
}

struct Compteurs {
    int types[3] = {0, 0, 0};
    int codes[2][7] = {{0}, {0}}; // [plane Pz, Py][code]
    int residuFaible[2] = {0, 0}; // convertible results with residual < 1e-9
    int dessins = 0;
};

// One parameter set through everything; drawing forms only when dessiner.
void traiter(const Parametres& p, bool dessiner, Compteurs& n) {
    RBBPd bez;
    const int type = bez.convertToCD4(p.t00, p.t02, p.t20, p.t22, p.R, p.z11, p.P10);
    ASSERT_TRUE(type >= 0 && type <= 2) << type;
    ++n.types[type];
    const int choix[2] = {1, 0};
    for (int k = 0; k < 2; ++k) {
        RBBPd calcule(bez);
        MorceauCyclide m;
        const int code = codeGenre(calcule.calculConversion(type, choix[k], m));
        ASSERT_TRUE(code >= 0 && code <= 6) << code;
        if (type == 0)
            EXPECT_EQ(code, 0);
        else if (type == 1)
            EXPECT_LE(code, 3);
        else
            EXPECT_GE(code, 4);
        ++n.codes[k][code];
        if (code != 0 && fini(calcule)) {
            EXPECT_TRUE(ordreRespecte(code, calcule)) << "code " << code << " a " << calcule.a
                                                      << " c " << calcule.c << " mu " << calcule.mu;
            if (residuCyclide(calcule) < 1e-9) {
                ++n.residuFaible[k];
                EXPECT_TRUE(tol::orthonormal(calcule.Base, 1e-9));
            }
        }
        if (dessiner) {
            RBBPd dessine(bez);
            glrec::reset();
            EXPECT_EQ(codeGenre(dessine.conversion(type, choix[k])), code);
            EXPECT_TRUE(memeCyclide(dessine, calcule));
            dessine.openGLChangementBase(30, 30);
            EXPECT_EQ(glrec::countBegin(GL_QUADS), (code == 0 ? 0u : 6400u) + 900u);
            ++n.dessins;
        }
        calcule.changementBase();
    }
}

// A torus or sphere patch: the profile arc of the circle of centre (Rm, 0)
// and radius r between the angles debut and fin (radians) turned about the
// z axis by 0 to tour radians, then rotated by the three angles and
// translated by t. Row 0 is a latitude circle, column 0 a meridian. The
// rotation (about x, then y, then z) is generic, so that no common line of
// two planes is systematically horizontal.
RBBPd carreauRevolution(double Rm, double r, double debut, double fin, double tour,
                        const double angles[3], const double t[3]) {
    const double demi = (fin - debut) / 2, milieu = (debut + fin) / 2, demiTour = tour / 2;
    const double rho[3] = {Rm + r * std::cos(debut), Rm + r * std::cos(milieu) / std::cos(demi),
                           Rm + r * std::cos(fin)};
    const double z[3] = {r * std::sin(debut), r * std::sin(milieu) / std::cos(demi),
                         r * std::sin(fin)};
    const double cx[3] = {1, std::cos(demiTour) / std::cos(demiTour), std::cos(tour)};
    const double cy[3] = {0, std::sin(demiTour) / std::cos(demiTour), std::sin(tour)};
    const double wp[3] = {1, std::cos(demi), 1}, wr[3] = {1, std::cos(demiTour), 1};
    const double ca = std::cos(angles[0]), sa = std::sin(angles[0]);
    const double cg = std::cos(angles[1]), sg = std::sin(angles[1]);
    const double cb = std::cos(angles[2]), sb = std::sin(angles[2]);
    RBBPd res;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const double x = rho[i] * cx[j], y = rho[i] * cy[j], zz = z[i];
            const double y1 = ca * y - sa * zz, z1 = sa * y + ca * zz;
            const double x2 = cg * x + sg * z1, z2 = -sg * x + cg * z1;
            res.P[i][j].init(cb * x2 - sb * y1 + t[0], sb * x2 + cb * y1 + t[1], z2 + t[2]);
            res.w[i][j] = wp[i] * wr[j];
        }
    return res;
}

} // namespace

TEST(ConversionSweep, RandomAndDegenerateSetsStayInRange) {
    std::mt19937 gen(20240601u);
    std::uniform_int_distribution<int> angle(-180, 180);
    std::uniform_real_distribution<double> rayon(0.5, 10), libre(-10, 10);
    std::vector<Parametres> jeux;
    const int N = 4000;
    for (int k = 0; k < N; ++k) {
        Parametres p;
        p.t00 = rad(angle(gen));
        p.t02 = rad(angle(gen));
        p.t20 = rad(angle(gen));
        p.t22 = rad(angle(gen));
        p.R = rayon(gen);
        p.z11 = libre(gen);
        p.P10 = libre(gen);
        jeux.push_back(p);
    }
    const std::vector<Parametres> degeneres = jeuxDegeneres();
    jeux.insert(jeux.end(), degeneres.begin(), degeneres.end());

    Compteurs n;
    glrec::setRecordFull(false);
    for (std::size_t k = 0; k < jeux.size(); ++k) {
        // Drawing forms for every 40th random set and every degenerate set.
        const bool dessiner = (k % 40 == 0) || k >= static_cast<std::size_t>(N);
        CaptureStdout silence; // diagnostics of the plane constructions
        traiter(jeux[k], dessiner, n);
        if (::testing::Test::HasFatalFailure())
            break;
    }
    glrec::setRecordFull(true);

    std::printf("sweep: %zu parameter sets (%d random, %zu degenerate), %d drawn conversions\n",
                jeux.size(), N, degeneres.size(), n.dessins);
    std::printf("conversion types: 0 = %d, 1 = %d, 2 = %d\n", n.types[0], n.types[1], n.types[2]);
    const char* noms[2] = {"Pz", "Py"};
    for (int k = 0; k < 2; ++k) {
        std::printf("cyclide codes, plane %s:", noms[k]);
        for (int c = 0; c <= 6; ++c)
            std::printf(" %d = %d%s", c, n.codes[k][c], c < 6 ? "," : "\n");
        std::printf("  results with residual below 1e-9: %d\n", n.residuFaible[k]);
    }
    EXPECT_EQ(n.types[0] + n.types[1] + n.types[2], static_cast<int>(jeux.size()));
    EXPECT_GT(n.types[1], 0);
    EXPECT_GT(n.types[0], 0);
}

TEST(ConversionSweep, RandomTorusAndSphereNetsStayInRange) {
    std::mt19937 gen(7771u);
    std::uniform_real_distribution<double> unite(0, 1);
    int codes[7] = {0};
    int residuFaible[7] = {0}; // results with residual below 1e-9, by code
    int aRemplir = 0;
    const int N = 600;
    glrec::setRecordFull(false);
    for (int k = 0; k < N; ++k) {
        // Spheres, ring tori and spindle tori; some profiles end on the top
        // of the tube, where the two boundary circles touch.
        const int genre = k % 4;
        const double r = 0.5 + 3 * unite(gen);
        const double Rm = genre == 0 ? 0 : genre == 3 ? r * unite(gen) : r + 5 * unite(gen);
        const double debut = genre == 2 ? 0 : -PI / 2 + PI * unite(gen);
        const double fin = genre == 2 ? PI / 2 : debut + 0.2 + 2 * unite(gen);
        const double tour = 0.2 + 2.5 * unite(gen);
        const double t[3] = {20 * unite(gen) - 10, 20 * unite(gen) - 10, 20 * unite(gen) - 10};
        const double angles[3] = {2 * PI * unite(gen), 2 * PI * unite(gen), 2 * PI * unite(gen)};
        RBBPd net = carreauRevolution(Rm, r, debut, fin, tour, angles, t);
        for (int choix : {1, 0}) {
            RBBPd calcule(net);
            MorceauCyclide m;
            CaptureStdout silence;
            const int code = codeGenre(calcule.calculConversion(2, choix, m));
            ASSERT_TRUE(code >= 4 && code <= 6) << code;
            ++codes[code];
            if (residuCyclide(calcule) < 1e-9)
                ++residuFaible[code];
            if (fini(calcule)) {
                EXPECT_TRUE(ordreRespecte(code, calcule))
                    << "code " << code << " a " << calcule.a << " mu " << calcule.mu;
            }
            if (code == 4) {
                EXPECT_EQ(calcule.a, 0);
                EXPECT_NEAR(calcule.mu, r, 1e-9 * (1 + r));
            }
            if (k % 20 == 0) {
                RBBPd dessine(net);
                glrec::reset();
                EXPECT_EQ(codeGenre(dessine.conversion(2, choix)), code);
                EXPECT_TRUE(memeCyclide(dessine, calcule));
                dessine.openGLChangementBase(30, 30);
                EXPECT_EQ(glrec::countBegin(GL_QUADS), 6400u + 900u);
                ++aRemplir;
            }
            calcule.changementBase();
        }
    }
    glrec::setRecordFull(true);
    std::printf("torus/sphere nets: %d nets x 2 planes, %d drawn; codes 4 = %d, 5 = %d, 6 = %d\n",
                N, aRemplir, codes[4], codes[5], codes[6]);
    std::printf("  results with residual below 1e-9: 4 = %d, 5 = %d, 6 = %d\n", residuFaible[4],
                residuFaible[5], residuFaible[6]);
    EXPECT_EQ(codes[4], N / 2); // every sphere, for both planes
}
