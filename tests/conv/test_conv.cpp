// Runs the cyclide-conv program and checks its report line by line against
// the conversion done in this process, its exit codes and its error lines.
#include "DossierDeTest.h"
#include "Tolerance.h"
#include "conversion/RBBPd.h"
#include "conversion/Residu.h"
#include "fichiers/FichierParametres.h"
#include "scene/Exemples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace cyclide;

namespace fs = std::filesystem;

namespace {

struct Execution {
    int statut = -1;
    std::vector<std::string> lignes; // standard output, one entry per line
    std::string sortie;
    std::string erreur;
};

std::string entreGuillemets(const std::string& arg) {
    std::string r = "'";
    for (char ch : arg)
        r += (ch == '\'') ? std::string("'\\''") : std::string(1, ch);
    return r + "'";
}

std::string lireFichier(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs the converter with the arguments; captures its output, error output
// and exit status. avant: shell words before the command (limits,
// environment); apres: redirections after it.
Execution lancer(const std::vector<std::string>& args, const std::string& avant = "",
                 const std::string& apres = "") {
    fs::path err = fs::temp_directory_path() / ("test_conv_err_" + std::to_string(::getpid()));
    std::string commande = avant + " " + entreGuillemets(CYCLIDE_CONV);
    for (const auto& a : args)
        commande += " " + entreGuillemets(a);
    commande += " " + apres + " 2>" + entreGuillemets(err.string());
    Execution ex;
    FILE* f = ::popen(commande.c_str(), "r");
    if (f == nullptr)
        return ex;
    char tampon[4096];
    std::size_t n;
    while ((n = std::fread(tampon, 1, sizeof tampon, f)) > 0)
        ex.sortie.append(tampon, n);
    int s = ::pclose(f);
    ex.statut = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    ex.erreur = lireFichier(err);
    fs::remove(err);
    std::istringstream in(ex.sortie);
    std::string ligne;
    while (std::getline(in, ligne))
        ex.lignes.push_back(ligne);
    return ex;
}

// The numbers of a line after an optional keyword.
std::vector<double> nombres(const std::string& ligne, const std::string& motCle = "") {
    std::istringstream in(ligne.substr(motCle.size()));
    std::vector<double> v;
    std::string mot;
    while (in >> mot)
        v.push_back(std::strtod(mot.c_str(), nullptr));
    return v;
}

bool commencePar(const std::string& s, const std::string& debut) {
    return s.compare(0, debut.size(), debut) == 0;
}

const std::vector<std::string> DEPART = {
    "0", "1.5707963267948966", "-1.0471975511965976", "3.141592653589793", "4", "8", "-7.982"};

// The window's rebuild in process: construction or example, copy,
// conversion without drawing.
struct Attendu {
    int type;
    int code;
    RBBPd converti;
    MorceauCyclide morceau;
};

Attendu convertirIci(const double p[7], int exemple, int choix) {
    Attendu a;
    RBBPd bez;
    a.type = exemple ? chargerExemple(exemple, bez)
                     : bez.convertToCD4(p[0], p[1], p[2], p[3], p[4], p[5], p[6]);
    a.converti = bez;
    a.code = codeGenre(a.converti.calculConversion(a.type, choix, a.morceau));
    return a;
}

// Checks the 23 record lines (from index 2) against the record computed in
// process: 17 significant digits read back to the very same doubles.
void verifierEnregistrement(const Execution& ex, RBBPd& r) {
    ASSERT_GE(ex.lignes.size(), 25u);
    for (int k = 0; k < 9; ++k) {
        std::vector<double> v = nombres(ex.lignes[2 + k]);
        const Point& P = r.P[k / 3][k % 3];
        ASSERT_EQ(v.size(), 4u) << ex.lignes[2 + k];
        EXPECT_EQ(v[0], P.getX0()) << k;
        EXPECT_EQ(v[1], P.getY0()) << k;
        EXPECT_EQ(v[2], P.getZ0()) << k;
        EXPECT_EQ(v[3], r.w[k / 3][k % 3]) << k;
    }
    EXPECT_EQ(ex.lignes[11], "");
    for (int k = 0; k < 3; ++k) {
        std::vector<double> v = nombres(ex.lignes[12 + k]);
        ASSERT_EQ(v.size(), 3u);
        for (int l = 0; l < 3; ++l)
            EXPECT_EQ(v[l], r.Base[k][l]) << k << " " << l;
    }
    std::vector<double> centre = nombres(ex.lignes[22]);
    ASSERT_EQ(centre.size(), 3u);
    EXPECT_EQ(centre[0], r.omega.getX0());
    EXPECT_EQ(centre[1], r.omega.getY0());
    EXPECT_EQ(centre[2], r.omega.getZ0());
    std::vector<double> acmu = nombres(ex.lignes[24]);
    ASSERT_EQ(acmu.size(), 3u);
    EXPECT_EQ(acmu[0], r.a);
    EXPECT_EQ(acmu[1], r.c);
    EXPECT_EQ(acmu[2], r.mu);
    // The whole record as its own text form at 17 digits.
    std::ostringstream texte;
    texte.precision(17);
    texte << r;
    std::string imprime;
    for (int k = 2; k < 25; ++k)
        imprime += ex.lignes[k] + "\n";
    EXPECT_EQ(imprime, texte.str());
}

// The report of the start-up parameters on plane choix (0 Py, 1 Pz): a ring
// whose record is the one computed here into att, its a and mu, and a tiny
// residual.
void verifierAnneauDeDepart(const Execution& ex, int choix, Attendu& att) {
    ASSERT_EQ(ex.statut, 0) << ex.erreur;
    ASSERT_EQ(ex.lignes.size(), 28u) << ex.sortie;
    EXPECT_EQ(ex.lignes[0], "type 1");
    EXPECT_EQ(ex.lignes[1], "cyclide 1 La cyclide est de type ring");
    const double p[7] = {0,     1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8,
                         -7.982};
    att = convertirIci(p, 0, choix);
    verifierEnregistrement(ex, att.converti);
    std::vector<double> acmu = nombres(ex.lignes[24]);
    EXPECT_TRUE(tol::sig(acmu[0], 4.33980, 6, "a"));
    EXPECT_TRUE(tol::sig(acmu[2], 2.0593049, 8, "mu"));
    std::vector<double> r = nombres(ex.lignes[26], "residu");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_LT(r[0], 1e-12);
}

} // namespace

TEST(CyclideConv, StartUpParametersGiveARingWithItsPieceAndATinyResidual) {
    Execution ex = lancer(DEPART);
    Attendu att;
    ASSERT_NO_FATAL_FAILURE(verifierAnneauDeDepart(ex, 1, att));
    EXPECT_EQ(ex.erreur, "");
    // The cyclide of the start-up patch.
    std::vector<double> acmu = nombres(ex.lignes[24]);
    EXPECT_TRUE(tol::sig(acmu[1], 0.985576, 6, "c"));
    std::vector<double> centre = nombres(ex.lignes[22]);
    EXPECT_TRUE(tol::near3(centre[0], centre[1], centre[2], 0.37392, 0.59828, 1.92174, 1e-5));
    ASSERT_TRUE(commencePar(ex.lignes[25], "morceau "));
    std::vector<double> m = nombres(ex.lignes[25], "morceau");
    ASSERT_EQ(m.size(), 4u);
    EXPECT_EQ(m[0], att.morceau.u0);
    EXPECT_EQ(m[1], att.morceau.u1);
    EXPECT_EQ(m[2], att.morceau.v0);
    EXPECT_EQ(m[3], att.morceau.v1);
    EXPECT_TRUE(tol::sig(m[0], 4.7012, 5, "t0"));
    EXPECT_TRUE(tol::sig(m[1], 2.8489, 5, "t1"));
    EXPECT_TRUE(tol::sig(m[2], -1.614046, 7, "v0"));
    EXPECT_TRUE(tol::sig(m[3], 1.2787, 5, "p0"));
    ASSERT_TRUE(commencePar(ex.lignes[26], "residu "));
    std::vector<double> r = nombres(ex.lignes[26], "residu");
    EXPECT_GE(r[0], 0.0);
    EXPECT_EQ(r[0], residuCyclide(att.converti));
}

TEST(CyclideConv, PlanZIsTheDefaultAndPlanYGivesTheSameRing) {
    Execution defaut = lancer(DEPART);
    std::vector<std::string> avecZ = {"--plan", "z"};
    avecZ.insert(avecZ.end(), DEPART.begin(), DEPART.end());
    EXPECT_EQ(lancer(avecZ).sortie, defaut.sortie);

    std::vector<std::string> avecY = {"--plan", "y"};
    avecY.insert(avecY.end(), DEPART.begin(), DEPART.end());
    Attendu att;
    verifierAnneauDeDepart(lancer(avecY), 0, att);
}

TEST(CyclideConv, FirstExampleIsACrossedTorus) {
    Execution ex = lancer({"--exemple", "1"});
    ASSERT_EQ(ex.statut, 0) << ex.erreur;
    ASSERT_EQ(ex.lignes.size(), 29u) << ex.sortie;
    EXPECT_EQ(ex.lignes[0], "type 2");
    EXPECT_EQ(ex.lignes[1], "cyclide 5 La cyclide est un tore croise");
    // The net is the stored one.
    EXPECT_EQ(nombres(ex.lignes[2]), (std::vector<double>{4, 0, 0, 1}));
    EXPECT_EQ(nombres(ex.lignes[3]), (std::vector<double>{2, 2, 2, 0.8164965}));
    EXPECT_EQ(nombres(ex.lignes[9]), (std::vector<double>{-2, -2, 2, 0.81649658}));
    std::vector<double> centre = nombres(ex.lignes[22]);
    EXPECT_TRUE(tol::near3(centre[0], centre[1], centre[2], 0, 0, -4, 1e-9));
    std::vector<double> acmu = nombres(ex.lignes[24]);
    EXPECT_TRUE(tol::sig(acmu[0], 1.63299, 6, "a"));
    EXPECT_EQ(acmu[1], 0.0);
    EXPECT_TRUE(tol::sig(acmu[2], 4.32049, 6, "mu"));
    Attendu att = convertirIci(nullptr, 1, 1);
    verifierEnregistrement(ex, att.converti);
    // The stored weights carry 7 to 8 digits: the patch is that close, and
    // a spindle cyclide whose c is that small carries it as well.
    std::vector<double> r = nombres(ex.lignes[26], "residu");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_LT(r[0], 1e-6);
    EXPECT_EQ(ex.lignes[28], "genres admis par les donnees 5 2");
}

TEST(CyclideConv, OtherExamplesMatchTheConversionInProcess) {
    for (int n : {2, 3})
        for (int choix : {0, 1}) {
            Execution ex = lancer({"--plan", choix ? "z" : "y", "--exemple", std::to_string(n)});
            ASSERT_EQ(ex.statut, 0) << ex.erreur;
            Attendu att = convertirIci(nullptr, n, choix);
            EXPECT_EQ(ex.lignes[0], "type 1");
            EXPECT_EQ(nombres(ex.lignes[1], "cyclide")[0], att.code);
            EXPECT_GE(att.code, 1);
            EXPECT_LE(att.code, 3);
            verifierEnregistrement(ex, att.converti);
            ASSERT_EQ(ex.lignes.size(), 28u);
            std::vector<double> r = nombres(ex.lignes[26], "residu");
            EXPECT_EQ(r[0], residuCyclide(att.converti));
        }
}

TEST(CyclideConv, ParameterFileGivesTheSameReportAsItsValues) {
    fs::path fichier =
        fs::temp_directory_path() / ("test_conv_" + std::to_string(::getpid()) + ".car");
    const double p[7] = {0,     1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8,
                         -7.982};
    ASSERT_TRUE(ecrireFichierParametres(fichier.string(), p));
    Execution parFichier = lancer({fichier.string()});
    ASSERT_EQ(parFichier.statut, 0) << parFichier.erreur;
    EXPECT_EQ(parFichier.sortie, lancer(DEPART).sortie);
    EXPECT_EQ(parFichier.lignes[0], "type 1");
    // Numbers of the six-digit form on seven lines read as those numbers;
    // the standard input reads the same.
    {
        std::ofstream out(fichier);
        out << "0\n1.5708\n-1.0472\n3.14159\n4\n8\n-7.982\n";
    }
    const std::string sixChiffres =
        lancer({"0", "1.5708", "-1.0472", "3.14159", "4", "8", "-7.982"}).sortie;
    EXPECT_EQ(lancer({"--plan", "z", fichier.string()}).sortie, sixChiffres);
    EXPECT_EQ(lancer({"-"}, "", "< " + entreGuillemets(fichier.string())).sortie, sixChiffres);
    fs::remove(fichier);
}

TEST(CyclideConv, NonConvertiblePatchPrintsNoPieceAndExitsZero) {
    Execution ex = lancer({"0", "0", "0", "0", "0", "0", "0"});
    EXPECT_EQ(ex.statut, 0);
    ASSERT_EQ(ex.lignes.size(), 27u) << ex.sortie;
    EXPECT_EQ(ex.lignes[0], "type 0");
    // The construction's non-finite numbers are words, named on the last line.
    EXPECT_EQ(ex.lignes[4], "indefini indefini indefini 1");
    EXPECT_EQ(ex.lignes[26], "indefini : P01 P10 w11 P12 P21 w22 dA dB");
    EXPECT_EQ(ex.lignes[1], "cyclide 0 Nous n'avons pas un carreau convertible");
    EXPECT_EQ(ex.lignes[2], "verdict non convertible: la construction ne donne pas un carreau "
                            "convertible (type 0)");
    for (const auto& l : ex.lignes) {
        EXPECT_FALSE(commencePar(l, "morceau"));
        EXPECT_FALSE(commencePar(l, "residu"));
    }
}

TEST(CyclideConv, HelpPrintsTheUsage) {
    Execution ex = lancer({"--help"});
    EXPECT_EQ(ex.statut, 0);
    EXPECT_NE(ex.sortie.find("cyclide-conv [--plan y|z] T00 T02 T20 T22 RAYON Z11 P10"),
              std::string::npos);
    EXPECT_NE(ex.sortie.find("--exemple 1|2|3"), std::string::npos);
}

TEST(CyclideConv, BadUsageExitsTwoWithOneFrenchLine) {
    const std::vector<std::vector<std::string>> mauvais = {
        {},
        {"1", "2", "3", "4", "5", "6"},
        {"1", "2", "3", "4", "5", "6", "7", "8"},
        {"0", "1.5708", "abc", "3.14159", "4", "8", "-7.982"},
        {"0", "1.5708", "-1.0472x", "3.14159", "4", "8", "-7.982"},
        {"--plan", "x", "--exemple", "1"},
        {"--plan"},
        {"--exemple", "4"},
        {"--exemple", "0"},
        {"--exemple"},
        {"--exemple", "1", "0", "0", "0", "0", "0", "0", "0"},
        {"--inconnue", "--exemple", "1"},
    };
    for (const auto& args : mauvais) {
        std::string nom;
        for (const auto& a : args)
            nom += a + " ";
        Execution ex = lancer(args);
        EXPECT_EQ(ex.statut, 2) << nom;
        EXPECT_EQ(ex.sortie, "") << nom;
        ASSERT_FALSE(ex.erreur.empty()) << nom;
        EXPECT_TRUE(commencePar(ex.erreur, "cyclide-conv : ")) << ex.erreur;
        EXPECT_EQ(ex.erreur.find('\n'), ex.erreur.size() - 1) << ex.erreur;
    }
}

TEST(CyclideConv, UnreadableOrIncompleteFileExitsTwo) {
    fs::path dossier = fs::temp_directory_path() / ("test_conv_d" + std::to_string(::getpid()));
    fs::create_directory(dossier);
    // A parameter file is read whole: each text and what the message says.
    const std::string reseau = "4 0 0 1\n2 2 2 0.8\n0 4 0 1\n3 -3 2 0.7\n0 0 5 0.6\n"
                               "-3 3 2 0.7\n0 -4 0 1\n-2 -2 2 0.8\n-4 0 0 1\n";
    const std::vector<std::pair<std::string, std::string>> cas = {
        {"0 1.5708 -1.0472 3.14159\n\n4 8\n", "6 valeur(s) sur 7"},
        {"", "0 valeur(s) sur 7"},
        {"0 1.5708 texte 3.14159 4 8 -7.982\n", "'texte' n'est pas un nombre (valeur 3 sur 7)"},
        {"0 1.5708 1e400 3.14159 4 8 -7.982\n", "'1e400' est hors des limites"},
        {"0 1.5708 -1.0472 3.14159\n\n4 8 -7.982\n1 2\n", "'1' suit la septi\xE8me valeur"},
        {reseau, "c'est un carreau donn\xE9 directement"},
        {reseau, "cyclide-conv --carreau '"},
        {"\x89PNG\r\n\x1A\nIHDR", "c'est une image PNG"}};
    for (const auto& [texte, raison] : cas) {
        fs::path f = dossier / "court.car";
        {
            std::ofstream out(f);
            out << texte;
        }
        Execution ex = lancer({f.string()});
        EXPECT_EQ(ex.statut, 2) << texte;
        EXPECT_EQ(ex.sortie, "") << texte;
        EXPECT_TRUE(commencePar(ex.erreur, "cyclide-conv : ")) << ex.erreur;
        EXPECT_NE(ex.erreur.find(raison), std::string::npos) << ex.erreur;
        EXPECT_EQ(ex.erreur.find('\n'), ex.erreur.size() - 1) << ex.erreur;
    }
    for (const auto& nom : {(dossier / "absent.car").string(), dossier.string()}) {
        Execution ex = lancer({nom});
        EXPECT_EQ(ex.statut, 2) << nom;
        EXPECT_EQ(ex.sortie, "") << nom;
        EXPECT_TRUE(commencePar(ex.erreur, "cyclide-conv : ")) << ex.erreur;
    }
    fs::remove_all(dossier);
}

// Parameters for which the construction prints diagnostic lines: they go to
// the standard error, and the standard output keeps its exact layout.
TEST(CyclideConv, CoreDiagnosticsDoNotMixWithTheReport) {
    Execution ex = lancer({"2.1082959999265922", "0.07014533037563586", "3.1169161283163325",
                           "-0.2458817672332585", "6.691869723336765", "-1.820693174380576",
                           "4.8926123547746325"});
    EXPECT_EQ(ex.statut, 0);
    ASSERT_GE(ex.lignes.size(), 26u) << ex.sortie;
    EXPECT_TRUE(commencePar(ex.lignes[0], "type "));
    EXPECT_TRUE(commencePar(ex.lignes[1], "cyclide "));
    const int debut = commencePar(ex.lignes[2], "verdict non convertible: ") ? 3 : 2;
    for (int k = debut; k < debut + 9; ++k)
        EXPECT_EQ(nombres(ex.lignes[k]).size(), 4u) << ex.lignes[k];
    EXPECT_EQ(ex.sortie.find("intersection"), std::string::npos);
}

namespace {

// Group names and, per group, the counts of v, vn, f and l lines of an OBJ
// text.
struct ResumeObj {
    std::vector<std::string> noms;
    std::vector<std::array<int, 4>> comptes;
};

ResumeObj resumer(const std::string& texte) {
    ResumeObj r;
    std::istringstream in(texte);
    std::string ligne;
    while (std::getline(in, ligne)) {
        if (commencePar(ligne, "g ")) {
            r.noms.push_back(ligne.substr(2));
            r.comptes.push_back({0, 0, 0, 0});
        } else if (!r.comptes.empty()) {
            const char* cles[4] = {"v ", "vn ", "f ", "l "};
            for (int k = 0; k < 4; ++k)
                if (commencePar(ligne, cles[k]))
                    ++r.comptes.back()[k];
        }
    }
    return r;
}

fs::path fichierTemporaire(const std::string& nom) {
    return fs::temp_directory_path() / (nom + "_" + std::to_string(::getpid()));
}

} // namespace

TEST(CyclideConvObj, StartUpPatchWritesFiveGroupsAndTheSameReport) {
    fs::path obj = fichierTemporaire("depart.obj");
    std::vector<std::string> args = DEPART;
    args.push_back("--obj");
    args.push_back(obj.string());
    Execution ex = lancer(args);
    ASSERT_EQ(ex.statut, 0) << ex.erreur;
    EXPECT_EQ(ex.erreur, "");
    EXPECT_EQ(ex.sortie, lancer(DEPART).sortie);
    ResumeObj r = resumer(lireFichier(obj));
    EXPECT_EQ(r.noms, (std::vector<std::string>{"carreau", "carreau_cyclide", "morceau_cyclide",
                                                "cyclide", "polyedre"}));
    ASSERT_EQ(r.comptes.size(), 5u);
    EXPECT_EQ(r.comptes[0], (std::array<int, 4>{961, 0, 900, 0}));
    EXPECT_EQ(r.comptes[1], (std::array<int, 4>{961, 0, 900, 0}));
    EXPECT_EQ(r.comptes[2], (std::array<int, 4>{6561, 6561, 6400, 0}));
    EXPECT_EQ(r.comptes[3], (std::array<int, 4>{6561, 6561, 6400, 0}));
    EXPECT_EQ(r.comptes[4], (std::array<int, 4>{9, 0, 0, 12}));
    fs::remove(obj);
}

TEST(CyclideConvObj, OptionMayComeFirstAndWorksForAnExample) {
    fs::path obj = fichierTemporaire("exemple1.obj");
    Execution ex = lancer({"--obj", obj.string(), "--plan", "y", "--exemple", "1"});
    ASSERT_EQ(ex.statut, 0) << ex.erreur;
    EXPECT_EQ(ex.lignes[1], "cyclide 5 La cyclide est un tore croise");
    ResumeObj r = resumer(lireFichier(obj));
    EXPECT_EQ(r.noms.size(), 5u);
    fs::remove(obj);
}

TEST(CyclideConvObj, NonFinitePatchIsLeftOutWithANotice) {
    fs::path obj = fichierTemporaire("nan.obj");
    Execution ex = lancer({"0", "0", "0", "0", "4", "8", "-7.982", "--obj", obj.string()});
    EXPECT_EQ(ex.statut, 0);
    EXPECT_EQ(ex.lignes[0], "type 0");
    EXPECT_NE(ex.erreur.find("'carreau'"), std::string::npos) << ex.erreur;
    std::string texte = lireFichier(obj);
    EXPECT_EQ(texte.find("nan"), std::string::npos);
    EXPECT_TRUE(resumer(texte).noms.empty());
    fs::remove(obj);
}

TEST(CyclideConvObj, WriteFailureExitsTwoAndKeepsTheExistingFile) {
    fs::path dossier = fichierTemporaire("objdossier");
    fs::create_directory(dossier);
    std::vector<std::string> args = DEPART;
    args.push_back("--obj");
    // A missing directory.
    args.push_back((dossier / "absent" / "x.obj").string());
    Execution ex = lancer(args);
    EXPECT_EQ(ex.statut, 2);
    EXPECT_EQ(ex.sortie, "");
    EXPECT_TRUE(commencePar(ex.erreur, "cyclide-conv : ")) << ex.erreur;
    EXPECT_EQ(ex.erreur.find('\n'), ex.erreur.size() - 1) << ex.erreur;
    // A name that is a directory: it stays as it was.
    {
        std::ofstream out(dossier / "dedans.txt");
        out << "garde\n";
    }
    args.back() = dossier.string();
    ex = lancer(args);
    EXPECT_EQ(ex.statut, 2);
    EXPECT_EQ(lireFichier(dossier / "dedans.txt"), "garde\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()), 1);
    // No file name.
    ex = lancer({"--exemple", "1", "--obj"});
    EXPECT_EQ(ex.statut, 2);
    EXPECT_TRUE(commencePar(ex.erreur, "cyclide-conv : ")) << ex.erreur;
    fs::remove_all(dossier);
}

// --- Files and streams under attack ------------------------------------------------

namespace {

// Each test in a fresh directory of its own, removed at the end; helpers
// to make files and to list what the directory holds.
class CyclideConvFichiers : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(dossier.empty()); }
    fs::path ici(const std::string& nom) const { return dossier / nom; }
    void ecrire(const std::string& nom, const std::string& texte) const {
        std::ofstream(ici(nom), std::ios::binary) << texte;
    }
    // The entries of the directory, sorted, each followed by ";".
    std::string entrees() const {
        std::vector<std::string> noms;
        for (const auto& e : fs::directory_iterator(dossier))
            noms.push_back(e.path().filename().string());
        std::sort(noms.begin(), noms.end());
        std::string tout;
        for (const auto& n : noms)
            tout += n + ";";
        return tout;
    }
    // A refusal: status 2, nothing on the standard output, one line saying
    // the expected words.
    static void refuse(const Execution& ex, const std::string& mots) {
        EXPECT_EQ(ex.statut, 2) << ex.erreur;
        EXPECT_EQ(ex.sortie, "");
        EXPECT_TRUE(commencePar(ex.erreur, "cyclide-conv : ")) << ex.erreur;
        EXPECT_NE(ex.erreur.find(mots), std::string::npos) << ex.erreur;
    }

    DossierDeTest temporaire{"conv-fichiers"};
    const fs::path dossier = temporaire.chemin();
    const std::string ANCIEN = "ancien contenu\n";
    const std::string PARAMETRES = "0 1.5708 -1.0472 3.14159\n\n4 8 -7.982\n";
};

} // namespace

