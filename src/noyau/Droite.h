// Droite: the line P + t V of 3D space (V not normalised).
//
// Contracts: lengths in the units of the coordinates; every point and line
// in the frame of the operands; non-numbers propagate unless said.
#ifndef CYCLIDE_NOYAU_DROITE_H
#define CYCLIDE_NOYAU_DROITE_H

#include "noyau/Point.h"
#include "noyau/Vecteur.h"

#include <iosfwd>

class Droite {
  public:
    // The line through the origin with direction (1, 1, 1), green.
    Droite(); // through the origin, direction (1, 1, 1), green
    // The line Pt + t Vt, green; Pt keeps its own colour.
    Droite(Point Pt, vect Vt);
    // The line Pt + t Vt with the line colour (r, g, b).
    Droite(Point Pt, vect Vt, double r, double g, double b);
    // Copies base point, direction and colour.
    Droite(const Droite& D);

    // P and V from D (the base point with its colour); the receiver's own
    // colour r, g, b is kept. Returns nothing.
    void operator=(Droite D);

    // Base point, direction and line colour.
    // Out: the stored value. Degenerate: none.
    Point getP() const { return P; }
    vect getV() const { return V; }
    double getR() const { return r; }
    double getG() const { return g; }
    double getB() const { return b; }
    // Replaces the base point (coordinates and colour).
    void setP(Point Pt);
    // Replaces the direction.
    void setV(vect Vt);
    void setR(double v) { r = v; }
    void setG(double v) { g = v; }
    void setB(double v) { b = v; }
    // Replaces base point and direction; the line colour is kept.
    void init(Point Pt, vect Vt);

    // Distance from a point to the line, through its orthogonal projection.
    // In: Pt. Out: the distance >= 0. Degenerate: a zero direction gives a
    // non-finite result.
    double distPointDroite(Point Pt) const;
    // Meeting point of the receiver P1 + s V1 and D2 = P2 + t V2, for lines
    // known to meet: t from two coordinate equations chosen by pivot tests.
    // In: D2. Out: P2 + t V2 in the colour of P1.
    // Degenerate: base points closer than 0.0001 give P1; parallel lines
    // divide by zero (non-finite point); when no pivot applies (both lines
    // parallel to z, or a receiver direction with every component within
    // 0.00001 of 0) the receiver's base point P1 is returned unchanged.
    Point intersect2DroitesSecantes(Droite D2) const;
    // Meeting point of the xy projections of the receiver P1 + t V1 and of
    // D = P2 + s V2, lifted onto the receiver at parameter t.
    // In: D. Out: the point, green. Degenerate: parallel projections divide
    // by zero (non-finite point).
    Point intersectDroite(Droite D) const;
    // Orthogonal projection of Pt on the line.
    // In: Pt. Out: the foot, green. Degenerate: a zero direction gives a
    // non-finite point.
    Point projete(Point Pt) const;

    // Draws the piece from P - m V to P + m V as two segments from P (colour
    // (0.2, 0.5, 0), width 2), then P as a GL point of size 10 in its colour.
    // In: m, in units of |V|.
    void traceDroite(double m) const;
    // Draws the piece from P - 2 V to P + 2 V.
    void traceDroite() const;
    // Prints a title line, then the base point and the direction on their
    // own labelled lines, on the standard output.
    void affiche() const;

  private:
    Point P;
    vect V;
    double r;
    double g;
    double b;
};

// Text form.
// Out: base point, end of line, direction, end of line; no colour.
std::ostream& operator<<(std::ostream& s, Droite D);
// Reads the base point's coordinates (its colour is kept), then the
// direction. Degenerate: a failed extraction leaves the stream failed.
std::istream& operator>>(std::istream& s, Droite& D);

#endif
