#include "RBBPd.h"

#include "Cyclide.h"
#include "Fonction.h"
#include "Plan.h"
#include "Residu.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <istream>
#include <limits>
#include <ostream>
#include <utility>
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
    return carreau.point(u, v);
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

// ---------------------------------------------------------------------------
// Checking and mending a general cyclide
// ---------------------------------------------------------------------------

// A cyclide is taken to carry the patch when the residual (largest value of
// its implicit function over the patch, relative to the gradient and to the
// patch's size) is at most this.
const double RESIDU_PORTEUR = 1e-9;

const double PI = 3.141592653589793;

// True when a, c, mu, omega and every entry of Base are finite numbers.
bool cyclideFinie(const RBBPd& RB) {
    bool ok = std::isfinite(RB.a) && std::isfinite(RB.c) && std::isfinite(RB.mu) &&
              std::isfinite(RB.omega.getX0()) && std::isfinite(RB.omega.getY0()) &&
              std::isfinite(RB.omega.getZ0());
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            ok = ok && std::isfinite(RB.Base[i][j]);
    return ok;
}

// True when the cyclide written in the record carries its patch.
bool cyclidePorteuse(const RBBPd& RB) {
    return residuCyclide(RB) <= RESIDU_PORTEUR;
}

// The cyclide read from its two meeting circles with the auxiliary plane:
// h half the distance of their centres, rho1 >= rho2 their radii, centre
// their midpoint, dPhi and dTeta its distances to the feet Hphi and Hteta
// of the common perpendicular, (i0, j0, k0) the first frame. With s and t
// the half sum and half difference of the radii: the frame stays when
// dPhi >= dTeta, otherwise it is (-i0, k0, j0), and that also tells whether
// the auxiliary plane is the cyclide's plane z = 0 or y = 0. In the plane
// z = 0 the centres lie 2c apart and the radii are a +- mu (mu +- a when the
// nearer foot lies farther than h from the centre); in the plane y = 0 the
// centres lie 2a apart and the radii are c +- mu (mu +- c when the farther
// foot lies farther than h). The kind follows from the parameters: horned
// |mu| < |c|, spindle |mu| > |a|, ring otherwise.
// Gives back a, c, mu, omega and Base in essai, the kind in code, and
// whether that cyclide carries the patch of essai.
bool lireCyclide(bool planPz, double h, double rho1, double rho2, const Point& centre, double dPhi,
                 double dTeta, const vect& i0, const vect& j0, const vect& k0, RBBPd& essai,
                 int& code) {
    const double s = (rho1 + rho2) / 2;
    const double t = (rho1 - rho2) / 2;
    const bool memeRepere = dPhi >= dTeta;
    const bool planZ = planPz == memeRepere;
    if (planZ) {
        essai.c = h;
        const bool sommeA = (dPhi <= dTeta ? dPhi : dTeta) <= h;
        essai.a = sommeA ? s : t;
        essai.mu = sommeA ? t : s;
    } else {
        essai.a = h;
        const bool sommeC = (dPhi >= dTeta ? dPhi : dTeta) <= h;
        essai.c = sommeC ? s : t;
        essai.mu = sommeC ? t : s;
    }
    essai.omega.init(centre);
    if (memeRepere)
        poserBase(essai, i0, j0, k0);
    else
        poserBase(essai, -i0, k0, j0);
    const double A = std::fabs(essai.a), C = std::fabs(essai.c), M = std::fabs(essai.mu);
    code = M < C ? 3 : (M > A ? 2 : 1);
    return cyclidePorteuse(essai);
}

