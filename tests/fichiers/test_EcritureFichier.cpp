// Writing a whole file: regular files are replaced in one step, devices are
// written in place, and nothing else is ever replaced.
#include "fichiers/EcritureFichier.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace cyclide;

namespace fs = std::filesystem;

namespace {

class EcritureFichierTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string modele = (fs::temp_directory_path() / "ecriture-XXXXXX").string();
        ASSERT_NE(::mkdtemp(modele.data()), nullptr);
        dossier = modele;
    }
    void TearDown() override { fs::remove_all(dossier); }

    static std::string lire(const fs::path& f) {
        std::ifstream in(f, std::ios::binary);
        std::ostringstream tout;
        tout << in.rdbuf();
        return tout.str();
    }
    // Only the given names are left in the folder (no temporary behind).
    std::size_t nombreFichiers() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dossier), fs::directory_iterator()));
    }

    fs::path dossier;
};

TEST_F(EcritureFichierTest, RegularFileIsReplacedWithItsPermissionsKept) {
    const fs::path f = dossier / "carreau.car";
    { std::ofstream(f) << "ancien contenu plus long que le nouveau"; }
    ::chmod(f.c_str(), 0640);
    EXPECT_EQ(ecrireFichier(f.string(), "nouveau\n").valeur, ResultatEcriture::Reussie);
    EXPECT_EQ(lire(f), "nouveau\n");
    struct stat etat {};
    ASSERT_EQ(::stat(f.c_str(), &etat), 0);
    EXPECT_EQ(etat.st_mode & 07777, 0640u);
    EXPECT_EQ(nombreFichiers(), 1u);
}

TEST_F(EcritureFichierTest, DirectoryOfThatNameIsRefusedAndKept) {
    const fs::path d = dossier / "repertoire.car";
    fs::create_directory(d);
    const Resultat<ResultatEcriture> refus = ecrireFichier(d.string(), "x");
    EXPECT_EQ(refus.valeur, ResultatEcriture::OuvertureImpossible);
    EXPECT_FALSE(refus.raison.empty());
    EXPECT_TRUE(fs::is_directory(d));
    EXPECT_EQ(nombreFichiers(), 1u);
}

TEST_F(EcritureFichierTest, PipeIsRefusedWithoutWaitingForAReader) {
    const fs::path p = dossier / "tube";
    ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0);
    EXPECT_EQ(ecrireFichier(p.string(), "x").valeur, ResultatEcriture::OuvertureImpossible);
    EXPECT_TRUE(fs::is_fifo(p));
    EXPECT_EQ(nombreFichiers(), 1u);
}

TEST_F(EcritureFichierTest, MissingFolderCannotBeOpened) {
    const Resultat<ResultatEcriture> absent =
        ecrireFichier((dossier / "absent" / "f.car").string(), "x");
    EXPECT_EQ(absent.valeur, ResultatEcriture::OuvertureImpossible);
    EXPECT_FALSE(absent.raison.empty());
    EXPECT_EQ(ecrireFichier("", "x").valeur, ResultatEcriture::OuvertureImpossible);
}

TEST_F(EcritureFichierTest, DevicesAreWrittenInPlaceAndStayDevices) {
    EXPECT_EQ(ecrireFichier("/dev/null", "abc").valeur, ResultatEcriture::Reussie);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    // A full device: the write fails and is reported, the device stays.
    const Resultat<ResultatEcriture> plein = ecrireFichier("/dev/full", "abc");
    EXPECT_EQ(plein.valeur, ResultatEcriture::ErreurEcriture);
    EXPECT_FALSE(plein.raison.empty());
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_TRUE(ecrireFichierAtomique("/dev/null", "abc"));
    EXPECT_FALSE(ecrireFichierAtomique("/dev/full", "abc"));
}

} // namespace

// A name at the length limit still gets its temporary; a hard-linked file
// written in place that cannot grow (file-size limit, as a full disk) keeps
// its old bytes.
TEST_F(EcritureFichierTest, LongNamesAndFailedInPlaceWritesLeaveNoTrace) {
    const fs::path longue = dossier / (std::string(251, 'n') + ".obj");
    const Resultat<ResultatEcriture> ecrit = ecrireFichier(longue.string(), "contenu");
    EXPECT_EQ(ecrit.valeur, ResultatEcriture::Reussie) << ecrit.raison;
    EXPECT_EQ(lire(longue), "contenu");

    const fs::path f = dossier / "lie.obj";
    { std::ofstream(f) << "ancien"; }
    fs::create_hard_link(f, dossier / "autre.obj");
    const pid_t enfant = ::fork();
    ASSERT_GE(enfant, 0);
    if (enfant == 0) {
        struct rlimit limite = {64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limite);
        const Resultat<ResultatEcriture> fin =
            ecrireFichier(f.string(), std::string(100000, 'x'), LiensDurs::EnPlace);
        ::_exit(fin.valeur == ResultatEcriture::ErreurEcriture && fin.raison.find("taille") == 0
                    ? 0
                    : 1);
    }
    int statut = 0;
    ASSERT_EQ(::waitpid(enfant, &statut, 0), enfant);
    EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0) << statut;
    EXPECT_EQ(lire(f), "ancien");
    EXPECT_EQ(nombreFichiers(), 3u);
}
