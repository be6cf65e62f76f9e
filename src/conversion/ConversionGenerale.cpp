#include "conversion/ConversionGenerale.h"

#include "conversion/LectureCyclide.h"
#include "noyau/Constantes.h"
#include "noyau/Geometrie.h"

#include <cmath>

namespace cyclide {

namespace {

// The planes of the four boundary polygons (u = 0, u = 1, v = 0, v = 1),
// the axes of their two pencils and the common perpendicular of the axes.
struct Faisceaux {
    Plan Pl[4];
    Droite deltaPhi, deltaTeta, delta0;
};

// The pencils of the net; false when the two plane pairs do not both cut
// along a line.
bool faisceaux(const RBBP& n, Faisceaux& f) {
    const Point(&P)[3][3] = n.P;
    f.Pl[0] = plan3Points(P[0][0], P[0][1], P[0][2]);
    f.Pl[1] = plan3Points(P[2][0], P[2][1], P[2][2]);
    f.Pl[2] = plan3Points(P[0][0], P[1][0], P[2][0]);
    f.Pl[3] = plan3Points(P[0][2], P[1][2], P[2][2]);
    if (!(f.Pl[0].typeIntersectPlans(f.Pl[1]) == 1 && f.Pl[2].typeIntersectPlans(f.Pl[3]) == 1))
        return false;
    f.deltaPhi = f.Pl[0].intersection2Plans(f.Pl[1]);
    f.deltaTeta = f.Pl[2].intersection2Plans(f.Pl[3]);
    f.delta0 = f.Pl[0].intersect2DroitesGauches(f.deltaPhi, f.deltaTeta);
    return true;
}

// The kind from the boundary circles: ring when the circles u = 0 and u = 1
// do not meet, otherwise spindle when the line through their meeting points
// crosses the disc of the circle v = 0, horned when it does not.
GenreCyclide genreCyclide(const RBBP& n, Faisceaux& f) {
    const Point(&P)[3][3] = n.P;
    if (f.Pl[0].inter2Cercles(P[0][0], P[0][1], P[0][2], P[2][0], P[2][1], P[2][2]) == 0)
        return GenreCyclide::Ring;
    const Point Pdeltap = f.Pl[1].cercleInterPlan(P[0][0], P[0][1], P[0][2], 1);
    const Point Pdeltan = f.Pl[1].cercleInterPlan(P[0][0], P[0][1], P[0][2], -1);
    const Droite delta = droite(Pdeltap, entre(Pdeltan, Pdeltap));
    return f.Pl[1].intersectionDroiteDisque(P[0][0], P[1][0], P[2][0], delta)
               ? GenreCyclide::Spindle
               : GenreCyclide::Horned;
}

// The first reading's six points: the auxiliary plane (through delta0's
// base point with normal k0 for Pz, through Hteta with normal j0 for Py),
// the points where the boundary circles v = 0, v = 1 (Pz) or u = 0, u = 1
// (Py) and the middle curve meet it, A[k] the farther from the sorting
// line (the axis of the v boundaries' planes for Pz, of the u ones for Py).
void premiersPoints(const RBBP& n, PlanConversion plan, const Faisceaux& f, SixPoints& s) {
    const bool planPz = plan == PlanConversion::Pz;
    const Point(&P)[3][3] = n.P;
    const Point base = f.delta0.getP();
    const vect dir = f.delta0.getV();
    const Point origine = planPz ? Point(base.getX0() + 0 * dir.abs(), base.getY0() + 0 * dir.ord(),
                                         base.getZ0() + 0 * dir.cote())
                                 : s.Hteta;
    s.auxiliaire = planNormalPoint(planPz ? s.k0 : s.j0, origine);
    const Point S0 = planPz ? n.point(0, 0.5) : n.point(0.5, 0);
    const Point S1 = n.point(0.5, 0.5);
    const Point S2 = planPz ? n.point(1, 0.5) : n.point(0.5, 1);
    Plan P2S = plan3Points(S0, S1, S2);
    const Point OC1 = P2S.centreCercle3points(S0, S1, S2);
    // The two boundary circles met: rows of the first index for Pz.
    const int pas[2][2] = {{1, 0}, {0, 1}};
    const int(&d)[2] = pas[planPz ? 0 : 1];
    for (int k = 0; k < 3; k += 2) {
        const int i = planPz ? 0 : k, j = planPz ? k : 0;
        const Point& Q0 = P[i][j];
        const Point& Q1 = P[i + d[0]][j + d[1]];
        const Point& Q2 = P[i + 2 * d[0]][j + 2 * d[1]];
        s.A[k] = s.auxiliaire.cercleInterPlan(Q0, Q1, Q2, 1);
        s.B[k] = s.auxiliaire.cercleInterPlan(Q0, Q1, Q2, -1);
    }
    s.A[1] = s.auxiliaire.cercleInterPlan2(S0, S1, S2, OC1, 1);
    s.B[1] = s.auxiliaire.cercleInterPlan2(S0, S1, S2, OC1, -1);
    const Droite& tri = planPz ? f.deltaTeta : f.deltaPhi;
    for (int k = 0; k < 3; ++k)
        if (tri.distPointDroite(s.B[k]) > tri.distPointDroite(s.A[k])) {
            const Point t = s.A[k];
            s.A[k] = s.B[k];
            s.B[k] = t;
        }
}

// The three provisional parameters sorted by absolute value (the values keep
// their signs; comparisons with non-numbers fall to the last case, as the
// ordering of the mending reading expects).
struct Tries {
    double petit, moyen, grand;
};

Tries trierParValeurAbsolue(double a2, double c2, double mu2) {
    const double A = std::fabs(a2), C = std::fabs(c2), M = std::fabs(mu2);
    // The smallest, then the other two in a fixed order.
    double petit, x, y;
    if (A >= C && M >= C) {
        petit = c2, x = a2, y = mu2;
    } else if (A >= M && C >= M) {
        petit = mu2, x = a2, y = c2;
    } else {
        petit = a2, x = mu2, y = c2;
    }
    if (std::fabs(x) >= std::fabs(y))
        return {petit, y, x};
    return {petit, x, y};
}

// The roles of the sorted values for each kind: ring c <= mu <= a, spindle
// c <= a <= mu, horned mu <= c <= a.
void ordonnerParametres(GenreCyclide genre, double a2, double c2, double mu2, CyclideRepere& cy) {
    const Tries t = trierParValeurAbsolue(a2, c2, mu2);
    if (genre == GenreCyclide::Ring) {
        cy.a = t.grand, cy.c = t.petit, cy.mu = t.moyen;
    } else if (genre == GenreCyclide::Spindle) {
        cy.a = t.moyen, cy.c = t.petit, cy.mu = t.grand;
    } else {
        cy.a = t.grand, cy.c = t.moyen, cy.mu = t.petit;
    }
}

// The first reading: the circles through A and through B in the auxiliary
// plane; in Pz c is their centres' half distance and a, mu the half sum and
// half difference of the radii (exchanged for a spindle); in Py a is the
// half distance and c, mu the half difference and half sum (exchanged for a
// horned cyclide); then the roles by absolute value.
CyclideRepere premiereLecture(PlanConversion plan, GenreCyclide genre, SixPoints& s) {
    const bool planPz = plan == PlanConversion::Pz;
    const Point O1 = s.auxiliaire.centreCercle3points(s.A[0], s.A[1], s.A[2]);
    const Point O2 = s.auxiliaire.centreCercle3points(s.B[0], s.B[1], s.B[2]);
    const double rho1 = O1.distance(s.A[0]);
    const double rho2 = O2.distance(s.B[0]);
    const double h = O1.distance(O2) / 2;
    const double somme = (rho1 + rho2) / 2, difference = (rho1 - rho2) / 2;
    CyclideRepere cy;
    if (planPz) {
        const bool echange = genre == GenreCyclide::Spindle;
        ordonnerParametres(genre, echange ? difference : somme, h, echange ? somme : difference,
                           cy);
    } else {
        const bool echange = genre == GenreCyclide::Horned;
        ordonnerParametres(genre, h, echange ? somme : difference, echange ? difference : somme,
                           cy);
    }
    cy.omega.milieu(O1, O2);
    poserBase(cy.Base, s.i0, s.j0, s.k0);
    return cy;
}

// The second reading of the first reading's points, or, when its cyclide
// does not carry the net, of the points rebuilt near the patch.
CyclideLue secondeLectureRetenue(PlanConversion plan, const SixPoints& s, const RBBP& reseau) {
    CyclideLue lue = secondeLecture(plan, s, reseau);
    if (lue.porteuse)
        return lue;
    return secondeLecture(plan, sixPointsReconstruits(reseau, plan), reseau);
}

} // namespace

ConversionCyclide conversionGenerale(const RBBP& reseau, PlanConversion plan) {
    Faisceaux f;
    if (!faisceaux(reseau, f))
        return ConversionCyclide{};
    const GenreCyclide genre = genreCyclide(reseau, f);

    SixPoints s;
    s.delta0 = f.delta0;
    s.Hteta = f.delta0.intersect2DroitesSecantes(f.deltaTeta);
    s.Hphi = f.delta0.intersect2DroitesSecantes(f.deltaPhi);
    s.i0 = unitaire(entre(s.Hteta, s.Hphi));
    s.j0 = unitaire(f.deltaPhi.getV());
    s.k0 = unitaire(produitVectoriel(s.i0, s.j0));
    premiersPoints(reseau, plan, f, s);
    const CyclideRepere premiere = premiereLecture(plan, genre, s);

    // A second reading is adopted only when its cyclide carries the net.
    const CyclideLue lue = cyclidePorteuse(reseau, premiere)
                               ? CyclideLue{true, premiere, genre}
                               : secondeLectureRetenue(plan, s, reseau);
    ConversionCyclide res{lue.porteuse ? lue.code : genre, true,
                          lue.porteuse ? lue.cyclide : premiere, false, MorceauCyclide{}};
    // A non-number in the cyclide means there is no cyclide to show.
    if (!cyclideFinie(res.cyclide)) {
        res.code = GenreCyclide::Aucune;
        return res;
    }
    res.morceauLu = true;
    res.morceau = morceauGeneral(res.cyclide, reseau);
    return res;
}

ConversionCyclide conversionToreSphere(const RBBP& reseau) {
    const Point(&P)[3][3] = reseau.P;
    const vect i0 = unitaire(entre(P[0][0], P[0][1]));
    const vect v = unitaire(entre(P[0][0], P[0][2]));
    const vect k0 = unitaire(produitVectoriel(i0, v));
    const vect j0 = unitaire(produitVectoriel(k0, i0));

    // Centre: the centre of the circle v = 0 projected on the axis of the
    // circle u = 0.
    ConversionCyclide res;
    CyclideRepere& cy = res.cyclide;
    Point omega3, omega5;
    omega3.centreCercle(P[0][0], P[0][1], P[0][2]);
    omega5.centreCercle(P[0][0], P[1][0], P[2][0]);
    cy.omega.projOrtho(omega5, omega3, k0);

    // The two radii in the plane through the centre perpendicular to k0.
    Plan Pz = planNormalPoint(k0, cy.omega);
    const Point C = Pz.cercleInterPlan(P[0][0], P[1][0], P[2][0], 1);
    const Point D = Pz.cercleInterPlan(P[0][0], P[1][0], P[2][0], -1);
    const bool dLoin = cy.omega.distance(D) >= cy.omega.distance(C);
    const double rho1 = cy.omega.distance(dLoin ? D : C);
    const double rho2 = cy.omega.distance(dLoin ? C : D);

    Plan Pl;
    cy.c = 0;
    if (std::fabs(rho1 - rho2) < ECART_RAYONS_SPHERE) {
        res.code = GenreCyclide::SphereDouble;
        cy.a = 0;
        cy.mu = rho1;
    } else if (Pl.inter2Cercles(P[2][0], P[2][1], P[2][2], P[0][0], P[1][0], P[2][0]) == 2) {
        res.code = GenreCyclide::ToreCroise;
        cy.a = (rho1 - rho2) / 2;
        cy.mu = (rho1 + rho2) / 2;
    } else {
        res.code = GenreCyclide::ToreCollier;
        cy.a = (rho1 + rho2) / 2;
        cy.mu = (rho1 - rho2) / 2;
    }
    poserBase(cy.Base, i0, j0, k0);
    res.cyclideLue = true;
    res.morceauLu = true;
    res.morceau = morceauToreSphere(cy, reseau);
    if (!cyclideFinie(cy))
        res.code = GenreCyclide::Aucune;
    return res;
}

} // namespace cyclide
