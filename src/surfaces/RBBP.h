// RBBP: the rational biquadratic Bezier patch, a 3 x 3 net of coloured control
// points with weights. In P[i][j] and w[i][j] the first index follows u, the
// second v. The patch point is (numX den, numY den, numZ den): den is the
// reciprocal of the weight sum.
#ifndef RBBP_H
#define RBBP_H

#include "Point.h"

#include <vector>

class RBBP {
  public:
    // Nine points (1, 2, 3), weights 1, colours (1.0, 0.25, 0.0).
    RBBP();
    explicit RBBP(double valeur);
    RBBP(const RBBP&) = default;
    // The defaulted copy names its array indices internally.
    RBBP& operator=(const RBBP&) = default; // NOLINT(bugprone-reserved-identifier)

    double numX(double u, double v) const;
    double numY(double u, double v) const;
    double numZ(double u, double v) const;
    // 1 / D(u, v); exactly 1 when D(u, v) is exactly 0.
    double den(double u, double v) const;
    // The patch point at (u, v), default colour.
    Point point(double u, double v) const;
    // The (nbu + 1) x (nbv + 1) samples at u = i / nbu, v = j / nbv that the
    // surface drawing uses.
    std::vector<std::vector<Point>> echantillons(int nbu, int nbv) const;

    // Middle weight of a circular arc with end weights 1; 1 when the two
    // tangent lengths differ.
    double calcW(Point P0, Point P1, Point P2) const;
    // Middle weight of an arc of the circle of centre O with end weights
    // w0, w2; 1 when the two tangent lengths differ.
    double calcW1(Point O, Point P0, Point P1, Point P2, double w0, double w2) const;

    void setR(double a, double b);
    void setG(double a, double b);
    void setB(double a, double b);
    void setR(double a);
    void setG(double a);
    void setB(double a);

    Point getP(int i, int j) const { return P[i][j]; }
    double getW(int i, int j) const { return w[i][j]; }
    void setP(int i, int j, Point p) { P[i][j] = p; }
    void setW(int i, int j, double v) { w[i][j] = v; }

    void openGL(int nbu, int nbv) const;
    void openGLBord(int nbu, int nbv) const;
    void openGLBord(int nbu, int nbv, float red, float gree, float blue, float size) const;
    void openGLPolyedre() const;

    void afficheW() const;
    void afficheP() const;
    void affiche() const;

    double R, G, B;
    double Rd, Gd, Bd;
    double Rs, Gs, Bs;
    Point P[3][3];
    double w[3][3];
};

#endif
