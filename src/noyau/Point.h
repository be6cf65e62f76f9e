// Point: a 3D point that carries an RGB colour.
//
// Colour rule: an operation that returns a new Point builds it from its
// coordinates alone, so it has the default colour green (0, 1, 0); an
// operation that stores its result in the receiver changes only x0, y0, z0.
#ifndef POINT_H
#define POINT_H

#include "Vecteur.h"

#include <iosfwd>

class Point {
  public:
    Point();                             // (0, 0, 0), green
    Point(double x, double y, double z); // green
    Point(double x, double y, double z, double r, double g, double b);
    Point(const Point& p);

    // Copies all six fields; returns nothing.
    void operator=(Point p);

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
    void init(double x, double y, double z);
    // Copies p's coordinates, not its colour.
    void init(const Point& p);
    vect ToVect() const;

    // --- Operations that return a new point (default colour) -------------
    Point milieu(Point A) const;
    Point homo(Point O, double k) const;
    Point homo(Point O, double k1, double k2, double k3) const;
    Point rotOz(Point O, double angle) const;
    Point rotOy(Point O, double angle) const;
    Point sym() const;
    Point sym(Point p) const;
    Point trans(vect v) const;
    Point trans(Point p) const;
    Point trans(Point p, Point q) const;

    // --- Operations that store into the receiver (colour kept) -----------
    void milieu(Point A, Point B);
    void homo(Point O, double k, Point M);
    void homo(Point O, double k1, double k2, double k3, Point M);
    void rotOz(Point O, double angle, Point M);
    void rotOy(Point O, double angle, Point M);
    void trans(Point P, vect v);
    // Projection of Omega on the line AB; prints the dot product's absolute
    // value; stores A when it is below 0.001.
    void projOrtho(Point Omega, Point A, Point B);
    // Projection of Omega on the line A + t v (no threshold, no printing).
    void projOrtho(Point Omega, Point A, vect v);
    // Centre of the circular arc with control polygon P0 P1 P2.
    void centreCercle(Point P0, Point P1, Point P2);
    void interDtePlan(Point P0, vect v, double a, double b, double c, double d);
    void interDtePlan(double X0, double Y0, double Z0, double vx, double vy, double vz, double a,
                      double b, double c, double d);
    void CercleInterPlanPy(Point P0, Point P1, double a, double b, double c, double d,
                           double epsilon);
    // Weighted barycentre; 0 (and A stored) when a + b is exactly 0, else 1.
    int bar(Point A, double a, Point B, double b);
    // Weighted barycentre; 0 (and A stored) when |a + b + c| <= 0.0001, else 1.
    int bar(Point A, double a, Point B, double b, Point C, double c);

    // --- Measures --------------------------------------------------------
    double distance(Point p) const;
    // distance(p) * distance(p).
    double distanceCarre(Point p) const;
    // 0 when not aligned with A and B, 1 between them, -1 outside.
    int dansSegment(Point A, Point B) const;

    // --- Drawing (immediate-mode OpenGL) ---------------------------------
    void openGL(int size) const;
    void openGL() const;
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

// The coordinates x0, y0, z0 separated by single spaces; no colour, no
// newline.
std::ostream& operator<<(std::ostream& s, Point P);
// Reads three doubles into the coordinates; the colour is kept. A failed
// extraction leaves the stream failed, as reading into the fields would.
std::istream& operator>>(std::istream& s, Point& P);

#endif
