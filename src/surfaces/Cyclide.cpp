#include "surfaces/Cyclide.h"

#include "noyau/Constantes.h"
#include "noyau/Fonction.h"

#include <cmath>
#include <cstddef>
#include <typeinfo>
#include <vector>

Cyclide::Cyclide() : Cyclide(0, DEUX_PI, 0, DEUX_PI, 2, 0, 1) {}

Cyclide::Cyclide(double u0, double u1, double v0, double v1, double a_, double c_, double mu_)
    : surface_para() {
    u_min = u0;
    u_max = u1;
    v_min = v0;
    v_max = v1;
    UMAX = 80;
    VMAX = 80;
    a = a_;
    c = c_;
    mu = mu_;
    b = std::pow(a * a - c * c, 0.5);
}

Cyclide::~Cyclide() = default;

double Cyclide::angleTheta(double u) {
    return f_aff(0, UMAX, u_min, u_max, u);
}
double Cyclide::anglePsi(double v) {
    return f_aff(0, VMAX, v_min, v_max, v);
}

double Cyclide::deno(double u, double v) {
    const double theta = angleTheta(u), psi = anglePsi(v);
    return a - c * std::cos(theta) * std::cos(psi);
}

double Cyclide::fx(double u, double v) {
    const double theta = angleTheta(u), psi = anglePsi(v);
    const double D = deno(u, v);
    return (mu * (c - a * std::cos(theta) * std::cos(psi)) + b * b * std::cos(theta)) / D;
}
double Cyclide::fy(double u, double v) {
    const double theta = angleTheta(u), psi = anglePsi(v);
    const double D = deno(u, v);
    return b * std::sin(theta) * (a - mu * std::cos(psi)) / D;
}
double Cyclide::fz(double u, double v) {
    const double theta = angleTheta(u), psi = anglePsi(v);
    const double D = deno(u, v);
    return b * std::sin(psi) * (c * std::cos(theta) - mu) / D;
}

double Cyclide::dxdu(double u, double v) {
    const double theta = angleTheta(u), psi = anglePsi(v);
    const double du = df_aff(0, UMAX, u_min, u_max), D = deno(u, v);
    return b * b * std::sin(theta) * (mu * std::cos(psi) - a) * du / std::pow(D, 2);
}
double Cyclide::dydu(double u, double v) {
    const double theta = angleTheta(u), psi = anglePsi(v);
    const double du = df_aff(0, UMAX, u_min, u_max), D = deno(u, v);
    return b * (a - mu * std::cos(psi)) * (a * std::cos(theta) - c * std::cos(psi)) * du /
           std::pow(D, 2);
}
double Cyclide::dzdu(double u, double v) {
    const double theta = angleTheta(u), psi = anglePsi(v);
    const double du = df_aff(0, UMAX, u_min, u_max), D = deno(u, v);
    return b * c * std::sin(theta) * std::sin(psi) * (mu * std::cos(psi) - a) * du / std::pow(D, 2);
}

double Cyclide::dxdv(double u, double v) {
    const double theta = angleTheta(u), psi = anglePsi(v);
    const double dv = df_aff(0, VMAX, v_min, v_max), D = deno(u, v);
    return (mu * (a * a) - mu * (c * c) - b * b * c * std::cos(theta)) * std::cos(theta) *
           std::sin(psi) * dv / std::pow(D, 2);
}
double Cyclide::dydv(double u, double v) {
    const double theta = angleTheta(u), psi = anglePsi(v);
    const double dv = df_aff(0, VMAX, v_min, v_max), D = deno(u, v);
    return -a * b * std::sin(theta) * std::sin(psi) * (c * std::cos(theta) - mu) * dv /
           std::pow(D, 2);
}
double Cyclide::dzdv(double u, double v) {
    const double theta = angleTheta(u), psi = anglePsi(v);
    const double dv = df_aff(0, VMAX, v_min, v_max), D = deno(u, v);
    return b * (c * std::cos(theta) - mu) * (a * std::cos(psi) - c * std::cos(theta)) * dv /
           std::pow(D, 2);
}

double Cyclide::gradx(double u, double v) {
    x = fx(u, v);
    y = fy(u, v);
    z = fz(u, v);
    const double S = carre(x) + carre(y) + carre(z) - carre(mu) - carre(b);
    return 4 * x * S - 8 * c * (c * x - a * mu);
}
double Cyclide::grady(double u, double v) {
    x = fx(u, v);
    y = fy(u, v);
    z = fz(u, v);
    const double S = carre(x) + carre(y) + carre(z) - carre(mu) - carre(b);
    return 4 * y * S;
}
double Cyclide::gradz(double u, double v) {
    x = fx(u, v);
    y = fy(u, v);
    z = fz(u, v);
    const double S = carre(x) + carre(y) + carre(z) - carre(mu) - carre(b);
    return 4 * z * S + 8 * carre(b) * z;
}