// An export to a name of the standard output goes to the real standard
// output (here a file of the test's directory) as a stream, and the report
// moves to the standard error; /dev/stdout itself stays the link it was.
TEST_F(CyclideConvFichiers, ExportToStandardOutputIsWrittenThere) {
    for (const std::string nom : {"/dev/stdout", "/proc/self/fd/1", "-"}) {
        const fs::path sortie = ici("sortie.txt");
        Execution ex =
            lancer({"--exemple", "1", "--obj", nom}, "", "> " + entreGuillemets(sortie.string()));
        EXPECT_EQ(ex.statut, 0) << nom << ": " << ex.erreur;
        const ResumeObj r = resumer(lireFichier(sortie));
        EXPECT_EQ(r.noms.size(), 5u) << nom;
        EXPECT_TRUE(commencePar(lireFichier(sortie), "# cyclide-conv")) << nom;
        EXPECT_TRUE(commencePar(ex.erreur, "type 2\ncyclide 5 ")) << ex.erreur;
        EXPECT_EQ(entrees(), "sortie.txt;");
    }
    struct stat lien {};
    ASSERT_EQ(::lstat("/dev/stdout", &lien), 0);
    EXPECT_TRUE(S_ISLNK(lien.st_mode));
}

// An output that is the input, or both outputs the same file (by name, by
// link, by hard link or as the same stream), is refused before anything
// is written.
TEST_F(CyclideConvFichiers, OutputThatIsAnotherInputOrOutputIsRefused) {
    ecrire("in.car", PARAMETRES);
    ecrire("same.out", ANCIEN);
    fs::create_symlink("in.car", ici("lien.car"));
    fs::create_hard_link(ici("in.car"), ici("dur.car"));
    const std::string in = ici("in.car").string();
    const std::vector<std::pair<std::vector<std::string>, std::string>> cas = {
        {{in, "--obj", in}, "est le fichier d'entree"},
        {{in, "--obj", ici("lien.car").string()}, "est le fichier d'entree"},
        {{in, "--png", ici("dur.car").string()}, "est le fichier d'entree"},
        {{"--exemple", "1", "--obj", ici("same.out").string(), "--png", ici("same.out").string()},
         "designent le meme fichier"},
        {{"--exemple", "1", "--obj", ici("new.out").string(), "--png",
          (dossier / "." / "new.out").string()},
         "designent le meme fichier"},
        {{"--exemple", "1", "--obj", "-", "--png", "/dev/stdout"}, "designent le meme fichier"},
    };
    for (const auto& [args, mots] : cas) {
        refuse(lancer(args), mots);
        EXPECT_EQ(lireFichier(ici("in.car")), PARAMETRES);
        EXPECT_EQ(lireFichier(ici("same.out")), ANCIEN);
        EXPECT_EQ(entrees(), "dur.car;in.car;lien.car;same.out;");
    }
}

