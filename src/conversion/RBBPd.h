// RBBPd: the convertible patch. An RBBP that also carries what the conversion
// into a Dupin cyclide patch produces: two lines, the cyclide's centre, its
// parameters a, c, mu and its frame Base (column k is the k-th unit axis in
// world coordinates; frame coordinates q are the world point Base q + omega).
//
// The methods are short front doors: the net is built by
// ConstructionCarreau, the cyclide read by ConversionGenerale (with
// LectureCyclide and MorceauCyclide), the frame maps are in Repere.
#ifndef CYCLIDE_CONVERSION_RBBPD_H
#define CYCLIDE_CONVERSION_RBBPD_H

#include "conversion/GenreCyclide.h"
#include "conversion/MorceauCyclide.h"
#include "conversion/Repere.h"
#include "noyau/Droite.h"
#include "noyau/Point.h"
#include "surfaces/RBBP.h"

#include <iosfwd>

class RBBPd : public RBBP {
  public:
    // The default patch, default lines and centre, Base rows (1, 0, 0),
    // (1, 1, 0), (1, 0, 1); a = c = mu = 0.
    RBBPd();
    // The argument is not used: the record is the default one.
    explicit RBBPd(double valeur);
    // Copies every field, colours of the points and lines included.
    RBBPd(const RBBPd& RB);
    // Copies every field as the copy constructor does; returns nothing.
    void operator=(RBBPd RB);

    // The cyclide written in the record: a, c, mu, omega and Base.
    cyclide::CyclideRepere cyclide() const;
    // Writes a, c, mu, Base and omega's coordinates (omega keeps its colour).
    void poserCyclide(const cyclide::CyclideRepere& cy);

    // The cyclide's parameters, centre and frame (row r, axis k).
    double getA() const { return a; }
    double getC() const { return c; }
    double getMu() const { return mu; }
    Point getOmega() const { return omega; }
    double getBase(int r, int k) const { return Base[r][k]; }
    // The two lines of the construction.
    Droite getDA() const { return dA; }
    Droite getDB() const { return dB; }
    // The inverse of Base by cofactors over the determinant.
    // Degenerate: a singular frame gives infinite or non-number entries.
    void inverseBase(double inv[3][3]) const;

    // Builds the net from the seven parameters (construireCarreau): the nine
    // control points' coordinates (colours kept), the nine weights, dA, dB.
    // Returns the conversion type 0 (not convertible), 1 (general cyclide)
    // or 2 (torus or sphere). Degenerate input gives non-number coordinates
    // and type 0.
    int convertToCD4(double t00, double t02, double t20, double t22, double R, double z11,
                     double P10t);

    // Computes a, c, mu, omega, Base and the piece, then draws the piece in
    // the cyclide's frame (nothing is drawn for the kind Aucune). Type 2 is the
    // torus/sphere case, type 1 the general case in the plane Pz
    // (choixplan = 1) or Py (any other value); any other type returns 0 and
    // leaves the record unchanged. Returns the kind of cyclide (GenreCyclide.h).
    cyclide::GenreCyclide conversion(int type, int choixplan);
    cyclide::GenreCyclide carBezierTocarCD4Pz();
    cyclide::GenreCyclide carBezierTocarCD4Py();
    cyclide::GenreCyclide carBezierTocarToreSphere();

    // The same computations without any drawing and without a GL context:
    // the record ends exactly as after the drawing forms; the piece's ranges
    // are written in morceau when the kind is not Aucune (the torus/sphere
    // case writes them always). The general case returns Aucune and changes nothing
    // when the boundary plane pairs do not both cut along a line.
    cyclide::GenreCyclide calculConversion(int type, int choixplan,
                                           cyclide::MorceauCyclide& morceau);
    cyclide::GenreCyclide calculCD4Pz(cyclide::MorceauCyclide& morceau);
    cyclide::GenreCyclide calculCD4Py(cyclide::MorceauCyclide& morceau);
    cyclide::GenreCyclide calculToreSphere(cyclide::MorceauCyclide& morceau);

    // Moves the record into the cyclide's frame: omega becomes the world
    // origin expressed in that frame (-inverse(Base) omega) and every control
    // point X becomes inverse(Base) X + omega (coordinates only; weights
    // unchanged). Not idempotent. A singular Base gives non-number
    // coordinates.
    void changementBase();
    // The change of frame, then the moved patch sampled at u = r / nbu,
    // v = s / nbv and drawn as nbu x nbv single-precision quadrilaterals,
    // with no colour, normal or material of its own. Counts below 1 draw
    // nothing (the change of frame is still made).
    void openGLChangementBase(int nbu, int nbv);

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

// Writes the 23-line text form: nine lines "x y z w", an empty line, the
// three rows of Base (each number followed by a space), an empty line, dA
// and an empty line, dB and an empty line, omega and an empty line,
// "a c mu". Colours are not written; numbers use the stream's format.
std::ostream& operator<<(std::ostream& os, RBBPd& RB);

// Reads the 63 numbers of the text form in the order they are written (any
// white space separates them). Colours are left as they were. When an
// extraction fails the field being read and every field after it keep their
// values and the stream stays failed.
std::istream& operator>>(std::istream& is, RBBPd& RB);

namespace cyclide {

// Residual R (residuCyclide of Residu.h) of a record after the conversion
// (before the change of frame): its patch against the cyclide it carries.
// The record's front door to the measure, which itself knows only a patch
// and a placed cyclide.
double residuCyclide(const RBBPd& converti);

} // namespace cyclide

#endif
