#include "RBBPd.h"

#include "Cyclide.h"
#include "Fonction.h"
#include "Plan.h"

#include <GL/gl.h>

#include <cmath>
#include <istream>
#include <ostream>
#include <vector>

namespace {

const double DEUX_PI = 6.283185307179586;

// ---------------------------------------------------------------------------
// Small vector helpers
// ---------------------------------------------------------------------------

// The vector B - A between two points.
vect entre(const Point& A, const Point& B) {
    return B.ToVect() - A.ToVect();
}

// v multiplied by 1 / |v|; a zero vector gives non-numbers.
vect unitaire(vect v) {
    return (1 / v.norme()) * v;
}

// The cross product u x v as a new vector.
vect produitVectoriel(vect u, vect v) {
    vect w;
    w.vectoriel(u, v);
    return w;
}

// The plane through P with normal n: (n.x, n.y, n.z, -(P.x n.x + P.y n.y + P.z n.z)).
Plan planNormalPoint(const vect& n, const Point& P) {
    Plan pl;
    pl.setABCD(n.abs(), n.ord(), n.cote(),
               -(P.getX0() * n.abs() + P.getY0() * n.ord() + P.getZ0() * n.cote()));
    return pl;
}

// The plane through the three points, in this order.
Plan plan3Points(const Point& A, const Point& B, const Point& C) {
    Plan pl;
    pl.defPlan3Points(A, B, C);
    return pl;
}

// The line through P with direction v.
Droite droite(const Point& P, const vect& v) {
    Droite D;
    D.init(P, v);
    return D;
}

// The patch point at (u, v): (numX den, numY den, numZ den).
Point pointCarreau(const RBBP& carreau, double u, double v) {
    return Point(carreau.numX(u, v) * carreau.den(u, v), carreau.numY(u, v) * carreau.den(u, v),
                 carreau.numZ(u, v) * carreau.den(u, v));
}

// ---------------------------------------------------------------------------
// Construction of the net
// ---------------------------------------------------------------------------

// Perpendicular bisector plane of the segment AB: unit normal from the
// midpoint M towards B, through M. A = B gives non-numbers.
Plan planMediateur(const Point& A, const Point& B) {
    Point M = A.milieu(B);
    vect n = unitaire(entre(M, B));
    return planNormalPoint(n, M);
}

// The common point of three planes by Cramer's rule, the determinant untested:
// a singular system gives infinite or non-number coordinates.
void pointTroisPlans(const Plan& pl1, const Plan& pl2, const Plan& pl3, double& x, double& y,
                     double& z) {
    const double a1 = pl1.getA(), b1 = pl1.getB(), c1 = pl1.getC(), d1 = pl1.getD();
    const double a2 = pl2.getA(), b2 = pl2.getB(), c2 = pl2.getC(), d2 = pl2.getD();
    const double a3 = pl3.getA(), b3 = pl3.getB(), c3 = pl3.getC(), d3 = pl3.getD();
    const double delta =
        c3 * a2 * b1 - c3 * a1 * b2 - c2 * a3 * b1 + a1 * c2 * b3 - a2 * c1 * b3 + c1 * a3 * b2;
    x = -(c3 * d2 * b1 - c3 * b2 * d1 + c2 * b3 * d1 - c2 * d3 * b1 + b2 * c1 * d3 - d2 * c1 * b3) /
        delta;
    y = (-a1 * c2 * d3 + c3 * a1 * d2 - c3 * a2 * d1 + a2 * c1 * d3 + c2 * a3 * d1 - c1 * a3 * d2) /
        delta;
    z = -(-a3 * d2 * b1 + a3 * b2 * d1 + b3 * a1 * d2 - b3 * a2 * d1 + d3 * a2 * b1 -
          d3 * a1 * b2) /
        delta;
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
    vect t = entre(Pc, Q);
    const double a3 = t.abs(), b3 = t.ord(), c3 = t.cote();
    Plan troisieme;
    troisieme.setABCD(a3, b3, c3, -(Pc.getX0() * a3 + Pc.getY0() * b3 + Pc.getZ0() * c3));
    double x, y, z;
    pointTroisPlans(mediateur, plTg, troisieme, x, y, z);
    T.init(x, y, z);
}

// The middle weight w11 for which w0 (Q0 - I) + 2 w11 (P11 - I) + w2 (Q2 - I)
// is perpendicular to g.
double poidsCentral(double w0, const Point& Q0, double w2, const Point& Q2, const Point& P11,
                    const Point& I, const vect& g) {
    return -(w0 * entre(I, Q0).scalaire(g) + w2 * entre(I, Q2).scalaire(g)) /
           (2 * entre(I, P11).scalaire(g));
}

// ---------------------------------------------------------------------------
// Cyclide frame
// ---------------------------------------------------------------------------

// Inverse of a 3 x 3 matrix by cofactors over the determinant (no test for a
// zero determinant: a singular matrix gives infinite or non-number entries).
void inverseMatrice(const double M[3][3], double inv[3][3]) {
    const double a1 = M[0][0], b1 = M[0][1], c1 = M[0][2];
    const double a2 = M[1][0], b2 = M[1][1], c2 = M[1][2];
    const double a3 = M[2][0], b3 = M[2][1], c3 = M[2][2];
    const double delta =
        -a1 * b2 * c3 + a1 * c2 * b3 + a2 * b1 * c3 - a2 * c1 * b3 - a3 * b1 * c2 + a3 * c1 * b2;
    inv[0][0] = -(b2 * c3 - c2 * b3) / delta;
    inv[0][1] = (b1 * c3 - c1 * b3) / delta;
    inv[0][2] = (-b1 * c2 + c1 * b2) / delta;
    inv[1][0] = (a2 * c3 - c2 * a3) / delta;
    inv[1][1] = -(a1 * c3 - c1 * a3) / delta;
    inv[1][2] = -(-a1 * c2 + c1 * a2) / delta;
    inv[2][0] = -(a2 * b3 - b2 * a3) / delta;
    inv[2][1] = -(-a1 * b3 + b1 * a3) / delta;
    inv[2][2] = (-a1 * b2 + b1 * a2) / delta;
}

// -M X for a 3 x 3 matrix M and a point X, as three doubles.
void opposeProduit(const double M[3][3], const Point& X, double res[3]) {
    for (int r = 0; r < 3; ++r)
        res[r] = -(M[r][0] * X.getX0() + M[r][1] * X.getY0() + M[r][2] * X.getZ0());
}

// M X + t for a 3 x 3 matrix M, a point X and a translation t.
void transformeAffine(const double M[3][3], const Point& X, const double t[3], double res[3]) {
    for (int r = 0; r < 3; ++r)
        res[r] = M[r][0] * X.getX0() + M[r][1] * X.getY0() + M[r][2] * X.getZ0() + t[r];
}

// Writes the three axes into the columns of Base.
void poserBase(RBBPd& RB, const vect& i0, const vect& j0, const vect& k0) {
    const vect axes[3] = {i0, j0, k0};
    for (int k = 0; k < 3; ++k) {
        RB.Base[0][k] = axes[k].abs();
        RB.Base[1][k] = axes[k].ord();
        RB.Base[2][k] = axes[k].cote();
    }
}

// P00 and P22 in the cyclide's frame (inverse of Base times X, plus the world
// origin expressed in that frame).
void coinsDansRepere(const RBBPd& RB, double q00[3], double q22[3]) {
    double inv[3][3];
    inverseMatrice(RB.Base, inv);
    double omegatmp[3];
    opposeProduit(inv, RB.omega, omegatmp);
    transformeAffine(inv, RB.P[0][0], omegatmp, q00);
    transformeAffine(inv, RB.P[2][2], omegatmp, q22);
}

// Orders the provisional parameters (a2, c2, mu2) by absolute value for the
// cyclide kind: ring c <= mu <= a, spindle c <= a <= mu, horned mu <= c <= a.
// The values keep their signs; non-numbers fall through to the last case.
void ordonnerParametres(int kind, double a2, double c2, double mu2, double& a, double& c,
                        double& mu) {
    const double A = std::fabs(a2), C = std::fabs(c2), M = std::fabs(mu2);
    // The three cases pick the smallest value: c2, mu2 or a2.
    int cas;
    if (A >= C && M >= C)
        cas = 1;
    else if (A >= M && C >= M)
        cas = 2;
    else
        cas = 3;

    if (kind == 1) { // ring: c the smallest, a the largest
        if (cas == 1) {
            c = c2;
            if (A >= M) {
                a = a2;
                mu = mu2;
            } else {
                a = mu2;
                mu = a2;
            }
        } else if (cas == 2) {
            c = mu2;
            if (A >= C) {
                a = a2;
                mu = c2;
            } else {
                a = c2;
                mu = a2;
            }
        } else {
            c = a2;
            if (M >= C) {
                a = mu2;
                mu = c2;
            } else {
                a = c2;
                mu = mu2;
            }
        }
    } else if (kind == 2) { // spindle: c the smallest, mu the largest
        if (cas == 1) {
            c = c2;
            if (A >= M) {
                a = mu2;
                mu = a2;
            } else {
                a = a2;
                mu = mu2;
            }
        } else if (cas == 2) {
            c = mu2;
            if (A >= C) {
                a = c2;
                mu = a2;
            } else {
                a = a2;
                mu = c2;
            }
        } else {
            c = a2;
            if (M >= C) {
                a = c2;
                mu = mu2;
            } else {
                a = mu2;
                mu = c2;
            }
        }
    } else { // horned: mu the smallest, a the largest
        if (cas == 1) {
            mu = c2;
            if (A >= M) {
                a = a2;
                c = mu2;
            } else {
                a = mu2;
                c = a2;
            }
        } else if (cas == 2) {
            mu = mu2;
            if (A >= C) {
                a = a2;
                c = c2;
            } else {
                a = c2;
                c = a2;
            }
        } else {
            mu = a2;
            if (M >= C) {
                a = mu2;
                c = c2;
            } else {
                a = c2;
                c = mu2;
            }
        }
    }
}

// Cyclide of a general convertible net, measured in the auxiliary plane
// perpendicular to k0 (planPz) or to j0. Returns 0 (and changes nothing) when
// the two plane pairs do not both cut along a line, else 1 ring, 2 spindle or
// 3 horned after writing a, c, mu, omega, Base and the piece's ranges.
// Degenerate nets give non-number parameters and ranges, never a crash.
int calculGeneral(RBBPd& RB, bool planPz, MorceauCyclide& morceau) {
    const Point P00 = RB.P[0][0], P01 = RB.P[0][1], P02 = RB.P[0][2];
    const Point P10 = RB.P[1][0], P12 = RB.P[1][2];
    const Point P20 = RB.P[2][0], P21 = RB.P[2][1], P22 = RB.P[2][2];

    // Planes of the four boundary control polygons.
    Plan Pl1 = plan3Points(P00, P01, P02);
    Plan Pl2 = plan3Points(P20, P21, P22);
    Plan Pl3 = plan3Points(P00, P10, P20);
    Plan Pl4 = plan3Points(P02, P12, P22);
    if (!(Pl1.typeIntersectPlans(Pl2) == 1 && Pl3.typeIntersectPlans(Pl4) == 1))
        return 0;

    // Axes of the two pencils of planes and their common perpendicular.
    Droite deltaPhi = Pl1.intersection2Plans(Pl2);
    Droite deltaTeta = Pl3.intersection2Plans(Pl4);
    Droite delta0 = Pl1.intersect2DroitesGauches(deltaPhi, deltaTeta);

    // Kind of cyclide.
    int resultat;
    if (Pl1.inter2Cercles(P00, P01, P02, P20, P21, P22) == 0) {
        resultat = 1;
    } else {
        Point Pdeltap = Pl2.cercleInterPlan(P00, P01, P02, 1);
        Point Pdeltan = Pl2.cercleInterPlan(P00, P01, P02, -1);
        Droite delta = droite(Pdeltap, entre(Pdeltan, Pdeltap));
        resultat = Pl2.intersectionDroiteDisque(P00, P10, P20, delta) ? 2 : 3;
    }

    // Frame axes.
    Point Hteta = delta0.intersect2DroitesSecantes(deltaTeta);
    Point Hphi = delta0.intersect2DroitesSecantes(deltaPhi);
    vect i0 = unitaire(entre(Hteta, Hphi));
    vect j0 = unitaire(deltaPhi.getV());
    vect k0 = unitaire(produitVectoriel(i0, j0));

    // Provisional centre, auxiliary plane, middle curve and the three pairs
    // of points where the circles meet the auxiliary plane.
    Plan auxiliaire;
    Point S0, S1, S2;
    Point A0, B0, A1, B1, A2, B2;
    if (planPz) {
        Point base = delta0.getP();
        vect dir = delta0.getV();
        RB.omega.init(base.getX0() + 0 * dir.abs(), base.getY0() + 0 * dir.ord(),
                      base.getZ0() + 0 * dir.cote());
        auxiliaire = planNormalPoint(k0, RB.omega);
        S0 = pointCarreau(RB, 0, 0.5);
        S1 = pointCarreau(RB, 0.5, 0.5);
        S2 = pointCarreau(RB, 1, 0.5);
    } else {
        RB.omega.init(Hteta);
        auxiliaire = planNormalPoint(j0, RB.omega);
        S0 = pointCarreau(RB, 0.5, 0);
        S1 = pointCarreau(RB, 0.5, 0.5);
        S2 = pointCarreau(RB, 0.5, 1);
    }
    Plan P2S = plan3Points(S0, S1, S2);
    Point OC1 = P2S.centreCercle3points(S0, S1, S2);
    if (planPz) {
        A0 = auxiliaire.cercleInterPlan(P00, P10, P20, 1);
        B0 = auxiliaire.cercleInterPlan(P00, P10, P20, -1);
        A2 = auxiliaire.cercleInterPlan(P02, P12, P22, 1);
        B2 = auxiliaire.cercleInterPlan(P02, P12, P22, -1);
    } else {
        A0 = auxiliaire.cercleInterPlan(P00, P01, P02, 1);
        B0 = auxiliaire.cercleInterPlan(P00, P01, P02, -1);
        A2 = auxiliaire.cercleInterPlan(P20, P21, P22, 1);
        B2 = auxiliaire.cercleInterPlan(P20, P21, P22, -1);
    }
    A1 = auxiliaire.cercleInterPlan2(S0, S1, S2, OC1, 1);
    B1 = auxiliaire.cercleInterPlan2(S0, S1, S2, OC1, -1);

    // Each Ak becomes the point farther from the sorting line (a tie keeps
    // the computed order).
    const Droite& tri = planPz ? deltaTeta : deltaPhi;
    Point* As[3] = {&A0, &A1, &A2};
    Point* Bs[3] = {&B0, &B1, &B2};
    for (int k = 0; k < 3; ++k) {
        if (tri.distPointDroite(*Bs[k]) > tri.distPointDroite(*As[k])) {
            Point t = *As[k];
            *As[k] = *Bs[k];
            *Bs[k] = t;
        }
    }

    // The two circles of the auxiliary plane and the provisional parameters.
    Point O1 = auxiliaire.centreCercle3points(A0, A1, A2);
    Point O2 = auxiliaire.centreCercle3points(B0, B1, B2);
    const double rho1 = O1.distance(A0);
    const double rho2 = O2.distance(B0);
    double a2, c2, mu2;
    if (planPz) {
        c2 = O1.distance(O2) / 2;
        if (resultat == 2) {
            a2 = (rho1 - rho2) / 2;
            mu2 = (rho1 + rho2) / 2;
        } else {
            mu2 = (rho1 - rho2) / 2;
            a2 = (rho1 + rho2) / 2;
        }
    } else {
        a2 = O1.distance(O2) / 2;
        if (resultat == 3) {
            c2 = (rho1 + rho2) / 2;
            mu2 = (rho1 - rho2) / 2;
        } else {
            mu2 = (rho1 + rho2) / 2;
            c2 = (rho1 - rho2) / 2;
        }
    }

    // Final parameters, centre and frame.
    ordonnerParametres(resultat, a2, c2, mu2, RB.a, RB.c, RB.mu);
    RB.omega.milieu(O1, O2);
    poserBase(RB, i0, j0, k0);

    // Parameter rectangle covered by the patch.
    double q00[3], q22[3];
    coinsDansRepere(RB, q00, q22);
    const double a = RB.a, c = RB.c, mu = RB.mu;
    const double b = std::sqrt(a * a - c * c);
    const double t0 = thetaSol1(0, q00[0], q00[1], 0, a, b, c, mu);
    const double t1 = thetaSol1(0, q22[0], q22[1], 0, a, b, c, mu);
    const double p0 = psiSol(t0, q00[0], q00[1], q00[2], a, b, c, mu);
    const double p1 = psiSol1(t1, q22[0], q22[1], q22[2], a, b, c, mu);
    morceau.u0 = t0;
    morceau.u1 = t1;
    morceau.v0 = -(DEUX_PI - p1);
    morceau.v1 = p0;
    return resultat;
}

// Draws the piece of cyclide (a, c, mu) over the rectangle, in the cyclide's
// own frame. Non-number ranges or parameters draw non-number vertices.
void dessinerMorceau(const RBBPd& RB, const MorceauCyclide& m) {
    Cyclide Cy(m.u0, m.u1, m.v0, m.v1, RB.a, RB.c, RB.mu);
    Cy.openGL();
}

// Reads one number into champ; on a failed extraction champ is left as it was
// and the stream stays failed, so every later read does nothing.
void lireNombre(std::istream& is, double& champ) {
    double valeur;
    if (is >> valeur)
        champ = valeur;
}

// Reads three numbers into the coordinates of P; its colour is left as it was.
void lirePoint(std::istream& is, Point& P) {
    double x = P.getX0(), y = P.getY0(), z = P.getZ0();
    lireNombre(is, x);
    P.setX0(x);
    lireNombre(is, y);
    P.setY0(y);
    lireNombre(is, z);
    P.setZ0(z);
}

// Reads a line: three numbers for its base point, three for its direction;
// the colours of the line and of its base point are left as they were.
void lireDroite(std::istream& is, Droite& D) {
    Point P = D.getP();
    lirePoint(is, P);
    D.setP(P);
    vect V = D.getV();
    double x = V.abs(), y = V.ord(), z = V.cote();
    lireNombre(is, x);
    lireNombre(is, y);
    lireNombre(is, z);
    V.init(x, y, z);
    D.setV(V);
}

} // namespace

