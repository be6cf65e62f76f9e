#include "noyau/Surface.h"

#include "noyau/Constantes.h"
#include "noyau/Point.h"

#include <GL/gl.h>

#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// Sets one material property on the faces that the choice selects: 2 puts
// the colour on the front and black on the back, 3 the reverse, any other
// value puts the colour on both faces.
void setMaterial(GLenum pname, int choice, const GLfloat* colour, const GLfloat* black) {
    if (choice == 2) {
        glMaterialfv(GL_FRONT, pname, colour);
        glMaterialfv(GL_BACK, pname, black);
    } else if (choice == 3) {
        glMaterialfv(GL_BACK, pname, colour);
        glMaterialfv(GL_FRONT, pname, black);
    } else {
        glMaterialfv(GL_FRONT_AND_BACK, pname, colour);
    }
}

} // namespace

surface_para::surface_para()
    : nom("Surface.off"), UMAX(80), VMAX(80), u_min(0), u_max(DEUX_PI), v_min(-1.2), v_max(DEUX_PI),
      x(0), y(0), z(0), R(0), G(0), B(0), Rd(0), Gd(0), Bd(0), Rs(0), Gs(0), Bs(0) {
    nbre_sommet = (UMAX + 1) * (VMAX + 1);
    nbre_face = UMAX * VMAX;
    nbre_cote = (2 * UMAX + 2) * VMAX;
}

surface_para::surface_para(double umin, double umax, double vmin, double vmax) : surface_para() {
    u_min = umin;
    u_max = umax;
    v_min = vmin;
    v_max = vmax;
}

surface_para::surface_para(double umin, double umax, double vmin, double vmax, int umaxGrid,
                           int vmaxGrid)
    : surface_para(umin, umax, vmin, vmax) {
    UMAX = umaxGrid;
    VMAX = vmaxGrid;
    nbre_sommet = (UMAX + 1) * (VMAX + 1);
    nbre_face = UMAX * VMAX;
    nbre_cote = (2 * UMAX + 2) * VMAX;
}

surface_para::~surface_para() = default;

double surface_para::fx(double u, double) {
    return std::cos(u);
}
double surface_para::fy(double u, double) {
    return std::sin(u);
}
double surface_para::fz(double, double v) {
    return v;
}

void surface_para::fR(double u, double) {
    R = std::cos(PI * u / UMAX);
}
void surface_para::fG(double u, double) {
    G = 0.5 * std::sin(2 * PI * u / UMAX) + 0.5;
}
void surface_para::fB(double, double v) {
    B = 0.5 * v / VMAX + 0.25;
}
void surface_para::fR(double u, double, double w) {
    R = std::cos(PI * u * w / UMAX);
}
void surface_para::fG(double u, double, double w) {
    G = 0.5 * std::sin(2 * PI * u * w / UMAX) + 0.5;
}
void surface_para::fB(double, double v, double) {
    B = 0.5 * v / VMAX + 0.25;
}

double surface_para::normalx(double u, double v) {
    return gradx(u, v) / norme(gradx(u, v), grady(u, v), gradz(u, v));
}
double surface_para::normaly(double u, double v) {
    return grady(u, v) / norme(gradx(u, v), grady(u, v), gradz(u, v));
}
double surface_para::normalz(double u, double v) {
    return gradz(u, v) / norme(gradx(u, v), grady(u, v), gradz(u, v));
}

double surface_para::norme(double xx, double yy, double zz) {
    return std::pow(std::pow(xx, 2) + std::pow(yy, 2) + std::pow(zz, 2), 0.5);
}

double surface_para::distance(double u, double v) {
    x = fx(u, v);
    y = fy(u, v);
    z = fz(u, v);
    return norme(x, y, z);
}

double surface_para::f_aff(double x0, double x1, double m, double M, double x) {
    if (x0 == x1)
        x1 = x0 + 1;
    return (M - m) / (x1 - x0) * x + (M * x0 - m * x1) / (x0 - x1);
}

