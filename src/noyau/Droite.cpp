#include "noyau/Droite.h"

#include <cmath>
#include <iostream>

namespace {
// Pivot tolerance of the secant-lines intersection.
const double EPS_PIVOT = 0.00001;
// Base points closer than this are taken as the intersection.
const double EPS_SAME_POINT = 0.0001;
} // namespace

Droite::Droite() : P(), V(1, 1, 1), r(0), g(1), b(0) {}

Droite::Droite(Point Pt, vect Vt) : P(Pt), V(Vt), r(0), g(1), b(0) {}

Droite::Droite(Point Pt, vect Vt, double r, double g, double b) : P(Pt), V(Vt), r(r), g(g), b(b) {}

Droite::Droite(const Droite& D) : P(D.P), V(D.V), r(D.r), g(D.g), b(D.b) {}

void Droite::operator=(Droite D) {
    P = D.P;
    V = D.V;
}

void Droite::setP(Point Pt) {
    P = Pt;
}

void Droite::setV(vect Vt) {
    V = Vt;
}

void Droite::init(Point Pt, vect Vt) {
    P = Pt;
    V = Vt;
}

double Droite::distPointDroite(Point Pt) const {
    Point H;
    H.projOrtho(Pt, P, V);
    return Pt.distance(H);
}

Point Droite::intersect2DroitesSecantes(Droite D2) const {
    Point I = P;
    const Point& P1 = P;
    const Point& P2 = D2.P;
    const double v1x = V.abs(), v1y = V.ord(), v1z = V.cote();
    const double v2x = D2.V.abs(), v2y = D2.V.ord(), v2z = D2.V.cote();
    const double dx = P2.getX0() - P1.getX0();
    const double dy = P2.getY0() - P1.getY0();
    const double dz = P2.getZ0() - P1.getZ0();

    if (!(P1.distance(P2) > EPS_SAME_POINT))
        return I;

    double t;
    if (std::fabs(v1x) > EPS_PIVOT) {
        if (std::fabs(v2x * v1y / v1x - v2y) > EPS_PIVOT)
            t = (dy - dx * (v1y / v1x)) / (v2x * v1y / v1x - v2y); // x-y pair
        else
            t = (dz - dx * (v1z / v1x)) / (v2x * v1z / v1x - v2z); // x-z pair
    } else if (std::fabs(v1y) > EPS_PIVOT) {
        if (std::fabs(v2y * v1x / v1y - v2x) > EPS_PIVOT)
            t = (dx - dy * (v1x / v1y)) / (v2y * v1x / v1y - v2x); // y-x pair
        else
            t = (dz - dy * (v1z / v1y)) / (v2y * v1z / v1y - v2z); // y-z pair
    } else if (std::fabs(v1z) > EPS_PIVOT && std::fabs(v2x) > EPS_PIVOT) {
        t = (P1.getX0() - P2.getX0()) / v2x; // receiver parallel to z
    } else if (std::fabs(v1z) > EPS_PIVOT && std::fabs(v2y) > EPS_PIVOT) {
        t = (P1.getY0() - P2.getY0()) / v2y; // receiver parallel to z
    } else {
        return I; // no pivot: the receiver's base point
    }
    I.init(P2.getX0() + t * v2x, P2.getY0() + t * v2y, P2.getZ0() + t * v2z);
    return I;
}

Point Droite::intersectDroite(Droite D) const {
    const double p1x = P.getX0(), p1y = P.getY0(), p1z = P.getZ0();
    const double v1x = V.abs(), v1y = V.ord(), v1z = V.cote();
    const double v2x = D.V.abs(), v2y = D.V.ord();
    double t = (v2y * (p1x - D.P.getX0()) - v2x * (p1y - D.P.getY0())) / (v1y * v2x - v1x * v2y);
    return Point(p1x + t * v1x, p1y + t * v1y, p1z + t * v1z);
}

Point Droite::projete(Point Pt) const {
    Point H;
    H.projOrtho(Pt, P, V);
    return H;
}

void Droite::traceDroite(double m) const {
    Point P1 = P;
    vect v1 = V;
    Point P2 = P1.trans(m * v1);
    Point P3 = P1.trans(-(m * v1));
    P1.trace_segment(P2);
    P1.trace_segment(P3);
    P1.openGL(10);
}

void Droite::traceDroite() const {
    traceDroite(2.0);
}

void Droite::affiche() const {
    std::cout << "Affichage des valeurs de la droite :" << std::endl;
    std::cout << "Point : " << P << std::endl;
    std::cout << "Vecteur : " << V << std::endl;
}

std::ostream& operator<<(std::ostream& s, Droite D) {
    s << D.getP() << std::endl << D.getV() << std::endl;
    return s;
}

std::istream& operator>>(std::istream& s, Droite& D) {
    Point P = D.getP();
    vect V = D.getV();
    s >> P >> V;
    D.init(P, V);
    return s;
}