// ---------------------------------------------------------------------------
// Record
// ---------------------------------------------------------------------------

// Default record: the default patch, default lines and centre, the frame
// rows (1, 0, 0), (1, 1, 0), (1, 0, 1) and a = c = mu = 0.
RBBPd::RBBPd() : RBBP(), dA(), dB(), omega(), a(0), c(0), mu(0) {
    const double base[3][3] = {{1, 0, 0}, {1, 1, 0}, {1, 0, 1}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            Base[i][j] = base[i][j];
}

// The argument is not used: the record is the default one.
RBBPd::RBBPd(double valeur) : RBBPd() {
    (void)valeur;
}

// Copies every field, colours of the points and lines included.
RBBPd::RBBPd(const RBBPd& RB)
    : RBBP(RB), dA(RB.dA), dB(RB.dB), omega(RB.omega), a(RB.a), c(RB.c), mu(RB.mu) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            Base[i][j] = RB.Base[i][j];
}

// Copies every field as the copy constructor does (a line's own assignment
// keeps the receiver's colour, so the colours are copied explicitly).
void RBBPd::operator=(RBBPd RB) {
    RBBP::operator=(RB);
    dA = RB.dA;
    dA.setR(RB.dA.getR());
    dA.setG(RB.dA.getG());
    dA.setB(RB.dA.getB());
    dB = RB.dB;
    dB.setR(RB.dB.getR());
    dB.setG(RB.dB.getG());
    dB.setB(RB.dB.getB());
    omega = RB.omega;
    a = RB.a;
    c = RB.c;
    mu = RB.mu;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            Base[i][j] = RB.Base[i][j];
}