double surface_para::df_aff(double x0, double x1, double m, double M) {
    if (x0 == x1)
        x1 = x0 + 1;
    return (M - m) / (x1 - x0);
}

double surface_para::solU(double X0) {
    return X0 * UMAX / DEUX_PI;
}
double surface_para::solV(double X0) {
    return X0 * VMAX / DEUX_PI;
}
double surface_para::solV(double X0, double M1) {
    return VMAX * X0 / M1;
}
double surface_para::solV(double X0, double m1, double M1) {
    return VMAX * (X0 - m1) / (M1 - m1);
}

void surface_para::fR(double u, double, double w, double co, double co1) {
    R = co1 * std::cos(u * DEUX_PI / UMAX * w) + co;
    Rd = 0.2;
    Rs = 0.4;
}
void surface_para::fG(double u, double, double w, double co, double co1) {
    G = co1 * std::sin(u * DEUX_PI / UMAX * w) + co;
    Gd = 0.31 * std::cos(u * DEUX_PI / UMAX * w) + 0.49;
    Gs = 0.0841;
}
void surface_para::fB(double, double v, double w, double co, double co1) {
    B = (co1 * v / VMAX) * std::cos(v * PI / VMAX * w) + co;
    Bd = 0.6;
    Bs = 0.6;
}

void surface_para::fR(double u, double v, double w, double co, double co1, double coa, double co1a,
                      double cob, double co1b) {
    R = co1 * std::cos(u * DEUX_PI / UMAX * w) + co;
    Rd = co1a * std::cos(u * DEUX_PI / UMAX * w) + coa;
    Rs = co1b * std::cos(v * DEUX_PI / VMAX * w) + cob;
}
void surface_para::fG(double u, double v, double w, double co, double co1, double coa, double co1a,
                      double cob, double co1b) {
    G = co1 * std::sin(v * DEUX_PI / VMAX * w) + co;
    Gd = co1a * std::sin(u * DEUX_PI / UMAX * w) + coa;
    Gs = co1b * std::sin(v * DEUX_PI / VMAX * w) + cob;
}
void surface_para::fB(double u, double v, double w, double co, double co1, double coa, double co1a,
                      double cob, double co1b) {
    B = co1 * std::cos(v * PI / VMAX * w) + co;
    Bd = co1a * std::sin(v * DEUX_PI / VMAX * w) + coa;
    Bs = co1b * std::sin(u * DEUX_PI / UMAX * w) + cob;
}

double surface_para::fR1(double u, double, double w, double co, double co1) {
    return co1 * std::cos(u * DEUX_PI / UMAX * w) + co;
}
double surface_para::fG1(double, double v, double w, double co, double co1) {
    return co1 * std::sin(v * DEUX_PI / VMAX * w) + co;
}
double surface_para::fB1(double, double v, double w, double co, double co1) {
    return co1 * std::cos(v * PI / VMAX * w) + co;
}

void surface_para::openGL() {
    openGL(1, 1, 1, 1, 1, 1);
}

void surface_para::openGL(int choix, int choixMat, int choixAmb, int choixDiff) {
    openGL(choix, choix, choix, choixMat, choixAmb, choixDiff);
}

void surface_para::openGL(int choixR, int choixG, int choixB, int choixAmb, int choixDiff,
                          int choixSpe) {
    const double ondes[3] = {static_cast<double>(choixR), static_cast<double>(choixG),
                             static_cast<double>(choixB)};
    tessellate(
        1.0,
        [this, &ondes](double s, double t) {
            fR(s, t, ondes[0]);
            fG(s, t, ondes[1]);
            fB(s, t, ondes[2]);
        },
        choixAmb, choixDiff, choixSpe, ondes);
}

