// The net text reader: a table of texts with the net read or the message
// that names the faulty line, the size bound, and a real file.
#include "fichiers/LectureCarreau.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

using namespace cyclide;

namespace {

// Nine lines "x y z w": point k is (k, 2k, 3k) with weight k + 1.
std::string neufLignes() {
    std::string t;
    for (int k = 0; k < 9; ++k)
        t += std::to_string(k) + " " + std::to_string(2 * k) + " " + std::to_string(3 * k) + " " +
             std::to_string(k + 1) + "\n";
    return t;
}

struct CasTexte {
    const char* nom;
    std::string texte;
    const char* erreur; // nullptr: read
};

void PrintTo(const CasTexte& c, std::ostream* os) {
    *os << c.nom;
}

} // namespace

class LectureTexte : public ::testing::TestWithParam<CasTexte> {};

TEST_P(LectureTexte, ReadsOrNamesTheFault) {
    const CasTexte c = GetParam();
    std::istringstream is(c.texte);
    const RBBP avant;
    const Resultat<RBBP> lu = lireCarreau(is);
    const RBBP& net = lu.valeur;
    if (c.erreur == nullptr) {
        ASSERT_TRUE(lu.ok()) << c.nom << ": " << lu.raison;
        for (int k = 0; k < 9; ++k) {
            const Point P = net.getP(k / 3, k % 3);
            EXPECT_EQ(P.getX0(), k);
            EXPECT_EQ(P.getY0(), 2 * k);
            EXPECT_EQ(P.getZ0(), 3 * k);
            EXPECT_EQ(net.getW(k / 3, k % 3), k + 1);
        }
        return;
    }
    EXPECT_FALSE(lu.ok()) << c.nom;
    EXPECT_EQ(lu.raison, c.erreur) << c.nom;
    EXPECT_EQ(net.getP(1, 1).getX0(), avant.getP(1, 1).getX0()); // the default net
    EXPECT_EQ(net.getW(1, 1), avant.getW(1, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Textes, LectureTexte,
    ::testing::Values(
        CasTexte{"plain", neufLignes(), nullptr},
        CasTexte{"comments and blank lines",
                 "# net\n\n" + neufLignes().insert(7, "   # first point") + "\n# end\n", nullptr},
        CasTexte{"crlf and tabs", "0\t0 0 1\r\n" + neufLignes().substr(8), nullptr},
        CasTexte{"three numbers", "0 0 0 1\n1 2 3\n",
                 "ligne 2 : 4 nombres attendus (x y z w), 3 trouve(s)"},
        CasTexte{"not a number", "# c\n0 0 abc 1\n", "ligne 2 : 'abc' n'est pas un nombre"},
        CasTexte{"nan", "0 0 0 nan\n", "ligne 1 : 'nan' n'est pas un nombre"},
        CasTexte{"overflow", "0 0 1e999 1\n", "ligne 1 : '1e999' n'est pas un nombre"},
        CasTexte{"ten points", neufLignes() + "# more\n1 1 1 1\n",
                 "ligne 11 : un dixieme point, le carreau n'en a que neuf"},
        CasTexte{"eight points", neufLignes().substr(8), "le carreau n'a que 8 point(s) sur neuf"},
        CasTexte{"empty", "", "le carreau n'a que 0 point(s) sur neuf"},
        CasTexte{"byte-order mark and commas", "\xEF\xBB\xBF" + neufLignes().replace(1, 1, ","),
                 "ligne 1 : nombres separes a la fois par des virgules et des blancs"},
        CasTexte{"36 numbers on one line, a byte-order mark",
                 "\xEF\xBB\xBF# net\n" +
                     [] {
                         std::string t = neufLignes();
                         std::replace(t.begin(), t.end(), '\n', ' ');
                         return t;
                     }(),
                 nullptr},
        CasTexte{"JSON",
                 R"({"net": [[0,0,0,1],[1,2,3,2],[2,4,6,3],[3,6,9,4],[4,8,12,5],)"
                 R"([5,10,15,6],[6,12,18,7],[7,14,21,8],[8,16,24,9]], "x": 1})",
                 nullptr},
        CasTexte{"JSON of eight points", R"({"net": [[0,0,0,1]]})",
                 "objet JSON {\"net\": [[x, y, z, w], ... neuf points]} attendu"},
        CasTexte{"JSON with a string", R"({"net": [[0,0,"0",1]]})",
                 "objet JSON {\"net\": [[x, y, z, w], ... neuf points]} attendu"},
        CasTexte{"JSON number overflow", R"({"net": [[1e999,0,0,1]]})",
                 "un nombre du JSON depasse les limites d'un double"},
        CasTexte{"JSON cut", R"({"net": [[0,)", "JSON invalide a l'octet 13"},
        CasTexte{"control bytes", "0 0 \x1b[2J\a 1\n",
                 "ligne 1 : '\\x1B[2J\\x07' n'est pas un nombre"},
        CasTexte{"too long", neufLignes() + std::string(TAILLE_CARREAU_MAX, '#'),
                 "le carreau depasse 65536 octets"}));

TEST(LectureCarreau, ReadsARealFileAndReportsAMissingOne) {
    const std::string nom = ::testing::TempDir() + "carreau_lecture.txt";
    {
        std::ofstream f(nom);
        f << "# P00 .. P22\n" << neufLignes();
    }
    const Resultat<RBBP> lu = lireFichierCarreau(nom);
    EXPECT_TRUE(lu.ok()) << lu.raison;
    EXPECT_EQ(lu.valeur.getW(2, 2), 9);
    std::remove(nom.c_str());
    EXPECT_EQ(lireFichierCarreau(nom).raison, "impossible d'ouvrir le fichier '" + nom + "'");
}
