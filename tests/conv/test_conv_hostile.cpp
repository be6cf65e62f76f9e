// The converter under hostile use, as real processes: outputs that must end
// whole or as they were when the process is stopped by a signal, results
// that tell the truth (closed output, undefined numbers, raw control bytes,
// failed batch lines, misused options), batches that answer line by line,
// nets in batches, and texts in other encodings.
#include "DossierDeTest.h"
#include "JsonMini.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <set>
#include <sstream>
#include <string>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string DEPART = "0 1.5707963267948966 -1.0471975511965976 3.141592653589793 4 8 -7.982";

std::string lire(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Resultat {
    int statut = -1;
    std::string sortie, erreur;
};

// Runs "cyclide-conv ARGUMENTS" through the shell in dossier (arguments
// already quoted; redirections allowed).
Resultat executer(const fs::path& dossier, const std::string& arguments) {
    const std::string commande = "cd '" + dossier.string() + "' && '" + CYCLIDE_CONV + "' " +
                                 arguments + " >sortie.txt 2>erreur.txt";
    const std::string avecSortie = arguments.find(">&-") != std::string::npos
                                       ? "cd '" + dossier.string() + "' && '" + CYCLIDE_CONV +
                                             "' " + arguments + " 2>erreur.txt"
                                       : commande;
    const int s = std::system(avecSortie.c_str());
    Resultat r;
    r.statut = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    r.sortie = lire(dossier / "sortie.txt");
    r.erreur = lire(dossier / "erreur.txt");
    fs::remove(dossier / "sortie.txt");
    return r;
}

// The start-up patch's net, one "x y z w" line per point.
std::string reseauDepart(const fs::path& dossier) {
    std::istringstream rapport(executer(dossier, DEPART).sortie);
    std::string ligne, texte;
    for (int k = 0; std::getline(rapport, ligne) && k < 11; ++k)
        if (k >= 2)
            texte += ligne + "\n";
    return texte;
}

// Runs cyclide-conv ARGUMENTS in dossier, traced, and kills it (SIGKILL) as
// it enters its n-th call that writes, reserves, cuts, flushes or renames a
// file. False when it ended before.
bool tuerAuAppel(const fs::path& dossier, std::vector<const char*> arguments, int n) {
    const std::set<long> appels = {SYS_write, SYS_pwrite64, SYS_fallocate, SYS_ftruncate,
                                   SYS_fsync, SYS_rename,   SYS_renameat,  SYS_renameat2};
    arguments.insert(arguments.begin(), CYCLIDE_CONV);
    arguments.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::chdir(dossier.c_str());
        std::freopen("/dev/null", "w", stdout);
        ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1); // LeakSanitizer cannot trace it
        ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        ::execv(CYCLIDE_CONV, const_cast<char* const*>(arguments.data()));
        ::_exit(127);
    }
    int statut = 0;
    ::waitpid(pid, &statut, 0); // stopped at its exec
    ::ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    for (int signal = 0; ::ptrace(PTRACE_SYSCALL, pid, nullptr, signal) == 0;) {
        ::waitpid(pid, &statut, 0);
        const bool appel = WIFSTOPPED(statut) && WSTOPSIG(statut) == (SIGTRAP | 0x80);
        signal = WIFSTOPPED(statut) && !appel ? WSTOPSIG(statut) : 0;
        __ptrace_syscall_info info{};
        if (appel && ::ptrace(PTRACE_GET_SYSCALL_INFO, pid, sizeof info, &info) > 0 &&
            info.op == PTRACE_SYSCALL_INFO_ENTRY && appels.count(info.entry.nr) > 0 && --n == 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &statut, 0);
            return true;
        }
    }
    return false;
}

} // namespace

