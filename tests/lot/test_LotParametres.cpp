// Batches: the reading of one line, and whole batches whose every row must
// be the single conversion's JSON (the same core function), in input
// order, with error rows for bad lines, long lines and CSV rows.
#include "CasScene.h"
#include "JsonMini.h"
#include "lot/LotParametres.h"
#include "sorties/ResultatJson.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

using namespace cyclide;

namespace {

std::vector<std::string> lignes(const std::string& texte) {
    std::vector<std::string> r;
    std::istringstream in(texte);
    std::string l;
    while (std::getline(in, l))
        r.push_back(l);
    return r;
}

std::string jsonAttendu(const double v[7], PlanConversion plan, long numero) {
    const EntreeScene e = entreeParametres(v, plan);
    OrigineEntree o;
    o.sorte = OrigineEntree::Sorte::Lot;
    o.ligne = numero;
    return resultatJson(construireScene(e), o);
}

std::string texteNombres(const double v[7]) {
    std::string r;
    for (int k = 0; k < 7; ++k) {
        char t[32];
        std::snprintf(t, sizeof t, "%.17g", v[k]);
        r += (k > 0 ? " " : "") + std::string(t);
    }
    return r;
}

} // namespace

TEST(LotParametres, OneLineIsSevenNumbersBlankOrAnError) {
    const struct {
        const char* ligne;
        SorteLigne sorte;
        const char* erreur; // part of the reason
    } cas[] = {
        {"0 1.5 -1 3.14 4 8 -7.982", SorteLigne::Parametres, ""},
        {"\t1,2, 3 ,4,5,6,7  # commentaire", SorteLigne::Parametres, ""},
        {"0 1,5707963267948966 -1.04 3.14 4 8", SorteLigne::Erreur, "both commas and white"},
        {"0,,1.5,-1,3,4,8", SorteLigne::Erreur, "field 2 ''"},
        {"", SorteLigne::Vide, ""},
        {"   # 1 2 3 4 5 6 7", SorteLigne::Vide, ""},
        {"1 2 3", SorteLigne::Erreur, "found 3"},
        {"1 2 3 4 5 6 7 8", SorteLigne::Erreur, "found 8"},
        {"1 2 3 4 5 6 nan", SorteLigne::Erreur, "field 7 'nan'"},
        {"0x1p3 2 3 4 5 6 7", SorteLigne::Erreur, "field 1"},
        {"1 2 3 4 5 6 1e999", SorteLigne::Erreur, "field 7"},
    };
    for (const auto& c : cas) {
        const LigneLot l = analyserLigneLot(c.ligne);
        EXPECT_EQ(l.sorte, c.sorte) << c.ligne;
        EXPECT_NE(l.erreur.find(c.erreur), std::string::npos) << c.ligne << " -> " << l.erreur;
    }
    const LigneLot l = analyserLigneLot("\t1,2, 3 ,4,\t5,6,7  # c");
    ASSERT_EQ(l.sorte, SorteLigne::Parametres);
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(l.valeurs[k], k + 1);
}

// 10 000 sets (start-up patch variants, random sets, both planes by turns
// of the batch) with comments, blank and bad lines, through several
// threads and many small chunks: each row is the single conversion's JSON.
TEST(LotParametres, TenThousandSetsGiveTheSingleResultsInOrder) {
    std::mt19937_64 alea(15);
    std::uniform_real_distribution<double> angle(-3.2, 3.2), longueur(-8, 8);
    std::vector<std::array<double, 7>> jeux;
    std::string entree = "# theta00 theta02 theta20 theta22 rayon z11 P10\n";
    std::vector<long> numeros; // input line of each set; -1 for a bad line
    long ligne = 1;
    for (int k = 0; k < 10000; ++k) {
        std::array<double, 7> v = {
            0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8, -7.982};
        if (k % 2 == 1)
            v = {angle(alea),    angle(alea),   angle(alea), angle(alea), std::fabs(longueur(alea)),
                 longueur(alea), longueur(alea)};
        else
            v[6] += longueur(alea) / 16;
        jeux.push_back(v);
        entree += texteNombres(v.data()) + (k % 7 == 0 ? "  # jeu\n" : "\n");
        numeros.push_back(++ligne);
        if (k % 1000 == 3) {
            entree += "\n1 2 trois 4 5 6 7\n";
            ligne += 2;
        }
    }
    std::ifstream fichierSchema("docs/cyclide-conv.schema.json");
    const json::Valeur sch =
        json::lire(std::string(std::istreambuf_iterator<char>(fichierSchema), {}));
    for (PlanConversion plan : {PlanConversion::Pz, PlanConversion::Py}) {
        OptionsLot o;
        o.plan = plan;
        o.fils = 3;
        o.lignesParBloc = 97;
        std::istringstream in(entree);
        std::ostringstream out;
        const BilanLot bilan = traiterLot(in, out, o);
        EXPECT_EQ(bilan.lignes, ligne);
        EXPECT_EQ(bilan.resultats, 10000);
        EXPECT_EQ(bilan.erreurs, 10);
        const std::vector<std::string> rangs = lignes(out.str());
        ASSERT_EQ(rangs.size(), 10010u);
        std::size_t r = 0;
        for (std::size_t k = 0; k < jeux.size(); ++k, ++r) {
            ASSERT_EQ(rangs[r], jsonAttendu(jeux[k].data(), plan, numeros[k])) << "set " << k;
            if (k % 1000 == 1) {
                EXPECT_EQ(json::Validateur(sch).valider(json::lire(rangs[r])), "");
            }
            if (k % 1000 == 3) {
                ++r;
                const json::Valeur e = json::lire(rangs[r]);
                EXPECT_EQ(json::Validateur(sch).valider(e), "");
                EXPECT_EQ(e["input"]["line"].n, numeros[k] + 2);
                EXPECT_NE(e["error"].t.find("'trois'"), std::string::npos);
            }
        }
    }
}