double Cyclide::grad1x(double u, double v) {
    return -gradx(u, v);
}
double Cyclide::grad1y(double u, double v) {
    return -grady(u, v);
}
double Cyclide::grad1z(double u, double v) {
    return -gradz(u, v);
}

// The tessellation's grid: theta at each row index and psi at each column
// index through f_aff, as fx does, their cosines and sines once each, then
// every sample from them. A class derived from Cyclide may redefine the
// surface, so it is sampled through its virtual functions.
void Cyclide::echantillonnerGrille(int lignes, int colonnes, std::vector<Echantillon>& grille) {
    if (typeid(*this) != typeid(Cyclide)) {
        surface_para::echantillonnerGrille(lignes, colonnes, grille);
        return;
    }
    std::vector<double> cosTheta(lignes), sinTheta(lignes), cosPsi(colonnes), sinPsi(colonnes);
    for (int i = 0; i < lignes; ++i) {
        const double theta = f_aff(0, UMAX, u_min, u_max, static_cast<double>(i));
        cosTheta[i] = std::cos(theta);
        sinTheta[i] = std::sin(theta);
    }
    for (int j = 0; j < colonnes; ++j) {
        const double psi = f_aff(0, VMAX, v_min, v_max, static_cast<double>(j));
        cosPsi[j] = std::cos(psi);
        sinPsi[j] = std::sin(psi);
    }
    grille.resize(static_cast<std::size_t>(lignes) * static_cast<std::size_t>(colonnes));
    for (int i = 0; i < lignes; ++i) {
        for (int j = 0; j < colonnes; ++j) {
            pointEtNormale(cosTheta[i], sinTheta[i], cosPsi[j], sinPsi[j],
                           grille[static_cast<std::size_t>(i) * colonnes + j]);
        }
    }
}

// Point (fx, fy, fz over the denominator of deno) and gradient (gradx,
// grady, gradz) with the same operations in the same order, the normal
// divided by norme as normalx does; non-finite where D = 0.
void Cyclide::pointEtNormale(double cosTheta, double sinTheta, double cosPsi, double sinPsi,
                             Echantillon& e) {
    const double D = a - c * cosTheta * cosPsi;
    x = (mu * (c - a * cosTheta * cosPsi) + b * b * cosTheta) / D;
    y = b * sinTheta * (a - mu * cosPsi) / D;
    z = b * sinPsi * (c * cosTheta - mu) / D;
    const double S = carre(x) + carre(y) + carre(z) - carre(mu) - carre(b);
    const double gx = 4 * x * S - 8 * c * (c * x - a * mu);
    const double gy = 4 * y * S;
    const double gz = 4 * z * S + 8 * carre(b) * z;
    const double n = norme(gx, gy, gz);
    e.px = x;
    e.py = y;
    e.pz = z;
    e.nx = gx / n;
    e.ny = gy / n;
    e.nz = gz / n;
}

// True for the Cyclide itself, whose colour functions below write every
// channel from the grid position alone; a derived class may not.
bool Cyclide::couleursSansEtat() const {
    return typeid(*this) == typeid(Cyclide);
}

// The three-argument colour slots below read one grid index each per
// channel: R, Rd, Rs, B and Bd the column index v, G, Gd, Gs and Bs the
// row index u. Each row's and each column's channels are computed once, by
// the slots themselves, then put together. A class derived from Cyclide
// may redefine the slots, so it gets one call per grid point.
void Cyclide::couleursGrille(int lignes, int colonnes, double wR, double wG, double wB,
                             std::vector<Couleur>& couleurs) {
    if (typeid(*this) != typeid(Cyclide)) {
        surface_para::couleursGrille(lignes, colonnes, wR, wG, wB, couleurs);
        return;
    }
    std::vector<Couleur> parLigne(lignes), parColonne(colonnes);
    for (int i = 0; i < lignes; ++i) {
        Cyclide::fG(i, 0, wG);
        Cyclide::fB(i, 0, wB);
        parLigne[i].G = G;
        parLigne[i].Gd = Gd;
        parLigne[i].Gs = Gs;
        parLigne[i].Bs = Bs;
    }
    for (int j = 0; j < colonnes; ++j) {
        Cyclide::fR(0, j, wR);
        Cyclide::fB(0, j, wB);
        parColonne[j].R = R;
        parColonne[j].Rd = Rd;
        parColonne[j].Rs = Rs;
        parColonne[j].B = B;
        parColonne[j].Bd = Bd;
    }
    couleurs.clear();
    couleurs.reserve(static_cast<std::size_t>(lignes) * static_cast<std::size_t>(colonnes));
    for (int i = 0; i < lignes; ++i) {
        for (int j = 0; j < colonnes; ++j) {
            const Couleur& l = parLigne[i];
            const Couleur& c = parColonne[j];
            couleurs.push_back(Couleur{c.R, l.G, c.B, c.Rd, l.Gd, c.Bd, c.Rs, l.Gs, l.Bs});
        }
    }
}