// Killed (SIGKILL) as it enters each call that writes, reserves, cuts,
// flushes or renames, an export over a hard-linked file longer than the new
// text leaves that name as it was or complete, never mixed nor padded, and
// its other name as it was.
TEST(ConvHostile, KilledWritesOverAHardLinkLeaveTheOldFileOrTheWholeNewOne) {
    DossierDeTest d("conv-tue");
    const fs::path& dir = d.chemin();
    ASSERT_EQ(executer(dir, "--exemple 2 --obj complet.obj").statut, 0);
    const std::string complet = lire(dir / "complet.obj"), ancien(complet.size() + 4096, 'a');
    int n = 1;
    for (bool tue = true; tue && n < 50; ++n) {
        std::ofstream(dir / "cible.obj") << ancien;
        fs::create_hard_link(dir / "cible.obj", dir / "autre.obj");
        tue = tuerAuAppel(dir, {"--exemple", "2", "--obj", "cible.obj"}, n);
        const std::string fin = lire(dir / "cible.obj");
        EXPECT_TRUE(fin == complet || (tue && fin == ancien))
            << "killed at call " << n << ": " << fin.size() << " bytes";
        EXPECT_TRUE(lire(dir / "autre.obj") == ancien) << "killed at call " << n;
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().filename() != "complet.obj")
                fs::remove(e.path());
    }
    EXPECT_GT(n, 4) << "fewer kill points than the write, flush and rename of the output";
}

// Stopped by SIGINT, SIGTERM, SIGHUP or SIGQUIT at any moment, an export
// leaves its target either as it was or complete (a hard-linked target
// included, replaced or with --en-place written through its link), and
// never its temporary file.
TEST(ConvHostile, StoppedWritesLeaveTheOldFileOrTheWholeNewOne) {
    DossierDeTest d("conv-signal");
    const fs::path& dir = d.chemin();
    ASSERT_EQ(executer(dir, "--exemple 2 --obj complet.obj").statut, 0);
    const std::string complet = lire(dir / "complet.obj");
    ASSERT_GT(complet.size(), 100000u);
    int coupes = 0;
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        for (int lienDur : {0, 1, 2}) // 2: --en-place
            for (int delai = 0; delai < 240; delai += 30) {
                std::ofstream(dir / "cible.obj") << "ancien\n";
                if (lienDur)
                    fs::create_hard_link(dir / "cible.obj", dir / "autre.obj");
                const pid_t pid = ::fork();
                if (pid == 0) {
                    ::chdir(dir.c_str());
                    ::execl(CYCLIDE_CONV, CYCLIDE_CONV, "--exemple", "2", "--obj", "cible.obj",
                            "--json", lienDur == 2 ? "--en-place" : nullptr,
                            static_cast<char*>(nullptr));
                    ::_exit(127);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(delai));
                ::kill(pid, signal);
                int statut = 0;
                ::waitpid(pid, &statut, 0);
                coupes += WIFSIGNALED(statut) ? 1 : 0;
                const std::string fin = lire(dir / "cible.obj");
                EXPECT_TRUE(fin == "ancien\n" || fin == complet)
                    << "signal " << signal << " after " << delai << " ms: " << fin.size()
                    << " bytes";
                if (lienDur > 0) {
                    EXPECT_EQ(lire(dir / "autre.obj"), lienDur == 2 ? fin : "ancien\n");
                }
                for (const auto& e : fs::directory_iterator(dir))
                    EXPECT_EQ(e.path().filename().string().find(".tmp-"), std::string::npos)
                        << e.path() << " left by signal " << signal;
                fs::remove(dir / "cible.obj");
                fs::remove(dir / "autre.obj");
            }
    EXPECT_GT(coupes, 0) << "no run was stopped: the delays are too long for this machine";
}

