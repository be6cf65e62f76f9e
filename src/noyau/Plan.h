// Plan: the plane a x + b y + c z + d = 0, also drawable as the graph
// z(x, y) over a rectangle of the xy plane, with the circle constructions
// that the conversion needs.
//
// Contracts: lengths in the units of the coordinates; every point, line and
// plane in the frame of the operands. Tolerances are absolute. Non-numbers
// propagate unless said.
#ifndef CYCLIDE_NOYAU_PLAN_H
#define CYCLIDE_NOYAU_PLAN_H

#include "noyau/Droite.h"
#include "noyau/Point.h"
#include "noyau/Surface.h"

class Plan : public surface_para {
  public:
    // Out: the unit box [0, 1] x [0, 1] of the xy plane sampled on an
    // 80 x 80 grid; a, b, c, d are 0 until setABCD.
    Plan();
    Plan(const Plan&) = default;
    Plan& operator=(const Plan&) = default;
    ~Plan() override;

    // The coefficients of a x + b y + c z + d = 0.
    // Out: the stored value; setters store v. Degenerate: none.
    double getA() const { return a; }
    double getB() const { return b; }
    double getC() const { return c; }
    double getD() const { return d; }
    void setA(double v) { a = v; }
    void setB(double v) { b = v; }
    void setC(double v) { c = v; }
    void setD(double v) { d = v; }
    // Sets the four coefficients of a x + b y + c z + d = 0.
    void setABCD(double at, double bt, double ct, double dt);

    // --- The plane as a surface -------------------------------------------
    using surface_para::fB;
    using surface_para::fG;
    using surface_para::fR;
    // The patch at grid indices (u, v): x and y map them onto the box
    // [u_min, u_max] x [v_min, v_max] of the xy plane, z is the plane's
    // height there. Degenerate: c = 0 gives a non-finite z.
    double fx(double u, double v) override;
    double fy(double u, double v) override;
    double fz(double u, double v) override;
    // Out: the coefficient vector (a, b, c), everywhere.
    double gradx(double u, double v) override;
    double grady(double u, double v) override;
    double gradz(double u, double v) override;
    // Derivatives of the patch with respect to u / UMAX and v / VMAX.
    // Degenerate: those of z are not finite for c = 0.
    double dfxdu(double u, double v);
    double dfydu(double u, double v);
    double dfzdu(double u, double v);
    double dfxdv(double u, double v);
    double dfydv(double u, double v);
    double dfzdv(double u, double v);
    // Colour of the plane (ambient channel): a red ramp along u and a blue
    // ramp along v; with i, stripes: i waves across the box.
    void fR(double u, double v) override;
    void fG(double u, double v) override;
    void fB(double u, double v) override;
    void fR(double u, double v, double i) override;
    void fG(double u, double v, double i) override;
    void fB(double u, double v, double i) override;
    // Draws one flat quadrilateral of the plane, x and y in [-10, 10],
    // coloured with the ambient channel; the heights are taken at the
    // corners of the box.
    void openGL2();

    // --- Planes, lines and points -------------------------------------------
    // Classifies the receiver and pl.
    // Out: 1 when they cut each other, 2 when they coincide, 3 when they are
    // parallel and distinct. Degenerate: 0 when one normal is null (prints
    // "pas deux plans"); coefficients are compared to 0.00001 strictly, so
    // one of exactly that magnitude is neither null nor present; a pair
    // that fits no case gives 0 without a message.
    int typeIntersectPlans(Plan pl);
    // Line common to the receiver and Pl.
    // Out: unit direction n1 x n2, base point found with the first non-zero
    // 2 x 2 determinant (z, then y, then x fixed to 1). Degenerate: parallel
    // planes print a message and give the base point (0, 0, 0) with a
    // non-finite direction.
    Droite intersection2Plans(Plan Pl);
    // Point where the line D = P + t V meets the receiver.
    // Degenerate: a line parallel to the plane (|a Vx + b Vy + c Vz| <=
    // 0.00001) prints a message and gives its base point.
    Point intersectionPlanDroite(Droite D);
    // Makes the receiver the plane through P0, P1, P2 with normal
    // (P1 - P0)/|P1 - P0| x (P2 - P0)/|P2 - P0|: its orientation follows the
    // order of the points and its length is the sine of the angle at P0.
    // Degenerate: aligned points give a null normal; a repeated P0 gives
    // non-finite values.
    void defPlan3Points(Point P0, Point P1, Point P2);
    // Common perpendicular of D1 and D2 (the receiver takes no part).
    // Out: the line through the foot of the perpendicular on D2 with the unit
    // direction V1 x V2 / |V1 x V2|. Degenerate: parallel lines give
    // non-finite values.
    Droite intersect2DroitesGauches(Droite D1, Droite D2);

    // --- Circle constructions ----------------------------------------------
    // Point of the receiver on the axis of the circle through P0, P1, P2
    // (the circumcentre when the receiver is the plane of the points).
    // Degenerate: aligned points print both parallel messages and give
    // non-finite coordinates.
    Point centreCercle3points(Point P0, Point P1, Point P2);
    // Point where the circle of the arc P1 P2 P3 (start, tangent point, end)
    // meets the receiver.
    // In: eps, whose sign chooses one of the two points along the common
    // line of the two planes, oriented as receiver normal x (P1 - P2) x
    // (P3 - P2). Degenerate: a common line that misses the circle gives
    // non-finite coordinates.
    Point cercleInterPlan(Point P1, Point P2, Point P3, double eps);
    // As cercleInterPlan with the given centre O (radius |O P1|) and the
    // plane of the circle from defPlan3Points(P1, P2, P3), whose normal is
    // opposite: the common line runs the other way, so eps selects the
    // other point.
    Point cercleInterPlan2(Point P1, Point P2, Point P3, Point O, double eps);
    // Compares the circles of the arcs PA PB PC and PD PE PF with the line
    // common to their planes (the receiver takes no part).
    // Out: 1 when the line touches both (distances within 0.0001 of the
    // radii), 2 when it cuts both, 0 otherwise. Degenerate: parallel planes
    // give 0.
    int inter2Cercles(Point PA, Point PB, Point PC, Point PD, Point PE, Point PF);
    // True when D crosses the closed disc bounded by the circle through P0,
    // P1, P2 (a crossing on the circle counts; the receiver takes no part).
    // Degenerate: a line parallel to the disc is tested with its base point.
    bool intersectionDroiteDisque(Point P0, Point P1, Point P2, Droite D);

  private:
    double a = 0;
    double b = 0;
    double c = 0;
    double d = 0;
};

#endif