// Of the four pairings of the six meeting points (nothing exchanged,
// A1 <-> B1, A2 <-> B2, both), the first whose two circle centres lie nearest
// to the common perpendicular delta0 (the larger of the two distances is
// compared): the points of one meeting circle of the cyclide with the
// auxiliary plane must be sorted together, and that circle's centre lies on
// delta0. centre(P, Q, R) gives the centre of the circle through three
// points, ecart(X) the distance from X to delta0.
// Gives back false when no pairing can be measured (non-numbers); otherwise
// the two centres, larger circle first, with their radii.
template <class Centre, class Ecart>
bool meilleurAppariement(const Point A[3], const Point B[3], Centre centre, Ecart ecart, Point& O1,
                         Point& O2, double& rho1, double& rho2) {
    int meilleur = -1;
    double eMin = 0;
    Point A0, B0;
    for (int p = 0; p < 4; ++p) {
        Point a3[3] = {A[0], A[1], A[2]};
        Point b3[3] = {B[0], B[1], B[2]};
        if (p & 1)
            std::swap(a3[1], b3[1]);
        if (p & 2)
            std::swap(a3[2], b3[2]);
        const Point C1 = centre(a3[0], a3[1], a3[2]);
        const Point C2 = centre(b3[0], b3[1], b3[2]);
        const double e1 = ecart(C1), e2 = ecart(C2);
        if (!std::isfinite(e1) || !std::isfinite(e2))
            continue;
        const double e = e1 >= e2 ? e1 : e2;
        if (meilleur < 0 || e < eMin) {
            meilleur = p;
            eMin = e;
            O1 = C1;
            O2 = C2;
            A0 = a3[0];
            B0 = b3[0];
        }
    }
    if (meilleur < 0)
        return false;
    rho1 = O1.distance(A0);
    rho2 = O2.distance(B0);
    if (rho1 < rho2) {
        std::swap(O1, O2);
        std::swap(rho1, rho2);
    }
    return true;
}

// Second reading of the six points where the two boundary circles and the
// middle curve meet the auxiliary plane, used when the first reading gives a
// cyclide that does not carry the patch: the best pairing (above), then, with
// h half the distance of the two centres, s and t the half sum and half
// difference of the radii and omega' their midpoint, the frame, the roles of
// the parameters and the kind (lireCyclide).
// Input: the plane choice, the auxiliary plane, the sorted points, delta0
// with its feet and the first frame. Gives back true and the candidate
// cyclide (a, c, mu, omega, Base) in essai with its code when that cyclide
// carries the patch; false otherwise.
bool cyclideReappariee(bool planPz, Plan aux, const Point A[3], const Point B[3],
                       const Droite& delta0, const Point& Hphi, const Point& Hteta, const vect& i0,
                       const vect& j0, const vect& k0, RBBPd& essai, int& code) {
    Point O1, O2;
    double rho1 = 0, rho2 = 0;
    auto centre = [&aux](const Point& P, const Point& Q, const Point& R) {
        return aux.centreCercle3points(P, Q, R);
    };
    auto ecart = [&delta0](const Point& X) { return delta0.distPointDroite(X); };
    if (!meilleurAppariement(A, B, centre, ecart, O1, O2, rho1, rho2))
        return false;
    Point milieu;
    milieu.milieu(O1, O2);
    return lireCyclide(planPz, O1.distance(O2) / 2, rho1, rho2, milieu, milieu.distance(Hphi),
                       milieu.distance(Hteta), i0, j0, k0, essai, code);
}

// ---------------------------------------------------------------------------
// The same second reading, with every construction made without far-away
// base points
// ---------------------------------------------------------------------------

// A point as a vector from the origin, and back.
Point pointDe(const vect& u) {
    return Point(u.abs(), u.ord(), u.cote());
}

// A plane n.X = h with unit normal n.
struct Plan3 {
    vect n;
    double h;
};

// The plane through the three points (normal from the two edges at P0).
Plan3 plan3(const Point& P0, const Point& P1, const Point& P2) {
    const vect n = unitaire(produitVectoriel(entre(P0, P1), entre(P0, P2)));
    return {n, n.scalaire(P0.ToVect())};
}

// The common line of two planes, with unit direction n1 x n2 and as base
// point the point of the line nearest to ref, so that nearly parallel
// coordinate planes do not push it far away.
Droite ligneCommune(const Plan3& p1, const Plan3& p2, const Point& ref) {
    const vect u = produitVectoriel(p1.n, p2.n);
    const vect r = ref.ToVect();
    const double k1 = p1.h - p1.n.scalaire(r), k2 = p2.h - p2.n.scalaire(r);
    const vect Q =
        r + (1 / u.scalaire(u)) * (k1 * produitVectoriel(p2.n, u) + k2 * produitVectoriel(u, p1.n));
    return droite(pointDe(Q), unitaire(u));
}