// Each case: the arguments (with their redirections), the exit status and a
// text the standard output or the standard error must hold.
TEST(ConvHostile, ResultsTellTheTruth) {
    DossierDeTest d("conv-verite");
    const fs::path& dir = d.chemin();
    std::ofstream(dir / "esc.txt") << "0 0 \x1b[31mrouge\a 1\n";
    std::ofstream(dir / "fautes.txt") << "1 2 3\n0 1,5 2 3 4 5 6\n0,,1,2,3,4,5\n";
    std::ofstream(dir / "bom.car") << "\xEF\xBB\xBF" << DEPART << "\n";
    const std::string longChiffres = "1" + std::string(1000, '0') + "\a";
    const struct {
        std::string arguments;
        int statut;
        std::string attendu;
    } cas[] = {
        {"--exemple 1 --json >&-", 2, "erreur d'ecriture du rapport : la sortie est fermee"},
        {"--exemple 1 >&-", 2, "la sortie est fermee"},
        {"--lot - < fautes.txt >&-", 2, "erreur d'ecriture sur la sortie standard"},
        {"0 0 0 0 0 0 0", 0, "\nindefini : P01 P10 w11 P12 P21 w22 dA dB\n"},
        {"0 0 0 0 0 0 0", 0, "\n0 0 0 indefini\n"},
        {"--carreau esc.txt", 2, "'\\x1B[31mrouge\\x07' n'est pas un nombre"},
        {"1 2 3 4 5 6 '" + longChiffres + "'", 2, "'1000000000000000000000000000000000000000...'"},
        {"--lot fautes.txt", 1, "3 ligne(s) en erreur sur 3"},
        {"--lot fautes.txt", 1, "both commas and white space"},
        {"--lot fautes.txt", 1, "field 2 '' is not"},
        {"--lot fautes.txt --lot fautes.txt", 2, "l'option --lot est donnee plusieurs fois"},
        {"--exemple 1 --exemple 2", 2, "l'option --exemple est donnee plusieurs fois"},
        {"--json --json --exemple 1", 2, "l'option --json est donnee plusieurs fois"},
        {"--exemple 1 --obj --json", 2, "l'option --obj attend un nom de fichier"},
        {"bom.car", 0, "cyclide 1 La cyclide est de type ring"},
        {"--lot .", 2, "impossible d'ouvrir le fichier '.' : c'est un repertoire"},
        {"--exemple 1 --step", 2, "l'option --step attend un nom de fichier"},
        {"--exemple 1 --en-place", 2, "--en-place va avec --obj, --png, --step ou --iges"},
    };
    for (const auto& c : cas) {
        const Resultat r = executer(dir, c.arguments);
        EXPECT_EQ(r.statut, c.statut) << c.arguments << "\n" << r.erreur;
        EXPECT_NE((r.sortie + r.erreur).find(c.attendu), std::string::npos) << c.arguments << "\n"
                                                                            << r.sortie << r.erreur;
        EXPECT_LT(r.erreur.size(), 400u) << c.arguments;
        for (char ch : r.erreur)
            EXPECT_TRUE(ch == '\n' || static_cast<unsigned char>(ch) >= 0x20) << c.arguments;
    }
    EXPECT_FALSE(fs::exists(dir / "--json"));
}

