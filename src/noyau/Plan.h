// Plan: the plane a x + b y + c z + d = 0, also drawable as the graph
// z(x, y) over a rectangle of the xy plane, with the circle constructions
// that the conversion needs.
#ifndef PLAN_H
#define PLAN_H

#include "Droite.h"
#include "Point.h"
#include "Surface.h"

class Plan : public surface_para {
  public:
    // Box [0, 1] x [0, 1], grid 80 x 80; a, b, c, d are 0 until setABCD.
    Plan();
    Plan(const Plan&) = default;
    Plan& operator=(const Plan&) = default;
    ~Plan() override;

    double getA() const { return a; }
    double getB() const { return b; }
    double getC() const { return c; }
    double getD() const { return d; }
    void setA(double v) { a = v; }
    void setB(double v) { b = v; }
    void setC(double v) { c = v; }
    void setD(double v) { d = v; }
    void setABCD(double at, double bt, double ct, double dt);

    // --- The plane as a surface -------------------------------------------
    using surface_para::fB;
    using surface_para::fG;
    using surface_para::fR;
    double fx(double u, double v) override;
    double fy(double u, double v) override;
    double fz(double u, double v) override;
    double gradx(double u, double v) override;
    double grady(double u, double v) override;
    double gradz(double u, double v) override;
    double dfxdu(double u, double v);
    double dfydu(double u, double v);
    double dfzdu(double u, double v);
    double dfxdv(double u, double v);
    double dfydv(double u, double v);
    double dfzdv(double u, double v);
    void fR(double u, double v) override;
    void fG(double u, double v) override;
    void fB(double u, double v) override;
    void fR(double u, double v, double i) override;
    void fG(double u, double v, double i) override;
    void fB(double u, double v, double i) override;
    void openGL2();

    // --- Planes, lines and points -------------------------------------------
    // 0 not two planes (prints "pas deux plans"), 1 cutting, 2 coinciding,
    // 3 parallel and distinct.
    int typeIntersectPlans(Plan pl);
    Droite intersection2Plans(Plan Pl);
    Point intersectionPlanDroite(Droite D);
    void defPlan3Points(Point P0, Point P1, Point P2);
    Droite intersect2DroitesGauches(Droite D1, Droite D2);

    // --- Circle constructions ----------------------------------------------
    Point centreCercle3points(Point P0, Point P1, Point P2);
    Point cercleInterPlan(Point P1, Point P2, Point P3, double eps);
    Point cercleInterPlan2(Point P1, Point P2, Point P3, Point O, double eps);
    int inter2Cercles(Point PA, Point PB, Point PC, Point PD, Point PE, Point PF);
    bool intersectionDroiteDisque(Point P0, Point P1, Point P2, Droite D);

  private:
    double a = 0;
    double b = 0;
    double c = 0;
    double d = 0;
};

#endif
