#include "RBBP.h"

#include "BernsteinSurface.h"
#include "Constantes.h"
#include "RQBC3d.h"

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

// Default patch: nine green points (1, 2, 3) (a patch collapsed to one point),
// all weights 1, the three colours (1.0, 0.25, 0.0).
RBBP::RBBP() : R(1.0), G(0.25), B(0.0), Rd(1.0), Gd(0.25), Bd(0.0), Rs(1.0), Gs(0.25), Bs(0.0) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            P[i][j] = Point(1, 2, 3);
            w[i][j] = 1;
        }
}

// Same patch as the default constructor; the value is not used.
RBBP::RBBP(double valeur) : RBBP() {
    (void)valeur;
}

// Weighted numerators sum of Bij(u, v) w[i][j] P[i][j], one coordinate each,
// summed row by row from (0, 0) to (2, 2). Non-finite inputs propagate.
double RBBP::numX(double u, double v) const {
    return numerateur(*this, u, v, [](const Point& p) { return p.getX0(); });
}

double RBBP::numY(double u, double v) const {
    return numerateur(*this, u, v, [](const Point& p) { return p.getY0(); });
}

double RBBP::numZ(double u, double v) const {
    return numerateur(*this, u, v, [](const Point& p) { return p.getZ0(); });
}

// Reciprocal of the weight sum D(u, v) = sum of Bij(u, v) w[i][j] (same
// order as the numerators). A sum of exactly 0 gives 1 instead of a division
// by zero.
double RBBP::den(double u, double v) const {
    double d = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            d += BASE[i][j](u, v) * w[i][j];
    if (d == 0)
        return 1;
    return 1 / d;
}

// The patch point at (u, v), (numX den, numY den, numZ den), as a new green
// point. The nine Bernstein values are evaluated once and the four sums are
// formed with the very operations and order of numX, numY, numZ and den, so
// the point is the same to the last bit.
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

// The (nbu + 1) x (nbv + 1) patch points at u = i / nbu, v = j / nbv, row i
// following u. A zero count gives one row (or column) at the parameter 0 / 0;
// a negative count gives an empty grid.
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

// Middle weight of the circular arc from P0 to P2 whose end tangents meet at
// P1, for end weights 1: the cosine of the angle at P0 between P0P1 and the
// chord P0P2. Returns 1 when the tangent lengths differ (squares 0.0001 or
// more apart); P2 equal to P0 gives 0 / 0.
double RBBP::calcW(Point P0, Point P1, Point P2) const {
    if (!tangentesEgales(P0, P1, P2))
        return 1;
    vect tangente = P1.ToVect() - P0.ToVect();
    vect corde = P2.ToVect() - P0.ToVect();
    return tangente.scalaire(corde) / (P0.distance(P1) * P0.distance(P2));
}

// Middle weight w1 that puts the curve (P0, w0), (P1, w1), (P2, w2) on the
// circle of centre O through P0, from the curve point at 1/2. Returns 1 when
// the tangent lengths differ; no other guard: P1 on the circle gives an
// infinite or NaN weight, a negative radicand NaN.
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

// Colour channels from two parameters a, b (any doubles).
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

// One-parameter forms: store the value in the channel as it is.
void RBBP::setR(double a) {
    R = a;
}
void RBBP::setG(double a) {
    G = a;
}
void RBBP::setB(double a) {
    B = a;
}

// The surface as nbu x nbv quadrilaterals through the samples of
// echantillons(nbu, nbv), one GL_QUADS pair each, vertices (i, j), (i + 1, j),
// (i + 1, j + 1), (i, j + 1). No colour, material or normal is issued and
// lighting is not touched. A zero or negative count draws nothing.
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

// The four boundary curves in red, width 3.
void RBBP::openGLBord(int nbu, int nbv) const {
    openGLBord(nbu, nbv, 1.0f, 0.0f, 0.0f, 3.0f);
}

// The four boundary curves once around the patch, lighting off: u = 0 from
// v = 0 to 1 (nbv segments), v = 1 from u = 0 to 1 (nbu), u = 1 from v = 1 to
// 0 (nbv), v = 0 from u = 1 to 0 (nbu), each in colour (red, gree, blue) and
// width size. Lighting is left enabled.
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

// The control net, lighting off: for i = 0 then 1, the three segments along
// v of column pair (i, i + 1) in the default segment colour (width 2), then
// the three along u of row pair (i, i + 1) in orange, width 3. Lighting is
// left enabled.
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

// The nine weights, one line each: "w( i , j ) = " and the weight.
void RBBP::afficheW() const {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            std::cout << "w( " << i << " , " << j << " ) = " << w[i][j] << std::endl;
}

// The nine control points, one line each: "P( i , j ) = " and the point's
// coordinates.
void RBBP::afficheP() const {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            std::cout << "P( " << i << " , " << j << " ) = " << P[i][j] << std::endl;
}

// The nine points with their weights, each entry followed by an empty line.
void RBBP::affiche() const {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            std::cout << "(P,w)( " << i << " , " << j << " ) = "
                      << " ( " << P[i][j] << " ,  " << w[i][j] << " )" << std::endl;
            std::cout << std::endl;
        }
}
