// RQBC3d: a rational quadratic Bezier curve in space (three coloured control
// points, three weights). The point at t is (numX den, numY den, numZ den):
// den is the reciprocal of the weight sum.
#ifndef RQBC3D_H
#define RQBC3D_H

#include "Point.h"

class RQBC3d {
  public:
    // (1, 0, 0), (1, 1, 0), (0, 1, 0) with weights 1, 1, 2.
    RQBC3d();
    RQBC3d(Point A, Point B, Point C, double n, double m, double p);
    RQBC3d(const RQBC3d&) = default;
    RQBC3d& operator=(const RQBC3d&) = default;

    void init(Point A, Point B, Point C, double n, double m, double p);
    void setP0(Point A) { P0 = A; }
    void setP1(Point A) { P1 = A; }
    void setP2(Point A) { P2 = A; }
    void setP0(double x, double y, double z);
    void setP1(double x, double y, double z);
    void setP2(double x, double y, double z);
    void setW0(double w) { w0 = w; }
    void setW1(double w) { w1 = w; }
    void setW2(double w) { w2 = w; }
    Point getP0() const { return P0; }
    Point getP1() const { return P1; }
    Point getP2() const { return P2; }
    double getW0() const { return w0; }
    double getW1() const { return w1; }
    double getW2() const { return w2; }

    double numX(double t) const;
    double numY(double t) const;
    double numZ(double t) const;
    // 1 / (B0 w0 + B1 w1 + B2 w2); exactly 1 when the sum is exactly 0.
    double den(double t) const;
    // The curve point (numX den, numY den, numZ den), default colour.
    Point point(double t) const;

    void openGL() const;
    void openGL(int nb) const;
    void openGL(int nb, float red, float g, float b, float size) const;
    void openGL1() const;
    void openGL1(int nb) const;
    void openGL1(int nb, float r, float g, float b, float size) const;

  private:
    Point P0;
    Point P1;
    Point P2;
    double w0;
    double w1;
    double w2;
};

#endif
