// The convertible patch record: construction, copy and its text form.
#include "conversion/RBBPd.h"

#include "Tolerance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

using namespace cyclide;

namespace {

// A record whose every number has at most 6 significant digits, so that its
// text form (default stream format) reproduces it exactly.
RBBPd recordSixChiffres() {
    RBBPd r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            r.P[i][j].init(1.5 * i - 2.25, 0.125 * j + i, -3.75 + j * i);
            r.w[i][j] = 0.25 + 0.5 * i + 0.0625 * j;
            r.Base[i][j] = (i == j) ? 1 : -0.5 * (i + j);
        }
    r.dA.init(Point(1, -2, 3.5), vect(0.5, 0.25, -1));
    r.dB.init(Point(-4, 5.25, 6), vect(7, -8.5, 9));
    r.omega.init(0.375, -1.5, 2.75);
    r.a = 4.33981;
    r.c = -0.985576;
    r.mu = 2.05930;
    return r;
}

// Compares every number of the text form of two records (colours apart).
void expectMemesNombres(const RBBPd& x, const RBBPd& y) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(x.P[i][j].getX0(), y.P[i][j].getX0());
            EXPECT_EQ(x.P[i][j].getY0(), y.P[i][j].getY0());
            EXPECT_EQ(x.P[i][j].getZ0(), y.P[i][j].getZ0());
            EXPECT_EQ(x.w[i][j], y.w[i][j]);
            EXPECT_EQ(x.Base[i][j], y.Base[i][j]);
        }
    const Droite lx[2] = {x.dA, x.dB}, ly[2] = {y.dA, y.dB};
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(lx[k].getP().getX0(), ly[k].getP().getX0());
        EXPECT_EQ(lx[k].getP().getY0(), ly[k].getP().getY0());
        EXPECT_EQ(lx[k].getP().getZ0(), ly[k].getP().getZ0());
        EXPECT_EQ(lx[k].getV().abs(), ly[k].getV().abs());
        EXPECT_EQ(lx[k].getV().ord(), ly[k].getV().ord());
        EXPECT_EQ(lx[k].getV().cote(), ly[k].getV().cote());
    }
    EXPECT_EQ(x.omega.getX0(), y.omega.getX0());
    EXPECT_EQ(x.omega.getY0(), y.omega.getY0());
    EXPECT_EQ(x.omega.getZ0(), y.omega.getZ0());
    EXPECT_EQ(x.a, y.a);
    EXPECT_EQ(x.c, y.c);
    EXPECT_EQ(x.mu, y.mu);
}

void colorer(RBBPd& r, double red, double green, double blue) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            r.P[i][j].setR(red);
            r.P[i][j].setG(green);
            r.P[i][j].setB(blue);
        }
}

void expectCouleur(const RBBPd& r, double red, double green, double blue) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(r.P[i][j].getR(), red);
            EXPECT_EQ(r.P[i][j].getG(), green);
            EXPECT_EQ(r.P[i][j].getB(), blue);
        }
}

std::string texte(RBBPd r) {
    std::ostringstream os;
    os << r;
    return os.str();
}

} // namespace

TEST(RBBPdRecord, DefaultRecordHasShearFrameAndZeroParameters) {
    RBBPd r;
    const double rows[3][3] = {{1, 0, 0}, {1, 1, 0}, {1, 0, 1}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(r.getBase(i, j), rows[i][j]);
            EXPECT_TRUE(tol::nearPoint(r.P[i][j], 1, 2, 3, 0));
            EXPECT_EQ(r.w[i][j], 1);
        }
    EXPECT_EQ(r.getA(), 0);
    EXPECT_EQ(r.getC(), 0);
    EXPECT_EQ(r.getMu(), 0);
    EXPECT_TRUE(tol::nearPoint(r.getOmega(), 0, 0, 0, 0));
    EXPECT_TRUE(tol::nearPoint(r.getDA().getP(), 0, 0, 0, 0));
    EXPECT_EQ(r.getDB().getV().abs(), 1);

    RBBPd r2(3.5); // the unused-argument constructor gives the default record
    expectMemesNombres(r, r2);
}

TEST(RBBPdRecord, CopyAndAssignmentKeepEveryFieldAndColour) {
    RBBPd src = recordSixChiffres();
    colorer(src, 0.3, 0.2, 0.1);
    src.dA.setR(0.7);
    src.omega.setB(0.9);
    src.R = 0.11;
    src.Bs = 0.99;

    RBBPd copie(src);
    expectMemesNombres(copie, src);
    expectCouleur(copie, 0.3, 0.2, 0.1);
    EXPECT_EQ(copie.dA.getR(), 0.7);
    EXPECT_EQ(copie.omega.getB(), 0.9);
    EXPECT_EQ(copie.R, 0.11);
    EXPECT_EQ(copie.Bs, 0.99);

    RBBPd cible;
    cible.dA.setR(0.0);
    cible = src;
    expectMemesNombres(cible, src);
    expectCouleur(cible, 0.3, 0.2, 0.1);
    EXPECT_EQ(cible.dA.getR(), 0.7); // the line's colour is copied too
    EXPECT_EQ(cible.omega.getB(), 0.9);
    EXPECT_EQ(cible.Bs, 0.99);
}