// ---------------------------------------------------------------------------
// Construction of the net from the seven parameters
// ---------------------------------------------------------------------------

// Builds the net whose four boundaries are circular arcs from the corner
// angles t00, t02, t20, t22 (radians) on the circle of radius R about the z
// axis, the height z11 of P11 and the free coordinate P10t of P10; writes the
// nine control points (coordinates only), the nine weights, dA and dB.
// Returns 0 (the two middle weights disagree, or the boundary planes are in
// neither configuration), 1 (both plane pairs cut: general cyclide) or 2 (one
// pair cuts, the other is parallel: torus or sphere).
// Degenerate input (coinciding corners, R = 0, non-finite arguments) is not
// detected: the net gets non-number coordinates and weights, and the verdict
// is 0 because a non-number never passes the closeness test. A singular system
// for a tangent point (zero determinant) is not reported early either: that
// point gets non-finite coordinates, and since P01, P21 and P12 enter the two
// middle weights directly, one of them is non-finite and the result is 0, the
// same result an early report would give.
int RBBPd::convertToCD4(double t00, double t02, double t20, double t22, double R, double z11,
                        double P10t) {
    // Corners on the circle of radius R in the plane z = 0.
    P[0][0].init(std::cos(t00) * R, std::sin(t00) * R, 0);
    P[0][2].init(std::cos(t02) * R, std::sin(t02) * R, 0);
    P[2][0].init(std::cos(t20) * R, std::sin(t20) * R, 0);
    P[2][2].init(std::cos(t22) * R, std::sin(t22) * R, 0);

    // Bisector planes of the four chords.
    Plan Pl[4];
    for (int k = 0; k < 2; ++k) {
        Pl[k] = planMediateur(P[2 * k][0], P[2 * k][2]);
        Pl[2 + k] = planMediateur(P[0][2 * k], P[2][2 * k]);
    }

    P[1][1].init(0, 0, z11);

    // Meeting points of the chords.
    Point Btab[2], Atab[2];
    Btab[0] = droite(P[0][0], entre(P[0][0], P[0][2]))
                  .intersectDroite(droite(P[2][0], entre(P[2][0], P[2][2])));
    Atab[0] = droite(P[0][0], entre(P[0][0], P[2][0]))
                  .intersectDroite(droite(P[0][2], entre(P[0][2], P[2][2])));

    // P10 on the bisector plane of P00 P20.
    const double A = Pl[2].getA(), B = Pl[2].getB(), D = Pl[2].getD();
    double xt, yt, zt;
    if (A == 0) {
        xt = P10t;
        yt = -D / B;
        zt = 2 * xt;
    } else if (B == 0) {
        xt = -D / A;
        yt = P10t;
        zt = 2 * yt;
    } else {
        xt = P10t;
        yt = -A * xt / B;
        zt = 2 * yt;
    }
    P[1][0].init(xt, yt, zt);

    // Tangent points at the corners P00, P20 and P02.
    pointTangent(P[0][1], Pl[0], P[0][0], P[1][1], P[1][0]);
    pointTangent(P[2][1], Pl[1], P[2][0], P[1][1], P[1][0]);
    pointTangent(P[1][2], Pl[3], P[0][2], P[1][1], P[0][1]);

    // Meeting points of the tangents and the two lines of the record.
    Btab[1] = droite(P[0][0], entre(P[0][0], P[0][1]))
                  .intersectDroite(droite(P[2][0], entre(P[2][0], P[2][1])));
    Atab[1] = droite(P[0][0], entre(P[0][0], P[1][0]))
                  .intersectDroite(droite(P[0][2], entre(P[0][2], P[1][2])));
    dA.init(Atab[0], entre(Atab[0], Atab[1]));
    dB.init(Btab[0], entre(Btab[0], Btab[1]));

    // Corner weights.
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

    // Edge weights of the four circular arcs.
    w[0][1] = calcW(P[0][0], P[0][1], P[0][2]);
    Point O1;
    O1.centreCercle(P[2][0], P[2][1], P[2][2]);
    w[2][1] = calcW1(O1, P[2][0], P[2][1], P[2][2], w[2][0], w[2][2]);
    w[1][0] = calcW(P[0][0], P[1][0], P[2][0]);
    Point O2;
    O2.centreCercle(P[0][2], P[1][2], P[2][2]);
    w[1][2] = calcW1(O2, P[0][2], P[1][2], P[2][2], w[0][2], w[2][2]);

    // Mid-points of the boundaries.
    Point G0u, G2u, G0v, G2v;
    G0u.bar(P[0][0], w[0][0], P[0][1], 2 * w[0][1], P[0][2], w[0][2]);
    G2u.bar(P[2][0], w[2][0], P[2][1], 2 * w[2][1], P[2][2], w[2][2]);
    const Point Iu = G0u.milieu(G2u);
    G0v.bar(P[0][0], w[0][0], P[1][0], 2 * w[1][0], P[2][0], w[2][0]);
    G2v.bar(P[0][2], w[0][2], P[1][2], 2 * w[1][2], P[2][2], w[2][2]);
    const Point Iv = G0v.milieu(G2v);

    // The middle weight from each direction; the second one stays.
    w[1][1] = poidsCentral(w[1][0], P[1][0], w[1][2], P[1][2], P[1][1], Iu, entre(G0u, G2u));
    const double w11t = w[1][1];
    w[1][1] = poidsCentral(w[0][1], P[0][1], w[2][1], P[2][1], P[1][1], Iv, entre(G0v, G2v));

    // Verdict.
    int type = 0;
    if (0.00001 > std::fabs(w[1][1] - w11t)) {
        Plan Pl1 = plan3Points(P[0][0], P[0][1], P[0][2]);
        Plan Pl2 = plan3Points(P[2][0], P[2][1], P[2][2]);
        Plan Pl3 = plan3Points(P[0][0], P[1][0], P[2][0]);
        Plan Pl4 = plan3Points(P[0][2], P[1][2], P[2][2]);
        const int t12 = Pl1.typeIntersectPlans(Pl2);
        const int t34 = Pl3.typeIntersectPlans(Pl4);
        if (t12 == 1 && t34 == 1)
            type = 1;
        else if ((t12 == 1 && t34 == 3) || (t12 == 3 && t34 == 1))
            type = 2;
    }
    return type;
}