// A script that sends one line and waits gets its row before it sends the
// next, whatever the kind of line.
TEST(ConvHostile, BatchAnswersEachLineAsItComes) {
    int versConv[2], depuisConv[2];
    ASSERT_EQ(::pipe(versConv), 0);
    ASSERT_EQ(::pipe(depuisConv), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(versConv[0], 0);
        ::dup2(depuisConv[1], 1);
        ::close(versConv[1]);
        ::close(depuisConv[0]);
        ::execl(CYCLIDE_CONV, CYCLIDE_CONV, "--lot", "-", "--fils", "2",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(versConv[0]);
    ::close(depuisConv[1]);
    const std::string lignes[] = {DEPART, "1 2 x", DEPART, "# rien\n" + DEPART};
    std::string recu;
    for (std::size_t k = 0; k < std::size(lignes); ++k) {
        const std::string l = lignes[k] + "\n";
        ASSERT_EQ(::write(versConv[1], l.data(), l.size()), static_cast<ssize_t>(l.size()));
        while (std::count(recu.begin(), recu.end(), '\n') < static_cast<long>(k + 1)) {
            pollfd p{depuisConv[0], POLLIN, 0};
            ASSERT_EQ(::poll(&p, 1, 10000), 1) << "no row for line " << k + 1 << " in 10 s";
            char tampon[8192];
            const ssize_t n = ::read(depuisConv[0], tampon, sizeof tampon);
            ASSERT_GT(n, 0);
            recu.append(tampon, static_cast<std::size_t>(n));
        }
    }
    ::close(versConv[1]);
    int statut = 0;
    ::waitpid(pid, &statut, 0);
    ::close(depuisConv[0]);
    EXPECT_EQ(WEXITSTATUS(statut), 1); // line 2 is an error row
    EXPECT_NE(recu.find("\"line\":5,"), std::string::npos) << recu;
}

// A net as nine lines, as 36 numbers on one line and as a JSON object (with
// a byte-order mark) gives the same verdict by --carreau and in a batch, in
// input order; --tolerance reaches the nets of a batch.
TEST(ConvHostile, NetsInEveryFormAndInBatches) {
    DossierDeTest d("conv-reseaux");
    const fs::path& dir = d.chemin();
    const std::string neuf = reseauDepart(dir);
    std::istringstream in(neuf);
    std::vector<std::string> nombres{std::istream_iterator<std::string>(in), {}};
    ASSERT_EQ(nombres.size(), 36u);
    std::string une, json = "{\"net\": [";
    for (std::size_t k = 0; k < 36; ++k) {
        une += nombres[k] + (k < 35 ? " " : "");
        json += std::string(k % 4 == 0 ? (k > 0 ? "], [" : "[") : ", ") + nombres[k];
    }
    json += "]]}";
    std::string decale = une;
    decale.replace(decale.rfind(' '), std::string::npos, " 0.934");
    std::ofstream(dir / "neuf.txt") << neuf;
    std::ofstream(dir / "une.txt") << une << "\n";
    std::ofstream(dir / "json.txt") << "\xEF\xBB\xBF" << json << "\n";
    std::ofstream(dir / "lot.txt") << "\xEF\xBB\xBF" << une << "\n"
                                   << json << "\n"
                                   << DEPART << "\n"
                                   << decale << "\n";
    const std::string attendu = executer(dir, "--carreau neuf.txt --json").sortie;
    ASSERT_NE(attendu.find("\"kind\":\"ring\""), std::string::npos) << attendu;
    const std::string corps = attendu.substr(attendu.find(",\"plane\""));
    for (const char* f : {"une.txt", "json.txt"}) {
        const std::string r = executer(dir, std::string("--carreau ") + f + " --json").sortie;
        EXPECT_EQ(r.substr(r.find(",\"plane\"")), corps) << f;
    }
    for (const char* tolerance : {"", " --tolerance 1e-1"}) {
        const Resultat r = executer(dir, std::string("--lot lot.txt --fils 2") + tolerance);
        ASSERT_EQ(r.statut, 0) << r.erreur;
        std::istringstream rangs(r.sortie);
        std::vector<std::string> l;
        for (std::string x; std::getline(rangs, x);)
            l.push_back(x);
        ASSERT_EQ(l.size(), 4u);
        for (int k : {0, 1}) {
            EXPECT_EQ(l[k].substr(l[k].find(",\"plane\"")) + "\n", corps) << k;
            EXPECT_EQ(json::lire(l[k])["input"]["line"].n, k + 1);
        }
        EXPECT_EQ(json::lire(l[2])["kind"].t, "ring");
        std::ifstream schema("docs/cyclide-conv.schema.json");
        EXPECT_EQ(
            json::Validateur(json::lire(std::string(std::istreambuf_iterator<char>(schema), {})))
                .valider(json::lire(l[1])),
            "");
        EXPECT_EQ(json::lire(l[3])["code"].n, *tolerance != 0 ? 1 : 0) << l[3];
    }
}

// Names outside ASCII: a CSV error row stays ASCII, the STEP header names
// the file in the ISO 10646 encoding of STEP strings.
TEST(ConvHostile, OtherEncodingsAreWrittenAsTheirFormatsAsk) {
    DossierDeTest d("conv-textes");
    const fs::path& dir = d.chemin();
    std::ofstream(dir / "latin.txt") << "1 2 3 4 5 6 \xE9t\xE9\n";
    const Resultat csv = executer(dir, "--lot latin.txt --csv");
    EXPECT_NE(csv.sortie.find("'\\xE9t\\xE9'"), std::string::npos) << csv.sortie;
    for (char ch : csv.sortie)
        EXPECT_LT(static_cast<unsigned char>(ch), 0x80);
    ASSERT_EQ(executer(dir, "--exemple 1 --step 'cyl\xC3\xA9'\"'\"'\xF0\x9F\x98\x80.step'").statut,
              0);
    const std::string step = lire(dir / "cyl\xC3\xA9'\xF0\x9F\x98\x80.step");
    EXPECT_NE(step.find("FILE_NAME('cyl\\X2\\00E9\\X0\\''\\X4\\0001F600\\X0\\.step',"),
              std::string::npos)
        << step.substr(0, 300);
}