// A symbolic link updates its target (also a target still to be made); a
// hard-linked file is replaced: the name written gets the new file, the
// other name keeps the old one.
TEST_F(CyclideConvFichiers, LinksAreWrittenThroughNotReplaced) {
    ecrire("cible.obj", ANCIEN);
    fs::create_symlink("cible.obj", ici("lien.obj"));
    fs::create_symlink("absente.obj", ici("pendant.obj"));
    ecrire("h1.obj", ANCIEN);
    fs::create_hard_link(ici("h1.obj"), ici("h2.obj"));
    for (const char* nom : {"lien.obj", "pendant.obj", "h2.obj"}) {
        Execution ex = lancer({"--exemple", "1", "--obj", ici(nom).string()});
        EXPECT_EQ(ex.statut, 0) << nom << ex.erreur;
    }
    EXPECT_TRUE(fs::is_symlink(ici("lien.obj")));
    EXPECT_TRUE(fs::is_symlink(ici("pendant.obj")));
    for (const char* nom : {"cible.obj", "absente.obj", "h2.obj"})
        EXPECT_EQ(resumer(lireFichier(ici(nom))).noms.size(), 5u) << nom;
    EXPECT_EQ(lireFichier(ici("h1.obj")), ANCIEN);
    EXPECT_EQ(fs::hard_link_count(ici("h1.obj")), 1u);
    EXPECT_EQ(entrees(), "absente.obj;cible.obj;h1.obj;h2.obj;lien.obj;pendant.obj;");
}

