#include "EcritureLimitee.h"
#include "SurCyclide.h"
#include "Tolerance.h"
#include "conversion/RBBPd.h"
#include "conversion/Residu.h"
#include "sorties/ExportObj.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace cyclide;

namespace fs = std::filesystem;

namespace {

// A group read back from an OBJ file: its own vertices and normals, faces
// and segments as 0-based indices into them.
struct GroupeLu {
    std::string nom;
    std::vector<std::array<double, 3>> v;
    std::vector<std::array<double, 3>> vn;
    std::vector<std::array<int, 4>> f;
    std::vector<std::array<int, 4>> fn; // normal indices, -1 when none
    std::vector<std::array<int, 2>> l;
};

// A small OBJ reader for the subset written (g, v, vn, f with v or v//vn,
// l). Global 1-based indices are turned into group-local 0-based ones; an
// index outside its group makes the reading fail.
bool lireObj(const std::string& texte, std::vector<GroupeLu>& groupes, std::string& erreur) {
    std::istringstream in(texte);
    std::string ligne;
    long baseV = 0, baseVn = 0, totalV = 0, totalVn = 0;
    while (std::getline(in, ligne)) {
        std::istringstream mots(ligne);
        std::string cle;
        if (!(mots >> cle) || cle[0] == '#')
            continue;
        if (cle == "g") {
            groupes.emplace_back();
            mots >> groupes.back().nom;
            baseV = totalV;
            baseVn = totalVn;
            continue;
        }
        if (groupes.empty()) {
            erreur = "element before any group: " + ligne;
            return false;
        }
        GroupeLu& g = groupes.back();
        if (cle == "v" || cle == "vn") {
            std::array<double, 3> p;
            std::string t[3];
            if (!(mots >> t[0] >> t[1] >> t[2])) {
                erreur = "short line: " + ligne;
                return false;
            }
            for (int k = 0; k < 3; ++k)
                p[k] = std::strtod(t[k].c_str(), nullptr);
            (cle == "v" ? g.v : g.vn).push_back(p);
            (cle == "v" ? totalV : totalVn) += 1;
        } else if (cle == "f" || cle == "l") {
            std::vector<int> iv, in;
            std::string m;
            while (mots >> m) {
                std::size_t barre = m.find("//");
                long a = std::atol(m.substr(0, barre).c_str()) - 1 - baseV;
                long b = barre == std::string::npos
                             ? -1
                             : std::atol(m.substr(barre + 2).c_str()) - 1 - baseVn;
                if (a < 0 || a >= static_cast<long>(g.v.size()) ||
                    (barre != std::string::npos &&
                     (b < 0 || b >= static_cast<long>(g.vn.size())))) {
                    erreur = "index outside its group: " + ligne;
                    return false;
                }
                iv.push_back(static_cast<int>(a));
                in.push_back(static_cast<int>(b));
            }
            if (cle == "f" && iv.size() == 4) {
                g.f.push_back({iv[0], iv[1], iv[2], iv[3]});
                g.fn.push_back({in[0], in[1], in[2], in[3]});
            } else if (cle == "l" && iv.size() == 2) {
                g.l.push_back({iv[0], iv[1]});
            } else {
                erreur = "unexpected element: " + ligne;
                return false;
            }
        } else {
            erreur = "unknown keyword: " + ligne;
            return false;
        }
    }
    return true;
}

std::string lireFichier(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Repertoire {
  public:
    Repertoire() {
        std::string modele = (fs::temp_directory_path() / "exportobjXXXXXX").string();
        EXPECT_NE(::mkdtemp(modele.data()), nullptr);
        chemin_ = modele;
    }
    ~Repertoire() {
        std::error_code ec;
        fs::remove_all(chemin_, ec);
    }
    const fs::path& chemin() const { return chemin_; }
    std::size_t nombreEntrees() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(chemin_), fs::directory_iterator()));
    }

  private:
    fs::path chemin_;
};

