#include "noyau/Point.h"

#include "noyau/Fonction.h"

#include <GL/gl.h>

#include <cmath>
#include <iostream>

// ---------------------------------------------------------------------------
// Construction and copy
// ---------------------------------------------------------------------------

Point::Point() : x0(0), y0(0), z0(0), r(0), g(1), b(0) {}

Point::Point(double x, double y, double z) : x0(x), y0(y), z0(z), r(0), g(1), b(0) {}

Point::Point(double x, double y, double z, double r, double g, double b)
    : x0(x), y0(y), z0(z), r(r), g(g), b(b) {}

Point::Point(const Point& p) : x0(p.x0), y0(p.y0), z0(p.z0), r(p.r), g(p.g), b(p.b) {}

void Point::operator=(Point p) {
    init(p);
    r = p.r;
    g = p.g;
    b = p.b;
}

void Point::init(double x, double y, double z) {
    x0 = x;
    y0 = y;
    z0 = z;
}

void Point::init(const Point& p) {
    x0 = p.x0;
    y0 = p.y0;
    z0 = p.z0;
}

vect Point::ToVect() const {
    return vect(x0, y0, z0);
}

// ---------------------------------------------------------------------------
// Operations that return a new point: the result is always green
// ---------------------------------------------------------------------------

Point Point::milieu(Point A) const {
    return Point((x0 + A.x0) / 2, (y0 + A.y0) / 2, (z0 + A.z0) / 2);
}

Point Point::homo(Point O, double k) const {
    return Point(O.x0 + k * (x0 - O.x0), O.y0 + k * (y0 - O.y0), O.z0 + k * (z0 - O.z0));
}

Point Point::homo(Point O, double k1, double k2, double k3) const {
    return Point(O.x0 + k1 * (x0 - O.x0), O.y0 + k2 * (y0 - O.y0), O.z0 + k3 * (z0 - O.z0));
}

Point Point::rotOz(Point O, double angle) const {
    double dx = x0 - O.x0;
    double dy = y0 - O.y0;
    return Point(O.x0 + std::cos(angle) * dx - std::sin(angle) * dy,
                 O.y0 + std::sin(angle) * dx + std::cos(angle) * dy, z0);
}

Point Point::rotOy(Point O, double angle) const {
    double dx = x0 - O.x0;
    double dz = z0 - O.z0;
    return Point(O.x0 + std::cos(angle) * dx + std::sin(angle) * dz, y0,
                 O.z0 - std::sin(angle) * dx + std::cos(angle) * dz);
}

Point Point::sym() const {
    return Point(-x0, -y0, -z0);
}

Point Point::sym(Point p) const {
    return Point(2 * p.x0 - x0, 2 * p.y0 - y0, 2 * p.z0 - z0);
}

Point Point::trans(vect v) const {
    return Point(x0 + v.abs(), y0 + v.ord(), z0 + v.cote());
}

Point Point::trans(Point p) const {
    return Point(x0 + p.x0, y0 + p.y0, z0 + p.z0);
}

Point Point::trans(Point p, Point q) const {
    return Point(x0 + (q.x0 - p.x0), y0 + (q.y0 - p.y0), z0 + (q.z0 - p.z0));
}

// ---------------------------------------------------------------------------
// Operations that store into the receiver: only x0, y0, z0 change
// ---------------------------------------------------------------------------

void Point::milieu(Point A, Point B) {
    init((A.x0 + B.x0) / 2, (A.y0 + B.y0) / 2, (A.z0 + B.z0) / 2);
}

void Point::homo(Point O, double k, Point M) {
    init(M.homo(O, k));
}

void Point::homo(Point O, double k1, double k2, double k3, Point M) {
    init(M.homo(O, k1, k2, k3));
}

void Point::rotOz(Point O, double angle, Point M) {
    init(M.rotOz(O, angle));
}

void Point::rotOy(Point O, double angle, Point M) {
    init(M.rotOy(O, angle));
}

void Point::trans(Point P, vect v) {
    init(P.trans(v));
}

void Point::projOrtho(Point Omega, Point A, Point B) {
    vect v1 = Omega.ToVect() - A.ToVect();
    vect v2 = B.ToVect() - A.ToVect();
    double ps = v1.scalaire(v2);
    std::cout << "\n Valeur absolue du produit scalaire : " << valAbs(ps) << std::endl;
    if (valAbs(ps) < 0.001) {
        init(A);
        return;
    }
    double t = ps / std::pow(A.distance(B), 2);
    init(A.x0 + t * v2.abs(), A.y0 + t * v2.ord(), A.z0 + t * v2.cote());
}

void Point::projOrtho(Point Omega, Point A, vect v) {
    vect w = Omega.ToVect() - A.ToVect();
    double t = w.scalaire(v) / std::pow(v.norme(), 2);
    init(A.x0 + t * v.abs(), A.y0 + t * v.ord(), A.z0 + t * v.cote());
}

