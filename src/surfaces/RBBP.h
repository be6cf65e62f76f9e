// RBBP: the rational biquadratic Bezier patch, a 3 x 3 net of coloured control
// points with weights. In P[i][j] and w[i][j] the first index follows u, the
// second v. The patch point is (numX den, numY den, numZ den): den is the
// reciprocal of the weight sum.
//
// Contracts: (u, v) are the patch parameters (the patch is [0, 1] x [0, 1]);
// points in the frame of the control points. Non-numbers propagate unless
// said.
#ifndef CYCLIDE_SURFACES_RBBP_H
#define CYCLIDE_SURFACES_RBBP_H

#include "noyau/Point.h"

#include <vector>

class RBBP {
  public:
    // Nine green points (1, 2, 3) (a patch collapsed to one point), all
    // weights 1, the three colours (1.0, 0.25, 0.0).
    RBBP();
    // The same patch as the default constructor; the value is not used.
    explicit RBBP(double valeur);
    RBBP(const RBBP&) = default;
    // The defaulted copy names its array indices internally.
    RBBP& operator=(const RBBP&) = default; // NOLINT(bugprone-reserved-identifier)

    // Weighted numerators: the sum of Bij(u, v) w[i][j] P[i][j], one
    // coordinate each, summed row by row from (0, 0) to (2, 2).
    double numX(double u, double v) const;
    double numY(double u, double v) const;
    double numZ(double u, double v) const;
    // Reciprocal of the weight sum D(u, v) = sum of Bij(u, v) w[i][j] (same
    // order as the numerators). Degenerate: a sum of exactly 0 gives exactly
    // 1 instead of a division by zero.
    double den(double u, double v) const;
    // The patch point at (u, v), (numX den, numY den, numZ den), as a new
    // green point; the same to the last bit as those four functions give.
    Point point(double u, double v) const;
    // The samples that the surface drawing uses.
    // Out: (nbu + 1) x (nbv + 1) patch points at u = i / nbu, v = j / nbv,
    // row i following u. Degenerate: a zero count gives one row (or column)
    // at the parameter 0 / 0; a negative count gives an empty grid.
    std::vector<std::vector<Point>> echantillons(int nbu, int nbv) const;

    // Middle weight of the circular arc from P0 to P2 whose end tangents
    // meet at P1, for end weights 1: the cosine of the angle at P0 between
    // P0P1 and the chord P0P2.
    // Degenerate: 1 when the tangent lengths differ (squares 0.0001 or more
    // apart); P2 equal to P0 gives 0 / 0.
    double calcW(Point P0, Point P1, Point P2) const;
    // Middle weight w1 that puts the curve (P0, w0), (P1, w1), (P2, w2) on
    // the circle of centre O through P0, from the curve point at 1/2.
    // Degenerate: 1 when the tangent lengths differ; no other guard: P1 on
    // the circle gives an infinite or NaN weight, a negative radicand NaN.
    double calcW1(Point O, Point P0, Point P1, Point P2, double w0, double w2) const;

    // Ambient colour channels from two parameters (any doubles):
    // R = 0.5 cos(2 pi a) + 0.5, G = 0.25 cos(2 pi b) + 0.5,
    // B = 0.15 cos(2 pi a b) + 0.25. The one-parameter forms store the value
    // in the channel as it is.
    void setR(double a, double b);
    void setG(double a, double b);
    void setB(double a, double b);
    void setR(double a);
    void setG(double a);
    void setB(double a);

    // Control point and weight (i along u, j along v, each 0..2).
    // Degenerate: no index check.
    Point getP(int i, int j) const { return P[i][j]; }
    double getW(int i, int j) const { return w[i][j]; }
    void setP(int i, int j, Point p) { P[i][j] = p; }
    void setW(int i, int j, double v) { w[i][j] = v; }

    // The surface as nbu x nbv quadrilaterals through the samples of
    // echantillons(nbu, nbv), one GL_QUADS pair each, vertices (i, j),
    // (i + 1, j), (i + 1, j + 1), (i, j + 1). No colour, material or normal
    // is issued and lighting is not touched. Degenerate: a zero or negative
    // count draws nothing.
    void openGL(int nbu, int nbv) const;
    // The four boundary curves once around the patch, lighting off: u = 0
    // from v = 0 to 1 (nbv segments), v = 1 from u = 0 to 1 (nbu), u = 1
    // from v = 1 to 0 (nbv), v = 0 from u = 1 to 0 (nbu), in colour (red,
    // gree, blue) and width size (red, width 3, by default). Lighting is
    // left enabled.
    void openGLBord(int nbu, int nbv) const;
    void openGLBord(int nbu, int nbv, float red, float gree, float blue, float size) const;
    // The control net, lighting off: for i = 0 then 1, the three segments
    // along v of column pair (i, i + 1) in the default segment colour (width
    // 2), then the three along u of row pair (i, i + 1) in orange, width 3.
    // Lighting is left enabled.
    void openGLPolyedre() const;

    // On the standard output: the nine weights, one line each
    // ("w( i , j ) = " and the weight); the nine control points, one line
    // each ("P( i , j ) = " and the coordinates); the nine points with their
    // weights, each entry followed by an empty line.
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
