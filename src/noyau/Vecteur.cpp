#include "noyau/Vecteur.h"

#include <cmath>
#include <iostream>

vect::vect() : x(0), y(0), z(0) {}

vect::vect(double x0, double y0, double z0) : x(x0), y(y0), z(z0) {}

void vect::init(double x0, double y0, double z0) {
    x = x0;
    y = y0;
    z = z0;
}

void vect::operator=(vect u) {
    x = u.x;
    y = u.y;
    z = u.z;
}

double vect::scalaire(vect c) const {
    return x * c.x + y * c.y + z * c.z;
}

void vect::vectoriel(vect c, vect d) {
    double cx = c.y * d.z - c.z * d.y;
    double cy = c.z * d.x - c.x * d.z;
    double cz = c.x * d.y - c.y * d.x;
    x = cx;
    y = cy;
    z = cz;
}

void vect::vectoriel(double c, vect d) {
    x = c * d.x;
    y = c * d.y;
    z = c * d.z;
}

double vect::norme() const {
    return std::pow(std::pow(x, 2) + std::pow(y, 2) + std::pow(z, 2), 0.5);
}

void vect::affiche() const {
    std::cout << std::endl << x << std::endl << y << std::endl << z << std::endl;
}

vect operator+(vect u, vect v) {
    return vect(u.abs() + v.abs(), u.ord() + v.ord(), u.cote() + v.cote());
}

vect operator-(vect u, vect v) {
    return vect(u.abs() - v.abs(), u.ord() - v.ord(), u.cote() - v.cote());
}

vect operator-(vect v) {
    return vect(-v.abs(), -v.ord(), -v.cote());
}

vect operator*(double k, vect u) {
    return vect(k * u.abs(), k * u.ord(), k * u.cote());
}

std::ostream& operator<<(std::ostream& s, vect c) {
    s << c.abs() << " " << c.ord() << " " << c.cote();
    return s;
}

std::istream& operator>>(std::istream& s, vect& c) {
    double x = c.abs(), y = c.ord(), z = c.cote();
    s >> x >> y >> z;
    c.init(x, y, z);
    return s;
}