// ---------------------------------------------------------------------------
// Cyclide parameters, centre and frame
// ---------------------------------------------------------------------------

// Dispatch on the conversion type without drawing: type 2 the torus/sphere
// case, type 1 the general case with the plane Pz (choixplan = 1) or Py (any
// other value). Any other type returns 0 and leaves the record unchanged.
int RBBPd::calculConversion(int type, int choixplan, MorceauCyclide& morceau) {
    if (type == 2)
        return calculToreSphere(morceau);
    if (type == 1)
        return choixplan == 1 ? calculCD4Pz(morceau) : calculCD4Py(morceau);
    return 0;
}

// The same dispatch, each procedure drawing its piece of cyclide.
int RBBPd::conversion(int type, int choixplan) {
    if (type == 2)
        return carBezierTocarToreSphere();
    if (type == 1)
        return choixplan == 1 ? carBezierTocarCD4Pz() : carBezierTocarCD4Py();
    return 0;
}

// General cyclide measured in the plane perpendicular to the third axis:
// 0 when the boundary planes do not both cut along a line (nothing written),
// else 1 ring, 2 spindle, 3 horned with a, c, mu, omega, Base and the ranges.
int RBBPd::calculCD4Pz(MorceauCyclide& morceau) {
    return calculGeneral(*this, true, morceau);
}

