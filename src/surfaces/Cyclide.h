// Cyclide: the Dupin cyclide in standard position with parameters a, b, c, mu
// (b = sqrt(a^2 - c^2)) over a rectangle of its angles theta (u) and psi (v).
//
// Contracts: u, v are grid indices (0..UMAX, 0..VMAX) mapped onto the angle
// rectangle; angles in radians unless said; points, derivatives and
// gradients in the cyclide's own frame (centre at the origin, the axes of
// its standard position), lengths in the units of a, c, mu.
#ifndef CYCLIDE_SURFACES_CYCLIDE_H
#define CYCLIDE_SURFACES_CYCLIDE_H

#include "noyau/Point.h"
#include "noyau/Surface.h"
#include "noyau/Vecteur.h"
#include "noyau/deplacement.h"
#include "surfaces/RBBP.h"

class Cyclide : public surface_para {
  public:
    // The ring torus a = 2, c = 0, mu = 1 (so b = 2) over the whole angle
    // ranges [0, 2 pi] x [0, 2 pi]: a drawable cyclide when nothing else is
    // known.
    Cyclide();
    // The cyclide (a, c, mu) over theta in [u0, u1] and psi in [v0, v1],
    // on an 80 x 80 grid; b = (a^2 - c^2)^(1/2).
    // Degenerate: |c| > |a| gives a non-number b.
    Cyclide(double u0, double u1, double v0, double v1, double a, double c, double mu);
    Cyclide(const Cyclide&) = default;
    Cyclide& operator=(const Cyclide&) = default;
    ~Cyclide() override;

    // Out: the parameters a, b, c, mu. Degenerate: none.
    double getA() const { return a; }
    double getB() const { return b; }
    double getC() const { return c; }
    double getMU() const { return mu; }

    // D = a - c cos(theta) cos(psi), the common denominator of the
    // parametrisation, at the grid indices (u, v).
    // Degenerate: zero only when |c| >= |a|.
    double deno(double u, double v);
    // theta at the grid index u, psi at the grid index v (radians).
    double angleTheta(double u);
    double anglePsi(double v);

    using surface_para::fB;
    using surface_para::fG;
    using surface_para::fR;
    // The point at grid indices (u, v); its partial derivatives with respect
    // to the grid index u (the slope of theta included) and v (that of psi).
    // Degenerate: non-finite when D = 0.
    double fx(double u, double v) override;
    double fy(double u, double v) override;
    double fz(double u, double v) override;
    double dxdu(double u, double v) override;
    double dydu(double u, double v) override;
    double dzdu(double u, double v) override;
    double dxdv(double u, double v) override;
    double dydv(double u, double v) override;
    double dzdv(double u, double v) override;
    // Gradient of the implicit equation
    // F = (x^2 + y^2 + z^2 + b^2 - mu^2)^2 - 4 (a x - c mu)^2 - 4 b^2 y^2
    // at the point of grid indices (u, v), written with a^2 = b^2 + c^2 and
    // S = x^2 + y^2 + z^2 - mu^2 - b^2; each component evaluates the point
    // and keeps it in x, y, z. grad1*: the opposite gradient (normals
    // pointing the other way). Degenerate: non-finite when D = 0.
    double gradx(double u, double v) override;
    double grady(double u, double v) override;
    double gradz(double u, double v) override;
    double grad1x(double u, double v);
    double grad1y(double u, double v);
    double grad1z(double u, double v);
    // Colour sweep over the grid position (not the angles): ambient, diffuse
    // and specular channel of one component each; with i, i waves across
    // the grid.
    void fR(double u, double v) override;
    void fG(double u, double v) override;
    void fB(double u, double v) override;
    void fR(double u, double v, double i) override;
    void fG(double u, double v, double i) override;
    void fB(double u, double v, double i) override;

    // Makes the receiver the cyclide touching the cylinder of radius R1
    // about the z axis and the plane z = m x + p, built in the plane y = 0:
    // the circles tangent to each generator at height 0 and to the plane's
    // trace give the centres O1, O2 and radii rho1, rho2, hence a, b, c, mu
    // and the psi range; epsi chooses between the two solutions.
    // Out: the x coordinate of the cyclide's centre. Frame: the cylinder's.
    // Degenerate: a plane through a generator's foot gives non-finite values.
    double CircularCylinderPlan(double R1, double m, double p, int epsi);
    // Signed angle between the direction O1 -> O2 and the x axis.
    // Out: in [-180, 180], negative when O2 lies below O1 in z. Units:
    // degrees. Degenerate: O1 = O2 is not a number.
    double ThetaOy(Point O1, Point O2);
    // Out: the vector from O1 to O2.
    vect Trans(Point O1, Point O2);
    // Positionings of a cyclide against a surface of revolution and a
    // plane, or a cylinder and a sphere: not computed.
    // Out: the neutral rigid motion; the cyclide is left as it is.
    deplacement RingPoteauRevolutionSurfacePlan(Point B1, vect v1, Point B2, vect v2, double m,
                                                double p);
    deplacement RingRevolutionSurfacePlan(Point B1, vect v1, Point B2, vect v2, double m, double p,
                                          int epsilon);
    deplacement CylindreSphereMongolfiere(Point B1, Point B2, vect v_gen, Point Omega, double R);
    // Leaves the cyclide unchanged: converting a patch is the work of RBBPd.
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