// Centre of the circle through three points.
Point centre3Points(const Point& A, const Point& B, const Point& C) {
    const vect a = entre(C, A), b = entre(C, B);
    const vect axb = produitVectoriel(a, b);
    const vect m = a.scalaire(a) * b - b.scalaire(b) * a;
    return pointDe(C.ToVect() + (1 / (2 * axb.scalaire(axb))) * produitVectoriel(m, axb));
}

// Centre of the circular arc with control polygon P0 P1 P2: on the normal to
// the tangent P0 P1 at P0, in the plane of the polygon, equally far from P0
// and P2.
Point centreArc(const Point& P0, const Point& P1, const Point& P2) {
    const vect t = entre(P0, P1), c = entre(P0, P2);
    const vect dir = produitVectoriel(produitVectoriel(t, c), t);
    return pointDe(P0.ToVect() + (c.scalaire(c) / (2 * dir.scalaire(c))) * dir);
}

// The two points where the circle of centre O through P (in the plane pc)
// meets the plane aux; non-numbers when the plane misses the circle.
void cercleCoupePlan(const Point& O, const Point& P, const Plan3& pc, const Plan3& aux, Point& X1,
                     Point& X2) {
    const Droite l = ligneCommune(pc, aux, O);
    const vect w = entre(O, l.getP());
    const double r2 = entre(O, P).scalaire(entre(O, P));
    const vect d = std::sqrt(r2 - w.scalaire(w)) * l.getV();
    X1 = pointDe(l.getP().ToVect() + d);
    X2 = pointDe(l.getP().ToVect() - d);
}

// The pencil axes, their common perpendicular and its feet, the first frame,
// the auxiliary plane through the foot on the axis of the v boundaries and
// the six meeting points, all rebuilt with base points near the patch; then
// the same second reading (pairing, frame, roles, kind) as
// cyclideReappariee. Gives back true with the candidate in essai and its code
// when it carries the patch.
bool cyclideReconstruite(const RBBPd& RB, bool planPz, RBBPd& essai, int& code) {
    const Point(&P)[3][3] = RB.P;
    const Plan3 Pl1 = plan3(P[0][0], P[0][1], P[0][2]);
    const Plan3 Pl2 = plan3(P[2][0], P[2][1], P[2][2]);
    const Plan3 Pl3 = plan3(P[0][0], P[1][0], P[2][0]);
    const Plan3 Pl4 = plan3(P[0][2], P[1][2], P[2][2]);
    Point ref;
    ref.milieu(P[0][0], P[2][2]);
    const Droite dPhi = ligneCommune(Pl1, Pl2, ref);
    const Droite dTeta = ligneCommune(Pl3, Pl4, ref);

    // Feet of the common perpendicular (the directions are unit vectors).
    const vect uPhi = dPhi.getV(), uTeta = dTeta.getV();
    const vect w = entre(dTeta.getP(), dPhi.getP());
    const double b = uPhi.scalaire(uTeta), d = uPhi.scalaire(w), e = uTeta.scalaire(w);
    const double den = 1 - b * b;
    const Point Hphi = pointDe(dPhi.getP().ToVect() + ((b * e - d) / den) * uPhi);
    const Point Hteta = pointDe(dTeta.getP().ToVect() + ((e - b * d) / den) * uTeta);
    const vect i0 = unitaire(entre(Hteta, Hphi));
    const vect j0 = uPhi;
    const vect k0 = unitaire(produitVectoriel(i0, j0));
    const Droite delta0 = droite(Hteta, i0);

    // Auxiliary plane, the two boundary circles and the middle curve.
    const vect nAux = planPz ? k0 : j0;
    const Plan3 aux = {nAux, nAux.scalaire(Hteta.ToVect())};
    Point A[3], B[3];
    if (planPz) {
        cercleCoupePlan(centreArc(P[0][0], P[1][0], P[2][0]), P[0][0], Pl3, aux, A[0], B[0]);
        cercleCoupePlan(centreArc(P[0][2], P[1][2], P[2][2]), P[0][2], Pl4, aux, A[2], B[2]);
    } else {
        cercleCoupePlan(centreArc(P[0][0], P[0][1], P[0][2]), P[0][0], Pl1, aux, A[0], B[0]);
        cercleCoupePlan(centreArc(P[2][0], P[2][1], P[2][2]), P[2][0], Pl2, aux, A[2], B[2]);
    }
    const Point S0 = planPz ? pointCarreau(RB, 0, 0.5) : pointCarreau(RB, 0.5, 0);
    const Point S1 = pointCarreau(RB, 0.5, 0.5);
    const Point S2 = planPz ? pointCarreau(RB, 1, 0.5) : pointCarreau(RB, 0.5, 1);
    cercleCoupePlan(centre3Points(S0, S1, S2), S0, plan3(S0, S1, S2), aux, A[1], B[1]);
    const Droite& tri = planPz ? dTeta : dPhi;
    for (int k = 0; k < 3; ++k)
        if (tri.distPointDroite(B[k]) > tri.distPointDroite(A[k]))
            std::swap(A[k], B[k]);

    Point O1, O2;
    double rho1 = 0, rho2 = 0;
    auto ecart = [&delta0](const Point& X) { return delta0.distPointDroite(X); };
    if (!meilleurAppariement(A, B, centre3Points, ecart, O1, O2, rho1, rho2))
        return false;
    Point milieu;
    milieu.milieu(O1, O2);
    return lireCyclide(planPz, O1.distance(O2) / 2, rho1, rho2, milieu, milieu.distance(Hphi),
                       milieu.distance(Hteta), i0, j0, k0, essai, code);
}