// The same in the plane perpendicular to the second axis.
int RBBPd::calculCD4Py(MorceauCyclide& morceau) {
    return calculGeneral(*this, false, morceau);
}

// calculCD4Pz, then the piece of cyclide drawn in its own frame (nothing is
// drawn for the result 0).
int RBBPd::carBezierTocarCD4Pz() {
    MorceauCyclide morceau;
    const int resultat = calculCD4Pz(morceau);
    if (resultat != 0)
        dessinerMorceau(*this, morceau);
    return resultat;
}

// calculCD4Py, then the piece of cyclide drawn in its own frame.
int RBBPd::carBezierTocarCD4Py() {
    MorceauCyclide morceau;
    const int resultat = calculCD4Py(morceau);
    if (resultat != 0)
        dessinerMorceau(*this, morceau);
    return resultat;
}

// Torus or sphere: the frame from the boundary u = 0, the centre on the axis
// of its circle, the two radii where the circle of the boundary v = 0 meets
// the plane through the centre. Returns 4 double sphere (a = 0), 5 crossed
// torus or 6 collar torus, c = 0 always; writes a, c, mu, omega, Base and the
// ranges. A degenerate net gives non-number values (a double sphere gives
// non-number theta limits), never a crash.
int RBBPd::calculToreSphere(MorceauCyclide& morceau) {
    const Point P00 = P[0][0], P01 = P[0][1], P02 = P[0][2];
    const Point P10 = P[1][0], P20 = P[2][0], P21 = P[2][1], P22 = P[2][2];

    // Frame from the boundary u = 0.
    const vect i0 = unitaire(entre(P00, P01));
    const vect v = unitaire(entre(P00, P02));
    const vect k0 = unitaire(produitVectoriel(i0, v));
    const vect j0 = unitaire(produitVectoriel(k0, i0));

    // Centre: the centre of the circle v = 0 projected on the axis of the
    // circle u = 0.
    Point omega3, omega5;
    omega3.centreCercle(P00, P01, P02);
    omega5.centreCercle(P00, P10, P20);
    omega.projOrtho(omega5, omega3, k0);

    // The two radii in the plane through the centre perpendicular to k0.
    Plan Pz = planNormalPoint(k0, omega);
    const Point C = Pz.cercleInterPlan(P00, P10, P20, 1);
    const Point D = Pz.cercleInterPlan(P00, P10, P20, -1);
    Point A, B;
    if (omega.distance(D) >= omega.distance(C)) {
        A = D;
        B = C;
    } else {
        A = C;
        B = D;
    }
    const double rho1 = omega.distance(A);
    const double rho2 = omega.distance(B);

    // Kind and parameters.
    int resultat;
    Plan Pl;
    c = 0;
    if (std::fabs(rho1 - rho2) < 0.0001) {
        resultat = 4;
        a = 0;
        mu = rho1;
    } else if (Pl.inter2Cercles(P20, P21, P22, P00, P10, P20) == 2) {
        resultat = 5;
        a = (rho1 - rho2) / 2;
        mu = (rho1 + rho2) / 2;
    } else {
        resultat = 6;
        a = (rho1 + rho2) / 2;
        mu = (rho1 - rho2) / 2;
    }
    const double b = a;

    // Frame and parameter rectangle.
    poserBase(*this, i0, j0, k0);
    double q00[3], q22[3];
    coinsDansRepere(*this, q00, q22);
    const double t0 = thetaSol1(0, q00[0], q00[1], 0, a, b, c, mu);
    const double t1 = thetaSol(0, q22[0], q22[1], 0, a, b, c, mu);
    const double p0 = psiSol1(t0, q00[0], q00[1], q00[2], a, b, c, mu);
    const double p1 = psiSol1(t1, q22[0], q22[1], q22[2], a, b, c, mu);
    morceau.u0 = -(DEUX_PI - t0);
    morceau.u1 = t1;
    morceau.v0 = p1;
    morceau.v1 = p0;
    return resultat;
}

