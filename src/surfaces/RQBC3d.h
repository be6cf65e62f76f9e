// RQBC3d: a rational quadratic Bezier curve in space (three coloured control
// points, three weights). The point at t is (numX den, numY den, numZ den):
// den is the reciprocal of the weight sum.
//
// Contracts: t is the curve parameter (the curve runs over [0, 1]); points in
// the frame of the control points. Non-numbers propagate unless said.
#ifndef CYCLIDE_SURFACES_RQBC3D_H
#define CYCLIDE_SURFACES_RQBC3D_H

#include "noyau/Point.h"

class RQBC3d {
  public:
    // The quarter of the unit circle from (1, 0, 0) to (0, 1, 0) with
    // control point (1, 1, 0) and weights 1, 1, 2 (all three points green).
    RQBC3d();
    // Curve with control points A, B, C (colours kept) and weights n, m, p;
    // any weights are accepted.
    RQBC3d(Point A, Point B, Point C, double n, double m, double p);
    RQBC3d(const RQBC3d&) = default;
    RQBC3d& operator=(const RQBC3d&) = default;

    // Replaces the three control points (with their colours) and the three
    // weights.
    void init(Point A, Point B, Point C, double n, double m, double p);
    // Control points and weights. Out: the stored value; the setters store
    // theirs (the coordinate forms change only the coordinates, the point
    // keeps its colour). Degenerate: none.
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

    // Weighted numerators B0 w0 P0 + B1 w1 P1 + B2 w2 P2 at t, one
    // coordinate each.
    double numX(double t) const;
    double numY(double t) const;
    double numZ(double t) const;
    // Reciprocal of the weight sum: 1 / (B0 w0 + B1 w1 + B2 w2) at t.
    // Degenerate: a sum of exactly 0 gives exactly 1, so the point there is
    // the weighted numerator itself instead of a division by zero.
    double den(double t) const;
    // The curve point at t, (numX den, numY den, numZ den), as a new green
    // point.
    Point point(double t) const;

    // Draws the curve in nb segments (10 by default; none when nb <= 0).
    // openGL: then its control polygon; in the default segment colour and
    // width with lighting untouched, or in colour (red, g, b) and width size
    // with lighting off and then switched on whatever it was before.
    // openGL1: the curve alone, lighting off, then on.
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
