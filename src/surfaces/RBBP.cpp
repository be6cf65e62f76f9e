#include "surfaces/RBBP.h"

#include "noyau/BernsteinSurface.h"
#include "noyau/Constantes.h"
#include "surfaces/RQBC3d.h"

#include <GL/gl.h>

#include <cmath>
#include <iostream>

namespace {

// Two squared tangent lengths closer than this are taken as equal.
const double TOL_TANGENTES = 0.0001;

// The tensor Bernstein functions, indexed like the control points.
typedef double (*Base)(double, double);
const Base BASE[3][3] = {{B00, B01, B02}, {B10, B11, B12}, {B20, B21, B22}};

// Sum over (i, j) = (0,0), (0,1), ..., (2,2) of Bij(u, v) w[i][j] c(P[i][j]).
template <class Coord> double numerateur(const RBBP& s, double u, double v, Coord coord) {
    double somme = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            somme += BASE[i][j](u, v) * s.w[i][j] * coord(s.P[i][j]);
    return somme;
}

// True when the two tangent lengths |P1P0| and |P1P2| agree, compared on their
// squares.
bool tangentesEgales(const Point& P0, const Point& P1, const Point& P2) {
    double d0 = P1.distanceCarre(P0);
    double d2 = P1.distanceCarre(P2);
    return std::fabs(d0 - d2) < TOL_TANGENTES;
}

} // namespace

RBBP::RBBP() : R(1.0), G(0.25), B(0.0), Rd(1.0), Gd(0.25), Bd(0.0), Rs(1.0), Gs(0.25), Bs(0.0) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            P[i][j] = Point(1, 2, 3);
            w[i][j] = 1;
        }
}

RBBP::RBBP(double valeur) : RBBP() {
    (void)valeur;
}

double RBBP::numX(double u, double v) const {
    return numerateur(*this, u, v, [](const Point& p) { return p.getX0(); });
}

double RBBP::numY(double u, double v) const {
    return numerateur(*this, u, v, [](const Point& p) { return p.getY0(); });
}

double RBBP::numZ(double u, double v) const {
    return numerateur(*this, u, v, [](const Point& p) { return p.getZ0(); });
}

double RBBP::den(double u, double v) const {
    double d = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            d += BASE[i][j](u, v) * w[i][j];
    if (d == 0)
        return 1;
    return 1 / d;
}

Point RBBP::point(double u, double v) const {
    double nx = 0, ny = 0, nz = 0, d = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const double bw = BASE[i][j](u, v) * w[i][j];
            nx += bw * P[i][j].getX0();
            ny += bw * P[i][j].getY0();
            nz += bw * P[i][j].getZ0();
            d += bw;
        }
    const double deno = d == 0 ? 1 : 1 / d;
    return Point(nx * deno, ny * deno, nz * deno);
}

std::vector<std::vector<Point>> RBBP::echantillons(int nbu, int nbv) const {
    std::vector<std::vector<Point>> grille;
    if (nbu < 0 || nbv < 0)
        return grille;
    grille.assign(nbu + 1, std::vector<Point>(nbv + 1));
    for (int i = 0; i <= nbu; ++i)
        for (int j = 0; j <= nbv; ++j) {
            double u = static_cast<double>(i) / nbu;
            double v = static_cast<double>(j) / nbv;
            grille[i][j] = point(u, v);
        }
    return grille;
}

double RBBP::calcW(Point P0, Point P1, Point P2) const {
    if (!tangentesEgales(P0, P1, P2))
        return 1;
    vect tangente = P1.ToVect() - P0.ToVect();
    vect corde = P2.ToVect() - P0.ToVect();
    return tangente.scalaire(corde) / (P0.distance(P1) * P0.distance(P2));
}

double RBBP::calcW1(Point O, Point P0, Point P1, Point P2, double w0, double w2) const {
    if (!tangentesEgales(P0, P1, P2))
        return 1;
    double somme = w0 + w2;
    Point G;
    G.bar(P0, w0, P2, w2);
    double R2 = O.distanceCarre(P0);
    double alpha = 4 * (R2 - O.distanceCarre(P1));
    double beta = (R2 - O.distanceCarre(G)) * std::pow(somme, 2);
    return std::sqrt(-beta / alpha);
}

void RBBP::setR(double a, double b) {
    (void)b;
    R = 0.5 * std::cos(DEUX_PI * a) + 0.5;
}

void RBBP::setG(double a, double b) {
    (void)a;
    G = 0.25 * std::cos(DEUX_PI * b) + 0.5;
}

void RBBP::setB(double a, double b) {
    B = 0.15 * std::cos(DEUX_PI * a * b) + 0.25;
}

void RBBP::setR(double a) {
    R = a;
}
void RBBP::setG(double a) {
    G = a;
}
void RBBP::setB(double a) {
    B = a;
}

void RBBP::openGL(int nbu, int nbv) const {
    std::vector<std::vector<Point>> grille = echantillons(nbu, nbv);
    auto sommet = [&grille](int i, int j) {
        const Point& p = grille[i][j];
        glVertex3f(static_cast<float>(p.getX0()), static_cast<float>(p.getY0()),
                   static_cast<float>(p.getZ0()));
    };
    for (int i = 0; i < nbu; ++i)
        for (int j = 0; j < nbv; ++j) {
            glBegin(GL_QUADS);
            sommet(i, j);
            sommet(i + 1, j);
            sommet(i + 1, j + 1);
            sommet(i, j + 1);
            glEnd();
        }
}

void RBBP::openGLBord(int nbu, int nbv) const {
    openGLBord(nbu, nbv, 1.0f, 0.0f, 0.0f, 3.0f);
}

void RBBP::openGLBord(int nbu, int nbv, float red, float gree, float blue, float size) const {
    RQBC3d courbe;
    glDisable(GL_LIGHTING);
    courbe.init(P[0][0], P[0][1], P[0][2], w[0][0], w[0][1], w[0][2]);
    courbe.openGL1(nbv, red, gree, blue, size);
    courbe.init(P[0][2], P[1][2], P[2][2], w[0][2], w[1][2], w[2][2]);
    courbe.openGL1(nbu, red, gree, blue, size);
    courbe.init(P[2][2], P[2][1], P[2][0], w[2][2], w[2][1], w[2][0]);
    courbe.openGL1(nbv, red, gree, blue, size);
    courbe.init(P[2][0], P[1][0], P[0][0], w[2][0], w[1][0], w[0][0]);
    courbe.openGL1(nbu, red, gree, blue, size);
    glEnable(GL_LIGHTING);
}

void RBBP::openGLPolyedre() const {
    glDisable(GL_LIGHTING);
    for (int i = 0; i < 2; ++i) {
        for (int k = 0; k < 3; ++k)
            P[k][i].trace_segment(P[k][i + 1]);
        for (int j = 0; j < 3; ++j)
            P[i][j].trace_segment(P[i + 1][j], 1.0f, 0.5f, 0.0f, 3.0f);
    }
    glEnable(GL_LIGHTING);
}

void RBBP::afficheW() const {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            std::cout << "w( " << i << " , " << j << " ) = " << w[i][j] << std::endl;
}

void RBBP::afficheP() const {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            std::cout << "P( " << i << " , " << j << " ) = " << P[i][j] << std::endl;
}

void RBBP::affiche() const {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            std::cout << "(P,w)( " << i << " , " << j << " ) = "
                      << " ( " << P[i][j] << " ,  " << w[i][j] << " )" << std::endl;
            std::cout << std::endl;
        }
}