// Inputs from pipes: a named pipe fed the parameters gives the report, one
// fed endless digits stops at the bound with a message instead of growing.
TEST_F(CyclideConvFichiers, PipesAreReadWithABound) {
    const fs::path tube = ici("tube");
    ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
    const std::string t = entreGuillemets(tube.string());
    Execution ex = lancer({tube.string()}, "(printf '" + PARAMETRES + "' > " + t + " &);");
    EXPECT_EQ(ex.statut, 0) << ex.erreur;
    EXPECT_EQ(ex.sortie, lancer({"0", "1.5708", "-1.0472", "3.14159", "4", "8", "-7.982"}).sortie);
    ex = lancer({tube.string()},
                "(yes 1234567890 2>/dev/null | tr -d '\\n' > " + t + " 2>/dev/null &); timeout 60");
    refuse(ex, "plus de 64 Ko");
    ex = lancer({"-"}, "", "< /dev/zero");
    refuse(ex, "plus de 64 Ko");
    EXPECT_EQ(entrees(), "tube;");
}

// A display that cannot be opened is an error with a message, not an
// abort; nothing is written.
TEST_F(CyclideConvFichiers, ImageWithoutUsableDisplayIsAnError) {
#ifdef CYCLIDE_CONV_PNG
    const std::string png = ici("x.png").string();
    for (const std::string env :
         {"env DISPLAY=:7777 QT_QPA_PLATFORM=xcb", "env QT_QPA_PLATFORM=bogus"}) {
        refuse(lancer({"--exemple", "1", "--png", png}, env), "Aucun affichage disponible");
        EXPECT_EQ(entrees(), "");
    }
#else
    GTEST_SKIP() << "cyclide-conv built without the image";
#endif
}

