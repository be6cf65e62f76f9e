#include "surfaces/RQBC3d.h"

#include "noyau/Bernstein.h"

#include <GL/gl.h>

namespace {
// Number of segments of the forms that take no count.
const int NB_DEFAULT = 10;
// Colour and width of the default curve segments (those of trace_segment(P)).
const float DEF_R = 0.2f;
const float DEF_G = 0.5f;
const float DEF_B = 0.0f;
const float DEF_SIZE = 2.0f;
} // namespace

RQBC3d::RQBC3d() : P0(1, 0, 0), P1(1, 1, 0), P2(0, 1, 0), w0(1), w1(1), w2(2) {}

RQBC3d::RQBC3d(Point A, Point B, Point C, double n, double m, double p)
    : P0(A), P1(B), P2(C), w0(n), w1(m), w2(p) {}

void RQBC3d::init(Point A, Point B, Point C, double n, double m, double p) {
    P0 = A;
    P1 = B;
    P2 = C;
    w0 = n;
    w1 = m;
    w2 = p;
}

void RQBC3d::setP0(double x, double y, double z) {
    P0.init(x, y, z);
}
void RQBC3d::setP1(double x, double y, double z) {
    P1.init(x, y, z);
}
void RQBC3d::setP2(double x, double y, double z) {
    P2.init(x, y, z);
}

double RQBC3d::numX(double t) const {
    return B0(t) * w0 * P0.getX0() + B1(t) * w1 * P1.getX0() + B2(t) * w2 * P2.getX0();
}

double RQBC3d::numY(double t) const {
    return B0(t) * w0 * P0.getY0() + B1(t) * w1 * P1.getY0() + B2(t) * w2 * P2.getY0();
}

double RQBC3d::numZ(double t) const {
    return B0(t) * w0 * P0.getZ0() + B1(t) * w1 * P1.getZ0() + B2(t) * w2 * P2.getZ0();
}

double RQBC3d::den(double t) const {
    double d = B0(t) * w0 + B1(t) * w1 + B2(t) * w2;
    if (d == 0)
        return 1;
    return 1 / d;
}

Point RQBC3d::point(double t) const {
    double d = den(t);
    return Point(numX(t) * d, numY(t) * d, numZ(t) * d);
}

namespace {

// The curve as nb separate segments between the samples at k / nb and
// (k + 1) / nb, each drawn with trace_segment in the given colour and width.
// Nothing is drawn when nb <= 0.
void polyline(const RQBC3d& c, int nb, float red, float green, float blue, float size) {
    for (int k = 0; k < nb; ++k) {
        double t0 = static_cast<double>(k) / nb;
        double t1 = static_cast<double>(k + 1) / nb;
        Point M0 = c.point(t0);
        Point M1 = c.point(t1);
        M0.trace_segment(M1, red, green, blue, size);
    }
}

// Half the complement of a colour channel: the colour of a control leg.
float legChannel(double channel) {
    return static_cast<float>((1 - channel) / 2);
}

// The two legs of the control polygon, P0-P1 then P2-P1, each in half the
// complement of its end point's colour, width 1.
void controlPolygon(const Point& P0, const Point& P1, const Point& P2) {
    P0.trace_segment(P1, legChannel(P0.getR()), legChannel(P0.getG()), legChannel(P0.getB()), 1.0f);
    P2.trace_segment(P1, legChannel(P2.getR()), legChannel(P2.getG()), legChannel(P2.getB()), 1.0f);
}

} // namespace

void RQBC3d::openGL() const {
    openGL(NB_DEFAULT);
}

void RQBC3d::openGL(int nb) const {
    polyline(*this, nb, DEF_R, DEF_G, DEF_B, DEF_SIZE);
    controlPolygon(P0, P1, P2);
}

void RQBC3d::openGL(int nb, float red, float g, float b, float size) const {
    glDisable(GL_LIGHTING);
    polyline(*this, nb, red, g, b, size);
    controlPolygon(P0, P1, P2);
    glEnable(GL_LIGHTING);
}

void RQBC3d::openGL1() const {
    openGL1(NB_DEFAULT);
}

void RQBC3d::openGL1(int nb) const {
    openGL1(nb, DEF_R, DEF_G, DEF_B, DEF_SIZE);
}

void RQBC3d::openGL1(int nb, float r, float g, float b, float size) const {
    glDisable(GL_LIGHTING);
    polyline(*this, nb, r, g, b, size);
    glEnable(GL_LIGHTING);
}
