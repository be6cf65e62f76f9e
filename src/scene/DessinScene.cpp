#include "scene/DessinScene.h"

#include "noyau/Constantes.h"
#include "scene/NormalesCarreau.h"
#include "surfaces/Cyclide.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace cyclide {

namespace {

// Samples of the drawings per patch side and per cyclide side when a box
// is measured.
const int ECHANTILLONS_CARREAU = 10;
const int ECHANTILLONS_CYCLIDE = 24;
// Steps per side of the drawings of a patch and of its boundary.
const int PAS_CARREAU = 30;

// The whole cyclide of the scene.
Cyclide cyclideEntiere(const Scene& s) {
    return Cyclide(0, DEUX_PI, 0, DEUX_PI, s.converti.getA(), s.converti.getC(),
                   s.converti.getMu());
}

// The piece of cyclide that carries the converted patch.
Cyclide morceauCyclide(const Scene& s) {
    const MorceauCyclide& m = s.morceau;
    return Cyclide(m.u0, m.u1, m.v0, m.v1, s.converti.getA(), s.converti.getC(),
                   s.converti.getMu());
}

// A growing box; non-number points are ignored.
struct Boite {
    double bas[3] = {std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::infinity()};
    double haut[3] = {-std::numeric_limits<double>::infinity(),
                      -std::numeric_limits<double>::infinity(),
                      -std::numeric_limits<double>::infinity()};

    std::vector<std::array<double, 3>> points;

    void ajouter(double x, double y, double z) {
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z))
            return;
        const double p[3] = {x, y, z};
        points.push_back({x, y, z});
        for (int k = 0; k < 3; ++k) {
            bas[k] = std::min(bas[k], p[k]);
            haut[k] = std::max(haut[k], p[k]);
        }
    }
    void ajouterCarreau(const RBBP& c) {
        for (const auto& ligne : c.echantillons(ECHANTILLONS_CARREAU, ECHANTILLONS_CARREAU))
            for (const Point& p : ligne)
                ajouter(p.getX0(), p.getY0(), p.getZ0());
    }
    // The cyclide's grid is indexed 0..UMAX x 0..VMAX over its ranges.
    void ajouterCyclide(Cyclide cy) {
        const int n = ECHANTILLONS_CYCLIDE;
        for (int i = 0; i <= n; ++i)
            for (int j = 0; j <= n; ++j) {
                const double u = static_cast<double>(cy.getUMAX()) * i / n;
                const double v = static_cast<double>(cy.getVMAX()) * j / n;
                ajouter(cy.fx(u, v), cy.fy(u, v), cy.fz(u, v));
            }
    }
};

// Lists 1 and 2 draw the net, lists 3 to 5 the converted patch already
// moved into the cyclide's frame (sampled as the drawing change of frame
// samples it).
const RBBPd& carreauDeListe(const Scene& s, int liste) {
    return liste <= 2 ? s.Bez : s.Bez1;
}

} // namespace

namespace {

// A cyclide drawn on a grid reduction times coarser than its own.
void dessinerCyclide(Cyclide cyclide, int reduction) {
    if (reduction > 1) {
        cyclide.putUMAX(std::max(2, cyclide.getUMAX() / reduction));
        cyclide.putVMAX(std::max(2, cyclide.getVMAX() / reduction));
    }
    cyclide.openGL();
}

} // namespace

void dessinerListe(const Scene& s, int liste, int reduction) {
    const int pas = reduction > 1 ? std::max(2, PAS_CARREAU / reduction) : PAS_CARREAU;
    switch (liste) {
    case 1:
    case 3:
        carreauDeListe(s, liste).openGL(pas, pas);
        break;
    case 2:
    case 4:
        carreauDeListe(s, liste).openGLBord(pas, pas);
        break;
    case 5:
        s.Bez1.openGLPolyedre();
        break;
    case 6:
        dessinerCyclide(cyclideEntiere(s), reduction);
        break;
    case 7:
        if (estCyclide(s.typeCyclide))
            dessinerCyclide(morceauCyclide(s), reduction);
        break;
    default:
        break;
    }
}

void dessinerCarreauOmbre(const RBBP& carreau, int nbu, int nbv) {
    if (nbu < 1 || nbv < 1)
        return;
    const std::vector<std::vector<Point>> grille = carreau.echantillons(nbu, nbv);
    std::vector<std::vector<vect>> normales(nbu + 1, std::vector<vect>(nbv + 1));
    for (int i = 0; i <= nbu; ++i)
        for (int j = 0; j <= nbv; ++j)
            normales[i][j] =
                normaleCarreau(carreau, static_cast<double>(i) / nbu, static_cast<double>(j) / nbv);
    // The corners of quadrilateral (i, j) in the order of RBBP::openGL.
    const int coins[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < nbu; ++i)
        for (int j = 0; j < nbv; ++j) {
            glBegin(GL_QUADS);
            for (const auto& coin : coins) {
                const vect& n = normales[i + coin[0]][j + coin[1]];
                const Point& p = grille[i + coin[0]][j + coin[1]];
                glNormal3f(static_cast<float>(n.abs()), static_cast<float>(n.ord()),
                           static_cast<float>(n.cote()));
                glVertex3f(static_cast<float>(p.getX0()), static_cast<float>(p.getY0()),
                           static_cast<float>(p.getZ0()));
            }
            glEnd();
        }
}

Cadrage cadrageScene(const Scene& s, const bool affiche[NOMBRE_LISTES]) {
    Boite boite;
    if (affiche[0] || affiche[1])
        boite.ajouterCarreau(s.Bez);
    if (affiche[2] || affiche[3] || affiche[4])
        boite.ajouterCarreau(s.Bez1);
    if (affiche[4])
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                boite.ajouter(s.Bez1.P[i][j].getX0(), s.Bez1.P[i][j].getY0(),
                              s.Bez1.P[i][j].getZ0());
    if (affiche[5])
        boite.ajouterCyclide(cyclideEntiere(s));
    if (affiche[6] && estCyclide(s.typeCyclide))
        boite.ajouterCyclide(morceauCyclide(s));
    Cadrage c;
    if (!(boite.bas[0] <= boite.haut[0]))
        return c;
    c.x = (boite.bas[0] + boite.haut[0]) / 2;
    c.y = (boite.bas[1] + boite.haut[1]) / 2;
    c.z = (boite.bas[2] + boite.haut[2]) / 2;
    for (const auto& p : boite.points)
        c.rayon = std::max(c.rayon, std::hypot(p[0] - c.x, p[1] - c.y, p[2] - c.z));
    return c;
}

} // namespace cyclide
