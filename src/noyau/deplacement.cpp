#include "noyau/deplacement.h"

#include <iostream>

deplacement::deplacement() : angle(0), symX(0), v(), O1(), O2() {}

void deplacement::init(double theta, vect u, int n) {
    angle = theta;
    v = u;
    symX = n;
}

void deplacement::init(double theta, vect u, int n, Point A, Point B) {
    init(theta, u, n);
    O1 = A;
    O2 = B;
}

void deplacement::affiche() const {
    std::cout << "angle : " << angle << "  Sym\xE9trie " << symX << "  Vecteur: " << v << std::endl;
}

std::ostream& operator<<(std::ostream& s, deplacement D) {
    s << "Angle : " << D.getAngle() << std::endl;
    s << "Vecteur de translation : \n " << D.getV() << std::endl;
    s << "Rotation pour inverser les roles des cercles principaux  (O/N): " << D.getSymX()
      << std::endl;
    s << "Premier centre principal O1 : \n" << D.getO1() << std::endl;
    s << "Second centre principal O2 : \n" << D.getO2() << std::endl;
    return s;
}
