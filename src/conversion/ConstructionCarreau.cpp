#include "conversion/ConstructionCarreau.h"

#include "noyau/Constantes.h"
#include "noyau/Geometrie.h"

#include <cmath>

namespace cyclide {

namespace {

// Perpendicular bisector plane of the segment AB: unit normal from the
// midpoint M towards B, through M. A = B gives non-numbers.
Plan planMediateur(const Point& A, const Point& B) {
    Point M = A.milieu(B);
    vect n = unitaire(entre(M, B));
    return planNormalPoint(n, M);
}

// The common point of three planes by Cramer's rule, the determinant untested:
// a singular system gives infinite or non-number coordinates.
Point pointTroisPlans(const Plan& pl1, const Plan& pl2, const Plan& pl3) {
    const double a1 = pl1.getA(), b1 = pl1.getB(), c1 = pl1.getC(), d1 = pl1.getD();
    const double a2 = pl2.getA(), b2 = pl2.getB(), c2 = pl2.getC(), d2 = pl2.getD();
    const double a3 = pl3.getA(), b3 = pl3.getB(), c3 = pl3.getC(), d3 = pl3.getD();
    const double delta =
        c3 * a2 * b1 - c3 * a1 * b2 - c2 * a3 * b1 + a1 * c2 * b3 - a2 * c1 * b3 + c1 * a3 * b2;
    const double x =
        -(c3 * d2 * b1 - c3 * b2 * d1 + c2 * b3 * d1 - c2 * d3 * b1 + b2 * c1 * d3 - d2 * c1 * b3) /
        delta;
    const double y =
        (-a1 * c2 * d3 + c3 * a1 * d2 - c3 * a2 * d1 + a2 * c1 * d3 + c2 * a3 * d1 - c1 * a3 * d2) /
        delta;
    const double z = -(-a3 * d2 * b1 + a3 * b2 * d1 + b3 * a1 * d2 - b3 * a2 * d1 + d3 * a2 * b1 -
                       d3 * a1 * b2) /
                     delta;
    return Point(x, y, z);
}

// The tangent point at the corner Pc of a boundary: the common point of the
// bisector plane of that boundary's chord, the plane through Pc with normal
// unit((P11 - Pc) x (Q - Pc)), and the plane through Pc perpendicular to
// Q - Pc (Q the tangent point of the other boundary at Pc). Written into T
// with init, so T keeps its colour.
void pointTangent(Point& T, const Plan& mediateur, const Point& Pc, const Point& P11,
                  const Point& Q) {
    vect n = unitaire(produitVectoriel(entre(Pc, P11), entre(Pc, Q)));
    Plan plTg = planNormalPoint(n, Pc);
    Plan troisieme = planNormalPoint(entre(Pc, Q), Pc);
    T.init(pointTroisPlans(mediateur, plTg, troisieme));
}

// The middle weight w11 for which w0 (Q0 - I) + 2 w11 (P11 - I) + w2 (Q2 - I)
// is perpendicular to g.
double poidsCentral(double w0, const Point& Q0, double w2, const Point& Q2, const Point& P11,
                    const Point& I, const vect& g) {
    return -(w0 * entre(I, Q0).scalaire(g) + w2 * entre(I, Q2).scalaire(g)) /
           (2 * entre(I, P11).scalaire(g));
}

// The meeting point of the line P0 Q0 and the line P1 Q1.
Point rencontre(const Point& P0, const Point& Q0, const Point& P1, const Point& Q1) {
    return droite(P0, entre(P0, Q0)).intersectDroite(droite(P1, entre(P1, Q1)));
}

// P10 on
// the bisector plane Pl (of P00 P20): its free coordinate is P10t, the
// others follow from the plane and z = 2 x (or 2 y).
void poserP10(const ParametresCarreau& p, const Plan& Pl, Point (&P)[3][3]) {
    const double A = Pl.getA(), B = Pl.getB(), D = Pl.getD();
    double xt, yt, zt;
    if (A == 0) {
        xt = p.P10t;
        yt = -D / B;
        zt = 2 * xt;
    } else if (B == 0) {
        xt = -D / A;
        yt = p.P10t;
        zt = 2 * yt;
    } else {
        xt = p.P10t;
        yt = -A * xt / B;
        zt = 2 * yt;
    }
    P[1][0].init(xt, yt, zt);
}

// Corner weights: w00 = w02 = w20 = 1 and w22 = 1 - p q, p and q read from
// the unit chords.
void poidsDesCoins(const Point (&P)[3][3], double (&w)[3][3]) {
    const vect e1 = unitaire(entre(P[0][0], P[2][0]));
    const vect e2 = unitaire(entre(P[0][0], P[0][2]));
    const vect e3 = unitaire(entre(P[0][2], P[2][2]));
    const vect e4 = unitaire(entre(P[2][0], P[2][2]));
    const double p = (e2.scalaire(e3) - e1.scalaire(e2) * e1.scalaire(e3)) /
                     (e1.scalaire(e3) - e1.scalaire(e2) * e2.scalaire(e3));
    const double q = (e1.scalaire(e4) - e1.scalaire(e2) * e2.scalaire(e4)) /
                     (e2.scalaire(e4) - e1.scalaire(e2) * e1.scalaire(e4));
    w[2][0] = 1;
    w[0][2] = 1;
    w[0][0] = 1;
    w[2][2] = 1 - p * q;
}

// Edge weights of the four circular arcs, then the middle weight from each
// direction (made perpendicular to the line joining the mid-points of two
// opposite boundaries); the second stays in w11, the first is returned.
double poidsDesAretes(RBBP& n) {
    const Point(&P)[3][3] = n.P;
    double(&w)[3][3] = n.w;
    w[0][1] = n.calcW(P[0][0], P[0][1], P[0][2]);
    Point O1;
    O1.centreCercle(P[2][0], P[2][1], P[2][2]);
    w[2][1] = n.calcW1(O1, P[2][0], P[2][1], P[2][2], w[2][0], w[2][2]);
    w[1][0] = n.calcW(P[0][0], P[1][0], P[2][0]);
    Point O2;
    O2.centreCercle(P[0][2], P[1][2], P[2][2]);
    w[1][2] = n.calcW1(O2, P[0][2], P[1][2], P[2][2], w[0][2], w[2][2]);

    Point G0u, G2u, G0v, G2v;
    G0u.bar(P[0][0], w[0][0], P[0][1], 2 * w[0][1], P[0][2], w[0][2]);
    G2u.bar(P[2][0], w[2][0], P[2][1], 2 * w[2][1], P[2][2], w[2][2]);
    const Point Iu = G0u.milieu(G2u);
    G0v.bar(P[0][0], w[0][0], P[1][0], 2 * w[1][0], P[2][0], w[2][0]);
    G2v.bar(P[0][2], w[0][2], P[1][2], 2 * w[1][2], P[2][2], w[2][2]);
    const Point Iv = G0v.milieu(G2v);

    const double w11t =
        poidsCentral(w[1][0], P[1][0], w[1][2], P[1][2], P[1][1], Iu, entre(G0u, G2u));
    w[1][1] = poidsCentral(w[0][1], P[0][1], w[2][1], P[2][1], P[1][1], Iv, entre(G0v, G2v));
    return w11t;
}

// The verdict. A net whose middle weight vanishes passes the agreement test
// only because the two terms of each numerator cancel: its interior curves
// are not circles and it lies on no Dupin cyclide, so it is not convertible
// (nets that do lie on one have middle weights far above this bound).
int typeConversion(const RBBP& n, double w11t) {
    const Point(&P)[3][3] = n.P;
    const double w11 = n.w[1][1];
    if (!(ACCORD_POIDS_CENTRAL > std::fabs(w11 - w11t) && !(std::fabs(w11) < POIDS_CENTRAL_NUL)))
        return TYPE_NON_CONVERTIBLE;
    Plan Pl1 = plan3Points(P[0][0], P[0][1], P[0][2]);
    Plan Pl2 = plan3Points(P[2][0], P[2][1], P[2][2]);
    Plan Pl3 = plan3Points(P[0][0], P[1][0], P[2][0]);
    Plan Pl4 = plan3Points(P[0][2], P[1][2], P[2][2]);
    const int t12 = Pl1.typeIntersectPlans(Pl2);
    const int t34 = Pl3.typeIntersectPlans(Pl4);
    if (t12 == 1 && t34 == 1)
        return TYPE_CYCLIDE_GENERALE;
    if ((t12 == 1 && t34 == 3) || (t12 == 3 && t34 == 1))
        return TYPE_TORE_SPHERE;
    return TYPE_NON_CONVERTIBLE;
}

} // namespace

CarreauConstruit construireCarreau(const ParametresCarreau& p) {
    CarreauConstruit res;
    Point(&P)[3][3] = res.reseau.P;
    P[0][0].init(std::cos(p.t00) * p.R, std::sin(p.t00) * p.R, 0);
    P[0][2].init(std::cos(p.t02) * p.R, std::sin(p.t02) * p.R, 0);
    P[2][0].init(std::cos(p.t20) * p.R, std::sin(p.t20) * p.R, 0);
    P[2][2].init(std::cos(p.t22) * p.R, std::sin(p.t22) * p.R, 0);

    // Bisector planes of the four chords: first and last row, first and
    // last column.
    const Plan Pl[4] = {planMediateur(P[0][0], P[0][2]), planMediateur(P[2][0], P[2][2]),
                        planMediateur(P[0][0], P[2][0]), planMediateur(P[0][2], P[2][2])};
    P[1][1].init(0, 0, p.z11);
    const Point B0 = rencontre(P[0][0], P[0][2], P[2][0], P[2][2]);
    const Point A0 = rencontre(P[0][0], P[2][0], P[0][2], P[2][2]);
    poserP10(p, Pl[2], P);

    // Tangent points at the corners P00, P20 and P02.
    pointTangent(P[0][1], Pl[0], P[0][0], P[1][1], P[1][0]);
    pointTangent(P[2][1], Pl[1], P[2][0], P[1][1], P[1][0]);
    pointTangent(P[1][2], Pl[3], P[0][2], P[1][1], P[0][1]);

    // The two lines through the meeting points of the chords and tangents.
    const Point B1 = rencontre(P[0][0], P[0][1], P[2][0], P[2][1]);
    const Point A1 = rencontre(P[0][0], P[1][0], P[0][2], P[1][2]);
    res.dA.init(A0, entre(A0, A1));
    res.dB.init(B0, entre(B0, B1));

    poidsDesCoins(P, res.reseau.w);
    const double w11t = poidsDesAretes(res.reseau);
    res.type = typeConversion(res.reseau, w11t);
    return res;
}

} // namespace cyclide