// ---------------------------------------------------------------------------
// Parameter rectangle of the drawn piece (general case)
// ---------------------------------------------------------------------------

// The cyclide (a, b, c, mu) with its two angles.
struct ParamCyclide {
    double a, b, c, mu;
};
struct Angles {
    double theta, psi;
};

// The point of the cyclide at the angles theta (u) and psi (v), in the
// cyclide's frame; non-finite where a - c cos(theta) cos(psi) is 0.
void pointCyclide(const ParamCyclide& p, double theta, double psi, double q[3]) {
    const double ct = std::cos(theta), st = std::sin(theta);
    const double cp = std::cos(psi), sp = std::sin(psi);
    const double D = p.a - p.c * ct * cp;
    q[0] = (p.mu * (p.c - p.a * ct * cp) + p.b * p.b * ct) / D;
    q[1] = p.b * st * (p.a - p.mu * cp) / D;
    q[2] = p.b * sp * (p.c * ct - p.mu) / D;
}

// Distance from the cyclide point at the angles to the frame point q (not a
// number when either is not).
double ecartAngles(const ParamCyclide& p, const Angles& ang, const double q[3]) {
    double r[3];
    pointCyclide(p, ang.theta, ang.psi, r);
    return std::sqrt((r[0] - q[0]) * (r[0] - q[0]) + (r[1] - q[1]) * (r[1] - q[1]) +
                     (r[2] - q[2]) * (r[2] - q[2]));
}

// One branch choice of the angle solvers at a frame point: theta from
// thetaSol1 (or thetaSol) with psi = 0 and z = 0 as arguments, psi from
// psiSol1 (or psiSol) at that theta.
Angles essaiSolveurs(const ParamCyclide& p, const double q[3], bool theta1, bool psi1) {
    Angles r;
    r.theta = theta1 ? thetaSol1(0, q[0], q[1], 0, p.a, p.b, p.c, p.mu)
                     : thetaSol(0, q[0], q[1], 0, p.a, p.b, p.c, p.mu);
    r.psi = psi1 ? psiSol1(r.theta, q[0], q[1], q[2], p.a, p.b, p.c, p.mu)
                 : psiSol(r.theta, q[0], q[1], q[2], p.a, p.b, p.c, p.mu);
    return r;
}

// x brought into [lo, lo + 2 pi) by a whole number of turns.
double dansTour(double x, double lo) {
    double r = std::fmod(x - lo, DEUX_PI);
    if (r < 0)
        r += DEUX_PI;
    return lo + r;
}

