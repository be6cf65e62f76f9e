#include "EcritureLimitee.h"
#include "Tolerance.h"
#include "fichiers/EcritureFichier.h"
#include "fichiers/FichierParametres.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using namespace cyclide;

namespace fs = std::filesystem;

namespace {

const double DEPART[NOMBRE_PARAMETRES] = {
    0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8, -7.982};
const char* const FICHIER_DEPART =
    "0 1.5707963267948966 -1.0471975511965976 3.141592653589793\n\n4 8 -7.982\n";
// A file of the earlier six-digit form.
const char* const FICHIER_SIX_CHIFFRES = "0 1.5708 -1.0472 3.14159\n\n4 8 -7.982\n";

std::string contenu(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ecrireTexte(const fs::path& p, const std::string& texte) {
    std::ofstream out(p, std::ios::binary);
    out << texte;
}

// A fresh empty directory, removed with its content at the end of the test.
class RepertoireTemporaire {
  public:
    RepertoireTemporaire() {
        std::string modele = (fs::temp_directory_path() / "fichierparamXXXXXX").string();
        char* nom = ::mkdtemp(modele.data());
        EXPECT_NE(nom, nullptr);
        chemin_ = modele;
    }
    ~RepertoireTemporaire() {
        std::error_code ec;
        fs::permissions(chemin_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(chemin_, ec);
    }
    const fs::path& chemin() const { return chemin_; }
    // Names of the entries, each followed by ";".
    std::string entrees() const {
        std::string noms;
        for (const auto& e : fs::directory_iterator(chemin_))
            noms += e.path().filename().string() + ";";
        return noms;
    }

  private:
    fs::path chemin_;
};

} // namespace

TEST(EcrireParametres, StartUpStateGivesTheExactFileText) {
    std::ostringstream out;
    ecrireParametres(out, DEPART);
    EXPECT_EQ(out.str(), FICHIER_DEPART);
}

// Each value is written in the shortest form that reads back as the same
// double, whatever the stream's format (left as it was).
TEST(EcrireParametres, ValuesReadBackBitForBit) {
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out.precision(2);
    const double v[NOMBRE_PARAMETRES] = {1234567.0, 1e-7, -0.5, 1.0 / 3, 2e300, 5e-324, -0.0};
    ecrireParametres(out, v);
    EXPECT_EQ(out.str(), "1234567 1e-07 -0.5 0.3333333333333333\n\n2e+300 5e-324 -0\n");
    EXPECT_EQ(out.precision(), 2);
    std::istringstream in(out.str());
    double relu[NOMBRE_PARAMETRES] = {};
    ASSERT_EQ(lireParametres(in, relu), 7);
    for (int k = 0; k < NOMBRE_PARAMETRES; ++k)
        EXPECT_EQ(std::memcmp(&relu[k], &v[k], sizeof(double)), 0) << k;
}

TEST(LireParametres, ReadsTheFileLayoutOneLineOrSevenLines) {
    const char* textes[] = {FICHIER_SIX_CHIFFRES, "0 1.5708 -1.0472 3.14159 4 8 -7.982",
                            "0\n1.5708\n-1.0472\n3.14159\n4\n8\n-7.982\n",
                            "  0\t1.5708\r\n-1.0472 3.14159\n\n\n4 8 -7.982 99 trailing text"};
    for (const char* texte : textes) {
        std::istringstream in(texte);
        double v[NOMBRE_PARAMETRES] = {};
        ASSERT_EQ(lireParametres(in, v), 7) << texte;
        const double attendu[NOMBRE_PARAMETRES] = {0, 1.5708, -1.0472, 3.14159, 4, 8, -7.982};
        for (int k = 0; k < NOMBRE_PARAMETRES; ++k)
            EXPECT_EQ(v[k], attendu[k]) << k << " in " << texte;
    }
}

TEST(LireParametres, StopsAtTheFirstFailedReadAndKeepsTheRest) {
    {
        std::istringstream in("1 2 3 4 5");
        double v[NOMBRE_PARAMETRES] = {9, 9, 9, 9, 9, 9, 9};
        EXPECT_EQ(lireParametres(in, v), 5);
        EXPECT_EQ(v[4], 5.0);
        EXPECT_EQ(v[5], 9.0);
        EXPECT_EQ(v[6], 9.0);
    }
    {
        std::istringstream in("1 2 abc 4 5 6 7 8");
        double v[NOMBRE_PARAMETRES] = {9, 9, 9, 9, 9, 9, 9};
        EXPECT_EQ(lireParametres(in, v), 2);
        EXPECT_EQ(v[1], 2.0);
        EXPECT_EQ(v[2], 9.0); // not the 0 that a failed extraction stores
        EXPECT_EQ(v[3], 9.0);
    }
    {
        std::istringstream in("");
        double v[NOMBRE_PARAMETRES] = {9, 9, 9, 9, 9, 9, 9};
        EXPECT_EQ(lireParametres(in, v), 0);
        EXPECT_EQ(v[0], 9.0);
    }
    {
        std::istringstream in("texte seulement");
        double v[NOMBRE_PARAMETRES] = {9, 9, 9, 9, 9, 9, 9};
        EXPECT_EQ(lireParametres(in, v), 0);
        EXPECT_EQ(v[0], 9.0);
    }
}

TEST(RadiansEnDegres, RoundsToTheNearestDegree) {
    EXPECT_EQ(radiansEnDegres(0), 0);
    EXPECT_EQ(radiansEnDegres(1.5707963267948966), 90);
    EXPECT_EQ(radiansEnDegres(-1.0471975511965976), -60); // -59.99999999999999
    EXPECT_EQ(radiansEnDegres(3.141592653589793), 180);
    EXPECT_EQ(radiansEnDegres(3.14159), 180); // 179.99985
    EXPECT_EQ(radiansEnDegres(-1.0472), -60);
    EXPECT_EQ(radiansEnDegres(1), 57);                            // 57.2958
    EXPECT_EQ(radiansEnDegres(10), 573);                          // 572.958
    EXPECT_EQ(radiansEnDegres(-0.5), -29);                        // -28.648
    EXPECT_EQ(radiansEnDegres(0.5 * 6.283185307179586 / 360), 1); // half a degree: away from zero
}

TEST(RadiansEnDegres, ClampsIntoIntAndMapsNaNToZero) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(radiansEnDegres(std::nan("")), 0);
    EXPECT_EQ(radiansEnDegres(inf), INT_MAX);
    EXPECT_EQ(radiansEnDegres(-inf), INT_MIN);
    EXPECT_EQ(radiansEnDegres(1e300), INT_MAX);
    EXPECT_EQ(radiansEnDegres(-1e300), INT_MIN);
    // Just inside the range: 2147483646 degrees.
    EXPECT_EQ(radiansEnDegres(2147483646.25 * 6.283185307179586 / 360), 2147483646);
}

TEST(EcrireFichierParametres, WritesTheFileAndItReadsBack) {
    RepertoireTemporaire rep;
    fs::path fichier = rep.chemin() / "depart.car";
    ASSERT_TRUE(ecrireFichierParametres(fichier.string(), DEPART));
    EXPECT_EQ(contenu(fichier), FICHIER_DEPART);
    EXPECT_EQ(rep.entrees(), "depart.car;"); // no temporary file left
    std::ifstream in(fichier);
    double v[NOMBRE_PARAMETRES] = {};
    ASSERT_EQ(lireParametres(in, v), 7);
    EXPECT_EQ(radiansEnDegres(v[0]), 0);
    EXPECT_EQ(radiansEnDegres(v[1]), 90);
    EXPECT_EQ(v[2], DEPART[2]);
    EXPECT_EQ(v[3], DEPART[3]);
    EXPECT_EQ(v[6], -7.982);
}

TEST(EcrireFichierParametres, ReplacesAnExistingFileAndKeepsItsPermissions) {
    RepertoireTemporaire rep;
    fs::path fichier = rep.chemin() / "ancien.bez";
    ecrireTexte(fichier, "un texte beaucoup plus long que le nouveau contenu du fichier\n");
    fs::permissions(fichier,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(ecrireFichierParametres(fichier.string(), DEPART));
    EXPECT_EQ(contenu(fichier), FICHIER_DEPART);
    EXPECT_EQ(fs::status(fichier).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(rep.entrees(), "ancien.bez;");
}

TEST(EcrireFichierParametres, FailsWithoutTraceWhereNoFileCanBeWritten) {
    RepertoireTemporaire rep;
    // A missing directory.
    EXPECT_FALSE(ecrireFichierParametres((rep.chemin() / "absent" / "f.car").string(), DEPART));
    // A directory part that is a regular file.
    fs::path simple = rep.chemin() / "simple";
    ecrireTexte(simple, "garde\n");
    EXPECT_FALSE(ecrireFichierParametres((simple / "f.car").string(), DEPART));
    EXPECT_EQ(contenu(simple), "garde\n");
    // A name that is a directory: it stays a directory with its content.
    fs::path dossier = rep.chemin() / "dossier.car";
    fs::create_directory(dossier);
    ecrireTexte(dossier / "dedans", "x");
    EXPECT_FALSE(ecrireFichierParametres(dossier.string(), DEPART));
    EXPECT_TRUE(fs::is_directory(dossier));
    EXPECT_EQ(contenu(dossier / "dedans"), "x");
    EXPECT_FALSE(ecrireFichierParametres("", DEPART));
    EXPECT_EQ(rep.entrees().find(".tmp"), std::string::npos) << rep.entrees();
    // A directory without write permission (permissions do not bind root).
    if (::geteuid() != 0) {
        fs::path ferme = rep.chemin() / "ferme";
        fs::create_directory(ferme);
        ecrireTexte(ferme / "f.car", "ancien\n");
        fs::permissions(ferme, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(ecrireFichierParametres((ferme / "f.car").string(), DEPART));
        EXPECT_EQ(contenu(ferme / "f.car"), "ancien\n");
    }
}

// A write that fails half-way (file size limit, as on a full disk) leaves the
// existing file as it was and no temporary file. Runs in a child process so
// that the limit does not reach the test program.
TEST(EcrireFichierAtomique, FailureHalfWayLeavesTheExistingFileUntouched) {
    RepertoireTemporaire rep;
    fs::path fichier = rep.chemin() / "garde.car";
    ecrireTexte(fichier, "ancien contenu\n");
    EXPECT_TRUE(echoueAuDelaDe(
        64, [&] { return ecrireFichierAtomique(fichier.string(), std::string(100000, 'x')); }));
    EXPECT_EQ(contenu(fichier), "ancien contenu\n");
    EXPECT_EQ(rep.entrees(), "garde.car;");
}

TEST(EcrireFichierAtomique, WritesLargeContentExactly) {
    RepertoireTemporaire rep;
    fs::path fichier = rep.chemin() / "gros.txt";
    std::string texte;
    for (int k = 0; k < 200000; ++k)
        texte += static_cast<char>('a' + k % 26);
    ASSERT_TRUE(ecrireFichierAtomique(fichier.string(), texte));
    EXPECT_EQ(contenu(fichier), texte);
}

// The number rule in files: finite decimal numbers only; the word that
// stops the reading is given back, shortened and printable; no word is
// collected beyond the longest number.
TEST(AnalyserParametres, RefusesWhatIsNotAFiniteDecimalNumber) {
    const std::pair<const char*, const char*> cas[] = {
        {"1 2 nan 4", "nan"},      {"1 2 inf", "inf"},       {"1 2 1e400", "1e400"},
        {"1 2 0x1p3", "0x1p3"},    {"1 2 1.5abc", "1.5abc"}, {"1 2 \xE9t\xE9", "\\xE9t\\xE9"},
        {"1 2 3 4 5 6 7 nan", ""}, // after the seventh: not read
    };
    for (const auto& [texte, refuse] : cas) {
        std::istringstream in(texte);
        double v[NOMBRE_PARAMETRES] = {9, 9, 9, 9, 9, 9, 9};
        const LectureParametres l = analyserParametres(in, v);
        EXPECT_EQ(l.lus, *refuse ? 2 : 7) << texte;
        EXPECT_EQ(l.refuse, refuse) << texte;
        EXPECT_EQ(v[2], *refuse ? 9.0 : 3.0) << texte;
    }
    std::istringstream longue("1 " + std::string(100000, '7') + " 3");
    double v[NOMBRE_PARAMETRES] = {};
    const LectureParametres l = analyserParametres(longue, v);
    EXPECT_EQ(l.lus, 1);
    EXPECT_EQ(l.refuse, std::string(40, '7') + "...");
    // The reader stopped inside the long word.
    EXPECT_LT(longue.tellg(), 200);
}

// Reading a file: regular files and pipes, at most 64 Ko; the window's
// mode refuses what is not a regular file without waiting on it.
TEST(LireFichierParametres, BoundsTheInputAndRefusesWhatIsNotAFile) {
    RepertoireTemporaire rep;
    const fs::path court = rep.chemin() / "court.car";
    const fs::path gros = rep.chemin() / "gros.car";
    const fs::path tube = rep.chemin() / "tube";
    ecrireTexte(court, FICHIER_SIX_CHIFFRES);
    ecrireTexte(gros, std::string(TAILLE_PARAMETRES_MAX + 1, ' '));
    ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
    IdentiteFichier id;
    const auto fin = [](const Resultat<TexteLu>& lu) { return lu.valeur.fin; };
    const Resultat<TexteLu> lu = lireFichierParametres(court.string(), true, &id);
    EXPECT_EQ(fin(lu), ResultatLecture::Lu);
    EXPECT_EQ(lu.valeur.texte, FICHIER_SIX_CHIFFRES);
    struct stat etat {};
    ASSERT_EQ(::stat(court.c_str(), &etat), 0);
    EXPECT_TRUE(id.valide && id.ino == etat.st_ino);
    const Resultat<TexteLu> trop = lireFichierParametres(gros.string(), false);
    EXPECT_EQ(fin(trop), ResultatLecture::TropLong);
    EXPECT_NE(trop.raison.find("64 Ko"), std::string::npos) << trop.raison;
    // A named pipe without writer: refused at once in the window's mode.
    EXPECT_EQ(fin(lireFichierParametres(tube.string(), true)), ResultatLecture::GenreRefuse);
    EXPECT_EQ(fin(lireFichierParametres(rep.chemin().string(), false)),
              ResultatLecture::GenreRefuse);
    EXPECT_EQ(fin(lireFichierParametres((rep.chemin() / "absent").string(), false)),
              ResultatLecture::OuvertureImpossible);
    // An endless device stops at the bound.
    EXPECT_EQ(fin(lireFichierParametres("/dev/zero", false)), ResultatLecture::TropLong);
    EXPECT_EQ(fin(lireFichierParametres("/dev/zero", true)), ResultatLecture::GenreRefuse);
}

// A parameter file is read whole: exactly seven numbers, anything else
// refused with the verdict and a reason that names the word at fault.
TEST(FichierParametres, ReadWholeOrRefusedWithItsReason) {
    const std::string reseau = "1 0 0 1\n0 1 0 1\n0 0 1 1\n1 1 0 1\n0 0 0 1\n1 0 1 1\n"
                               "2 0 0 1\n0 2 0 1\n0 0 2 1\n";
    struct Cas {
        std::string texte;
        VerdictParametres verdict;
        std::string raison; // a part of the reason
    };
    const Cas cas[] = {
        {FICHIER_DEPART, VerdictParametres::Lu, ""},
        {"\xEF\xBB\xBF"
         "0 1 2 3 4 5 6\n",
         VerdictParametres::Lu, ""},
        {"0\n1\n2\n3\n4\n5\n6", VerdictParametres::Lu, ""},
        {"0 1 2 3\n\n4 5\n", VerdictParametres::Incomplet, "6 valeur(s) sur 7"},
        {"0 1 abc 3 4 5 6\n", VerdictParametres::MotRefuse, "'abc' n'est pas un nombre (valeur 3"},
        {"0 1 2 3 4 -1e400 6\n", VerdictParametres::HorsLimites, "'-1e400' est hors des limites"},
        {"0 1 2 3 4 1e-400 6\n", VerdictParametres::Lu, ""},
        {"0 1 2 3 4 1e4x00 6\n", VerdictParametres::MotRefuse, "n'est pas un nombre"},
        {"0 1 2 3 0.0001e313 5 6\n", VerdictParametres::HorsLimites, "hors des limites"},
        {"0 1 2 3 1e99999999999999999999 5 6", VerdictParametres::HorsLimites, "hors des"},
        {"0 1 2 3\n\n4 5 6\n7 8\n", VerdictParametres::EnTrop, "'7' suit la septi\xE8me"},
        {"0 1 2 3 4 5 6 # fin\n", VerdictParametres::EnTrop, "'#'"},
        {reseau, VerdictParametres::Carreau, "carreau donn\xE9 directement"},
        {"{\"net\": [[1,0,0,1],[0,1,0,1],[0,0,1,1],[1,1,0,1],[0,0,0,1],[1,0,1,1],[2,0,0,1],"
         "[0,2,0,1],[0,0,2,1]]}",
         VerdictParametres::Carreau, "carreau"},
        {std::string("\x89PNG\r\n\x1A\n\0\0", 10), VerdictParametres::Etranger, "image PNG"},
    };
    for (const Cas& c : cas) {
        const Resultat<ParametresFichier> lu = lireParametresEntiers(c.texte);
        EXPECT_EQ(lu.valeur.verdict, c.verdict) << c.texte;
        EXPECT_EQ(lu.ok(), c.verdict == VerdictParametres::Lu) << c.texte;
        EXPECT_NE(lu.raison.find(c.raison), std::string::npos) << lu.raison;
    }
    const Resultat<ParametresFichier> depart = lireParametresEntiers(FICHIER_DEPART);
    for (int k = 0; k < NOMBRE_PARAMETRES; ++k)
        EXPECT_EQ(depart.valeur.valeurs[k], DEPART[k]) << k;
}
