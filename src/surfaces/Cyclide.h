// Cyclide: the Dupin cyclide in standard position with parameters a, b, c, mu
// (b = sqrt(a^2 - c^2)) over a rectangle of its angles theta (u) and psi (v).
#ifndef CYCLIDE_H
#define CYCLIDE_H

#include "Point.h"
#include "RBBP.h"
#include "Surface.h"
#include "Vecteur.h"
#include "deplacement.h"

class Cyclide : public surface_para {
  public:
    // The ring torus a = 2, c = 0, mu = 1 over [0, 2 pi] x [0, 2 pi].
    Cyclide();
    Cyclide(double u0, double u1, double v0, double v1, double a, double c, double mu);
    Cyclide(const Cyclide&) = default;
    Cyclide& operator=(const Cyclide&) = default;
    ~Cyclide() override;

    double getA() const { return a; }
    double getB() const { return b; }
    double getC() const { return c; }
    double getMU() const { return mu; }

    // a - c cos(theta) cos(psi)
    double deno(double u, double v);
    // theta at the grid index u, psi at the grid index v.
    double angleTheta(double u);
    double anglePsi(double v);

    using surface_para::fB;
    using surface_para::fG;
    using surface_para::fR;
    double fx(double u, double v) override;
    double fy(double u, double v) override;
    double fz(double u, double v) override;
    double dxdu(double u, double v) override;
    double dydu(double u, double v) override;
    double dzdu(double u, double v) override;
    double dxdv(double u, double v) override;
    double dydv(double u, double v) override;
    double dzdv(double u, double v) override;
    double gradx(double u, double v) override;
    double grady(double u, double v) override;
    double gradz(double u, double v) override;
    double grad1x(double u, double v);
    double grad1y(double u, double v);
    double grad1z(double u, double v);
    void fR(double u, double v) override;
    void fG(double u, double v) override;
    void fB(double u, double v) override;
    void fR(double u, double v, double i) override;
    void fG(double u, double v, double i) override;
    void fB(double u, double v, double i) override;

    double CircularCylinderPlan(double R1, double m, double p, int epsi);
    double ThetaOy(Point O1, Point O2);
    vect Trans(Point O1, Point O2);
    deplacement RingPoteauRevolutionSurfacePlan(Point B1, vect v1, Point B2, vect v2, double m,
                                                double p);
    deplacement RingRevolutionSurfacePlan(Point B1, vect v1, Point B2, vect v2, double m, double p,
                                          int epsilon);
    deplacement CylindreSphereMongolfiere(Point B1, Point B2, vect v_gen, Point Omega, double R);
    void RBBPToCD4(RBBP R);

  protected:
    // The grid of the tessellation with the cosines and sines of theta
    // computed once per row and those of psi once per column; the same
    // numbers as fx, fy, fz, normalx, normaly, normalz. A class derived
    // from Cyclide is sampled through its own functions.
    void echantillonnerGrille(int lignes, int colonnes, std::vector<Echantillon>& grille) override;
    // The colour functions of the Cyclide itself depend on the grid
    // position only.
    bool couleursSansEtat() const override;
    // The colours of the grid from one evaluation per row (fG, and the
    // specular blue of fB, depend on u only) and one per column (fR, and
    // the ambient and diffuse blue of fB, depend on v only).
    void couleursGrille(int lignes, int colonnes, double wR, double wG, double wB,
                        std::vector<Couleur>& couleurs) override;

  private:
    // The point and the unit normal at the angles whose cosines and sines
    // are given, in the very operations of fx, fy, fz and gradx, grady,
    // gradz; the point is also kept in x, y, z.
    void pointEtNormale(double cosTheta, double sinTheta, double cosPsi, double sinPsi,
                        Echantillon& e);

    double a;
    double b;
    double c;
    double mu;
};

#endif