// Angles of a frame point of the cyclide from ratios of its coordinates
// only, so that the result does not depend on the scale of the patch (the
// angle solvers compare lengths with absolute thresholds, which fail for a
// tiny patch). With k = (a - mu cos psi) / D and D = a - c cos theta cos psi,
// the parametrisation gives b y = b^2 sin(theta) k and a x - c mu =
// b^2 cos(theta) k, so theta is atan2(b y, a x - c mu) up to a half turn;
// then cos(theta) (a x - c mu) + sin(theta) b y - b^2 = b^2 cos(psi) m / D and
// b z = b^2 sin(psi) m / D with m = c cos(theta) - mu, so psi is the arc
// tangent of those two up to a half turn. Of the four combinations the one
// whose cyclide point is nearest is kept, written in the solvers' ranges
// (theta in [-pi/2, 3pi/2), psi in [-pi/2, 3pi/2)). Gives back its distance
// to q in ecart (not a number for a degenerate cyclide or point).
Angles anglesSansEchelle(const ParamCyclide& p, const double q[3], double& ecart) {
    const double X = p.a * q[0] - p.c * p.mu, Y = p.b * q[1];
    const double theta0 = std::atan2(Y, X);
    Angles meilleur{theta0, 0};
    ecart = std::numeric_limits<double>::quiet_NaN();
    for (int i = 0; i < 2; ++i) {
        const double theta = theta0 + i * PI;
        const double k = std::cos(theta) * X + std::sin(theta) * Y - p.b * p.b;
        const double psi0 = std::atan2(p.b * q[2], k);
        for (int j = 0; j < 2; ++j) {
            const Angles essai{theta, psi0 + j * PI};
            const double e = ecartAngles(p, essai, q);
            if (std::isfinite(e) && !(e >= ecart)) {
                ecart = e;
                meilleur = essai;
            }
        }
    }
    meilleur.theta = dansTour(meilleur.theta, -PI / 2);
    meilleur.psi = dansTour(meilleur.psi, -PI / 2);
    return meilleur;
}

// The angles of a corner (or of the patch centre) on the cyclide: the first
// of the four solver branch choices, in the order given, whose cyclide point
// lies within tol of the frame point q; otherwise the nearest of those four
// and of the scale-free angles, the solvers' choice on a tie.
Angles anglesDuPoint(const ParamCyclide& p, const double q[3], const bool ordre[4][2], double tol) {
    Angles proche{0, 0};
    double ecartProche = std::numeric_limits<double>::quiet_NaN();
    for (int k = 0; k < 4; ++k) {
        const Angles essai = essaiSolveurs(p, q, ordre[k][0], ordre[k][1]);
        const double e = ecartAngles(p, essai, q);
        if (e <= tol)
            return essai;
        if (k == 0 || e < ecartProche || (std::isnan(ecartProche) && !std::isnan(e))) {
            proche = essai;
            ecartProche = e;
        }
    }
    double ecart;
    const Angles libre = anglesSansEchelle(p, q, ecart);
    if (ecart < ecartProche || (std::isnan(ecartProche) && !std::isnan(ecart)))
        return libre;
    return proche;
}

// True when x lies between lo and hi (either order) modulo 2 pi: with
// lo <= hi, lo + ((x - lo) mod 2 pi) <= hi. False for non-numbers.
bool entreModulo(double x, double borne1, double borne2) {
    const double lo = borne1 <= borne2 ? borne1 : borne2;
    const double hi = borne1 <= borne2 ? borne2 : borne1;
    return dansTour(x, lo) <= hi;
}

// Branch orders of the solvers: for P00 and the patch centre (thetaSol1,
// psiSol) first, for P22 (thetaSol1, psiSol1) first, as the drawn piece of
// the start-up patch uses them.
const bool ORDRE_P00[4][2] = {{true, false}, {true, true}, {false, false}, {false, true}};
const bool ORDRE_P22[4][2] = {{true, true}, {true, false}, {false, true}, {false, false}};

