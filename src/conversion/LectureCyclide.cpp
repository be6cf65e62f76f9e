#include "conversion/LectureCyclide.h"

#include "conversion/Residu.h"
#include "noyau/Constantes.h"
#include "noyau/Geometrie.h"

#include <cmath>
#include <utility>

namespace cyclide {

namespace {

// A plane's normal (a, b, c); for the planes of planUnitaire and
// planNormalPoint with a unit vector it is a unit normal and -d is the
// plane's distance n.P from the origin.
vect normale(const Plan& pl) {
    return vect(pl.getA(), pl.getB(), pl.getC());
}

// The common line of two planes with unit normals, with unit direction
// n1 x n2 and as base point the point of the line nearest to ref, so that
// nearly parallel coordinate planes do not push it far away.
Droite ligneCommune(const Plan& p1, const Plan& p2, const Point& ref) {
    const vect n1 = normale(p1), n2 = normale(p2);
    const vect u = produitVectoriel(n1, n2);
    const vect r = ref.ToVect();
    const double k1 = -p1.getD() - n1.scalaire(r), k2 = -p2.getD() - n2.scalaire(r);
    const vect Q =
        r + (1 / u.scalaire(u)) * (k1 * produitVectoriel(n2, u) + k2 * produitVectoriel(u, n1));
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
void cercleCoupePlan(const Point& O, const Point& P, const Plan& pc, const Plan& aux, Point& X1,
                     Point& X2) {
    const Droite l = ligneCommune(pc, aux, O);
    const vect w = entre(O, l.getP());
    const double r2 = entre(O, P).scalaire(entre(O, P));
    const vect d = std::sqrt(r2 - w.scalaire(w)) * l.getV();
    X1 = pointDe(l.getP().ToVect() + d);
    X2 = pointDe(l.getP().ToVect() - d);
}

// The two circles through the paired points, larger first.
struct DeuxCercles {
    Point O1, O2;
    double rho1 = 0, rho2 = 0;
};

// Of the four pairings, the first whose farther circle centre lies nearest
// to delta0; false when no pairing can be measured.
template <class Centre>
bool meilleurAppariement(const SixPoints& s, Centre centre, DeuxCercles& cercles) {
    int meilleur = -1;
    double eMin = 0;
    Point A0, B0;
    for (int p = 0; p < 4; ++p) {
        Point a3[3] = {s.A[0], s.A[1], s.A[2]};
        Point b3[3] = {s.B[0], s.B[1], s.B[2]};
        if (p & 1)
            std::swap(a3[1], b3[1]);
        if (p & 2)
            std::swap(a3[2], b3[2]);
        const Point C1 = centre(a3[0], a3[1], a3[2]);
        const Point C2 = centre(b3[0], b3[1], b3[2]);
        const double e1 = s.delta0.distPointDroite(C1), e2 = s.delta0.distPointDroite(C2);
        if (!std::isfinite(e1) || !std::isfinite(e2))
            continue;
        const double e = e1 >= e2 ? e1 : e2;
        if (meilleur < 0 || e < eMin) {
            meilleur = p;
            eMin = e;
            cercles.O1 = C1;
            cercles.O2 = C2;
            A0 = a3[0];
            B0 = b3[0];
        }
    }
    if (meilleur < 0)
        return false;
    cercles.rho1 = cercles.O1.distance(A0);
    cercles.rho2 = cercles.O2.distance(B0);
    if (cercles.rho1 < cercles.rho2) {
        std::swap(cercles.O1, cercles.O2);
        std::swap(cercles.rho1, cercles.rho2);
    }
    return true;
}

// The cyclide read from its two meeting circles with the auxiliary plane
// (the rules are those of secondeLecture).
CyclideLue lireCyclide(PlanConversion plan, const DeuxCercles& k, const SixPoints& s,
                       const RBBP& reseau) {
    const bool planPz = plan == PlanConversion::Pz;
    Point centre;
    centre.milieu(k.O1, k.O2);
    const double h = k.O1.distance(k.O2) / 2;
    const double dPhi = centre.distance(s.Hphi), dTeta = centre.distance(s.Hteta);
    const double somme = (k.rho1 + k.rho2) / 2;
    const double difference = (k.rho1 - k.rho2) / 2;
    const bool memeRepere = dPhi >= dTeta;
    CyclideLue lue;
    CyclideRepere& cy = lue.cyclide;
    if (planPz == memeRepere) {
        cy.c = h;
        const bool sommeA = (dPhi <= dTeta ? dPhi : dTeta) <= h;
        cy.a = sommeA ? somme : difference;
        cy.mu = sommeA ? difference : somme;
    } else {
        cy.a = h;
        const bool sommeC = (dPhi >= dTeta ? dPhi : dTeta) <= h;
        cy.c = sommeC ? somme : difference;
        cy.mu = sommeC ? difference : somme;
    }
    cy.omega.init(centre);
    if (memeRepere)
        poserBase(cy.Base, s.i0, s.j0, s.k0);
    else
        poserBase(cy.Base, -s.i0, s.k0, s.j0);
    const double A = std::fabs(cy.a), C = std::fabs(cy.c), M = std::fabs(cy.mu);
    lue.code = M < C ? GenreCyclide::Horned : (M > A ? GenreCyclide::Spindle : GenreCyclide::Ring);
    lue.porteuse = cyclidePorteuse(reseau, cy);
    return lue;
}

// The feet of the common perpendicular of two lines with unit directions.
void piedsPerpendiculaire(const Droite& dPhi, const Droite& dTeta, Point& Hphi, Point& Hteta) {
    const vect uPhi = dPhi.getV(), uTeta = dTeta.getV();
    const vect w = entre(dTeta.getP(), dPhi.getP());
    const double b = uPhi.scalaire(uTeta), d = uPhi.scalaire(w), e = uTeta.scalaire(w);
    const double den = 1 - b * b;
    Hphi = pointDe(dPhi.getP().ToVect() + ((b * e - d) / den) * uPhi);
    Hteta = pointDe(dTeta.getP().ToVect() + ((e - b * d) / den) * uTeta);
}

// The meeting points of the two boundary circles and of the middle curve
// with the auxiliary plane, A[k] made the farther from the sorting line.
void pointsDeRencontre(const RBBP& n, PlanConversion plan, const Plan (&Pl)[4], const Droite& tri,
                       SixPoints& s) {
    const bool planPz = plan == PlanConversion::Pz;
    const Point(&P)[3][3] = n.P;
    if (planPz) {
        cercleCoupePlan(centreArc(P[0][0], P[1][0], P[2][0]), P[0][0], Pl[2], s.auxiliaire, s.A[0],
                        s.B[0]);
        cercleCoupePlan(centreArc(P[0][2], P[1][2], P[2][2]), P[0][2], Pl[3], s.auxiliaire, s.A[2],
                        s.B[2]);
    } else {
        cercleCoupePlan(centreArc(P[0][0], P[0][1], P[0][2]), P[0][0], Pl[0], s.auxiliaire, s.A[0],
                        s.B[0]);
        cercleCoupePlan(centreArc(P[2][0], P[2][1], P[2][2]), P[2][0], Pl[1], s.auxiliaire, s.A[2],
                        s.B[2]);
    }
    const Point S0 = planPz ? n.point(0, 0.5) : n.point(0.5, 0);
    const Point S1 = n.point(0.5, 0.5);
    const Point S2 = planPz ? n.point(1, 0.5) : n.point(0.5, 1);
    cercleCoupePlan(centre3Points(S0, S1, S2), S0, planUnitaire(S0, S1, S2), s.auxiliaire, s.A[1],
                    s.B[1]);
    for (int k = 0; k < 3; ++k)
        if (tri.distPointDroite(s.B[k]) > tri.distPointDroite(s.A[k]))
            std::swap(s.A[k], s.B[k]);
}

} // namespace

bool cyclidePorteuse(const RBBP& reseau, const CyclideRepere& cyclide) {
    return residuCyclide(reseau, cyclide) <= RESIDU_PORTEUR;
}

CyclideLue secondeLecture(PlanConversion plan, const SixPoints& points, const RBBP& reseau) {
    DeuxCercles cercles;
    Plan aux = points.auxiliaire;
    auto centreDansPlan = [&aux](const Point& P, const Point& Q, const Point& R) {
        return aux.centreCercle3points(P, Q, R);
    };
    const bool appariee = points.centreDansPlan
                              ? meilleurAppariement(points, centreDansPlan, cercles)
                              : meilleurAppariement(points, centre3Points, cercles);
    if (!appariee)
        return CyclideLue{};
    return lireCyclide(plan, cercles, points, reseau);
}

SixPoints sixPointsReconstruits(const RBBP& reseau, PlanConversion plan) {
    const bool planPz = plan == PlanConversion::Pz;
    const Point(&P)[3][3] = reseau.P;
    const Plan Pl[4] = {
        planUnitaire(P[0][0], P[0][1], P[0][2]), planUnitaire(P[2][0], P[2][1], P[2][2]),
        planUnitaire(P[0][0], P[1][0], P[2][0]), planUnitaire(P[0][2], P[1][2], P[2][2])};
    Point ref;
    ref.milieu(P[0][0], P[2][2]);
    const Droite dPhi = ligneCommune(Pl[0], Pl[1], ref);
    const Droite dTeta = ligneCommune(Pl[2], Pl[3], ref);

    SixPoints s;
    s.centreDansPlan = false;
    piedsPerpendiculaire(dPhi, dTeta, s.Hphi, s.Hteta);
    s.i0 = unitaire(entre(s.Hteta, s.Hphi));
    s.j0 = dPhi.getV();
    s.k0 = unitaire(produitVectoriel(s.i0, s.j0));
    s.delta0 = droite(s.Hteta, s.i0);
    s.auxiliaire = planNormalPoint(planPz ? s.k0 : s.j0, s.Hteta);
    pointsDeRencontre(reseau, plan, Pl, planPz ? dTeta : dPhi, s);
    return s;
}

} // namespace cyclide