// Long names, a file-size limit, a full file system and a directory the
// user may not write: each either succeeds or fails with a message,
// leaving the old file as it was and no temporary behind.
TEST_F(CyclideConvFichiers, WriteFailuresLeaveTheOldFile) {
    const std::string longue = std::string(245, 'a') + ".obj";
    Execution ex = lancer({"--exemple", "1", "--obj", ici(longue).string()});
    EXPECT_EQ(ex.statut, 0) << ex.erreur;
    fs::remove(ici(longue));

    ecrire("keep.obj", ANCIEN);
    ex = lancer({"--exemple", "1", "--obj", ici("keep.obj").string()}, "ulimit -f 100;");
    refuse(ex, "taille de fichier maximale depassee");
    EXPECT_EQ(lireFichier(ici("keep.obj")), ANCIEN);
    EXPECT_EQ(entrees(), "keep.obj;");

    // A 256 Ko file system (needs the right to mount one).
    const fs::path petit = ici("petit");
    fs::create_directory(petit);
    const std::string p = entreGuillemets(petit.string());
    if (std::system(("mount -t tmpfs -o size=256k tmpfs " + p + " 2>/dev/null").c_str()) == 0) {
        std::ofstream(petit / "keep.obj") << ANCIEN;
        ex = lancer({"--exemple", "1", "--obj", (petit / "keep.obj").string()});
        refuse(ex, "plus de place sur le disque");
        EXPECT_EQ(lireFichier(petit / "keep.obj"), ANCIEN);
        EXPECT_EQ(std::distance(fs::directory_iterator(petit), fs::directory_iterator()), 1);
        EXPECT_EQ(std::system(("umount " + p).c_str()), 0);
    } else {
        std::cout << "[  NOTE    ] no tmpfs mount allowed: full file system not tried\n";
    }

    // A directory the user may not write: as root, run unprivileged.
    const fs::path ferme = ici("ferme");
    fs::create_directory(ferme);
    std::ofstream(ferme / "f.obj") << ANCIEN;
    fs::permissions(ferme, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                               fs::perms::group_exec | fs::perms::others_read |
                               fs::perms::others_exec);
    fs::permissions(dossier, fs::perms::others_exec, fs::perm_options::add);
    std::string sansDroits;
    if (::geteuid() == 0) {
        if (std::system("setpriv --reuid=65534 --regid=65534 --clear-groups true") != 0)
            GTEST_SKIP() << "running as root without setpriv: permissions do not bind root";
        sansDroits = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    }
    ex = lancer({"--exemple", "1", "--obj", (ferme / "f.obj").string()}, sansDroits);
    refuse(ex, "permission refusee");
    EXPECT_EQ(lireFichier(ferme / "f.obj"), ANCIEN);
    EXPECT_EQ(std::distance(fs::directory_iterator(ferme), fs::directory_iterator()), 1);
    // A file anyone may write, in that folder: the folder is named.
    fs::permissions(ferme / "f.obj", fs::perms::all);
    ex = lancer({"--exemple", "1", "--obj", (ferme / "f.obj").string()}, sansDroits);
    refuse(ex, "permission refusee dans le dossier '" + ferme.string() + "'");
    EXPECT_EQ(lireFichier(ferme / "f.obj"), ANCIEN);
}