// The start-up patch converted as the converter does it.
struct Conversion {
    RBBPd converti;
    GenreCyclide code = GenreCyclide::Aucune;
    MorceauCyclide morceau;
};

Conversion conversionDepart(int choix) {
    Conversion c;
    RBBPd bez;
    int type = bez.convertToCD4(0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8,
                                -7.982);
    c.converti = bez;
    c.code = c.converti.calculConversion(type, choix, c.morceau);
    return c;
}

// Writes and reads back the OBJ of a conversion.
std::vector<GroupeLu> exporterEtRelire(const Conversion& c, std::vector<std::string>& notices) {
    Repertoire rep;
    fs::path f = rep.chemin() / "sortie.obj";
    EXPECT_TRUE(exporterObj(f.string(), c.converti, c.code, c.morceau, {"essai"}, notices));
    std::vector<GroupeLu> groupes;
    std::string erreur;
    EXPECT_TRUE(lireObj(lireFichier(f), groupes, erreur)) << erreur;
    return groupes;
}

const GroupeLu* groupe(const std::vector<GroupeLu>& gs, const std::string& nom) {
    for (const auto& g : gs)
        if (g.nom == nom)
            return &g;
    return nullptr;
}

// Each edge inside the grid is shared by exactly two faces that run it in
// opposite directions; a boundary edge belongs to one face.
::testing::AssertionResult orientationCoherente(const GroupeLu& g) {
    std::map<std::pair<int, int>, int> aretes;
    for (const auto& f : g.f)
        for (int k = 0; k < 4; ++k)
            aretes[{f[k], f[(k + 1) % 4]}] += 1;
    for (const auto& [arete, n] : aretes) {
        if (n != 1)
            return ::testing::AssertionFailure() << g.nom << ": edge run twice the same way";
    }
    return ::testing::AssertionSuccess();
}

std::array<double, 3> coordonneesRepere(const RBBPd& r, const std::array<double, 3>& X) {
    // World coordinates X = Base q + omega, with Base orthonormal here:
    // q = Base^T (X - omega).
    std::array<double, 3> d = {X[0] - r.omega.getX0(), X[1] - r.omega.getY0(),
                               X[2] - r.omega.getZ0()};
    std::array<double, 3> q;
    for (int k = 0; k < 3; ++k)
        q[k] = r.Base[0][k] * d[0] + r.Base[1][k] * d[1] + r.Base[2][k] * d[2];
    return q;
}

} // namespace

TEST(ExportObj, StartUpPatchGivesFiveGroupsWithTheGridCounts) {
    Conversion c = conversionDepart(1);
    ASSERT_EQ(c.code, GenreCyclide::Ring);
    std::vector<std::string> notices;
    std::vector<GroupeLu> gs = exporterEtRelire(c, notices);
    EXPECT_TRUE(notices.empty());
    ASSERT_EQ(gs.size(), 5u);
    const char* noms[5] = {"carreau", "carreau_cyclide", "morceau_cyclide", "cyclide", "polyedre"};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(gs[k].nom, noms[k]);
    for (int k : {0, 1}) {
        EXPECT_EQ(gs[k].v.size(), 961u) << noms[k];
        EXPECT_EQ(gs[k].f.size(), 900u) << noms[k];
        EXPECT_TRUE(gs[k].vn.empty()) << noms[k];
    }
    for (int k : {2, 3}) {
        EXPECT_EQ(gs[k].v.size(), 6561u) << noms[k];
        EXPECT_EQ(gs[k].vn.size(), 6561u) << noms[k];
        EXPECT_EQ(gs[k].f.size(), 6400u) << noms[k];
    }
    EXPECT_EQ(gs[4].v.size(), 9u);
    EXPECT_EQ(gs[4].l.size(), 12u);
    EXPECT_TRUE(gs[4].f.empty());
}

