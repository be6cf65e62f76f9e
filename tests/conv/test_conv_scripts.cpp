// The converter's options for scripts and CAD run as real processes: a
// batch against single --json runs of a sample of its lines, a batch on the
// standard input whose output stays pure JSON even when the core prints
// diagnostics, the STEP file, and the usage errors of the new options.
#include "JsonMini.h"
#include "LecteurStep.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Sortie {
    int statut = -1;
    std::vector<std::string> lignes;
    std::string erreur;
};

fs::path temporaire(const std::string& nom) {
    return fs::temp_directory_path() / ("conv_scripts_" + std::to_string(::getpid()) + "_" + nom);
}

std::string contenu(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs cyclide-conv with arguments (already quoted for the shell) and an
// optional standard input file; collects its output lines, error text and
// exit status.
Sortie executer(const std::string& arguments, const fs::path& entree = {}) {
    const fs::path out = temporaire("out"), err = temporaire("err");
    std::string commande = std::string("'") + CYCLIDE_CONV + "' " + arguments + " >'" +
                           out.string() + "' 2>'" + err.string() + "'";
    if (!entree.empty())
        commande += " <'" + entree.string() + "'";
    const int s = std::system(commande.c_str());
    Sortie r;
    r.statut = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    std::istringstream in(contenu(out));
    for (std::string l; std::getline(in, l);)
        r.lignes.push_back(l);
    r.erreur = contenu(err);
    fs::remove(out);
    fs::remove(err);
    return r;
}

// A batch row without its input part, to compare with a single run.
std::string sansEntree(const std::string& rang) {
    const std::size_t p = rang.find("\"parameters\":");
    const std::size_t fin = rang.find("},\"plane\"");
    return p == std::string::npos || fin == std::string::npos ? rang
                                                              : rang.substr(p, std::string::npos);
}

} // namespace

// A batch of 2 000 random sets; 40 of its rows, spread over the batch, are
// what a single `cyclide-conv --json` process prints for the same numbers.
TEST(CyclideConvScripts, BatchRowsAreTheSingleRunsJson) {
    std::mt19937_64 alea(7);
    std::uniform_real_distribution<double> x(-4, 4);
    std::vector<std::string> jeux;
    std::string texte;
    for (int k = 0; k < 2000; ++k) {
        std::ostringstream l;
        l.precision(17);
        l << x(alea) << ' ' << x(alea) << ' ' << x(alea) << ' ' << x(alea) << ' '
          << std::fabs(x(alea)) + 0.5 << ' ' << x(alea) << ' ' << x(alea);
        jeux.push_back(l.str());
        texte += l.str() + "\n";
    }
    const fs::path lot = temporaire("lot.txt");
    std::ofstream(lot) << texte;
    const Sortie r = executer("--plan y --lot '" + lot.string() + "' --fils 2");
    fs::remove(lot);
    ASSERT_EQ(r.statut, 0) << r.erreur;
    ASSERT_EQ(r.lignes.size(), jeux.size());
    for (std::size_t k = 0; k < jeux.size(); k += 50) {
        const json::Valeur rang = json::lire(r.lignes[k]);
        EXPECT_EQ(rang["input"]["line"].n, static_cast<double>(k + 1));
        const Sortie seul = executer("--plan y --json " + jeux[k]);
        ASSERT_EQ(seul.statut, 0) << seul.erreur;
        ASSERT_EQ(seul.lignes.size(), 1u);
        EXPECT_EQ(sansEntree(seul.lignes[0]), sansEntree(r.lignes[k])) << jeux[k];
    }
}

// Degenerate sets make the core print diagnostic lines: they go to the
// standard error, and every output line stays one JSON object, in order.
TEST(CyclideConvScripts, StandardInputBatchKeepsItsOutputPureJson) {
    const fs::path entree = temporaire("stdin.txt");
    std::ofstream(entree)
        << "0 0 0 0 0 0 0\n# commentaire\n\n1 2\n"
           "0 1.5707963267948966 -1.0471975511965976 3.141592653589793 4 8 -7.982\n";
    const Sortie r = executer("--lot -", entree);
    const Sortie csv = executer("--lot - --csv --fils 1", entree);
    fs::remove(entree);
    ASSERT_EQ(r.statut, 1) << r.erreur; // a line in error: all rows written, status 1
    ASSERT_EQ(r.lignes.size(), 3u);
    const long attendues[3] = {1, 4, 5};
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_EQ(json::lire(r.lignes[k])["input"]["line"].n, attendues[k]);
    EXPECT_EQ(json::lire(r.lignes[2])["kind"].t, "ring");
    EXPECT_NE(r.erreur.find("1 ligne(s) en erreur sur 5"), std::string::npos) << r.erreur;
    ASSERT_EQ(csv.statut, 1);
    ASSERT_EQ(csv.lignes.size(), 4u);
    EXPECT_EQ(csv.lignes[0].substr(0, 5), "line,");
}

TEST(CyclideConvScripts, StepFileIsWrittenAndReadBack) {
    const fs::path fichier = temporaire("exemple.step");
    const Sortie r = executer("--exemple 2 --json --step '" + fichier.string() + "'");
    ASSERT_EQ(r.statut, 0) << r.erreur;
    ASSERT_EQ(r.lignes.size(), 1u);
    EXPECT_EQ(json::lire(r.lignes[0])["input"]["example"].n, 2);
    const step::Fichier f = step::lire(contenu(fichier));
    EXPECT_EQ(f.avec("GEOMETRIC_SET").size(), 3u);
    // A patch that is not convertible is written alone.
    const Sortie seul = executer("--step '" + fichier.string() + "' 1 2 3 4 1 2 3");
    ASSERT_EQ(seul.statut, 0) << seul.erreur;
    EXPECT_EQ(step::lire(contenu(fichier)).avec("GEOMETRIC_SET").size(), 1u);
    fs::remove(fichier);
}

TEST(CyclideConvScripts, MisusedOptionsAreUsageErrors) {
    const char* const cas[] = {
        "--csv --exemple 1",    "--lot - --fils 0", "--lot - --exemple 1",
        "--fils 2 --exemple 1", "--step",           "--lot /nonexistent/lot.txt"};
    for (const char* arguments : cas) {
        const Sortie r = executer(arguments);
        EXPECT_EQ(r.statut, 2) << arguments;
        EXPECT_EQ(r.erreur.rfind("cyclide-conv : ", 0), 0u) << arguments << ": " << r.erreur;
        EXPECT_TRUE(r.lignes.empty()) << arguments;
    }
}
