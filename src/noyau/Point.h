// Point: a 3D point that carries an RGB colour.
//
// Colour rule: an operation that returns a new Point builds it from its
// coordinates alone, so it has the default colour green (0, 1, 0); an
// operation that stores its result in the receiver changes only x0, y0, z0.
//
// Contracts: lengths in the units of the coordinates, angles in radians;
// every point in the frame of the operands. Non-numbers propagate unless
// said.
#ifndef CYCLIDE_NOYAU_POINT_H
#define CYCLIDE_NOYAU_POINT_H

#include "noyau/Vecteur.h"

#include <iosfwd>

class Point {
  public:
    // The origin, or the point (x, y, z), green; or with the colour
    // (r, g, b) (each in [0, 1] for drawing); or a copy of coordinates and
    // colour.
    Point();                             // (0, 0, 0), green
    Point(double x, double y, double z); // green
    Point(double x, double y, double z, double r, double g, double b);
    Point(const Point& p);

    // Copies all six fields; returns nothing.
    void operator=(Point p);

    // Coordinates (getX0 = abs, getY0 = ord, getZ0 = cote) and colour.
    // Out: the stored value; setters store v. Degenerate: none.

    double getX0() const { return x0; }
    double getY0() const { return y0; }
    double getZ0() const { return z0; }
    double abs() const { return x0; }
    double ord() const { return y0; }
    double cote() const { return z0; }
    double getR() const { return r; }
    double getG() const { return g; }
    double getB() const { return b; }
    void setX0(double v) { x0 = v; }
    void setY0(double v) { y0 = v; }
    void setZ0(double v) { z0 = v; }
    void setR(double v) { r = v; }
    void setG(double v) { g = v; }
    void setB(double v) { b = v; }
    // Sets the coordinates; the colour is kept.
    void init(double x, double y, double z);
    // Copies p's coordinates, not its colour.
    void init(const Point& p);
    // Out: the position vector (x0, y0, z0).
    vect ToVect() const;

    // --- Operations that return a new point (default colour) -------------
    // Out: the midpoint of the receiver and A.
    Point milieu(Point A) const;
    // Out: the image of the receiver by the homothety of centre O and ratio
    // k, or by the axis-wise scaling (k1, k2, k3) about O.
    Point homo(Point O, double k) const;
    Point homo(Point O, double k1, double k2, double k3) const;
    // Out: the receiver rotated by angle about the axis through O parallel
    // to z (counter-clockwise seen from +z; z kept), or to y (y kept).
    // Units: radians.
    Point rotOz(Point O, double angle) const;
    Point rotOy(Point O, double angle) const;
    // Out: the reflection of the receiver through the origin, or through p.
    Point sym() const;
    Point sym(Point p) const;
    // Out: the receiver translated by v; by p taken as a vector (coordinate
    // sum); by the vector from p to q.
    Point trans(vect v) const;
    Point trans(Point p) const;
    Point trans(Point p, Point q) const;

    // --- Operations that store into the receiver (colour kept) -----------
    // Out (stored): the midpoint of A and B; the image of M by the
    // homothety (O, k) or the scaling (k1, k2, k3) about O; M rotated by
    // angle (radians) about the axis through O parallel to z or y; P
    // translated by v.
    void milieu(Point A, Point B);
    void homo(Point O, double k, Point M);
    void homo(Point O, double k1, double k2, double k3, Point M);
    void rotOz(Point O, double angle, Point M);
    void rotOy(Point O, double angle, Point M);
    void trans(Point P, vect v);
    // Orthogonal projection of Omega on the line AB.
    // Out (stored): the foot; prints |(Omega - A).(B - A)| on every call.
    // Degenerate: when that value is below 0.001 (Omega on the
    // perpendicular at A, or A = B) stores A itself, so no division by zero
    // can happen.
    void projOrtho(Point Omega, Point A, Point B);
    // Orthogonal projection of Omega on the line A + t v (no threshold, no
    // printing). Degenerate: a zero v gives non-finite coordinates.
    void projOrtho(Point Omega, Point A, vect v);
    // Centre of the circular arc of control polygon P0 P1 P2 (P1 where the
    // end tangents meet): the point of the line P1 I (I the middle of P0 P2)
    // where the perpendicular to P1P0 at P0 meets it.
    // Out (stored): the centre. Degenerate: non-finite when P1 lies on the
    // chord.
    void centreCercle(Point P0, Point P1, Point P2);
    // Meeting point of the line P0 + t v, or (X0, Y0, Z0) + t (vx, vy, vz),
    // with the plane a x + b y + c z + d = 0.
    // Out (stored): the point. Degenerate: non-finite when the line is
    // parallel to the plane.
    void interDtePlan(Point P0, vect v, double a, double b, double c, double d);
    void interDtePlan(double X0, double Y0, double Z0, double vx, double vy, double vz, double a,
                      double b, double c, double d);
    // Point of the plane y = y1 at distance |P0 P1| from P1 along the line of
    // slope -a / c of the plane a x + b y + c z + d = 0 (b and d play no
    // part), on the side of x given by the sign of epsilon.
    // Out (stored): (x1 + n, y1, z1 - a n / c), n = +-|P0 P1| / sqrt(1 +
    // (a / c)^2). Degenerate: c = 0 gives non-finite coordinates.
    void CercleInterPlanPy(Point P0, Point P1, double a, double b, double c, double d,
                           double epsilon);
    // Weighted barycentre of (A, a) and (B, b).
    // Out: 1 and the barycentre stored. Degenerate: when a + b is exactly 0,
    // 0 and A stored.
    int bar(Point A, double a, Point B, double b);
    // Weighted barycentre of (A, a), (B, b), (C, c).
    // Out: 1 and the barycentre stored. Degenerate: when |a + b + c| <=
    // 0.0001, 0 and A stored.
    int bar(Point A, double a, Point B, double b, Point C, double c);

    // --- Measures --------------------------------------------------------
    // Euclidean distance to p, squares and root through pow.
    // Out: >= 0. Degenerate: infinite when a square overflows.
    double distance(Point p) const;
    // distance(p) * distance(p) (the square of the rooted distance).
    // Units: length squared.
    double distanceCarre(Point p) const;
    // Position of the receiver M relative to the segment AB.
    // Out: 0 when |MA x MB| is above 0.0001 (not aligned, nothing printed);
    // otherwise prints MA.MB and gives -1 when it is positive (outside), 1
    // otherwise (between or on an end).
    int dansSegment(Point A, Point B) const;

    // --- Drawing (immediate-mode OpenGL) ---------------------------------
    // The point as a GL point of the given size (2 by default) in its own
    // colour.
    void openGL(int size) const;
    void openGL() const;
    // Segment from the receiver to P in the given colour and width (2 by
    // default; colour (0.2, 0.5, 0) by default); the points' own colours
    // are ignored.
    void trace_segment(Point P, float red, float green, float blue, float size) const;
    void trace_segment(Point P, float red, float green, float blue) const;
    void trace_segment(Point P) const;

    // "\n (" x0 " ; " y0 " ; " z0 " )" endl on the standard output.
    void affiche() const;

  private:
    double x0;
    double y0;
    double z0;
    double r;
    double g;
    double b;
};

// Text form.
// Out: the coordinates x0, y0, z0 separated by single spaces; no colour, no
// newline.
std::ostream& operator<<(std::ostream& s, Point P);
// Reads three doubles into the coordinates; the colour is kept.
// Degenerate: a failed extraction leaves the stream failed, as reading into
// the fields would.
std::istream& operator>>(std::istream& s, Point& P);

#endif