void surface_para::openGL(int choixNormal, int choixR, double cR, double cR2, double cRa,
                          double cR2a, double cRb, double cR2b, int choixG, double cG, double cG2,
                          double cGa, double cG2a, double cGb, double cG2b, int choixB, double cB,
                          double cB2, double cBa, double cB2a, double cBb, double cB2b,
                          int choixAmb, int choixDiff, int choixSpe) {
    const double epsi = choixNormal > 0 ? 1.0 : -1.0;
    tessellate(
        epsi,
        [&](double s, double t) {
            fR(s, t, choixR, cR, cR2, cRa, cR2a, cRb, cR2b);
            fG(s, t, choixG, cG, cG2, cGa, cG2a, cGb, cG2b);
            fB(s, t, choixB, cB, cB2, cBa, cB2a, cBb, cB2b);
        },
        choixAmb, choixDiff, choixSpe);
}

void surface_para::openGL(int choixR, double cR, double cR2, double cRa, double cR2a, double cRb,
                          double cR2b, int choixG, double cG, double cG2, double cGa, double cG2a,
                          double cGb, double cG2b, int choixB, double cB, double cB2, double cBa,
                          double cB2a, double cBb, double cB2b, int choixAmb, int choixDiff,
                          int choixSpe) {
    openGL(1, choixR, cR, cR2, cRa, cR2a, cRb, cR2b, choixG, cG, cG2, cGa, cG2a, cGb, cG2b, choixB,
           cB, cB2, cBa, cB2a, cBb, cB2b, choixAmb, choixDiff, choixSpe);
}

void surface_para::openGL(int choixR, double cR, double cR2, int choixG, double cG, double cG2,
                          int choixB, double cB, double cB2, int choixAmb, int choixDiff,
                          int choixSpe) {
    openGL(1, choixR, cR, cR2, 0, 0, 0, 0, choixG, cG, cG2, 0, 0, 0, 0, choixB, cB, cB2, 0, 0, 0, 0,
           choixAmb, choixDiff, choixSpe);
}

// The tessellation's samples through the virtual position and normal:
// for every grid index, row by row, fx, fy, fz, then normalx, normaly,
// normalz.
void surface_para::echantillonnerGrille(int lignes, int colonnes,
                                        std::vector<Echantillon>& grille) {
    grille.resize(static_cast<std::size_t>(lignes) * static_cast<std::size_t>(colonnes));
    for (int i = 0; i < lignes; ++i) {
        for (int j = 0; j < colonnes; ++j) {
            const double u = i, v = j;
            Echantillon& e = grille[static_cast<std::size_t>(i) * colonnes + j];
            e.px = fx(u, v);
            e.py = fy(u, v);
            e.pz = fz(u, v);
            e.nx = normalx(u, v);
            e.ny = normaly(u, v);
            e.nz = normalz(u, v);
        }
    }
}

// The general surface gives no guarantee about its colour functions.
bool surface_para::couleursSansEtat() const {
    return false;
}

// The channels of every grid index through the virtual three-argument
// colour slots, in the order fR, fG, fB.
void surface_para::couleursGrille(int lignes, int colonnes, double wR, double wG, double wB,
                                  std::vector<Couleur>& couleurs) {
    couleurs.clear();
    couleurs.reserve(static_cast<std::size_t>(lignes) * static_cast<std::size_t>(colonnes));
    for (int i = 0; i < lignes; ++i) {
        for (int j = 0; j < colonnes; ++j) {
            fR(i, j, wR);
            fG(i, j, wG);
            fB(i, j, wB);
            couleurs.push_back(Couleur{R, G, B, Rd, Gd, Bd, Rs, Gs, Bs});
        }
    }
}