// One rule for numbers on the command line and in files: finite decimal
// numbers with white space around them; anything else is refused, naming
// it.
TEST_F(CyclideConvFichiers, NumbersFollowOneRule) {
    const std::vector<std::string> refuses = {"nan", "inf", "-inf", "1e400", "0x1p3", "1,5", ""};
    for (const std::string& mot : refuses) {
        refuse(lancer({mot, "1.5708", "-1.0472", "3.14159", "4", "8", "-7.982"}), "'" + mot + "'");
        ecrire("f.car", "0 1.5708 " + mot + " 3.14159 4 8 -7.982\n");
        if (!mot.empty())
            refuse(lancer({ici("f.car").string()}), "'" + mot + "'");
    }
    const std::string attendu = lancer(DEPART).sortie;
    for (const char* forme : {" 4", "4 ", "\t4\n", "4.0", "+4", "4e0"}) {
        std::vector<std::string> args = DEPART;
        args[4] = forme;
        Execution ex = lancer(args);
        EXPECT_EQ(ex.statut, 0) << "'" << forme << "' " << ex.erreur;
        EXPECT_EQ(ex.sortie, attendu) << "'" << forme << "'";
    }
}

// The core's diagnostics (ISO 8859-1 on its standard output) reach the
// standard error in UTF-8 and never the report, nor an export to the
// standard output.
TEST_F(CyclideConvFichiers, CoreDiagnosticsReachTheStandardErrorInUtf8) {
    const std::vector<std::string> degenere = {"-3.141592653589793",
                                               "1.5707963267948966",
                                               "-1.0471975511965976",
                                               "3.141592653589793",
                                               "4",
                                               "8",
                                               "1.5707963267948966"};
    Execution ex = lancer(degenere);
    EXPECT_EQ(ex.statut, 0) << ex.erreur;
    EXPECT_NE(ex.erreur.find("parall\xC3\xA8le"), std::string::npos) << ex.erreur;
    EXPECT_EQ(ex.erreur.find("parall\xE8le"), std::string::npos);
    EXPECT_TRUE(commencePar(ex.sortie, "type ")) << ex.sortie;
    EXPECT_EQ(ex.sortie.find("parall"), std::string::npos);
    std::vector<std::string> args = degenere;
    args.insert(args.end(), {"--obj", "-"});
    ex = lancer(args, "", "> " + entreGuillemets(ici("sortie.obj").string()));
    EXPECT_EQ(ex.statut, 0) << ex.erreur;
    EXPECT_TRUE(commencePar(lireFichier(ici("sortie.obj")), "# cyclide-conv"));
    EXPECT_EQ(lireFichier(ici("sortie.obj")).find("parall"), std::string::npos);
    // Checking every reading meets the same degenerate line many times: it
    // is written once, with how often it came.
    ex = lancer({"0", "1.5707963267948966", "-1.0471975511965976", "1e-08", "4", "8", "-7.982"});
    const std::size_t premiere = ex.erreur.find("parall\xC3\xA8le");
    ASSERT_NE(premiere, std::string::npos) << ex.erreur;
    EXPECT_EQ(ex.erreur.find("parall", premiere + 1), std::string::npos) << ex.erreur;
    EXPECT_NE(ex.erreur.find(" fois de suite)\n"), std::string::npos) << ex.erreur;
}

