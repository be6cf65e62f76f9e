#include "noyau/Vecteur.h"

#include "CaptureStdout.h"
#include "Tolerance.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <streambuf>

using tol::nearVect;

TEST(Vect, ConstructorsAndInit) {
    vect zero;
    EXPECT_TRUE(nearVect(zero, 0, 0, 0, 0.0));
    vect v(1.5, -2, 3.25);
    EXPECT_TRUE(nearVect(v, 1.5, -2, 3.25, 0.0));
    v.init(-1, 0.5, 7);
    EXPECT_TRUE(nearVect(v, -1, 0.5, 7, 0.0));
    vect w;
    w = v;
    EXPECT_TRUE(nearVect(w, -1, 0.5, 7, 0.0));
    vect c(w);
    EXPECT_TRUE(nearVect(c, -1, 0.5, 7, 0.0));
}

TEST(Vect, ArithmeticOperators) {
    vect u(1, 2, 3), v(0.5, -4, 10);
    EXPECT_TRUE(nearVect(u + v, 1.5, -2, 13, 1e-15));
    EXPECT_TRUE(nearVect(u - v, 0.5, 6, -7, 1e-15));
    EXPECT_TRUE(nearVect(-u, -1, -2, -3, 0.0));
    EXPECT_TRUE(nearVect(2.5 * u, 2.5, 5, 7.5, 1e-15));
    // u - v == u + (-1) v, and (u + v) - v gives back u.
    EXPECT_TRUE(nearVect((u + v) - v, 1, 2, 3, 1e-14));
}

TEST(Vect, DotProductAndNorm) {
    vect u(1, 2, 2), v(3, -1, 4);
    EXPECT_TRUE(tol::near(u.scalaire(v), 3 - 2 + 8, 1e-15));
    EXPECT_TRUE(tol::near(u.scalaire(v), v.scalaire(u), 0.0));
    EXPECT_TRUE(tol::near(u.norme(), 3.0, 1e-15));
    EXPECT_TRUE(tol::near(vect(0, 0, -5).norme(), 5.0, 1e-15));
    EXPECT_TRUE(tol::near(vect().norme(), 0.0, 0.0));
    EXPECT_TRUE(tol::near(u.norme() * u.norme(), u.scalaire(u), 1e-13));
}

TEST(Vect, CrossProductStoredInReceiver) {
    vect w(9, 9, 9);
    w.vectoriel(vect(1, 0, 0), vect(0, 1, 0));
    EXPECT_TRUE(nearVect(w, 0, 0, 1, 0.0));
    w.vectoriel(vect(0, 1, 0), vect(1, 0, 0)); // anticommutative
    EXPECT_TRUE(nearVect(w, 0, 0, -1, 0.0));

    vect c(1, -2, 3), d(4, 0.5, -1);
    w.vectoriel(c, d);
    EXPECT_TRUE(nearVect(w, -2 * -1 - 3 * 0.5, 3 * 4 - 1 * -1, 1 * 0.5 - -2 * 4, 1e-14));
    // Orthogonal to both factors; Lagrange's identity.
    EXPECT_TRUE(tol::near(w.scalaire(c), 0.0, 1e-13));
    EXPECT_TRUE(tol::near(w.scalaire(d), 0.0, 1e-13));
    double lhs = w.scalaire(w) + c.scalaire(d) * c.scalaire(d);
    EXPECT_TRUE(tol::near(lhs, c.scalaire(c) * d.scalaire(d), 1e-12));

    // The receiver may be one of the factors.
    vect u(1, 0, 0);
    u.vectoriel(u, vect(0, 1, 0));
    EXPECT_TRUE(nearVect(u, 0, 0, 1, 0.0));
}

TEST(Vect, ScalarMultipleStoredInReceiver) {
    vect w;
    w.vectoriel(-2.0, vect(1, 0.5, -3));
    EXPECT_TRUE(nearVect(w, -2, -1, 6, 0.0));
    w.vectoriel(0.5, w);
    EXPECT_TRUE(nearVect(w, -1, -0.5, 3, 0.0));
}

TEST(Vect, TextFormWritesThreeNumbersWithSingleSpaces) {
    std::ostringstream os;
    os << vect(0.5, -1, 0.125);
    EXPECT_EQ(os.str(), "0.5 -1 0.125");
    std::ostringstream six;
    six << vect(1.23456789, 1e-7, 1234567);
    EXPECT_EQ(six.str(), "1.23457 1e-07 1.23457e+06");
    // The stream's own format is honoured, nothing is forced.
    std::ostringstream fixed;
    fixed.precision(2);
    fixed << std::fixed << vect(1, 2.5, -3);
    EXPECT_EQ(fixed.str(), "1.00 2.50 -3.00");
}

TEST(Vect, ExtractionReadsBackTheTextForm) {
    std::ostringstream os;
    vect v(0.1, -2.75, 1e-3);
    os.precision(17);
    os << v;
    std::istringstream is(os.str());
    vect r;
    is >> r;
    EXPECT_FALSE(is.fail());
    EXPECT_TRUE(nearVect(r, 0.1, -2.75, 1e-3, 0.0));

    std::istringstream multi("  1\n2\t\t3 4");
    multi >> r;
    EXPECT_TRUE(nearVect(r, 1, 2, 3, 0.0));
}

TEST(Vect, FailedExtractionLeavesTheStreamFailed) {
    std::istringstream is("1 x 3");
    vect r(7, 7, 7);
    is >> r;
    EXPECT_TRUE(is.fail());
    EXPECT_TRUE(tol::near(r.abs(), 1.0, 0.0));
}

TEST(Vect, AfficheBytesAndFlushes) {
    {
        CaptureStdout cap;
        vect(1, 2.5, -3).affiche();
        EXPECT_EQ(cap.str(), "\n1\n2.5\n-3\n");
    }
    // Every end of line is a flush (four of them).
    CountingBuf buf;
    std::streambuf* old = std::cout.rdbuf(&buf);
    vect(0, 0, 0).affiche();
    std::cout.rdbuf(old);
    EXPECT_EQ(buf.str(), "\n0\n0\n0\n");
    EXPECT_EQ(buf.syncs, 4);
}