// calculToreSphere, then the piece of torus or sphere drawn in its own frame.
int RBBPd::carBezierTocarToreSphere() {
    MorceauCyclide morceau;
    const int resultat = calculToreSphere(morceau);
    dessinerMorceau(*this, morceau);
    return resultat;
}

// ---------------------------------------------------------------------------
// Patch in the cyclide's frame
// ---------------------------------------------------------------------------

// Moves the record into the cyclide's frame: omega becomes the world origin
// expressed in that frame (-inverse(Base) omega) and every control point X
// becomes inverse(Base) X + omega (coordinates only; weights unchanged).
// Not idempotent. A singular Base gives non-number coordinates.
void RBBPd::changementBase() {
    double inv[3][3];
    inverseMatrice(Base, inv);
    double o[3];
    opposeProduit(inv, omega, o);
    omega.init(o[0], o[1], o[2]);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double q[3];
            transformeAffine(inv, P[i][j], o, q);
            P[i][j].init(q[0], q[1], q[2]);
        }
}

// The change of frame, then the moved patch sampled at u = r / nbu,
// v = s / nbv and drawn as nbu x nbv single-precision quadrilaterals, with no
// colour, normal or material of its own. Counts below 1 draw nothing (the
// change of frame is still made).
void RBBPd::openGLChangementBase(int nbu, int nbv) {
    changementBase();
    if (nbu < 1 || nbv < 1)
        return;
    std::vector<std::vector<Point>> Po(nbu + 1);
    for (int r = 0; r <= nbu; ++r) {
        const double u = static_cast<double>(r) / nbu;
        Po[r].reserve(nbv + 1);
        for (int s = 0; s <= nbv; ++s) {
            const double v = static_cast<double>(s) / nbv;
            Po[r].push_back(pointCarreau(*this, u, v));
        }
    }
    for (int r = 0; r < nbu; ++r)
        for (int s = 0; s < nbv; ++s) {
            const Point* coins[4] = {&Po[r][s], &Po[r + 1][s], &Po[r + 1][s + 1], &Po[r][s + 1]};
            glBegin(GL_QUADS);
            for (const Point* q : coins)
                glVertex3f(static_cast<float>(q->getX0()), static_cast<float>(q->getY0()),
                           static_cast<float>(q->getZ0()));
            glEnd();
        }
}