// A named pipe as output: written as a stream when a program reads it,
// refused at once (not waited on) when none does; the pipe stays a pipe.
TEST_F(CyclideConvFichiers, NamedPipeOutputIsWrittenOnlyWhenRead) {
    const fs::path tube = ici("tube.obj");
    ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
    const std::string t = entreGuillemets(tube.string());
    const std::string recu = entreGuillemets(ici("recu.obj").string());
    Execution ex = lancer({"--exemple", "1", "--obj", tube.string()},
                          "(cat " + t + " > " + recu + " &); sleep 1;");
    EXPECT_EQ(ex.statut, 0) << ex.erreur;
    for (int k = 0; k < 50 && resumer(lireFichier(ici("recu.obj"))).noms.size() < 5; ++k)
        ::usleep(100000);
    EXPECT_EQ(resumer(lireFichier(ici("recu.obj"))).noms.size(), 5u);
    refuse(lancer({"--exemple", "1", "--obj", tube.string()}, "timeout 20"),
           "aucun programme ne lit ce tube");
    struct stat etat {};
    ASSERT_EQ(::lstat(tube.c_str(), &etat), 0);
    EXPECT_TRUE(S_ISFIFO(etat.st_mode));
    EXPECT_EQ(entrees(), "recu.obj;tube.obj;");
}

// --- Nets given directly -------------------------------------------------------------

namespace {

// The nine "x y z w" lines of the net in a report of the converter (after the
// verdict line when there is one), as a net file's text.
std::string reseauDuRapport(const Execution& ex) {
    const std::size_t debut = commencePar(ex.lignes.at(2), "verdict non convertible: ") ? 3 : 2;
    std::string texte = "# net written by the converter\n";
    for (std::size_t k = debut; k < debut + 9; ++k)
        texte += ex.lignes.at(k) + "\n";
    return texte;
}

// The residual of a report; NaN without a residu line.
double residuDuRapport(const Execution& ex) {
    for (const auto& l : ex.lignes)
        if (commencePar(l, "residu "))
            return std::strtod(l.c_str() + 7, nullptr);
    return std::nan("");
}

// Either a truthful code 0 (the verdict line gives a reason) or a kind whose
// cyclide carries the patch within 1e-3.
void verdictVeridique(const Execution& ex) {
    ASSERT_EQ(ex.statut, 0) << ex.erreur;
    ASSERT_GE(ex.lignes.size(), 3u) << ex.sortie;
    if (ex.lignes[1] == "cyclide 0 Nous n'avons pas un carreau convertible") {
        EXPECT_TRUE(commencePar(ex.lignes[2], "verdict non convertible: "));
        EXPECT_GT(ex.lignes[2].size(), 26u) << ex.lignes[2];
    } else {
        EXPECT_LE(residuDuRapport(ex), 1e-3) << ex.sortie;
    }
}

} // namespace

// A net written from the seven parameters at 17 digits gives the parameters'
// type and kind, and their cyclide to 1e-6 of its size (the net's is
// polished; its frame may be turned by one of the cyclide's symmetries).
TEST_F(CyclideConvFichiers, NetWrittenFromTheParametersGivesTheirCyclide) {
    const std::vector<std::vector<std::string>> cas = {
        {"--plan", "z"},
        {"--plan", "y"},
        {"--plan", "z", "0", "1.2", "-0.9", "2.8", "3", "5", "-6"}};
    for (const auto& options : cas) {
        std::vector<std::string> args = options;
        if (args.size() == 2)
            args.insert(args.end(), DEPART.begin(), DEPART.end());
        const Execution parametres = lancer(args);
        ASSERT_EQ(parametres.statut, 0) << parametres.erreur;
        ecrire("reseau.txt", reseauDuRapport(parametres));
        const Execution reseau = lancer({options[0], options[1], "--carreau", ici("reseau.txt")});
        ASSERT_EQ(reseau.statut, 0) << reseau.erreur;
        ASSERT_EQ(reseau.lignes.size(), parametres.lignes.size()) << reseau.sortie;
        EXPECT_NE(reseau.lignes[1], "cyclide 0 Nous n'avons pas un carreau convertible");
        EXPECT_EQ(reseau.lignes[0], parametres.lignes[0]);
        EXPECT_EQ(reseau.lignes[1], parametres.lignes[1]);
        const std::vector<double> attendu = nombres(parametres.lignes[24]);
        const std::vector<double> lu = nombres(reseau.lignes[24]);
        ASSERT_EQ(lu.size(), 3u);
        const double taille = std::max(std::fabs(attendu[0]), std::fabs(attendu[2]));
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(std::fabs(lu[k]), std::fabs(attendu[k]), 1e-6 * taille) << k;
        EXPECT_LE(residuDuRapport(reseau), 1e-6) << reseau.sortie;
    }
}

