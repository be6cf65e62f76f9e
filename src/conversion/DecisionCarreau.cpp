#include "conversion/DecisionCarreau.h"

#include "conversion/RBBPd.h"
#include "conversion/Reseau.h"
#include "noyau/Plan.h"

#include <algorithm>
#include <cmath>

namespace cyclide {

namespace {

// A boundary of the net: its name in messages and its three control indices.
struct Bord {
    const char* nom;
    int i[3];
    int j[3];
};

const Bord BORDS[4] = {{"u = 0 (P00 P01 P02)", {0, 0, 0}, {0, 1, 2}},
                       {"u = 1 (P20 P21 P22)", {2, 2, 2}, {0, 1, 2}},
                       {"v = 0 (P00 P10 P20)", {0, 1, 2}, {0, 0, 0}},
                       {"v = 1 (P02 P12 P22)", {0, 1, 2}, {2, 2, 2}}};

bool netFini(const RBBP& net) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const Point P = net.getP(i, j);
            if (!std::isfinite(P.getX0()) || !std::isfinite(P.getY0()) ||
                !std::isfinite(P.getZ0()) || !std::isfinite(net.getW(i, j)))
                return false;
        }
    return true;
}

// True when the boundary's three control points lie within ecart of each
// other: a boundary collapsed to a point (a sphere's pole, a spindle torus's
// or cyclide's point on the axis), which a cyclide's piece may have
// whatever the rounding of that point's copies.
bool bordReduitAUnPoint(const RBBP& net, const Bord& b, double ecart) {
    const Point& Q0 = net.P[b.i[0]][b.j[0]];
    const Point& Q1 = net.P[b.i[1]][b.j[1]];
    const Point& Q2 = net.P[b.i[2]][b.j[2]];
    return Q0.distance(Q1) <= ecart && Q1.distance(Q2) <= ecart && Q0.distance(Q2) <= ecart;
}

Plan planBord(const RBBP& net, const Bord& b) {
    Plan pl;
    pl.defPlan3Points(net.getP(b.i[0], b.j[0]), net.getP(b.i[1], b.j[1]), net.getP(b.i[2], b.j[2]));
    return pl;
}

} // namespace

bool bordReduit(const RBBP& net, double tol) {
    const double diagonale =
        std::max(net.P[0][0].distance(net.P[2][2]), net.P[0][2].distance(net.P[2][0]));
    for (const Bord& b : BORDS)
        if (bordReduitAUnPoint(net, b, tol * diagonale))
            return true;
    return false;
}

Resultat<void> arcDeCercle(const Point& Q0, const Point& Q1, const Point& Q2, double w0, double w1,
                           double w2, double tol, double bruit) {
    if (!(w0 * w2 > 0))
        return {"ses poids d'extremite sont nuls ou de signes opposes"};
    const vect t = Q1.ToVect() - Q0.ToVect(), s = Q2.ToVect() - Q1.ToVect();
    const vect corde = Q2.ToVect() - Q0.ToVect();
    const double d1 = t.norme(), d2 = s.norme(), c = corde.norme();
    const double longueur = d1 >= d2 ? d1 : d2;
    if (!(c > 0) || !(longueur > 0))
        return {"ses extremites sont confondues"};
    vect n;
    n.vectoriel(t, corde);
    if (!(n.norme() > tol * d1 * c))
        return {"ses points de controle sont alignes"};
    if (!(std::fabs(d1 - d2) <= tol * longueur + 64 * bruit))
        return {"les deux cotes de son polygone de controle n'ont pas la meme longueur"};
    const double cosinus = t.scalaire(corde) / (d1 * c);
    const double poids = std::fabs(w1) / std::sqrt(w0 * w2);
    if (!(std::fabs(poids - cosinus) <= tol + 64 * bruit / std::min(d1, c)))
        return {"son poids central ne donne pas un arc de cercle"};
    return {};
}

Resultat<void> bordsCirculaires(const RBBP& donne, double tol, double bruit) {
    if (!netFini(donne))
        return {"le carreau contient une valeur non finie"};
    const RBBP net = poidsRamenes(donne); // the same arcs at any scale of the weights
    const double diagonale =
        std::max(net.P[0][0].distance(net.P[2][2]), net.P[0][2].distance(net.P[2][0]));
    for (const Bord& b : BORDS) {
        if (bordReduitAUnPoint(net, b, tol * diagonale))
            continue;
        const Resultat<void> arc =
            arcDeCercle(net.getP(b.i[0], b.j[0]), net.getP(b.i[1], b.j[1]),
                        net.getP(b.i[2], b.j[2]), net.getW(b.i[0], b.j[0]),
                        net.getW(b.i[1], b.j[1]), net.getW(b.i[2], b.j[2]), tol, bruit);
        if (!arc.ok())
            return {std::string("le bord ") + b.nom +
                    " n'est pas un arc de cercle : " + arc.raison};
    }
    return {};
}

Resultat<int> typeCarreauDonne(const RBBP& net, double tol) {
    const Resultat<void> bords = bordsCirculaires(net, tol);
    if (!bords.ok())
        return {0, bords.raison};
    if (bordReduit(net, tol)) // no plane: the construction does not read it
        return {0, "un bord est reduit a un point"};
    // The plane tests compare coefficients with absolute thresholds: they
    // are made on the net moved to unit size, so that they do not depend on
    // its size and place.
    ReseauUnite unite;
    RBBPd n;
    if (normaliserReseau(net, unite))
        static_cast<RBBP&>(n) = unite.net;
    else
        static_cast<RBBP&>(n) = reseauDeplace(net, unite.centre, 0.0);
    const int t12 = planBord(n, BORDS[0]).typeIntersectPlans(planBord(n, BORDS[1]));
    const int t34 = planBord(n, BORDS[2]).typeIntersectPlans(planBord(n, BORDS[3]));
    if (t12 == 1 && t34 == 1)
        return {1, ""};
    if ((t12 == 1 && t34 == 3) || (t12 == 3 && t34 == 1))
        return {2, ""};
    return {0, "les plans des bords opposes ne sont ni secants deux a deux, ni secants pour une "
               "paire et paralleles pour l'autre"};
}

} // namespace cyclide
