#include "noyau/Geometrie.h"

vect entre(const Point& A, const Point& B) {
    return B.ToVect() - A.ToVect();
}

vect unitaire(vect v) {
    return (1 / v.norme()) * v;
}

vect produitVectoriel(vect u, vect v) {
    vect w;
    w.vectoriel(u, v);
    return w;
}

Point pointDe(const vect& u) {
    return Point(u.abs(), u.ord(), u.cote());
}

Plan planNormalPoint(const vect& n, const Point& P) {
    Plan pl;
    pl.setABCD(n.abs(), n.ord(), n.cote(),
               -(P.getX0() * n.abs() + P.getY0() * n.ord() + P.getZ0() * n.cote()));
    return pl;
}

Plan plan3Points(const Point& A, const Point& B, const Point& C) {
    Plan pl;
    pl.defPlan3Points(A, B, C);
    return pl;
}

Plan planUnitaire(const Point& P0, const Point& P1, const Point& P2) {
    return planNormalPoint(unitaire(produitVectoriel(entre(P0, P1), entre(P0, P2))), P0);
}

Droite droite(const Point& P, const vect& v) {
    Droite D;
    D.init(P, v);
    return D;
}