// The middle weight moved by 1e-3: the boundaries are still circular arcs,
// but no cyclide carries the patch within the default tolerance; a looser
// tolerance accepts it. The same net on the standard input.
TEST_F(CyclideConvFichiers, PerturbedNetIsNotConvertibleAndSaysWhy) {
    Execution ex = lancer(DEPART);
    std::vector<std::string> lignes;
    std::istringstream in(reseauDuRapport(ex));
    for (std::string l; std::getline(in, l);)
        lignes.push_back(l);
    std::vector<double> p11 = nombres(lignes[5]);
    std::ostringstream poids;
    poids.precision(17);
    poids << p11[0] << " " << p11[1] << " " << p11[2] << " " << p11[3] + 1e-3;
    lignes[5] = poids.str();
    std::string texte;
    for (const auto& l : lignes)
        texte += l + "\n";
    ecrire("decale.txt", texte);
    ex = lancer({"--carreau", "-"}, "", "< " + entreGuillemets(ici("decale.txt").string()));
    ASSERT_EQ(ex.statut, 0) << ex.erreur;
    ASSERT_GE(ex.lignes.size(), 3u);
    EXPECT_EQ(ex.lignes[0], "type 1");
    EXPECT_EQ(ex.lignes[1], "cyclide 0 Nous n'avons pas un carreau convertible");
    EXPECT_TRUE(commencePar(ex.lignes[2], "verdict non convertible: aucune cyclide de Dupin ne "
                                          "porte ce carreau : au mieux R = "))
        << ex.lignes[2];
    const double r = residuDuRapport(ex);
    EXPECT_GT(r, 1e-6);
    EXPECT_LT(r, 1e-2);
    ex = lancer({"--carreau", ici("decale.txt"), "--tolerance", "1e-2"});
    EXPECT_EQ(ex.statut, 0) << ex.erreur;
    EXPECT_EQ(ex.lignes.at(1), "cyclide 1 La cyclide est de type ring");
}

// Parameters at the edges of the construction: a truthful verdict each time.
TEST(CyclideConv, EdgeParametersGiveATruthfulVerdict) {
    const std::vector<std::vector<std::string>> cas = {
        {"0", "1.5707963267948966", "-1.0471975511965976", "1e-08", "4", "8", "-7.982"},
        {"0", "1e-08", "-1.0471975511965976", "3.141592653589793", "4", "8", "-7.982"},
        {"--plan", "y", "0", "1.5707963267948966", "-1.0471975511965976", "3.141592653589793", "4",
         "8", "-1e8"},
        {"0", "1.5707963267948966", "-1.0471975511965976", "6.283185307179586", "4", "8",
         "-7.982"}};
    for (const auto& args : cas) {
        SCOPED_TRACE(args[3]);
        verdictVeridique(lancer(args));
    }
    // The first one is not convertible: the reason is given, with the best
    // reading's residual.
    const Execution ex = lancer(cas[0]);
    EXPECT_EQ(ex.lignes.at(1), "cyclide 0 Nous n'avons pas un carreau convertible");
    EXPECT_TRUE(commencePar(ex.lignes.at(2), "verdict non convertible: "));
    EXPECT_GT(residuDuRapport(ex), 1e-3);
}

// Bad net files exit with status 2 and name the line or the boundary at
// fault; a net file is also an input that no output may overwrite.
TEST_F(CyclideConvFichiers, BadNetFilesAreRefused) {
    ecrire("reseau.txt", reseauDuRapport(lancer(DEPART)));
    const std::string bon = lireFichier(ici("reseau.txt"));
    std::string huit = bon.substr(0, bon.rfind('\n', bon.size() - 2) + 1);
    std::string mot = bon;
    mot.replace(mot.find('\n', mot.find('\n') + 1) + 1, 1, "x");
    std::string arc = bon;
    arc.replace(arc.find('\n') + 1, 1, "5"); // P00 moved: the boundaries u = 0 and v = 0 bend
    const std::vector<std::pair<std::string, std::string>> cas = {
        {huit, "n'a que 8 point(s) sur neuf"}, {mot, "ligne 3 : 'x"}, {"", "n'a que 0 point(s)"}};
    for (const auto& [texte, mots] : cas) {
        ecrire("mauvais.txt", texte);
        refuse(lancer({"--carreau", ici("mauvais.txt")}), mots);
    }
    // A boundary that is not a circular arc is a verdict, not an error.
    ecrire("arc.txt", arc);
    const Execution verdict = lancer({"--carreau", ici("arc.txt")});
    EXPECT_EQ(verdict.statut, 0) << verdict.erreur;
    ASSERT_GE(verdict.lignes.size(), 3u);
    EXPECT_EQ(verdict.lignes[0], "type 0");
    EXPECT_TRUE(commencePar(verdict.lignes[2], "verdict non convertible: le bord u = 0 (P00 P01 "
                                               "P02) n'est pas un arc de cercle"));
    refuse(lancer({"--carreau", ici("absent.txt")}), "impossible d'ouvrir");
    refuse(lancer({"--carreau", ici("reseau.txt"), "--tolerance", "0"}), "--tolerance");
    refuse(lancer({"--carreau", ici("reseau.txt"), "--tolerance", "1"}), "]0, 1[");
    refuse(lancer({"--tolerance", "1e-3", "--exemple", "1"}),
           "--tolerance va avec --carreau ou --lot");
    refuse(lancer({"--carreau", ici("reseau.txt"), "--obj", ici("reseau.txt")}),
           "est le fichier d'entree");
    EXPECT_EQ(lireFichier(ici("reseau.txt")), bon);
}
