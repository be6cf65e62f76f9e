// deplacement: a rigid-motion record attached to a Dupin cyclide (no geometry).
#ifndef CYCLIDE_NOYAU_DEPLACEMENT_H
#define CYCLIDE_NOYAU_DEPLACEMENT_H

#include "noyau/Point.h"
#include "noyau/Vecteur.h"

#include <iosfwd>

class deplacement {
  public:
    // The identity motion.
    // Out: angle 0, no exchange of the principal circles, zero translation,
    // both centres at the origin (green).
    deplacement();

    // Sets angle, translation and flag; the centres are kept.
    // In: theta (radians), u, n (1 exchanges the principal circles).
    void init(double theta, vect u, int n);
    // Sets angle, translation and flag, then both centres (with their
    // colours).
    // In: theta (radians), u, n, the centres A and B.
    void init(double theta, vect u, int n, Point A, Point B);

    // The fields: angle (radians), translation, exchange flag, centres.
    // Out: the stored value. Degenerate: none.
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

    // One line on the standard output: angle, flag and translation; the
    // centres are not printed.
    void affiche() const;

  private:
    double angle;
    int symX;
    vect v;
    Point O1;
    Point O2;
};

// The labelled lines of the five fields.
// Out: angle, translation, flag and the two centres, each labelled, on the
// stream.
std::ostream& operator<<(std::ostream& s, deplacement D);

#endif
