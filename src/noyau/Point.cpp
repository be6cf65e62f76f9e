#include "Point.h"

#include "Fonction.h"

#include <GL/gl.h>

#include <cmath>
#include <iostream>

// ---------------------------------------------------------------------------
// Construction and copy
// ---------------------------------------------------------------------------

// The origin, green.
Point::Point() : x0(0), y0(0), z0(0), r(0), g(1), b(0) {}

// The point (x, y, z), green.
Point::Point(double x, double y, double z) : x0(x), y0(y), z0(z), r(0), g(1), b(0) {}

// The point (x, y, z) with the colour (r, g, b).
Point::Point(double x, double y, double z, double r, double g, double b)
    : x0(x), y0(y), z0(z), r(r), g(g), b(b) {}

// Copies coordinates and colour.
Point::Point(const Point& p) : x0(p.x0), y0(p.y0), z0(p.z0), r(p.r), g(p.g), b(p.b) {}

// Copies coordinates and colour.
void Point::operator=(Point p) {
    init(p);
    r = p.r;
    g = p.g;
    b = p.b;
}

// Sets the coordinates; the colour is kept.
void Point::init(double x, double y, double z) {
    x0 = x;
    y0 = y;
    z0 = z;
}

// Copies p's coordinates; the receiver keeps its own colour.
void Point::init(const Point& p) {
    x0 = p.x0;
    y0 = p.y0;
    z0 = p.z0;
}

// The position vector (x0, y0, z0).
vect Point::ToVect() const {
    return vect(x0, y0, z0);
}

// ---------------------------------------------------------------------------
// Operations that return a new point: the result is always green
// ---------------------------------------------------------------------------

// Midpoint of the receiver and A.
Point Point::milieu(Point A) const {
    return Point((x0 + A.x0) / 2, (y0 + A.y0) / 2, (z0 + A.z0) / 2);
}

// Image of the receiver by the homothety of centre O and ratio k.
Point Point::homo(Point O, double k) const {
    return Point(O.x0 + k * (x0 - O.x0), O.y0 + k * (y0 - O.y0), O.z0 + k * (z0 - O.z0));
}

// Image of the receiver by the axis-wise scaling (k1, k2, k3) about O.
Point Point::homo(Point O, double k1, double k2, double k3) const {
    return Point(O.x0 + k1 * (x0 - O.x0), O.y0 + k2 * (y0 - O.y0), O.z0 + k3 * (z0 - O.z0));
}

// Receiver rotated by angle (radians) about the axis through O parallel to z,
// counter-clockwise seen from +z; z is kept.
Point Point::rotOz(Point O, double angle) const {
    double dx = x0 - O.x0;
    double dy = y0 - O.y0;
    return Point(O.x0 + std::cos(angle) * dx - std::sin(angle) * dy,
                 O.y0 + std::sin(angle) * dx + std::cos(angle) * dy, z0);
}

// Receiver rotated by angle (radians) about the axis through O parallel to y;
// y is kept.
Point Point::rotOy(Point O, double angle) const {
    double dx = x0 - O.x0;
    double dz = z0 - O.z0;
    return Point(O.x0 + std::cos(angle) * dx + std::sin(angle) * dz, y0,
                 O.z0 - std::sin(angle) * dx + std::cos(angle) * dz);
}

// Reflection of the receiver through the origin.
Point Point::sym() const {
    return Point(-x0, -y0, -z0);
}

// Reflection of the receiver through p.
Point Point::sym(Point p) const {
    return Point(2 * p.x0 - x0, 2 * p.y0 - y0, 2 * p.z0 - z0);
}

// Receiver translated by v.
Point Point::trans(vect v) const {
    return Point(x0 + v.abs(), y0 + v.ord(), z0 + v.cote());
}

// Coordinate sum of the receiver and p (p taken as a vector).
Point Point::trans(Point p) const {
    return Point(x0 + p.x0, y0 + p.y0, z0 + p.z0);
}

// Receiver translated by the vector from p to q.
Point Point::trans(Point p, Point q) const {
    return Point(x0 + (q.x0 - p.x0), y0 + (q.y0 - p.y0), z0 + (q.z0 - p.z0));
}

// ---------------------------------------------------------------------------
// Operations that store into the receiver: only x0, y0, z0 change
// ---------------------------------------------------------------------------

// Midpoint of A and B.
void Point::milieu(Point A, Point B) {
    init((A.x0 + B.x0) / 2, (A.y0 + B.y0) / 2, (A.z0 + B.z0) / 2);
}

// Image of M by the homothety of centre O and ratio k.
void Point::homo(Point O, double k, Point M) {
    init(M.homo(O, k));
}

// Image of M by the axis-wise scaling (k1, k2, k3) about O.
void Point::homo(Point O, double k1, double k2, double k3, Point M) {
    init(M.homo(O, k1, k2, k3));
}

// M rotated about the axis through O parallel to z.
void Point::rotOz(Point O, double angle, Point M) {
    init(M.rotOz(O, angle));
}

// M rotated about the axis through O parallel to y.
void Point::rotOy(Point O, double angle, Point M) {
    init(M.rotOy(O, angle));
}

// P translated by v.
void Point::trans(Point P, vect v) {
    init(P.trans(v));
}

// Orthogonal projection of Omega on the line AB. Prints |(Omega - A).(B - A)|
// on every call; when that value is below 0.001 (Omega on the perpendicular at
// A, or A = B) stores A itself, so no division by zero can happen.
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

