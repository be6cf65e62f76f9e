#include "Vecteur.h"

#include <cmath>
#include <iostream>

// The zero vector.
vect::vect() : x(0), y(0), z(0) {}

// The vector (x0, y0, z0).
vect::vect(double x0, double y0, double z0) : x(x0), y(y0), z(z0) {}

// Sets the three components.
void vect::init(double x0, double y0, double z0) {
    x = x0;
    y = y0;
    z = z0;
}

// Copies u into the receiver.
void vect::operator=(vect u) {
    x = u.x;
    y = u.y;
    z = u.z;
}

// Dot product of the receiver with c.
double vect::scalaire(vect c) const {
    return x * c.x + y * c.y + z * c.z;
}

// Stores the cross product c x d in the receiver.
void vect::vectoriel(vect c, vect d) {
    double cx = c.y * d.z - c.z * d.y;
    double cy = c.z * d.x - c.x * d.z;
    double cz = c.x * d.y - c.y * d.x;
    x = cx;
    y = cy;
    z = cz;
}

// Stores the scalar multiple c.d in the receiver.
void vect::vectoriel(double c, vect d) {
    x = c * d.x;
    y = c * d.y;
    z = c * d.z;
}

// Euclidean length; the squares and the root go through pow. Never fails.
double vect::norme() const {
    return std::pow(std::pow(x, 2) + std::pow(y, 2) + std::pow(z, 2), 0.5);
}

// Prints the three components, each on its own line, after an empty line.
void vect::affiche() const {
    std::cout << std::endl << x << std::endl << y << std::endl << z << std::endl;
}

// Componentwise sum u + v.
vect operator+(vect u, vect v) {
    return vect(u.abs() + v.abs(), u.ord() + v.ord(), u.cote() + v.cote());
}

// Componentwise difference u - v.
vect operator-(vect u, vect v) {
    return vect(u.abs() - v.abs(), u.ord() - v.ord(), u.cote() - v.cote());
}

// Opposite vector -v.
vect operator-(vect v) {
    return vect(-v.abs(), -v.ord(), -v.cote());
}

// Scalar multiple k.u.
vect operator*(double k, vect u) {
    return vect(k * u.abs(), k * u.ord(), k * u.cote());
}

// Text form: x, y and z separated by single spaces, no newline.
std::ostream& operator<<(std::ostream& s, vect c) {
    s << c.abs() << " " << c.ord() << " " << c.cote();
    return s;
}

// Reads three whitespace-separated doubles; the stream state is left to the caller.
std::istream& operator>>(std::istream& s, vect& c) {
    double x = c.abs(), y = c.ord(), z = c.cote();
    s >> x >> y >> z;
    c.init(x, y, z);
    return s;
}