void Cyclide::fR(double u, double v) {
    R = 0.4 * std::cos(6 * PI * u / UMAX) + 0.5;
    Rd = 0.125 * std::cos(PI * v / VMAX) + 0.5;
    Rs = 0;
}
void Cyclide::fG(double u, double v) {
    G = 0.3 * std::sin(4 * PI * u / UMAX) + 0.6;
    Gd = 0.1 * std::sin(2 * PI * v / VMAX) + 0.5;
    Gs = 0.81;
}
void Cyclide::fB(double u, double v) {
    B = 0.4 * std::sin(PI * v / VMAX) + 0.5;
    Bd = 0;
    Bs = 0.4 * std::sin(2 * PI * u / UMAX) + 0.6;
}

void Cyclide::fR(double, double v, double i) {
    R = 0.4 * std::cos(2 * PI * v * i / VMAX) + 0.5;
    Rd = 0.125 * std::cos(PI * v / VMAX) + 0.5;
    Rs = 0.8;
}
void Cyclide::fG(double u, double, double i) {
    G = 0.6 - 0.3 * std::sin(2 * PI * u * i / UMAX);
    Gd = 0.2 * std::sin(2 * PI * u * i / UMAX) + 0.2;
    Gs = 0.1;
}
void Cyclide::fB(double u, double v, double i) {
    B = 0.5 - 0.4 * std::sin(PI * v * i / VMAX);
    Bd = 0;
    Bs = 0.6 - 0.4 * std::cos(2 * PI * u / UMAX);
}

double Cyclide::CircularCylinderPlan(double R1, double m, double p, int epsi) {
    const double k = std::sqrt(1 + m * m);
    const Point B1(-R1, 0, 0), B2(R1, 0, 0);
    const Point C1(-R1, 0, -R1 * m + p), C2(R1, 0, R1 * m + p);
    const double dC1B1 = C1.distance(B1);
    const double dC2B2 = C2.distance(B2);
    const Point A1(C1.getX0() + epsi * dC1B1 / k, 0, C1.getZ0() + epsi * dC1B1 * m / k);
    const Point A2(C2.getX0() - epsi * dC2B2 / k, 0, C2.getZ0() - epsi * dC2B2 * m / k);
    Point O1, O2;
    O1.centreCercle(B1, C1, A1);
    O2.centreCercle(B2, C2, A2);
    const double rho1 = O1.distance(B1);
    const double rho2 = O2.distance(B2);

    a = O1.distance(O2) / 2;
    c = (rho1 - rho2) / 2;
    mu = (rho1 + rho2) / 2;
    b = std::sqrt(a * a - c * c);

    if (A1.distance(C1) + A1.distance(C2) > C1.distance(C2)) {
        v_min = 0;
        v_max = 1.570796327;
    } else {
        v_min = 1.570796327;
        v_max = 3.141592654;
    }
    return O1.milieu(O2).getX0();
}

double Cyclide::ThetaOy(Point O1, Point O2) {
    const vect vO = Trans(O1, O2);
    const double t = vO.scalaire(vect(1, 0, 0)) / O1.distance(O2);
    double angle = std::acos(t) * 180 / PI;
    if (vO.cote() < 0)
        angle = -angle;
    return angle;
}

vect Cyclide::Trans(Point O1, Point O2) {
    return vect(O2.getX0() - O1.getX0(), O2.getY0() - O1.getY0(), O2.getZ0() - O1.getZ0());
}

deplacement Cyclide::RingPoteauRevolutionSurfacePlan(Point, vect, Point, vect, double, double) {
    return deplacement();
}

deplacement Cyclide::RingRevolutionSurfacePlan(Point, vect, Point, vect, double, double, int) {
    return deplacement();
}

deplacement Cyclide::CylindreSphereMongolfiere(Point, Point, vect, Point, double) {
    return deplacement();
}

void Cyclide::RBBPToCD4(RBBP) {}
