// vect: a free 3D vector of three doubles.
#ifndef VECTEUR_H
#define VECTEUR_H

#include <iosfwd>

class vect {
  public:
    // (0, 0, 0).
    vect();
    vect(double x0, double y0, double z0);
    vect(const vect& u) = default;

    double abs() const { return x; }
    double ord() const { return y; }
    double cote() const { return z; }
    void init(double x0, double y0, double z0);

    // Copies u into the receiver; returns nothing.
    void operator=(vect u);

    // Dot product receiver . c.
    double scalaire(vect c) const;
    // Stores the cross product c x d in the receiver.
    void vectoriel(vect c, vect d);
    // Stores the scalar multiple c.d in the receiver.
    void vectoriel(double c, vect d);
    // Euclidean length, squares and root through pow.
    double norme() const;

    // On the standard output: endl, x, endl, y, endl, z, endl.
    void affiche() const;

  private:
    double x;
    double y;
    double z;
};

vect operator+(vect u, vect v);
vect operator-(vect u, vect v);
vect operator-(vect v);
// Only the form with the scalar on the left exists.
vect operator*(double k, vect u);

// x, y, z separated by single spaces; no newline.
std::ostream& operator<<(std::ostream& s, vect c);
// Reads three whitespace-separated doubles; a failed extraction leaves the
// stream failed for the caller to see, as reading into the fields would.
std::istream& operator>>(std::istream& s, vect& c);

#endif