TEST(ExportObj, PatchGroupIsTheDrawingSamplesWithTheCornersOnTheNet) {
    Conversion c = conversionDepart(1);
    std::vector<std::string> notices;
    std::vector<GroupeLu> gs = exporterEtRelire(c, notices);
    const GroupeLu* g = groupe(gs, "carreau");
    ASSERT_NE(g, nullptr);
    ASSERT_EQ(g->v.size(), 961u);
    // 17 digits read back to the very samples of the drawing.
    std::vector<std::vector<Point>> e = c.converti.echantillons(30, 30);
    for (int i = 0; i <= 30; ++i)
        for (int j = 0; j <= 30; ++j) {
            const auto& v = g->v[31 * i + j];
            ASSERT_EQ(v[0], e[i][j].getX0());
            ASSERT_EQ(v[1], e[i][j].getY0());
            ASSERT_EQ(v[2], e[i][j].getZ0());
        }
    const int coins[4][3] = {{0, 0, 0}, {30, 0, 2}, {930, 2, 0}, {960, 2, 2}};
    for (const auto& k : coins) {
        const Point& P = c.converti.P[k[1]][k[2]];
        EXPECT_TRUE(tol::near3(g->v[k[0]][0], g->v[k[0]][1], g->v[k[0]][2], P.getX0(), P.getY0(),
                               P.getZ0(), 1e-12, 1e-13, "corner"));
    }
}

TEST(ExportObj, VerticesAreSharedAndFacesConsistentlyOriented) {
    Conversion c = conversionDepart(1);
    std::vector<std::string> notices;
    std::vector<GroupeLu> gs = exporterEtRelire(c, notices);
    for (const auto& g : gs) {
        if (g.f.empty())
            continue;
        EXPECT_TRUE(orientationCoherente(g));
        // Every vertex is used, an inner grid vertex by four faces.
        std::vector<int> usage(g.v.size(), 0);
        for (const auto& f : g.f)
            for (int k : f)
                ++usage[k];
        EXPECT_EQ(*std::min_element(usage.begin(), usage.end()), 1) << g.nom;
        EXPECT_EQ(*std::max_element(usage.begin(), usage.end()), 4) << g.nom;
    }
    // No position is written twice inside the patch groups.
    for (const char* nom : {"carreau", "carreau_cyclide"}) {
        const GroupeLu* g = groupe(gs, nom);
        ASSERT_NE(g, nullptr);
        std::set<std::array<double, 3>> distincts(g->v.begin(), g->v.end());
        EXPECT_EQ(distincts.size(), g->v.size()) << nom;
    }
}

// Every vertex of the converted patch and of the piece lies on the cyclide
// within the converter's residual bound for the start-up patch, and the
// converted patch is the world patch moved into the cyclide's frame.
TEST(ExportObj, ConvertedPatchAndPieceLieOnTheCyclide) {
    for (int choix : {1, 0}) {
        Conversion c = conversionDepart(choix);
        std::vector<std::string> notices;
        std::vector<GroupeLu> gs = exporterEtRelire(c, notices);
        double a = c.converti.a, cc = c.converti.c, mu = c.converti.mu;
        const double L = diagonale(c.converti);
        for (const char* nom : {"carreau_cyclide", "morceau_cyclide"}) {
            const GroupeLu* g = groupe(gs, nom);
            ASSERT_NE(g, nullptr);
            EXPECT_LT(ecartRelatifPoints(a, cc, mu, g->v, L), 1e-12) << nom << " plan " << choix;
        }
        const GroupeLu* monde = groupe(gs, "carreau");
        const GroupeLu* repere = groupe(gs, "carreau_cyclide");
        for (std::size_t k = 0; k < monde->v.size(); k += 37) {
            auto q = coordonneesRepere(c.converti, monde->v[k]);
            EXPECT_TRUE(tol::near3(repere->v[k][0], repere->v[k][1], repere->v[k][2], q[0], q[1],
                                   q[2], 1e-11, 0, "frame coordinates"));
        }
        // The piece's corners are the converted patch's corners.
        const GroupeLu* morceau = groupe(gs, "morceau_cyclide");
        const int coinsPatch[4] = {0, 30, 930, 960};
        const int coinsMorceau[4] = {80, 6560, 0, 6480}; // (t0, p0), (t1, p0), (t0, p1), (t1, p1)
        for (int k = 0; k < 4; ++k) {
            const auto& p = repere->v[coinsPatch[k]];
            const auto& m = morceau->v[coinsMorceau[k]];
            EXPECT_TRUE(tol::near3(m[0], m[1], m[2], p[0], p[1], p[2], 1e-9, 0, "piece corner"));
        }
    }
}

