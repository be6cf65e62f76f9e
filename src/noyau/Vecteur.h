// vect: a free 3D vector of three doubles.
//
// Contracts: Units are those of the components (lengths of the model) unless
// said; no operation has a frame of its own: results are in the frame of the
// operands. Non-numbers propagate through every operation.
#ifndef CYCLIDE_NOYAU_VECTEUR_H
#define CYCLIDE_NOYAU_VECTEUR_H

#include <iosfwd>

class vect {
  public:
    // The zero vector.
    // Out: (0, 0, 0).
    vect();
    // The vector (x0, y0, z0).
    // In: the three components. Out: the vector, components stored as given.
    vect(double x0, double y0, double z0);
    vect(const vect& u) = default;

    // The components x, y, z.
    // Out: the stored component. Degenerate: none.
    double abs() const { return x; }
    double ord() const { return y; }
    double cote() const { return z; }
    // Sets the three components.
    // In: x0, y0, z0. Out: the receiver holds them.
    void init(double x0, double y0, double z0);

    // Copies u into the receiver.
    // In: u. Out: the receiver equals u; returns nothing.
    void operator=(vect u);

    // Dot product of the receiver with c.
    // In: c. Out: receiver . c. Units: length squared.
    double scalaire(vect c) const;
    // Cross product.
    // In: c, d. Out: the receiver holds c x d (c and d may be the receiver).
    // Units: length squared.
    void vectoriel(vect c, vect d);
    // Scalar multiple.
    // In: c, d. Out: the receiver holds c.d.
    void vectoriel(double c, vect d);
    // Euclidean length; the squares and the root go through pow.
    // Out: |receiver| >= 0. Degenerate: infinite when a square overflows.
    double norme() const;

    // Prints the three components, each on its own line, after an empty line.
    // Out: on the standard output: endl, x, endl, y, endl, z, endl.
    void affiche() const;

  private:
    double x;
    double y;
    double z;
};

// Componentwise sum u + v.
// In: u, v. Out: the new vector.
vect operator+(vect u, vect v);
// Componentwise difference u - v.
// In: u, v. Out: the new vector.
vect operator-(vect u, vect v);
// Opposite vector -v.
// In: v. Out: the new vector.
vect operator-(vect v);
// Scalar multiple k.u; only the form with the scalar on the left exists.
// In: k, u. Out: the new vector.
vect operator*(double k, vect u);

// Text form.
// In: the stream, c. Out: x, y, z separated by single spaces; no newline.
std::ostream& operator<<(std::ostream& s, vect c);
// Reads three whitespace-separated doubles.
// In: the stream. Out: c holds them. Degenerate: a failed extraction leaves
// the stream failed for the caller to see, as reading into the fields would.
std::istream& operator>>(std::istream& s, vect& c);

#endif