// Samples position and normal at every grid index (u = 0..UMAX,
// v = 0..VMAX), then draws UMAX x VMAX quadrilaterals, each corner with its
// own materials (alpha 0.5), normal and vertex, and flushes. When the
// colour functions depend on their arguments only, each grid point's colour
// is computed once (by couleursGrille for the three-argument slots, whose
// waves ondes gives) and reused by its corners; the channels then end as the
// last corner left them, as with a call per corner. A negative grid size
// draws nothing (only the flush).
void surface_para::tessellate(double normalSign, const CornerColour& colour, int choixAmb,
                              int choixDiff, int choixSpe, const double* ondes) {
    const int rows = UMAX >= 0 ? UMAX + 1 : 0;
    const int cols = VMAX >= 0 ? VMAX + 1 : 0;
    std::vector<Echantillon> grille;
    echantillonnerGrille(rows, cols, grille);

    // The nine channels of each grid point, when they can be computed once.
    std::vector<Couleur> couleurs;
    if (rows > 1 && cols > 1 && couleursSansEtat() && ondes != nullptr) {
        couleursGrille(rows, cols, ondes[0], ondes[1], ondes[2], couleurs);
    } else if (rows > 1 && cols > 1 && couleursSansEtat()) {
        couleurs.reserve(grille.size());
        for (int i = 0; i < rows; ++i) {
            for (int j = 0; j < cols; ++j) {
                colour(static_cast<double>(i), static_cast<double>(j));
                couleurs.push_back(Couleur{R, G, B, Rd, Gd, Bd, Rs, Gs, Bs});
            }
        }
    }

    const GLfloat matblack[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const int cornerDi[4] = {0, 1, 1, 0};
    const int cornerDj[4] = {0, 0, 1, 1};
    for (int i = 0; i + 1 < rows; ++i) {
        for (int j = 0; j + 1 < cols; ++j) {
            glBegin(GL_QUADS);
            for (int k = 0; k < 4; ++k) {
                const int i1 = i + cornerDi[k];
                const int j1 = j + cornerDj[k];
                const std::size_t indice = static_cast<std::size_t>(i1) * cols + j1;
                if (couleurs.empty()) {
                    colour(static_cast<double>(i1), static_cast<double>(j1));
                } else {
                    poserCouleur(couleurs[indice]);
                }
                const GLfloat mat[4] = {static_cast<GLfloat>(R), static_cast<GLfloat>(G),
                                        static_cast<GLfloat>(B), 0.5f};
                const GLfloat matDif[4] = {static_cast<GLfloat>(Rd), static_cast<GLfloat>(Gd),
                                           static_cast<GLfloat>(Bd), 0.5f};
                const GLfloat matSpe[4] = {static_cast<GLfloat>(Rs), static_cast<GLfloat>(Gs),
                                           static_cast<GLfloat>(Bs), 0.5f};
                setMaterial(GL_AMBIENT, choixAmb, mat, matblack);
                setMaterial(GL_DIFFUSE, choixDiff, matDif, matblack);
                setMaterial(GL_SPECULAR, choixSpe, matSpe, matblack);
                const Echantillon& e = grille[indice];
                glNormal3d(normalSign * e.nx, normalSign * e.ny, normalSign * e.nz);
                glVertex3d(e.px, e.py, e.pz);
            }
            glEnd();
        }
    }
    glFlush();
}

// Makes the nine channels those of couleur.
void surface_para::poserCouleur(const Couleur& couleur) {
    R = couleur.R;
    G = couleur.G;
    B = couleur.B;
    Rd = couleur.Rd;
    Gd = couleur.Gd;
    Bd = couleur.Bd;
    Rs = couleur.Rs;
    Gs = couleur.Gs;
    Bs = couleur.Bs;
}

// The surface point at grid indices (u, v), coordinates evaluated in the
// order x, y, z.
Point surface_para::pointAt(double u, double v) {
    const double px = fx(u, v);
    const double py = fy(u, v);
    const double pz = fz(u, v);
    return Point(px, py, pz);
}

void surface_para::traceU(int psi, float red, float green, float blue, float size) {
    glDisable(GL_LIGHTING);
    for (int i = 0; i < UMAX; ++i) {
        const Point M0 = pointAt(i, psi);
        const Point M1 = pointAt(i + 1, psi);
        M0.trace_segment(M1, red, green, blue, size);
    }
    glEnable(GL_LIGHTING);
}

void surface_para::traceV(int theta, float red, float green, float blue, float size) {
    glDisable(GL_LIGHTING);
    for (int i = 0; i < VMAX; ++i) {
        const Point M0 = pointAt(theta, i);
        const Point M1 = pointAt(theta, i + 1);
        M0.trace_segment(M1, red, green, blue, size);
    }
    glEnable(GL_LIGHTING);
}
