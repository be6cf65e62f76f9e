// Damaged CAD files through the converter: each gives its French error
// (status 2) or, for a face whose data is invalid, a row of its own that says
// why (status 3), every other face keeping its number; none crashes it or
// outlasts the reader's limit (set to 5 s here). The base files are three
// B-spline faces of tori written by Open CASCADE's own writers.
#include "DossierDeTest.h"
#include "FacesOcct.h"
#include "JsonMini.h"

#include <Geom_ToroidalSurface.hxx>
#include <gp_Ax3.hxx>
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Execution {
    int statut = -1; // -1: killed by a signal
    std::string sortie, erreur;
};

std::string lire(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Execution convertir(const fs::path& dossier, const std::string& fichier,
                    const std::string& options = "", const std::string& environnement = "") {
    const fs::path out = dossier / "out", err = dossier / "err";
    const std::string commande =
        "CYCLIDE_CAO_DELAI=5 " + environnement + " '" + std::string(CYCLIDE_CONV) + "' " + options +
        " --json --carreau '" + fichier + "' >'" + out.string() + "' 2>'" + err.string() + "'";
    const int s = std::system(commande.c_str());
    return {WIFEXITED(s) ? WEXITSTATUS(s) : -1, lire(out), lire(err)};
}

// The base file: three B-spline faces of tori, side by side.
std::string base(const fs::path& dossier, bool iges) {
    std::vector<TopoDS_Face> faces;
    for (int k = 0; k < 3; ++k) {
        const Handle(Geom_ToroidalSurface) t =
            new Geom_ToroidalSurface(gp_Ax3(gp_Pnt(20 * k, 0, 0), gp_Dir(0, 0, 1)), 5, 2);
        faces.push_back(BRepBuilderAPI_MakeFace(t, 0.1, 1.2, -0.5, 1.0, 1e-7).Face());
    }
    const fs::path p = dossier / (iges ? "base.igs" : "base.step");
    EXPECT_TRUE(faces_occt::ecrire(faces, true, p.string(), iges));
    return lire(p);
}

// Replaces the n-th (from 0) match of motif in texte.
std::string remplacer(const std::string& texte, const std::string& motif, const std::string& par,
                      int n = 1) {
    const std::regex re(motif);
    auto it = std::sregex_iterator(texte.begin(), texte.end(), re);
    for (int k = 0; k < n && it != std::sregex_iterator(); ++k)
        ++it;
    if (it == std::sregex_iterator())
        return texte;
    return texte.substr(0, static_cast<std::size_t>(it->position())) + par +
           texte.substr(static_cast<std::size_t>(it->position() + it->length()));
}

std::string imbrique(int profondeur) {
    return std::string(static_cast<std::size_t>(profondeur), '(') + "1." +
           std::string(static_cast<std::size_t>(profondeur), ')');
}

struct Cas {
    const char* nom;
    bool iges;
    std::string (*abimer)(const std::string& base);
    int statut;          // 2: the file is refused; 3: a face is skipped
    const char* message; // 2: in the error; 3: in the skipped row's reason
};

// What is wrong with the JSON rows against the published schema, "" when
// every row follows it.
std::string horsSchema(const std::string& sortie) {
    std::ifstream f("docs/cyclide-conv.schema.json");
    const json::Valeur racine = json::lire(std::string(std::istreambuf_iterator<char>(f), {}));
    const json::Validateur schema(racine);
    std::istringstream lignes(sortie);
    for (std::string l; std::getline(lignes, l);) {
        const std::string defaut = schema.valider(json::lire(l));
        if (!defaut.empty())
            return defaut + " : " + l.substr(0, 200);
    }
    return "";
}

// The faces of the JSON rows, in order.
std::vector<int> facesDesLignes(const std::string& sortie) {
    std::vector<int> faces;
    const std::regex re("\"face\":([0-9]+)");
    for (auto it = std::sregex_iterator(sortie.begin(), sortie.end(), re);
         it != std::sregex_iterator(); ++it)
        faces.push_back(std::stoi((*it)[1]));
    return faces;
}

const Cas CAS[] = {
    {"step_tronque", false, [](const std::string& b) { return b.substr(0, b.size() * 3 / 5); }, 2,
     "n'est pas un fichier STEP lisible"},
    {"step_reference_pendante", false,
     [](const std::string& b) { return remplacer(b, R"(\(#157,)", "(#999999,", 0); }, 2,
     "incomplet ou defectueux"},
    {"step_reference_a_soi", false,
     [](const std::string& b) { return remplacer(b, R"(\(#157,)", "(#156,", 0); }, 2,
     "incomplet ou defectueux"},
    {"step_imbrication_100000", false,
     [](const std::string& b) {
         return remplacer(b, R"(#157 = CARTESIAN_POINT\('',\()",
                          "#157 = CARTESIAN_POINT(''," + imbrique(100000) + ",(", 0);
     },
     2, "listes imbriquees sur 100001 niveaux"},
    {"step_degre_2e8", false,
     [](const std::string& b) {
         return remplacer(b, R"(B_SPLINE_SURFACE\(2,2,)", "B_SPLINE_SURFACE(200000000,2,");
     },
     3, "degre 200000000 x 2"},
    {"step_poids_nul", false,
     [](const std::string& b) {
         return remplacer(b, R"(RATIONAL_B_SPLINE_SURFACE\(\(\s*\(1\.,)",
                          "RATIONAL_B_SPLINE_SURFACE(((0.,");
     },
     3, "poids nul, negatif ou non fini"},
    {"step_poids_negatif", false,
     [](const std::string& b) {
         return remplacer(b, R"(RATIONAL_B_SPLINE_SURFACE\(\(\s*\(1\.,)",
                          "RATIONAL_B_SPLINE_SURFACE(((-1.,");
     },
     3, "poids nul, negatif ou non fini"},
    {"step_noeuds_desordre", false,
     [](const std::string& b) {
         return remplacer(b, R"(B_SPLINE_SURFACE_WITH_KNOTS\(\(3,3\),\(3,3\),\(\s*0\.1,1\.2\))",
                          "B_SPLINE_SURFACE_WITH_KNOTS((3,3),(3,3),(1.2,0.1)");
     },
     3, "noeuds dans le desordre"},
    {"iges_tronque", true,
     [](const std::string& b) { return b.substr(0, b.size() * 19 / 20 / 81 * 81); }, 2,
     "incomplet ou defectueux"},
    {"iges_reference_pendante", true,
     [](const std::string& b) { return remplacer(b, R"(144,31,)", "144,99,", 0); }, 2,
     "incomplet ou defectueux"},
    {"iges_reference_a_soi", true,
     [](const std::string& b) { return remplacer(b, R"(144,31,)", "144,29,", 0); }, 3, "face"},
    {"iges_poids_nul", true,
     [](const std::string& b) { return remplacer(b, R"(1\.,  0000031P)", "0.,  0000031P", 0); }, 3,
     "poids nul, negatif ou non fini"},
    {"iges_poids_negatif", true,
     [](const std::string& b) { return remplacer(b, R"(1\.,  0000031P)", "-1., 0000031P", 0); }, 3,
     "poids nul, negatif ou non fini"},
    {"iges_poids_nan", true,
     [](const std::string& b) { return remplacer(b, R"(1\.,  0000031P)", "NAN, 0000031P", 0); }, 2,
     "incomplet ou defectueux"},
    {"iges_noeuds_desordre", true,
     [](const std::string& b) {
         return remplacer(b, R"(128,2,2,2,2,0,0,0,0,0,0\.1,)", "128,2,2,2,2,0,0,0,0,0,1.2,");
     },
     3, "noeuds dans le desordre"},
};

} // namespace

