#include "noyau/deplacement.h"

#include "CaptureStdout.h"
#include "Tolerance.h"

#include <gtest/gtest.h>

#include <sstream>

using tol::hasColour;
using tol::nearVect;

TEST(Deplacement, DefaultRecord) {
    deplacement D;
    EXPECT_TRUE(tol::near(D.getAngle(), 0.0, 0.0));
    EXPECT_EQ(D.getSymX(), 0);
    EXPECT_TRUE(nearVect(D.getV(), 0, 0, 0));
    EXPECT_TRUE(tol::nearPoint(D.getO1(), 0, 0, 0, 0.0));
    EXPECT_TRUE(tol::nearPoint(D.getO2(), 0, 0, 0, 0.0));
    EXPECT_TRUE(hasColour(D.getO1(), 0, 1, 0));
    EXPECT_TRUE(hasColour(D.getO2(), 0, 1, 0));
}

TEST(Deplacement, ShortInitKeepsTheCentres) {
    deplacement D;
    D.putO1(Point(1, 2, 3));
    D.putO2(Point(4, 5, 6, 0, 0, 1));
    D.init(1.5, vect(1, -1, 2), 1);
    EXPECT_TRUE(tol::near(D.getAngle(), 1.5, 0.0));
    EXPECT_TRUE(nearVect(D.getV(), 1, -1, 2));
    EXPECT_EQ(D.getSymX(), 1);
    EXPECT_TRUE(tol::nearPoint(D.getO1(), 1, 2, 3, 0.0));
    EXPECT_TRUE(tol::nearPoint(D.getO2(), 4, 5, 6, 0.0));
    EXPECT_TRUE(hasColour(D.getO2(), 0, 0, 1));
}

TEST(Deplacement, FullInitCopiesWholePoints) {
    deplacement D;
    D.init(0.5, vect(0, 0, 1), 0, Point(1, 2, 3, 1, 0, 0), Point(-1, 0, 2, 0.2, 0.4, 0.6));
    EXPECT_TRUE(tol::near(D.getAngle(), 0.5, 0.0));
    EXPECT_EQ(D.getSymX(), 0);
    EXPECT_TRUE(nearVect(D.getV(), 0, 0, 1));
    EXPECT_TRUE(tol::nearPoint(D.getO1(), 1, 2, 3, 0.0));
    EXPECT_TRUE(hasColour(D.getO1(), 1, 0, 0));
    EXPECT_TRUE(tol::nearPoint(D.getO2(), -1, 0, 2, 0.0));
    EXPECT_TRUE(hasColour(D.getO2(), 0.2, 0.4, 0.6));
}

TEST(Deplacement, PuttersAndCopy) {
    deplacement D;
    D.putAngle(-0.25);
    D.putV(vect(3, 2, 1));
    D.putSymX(1);
    D.putO1(Point(7, 8, 9, 1, 1, 0));
    D.putO2(Point(-7, -8, -9));
    deplacement C = D;
    EXPECT_TRUE(tol::near(C.getAngle(), -0.25, 0.0));
    EXPECT_TRUE(nearVect(C.getV(), 3, 2, 1));
    EXPECT_EQ(C.getSymX(), 1);
    EXPECT_TRUE(tol::nearPoint(C.getO1(), 7, 8, 9, 0.0));
    EXPECT_TRUE(hasColour(C.getO1(), 1, 1, 0));
    EXPECT_TRUE(tol::nearPoint(C.getO2(), -7, -8, -9, 0.0));
}

TEST(Deplacement, TextFormOfTheDefaultRecord) {
    std::ostringstream os;
    os << deplacement();
    EXPECT_EQ(os.str(), "Angle : 0\n"
                        "Vecteur de translation : \n 0 0 0\n"
                        "Rotation pour inverser les roles des cercles principaux  (O/N): 0\n"
                        "Premier centre principal O1 : \n0 0 0\n"
                        "Second centre principal O2 : \n0 0 0\n");
}

TEST(Deplacement, TextFormOfAFilledRecord) {
    deplacement D;
    D.init(1.25, vect(1, -2, 0.5), 1, Point(1, 2, 3, 1, 0, 0), Point(4.5, 5, -6));
    std::ostringstream os;
    os << D;
    EXPECT_EQ(os.str(), "Angle : 1.25\n"
                        "Vecteur de translation : \n 1 -2 0.5\n"
                        "Rotation pour inverser les roles des cercles principaux  (O/N): 1\n"
                        "Premier centre principal O1 : \n1 2 3\n"
                        "Second centre principal O2 : \n4.5 5 -6\n");
}

TEST(Deplacement, AfficheIsOneLatin1Line) {
    {
        CaptureStdout cap;
        deplacement().affiche();
        EXPECT_EQ(cap.str(), "angle : 0  Sym\xE9trie 0  Vecteur: 0 0 0\n");
        EXPECT_EQ(cap.str().size(), 38u); // e-acute is a single byte
    }
    deplacement D;
    D.init(3.14159265, vect(0.5, 0, -1), 1, Point(1, 1, 1), Point(2, 2, 2));
    CaptureStdout cap;
    D.affiche();
    EXPECT_EQ(cap.str(), "angle : 3.14159  Sym\xE9trie 1  Vecteur: 0.5 0 -1\n");
}