// The parameter rectangle of the piece of the general cyclide written in the
// record that the patch covers. The angles of P00 give u0 and v1, those of
// P22 give u1 and v0 up to whole turns; the turn is chosen so that the
// rectangle holds the angles of the patch centre (u = v = 0.5): u1 the first
// of t1, t1 - 2 pi, t1 + 2 pi and v0 the first of p1 - 2 pi, p1, p1 + 2 pi
// that enclose them, modulo 2 pi (the first of each when none does). Corner
// angles are matched within 1e-9 of the patch's diagonal length.
// Degenerate cyclides give non-number limits.
MorceauCyclide morceauGeneral(const RBBPd& RB) {
    double inv[3][3];
    inverseMatrice(RB.Base, inv);
    double omegatmp[3];
    opposeProduit(inv, RB.omega, omegatmp);
    double q00[3], q22[3], qs[3];
    transformeAffine(inv, RB.P[0][0], omegatmp, q00);
    transformeAffine(inv, RB.P[2][2], omegatmp, q22);
    transformeAffine(inv, pointCarreau(RB, 0.5, 0.5), omegatmp, qs);

    const ParamCyclide p{RB.a, std::sqrt(RB.a * RB.a - RB.c * RB.c), RB.c, RB.mu};
    const double L = std::max(RB.P[0][0].distance(RB.P[2][2]), RB.P[0][2].distance(RB.P[2][0]));
    const double tol = 1e-9 * L;
    const Angles c00 = anglesDuPoint(p, q00, ORDRE_P00, tol);
    const Angles c22 = anglesDuPoint(p, q22, ORDRE_P22, tol);
    const Angles cs = anglesDuPoint(p, qs, ORDRE_P00, tol);

    MorceauCyclide m;
    m.u0 = c00.theta;
    m.v1 = c00.psi;
    const double u1[3] = {c22.theta, c22.theta - DEUX_PI, c22.theta + DEUX_PI};
    m.u1 = u1[0];
    for (double x : u1)
        if (entreModulo(cs.theta, m.u0, x)) {
            m.u1 = x;
            break;
        }
    const double v0[3] = {-(DEUX_PI - c22.psi), c22.psi, c22.psi + DEUX_PI};
    m.v0 = v0[0];
    for (double x : v0)
        if (entreModulo(cs.psi, x, m.v1)) {
            m.v0 = x;
            break;
        }
    return m;
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

    // When this cyclide does not carry the patch, the six points are read
    // again (pairing, frame, roles of the parameters, kind); the second
    // reading is adopted only when its cyclide carries the patch.
    if (!cyclidePorteuse(RB)) {
        const Point As3[3] = {A0, A1, A2};
        const Point Bs3[3] = {B0, B1, B2};
        RBBPd essai(RB);
        int codeEssai = 0;
        if (cyclideReappariee(planPz, auxiliaire, As3, Bs3, delta0, Hphi, Hteta, i0, j0, k0, essai,
                              codeEssai) ||
            cyclideReconstruite(RB, planPz, essai, codeEssai)) {
            RB.a = essai.a;
            RB.c = essai.c;
            RB.mu = essai.mu;
            RB.omega.init(essai.omega);
            for (int r = 0; r < 3; ++r)
                for (int k = 0; k < 3; ++k)
                    RB.Base[r][k] = essai.Base[r][k];
            resultat = codeEssai;
        }
    }

    // A non-number in the cyclide means there is no cyclide to show.
    if (!cyclideFinie(RB))
        return 0;

    // Parameter rectangle covered by the patch.
    morceau = morceauGeneral(RB);
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
        const int r = 2 * k; // first, then last row (column)
        Pl[k] = planMediateur(P[r][0], P[r][2]);
        Pl[2 + k] = planMediateur(P[0][r], P[2][r]);
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
    // A net whose middle weight vanishes passes the agreement test only
    // because the two terms of each numerator cancel: its interior curves are
    // not circles and it lies on no Dupin cyclide, so it is not convertible.
    // (Nets that do lie on one have middle weights far above this bound.)
    int type = 0;
    if (0.00001 > std::fabs(w[1][1] - w11t) && !(std::fabs(w[1][1]) < 1e-9)) {
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
    // A non-number in the surface means there is no surface to show.
    if (!cyclideFinie(*this))
        return 0;
    return resultat;
}

// calculToreSphere, then the piece of torus or sphere drawn in its own frame.
int RBBPd::carBezierTocarToreSphere() {
    MorceauCyclide morceau;
    const int resultat = calculToreSphere(morceau);
    if (resultat != 0)
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

// The inverse of the cyclide's frame Base, by cofactors over the determinant.
// Input: the array to fill. A singular frame gives infinite or non-number
// entries (no test).
void RBBPd::inverseBase(double inv[3][3]) const {
    inverseMatrice(Base, inv);
}