TEST(ExportObj, NormalsAreUnitGradientsAndFacesLookTheirWay) {
    Conversion c = conversionDepart(1);
    std::vector<std::string> notices;
    std::vector<GroupeLu> gs = exporterEtRelire(c, notices);
    for (const char* nom : {"morceau_cyclide", "cyclide"}) {
        const GroupeLu* g = groupe(gs, nom);
        ASSERT_NE(g, nullptr);
        for (std::size_t k = 0; k < g->v.size(); k += 53) {
            const auto& n = g->vn[k];
            const auto& v = g->v[k];
            double grad[3];
            gradientCyclide(c.converti.a, c.converti.c, c.converti.mu, v[0], v[1], v[2], grad);
            double ng = std::sqrt(grad[0] * grad[0] + grad[1] * grad[1] + grad[2] * grad[2]);
            EXPECT_TRUE(tol::near3(n[0], n[1], n[2], grad[0] / ng, grad[1] / ng, grad[2] / ng, 1e-9,
                                   0, std::string(nom) + " normal"));
        }
        // Each face refers to the normals of its own vertices, and its winding
        // agrees with them.
        int accord = 0;
        for (std::size_t k = 0; k < g->f.size(); ++k) {
            const auto& f = g->f[k];
            EXPECT_EQ(f, g->fn[k]);
            auto d = [&](int i, int j, int m) { return g->v[f[i]][m] - g->v[f[j]][m]; };
            double n[3] = {d(2, 0, 1) * d(3, 1, 2) - d(2, 0, 2) * d(3, 1, 1),
                           d(2, 0, 2) * d(3, 1, 0) - d(2, 0, 0) * d(3, 1, 2),
                           d(2, 0, 0) * d(3, 1, 1) - d(2, 0, 1) * d(3, 1, 0)};
            const auto& m = g->vn[f[0]];
            if (n[0] * m[0] + n[1] * m[1] + n[2] * m[2] > 0)
                ++accord;
        }
        EXPECT_GT(accord, static_cast<int>(0.99 * g->f.size())) << nom;
    }
}

TEST(ExportObj, NetGroupIsTheConvertedControlNet) {
    Conversion c = conversionDepart(1);
    std::vector<std::string> notices;
    std::vector<GroupeLu> gs = exporterEtRelire(c, notices);
    const GroupeLu* net = groupe(gs, "polyedre");
    const GroupeLu* repere = groupe(gs, "carreau_cyclide");
    ASSERT_NE(net, nullptr);
    // Net corners = patch corners in the cyclide's frame.
    const int coins[4][2] = {{0, 0}, {2, 30}, {6, 930}, {8, 960}};
    for (const auto& k : coins)
        EXPECT_TRUE(tol::near3(net->v[k[0]][0], net->v[k[0]][1], net->v[k[0]][2],
                               repere->v[k[1]][0], repere->v[k[1]][1], repere->v[k[1]][2], 1e-11, 0,
                               "net corner"));
    // The twelve segments join grid neighbours of the 3 x 3 net, each once.
    std::set<std::pair<int, int>> vus;
    for (const auto& s : net->l) {
        int i0 = s[0] / 3, j0 = s[0] % 3, i1 = s[1] / 3, j1 = s[1] % 3;
        EXPECT_EQ(std::abs(i0 - i1) + std::abs(j0 - j1), 1);
        vus.insert({std::min(s[0], s[1]), std::max(s[0], s[1])});
    }
    EXPECT_EQ(vus.size(), 12u);
}

