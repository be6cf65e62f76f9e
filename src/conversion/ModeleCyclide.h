// ModeleCyclide: what the polishing of a reading evaluates on a cyclide in
// its own frame (centre at the origin, axes i0, j0, k0): the implicit
// function F of Residu with its derivatives, the exact distance to a torus,
// and the point with its tangents and normal at the angles (theta, psi).
#ifndef CYCLIDE_CONVERSION_MODELECYCLIDE_H
#define CYCLIDE_CONVERSION_MODELECYCLIDE_H

#include <Eigen/Dense>

namespace cyclide {

// The cyclide's implicit function F and its gradient at a frame point.
struct Implicite {
    double valeur;            // F(q)
    Eigen::Vector3d gradient; // grad F(q)
};

// F and its gradient (as in Residu), evaluated in extended precision.
// In: a, c, mu; q in the cyclide's frame.
// Units: F in length^4, the gradient in length^3.
// Why: for a patch much smaller than its cyclide the terms of F are of the
// order of the cyclide's size to the fourth power and cancel down to the
// patch's distance; double precision alone would leave a floor of about
// epsilon (size / patch)^2 on the distances.
Implicite implicite(double a, double c, double mu, const Eigen::Vector3d& q);

// The signed distance from a frame point to a torus, with its derivatives.
struct DistanceTore {
    double valeur;            // distance, negative inside the tube
    Eigen::Vector3d gradient; // with respect to the frame point
    double dA, dMu;           // with respect to a and mu
};

// The distance to the torus (c = 0) of centre circle radius a and tube
// radius mu: the points at distance mu from the circle x^2 + y^2 = a^2,
// z = 0 (for a crossed torus the inner sheet at distance mu from the
// circle's far side), so sqrt((rho -+ a)^2 + z^2) - mu, rho = |(x, y)|,
// the sign that gives the smaller distance.
// In: a, mu; q in the torus's frame.
// Degenerate: on the axis (rho = 0) the radial direction is taken as i0.
// Unlike the implicit function, whose root is double when a = 0, it stays
// well-conditioned down to the sphere.
DistanceTore distanceTore(double a, double mu, const Eigen::Vector3d& q);

// The derivatives of F with respect to a, c, mu at the frame point q.
// Units: length^3.
Eigen::Vector3d deriveesParametres(double a, double c, double mu, const Eigen::Vector3d& q);

// The point of the cyclide (a, c, mu) at the angles (theta, psi), in its own
// frame (the torus form when c = 0, so that a = 0 gives the sphere).
// Non-finite where a - c cos theta cos psi is 0.
Eigen::Vector3d pointAngles(double a, double c, double mu, double theta, double psi);

// The cyclide's point at the angles (theta, psi) in its own frame, with the
// orthonormal frame there.
struct RepereLocal {
    Eigen::Vector3d point; // the point, in the cyclide's frame
    Eigen::Matrix3d axes;  // columns: the unit tangent of the theta-line, the
                           // unit tangent of the psi-line made perpendicular
                           // to it, the normal
};

// In: a, c, mu, the angles.
// Out: l, from the exact derivatives of the parametrisation.
// Degenerate: false where the tangents vanish or are parallel (a singular
// point) or a value is not finite; a sphere (a = c = 0) is one.
bool repereLocal(double a, double c, double mu, double theta, double psi, RepereLocal& l);

} // namespace cyclide

#endif