TEST(RBBPdText, DefaultRecordTextIsExact) {
    RBBPd r;
    std::string attendu;
    for (int k = 0; k < 9; ++k)
        attendu += "1 2 3 1\n";
    attendu += "\n1 0 0 \n1 1 0 \n1 0 1 \n\n";
    attendu += "0 0 0\n1 1 1\n\n";
    attendu += "0 0 0\n1 1 1\n\n";
    attendu += "0 0 0\n\n";
    attendu += "0 0 0\n";
    const std::string t = texte(r);
    EXPECT_EQ(t, attendu);
    EXPECT_EQ(std::count(t.begin(), t.end(), '\n'), 23);
}

TEST(RBBPdText, WrittenRecordHas23LinesAnd63Numbers) {
    const std::string t = texte(recordSixChiffres());
    EXPECT_EQ(std::count(t.begin(), t.end(), '\n'), 23);
    std::istringstream is(t);
    int n = 0;
    double x;
    while (is >> x)
        ++n;
    EXPECT_EQ(n, 63);
    // Lines 10, 14, 17, 20 and 22 are empty; line 23 holds a, c, mu.
    std::istringstream lignes(t);
    std::string ligne;
    for (int k = 1; k <= 23; ++k) {
        std::getline(lignes, ligne);
        if (k == 10 || k == 14 || k == 17 || k == 20 || k == 22) {
            EXPECT_TRUE(ligne.empty()) << "line " << k;
        }
        if (k >= 11 && k <= 13) {
            EXPECT_EQ(ligne.back(), ' ') << "frame line " << k;
        }
    }
    EXPECT_EQ(ligne, "4.33981 -0.985576 2.0593");
}

TEST(RBBPdText, SixDigitRecordRoundTripsExactlyAndKeepsColours) {
    RBBPd src = recordSixChiffres();
    std::stringstream ss;
    ss << src;

    RBBPd lu; // different numbers, blue points, red lines
    colorer(lu, 0, 0, 1);
    lu.dA.setR(1);
    lu.dA.setG(0);
    lu.omega.setR(0.5);
    ss >> lu;
    EXPECT_FALSE(ss.fail());
    expectMemesNombres(lu, src);
    expectCouleur(lu, 0, 0, 1);
    EXPECT_EQ(lu.dA.getR(), 1);
    EXPECT_EQ(lu.dA.getG(), 0);
    EXPECT_EQ(lu.omega.getR(), 0.5);
}

TEST(RBBPdText, FullPrecisionValueReadsBackAsItsSixDigitForm) {
    RBBPd src;
    src.a = 2.0593049123;
    std::stringstream ss;
    ss << src;
    RBBPd lu;
    ss >> lu;
    EXPECT_EQ(lu.a, 2.0593);
}

TEST(RBBPdText, SixtyThreeNumbersOnOneLineReadLikeTheLayout) {
    const std::string t = texte(recordSixChiffres());
    std::istringstream is(t);
    std::string uneLigne, mot;
    while (is >> mot)
        uneLigne += (uneLigne.empty() ? "" : " ") + mot;
    EXPECT_EQ(uneLigne.find('\n'), std::string::npos);

    RBBPd depuisLayout, depuisLigne;
    std::istringstream a(t), b(uneLigne);
    a >> depuisLayout;
    b >> depuisLigne;
    EXPECT_FALSE(b.fail());
    expectMemesNombres(depuisLigne, depuisLayout);
    expectMemesNombres(depuisLigne, recordSixChiffres());
}

TEST(RBBPdText, TextEndingAfterTheFrameLeavesTheRestUntouched) {
    const RBBPd src = recordSixChiffres();
    std::ostringstream os;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            os << src.P[i][j] << " " << src.w[i][j] << "\n";
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            os << src.Base[i][j] << " ";

    RBBPd lu; // default lines, centre and parameters
    lu.a = 7;
    lu.c = 8;
    lu.mu = 9;
    std::istringstream is(os.str());
    is >> lu;
    EXPECT_TRUE(is.fail());
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(lu.P[i][j].getX0(), src.P[i][j].getX0());
            EXPECT_EQ(lu.w[i][j], src.w[i][j]);
            EXPECT_EQ(lu.Base[i][j], src.Base[i][j]);
        }
    EXPECT_TRUE(tol::nearPoint(lu.dA.getP(), 0, 0, 0, 0));
    EXPECT_EQ(lu.dA.getV().abs(), 1);
    EXPECT_EQ(lu.dB.getV().cote(), 1);
    EXPECT_TRUE(tol::nearPoint(lu.omega, 0, 0, 0, 0));
    EXPECT_EQ(lu.a, 7);
    EXPECT_EQ(lu.c, 8);
    EXPECT_EQ(lu.mu, 9);
}

TEST(RBBPdText, UnreadableNumberStopsReadingAndKeepsThatField) {
    // The 5th number (P01.x) is not a number: P00 and w00 are read, P01.x and
    // everything after it keep their values.
    RBBPd lu;
    std::istringstream is("1 2 3 0.5 abc 7 8 9");
    is >> lu;
    EXPECT_TRUE(is.fail());
    EXPECT_TRUE(tol::nearPoint(lu.P[0][0], 1, 2, 3, 0));
    EXPECT_EQ(lu.w[0][0], 0.5);
    EXPECT_TRUE(tol::nearPoint(lu.P[0][1], 1, 2, 3, 0));
    EXPECT_EQ(lu.w[0][1], 1);
    EXPECT_EQ(lu.getBase(1, 0), 1);
}