// ---------------------------------------------------------------------------
// Text form
// ---------------------------------------------------------------------------

// Writes the 23-line text form: nine lines "x y z w", an empty line, the
// three rows of Base (each number followed by a space), an empty line, dA and
// an empty line, dB and an empty line, omega and an empty line, "a c mu".
// Colours are not written; numbers use the stream's current format.
std::ostream& operator<<(std::ostream& os, RBBPd& RB) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            os << RB.P[i][j] << " " << RB.w[i][j] << std::endl;
    os << std::endl;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            os << RB.Base[i][j] << " ";
        os << std::endl;
    }
    os << std::endl;
    os << RB.dA << std::endl;
    os << RB.dB << std::endl;
    os << RB.omega << std::endl << std::endl;
    os << RB.a << " " << RB.c << " " << RB.mu << std::endl;
    return os;
}

// Reads the 63 numbers of the text form in the order they are written (any
// white space separates them). Colours are left as they were. When an
// extraction fails the field being read and every field after it keep their
// values and the stream stays failed.
std::istream& operator>>(std::istream& is, RBBPd& RB) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            lirePoint(is, RB.P[i][j]);
            lireNombre(is, RB.w[i][j]);
        }
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            lireNombre(is, RB.Base[i][j]);
    lireDroite(is, RB.dA);
    lireDroite(is, RB.dB);
    lirePoint(is, RB.omega);
    lireNombre(is, RB.a);
    lireNombre(is, RB.c);
    lireNombre(is, RB.mu);
    return is;
}