class FichiersEndommages : public ::testing::TestWithParam<Cas> {};

TEST_P(FichiersEndommages, ErrorOrSkippedRowNeverACrashNoFaceLost) {
    const Cas& cas = GetParam();
    DossierDeTest dossier("endommage");
    const fs::path p = dossier.chemin() / (std::string(cas.nom) + (cas.iges ? ".igs" : ".step"));
    const std::string texte = cas.abimer(base(dossier.chemin(), cas.iges));
    ASSERT_NE(texte, base(dossier.chemin(), cas.iges)) << "the damage did not apply";
    std::ofstream(p, std::ios::binary) << texte;
    const Execution r = convertir(dossier.chemin(), p.string());
    EXPECT_EQ(r.statut, cas.statut) << r.erreur;
    if (cas.statut == 2) {
        EXPECT_NE(r.erreur.find(cas.message), std::string::npos) << r.erreur;
        EXPECT_NE(r.erreur.find(p.filename().string()), std::string::npos) << r.erreur;
        EXPECT_EQ(r.sortie, "");
        return;
    }
    // Every face has its rows, numbered as in the file; the damaged one
    // says why.
    EXPECT_EQ(facesDesLignes(r.sortie), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(horsSchema(r.sortie), "");
    const std::size_t sautee = r.sortie.find("\"face_status\":\"skipped\"");
    ASSERT_NE(sautee, std::string::npos) << r.erreur;
    EXPECT_NE(r.sortie.find(cas.message, sautee), std::string::npos)
        << r.sortie.substr(sautee, 200);
}

INSTANTIATE_TEST_SUITE_P(Cas, FichiersEndommages, ::testing::ValuesIn(CAS),
                         [](const ::testing::TestParamInfo<Cas>& info) { return info.param.nom; });

// What is not a regular file is refused at once, with its own message.
TEST(FichiersEndommages, OnlyRegularFilesAreRead) {
    DossierDeTest dossier("non-ordinaires");
    const fs::path d = dossier.chemin();
    fs::create_symlink("/dev/zero", d / "zero.igs");
    ASSERT_EQ(::mkfifo((d / "tube.step").c_str(), 0600), 0);
    fs::create_directory(d / "dossier.stp");
    std::ofstream(d / "texte.step") << "pas du STEP\n";
    const std::pair<const char*, const char*> cas[] = {
        {"zero.igs", "est un peripherique"},
        {"tube.step", "est un tube nomme"},
        {"dossier.stp", "est un repertoire"},
        {"absent.iges", "est introuvable"},
        {"texte.step", "n'est pas un fichier STEP : son contenu est d'un autre genre"}};
    for (const auto& [nom, message] : cas) {
        const Execution r = convertir(d, (d / nom).string());
        EXPECT_EQ(r.statut, 2) << nom;
        EXPECT_NE(r.erreur.find(message), std::string::npos) << nom << ": " << r.erreur;
    }
}

// Rows converted on several threads come in the file's order, the same
// bytes as on one, a skipped face included.
TEST(FichiersEndommages, ThreadsKeepTheFilesOrder) {
    DossierDeTest dossier("fils");
    const fs::path p = dossier.chemin() / "poids.step";
    std::ofstream(p, std::ios::binary)
        << remplacer(base(dossier.chemin(), false), R"(RATIONAL_B_SPLINE_SURFACE\(\(\s*\(1\.,)",
                     "RATIONAL_B_SPLINE_SURFACE(((0.,");
    const Execution un = convertir(dossier.chemin(), p.string());
    const Execution trois = convertir(dossier.chemin(), p.string(), "--fils 3");
    EXPECT_EQ(un.statut, 3);
    EXPECT_EQ(trois.statut, 3);
    EXPECT_EQ(facesDesLignes(trois.sortie), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(trois.sortie, un.sortie);
}

namespace {

// A stand-in for cyclide-cao (a shell script named by CYCLIDE_LECTEUR_CAO)
// that gives face 1, dies of SIGSEGV on face 2, and once asked to start
// again from face 3 gives it and ends: the reader's plumbing, for real.
const char* const LECTEUR_QUI_TOMBE = R"(#!/bin/sh
reseau="0 0 0 1 0 1 0 1 0 2 0 1 1 0 0 1 1 1 0 1 1 2 0 1 2 0 0 1 2 1 0 1 2 2 0 1"
echo "cyclide-cao 1"
echo "precision 17 0"
if [ "$4" = 1 ]; then
    echo "carreau 1 10 1 1 B-spline 0 $reseau"
    kill -SEGV $$
fi
echo "carreau 3 30 1 1 B-spline 0 $reseau"
echo "fin 3"
)";

} // namespace

// A reader that crashes on a face: that face gets a skipped row naming the
// signal, the reading starts again after it, no other face lost; one that
// never answers is killed at the time limit.
TEST(FichiersEndommages, AReaderThatStopsLosesOnlyItsFace) {
    DossierDeTest dossier("lecteur");
    const fs::path d = dossier.chemin();
    std::ofstream(d / "lecteur.sh") << LECTEUR_QUI_TOMBE;
    std::ofstream(d / "muet.sh") << "#!/bin/sh\nexec sleep 30\n";
    fs::permissions(d / "lecteur.sh", fs::perms::owner_all);
    fs::permissions(d / "muet.sh", fs::perms::owner_all);
    std::ofstream(d / "f.step") << "ISO-10303-21;\n";
    const Execution tombe = convertir(d, (d / "f.step").string(), "",
                                      "CYCLIDE_LECTEUR_CAO='" + (d / "lecteur.sh").string() + "'");
    EXPECT_EQ(tombe.statut, 3) << tombe.erreur;
    EXPECT_EQ(facesDesLignes(tombe.sortie), (std::vector<int>{1, 2, 3}));
    EXPECT_NE(tombe.sortie.find("le lecteur s'est arrete sur le signal 11"), std::string::npos)
        << tombe.sortie;
    const Execution muet =
        convertir(d, (d / "f.step").string(), "",
                  "CYCLIDE_CAO_DELAI=1 CYCLIDE_LECTEUR_CAO='" + (d / "muet.sh").string() + "'");
    EXPECT_EQ(muet.statut, 2);
    EXPECT_NE(muet.erreur.find("a depasse le delai de 1 s en lisant"), std::string::npos)
        << muet.erreur;
}
