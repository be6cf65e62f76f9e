// Droite: the line P + t V of 3D space (V not normalised).
#ifndef DROITE_H
#define DROITE_H

#include "Point.h"
#include "Vecteur.h"

#include <iosfwd>

class Droite {
  public:
    Droite(); // through the origin, direction (1, 1, 1), green
    Droite(Point Pt, vect Vt);
    Droite(Point Pt, vect Vt, double r, double g, double b);
    Droite(const Droite& D);

    // P and V from D; the receiver's own colour r, g, b is kept.
    void operator=(Droite D);

    Point getP() const { return P; }
    vect getV() const { return V; }
    double getR() const { return r; }
    double getG() const { return g; }
    double getB() const { return b; }
    void setP(Point Pt);
    void setV(vect Vt);
    void setR(double v) { r = v; }
    void setG(double v) { g = v; }
    void setB(double v) { b = v; }
    void init(Point Pt, vect Vt);

    double distPointDroite(Point Pt) const;
    // Meeting point of the receiver and D2, for lines known to meet.
    Point intersect2DroitesSecantes(Droite D2) const;
    // Meeting point of the xy projections, lifted onto the receiver.
    Point intersectDroite(Droite D) const;
    // Orthogonal projection of Pt on the line.
    Point projete(Point Pt) const;

    void traceDroite(double m) const;
    void traceDroite() const;
    void affiche() const;

  private:
    Point P;
    vect V;
    double r;
    double g;
    double b;
};

// Base point, end of line, direction, end of line; no colour.
std::ostream& operator<<(std::ostream& s, Droite D);
// Reads the base point's coordinates (its colour is kept), then the
// direction.
std::istream& operator>>(std::istream& s, Droite& D);

#endif