void Point::centreCercle(Point P0, Point P1, Point P2) {
    Point I((P0.x0 + P2.x0) / 2, (P0.y0 + P2.y0) / 2, (P0.z0 + P2.z0) / 2);
    vect P1I = P1.ToVect() - I.ToVect();
    vect P1P0 = P1.ToVect() - P0.ToVect();
    double t = std::pow(P0.distance(P1), 2) / P1I.scalaire(P1P0);
    init(P1.x0 + t * (I.x0 - P1.x0), P1.y0 + t * (I.y0 - P1.y0), P1.z0 + t * (I.z0 - P1.z0));
}

void Point::interDtePlan(Point P0, vect v, double a, double b, double c, double d) {
    interDtePlan(P0.x0, P0.y0, P0.z0, v.abs(), v.ord(), v.cote(), a, b, c, d);
}

void Point::interDtePlan(double X0, double Y0, double Z0, double vx, double vy, double vz, double a,
                         double b, double c, double d) {
    double t = -(a * X0 + b * Y0 + c * Z0 + d) / (a * vx + b * vy + c * vz);
    init(X0 + t * vx, Y0 + t * vy, Z0 + t * vz);
}

void Point::CercleInterPlanPy(Point P0, Point P1, double a, double b, double c, double d,
                              double epsilon) {
    (void)b;
    (void)d;
    double l = P0.distance(P1);
    double m = -a / c;
    double n;
    if (epsilon > 0)
        n = l / std::pow(m * m + 1, 0.5);
    else
        n = -l / std::pow(m * m + 1, 0.5);
    init(P1.x0 + n, P1.y0, P1.z0 + m * n);
}

int Point::bar(Point A, double a, Point B, double b) {
    if (a + b == 0) {
        init(A);
        return 0;
    }
    double k = b / (a + b);
    init(A.x0 + k * (B.x0 - A.x0), A.y0 + k * (B.y0 - A.y0), A.z0 + k * (B.z0 - A.z0));
    return 1;
}

int Point::bar(Point A, double a, Point B, double b, Point C, double c) {
    double s = a + b + c;
    if (!(std::fabs(s) > 0.0001)) {
        init(A);
        return 0;
    }
    vect sum = a * A.ToVect() + b * B.ToVect() + c * C.ToVect();
    vect res = (1 / s) * sum;
    init(res.abs(), res.ord(), res.cote());
    return 1;
}

// ---------------------------------------------------------------------------
// Measures
// ---------------------------------------------------------------------------

double Point::distance(Point p) const {
    return std::pow(std::pow(x0 - p.x0, 2) + std::pow(y0 - p.y0, 2) + std::pow(z0 - p.z0, 2), 0.5);
}

double Point::distanceCarre(Point p) const {
    return distance(p) * distance(p);
}

int Point::dansSegment(Point A, Point B) const {
    vect v1 = A.ToVect() - ToVect();
    vect v2 = B.ToVect() - ToVect();
    vect w;
    w.vectoriel(v1, v2);
    if (std::fabs(w.norme()) > 0.0001)
        return 0;
    double s = v1.scalaire(v2);
    int res = (s > 0) ? -1 : 1;
    std::cout << "\n resultat : " << s << std::endl;
    return res;
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

void Point::openGL(int size) const {
    glPointSize(size);
    glColor3d(r, g, b);
    glBegin(GL_POINTS);
    glVertex3d(x0, y0, z0);
    glEnd();
}

void Point::openGL() const {
    openGL(2);
}

void Point::trace_segment(Point P, float red, float green, float blue, float size) const {
    glColor3f(red, green, blue);
    glLineWidth(size);
    glBegin(GL_LINES);
    glVertex3f(static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(z0));
    glVertex3f(static_cast<float>(P.x0), static_cast<float>(P.y0), static_cast<float>(P.z0));
    glEnd();
}

void Point::trace_segment(Point P, float red, float green, float blue) const {
    trace_segment(P, red, green, blue, 2.0f);
}

void Point::trace_segment(Point P) const {
    trace_segment(P, 0.2f, 0.5f, 0.0f, 2.0f);
}

// ---------------------------------------------------------------------------
// Text forms
// ---------------------------------------------------------------------------

void Point::affiche() const {
    std::cout << "\n (" << x0 << " ; " << y0 << " ; " << z0 << " )" << std::endl;
}

std::ostream& operator<<(std::ostream& s, Point P) {
    return s << P.ToVect();
}

std::istream& operator>>(std::istream& s, Point& P) {
    double x = P.getX0(), y = P.getY0(), z = P.getZ0();
    s >> x >> y >> z;
    P.init(x, y, z);
    return s;
}