// Orthogonal projection of Omega on the line A + t v. A zero v gives
// non-finite coordinates.
void Point::projOrtho(Point Omega, Point A, vect v) {
    vect w = Omega.ToVect() - A.ToVect();
    double t = w.scalaire(v) / std::pow(v.norme(), 2);
    init(A.x0 + t * v.abs(), A.y0 + t * v.ord(), A.z0 + t * v.cote());
}

// Centre of the circular arc of control polygon P0 P1 P2 (P1 where the end
// tangents meet): the point of the line P1 I (I the middle of P0 P2) where the
// perpendicular to P1P0 at P0 meets it. Non-finite when P1 lies on the chord.
void Point::centreCercle(Point P0, Point P1, Point P2) {
    Point I((P0.x0 + P2.x0) / 2, (P0.y0 + P2.y0) / 2, (P0.z0 + P2.z0) / 2);
    vect P1I = P1.ToVect() - I.ToVect();
    vect P1P0 = P1.ToVect() - P0.ToVect();
    double t = std::pow(P0.distance(P1), 2) / P1I.scalaire(P1P0);
    init(P1.x0 + t * (I.x0 - P1.x0), P1.y0 + t * (I.y0 - P1.y0), P1.z0 + t * (I.z0 - P1.z0));
}

// Meeting point of the line P0 + t v with the plane ax + by + cz + d = 0.
// Non-finite when v is parallel to the plane.
void Point::interDtePlan(Point P0, vect v, double a, double b, double c, double d) {
    interDtePlan(P0.x0, P0.y0, P0.z0, v.abs(), v.ord(), v.cote(), a, b, c, d);
}

// The same with the point (X0, Y0, Z0) and the direction (vx, vy, vz).
void Point::interDtePlan(double X0, double Y0, double Z0, double vx, double vy, double vz, double a,
                         double b, double c, double d) {
    double t = -(a * X0 + b * Y0 + c * Z0 + d) / (a * vx + b * vy + c * vz);
    init(X0 + t * vx, Y0 + t * vy, Z0 + t * vz);
}

// Point at distance |P0P1| from P1 along +-(1, 0, m), m = -a/c: the direction
// of the plane ax + by + cz + d = 0 inside the plane y = P1.y0. Increasing x
// when epsilon > 0, decreasing x otherwise. Non-finite when c = 0.
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

// Barycentre of (A, a) and (B, b): returns 1. When a + b is exactly 0 stores
// A and returns 0.
int Point::bar(Point A, double a, Point B, double b) {
    if (a + b == 0) {
        init(A);
        return 0;
    }
    double k = b / (a + b);
    init(A.x0 + k * (B.x0 - A.x0), A.y0 + k * (B.y0 - A.y0), A.z0 + k * (B.z0 - A.z0));
    return 1;
}

// Barycentre of (A, a), (B, b), (C, c): returns 1. When |a + b + c| is not
// above 0.0001 stores A and returns 0.
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

// Euclidean distance to p; squares and root through pow.
double Point::distance(Point p) const {
    return std::pow(std::pow(x0 - p.x0, 2) + std::pow(y0 - p.y0, 2) + std::pow(z0 - p.z0, 2), 0.5);
}

// Square of the rooted distance.
double Point::distanceCarre(Point p) const {
    return distance(p) * distance(p);
}

// Position of the receiver M relative to the segment AB: 0 when |MA x MB| is
// above 0.0001 (not aligned, nothing printed); otherwise prints MA.MB and
// returns -1 when it is positive (outside), 1 otherwise (between or on an end).
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

// The point as a GL point of the given size in its own colour.
void Point::openGL(int size) const {
    glPointSize(size);
    glColor3d(r, g, b);
    glBegin(GL_POINTS);
    glVertex3d(x0, y0, z0);
    glEnd();
}

// The point with size 2.
void Point::openGL() const {
    openGL(2);
}

// Segment from the receiver to P in the given colour and width (the points'
// own colours are ignored).
void Point::trace_segment(Point P, float red, float green, float blue, float size) const {
    glColor3f(red, green, blue);
    glLineWidth(size);
    glBegin(GL_LINES);
    glVertex3f(static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(z0));
    glVertex3f(static_cast<float>(P.x0), static_cast<float>(P.y0), static_cast<float>(P.z0));
    glEnd();
}

// Segment of width 2.
void Point::trace_segment(Point P, float red, float green, float blue) const {
    trace_segment(P, red, green, blue, 2.0f);
}

// Segment of width 2 in the colour (0.2, 0.5, 0).
void Point::trace_segment(Point P) const {
    trace_segment(P, 0.2f, 0.5f, 0.0f, 2.0f);
}

// ---------------------------------------------------------------------------
// Text forms
// ---------------------------------------------------------------------------

// Prints "\n (x ; y ; z )" and an end of line.
void Point::affiche() const {
    std::cout << "\n (" << x0 << " ; " << y0 << " ; " << z0 << " )" << std::endl;
}

// The coordinates separated by single spaces; no colour, no newline.
std::ostream& operator<<(std::ostream& s, Point P) {
    return s << P.ToVect();
}

// Reads three doubles into the coordinates; the colour is kept.
std::istream& operator>>(std::istream& s, Point& P) {
    double x = P.getX0(), y = P.getY0(), z = P.getZ0();
    s >> x >> y >> z;
    P.init(x, y, z);
    return s;
}
