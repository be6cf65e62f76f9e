// RBBPd: the convertible patch. An RBBP that also carries what the conversion
// into a Dupin cyclide patch produces: two lines, the cyclide's centre, its
// parameters a, c, mu and its frame Base (column k is the k-th unit axis in
// world coordinates; frame coordinates q are the world point Base q + omega).
#ifndef RBBPD_H
#define RBBPD_H

#include "Droite.h"
#include "Point.h"
#include "RBBP.h"

#include <iosfwd>

// The parameter rectangle of the drawn piece of cyclide: theta in [u0, u1]
// (possibly decreasing), psi in [v0, v1].
struct MorceauCyclide {
    double u0 = 0;
    double u1 = 0;
    double v0 = 0;
    double v1 = 0;
};

class RBBPd : public RBBP {
  public:
    // Base rows (1, 0, 0), (1, 1, 0), (1, 0, 1); a = c = mu = 0.
    RBBPd();
    explicit RBBPd(double valeur);
    RBBPd(const RBBPd& RB);
    // Copies every field; returns nothing.
    void operator=(RBBPd RB);

    double getA() const { return a; }
    double getC() const { return c; }
    double getMu() const { return mu; }
    Point getOmega() const { return omega; }
    Droite getDA() const { return dA; }
    Droite getDB() const { return dB; }
    double getBase(int r, int k) const { return Base[r][k]; }
    // The inverse of Base by cofactors over the determinant (no test for a
    // zero determinant: a singular frame gives infinite or non-number entries).
    void inverseBase(double inv[3][3]) const;

    // Builds the net from the seven parameters; returns the conversion type
    // 0 (not convertible), 1 (general cyclide) or 2 (torus or sphere).
    int convertToCD4(double t00, double t02, double t20, double t22, double R, double z11,
                     double P10t);

    // Computes a, c, mu, omega, Base and the piece, then draws the piece.
    // Returns the cyclide-type code 0..6.
    int conversion(int type, int choixplan);
    int carBezierTocarCD4Pz();
    int carBezierTocarCD4Py();
    int carBezierTocarToreSphere();

    // The same computations without any drawing and without a GL context:
    // the record ends exactly as after the drawing forms; the piece's ranges
    // are returned in morceau.
    int calculConversion(int type, int choixplan, MorceauCyclide& morceau);
    int calculCD4Pz(MorceauCyclide& morceau);
    int calculCD4Py(MorceauCyclide& morceau);
    int calculToreSphere(MorceauCyclide& morceau);

    // Moves the control points and omega into the cyclide's frame, then
    // draws the patch there as nbu x nbv quadrilaterals.
    void openGLChangementBase(int nbu, int nbv);
    // The change of frame alone (no drawing).
    void changementBase();

    friend std::ostream& operator<<(std::ostream& os, RBBPd& RB);
    friend std::istream& operator>>(std::istream& is, RBBPd& RB);

    Droite dA;
    Droite dB;
    Point omega;
    double a;
    double c;
    double mu;
    double Base[3][3];
};

std::ostream& operator<<(std::ostream& os, RBBPd& RB);
std::istream& operator>>(std::istream& is, RBBPd& RB);

#endif