TEST(ExportObj, NonConvertiblePatchWritesOnlyThePatch) {
    // A finite net with the verdict "not convertible".
    Conversion c = conversionDepart(1);
    c.code = GenreCyclide::Aucune;
    std::vector<std::string> notices;
    std::vector<GroupeLu> gs = exporterEtRelire(c, notices);
    EXPECT_TRUE(notices.empty());
    ASSERT_EQ(gs.size(), 1u);
    EXPECT_EQ(gs[0].nom, "carreau");
    EXPECT_EQ(gs[0].v.size(), 961u);
    EXPECT_EQ(gs[0].f.size(), 900u);
}

TEST(ExportObj, NonFiniteGroupsAreLeftOutWithANotice) {
    Conversion c = conversionDepart(1);
    c.converti.mu = std::nan("");
    std::vector<std::string> notices;
    std::vector<GroupeLu> gs = exporterEtRelire(c, notices);
    ASSERT_EQ(gs.size(), 3u);
    EXPECT_EQ(gs[0].nom, "carreau");
    EXPECT_EQ(gs[1].nom, "carreau_cyclide");
    EXPECT_EQ(gs[2].nom, "polyedre");
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_NE(notices[0].find("morceau_cyclide"), std::string::npos);
    EXPECT_NE(notices[1].find("'cyclide'"), std::string::npos);
    // A singular frame (a zero axis) leaves only the world patch.
    Conversion s = conversionDepart(1);
    for (int k = 0; k < 3; ++k)
        s.converti.Base[k][1] = 0;
    notices.clear();
    gs = exporterEtRelire(s, notices);
    std::string noms;
    for (const auto& g : gs)
        noms += g.nom + ";";
    EXPECT_EQ(noms.find("carreau_cyclide"), std::string::npos) << noms;
    EXPECT_EQ(noms.find("polyedre"), std::string::npos) << noms;
    EXPECT_EQ(noms.substr(0, 8), "carreau;");
}

TEST(ExportObj, WriterNeverPrintsNonNumbers) {
    GroupeObj g = grilleCarreau("essai", RBBP(), 2, 2);
    g.normales.assign(g.sommets.size(), {0, 0, 1});
    g.normales[4] = {std::nan(""), 0, 0};
    std::ostringstream out;
    std::vector<std::string> notices;
    ecrireObj(out, {g}, {}, notices);
    EXPECT_EQ(out.str().find("nan"), std::string::npos);
    EXPECT_EQ(out.str().find("vn"), std::string::npos);
    EXPECT_NE(out.str().find("f 1 4 5 2"), std::string::npos);
    EXPECT_EQ(notices.size(), 1u);
}

TEST(ExportObj, FailedWriteLeavesAnExistingFileUntouched) {
    Conversion c = conversionDepart(1);
    Repertoire rep;
    fs::path f = rep.chemin() / "garde.obj";
    {
        std::ofstream out(f);
        out << "# ancien\n";
    }
    std::vector<std::string> notices;
    // A missing directory, and a name that is a directory.
    EXPECT_FALSE(exporterObj((rep.chemin() / "absent" / "x.obj").string(), c.converti, c.code,
                             c.morceau, {}, notices));
    EXPECT_FALSE(exporterObj(rep.chemin().string(), c.converti, c.code, c.morceau, {}, notices));
    // A write that fails half-way (size limit, as on a full disk), in a child
    // process so that the limit stays there.
    EXPECT_TRUE(echoueAuDelaDe(4096, [&] {
        std::vector<std::string> n;
        return exporterObj(f.string(), c.converti, c.code, c.morceau, {}, n);
    }));
    EXPECT_EQ(lireFichier(f), "# ancien\n");
    EXPECT_EQ(rep.nombreEntrees(), 1u);
    // Then a successful write replaces it.
    EXPECT_TRUE(exporterObj(f.string(), c.converti, c.code, c.morceau, {}, notices));
    EXPECT_NE(lireFichier(f).find("g carreau\n"), std::string::npos);
    EXPECT_EQ(rep.nombreEntrees(), 1u);
}