// A line far longer than the limit is one error row and the batch goes on;
// a line of exactly the limit is read; the last line needs no line end.
TEST(LotParametres, LongLinesAreErrorRowsAndTheBatchGoesOn) {
    const std::string sept =
        "0 1.5707963267948966 -1.0471975511965976 3.141592653589793 4 8 -7.982";
    std::string limite = sept + std::string(LONGUEUR_LIGNE_LOT_MAX - sept.size(), ' ');
    const std::string entree =
        std::string(200000, '7') + "\n" + limite + "\n" + limite + " \n" + sept;
    OptionsLot o;
    o.fils = 2;
    o.lignesParBloc = 2;
    std::istringstream in(entree);
    std::ostringstream out;
    const BilanLot bilan = traiterLot(in, out, o);
    const std::vector<std::string> rangs = lignes(out.str());
    ASSERT_EQ(rangs.size(), 4u);
    EXPECT_NE(rangs[0].find("\"line\":1},\"error\":\"line 1: line longer than 4096 bytes\""),
              std::string::npos)
        << rangs[0];
    EXPECT_EQ(rangs[1], jsonAttendu(DEMARRAGE, PlanConversion::Pz, 2));
    EXPECT_NE(rangs[2].find("line 3: line longer"), std::string::npos);
    EXPECT_EQ(rangs[3], jsonAttendu(DEMARRAGE, PlanConversion::Pz, 4));
    EXPECT_EQ(bilan.erreurs, 2);
    EXPECT_EQ(bilan.resultats, 2);
}

TEST(LotParametres, CsvHasAHeaderAndOneRowOfEveryColumnPerLine) {
    const std::string entree =
        "0 1.5707963267948966 -1.0471975511965976 3.141592653589793 4 8 -7.982\n"
        "0 0 0 0 0 0 0\n"
        "1 2 3\n";
    OptionsLot o;
    o.csv = true;
    std::istringstream in(entree);
    std::ostringstream out;
    traiterLot(in, out, o);
    const std::vector<std::string> rangs = lignes(out.str());
    ASSERT_EQ(rangs.size(), 4u);
    auto champs = [](const std::string& l) {
        std::vector<std::string> r(1);
        bool guillemets = false;
        for (char ch : l) {
            if (ch == '"')
                guillemets = !guillemets;
            else if (ch == ',' && !guillemets)
                r.emplace_back();
            else
                r.back() += ch;
        }
        return r;
    };
    const std::vector<std::string> entete = champs(rangs[0]);
    ASSERT_EQ(entete.size(), 34u);
    EXPECT_EQ(entete[12], "a");
    EXPECT_EQ(entete.back(), "error");
    const Scene s = construireScene(entreeDemarrage());
    const std::vector<std::string> demarrage = champs(rangs[1]);
    ASSERT_EQ(demarrage.size(), 34u);
    EXPECT_EQ(demarrage[11], "ring");
    EXPECT_EQ(std::strtod(demarrage[12].c_str(), nullptr), s.converti.a);
    EXPECT_EQ(std::strtod(demarrage[32].c_str(), nullptr), s.residu);
    const std::vector<std::string> nul = champs(rangs[2]);
    ASSERT_EQ(nul.size(), 34u);
    EXPECT_EQ(nul[10], "0");
    EXPECT_EQ(nul[12], "");
    const std::vector<std::string> erreur = champs(rangs[3]);
    ASSERT_EQ(erreur.size(), 34u);
    EXPECT_EQ(erreur[0], "3");
    EXPECT_EQ(erreur[33],
              "line 3: expected 7 numbers (a parameter set) or 36 (a net), found 3 fields");
}

TEST(LotParametres, ProgressLineShowsABarOnlyWhenTheSizeIsKnown) {
    EXPECT_EQ(ligneProgression(50, 100, 2000, 2.0),
              "[###############...............] 50 % 2000 lignes, 1000 lignes/s");
    EXPECT_EQ(ligneProgression(50, 0, 10, 0.0), "10 lignes, 0 lignes/s");
}
