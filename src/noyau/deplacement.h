// deplacement: a rigid-motion record attached to a Dupin cyclide (no geometry).
#ifndef DEPLACEMENT_H
#define DEPLACEMENT_H

#include "Point.h"
#include "Vecteur.h"

#include <iosfwd>

class deplacement {
  public:
    deplacement();

    void init(double theta, vect u, int n);
    void init(double theta, vect u, int n, Point A, Point B);

    double getAngle() const { return angle; }
    vect getV() const { return v; }
    int getSymX() const { return symX; }
    Point getO1() const { return O1; }
    Point getO2() const { return O2; }
    void putAngle(double x) { angle = x; }
    void putV(vect u) { v = u; }
    void putSymX(int n) { symX = n; }
    void putO1(Point P) { O1 = P; }
    void putO2(Point P) { O2 = P; }

    void affiche() const;

  private:
    double angle;
    int symX;
    vect v;
    Point O1;
    Point O2;
};

// The labelled lines of the five fields.
std::ostream& operator<<(std::ostream& s, deplacement D);

#endif
